#include "platform/message_window.h"

#include "helper_loop_hooks.h"
#include "helper_peer.h"
#include "platform/message_frame.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

struct TReceived {
  TMessageWindowHandle Sender = 0;
  std::int32_t Code = 0;
  std::string Block;
  int Count = 0;
};

void Record(TMessageWindow &Window, TReceived &Into) {
  Window.OnCopyData = [&Into](TMessageWindowHandle Sender, std::int32_t Code,
                              const std::string &Block) {
    Into.Sender = Sender;
    Into.Code = Code;
    Into.Block = Block;
    ++Into.Count;
  };
}

class MessageWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    g_shownLoopErrors.clear();
    saved_ = MessageSendTimeout();
  }
  void TearDown() override { SetMessageSendTimeout(saved_); }

private:
  int saved_ = 0;
};

TEST_F(MessageWindowTest, TwoWindowsExchangeBlocksByteForByteInBothDirections) {
  TMessageWindow a("SpectrionTestA", "first"), b("SpectrionTestB", "second");
  TReceived atA, atB;
  Record(a, atA);
  // B answers every request with a reply to its sender, nested in the send.
  b.OnCopyData = [&](TMessageWindowHandle Sender, std::int32_t Code, const std::string &Block) {
    atB = {Sender, Code, Block, atB.Count + 1};
    b.SendCopyData(Sender, 4103, "reply");
  };
  const std::string block("\0\x01\xff binary \r\n", 13);
  ASSERT_TRUE(a.SendCopyData(b.Handle(), 4105, block));
  EXPECT_EQ(atB.Count, 1);
  EXPECT_EQ(atB.Sender, a.Handle());
  EXPECT_EQ(atB.Code, 4105);
  EXPECT_EQ(atB.Block, block);
  EXPECT_EQ(atA.Count, 1);
  EXPECT_EQ(atA.Block, "reply");
  EXPECT_EQ(atA.Sender, b.Handle());
  // An empty block is a message too.
  ASSERT_TRUE(b.SendCopyData(a.Handle(), 4096, ""));
  EXPECT_EQ(atA.Count, 2);
  EXPECT_EQ(atA.Block, "");
}

TEST_F(MessageWindowTest, LookupIgnoresCaseAndNeedsBothNamesAndLiveWindows) {
  TMessageWindowHandle handle = 0;
  {
    TMessageWindow w("SpectrionLookupClass", "Lookup Title \xc3\x84");
    handle = w.Handle();
    EXPECT_NE(handle, 0u);
    EXPECT_TRUE(IsMessageWindow(handle));
    EXPECT_EQ(FindMessageWindow("spectrionlookupclass", "LOOKUP TITLE \xc3\xa4"), handle);
    EXPECT_EQ(FindMessageWindow("SpectrionLookupClass", "Lookup Title"), 0u);
    EXPECT_EQ(FindMessageWindow("SpectrionOtherClass", "Lookup Title \xc3\x84"), 0u);
    EXPECT_EQ(FindMessageWindow("", "Lookup Title \xc3\x84"), 0u);
  }
  EXPECT_FALSE(IsMessageWindow(handle));
  EXPECT_EQ(FindMessageWindow("SpectrionLookupClass", "Lookup Title \xc3\x84"), 0u);
  EXPECT_FALSE(IsMessageWindow(0));
  EXPECT_TRUE(SameWindowName("ABC\xc3\x84", "abc\xc3\xa4"));
  EXPECT_FALSE(SameWindowName("abc", "abcd"));
}

TEST_F(MessageWindowTest, SendsThatCannotBeDeliveredReportFalse) {
  TMessageWindow a("SpectrionTestA", "first");
  TMessageWindowHandle gone = 0;
  {
    TMessageWindow b("SpectrionTestB", "gone");
    gone = b.Handle();
  }
  EXPECT_FALSE(a.SendCopyData(0, 4096, "x"));
  EXPECT_FALSE(a.SendCopyData(gone, 4096, "x"));
  // A block above the limit is refused before anything is sent.
  TMessageWindow b("SpectrionTestB", "second");
  TReceived atB;
  Record(b, atB);
  EXPECT_FALSE(a.SendCopyData(b.Handle(), 4096, std::string(MaxCopyDataBlock + 1, 'x')));
  EXPECT_EQ(atB.Count, 0);
  EXPECT_FALSE(SendRawFrameBytes(b.Handle(), "abc"));
}

TEST_F(MessageWindowTest, HungReceiverCostsAtMostTheSendTimeout) {
  std::atomic<TMessageWindowHandle> handle{0};
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  // The receiver's thread creates its window and then stops serving it.
  std::thread receiver([&] {
    TMessageWindow hung("SpectrionHungClass", "hung");
    handle = hung.Handle();
    WaitForSingleObject(release, 20000);
  });
  while (handle == 0)
    Sleep(1);
  TMessageWindow a("SpectrionTestA", "first");
  SetMessageSendTimeout(300);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(a.SendCopyData(handle, 4096, "hello"));
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - start)
                      .count();
  EXPECT_LT(ms, 2000);
  SetEvent(release);
  receiver.join();
  CloseHandle(release);
}

TEST_F(MessageWindowTest, HandlerErrorIsShownFromTheLoopAfterTheSenderWasAnswered) {
  TMessageWindow a("SpectrionTestA", "first"), b("SpectrionTestB", "second");
  b.OnCopyData = [](TMessageWindowHandle, std::int32_t, const std::string &) {
    throw std::runtime_error("bad message");
  };
  EXPECT_TRUE(a.SendCopyData(b.Handle(), 4096, "one"));
  EXPECT_TRUE(a.SendCopyData(b.Handle(), 4096, "two"));
  EXPECT_TRUE(g_shownLoopErrors.empty()); // not from inside the window procedure
  ProcessWindowMessages(100);
  // One at a time: the second came while the first waited, so it went to stderr.
  ASSERT_EQ(g_shownLoopErrors.size(), 1u);
  EXPECT_EQ(g_shownLoopErrors[0], "bad message");
  EXPECT_TRUE(a.SendCopyData(b.Handle(), 4096, "three"));
  ProcessWindowMessages(100);
  EXPECT_EQ(g_shownLoopErrors.size(), 2u);
}

TEST_F(MessageWindowTest, AnotherProcessFindsOurWindowAndSendsToIt) {
  TMessageWindow w("SpectrionCrossClass", "Cross Title");
  TReceived got;
  Record(w, got);
  EXPECT_EQ(RunPeer(L"send spectrioncrossclass \"cross title\" 4100 \"from peer\""), 0);
  EXPECT_EQ(got.Count, 1);
  EXPECT_EQ(got.Code, 4100);
  EXPECT_EQ(got.Block, "from peer");
  EXPECT_NE(got.Sender, 0u);
  EXPECT_EQ(RunPeer(L"send NoSuchClass nobody 4100 x"), 3);
}

TEST_F(MessageWindowTest, RequestToAnotherProcessGetsItsReplyWhileTheSendWaits) {
  TRunningPeer peer(L"serve SpectrionServeClass \"Serve Title\" 20000");
  ASSERT_TRUE(peer.Started());
  TMessageWindowHandle target = 0;
  for (int i = 0; i < 400 && !target; ++i) {
    target = FindMessageWindow("SPECTRIONSERVECLASS", "serve title");
    if (!target) Sleep(25);
  }
  ASSERT_NE(target, 0u);
  EXPECT_TRUE(IsMessageWindow(target));
  TMessageWindow own("SpectrionTestA", "first");
  TReceived got;
  Record(own, got);
  ASSERT_TRUE(own.SendCopyData(target, 4105, "ping"));
  // The peer's reply reached us before our send returned.
  EXPECT_EQ(got.Count, 1);
  EXPECT_EQ(got.Block, "pong");
  EXPECT_EQ(got.Sender, target);
  EXPECT_EQ(peer.Wait(), 0);
  EXPECT_FALSE(IsMessageWindow(target));
  EXPECT_FALSE(own.SendCopyData(target, 4105, "ping"));
}

TEST_F(MessageWindowTest, OversizeBlockFromAnotherSenderIsRefusedUnhandled) {
  TMessageWindow w("SpectrionTestB", "second");
  TReceived got;
  Record(w, got);
  std::string big(MaxCopyDataBlock + 1, 'x');
  COPYDATASTRUCT data{4096, DWORD(big.size()), big.data()};
  EXPECT_EQ(SendMessageW(reinterpret_cast<HWND>(static_cast<LONG_PTR>(std::int32_t(w.Handle()))),
                         WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)),
            FALSE);
  EXPECT_EQ(got.Count, 0);
}

} // namespace
