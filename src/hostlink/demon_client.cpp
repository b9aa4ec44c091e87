#include "hostlink/demon_client.h"

#include "hostlink/window_transport.h"
#include "localisation/tolkar2000.h"
#include "platform/application.h"
#include "platform/form.h"
#include "platform/property_registry.h"
#include "platform/streams.h"
#include "support/registry.h"

#include <chrono>
#include <exception>
#include <thread>

namespace {

// The argument that names the host's server window. Only this exact spelling
// is left out of the parameter list.
const std::string kServerHandleArg = "/serverhandle=";
const std::string kServerClassName = "ThisIsTheQuorvoServerComponentWindowClass";
const std::string kServerWindowName = "ThisIsTheQuorvoServerComponentWindow";
// Replies nobody collected are kept up to this count; the oldest goes first.
constexpr std::size_t kMaxPendingReplies = 64;
// ... and up to this many content bytes together (one largest block).
constexpr std::int64_t kMaxPendingReplyBytes = 64 * 1024 * 1024;

std::string AsciiLower(std::string S) {
  for (char &c : S)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return S;
}

} // namespace

void WriteHostString(std::string &Buffer, const std::string &S) {
  TMemoryStream out;
  WriteWireString(out, S);
  Buffer.append(out.Memory(), std::size_t(out.Size()));
}

std::string ReadHostString(TStream &Stream) {
  return ReadWireString(Stream);
}

std::string ServerHandleSuffix(const std::string &RegistryValue,
                               const std::vector<std::string> &Arguments) {
  std::string suffix = RegistryValue;
  if (suffix.empty() || suffix == "00000000") {
    for (const std::string &arg : Arguments) {
      const std::string lower = AsciiLower(arg);
      if (lower.compare(0, kServerHandleArg.size(), kServerHandleArg) == 0)
        suffix = lower.substr(kServerHandleArg.size());
    }
  }
  return suffix;
}

// ---------------------------------------------------------------------------

TkdbCustomDemon::TkdbCustomDemon(TComponent *AOwner)
    : TComponent(AOwner), translator_(new TTolkar2000(std::string())),
      ownEntity_(std::make_unique<TEntity>(this)), serverEntity_(std::make_unique<TEntity>(this)) {
  const TCommandLine commandLine = CurrentCommandLine();
  arguments_ = commandLine.Arguments;
  SetCommandLine(commandLine);
}

void TkdbCustomDemon::CreateWindowHandle() {
  try {
    SetTransport(std::make_unique<TWindowTransport>(WindowClassName(), WindowName()));
  } catch (const EMessageWindowError &E) {
    // The reason (an unusable runtime directory, as a rule) is what the user can act on.
    throw EQuorvo("Could not create window handle: " + E.Message());
  }
}

void TkdbCustomDemon::FindServerWindow() {
  const std::string suffix = ServerHandleSuffix(
      ReadRegistryString(HKEY_LOCAL_MACHINE, "\\Software\\Vorlant\\tavelin\\demon", "ViewerHandle"),
      arguments_);
  serverEntity_->Handle =
      transport_ ? transport_->FindWindow(kServerClassName + suffix, kServerWindowName + suffix)
                 : 0;
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
  pendingReplies_.clear();
  transport_.reset();
  ownEntity_->Handle = 0;
  lock_.Release();
  ownEntity_->MutexHandle = 0;
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

void TkdbCustomDemon::CheckSingleInstance() {
  const std::string name = ownEntity_->MutexName();
  const TInstanceLock::TResult result = lock_.TryAcquire(name);
  if (result == TInstanceLock::lrFailed) return; // no lock to be had: run unguarded
  if (result == TInstanceLock::lrAcquired) {
    ownEntity_->MutexHandle = lock_.Handle();
    lock_.SetOwnerWindow(ownEntity_->Handle);
    return;
  }
  std::unique_ptr<TEntity> running = FindRunningInstance(name);
  if (lock_.Held()) {
    // The instance ended while we looked for it: this start is the instance now.
    ownEntity_->MutexHandle = lock_.Handle();
    lock_.SetOwnerWindow(ownEntity_->Handle);
    return;
  }
  if (running) {
    TQuorvoMessageStream msg(this);
    msg.Code = dmParams;
    std::vector<std::string> entries;
    for (int i = 0; i < params_.Count(); ++i) entries.push_back(params_.Strings(i));
    const std::string text = ParamListText(entries);
    if (!text.empty()) msg.WriteBuffer(text.data(), std::int64_t(text.size()));
    SendTo(running.get(), &msg, nullptr);
  }
  EndSecondStart();
}

std::unique_ptr<TEntity> TkdbCustomDemon::FindRunningInstance(const std::string &LockName) {
  const std::uint32_t own = ownEntity_->Handle;
  if (serverEntity_->Handle != 0) {
    std::unique_ptr<TEntity> e = FindEntityByTitle(Application->Title());
    // The host may name this very start (it registered under the same
    // title): withdraw it and ask once more.
    if (e && e->Handle == own) {
      PostOwnEntity(dmUnregister);
      e = FindEntityByTitle(Application->Title());
    }
    if (e && e->Handle == own) e.reset();
    if (e) return e;
    // The host does not know the running instance (it may run without
    // using the host): fall back to the window it recorded.
  }
  // The window the running instance recorded beside its lock. A start that
  // won a moment ago may not have recorded it yet, and an instance that ends
  // meanwhile frees the lock for this start.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  do {
    const std::uint32_t window = TInstanceLock::OwnerWindow(LockName);
    if (window != 0 && window != own && IsWindow(window)) {
      auto e = std::make_unique<TEntity>(this);
      e->Handle = window;
      return e;
    }
    if (lock_.TryAcquire(LockName) != TInstanceLock::lrBusy) return nullptr;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (std::chrono::steady_clock::now() < deadline);
  return nullptr;
}

void TkdbCustomDemon::EndSecondStart() {
  // Leave no socket behind, then end at once, as the first start expects.
  transport_.reset();
  EndProcessNow(0);
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
  if (ownEntity_) ownEntity_->SetExeName(programPath_);
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
  ownEntity_->Handle = transport_ ? transport_->OwnHandle() : 0;
  ownEntity_->SetExeName(programPath_);
  ownEntity_->SetTitle(Application->Title());
  if (transport_)
    transport_->OnCopyData = [this](std::uint32_t Sender, std::int32_t Code,
                                    const std::string &Block) {
      ReceiveCopyData(Sender, Code, Block);
    };
  FindServerWindow();
}

bool TkdbCustomDemon::IsWindow(std::uint32_t Handle) const {
  return Handle != 0 && transport_ && transport_->IsWindow(Handle);
}

void TkdbCustomDemon::SendTo(TEntity *Entity, TQuorvoMessageStream *Msg,
                             TQuorvoMessageStream *Reply) {
  Msg->Stamp = NextMessageStamp();
  Msg->Demon = this;
  if (Reply) Reply->Demon = this;
  if (!ownEntity_->IsValid()) return;
  if (Entity && Entity->Handle != 0) transport_->SendCopyData(Entity->Handle, Msg->Code, Msg->TransferBlock());
  for (auto it = pendingReplies_.begin(); it != pendingReplies_.end(); ++it) {
    if ((*it)->Stamp == Msg->Stamp) {
      std::unique_ptr<TQuorvoMessageStream> found = std::move(*it);
      pendingReplies_.erase(it);
      if (Reply) Reply->Assign(*found);
      return;
    }
  }
}

void TkdbCustomDemon::ReceiveCopyData(std::uint32_t Sender, std::int32_t Code,
                                      const std::string &Block) {
  auto msg = std::make_unique<TQuorvoMessageStream>(this);
  if (!msg->LoadTransferBlock(Sender, Code, Block)) return;
  HandleMessage(msg);
}

void TkdbCustomDemon::HandleMessage(std::unique_ptr<TQuorvoMessageStream> &Msg) {
  switch (Msg->Code) {
  case dmQuit: {
    // An empty quit message is a read error: ServerDown stays as it was.
    unsigned char flag = 0;
    Msg->ReadBuffer(&flag, 1);
    ReceiveQuit(flag != 0);
    break;
  }
  case dmReply: {
    // Replies nobody collects (late or stray ones) may hold only so much:
    // the oldest go first. The newest is always kept, so a reply of the
    // largest size can still be collected by the send it answers.
    pendingReplies_.push_back(std::move(Msg));
    std::int64_t held = 0;
    for (const auto &r : pendingReplies_) held += r->Size();
    while (pendingReplies_.size() > 1 &&
           (pendingReplies_.size() > kMaxPendingReplies || held > kMaxPendingReplyBytes)) {
      held -= pendingReplies_.front()->Size();
      pendingReplies_.erase(pendingReplies_.begin());
    }
    break;
  }
  case dmParams:
    ReceiveParams(Msg->Content());
    break;
  default:
    if (OnGotAMessage) OnGotAMessage(this, *Msg);
    break;
  }
}

std::unique_ptr<TQuorvoMessageStream>
TkdbCustomDemon::Request(std::int32_t Code,
                         const std::function<void(TQuorvoMessageStream &)> &Write) {
  TQuorvoMessageStream msg(this);
  msg.Code = Code;
  if (Write) Write(msg);
  auto reply = std::make_unique<TQuorvoMessageStream>(this);
  SendTo(serverEntity_.get(), &msg, reply.get());
  reply->SetPosition(0);
  return reply;
}

void TkdbCustomDemon::PostOwnEntity(std::int32_t Code) {
  TQuorvoMessageStream msg(this);
  msg.Code = Code;
  ownEntity_->WriteTo(msg);
  SendTo(serverEntity_.get(), &msg, nullptr);
}

// ---------------------------------------------------------------------------

TkdbDemonClient::TkdbDemonClient(TComponent *AOwner) : TkdbCustomDemon(AOwner) {
  CreateWindowHandle();
}

TkdbDemonClient::TkdbDemonClient(TComponent *AOwner, std::unique_ptr<THostTransport> Transport)
    : TkdbCustomDemon(AOwner) {
  SetTransport(std::move(Transport));
}

std::string TkdbDemonClient::WindowClassName() const {
  return "ThisIsTheQuorvoClientComponentWindowClass";
}

std::string TkdbDemonClient::WindowName() const {
  return std::string();
}

void TkdbDemonClient::Connect() {
  if (!UseTavelinServer()) return;
  if (ServerEntity()->Handle == 0) throw EQuorvo("Quorvo server application is not running");
  PostOwnEntity(dmRegister);
}

void TkdbDemonClient::Disconnect() {
  PostOwnEntity(dmUnregister);
}

std::unique_ptr<TEntity> TkdbDemonClient::FindEntityByTitle(const std::string &Title) {
  auto reply = Request(dmFindEntity, [&](TQuorvoMessageStream &M) {
    const unsigned char kind = 2;
    M.WriteBuffer(&kind, 1);
    M.WriteString(Title);
  });
  if (reply->Size() == 0) return nullptr;
  auto entity = std::make_unique<TEntity>(this);
  entity->ReadFrom(*reply);
  return entity;
}

std::unique_ptr<TEntity> TkdbDemonClient::FindEntityByHandle(std::uint32_t Handle) {
  auto reply = Request(dmFindEntity, [&](TQuorvoMessageStream &M) {
    const unsigned char kind = 1;
    M.WriteBuffer(&kind, 1);
    WriteInt32(M, static_cast<std::int32_t>(Handle));
  });
  if (reply->Size() == 0) return nullptr;
  auto entity = std::make_unique<TEntity>(this);
  entity->ReadFrom(*reply);
  return entity;
}

std::int32_t TkdbDemonClient::Execute(const std::string &FileName, const std::string &Parameters,
                                      bool Wait, std::int32_t Extra) {
  auto reply = Request(dmExecute, [&](TQuorvoMessageStream &M) {
    M.WriteString(FileName);
    M.WriteString(Parameters);
    const unsigned char wait = Wait ? 1 : 0;
    M.WriteBuffer(&wait, 1);
    WriteInt32(M, Extra);
  });
  const std::int32_t pid = ReadInt32(*reply);
  const std::string failed = "Could not execute \"" + FileName + ".\"";
  if (pid == 0) throw EQuorvo(failed);
  if (!Wait) return pid;
  // The host, not this program, is the started program's parent: where the
  // system lets only a parent wait (Linux), the wait fails and says so.
  std::int32_t exitCode = 0;
  std::string why;
  switch (WaitForProcess(pid, ProcessWaitLimitMs, exitCode, &why)) {
  case pwEnded:
    return exitCode;
  case pwTimedOut:
    throw EQuorvo(failed + " " + why);
  case pwFailed:
    break;
  }
  throw EQuorvo(failed);
}

std::unique_ptr<TMemoryStream> TkdbDemonClient::GetFile(const std::string &FileName) {
  auto reply = Request(dmGetFile, [&](TQuorvoMessageStream &M) { M.WriteString(FileName); });
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
  return Request(dmFileName, [&](TQuorvoMessageStream &M) { M.WriteString(Name); })->ReadString();
}

std::string TkdbDemonClient::QueryText(const std::string &Text) {
  return Request(dmQueryText, [&](TQuorvoMessageStream &M) { M.WriteString(Text); })->ReadString();
}

std::string TkdbDemonClient::GetValue(const std::string &Name) {
  if (UseTavelinServer())
    return Request(dmGetValue, [&](TQuorvoMessageStream &M) { M.WriteString(Name); })
        ->ReadString();
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
