// The message layer byte for byte: every message kind as written and read
// back, stamps, reply pairing, and hostile content.
#include "hostlink/demon_client.h"
#include "hostlink/message_stream.h"
#include "platform/application.h"
#include "platform/form.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#undef FindWindow // the system's macro, not the host interface's member
#else
#include <QTimer>
#endif

namespace {
// Runs Call from the event loop that runs next (a modal form's included).
#if defined(_WIN32)
std::function<void()> g_soon;
void CALLBACK RunSoon(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  if (auto call = std::move(g_soon)) call();
}
void Soon(std::function<void()> Call) {
  g_soon = std::move(Call);
  SetTimer(nullptr, 0, 0, RunSoon);
}
#else
void Soon(std::function<void()> Call) {
  QTimer::singleShot(0, std::move(Call));
}
#endif
} // namespace

namespace {

std::string Bytes(std::initializer_list<int> Values) {
  std::string s;
  for (int v : Values) s += static_cast<char>(v);
  return s;
}

std::string Le32(std::uint32_t V) {
  return Bytes({int(V & 0xFF), int(V >> 8 & 0xFF), int(V >> 16 & 0xFF), int(V >> 24)});
}

std::string Str(const std::string &S) {
  return Le32(std::uint32_t(S.size())) + S;
}

// A host whose answer to each message is a script of the test. It records
// every block it was sent.
class TScriptedHost : public THostTransport {
public:
  static constexpr std::uint32_t kOwn = 0x00C0FFEE, kServer = 0x0BADF00D;
  struct Sent {
    std::int32_t Code;
    std::string Block;
  };
  std::uint32_t OwnHandle() const override { return kOwn; }
  std::uint32_t FindWindow(const std::string &, const std::string &) override { return kServer; }
  bool IsWindow(std::uint32_t Handle) override { return Handle == kOwn || Handle == kServer; }
  void SendCopyData(std::uint32_t Target, std::int32_t Code, const std::string &Block) override {
    if (!IsWindow(Target)) return;
    Log.push_back({Code, Block});
    if (Answer) Answer(Code, Block);
  }
  /// Sends a message from the server to the client's window.
  void Deliver(std::int32_t Code, const std::string &Block) { OnCopyData(kServer, Code, Block); }
  /// Replies with Content to the request whose block is Request.
  void Reply(const std::string &Request, const std::string &Content) {
    Deliver(dmReply, Request.substr(0, 8) + Content);
  }
  std::function<void(std::int32_t Code, const std::string &Block)> Answer;
  std::vector<Sent> Log;
};

struct Client {
  Client() {
    Application->SetTitle("Spectrion");
    auto h = std::make_unique<TScriptedHost>();
    Host = h.get();
    Demon = std::make_unique<TkdbDemonClient>(nullptr, std::move(h));
    Demon->SetCommandLine({"/opt/sim/spectrion", {"a", "b"}});
    Demon->OwnEntity()->SetExeName("/opt/sim/spectrion");
  }
  ~Client() {
    // The test's answers refer to its locals, which are gone by now.
    Host->Answer = nullptr;
    Demon->Free();
    Demon.release();
  }
  TScriptedHost *Host;
  std::unique_ptr<TkdbDemonClient> Demon;
};

std::string Content(const TScriptedHost::Sent &S) {
  return S.Block.substr(8);
}

} // namespace

TEST(WireFormat, StringsIntegersAndStamps) {
  TStringStream out;
  WriteWireString(out, "abc");
  WriteWireString(out, "");
  EXPECT_EQ(out.DataString(), Bytes({3, 0, 0, 0, 'a', 'b', 'c', 0, 0, 0, 0}));

  // A negative or zero length is "" and nothing more is read; a length above
  // the bytes left fails before anything is allocated for it.
  TStringStream in(Le32(0xFFFFFFF0u) + Le32(0) + Le32(0x7FFFFFFF) + "xyz");
  EXPECT_EQ(ReadWireString(in), "");
  EXPECT_EQ(ReadWireString(in), "");
  EXPECT_THROW(ReadWireString(in), EReadError);

  EXPECT_EQ(DateTimeToTimeStamp(2024, 1, 1, 0, 0, 0, 0), (TTimeStamp{0, 738886}));
  EXPECT_EQ(DateTimeToTimeStamp(1, 1, 1, 0, 0, 0, 0).Date, 1);
  EXPECT_EQ(DateTimeToTimeStamp(2000, 3, 1, 12, 34, 56, 789),
            (TTimeStamp{45296789, 730180}));
  // Stamps only move forward: an equal or earlier clock becomes last + 1 ms,
  // carried past midnight.
  EXPECT_EQ(LaterStamp({5, 10}, {7, 10}), (TTimeStamp{8, 10}));
  EXPECT_EQ(LaterStamp({86399999, 10}, {86399999, 10}), (TTimeStamp{0, 11}));
  EXPECT_EQ(LaterStamp({3, 11}, {86399999, 10}), (TTimeStamp{3, 11}));
  TTimeStamp last = NextMessageStamp();
  for (int i = 0; i < 1000; ++i) {
    const TTimeStamp next = NextMessageStamp();
    EXPECT_TRUE(next.Date > last.Date || (next.Date == last.Date && next.Time > last.Time));
    last = next;
  }
}

TEST(WireFormat, EveryClientRequestIsWrittenExactly) {
  Client c;
  TScriptedHost &host = *c.Host;
  host.Answer = [&](std::int32_t Code, const std::string &Block) {
    if (Code == dmFindEntity)
      host.Reply(Block, Le32(0x11223344) + Le32(7) + Str("/bin/other") + Str("Other"));
    if (Code == dmExecute) host.Reply(Block, Le32(4242));
    if (Code == dmGetFile) host.Reply(Block, Bytes({1}) + "file bytes");
    if (Code == dmFileName || Code == dmQueryText || Code == dmGetValue)
      host.Reply(Block, Str("answer " + std::to_string(Code)));
  };
  c.Demon->SetUseTavelinServer(true);
  auto byTitle = c.Demon->FindEntityByTitle("Spectrion");
  auto byHandle = c.Demon->FindEntityByHandle(0x01020304);
  EXPECT_EQ(c.Demon->Execute("/bin/tool", "-x", false, -2), 4242);
  auto file = c.Demon->GetFile("icon.png");
  EXPECT_EQ(c.Demon->QueryFileName("/opt/sim/spectrion"), "answer 4104");
  EXPECT_EQ(c.Demon->QueryText("q"), "answer 4105");
  EXPECT_EQ(c.Demon->GetValue("TavelinWorkArea"), "answer 4106");

  ASSERT_EQ(host.Log.size(), 7u);
  const std::vector<std::pair<std::int32_t, std::string>> expected = {
      {dmFindEntity, Bytes({2}) + Str("Spectrion")},
      {dmFindEntity, Bytes({1, 4, 3, 2, 1})},
      {dmExecute, Str("/bin/tool") + Str("-x") + Bytes({0}) + Le32(0xFFFFFFFE)},
      {dmGetFile, Str("icon.png")},
      {dmFileName, Str("/opt/sim/spectrion")},
      {dmQueryText, Str("q")},
      {dmGetValue, Str("TavelinWorkArea")}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(host.Log[i].Code, expected[i].first) << i;
    EXPECT_EQ(Content(host.Log[i]), expected[i].second) << i;
  }
  ASSERT_TRUE(byTitle && byHandle && file);
  EXPECT_EQ(byTitle->Handle, 0x11223344u);
  EXPECT_EQ(byTitle->MutexHandle, 7u);
  EXPECT_EQ(byTitle->ExeName(), "/bin/other");
  EXPECT_EQ(byTitle->Title(), "Other");
  EXPECT_EQ(byTitle->MutexName(), "QV_other");
  EXPECT_EQ(std::string(file->Memory(), std::size_t(file->Size())), "file bytes");
  EXPECT_EQ(file->Position(), 0);

  // The transfer block starts with the stamp: Time, then Date, of today.
  const std::string &block = host.Log[0].Block;
  TStringStream stamp(block.substr(0, 8));
  const std::int32_t time = ReadInt32(stamp), date = ReadInt32(stamp);
  EXPECT_GE(time, 0);
  EXPECT_LT(time, 86400000);
  EXPECT_GT(date, 738886);

}

TEST(WireFormat, RegisterRecordAndHandedOverParams) {
  Client c;
  c.Demon->SetUseTavelinServer(true);
  c.Demon->SetMultiStart(true);
  c.Demon->SetAutoTranslate(false);
  c.Host->Answer = [&](std::int32_t Code, const std::string &Block) {
    if (Code == dmFileName) c.Host->Reply(Block, Str("/x/spectrion.exe"));
    if (Code == dmGetFile) c.Host->Reply(Block, Bytes({0}));
  };
  EXPECT_NO_THROW(c.Demon->Loaded());
  ASSERT_GE(c.Host->Log.size(), 1u);
  EXPECT_EQ(c.Host->Log[0].Code, dmRegister);
  EXPECT_EQ(Content(c.Host->Log[0]), Le32(TScriptedHost::kOwn) + Le32(0) +
                                         Str("/opt/sim/spectrion") + Str("Spectrion"));

  EXPECT_EQ(ParamListText({"/opt/sim/spectrion", "", "x y"}),
            "/opt/sim/spectrion\r\n\r\nx y\r\n");
  int changes = 0;
  c.Demon->OnParamsChange = [&](TObject *) { ++changes; };
  c.Host->Deliver(dmParams, std::string(8, '\0') + "line one\r\nline two\r\n");
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(c.Demon->Params()->Count(), 2);
  EXPECT_EQ(c.Demon->Params()->Strings(1), "line two");
  // Exactly the 8 stamp bytes: an empty parameter list.
  c.Host->Deliver(dmParams, std::string(8, '\0'));
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(c.Demon->Params()->Count(), 0);
  // Shorter than a stamp: dropped before dispatch.
  c.Host->Deliver(dmParams, std::string(7, '\0'));
  EXPECT_EQ(changes, 2);

  bool down = false;
  int quits = 0;
  c.Demon->OnQuitMsgReceived = [&](TObject *, bool ServerDown, bool &Allow) {
    ++quits;
    down = ServerDown;
    Allow = false;
  };
  c.Host->Deliver(dmQuit, std::string(8, '\0') + Bytes({1}));
  EXPECT_EQ(quits, 1);
  EXPECT_TRUE(down);
  EXPECT_TRUE(c.Demon->ServerDown());
  // An empty quit is a read error and changes nothing.
  c.Host->Deliver(dmQuit, std::string(8, '\0') + Bytes({0}));
  EXPECT_FALSE(c.Demon->ServerDown());
  EXPECT_THROW(c.Host->Deliver(dmQuit, std::string(8, '\0')), EReadError);
  EXPECT_FALSE(c.Demon->ServerDown());
  EXPECT_EQ(quits, 2);

  // Other codes go to OnGotAMessage with code, stamp, sender and content.
  std::vector<std::string> got;
  c.Demon->OnGotAMessage = [&](TObject *, TQuorvoMessageStream &M) {
    got.push_back(std::to_string(M.Code) + ":" + std::to_string(M.Stamp.Time) + ":" +
                  std::to_string(M.SenderEntity()->Handle) + ":" + M.Content());
  };
  c.Host->Deliver(dmExecute, Le32(9) + Le32(738886) + "zz");
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0], "4102:9:" + std::to_string(TScriptedHost::kServer) + ":zz");
}

TEST(Replies, PairByStampEarlierWinsStraysStayAndNestedRequestsPair) {
  Client c;
  c.Demon->SetUseTavelinServer(true);
  TScriptedHost &host = *c.Host;
  // A stray reply with another stamp, then two replies with the request's stamp.
  host.Answer = [&](std::int32_t Code, const std::string &Block) {
    if (Code != dmQueryText) return;
    std::string other = Block.substr(0, 8);
    other[0] = static_cast<char>(other[0] ^ 0x55);
    host.Deliver(dmReply, other + Str("stray"));
    host.Reply(Block, Str("first"));
    host.Reply(Block, Str("second"));
  };
  EXPECT_EQ(c.Demon->QueryText("q"), "first");
  EXPECT_EQ(c.Demon->PendingReplyCount(), 2);
  // A later request never takes an old reply: stamps only grow.
  host.Answer = nullptr;
  EXPECT_THROW(c.Demon->QueryText("again"), EReadError);
  EXPECT_EQ(c.Demon->PendingReplyCount(), 2);

  // While the host handles request A it sends a message whose handler makes
  // request B; each request gets its own reply.
  std::string nested;
  c.Demon->OnGotAMessage = [&](TObject *, TQuorvoMessageStream &) {
    nested = c.Demon->QueryText("inner");
  };
  host.Answer = [&](std::int32_t Code, const std::string &Block) {
    TStringStream content(Block.substr(8));
    const std::string text = ReadWireString(content);
    if (Code != dmQueryText) return;
    if (text == "outer") host.Deliver(4200, Block.substr(0, 8));
    host.Reply(Block, Str("reply to " + text));
  };
  EXPECT_EQ(c.Demon->QueryText("outer"), "reply to outer");
  EXPECT_EQ(nested, "reply to inner");

  // Replies nobody asks for are kept only up to a bound.
  for (int i = 0; i < 100; ++i) host.Deliver(dmReply, Le32(i) + Le32(1) + "x");
  EXPECT_EQ(c.Demon->PendingReplyCount(), 64);
}

TEST(Replies, TruncatedOrMissingEntityRepliesHaveNoSideEffects) {
  Client c;
  c.Demon->SetUseTavelinServer(true);
  std::string reply;
  c.Host->Answer = [&](std::int32_t, const std::string &Block) {
    if (!reply.empty()) c.Host->Reply(Block, reply);
  };
  // No reply: no entity, nothing read.
  EXPECT_EQ(c.Demon->FindEntityByTitle("nobody"), nullptr);
  // A record cut inside its title: a read error, no entity.
  reply = Le32(5) + Le32(0) + Str("/bin/x") + Le32(10) + "abc";
  EXPECT_THROW(c.Demon->FindEntityByHandle(5), EReadError);

  TEntity e(c.Demon.get());
  e.Handle = 77;
  e.SetExeName("/keep/me");
  e.SetTitle("Kept");
  TStringStream cut(Le32(1) + Le32(2) + Str("/new"));
  EXPECT_THROW(e.ReadFrom(cut), EReadError);
  EXPECT_EQ(e.Handle, 77u);
  EXPECT_EQ(e.ExeName(), "/keep/me");
  EXPECT_EQ(e.Title(), "Kept");

  // An unknown field is fetched from the host by the entity's handle.
  reply = Le32(77) + Le32(3) + Str("/from/host") + Str("Host title");
  TEntity lazy(c.Demon.get());
  lazy.Handle = 77;
  EXPECT_EQ(lazy.Title(), "Host title");
  EXPECT_EQ(lazy.MutexHandle, 3u);
  EXPECT_EQ(lazy.MutexName(), "QV_host");
  lazy.SetExeName("C:\\odd\\name.exe");
  EXPECT_EQ(lazy.MutexName(), "QV_C:_odd_name.exe");
}

TEST(Replies, ExecuteFailsWhenNothingStartedOrAWaitIsAsked) {
  Client c;
  c.Demon->SetUseTavelinServer(true);
  std::int32_t pid = 0;
  c.Host->Answer = [&](std::int32_t, const std::string &Block) { c.Host->Reply(Block, Le32(pid)); };
  try {
    c.Demon->Execute("tool", "", false, 0);
    FAIL() << "a pid of 0 was accepted";
  } catch (const EQuorvo &e) {
    EXPECT_EQ(e.Message(), "Could not execute \"tool.\"");
  }
  pid = 99;
  EXPECT_EQ(c.Demon->Execute("tool", "", false, 0), 99);
  EXPECT_THROW(c.Demon->Execute("tool", "", true, 0), EQuorvo);
  // No reply at all: the stream read error.
  c.Host->Answer = nullptr;
  EXPECT_THROW(c.Demon->Execute("tool", "", false, 0), EReadError);
}

TEST(Replies, NothingIsSentWithoutAnOwnWindowOrToHandleZero) {
  Client c;
  TQuorvoMessageStream msg(c.Demon.get()), reply(c.Demon.get());
  msg.Code = dmQueryText;
  TEntity nobody(c.Demon.get());
  msg.SendTo(&nobody, &reply);
  EXPECT_TRUE(c.Host->Log.empty());
  EXPECT_EQ(reply.Size(), 0);
  EXPECT_NE(msg.Stamp.Date, 0);
  EXPECT_EQ(reply.Demon, c.Demon.get());
}

TEST(Quit, AnAcceptedQuitEndsTheApplicationEvenUnderAModalDialog) {
  Client c;
  auto *dialog = new TForm(Application);
  Soon([&] { c.Host->Deliver(dmQuit, std::string(8, '\0') + Bytes({0})); });
  EXPECT_EQ(dialog->ShowModal(), mrCancel);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(c.Demon->ServerDown());
  dialog->Free();
}
