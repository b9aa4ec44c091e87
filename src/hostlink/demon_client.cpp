#include "hostlink/demon_client.h"

#include "localisation/tolkar2000.h"
#include "platform/application.h"
#include "platform/form.h"
#include "platform/property_registry.h"
#include "platform/streams.h"

#include <exception>

namespace {

// The argument that names the host's server window. Only this exact spelling
// is left out of the parameter list.
const std::string kServerHandleArg = "/serverhandle=";

void WriteInt32(std::string &Buffer, std::int32_t Value) {
  const auto u = static_cast<std::uint32_t>(Value);
  for (int shift = 0; shift < 32; shift += 8)
    Buffer += static_cast<char>((u >> shift) & 0xFFu);
}

} // namespace

void WriteHostString(std::string &Buffer, const std::string &S) {
  WriteInt32(Buffer, static_cast<std::int32_t>(S.size()));
  Buffer += S;
}

std::string ReadHostString(TStream &Stream) {
  unsigned char bytes[4];
  Stream.ReadBuffer(bytes, 4);
  const std::int32_t n =
      static_cast<std::int32_t>(std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                                std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24);
  if (n <= 0) return {};
  std::string s(static_cast<std::size_t>(n), '\0');
  Stream.ReadBuffer(s.data(), n);
  return s;
}

// ---------------------------------------------------------------------------

TkdbCustomDemon::TkdbCustomDemon(TComponent *AOwner)
    : TComponent(AOwner), translator_(new TTolkar2000(std::string())) {
  SetCommandLine(CurrentCommandLine());
}

TkdbCustomDemon::~TkdbCustomDemon() {
  // Reached without BeforeDestruction only through a bare delete; the
  // translator's own destructor still writes the template, silently.
  delete translator_;
}

void TkdbCustomDemon::ReleaseTranslator() {
  TTolkar2000 *t = translator_;
  translator_ = nullptr;
  TTolkar2000::Free(t);
}

void TkdbCustomDemon::BeforeDestruction() {
  if (shutDown_) return;
  shutDown_ = true;
  if (!serverDown_ && !IsDesigning()) {
    try {
      Disconnect();
    } catch (const std::exception &) {
      // A host that has gone away cannot be told that we go too.
    }
  }
  try {
    ReleaseTranslator();
  } catch (const std::exception &e) {
    // The language template could not be written: the user asked for it, so
    // say so instead of losing it silently.
    Application->HandleException(e);
  }
  // Only the main form's component speaks for the whole program.
  if (!IsDesigning() && Owner() && Owner() == Application->MainForm()) Application->Terminate();
  TComponent::BeforeDestruction();
}

bool TkdbCustomDemon::AutoCreateItlFile() const {
  return translator_ && translator_->AutoCreate;
}

void TkdbCustomDemon::SetAutoCreateItlFile(bool Value) {
  if (translator_) translator_->AutoCreate = Value;
}

void TkdbCustomDemon::Loaded() {
  if (!IsDesigning()) {
    Connect();
    LoadLanguage();
    if (!multiStart_) CheckSingleInstance();
  }
  TComponent::Loaded();
}

void TkdbCustomDemon::LoadLanguage() {
  std::unique_ptr<TMemoryStream> stream;
  if (useTavelinServer_) {
    stream = GetFile(LanguageFileName(QueryFileName(programPath_)));
  } else {
    // Read the whole file first so that a read error part-way leaves the
    // dictionary as it was rather than half loaded.
    try {
      auto file = std::make_unique<TMemoryStream>();
      file->LoadFromFile(LanguageFileName(programPath_), MaxLanguageFileBytes);
      stream = std::move(file);
    } catch (const EStreamError &) {
      stream.reset();
    }
  }
  if (stream && translator_) translator_->LoadDictionary(*stream);
  if (autoTranslate_ && translator_) translator_->TranslateComponent(Owner());
}

std::string TkdbCustomDemon::TranslateText(const std::string &Key) {
  return translator_ ? translator_->Translate(Key) : Key;
}

std::string TkdbCustomDemon::ParamStr(int Index) const {
  // Index 0 is the program path even when Params was replaced or emptied.
  if (Index == 0) return programPath_;
  if (Index < 1 || Index > ParamCount())
    throw EQuorvo("Illegal \"ParamStr\" parameter: " + std::to_string(Index));
  return params_.Strings(Index);
}

void TkdbCustomDemon::SetCommandLine(const TCommandLine &CommandLine) {
  programPath_ = CommandLine.ProgramPath;
  params_.Clear();
  if (programPath_.compare(0, kServerHandleArg.size(), kServerHandleArg) != 0)
    params_.Add(programPath_);
  for (const std::string &arg : CommandLine.Arguments)
    if (arg.compare(0, kServerHandleArg.size(), kServerHandleArg) != 0) params_.Add(arg);
}

void TkdbCustomDemon::ReceiveParams(const std::string &Text) {
  params_.Clear();
  std::size_t start = 0;
  while (start < Text.size()) {
    const std::size_t end = Text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      params_.Add(Text.substr(start));
      break;
    }
    params_.Add(Text.substr(start, end - start));
    start = end + 1;
    if (Text[end] == '\r' && start < Text.size() && Text[start] == '\n') ++start;
  }
  if (OnParamsChange) OnParamsChange(this);
}

bool TkdbCustomDemon::ReceiveQuit(bool AServerDown) {
  serverDown_ = AServerDown;
  bool allow = true;
  if (OnQuitMsgReceived) OnQuitMsgReceived(this, serverDown_, allow);
  if (allow) Application->Terminate();
  return allow;
}

void TkdbCustomDemon::SetTransport(std::unique_ptr<THostTransport> Value) {
  transport_ = std::move(Value);
}

std::string TkdbCustomDemon::OwnEntityRecord() const {
  std::string record;
  WriteInt32(record, transport_ ? static_cast<std::int32_t>(transport_->OwnHandle()) : 0);
  WriteInt32(record, 0); // no single-instance mutex handle yet
  WriteHostString(record, programPath_);
  WriteHostString(record, Application->Title());
  return record;
}

std::unique_ptr<TMemoryStream> TkdbCustomDemon::Request(int Code, const std::string &Content) {
  auto reply = std::make_unique<TMemoryStream>();
  if (transport_) {
    const std::string data = transport_->Send(Code, Content);
    if (!data.empty()) reply->WriteBuffer(data.data(), std::int64_t(data.size()));
    reply->SetPosition(0);
  }
  return reply;
}

void TkdbCustomDemon::Post(int Code, const std::string &Content) {
  if (transport_) transport_->Send(Code, Content);
}

// ---------------------------------------------------------------------------

TkdbDemonClient::TkdbDemonClient(TComponent *AOwner) : TkdbCustomDemon(AOwner) {}

std::string TkdbDemonClient::WindowClassName() const {
  return "ThisIsTheQuorvoClientComponentWindowClass";
}

std::string TkdbDemonClient::WindowName() const {
  return std::string();
}

void TkdbDemonClient::Connect() {
  if (!UseTavelinServer()) return;
  if (!Transport() || !Transport()->ServerFound())
    throw EQuorvo("Quorvo server application is not running");
  Post(dmRegister, OwnEntityRecord());
}

void TkdbDemonClient::Disconnect() {
  Post(dmUnregister, OwnEntityRecord());
}

std::unique_ptr<TMemoryStream> TkdbDemonClient::GetFile(const std::string &FileName) {
  std::string request;
  WriteHostString(request, FileName);
  std::unique_ptr<TMemoryStream> reply = Request(dmGetFile, request);
  unsigned char found = 0;
  reply->ReadBuffer(&found, 1);
  if (found == 0) return nullptr;
  auto file = std::make_unique<TMemoryStream>();
  const std::int64_t rest = reply->Size() - reply->Position();
  if (rest > 0) file->CopyFrom(*reply, rest);
  file->SetPosition(0);
  return file;
}

std::string TkdbDemonClient::QueryFileName(const std::string &Name) {
  std::string request;
  WriteHostString(request, Name);
  return ReadHostString(*Request(dmFileName, request));
}

std::string TkdbDemonClient::QueryText(const std::string &Text) {
  std::string request;
  WriteHostString(request, Text);
  return ReadHostString(*Request(dmQueryText, request));
}

std::string TkdbDemonClient::GetValue(const std::string &Name) {
  if (UseTavelinServer()) {
    std::string request;
    WriteHostString(request, Name);
    return ReadHostString(*Request(dmGetValue, request));
  }
  if (Name != "TavelinWorkArea" && Name != "TavelinHomeDir") return std::string();
  const std::string path = ParamStr(0);
  const std::size_t slash = path.find_last_of('/');
  std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash);
  if (slash == 0) dir = "/";
  if (!dir.empty() && dir.back() != '/' && dir.back() != '\\') dir += '/';
  return dir;
}

// ---------------------------------------------------------------------------

void RegisterHostlinkClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterPlatformClasses();
  RegisterClass<TkdbCustomDemon, TComponent>("TkdbCustomDemon")
      .Boolean("AutoTranslate", &TkdbCustomDemon::AutoTranslate, &TkdbCustomDemon::SetAutoTranslate)
      .Boolean("AutoCreateItlFile", &TkdbCustomDemon::AutoCreateItlFile,
               &TkdbCustomDemon::SetAutoCreateItlFile)
      .Boolean("MultiStart", &TkdbCustomDemon::MultiStart, &TkdbCustomDemon::SetMultiStart)
      .Boolean("UseTavelinServer", &TkdbCustomDemon::UseTavelinServer,
               &TkdbCustomDemon::SetUseTavelinServer)
      .Event("OnGotAMessage", &TkdbCustomDemon::OnGotAMessage)
      .Event("OnQuitMsgReceived", &TkdbCustomDemon::OnQuitMsgReceived)
      .Event("OnParamsChange", &TkdbCustomDemon::OnParamsChange);
  RegisterClass<TkdbDemonClient, TkdbCustomDemon>("TkdbDemonClient");
}
