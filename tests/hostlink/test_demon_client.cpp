#include "hostlink/demon_client.h"

#include "localisation/tolkar2000.h"
#include "platform/application.h"
#include "platform/controls_standard.h"
#include "platform/form.h"
#include "platform/form_loader.h"
#include "platform/property_registry.h"
#include "platform/streams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A fresh directory per test, removed afterwards.
class TempDir {
public:
  TempDir() {
    path_ = fs::temp_directory_path() /
            ("spectrion-hostlink-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    fs::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  std::string File(const std::string &Name) const { return (path_ / Name).string(); }
  std::string Dir() const { return path_.string(); }

private:
  static inline int counter_ = 0;
  fs::path path_;
};

void WriteFile(const std::string &Name, const std::string &Text) {
  std::ofstream(Name, std::ios::binary) << Text;
}

std::string HostString(const std::string &S) {
  std::string b;
  WriteHostString(b, S);
  return b;
}

// A host that answers from a table and records what it was sent. It answers
// as a real host does: by sending the reply back while it handles the request.
class TFakeHost : public THostTransport {
public:
  struct Sent {
    int Code;
    std::string Content;
  };
  static constexpr std::uint32_t kOwn = 0x1234, kServer = 0x5678;
  explicit TFakeHost(std::vector<Sent> *Log, bool Found = true) : log_(Log), found_(Found) {}
  std::uint32_t OwnHandle() const override { return kOwn; }
  std::uint32_t FindWindow(const std::string &, const std::string &) override {
    return found_ ? kServer : 0;
  }
  bool IsWindow(std::uint32_t Handle) override {
    return Handle == kOwn || (found_ && Handle == kServer);
  }
  void SendCopyData(std::uint32_t Target, std::int32_t Code, const std::string &Block) override {
    if (!IsWindow(Target) || Target == kOwn) return;
    log_->push_back({Code, Block.substr(8)});
    auto it = Replies.find({Code, Block.substr(8)});
    if (it != Replies.end() && OnCopyData) OnCopyData(kServer, dmReply, Block.substr(0, 8) + it->second);
  }
  std::map<std::pair<int, std::string>, std::string> Replies;

private:
  std::vector<Sent> *log_;
  bool found_;
};

// A program with a title: an entity record without one asks the host for it.
void SetProgramTitle() {
  Application->SetTitle("Spectrion");
}

struct FormWithDemon {
  FormWithDemon() {
    SetProgramTitle();
    RegisterHostlinkClasses();
    Form = new TForm(nullptr);
    Label = new TLabel(Form);
    Label->SetCaption("TK_Greeting");
    Demon = new TkdbDemonClient(Form);
    Demon->SetUseTavelinServer(false);
  }
  ~FormWithDemon() { Form->Free(); }
  TForm *Form;
  TLabel *Label;
  TkdbDemonClient *Demon;
};

} // namespace

TEST(DemonClient, StartsWithTheDocumentedSettingsAndTheProcessCommandLine) {
  TkdbDemonClient demon(nullptr);
  EXPECT_TRUE(demon.AutoTranslate());
  EXPECT_FALSE(demon.AutoCreateItlFile());
  EXPECT_FALSE(demon.MultiStart());
  EXPECT_TRUE(demon.UseTavelinServer());
  EXPECT_FALSE(demon.ServerDown());
  ASSERT_NE(demon.Translator(), nullptr);
  EXPECT_EQ(demon.Translator()->AppName, "");
  EXPECT_EQ(demon.WindowClassName(), "ThisIsTheQuorvoClientComponentWindowClass");
  EXPECT_EQ(demon.WindowName(), "");
  // Entry 0 is the running test program itself.
  EXPECT_EQ(demon.ParamStr(0), ProgramPath());
  EXPECT_EQ(demon.Params()->Strings(0), ProgramPath());
  EXPECT_FALSE(ProgramPath().empty());
}

TEST(DemonClient, ParamsLeaveOutOnlyTheExactServerHandleArgument) {
  TkdbDemonClient demon(nullptr);
  demon.SetCommandLine({"/opt/sim/spectrion",
                        {"first", "/serverhandle=00AB12CD", "/ServerHandle=00AB12CD", "",
                         "/serverhandle=", "last"}});
  ASSERT_EQ(demon.ParamCount(), 4);
  EXPECT_EQ(demon.ParamStr(0), "/opt/sim/spectrion");
  EXPECT_EQ(demon.ParamStr(1), "first");
  EXPECT_EQ(demon.ParamStr(2), "/ServerHandle=00AB12CD");
  EXPECT_EQ(demon.ParamStr(3), "");
  EXPECT_EQ(demon.ParamStr(4), "last");
  for (int bad : {5, -1}) {
    try {
      demon.ParamStr(bad);
      FAIL() << "index " << bad << " was accepted";
    } catch (const EQuorvo &e) {
      EXPECT_EQ(e.Message(), "Illegal \"ParamStr\" parameter: " + std::to_string(bad));
    }
  }
}

TEST(DemonClient, HandedOverParamsReplaceTheListButNotTheProgramPath) {
  TkdbDemonClient demon(nullptr);
  demon.SetCommandLine({"/opt/sim/spectrion", {"old"}});
  int changes = 0;
  TObject *sender = nullptr;
  demon.OnParamsChange = [&](TObject *Sender) {
    ++changes;
    sender = Sender;
  };
  demon.ReceiveParams("line one\r\nline two\r\n");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(sender, &demon);
  ASSERT_EQ(demon.Params()->Count(), 2);
  EXPECT_EQ(demon.Params()->Strings(0), "line one");
  EXPECT_EQ(demon.ParamStr(1), "line two");
  EXPECT_EQ(demon.ParamStr(0), "/opt/sim/spectrion");
  EXPECT_THROW(demon.ParamStr(2), EQuorvo);

  // CR, LF and CR LF all end a line; an empty line in between stays.
  demon.ReceiveParams("a\rb\n\nc\r\nd");
  ASSERT_EQ(demon.Params()->Count(), 5);
  EXPECT_EQ(demon.Params()->Strings(2), "");
  EXPECT_EQ(demon.Params()->Strings(4), "d");

  // An empty hand-over leaves no entries at all; the program path survives.
  demon.ReceiveParams("");
  EXPECT_EQ(demon.ParamCount(), -1);
  EXPECT_EQ(demon.ParamStr(0), "/opt/sim/spectrion");
  EXPECT_THROW(demon.ParamStr(1), EQuorvo);
  EXPECT_EQ(changes, 3);
}

TEST(DemonClient, WorkAreaWithoutHostIsTheProgramDirectory) {
  TkdbDemonClient demon(nullptr);
  demon.SetUseTavelinServer(false);
  demon.SetCommandLine({"/opt/sim/spectrion", {}});
  EXPECT_EQ(demon.GetValue("TavelinWorkArea"), "/opt/sim/");
  EXPECT_EQ(demon.GetValue("TavelinHomeDir"), "/opt/sim/");
  // Names are compared exactly.
  EXPECT_EQ(demon.GetValue("tavelinworkarea"), "");
  EXPECT_EQ(demon.GetValue("Other"), "");

  demon.SetCommandLine({"/spectrion", {}});
  EXPECT_EQ(demon.GetValue("TavelinWorkArea"), "/");
  // No directory part: nothing to append a separator to.
  demon.SetCommandLine({"spectrion", {}});
  EXPECT_EQ(demon.GetValue("TavelinWorkArea"), "");
}

TEST(DemonClient, AutoCreateItlFileIsTheTranslatorSwitchAndIsPublished) {
  RegisterHostlinkClasses();
  TkdbDemonClient demon(nullptr);
  demon.SetAutoCreateItlFile(true);
  EXPECT_TRUE(demon.Translator()->AutoCreate);
  demon.Translator()->AutoCreate = false;
  EXPECT_FALSE(demon.AutoCreateItlFile());

  const TClassInfo *cls = FindClass("TkdbDemonClient");
  ASSERT_NE(cls, nullptr);
  EXPECT_TRUE(cls->CanCreate());
  std::vector<std::string> names;
  for (const TPropInfo *p : cls->Properties())
    if (p->DeclaringClass() == FindClass("TkdbCustomDemon")) names.push_back(p->Name());
  EXPECT_EQ(names, (std::vector<std::string>{"AutoTranslate", "AutoCreateItlFile", "MultiStart",
                                             "UseTavelinServer", "OnGotAMessage",
                                             "OnQuitMsgReceived", "OnParamsChange"}));
  cls->FindProperty("AutoCreateItlFile")->SetOrdinal(&demon, 1);
  EXPECT_TRUE(demon.Translator()->AutoCreate);
  // The template must not land in the working directory when the demon goes.
  TempDir dir;
  demon.Translator()->TemplateFileName = dir.File("template.itl");
}

TEST(DemonClient, LoadingReadsTheLanguageFileBesideTheProgramAndTranslatesTheOwner) {
  TempDir dir;
  WriteFile(dir.File("spectrion.itl"), "[Greeting]=Hello|$$\r\n[%d K]=%d Kelvin|$$");
  FormWithDemon f;
  f.Demon->SetCommandLine({dir.File("spectrion"), {}});
  f.Demon->Loaded();
  EXPECT_EQ(f.Label->Caption(), "Hello");
  EXPECT_EQ(f.Demon->TranslateText("%d K"), "%d Kelvin");
  EXPECT_FALSE(f.Demon->IsLoading());
}

TEST(DemonClient, LanguageFileNameReplacesTheProgramsExtension) {
  TempDir dir;
  WriteFile(dir.File("demo.itl"), "[Greeting]=Hi|$$");
  FormWithDemon f;
  f.Demon->SetCommandLine({dir.File("demo.bin"), {}});
  f.Demon->Loaded();
  EXPECT_EQ(f.Label->Caption(), "Hi");
}

TEST(DemonClient, WithoutAutoTranslateTheOwnerKeepsItsKeys) {
  TempDir dir;
  WriteFile(dir.File("spectrion.itl"), "[Greeting]=Hello|$$");
  FormWithDemon f;
  f.Demon->SetAutoTranslate(false);
  f.Demon->SetCommandLine({dir.File("spectrion"), {}});
  f.Demon->Loaded();
  EXPECT_EQ(f.Label->Caption(), "TK_Greeting");
  EXPECT_EQ(f.Demon->TranslateText("Greeting"), "Hello");
}

TEST(DemonClient, MissingOrUnreadableLanguageFileLoadsNothing) {
  TempDir dir;
  {
    FormWithDemon f;
    f.Demon->SetCommandLine({dir.File("spectrion"), {}});
    ASSERT_NO_THROW(f.Demon->Loaded());
    EXPECT_EQ(f.Demon->Translator()->Keys.Count(), 0);
    // An unknown key shows without its marker.
    EXPECT_EQ(f.Label->Caption(), "Greeting");
  }
  {
    // A directory where the file should be cannot be read.
    fs::create_directory(dir.File("other.itl"));
    FormWithDemon f;
    f.Demon->SetCommandLine({dir.File("other"), {}});
    ASSERT_NO_THROW(f.Demon->Loaded());
    EXPECT_EQ(f.Demon->Translator()->Keys.Count(), 0);
  }
}

TEST(DemonClient, FormDescriptionCreatesTheComponentAndLoadsAtTheEnd) {
  RegisterHostlinkClasses();
  int changes = 0;
  THandlerTable handlers;
  handlers.Add("cliDemonParamsChange", TNotifyEvent([&](TObject *) { ++changes; }));
  auto *form = new TForm(nullptr);
  ReadComponentText(form, R"(
object frmTest: TForm
  object LTitle: TLabel
    Caption = 'TK_Title'
  end
  object cliDemon: TkdbDemonClient
    AutoTranslate = True
    AutoCreateItlFile = False
    MultiStart = False
    UseTavelinServer = False
    OnParamsChange = cliDemonParamsChange
  end
end
)",
                    &handlers);
  auto *demon = dynamic_cast<TkdbDemonClient *>(form->FindComponent("cliDemon"));
  ASSERT_NE(demon, nullptr);
  EXPECT_FALSE(demon->UseTavelinServer());
  // No language file lies beside the test program: keys lose their marker.
  EXPECT_EQ(dynamic_cast<TLabel *>(form->FindComponent("LTitle"))->Caption(), "Title");
  demon->ReceiveParams("x");
  EXPECT_EQ(changes, 1);
  form->Free();
}

TEST(DemonClient, HostRequiredButMissingFailsWhileLoading) {
  // The log outlives the form: the component withdraws through it when it goes.
  std::vector<TFakeHost::Sent> log;
  FormWithDemon f;
  f.Demon->SetUseTavelinServer(true);
  try {
    f.Demon->Loaded();
    FAIL() << "loading without a server succeeded";
  } catch (const EQuorvo &e) {
    EXPECT_EQ(e.Message(), "Quorvo server application is not running");
  }
  f.Demon->SetTransport(std::make_unique<TFakeHost>(&log, false));
  EXPECT_THROW(f.Demon->Loaded(), EQuorvo);
  EXPECT_TRUE(log.empty());
}

TEST(DemonClient, WithAHostTheLanguageFileAndValuesComeFromIt) {
  std::vector<TFakeHost::Sent> log;
  FormWithDemon f;
  f.Demon->SetUseTavelinServer(true);
  f.Demon->SetCommandLine({"/opt/sim/spectrion", {}});
  auto host = std::make_unique<TFakeHost>(&log);
  host->Replies[{dmFileName, HostString("/opt/sim/spectrion")}] = HostString("/book/sim/demo.exe");
  host->Replies[{dmGetFile, HostString("/book/sim/demo.itl")}] =
      std::string(1, '\x01') + "[Greeting]=From host|$$";
  host->Replies[{dmGetValue, HostString("TavelinWorkArea")}] = HostString("/book/work/");
  host->Replies[{dmGetFile, HostString("unknown")}] = std::string(1, '\0');
  f.Demon->SetTransport(std::move(host));
  f.Demon->Loaded();
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0].Code, dmRegister);
  // The record: handle, mutex handle, program path, title.
  EXPECT_EQ(log[0].Content.substr(0, 8), std::string("\x34\x12\0\0\0\0\0\0", 8));
  EXPECT_EQ(log[0].Content.substr(8, 4 + 18), HostString("/opt/sim/spectrion"));
  EXPECT_EQ(log[1].Code, dmFileName);
  EXPECT_EQ(log[2].Code, dmGetFile);
  EXPECT_EQ(f.Label->Caption(), "From host");
  EXPECT_EQ(f.Demon->GetValue("TavelinWorkArea"), "/book/work/");
  // The host knows no such file: null, not an empty file.
  EXPECT_EQ(f.Demon->GetFile("unknown"), nullptr);
}

TEST(DemonClient, RequestsWithoutReplyFailWithAStreamReadError) {
  TkdbDemonClient demon(nullptr);
  std::vector<TFakeHost::Sent> log;
  demon.SetTransport(std::make_unique<TFakeHost>(&log));
  try {
    demon.GetValue("TavelinWorkArea");
    FAIL() << "an empty reply was read as a value";
  } catch (const EStreamError &e) {
    EXPECT_EQ(e.Message(), "Stream read error");
  }
  EXPECT_THROW(demon.QueryFileName("x"), EStreamError);
  EXPECT_THROW(demon.QueryText("x"), EStreamError);
  EXPECT_THROW(demon.GetFile("x"), EStreamError);
  // Without any transport there is no reply either.
  TkdbDemonClient lonely(nullptr);
  EXPECT_THROW(lonely.GetValue("TavelinWorkArea"), EStreamError);
}

TEST(DemonClient, GoingAwayWithdrawsUnlessTheServerIsDown) {
  SetProgramTitle();
  std::vector<TFakeHost::Sent> log;
  {
    auto *demon = new TkdbDemonClient(nullptr);
    demon->SetTransport(std::make_unique<TFakeHost>(&log));
    demon->Free();
  }
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].Code, dmUnregister);

  log.clear();
  auto *demon = new TkdbDemonClient(nullptr);
  demon->SetTransport(std::make_unique<TFakeHost>(&log));
  bool seenDown = false;
  demon->OnQuitMsgReceived = [&](TObject *, bool Down, bool &Allow) {
    seenDown = Down;
    Allow = false;
  };
  EXPECT_FALSE(demon->ReceiveQuit(true));
  EXPECT_TRUE(seenDown);
  EXPECT_TRUE(demon->ServerDown());
  demon->Free();
  EXPECT_TRUE(log.empty());
}

TEST(DemonClient, OnlyTheMainFormsComponentEndsTheApplicationAsTheFormGoes) {
  ASSERT_FALSE(Application->Terminated()) << "needs an application that has not ended yet";
  auto *main = new TForm(nullptr);
  auto *mainDemon = new TkdbDemonClient(main);
  mainDemon->SetUseTavelinServer(false);
  Application->SetMainForm(main);
  {
    FormWithDemon other; // a second form with its own component goes first
  }
  EXPECT_FALSE(Application->Terminated());
  EXPECT_EQ(Application->MainForm(), main);
  main->Free(); // the way the main window goes at the end of the program
  EXPECT_TRUE(Application->Terminated());
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(DemonClient, TemplateIsWrittenWhenTheComponentGoesAndFailuresAreReported) {
  TempDir dir;
  auto *demon = new TkdbDemonClient(nullptr);
  demon->SetAutoCreateItlFile(true);
  demon->Translator()->TemplateFileName = dir.File("spectrion.itl");
  demon->TranslateText("Missing key");
  demon->Free();
  std::ifstream in(dir.File("spectrion.itl"));
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("[Missing key]="), std::string::npos);

  std::vector<std::string> errors;
  Application->OnException = [&](TObject *, const std::exception &E) {
    errors.push_back(E.what());
  };
  demon = new TkdbDemonClient(nullptr);
  demon->SetAutoCreateItlFile(true);
  demon->Translator()->TemplateFileName = dir.File("no-such-dir/spectrion.itl");
  demon->Free();
  Application->OnException = nullptr;
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_NE(errors[0].find("no-such-dir"), std::string::npos);
}

TEST(HostString, LengthPrefixedLittleEndianBytes) {
  EXPECT_EQ(HostString("abc"), std::string("\x03\0\0\0abc", 7));
  TStringStream in(std::string("\x03\0\0\0abc", 7) + std::string("\xff\xff\xff\xff", 4) +
                   std::string("\x05\0\0\0ab", 6));
  EXPECT_EQ(ReadHostString(in), "abc");
  // A negative length is an empty string and reads nothing more.
  EXPECT_EQ(ReadHostString(in), "");
  EXPECT_THROW(ReadHostString(in), EStreamError);
}
