// The single-instance rule in one process: the lock, the hand-over of the
// parameters to the running instance without a host (through the window it
// recorded beside its lock) and with one (the host's answer, never this
// start itself).
#include "hostlink/demon_client.h"
#include "platform/application.h"
#include "platform/instance_lock.h"
#include "platform/message_window.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// A component whose losing start is recorded instead of ending the process.
class TTestDemon : public TkdbDemonClient {
public:
  using TkdbDemonClient::TkdbDemonClient;
  int SecondStarts = 0;

protected:
  void EndSecondStart() override { ++SecondStarts; }
};

std::string Le32(std::uint32_t V) {
  std::string s;
  for (int i = 0; i < 4; ++i) s += static_cast<char>(V >> (8 * i) & 0xFF);
  return s;
}

std::string Str(const std::string &S) {
  return Le32(std::uint32_t(S.size())) + S;
}

void Prepare(TkdbDemonClient &D, const std::vector<std::string> &Args) {
  D.SetUseTavelinServer(false);
  D.SetAutoTranslate(false);
  D.SetCommandLine({"/opt/sim/single-test", Args});
}

} // namespace

TEST(SingleInstance, WithoutAHostTheSecondStartHandsItsParamsToTheFirst) {
  Application->SetTitle("Spectrion");
  auto *first = new TTestDemon(nullptr);
  Prepare(*first, {"old"});
  std::vector<std::string> received;
  first->OnParamsChange = [&](TObject *) {
    for (int i = 0; i < first->Params()->Count(); ++i) received.push_back(first->Params()->Strings(i));
  };
  first->Loaded();
  EXPECT_EQ(first->SecondStarts, 0);
  EXPECT_NE(first->OwnEntity()->MutexHandle, 0u);
  EXPECT_EQ(TInstanceLock::OwnerWindow("QV_single-test"), first->OwnEntity()->Handle);

  auto *second = new TTestDemon(nullptr);
  Prepare(*second, {"new file.dat", ""});
  second->Loaded();
  EXPECT_EQ(second->SecondStarts, 1);
  EXPECT_EQ(second->OwnEntity()->MutexHandle, 0u);
  EXPECT_EQ(received, (std::vector<std::string>{"/opt/sim/single-test", "new file.dat", ""}));
  second->Free();

  // With MultiStart both run.
  auto *third = new TTestDemon(nullptr);
  Prepare(*third, {});
  third->SetMultiStart(true);
  third->Loaded();
  EXPECT_EQ(third->SecondStarts, 0);
  third->Free();

  // The lock goes with the instance; the next start is the instance.
  first->Free();
  auto *next = new TTestDemon(nullptr);
  Prepare(*next, {});
  next->Loaded();
  EXPECT_EQ(next->SecondStarts, 0);
  EXPECT_NE(next->OwnEntity()->MutexHandle, 0u);
  next->Free();
}

TEST(SingleInstance, TheLockIsAtomicAndNeverInherited) {
  TInstanceLock a, b;
  EXPECT_EQ(a.TryAcquire("QV_lock-test"), TInstanceLock::lrAcquired);
  EXPECT_EQ(b.TryAcquire("QV_lock-test"), TInstanceLock::lrBusy);
  EXPECT_EQ(b.TryAcquire("../escape"), TInstanceLock::lrFailed);
  EXPECT_TRUE(::fcntl(int(a.Handle()), F_GETFD) & FD_CLOEXEC);
  a.SetOwnerWindow(0xABCDEF01);
  EXPECT_EQ(TInstanceLock::OwnerWindow("QV_lock-test"), 0xABCDEF01u);
  a.Release();
  EXPECT_EQ(b.TryAcquire("QV_lock-test"), TInstanceLock::lrAcquired);
  EXPECT_EQ(TInstanceLock::OwnerWindow("QV_lock-test"), 0u);
}

namespace {

// A host that knows two programs with the title "Spectrion": first it
// names the asking start itself, after its withdrawal the running instance.
class TTitleHost : public THostTransport {
public:
  static constexpr std::uint32_t kOwn = 0x10, kServer = 0x20, kRunning = 0x30;
  std::uint32_t OwnHandle() const override { return kOwn; }
  std::uint32_t FindWindow(const std::string &, const std::string &) override { return kServer; }
  bool IsWindow(std::uint32_t H) override { return H == kOwn || H == kServer || H == kRunning; }
  void SendCopyData(std::uint32_t Target, std::int32_t Code, const std::string &Block) override {
    Log.push_back(std::to_string(Target) + ":" + std::to_string(Code));
    if (Code == dmUnregister) unregistered_ = true;
    if (Code == dmParams) Handed = Block.substr(8);
    if (Code == dmFindEntity) {
      const std::uint32_t who = unregistered_ ? kRunning : kOwn;
      OnCopyData(kServer, dmReply, Block.substr(0, 8) + Le32(who) + Le32(0) + Str("/x") + Str("Spectrion"));
    }
  }
  std::vector<std::string> Log;
  std::string Handed;

private:
  bool unregistered_ = false;
};

} // namespace

TEST(SingleInstance, WithAHostASecondStartNeverHandsItsParamsToItself) {
  Application->SetTitle("Spectrion");
  TInstanceLock running;
  ASSERT_EQ(running.TryAcquire("QV_host-single-test"), TInstanceLock::lrAcquired);
  auto *host = new TTitleHost;
  auto *demon = new TTestDemon(nullptr, std::unique_ptr<THostTransport>(host));
  demon->SetUseTavelinServer(false); // the host is there; the language file is not asked for
  demon->SetAutoTranslate(false);
  demon->SetCommandLine({"/opt/host-single-test", {"p"}});
  demon->Loaded();
  EXPECT_EQ(demon->SecondStarts, 1);
  const std::string s = std::to_string(TTitleHost::kServer), r = std::to_string(TTitleHost::kRunning);
  EXPECT_EQ(host->Log, (std::vector<std::string>{s + ":4100", s + ":4099", s + ":4100", r + ":4101"}));
  EXPECT_EQ(host->Handed, "/opt/host-single-test\r\np\r\n");
  demon->Free();
}

TEST(SingleInstance, WhateverSitsUnderTheLockNameNeverGivesTwoInstances) {
  char pattern[] = "/tmp/slock-XXXXXX";
  const std::string base = ::mkdtemp(pattern);
  const char *previous = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved = previous ? previous : "";
  ::setenv("XDG_RUNTIME_DIR", base.c_str(), 1);
  const std::string dir = base + "/spectrion";
  ASSERT_EQ(::mkdir(dir.c_str(), 0700), 0);
  const std::string lock = dir + "/QV_planted.lock";
  const std::string elsewhere = base + "/elsewhere";
  const std::vector<std::pair<std::string, std::function<void()>>> plants = {
      {"a link to a file", [&] {
         FILE *f = std::fopen(elsewhere.c_str(), "w");
         std::fputs("keep", f);
         std::fclose(f);
         ASSERT_EQ(::symlink(elsewhere.c_str(), lock.c_str()), 0);
       }},
      {"a dangling link", [&] { ASSERT_EQ(::symlink("/nonexistent/x", lock.c_str()), 0); }},
      {"an empty directory", [&] { ASSERT_EQ(::mkdir(lock.c_str(), 0700), 0); }},
      {"a directory with contents", [&] {
         ASSERT_EQ(::mkdir(lock.c_str(), 0700), 0);
         FILE *f = std::fopen((lock + "/inside").c_str(), "w");
         std::fclose(f);
       }},
      {"a FIFO", [&] { ASSERT_EQ(::mkfifo(lock.c_str(), 0600), 0); }},
  };
  for (const auto &[what, plant] : plants) {
    SCOPED_TRACE(what);
    plant();
    EXPECT_EQ(TInstanceLock::OwnerWindow("QV_planted"), 0u); // returns, even for a FIFO
    TInstanceLock a, b;
    EXPECT_EQ(a.TryAcquire("QV_planted"), TInstanceLock::lrAcquired);
    EXPECT_EQ(b.TryAcquire("QV_planted"), TInstanceLock::lrBusy);
    a.SetOwnerWindow(0x1234);
    EXPECT_EQ(TInstanceLock::OwnerWindow("QV_planted"), 0x1234u);
    a.Release();
    ::unlink(lock.c_str());
  }
  // The link's target was never written.
  FILE *f = std::fopen(elsewhere.c_str(), "r");
  char text[8] = {};
  ASSERT_TRUE(f && std::fgets(text, sizeof text, f));
  std::fclose(f);
  EXPECT_STREQ(text, "keep");
  if (saved.empty())
    ::unsetenv("XDG_RUNTIME_DIR");
  else
    ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
  std::error_code ec;
  std::filesystem::remove_all(base, ec);
}
