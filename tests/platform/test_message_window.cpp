// Message windows over real sockets in one process: lookup, synchronous
// sends with nested delivery, and refusal of unsafe directories, foreign
// peers, oversize frames and silent peers. A few tests play a hostile peer
// with raw sockets, which the product never does outside the platform layer.
#include "platform/application.h"
#include "platform/message_frame.h"
#include "platform/message_window.h"
#include "platform/runtime_dir.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// A private runtime directory for one test: XDG_RUNTIME_DIR points into it.
class TRuntimeDir {
public:
  TRuntimeDir() {
    if (const char *old = std::getenv("XDG_RUNTIME_DIR")) previous_ = old;
    char pattern[] = "/tmp/smw-XXXXXX";
    base_ = ::mkdtemp(pattern);
    ::setenv("XDG_RUNTIME_DIR", base_.c_str(), 1);
  }
  ~TRuntimeDir() {
    if (previous_.empty())
      ::unsetenv("XDG_RUNTIME_DIR");
    else
      ::setenv("XDG_RUNTIME_DIR", previous_.c_str(), 1);
    std::error_code ec;
    fs::permissions(base_ + "/spectrion", fs::perms::owner_all, ec);
    fs::remove_all(base_, ec);
  }
  std::string Dir() const { return base_ + "/spectrion"; }
  std::string Base() const { return base_; }

private:
  std::string base_;
  std::string previous_;
};

std::string Hex8(TMessageWindowHandle H) {
  char t[9];
  std::snprintf(t, sizeof t, "%08x", H);
  return t;
}

// A raw socket listening at Path that never accepts: a hung peer.
int SilentListener(const std::string &Path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un a{};
  a.sun_family = AF_UNIX;
  std::strncpy(a.sun_path, Path.c_str(), sizeof a.sun_path - 1);
  EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr *>(&a), sizeof a), 0);
  EXPECT_EQ(::listen(fd, 128), 0);
  return fd;
}

int ConnectRaw(const std::string &Path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un a{};
  a.sun_family = AF_UNIX;
  std::strncpy(a.sun_path, Path.c_str(), sizeof a.sun_path - 1);
  EXPECT_EQ(::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a), 0);
  return fd;
}

struct TReceived {
  TMessageWindowHandle Sender;
  std::int32_t Code;
  std::string Block;
};

} // namespace

TEST(MessageFrame, ReaderTakesExactlyOneFrameAndRefusesOversizeCounts) {
  const std::string frame = EncodeCopyDataHeader(0xA1B2C3D4, -5, 3) + "xyz" + "next";
  EXPECT_EQ(frame.substr(0, 12), std::string("\xD4\xC3\xB2\xA1\xFB\xFF\xFF\xFF\x03\0\0\0", 12));
  TCopyDataFrameReader r;
  std::size_t used = 0;
  for (char c : frame) used += r.Feed(&c, 1); // byte by byte
  EXPECT_TRUE(r.Complete());
  EXPECT_EQ(used, 15u);
  EXPECT_EQ(r.Sender(), 0xA1B2C3D4u);
  EXPECT_EQ(r.Code(), -5);
  EXPECT_EQ(r.Block(), "xyz");

  TCopyDataFrameReader big;
  const std::string header = EncodeCopyDataHeader(1, 1, MaxCopyDataBlock + 1);
  EXPECT_EQ(big.Feed(header.data(), header.size()), 12u);
  EXPECT_TRUE(big.Refused());
  EXPECT_EQ(big.Feed("abc", 3), 0u);
  EXPECT_LT(big.Block().capacity(), 1024u);
}

TEST(MessageWindow, WindowsAreFoundByClassAndTitleAndExchangeNestedMessages) {
  TRuntimeDir runtime;
  TMessageWindow a("ClassA", "Title A"), b("ClassB", "");
  EXPECT_NE(a.Handle(), 0u);
  EXPECT_NE(a.Handle(), b.Handle());
  EXPECT_EQ(FindMessageWindow("ClassB", ""), b.Handle());
  EXPECT_EQ(FindMessageWindow("ClassB", "x"), 0u);
  EXPECT_EQ(FindMessageWindow("ClassA", "Title A"), a.Handle());
  EXPECT_TRUE(IsMessageWindow(b.Handle()));
  EXPECT_FALSE(IsMessageWindow(0));

  std::vector<std::string> order;
  b.OnCopyData = [&](TMessageWindowHandle Sender, std::int32_t Code, const std::string &Block) {
    order.push_back("b got " + std::to_string(Code) + " " + Block);
    EXPECT_EQ(Sender, a.Handle());
    // Answer while handling: the waiting sender receives it before its send returns.
    EXPECT_TRUE(b.SendCopyData(Sender, 4097, "reply"));
    order.push_back("b sent reply");
  };
  a.OnCopyData = [&](TMessageWindowHandle, std::int32_t Code, const std::string &Block) {
    order.push_back("a got " + std::to_string(Code) + " " + Block);
  };
  EXPECT_TRUE(a.SendCopyData(b.Handle(), 4105, std::string("req\0uest", 8)));
  order.push_back("a send returned");
  EXPECT_EQ(order, (std::vector<std::string>{"b got 4105 " + std::string("req\0uest", 8),
                                             "a got 4097 reply", "b sent reply",
                                             "a send returned"}));

  // Nothing reaches handle 0 or a window that went.
  EXPECT_FALSE(a.SendCopyData(0, 1, "x"));
  TMessageWindowHandle gone = 0;
  {
    TMessageWindow c("ClassC", "");
    gone = c.Handle();
    EXPECT_TRUE(a.SendCopyData(gone, 1, "")); // no handler: handled all the same
  }
  EXPECT_FALSE(IsMessageWindow(gone));
  EXPECT_FALSE(a.SendCopyData(gone, 1, "x"));
  EXPECT_EQ(FindMessageWindow("ClassC", ""), 0u);
}

TEST(MessageWindow, UnsafeDirectoriesAreRefused) {
  TRuntimeDir runtime;
  ASSERT_EQ(::mkdir(runtime.Dir().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(runtime.Dir().c_str(), 0755), 0);
  std::string why;
  EXPECT_EQ(UserRuntimeDirectory(&why), "");
  EXPECT_NE(why.find("0700"), std::string::npos);
  EXPECT_THROW(TMessageWindow("C", "T"), EMessageWindowError);

  // A link to a private directory is not the directory itself.
  ASSERT_EQ(::rmdir(runtime.Dir().c_str()), 0);
  const std::string target = runtime.Base() + "/elsewhere";
  ASSERT_EQ(::mkdir(target.c_str(), 0700), 0);
  ASSERT_EQ(::symlink(target.c_str(), runtime.Dir().c_str()), 0);
  EXPECT_EQ(UserRuntimeDirectory(&why), "");
  EXPECT_THROW(TMessageWindow("C", "T"), EMessageWindowError);

  // Created when missing, with mode 0700.
  ASSERT_EQ(::unlink(runtime.Dir().c_str()), 0);
  EXPECT_EQ(UserRuntimeDirectory(), runtime.Dir());
  struct stat st;
  ASSERT_EQ(::stat(runtime.Dir().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(MessageWindow, PeersOfAnotherUserAreRefused) {
  TRuntimeDir runtime;
  TMessageWindow a("A", ""), b("B", "");
  int received = 0;
  b.OnCopyData = [&](TMessageWindowHandle, std::int32_t, const std::string &) { ++received; };
  // b serves only another user: a's connection is closed before anything is read.
  b.SetTrustedUid(::geteuid() + 1);
  EXPECT_FALSE(a.SendCopyData(b.Handle(), 1, "x"));
  EXPECT_EQ(received, 0);
  // a sends only to another user's windows: it does not even write.
  b.SetTrustedUid(::geteuid());
  a.SetTrustedUid(::geteuid() + 1);
  EXPECT_FALSE(a.SendCopyData(b.Handle(), 1, "x"));
  EXPECT_EQ(received, 0);
  a.SetTrustedUid(::geteuid());
  EXPECT_TRUE(a.SendCopyData(b.Handle(), 1, "x"));
  EXPECT_EQ(received, 1);
}

TEST(MessageWindow, StaleWindowsOfDeadProcessesAreReplacedAndDescriptorsCloseOnExec) {
  TRuntimeDir runtime;
  TMessageWindow a("Live", "");
  // A window whose process died: its socket has no listener any more.
  const std::string sock = runtime.Dir() + "/0000abcd.sock";
  ::close(SilentListener(sock));
  {
    std::ofstream info(runtime.Dir() + "/0000abcd.info");
    info << "999999999\n" << "44656164" << "\n" << "\n"; // class "Dead", empty title
  }
  EXPECT_EQ(FindMessageWindow("Dead", ""), 0u);
  EXPECT_FALSE(fs::exists(sock));
  EXPECT_FALSE(fs::exists(runtime.Dir() + "/0000abcd.info"));

  // Every socket the process holds is closed on exec.
  int sockets = 0;
  for (const auto &e : fs::directory_iterator("/proc/self/fd")) {
    std::error_code ec;
    const std::string target = fs::read_symlink(e.path(), ec).string();
    if (target.rfind("socket:", 0) != 0) continue;
    const int fd = std::atoi(e.path().filename().c_str());
    ++sockets;
    EXPECT_TRUE(::fcntl(fd, F_GETFD) & FD_CLOEXEC) << "fd " << fd;
  }
  EXPECT_GE(sockets, 1);
}

TEST(MessageWindow, OversizeAndShortFramesAreDroppedUnhandled) {
  TRuntimeDir runtime;
  TMessageWindow b("B", "");
  std::vector<std::string> got;
  b.OnCopyData = [&](TMessageWindowHandle, std::int32_t, const std::string &B) { got.push_back(B); };
  const std::string path = runtime.Dir() + "/" + Hex8(b.Handle()) + ".sock";

  // A count above the cap: the connection is closed, nothing delivered.
  int fd = ConnectRaw(path);
  const std::string big = EncodeCopyDataHeader(1, 1, MaxCopyDataBlock + 1) + "abc";
  ASSERT_EQ(::send(fd, big.data(), big.size(), MSG_NOSIGNAL), ssize_t(big.size()));
  ProcessWindowMessages(200);
  char c;
  const ssize_t n = ::recv(fd, &c, 1, MSG_DONTWAIT);
  EXPECT_TRUE(n == 0 || (n < 0 && errno == ECONNRESET)) << "the window kept the connection open";
  ::close(fd);

  // A frame that ends early: never delivered.
  fd = ConnectRaw(path);
  const std::string cut = EncodeCopyDataHeader(1, 1, 10) + "abc";
  ASSERT_EQ(::send(fd, cut.data(), cut.size(), MSG_NOSIGNAL), ssize_t(cut.size()));
  ::close(fd);
  ProcessWindowMessages(200);
  EXPECT_TRUE(got.empty());

  // A whole frame written raw is delivered and answered.
  fd = ConnectRaw(path);
  const std::string ok = EncodeCopyDataHeader(1, 7, 2) + "hi";
  ASSERT_EQ(::send(fd, ok.data(), ok.size(), MSG_NOSIGNAL), ssize_t(ok.size()));
  ProcessWindowMessages(500);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0], "hi");
  char result[4];
  EXPECT_EQ(::recv(fd, result, 4, 0), 4);
  ::close(fd);
}

TEST(MessageWindow, ASilentPeerCostsAtMostTheBoundedTimePerSend) {
  TRuntimeDir runtime;
  TMessageWindow a("A", "");
  const int old = MessageSendTimeout();
  SetMessageSendTimeout(100);
  const int listener = SilentListener(runtime.Dir() + "/00001234.sock");
  double worst = 0;
  const auto all = Clock::now();
  for (int i = 0; i < 50; ++i) {
    const auto start = Clock::now();
    EXPECT_FALSE(a.SendCopyData(0x1234, 1, std::string(100, 'x')));
    worst = std::max(worst, std::chrono::duration<double>(Clock::now() - start).count());
  }
  const double total = std::chrono::duration<double>(Clock::now() - all).count();
  SetMessageSendTimeout(old);
  ::close(listener);
  std::printf("silent peer: 50 sends at a 0.1 s bound, worst %.3f s, total %.2f s\n", worst,
              total);
  EXPECT_LE(worst, 0.1 + 0.5);

  // A peer that keeps moving bytes is not cut off: a 20 MiB block to a
  // window served in this process takes longer than the bound only if
  // progress stops, which it never does here.
  SetMessageSendTimeout(200);
  TMessageWindow b("B", "");
  std::size_t size = 0;
  b.OnCopyData = [&](TMessageWindowHandle, std::int32_t, const std::string &B) { size = B.size(); };
  EXPECT_TRUE(a.SendCopyData(b.Handle(), 1, std::string(20 << 20, 'y')));
  EXPECT_EQ(size, std::size_t(20) << 20);
  EXPECT_FALSE(a.SendCopyData(b.Handle(), 1, std::string(MaxCopyDataBlock + 1, 'z')));
  SetMessageSendTimeout(old);
}

namespace {

// Sets an environment variable for one scope (unset when Value is null).
class TEnvSetting {
public:
  TEnvSetting(const char *Name, const char *Value) : name_(Name) {
    if (const char *old = std::getenv(Name)) {
      had_ = true;
      old_ = old;
    }
    if (Value)
      ::setenv(Name, Value, 1);
    else
      ::unsetenv(Name);
  }
  ~TEnvSetting() {
    if (had_)
      ::setenv(name_.c_str(), old_.c_str(), 1);
    else
      ::unsetenv(name_.c_str());
  }

private:
  std::string name_, old_;
  bool had_ = false;
};

std::string HostName() {
  char host[256] = {};
  ::gethostname(host, sizeof host - 1);
  return host;
}

} // namespace

TEST(MessageWindow, ASharedPlaceTakenByAnotherUserFallsBackToTheHome) {
  char pattern[] = "/tmp/smw-shared-XXXXXX";
  const std::string base = ::mkdtemp(pattern);
  const std::string shared = base + "/tmp";
  ASSERT_EQ(::mkdir(shared.c_str(), 01777), 0);
  ASSERT_EQ(::chmod(shared.c_str(), 01777), 0);
  const std::string home = base + "/home";
  ASSERT_EQ(::mkdir(home.c_str(), 0700), 0);
  TEnvSetting noRuntime("XDG_RUNTIME_DIR", nullptr), noCache("XDG_CACHE_HOME", nullptr),
      homeDir("HOME", home.c_str());
  SetSharedRuntimeBase(shared);
  const std::string taken = shared + "/spectrion-" + std::to_string(::geteuid());
  const std::string fallback = home + "/.cache/spectrion/run-" + HostName();

  // What another user may have put there first.
  const std::vector<std::pair<std::string, std::function<void()>>> plants = {
      {"a directory of another user",
       [&] {
         ASSERT_EQ(::mkdir(taken.c_str(), 0700), 0);
         if (::geteuid() == 0) ASSERT_EQ(::chown(taken.c_str(), 65534, 65534), 0);
         else ASSERT_EQ(::chmod(taken.c_str(), 0777), 0); // unusable all the same
       }},
      {"a link to a directory", [&] { ASSERT_EQ(::symlink(home.c_str(), taken.c_str()), 0); }},
      {"a file", [&] { std::ofstream(taken) << "x"; }},
      {"a FIFO", [&] { ASSERT_EQ(::mkfifo(taken.c_str(), 0600), 0); }},
  };
  for (const auto &[what, plant] : plants) {
    SCOPED_TRACE(what);
    plant();
    std::string why;
    EXPECT_EQ(UserRuntimeDirectory(&why), fallback) << why;
    {
      TMessageWindow w("FallbackClass", "");
      EXPECT_EQ(FindMessageWindow("FallbackClass", ""), w.Handle());
      EXPECT_TRUE(fs::exists(fallback + "/" + Hex8(w.Handle()) + ".sock"));
    }
    std::error_code ec;
    fs::remove(taken, ec);
  }

  // When the home cannot be used either, the message says why for both.
  std::ofstream(taken) << "x";
  const std::string notADirectory = base + "/plain-file";
  std::ofstream(notADirectory) << "x";
  {
    TEnvSetting badHome("HOME", notADirectory.c_str());
    std::string why;
    EXPECT_EQ(UserRuntimeDirectory(&why), "");
    EXPECT_NE(why.find(taken + ": not a directory"), std::string::npos) << why;
    EXPECT_NE(why.find("fallback"), std::string::npos) << why;
    EXPECT_NE(why.find(notADirectory + "/.cache"), std::string::npos) << why;
    try {
      TMessageWindow w("C", "T");
      ADD_FAILURE() << "a window without a usable directory";
    } catch (const EMessageWindowError &e) {
      EXPECT_NE(std::string(e.Message()).find(why), std::string::npos) << e.Message();
    }
  }
  SetSharedRuntimeBase("");
  std::error_code ec;
  fs::remove_all(base, ec);
}

TEST(MessageWindow, PlantedFifosNeverHangAndOrphanSocketsAreRemoved) {
  TRuntimeDir runtime;
  ASSERT_EQ(UserRuntimeDirectory(), runtime.Dir());
  // A FIFO under a description file's name would block an open() for reading.
  ASSERT_EQ(::mkfifo((runtime.Dir() + "/0000beef.info").c_str(), 0600), 0);
  const auto start = Clock::now();
  EXPECT_EQ(FindMessageWindow("Anything", ""), 0u);
  EXPECT_FALSE(IsMessageWindow(0xbeef));
  {
    TMessageWindow w("AfterFifo", "");
    EXPECT_EQ(FindMessageWindow("AfterFifo", ""), w.Handle());
  }
  EXPECT_LT(std::chrono::duration<double>(Clock::now() - start).count(), 2.0);

  // Sockets without a description file: an old dead one goes, a fresh one
  // (a window being created now) and a live one stay.
  const std::string old = runtime.Dir() + "/0000dead.sock";
  const std::string fresh = runtime.Dir() + "/0000f00d.sock";
  const std::string live = runtime.Dir() + "/0000a11e.sock";
  ::close(SilentListener(old));
  ::close(SilentListener(fresh));
  const int listener = SilentListener(live);
  const timespec longAgo[2] = {{::time(nullptr) - 60, 0}, {::time(nullptr) - 60, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, old.c_str(), longAgo, AT_SYMLINK_NOFOLLOW), 0);
  ASSERT_EQ(::utimensat(AT_FDCWD, live.c_str(), longAgo, AT_SYMLINK_NOFOLLOW), 0);
  { TMessageWindow w("Sweeper", ""); }
  EXPECT_FALSE(fs::exists(old));
  EXPECT_TRUE(fs::exists(fresh));
  EXPECT_TRUE(fs::exists(live));
  ::close(listener);
}

TEST(MessageWindow, AHandlerErrorIsShownOnceAfterTheSenderWasLetGo) {
  TRuntimeDir runtime;
  TMessageWindow b("Throwing", "");
  b.OnCopyData = [](TMessageWindowHandle, std::int32_t, const std::string &) {
    throw Exception("malformed message");
  };
  std::vector<std::string> shown;
  Application->OnException = [&](TObject *, const std::exception &E) { shown.push_back(E.what()); };
  const std::string path = runtime.Dir() + "/" + Hex8(b.Handle()) + ".sock";
  const std::string frame = EncodeCopyDataHeader(1, 4096, 8) + std::string(8, '\0');
  for (int i = 0; i < 5; ++i) {
    const int fd = ConnectRaw(path);
    ASSERT_EQ(::send(fd, frame.data(), frame.size(), MSG_NOSIGNAL), ssize_t(frame.size()));
    ProcessWindowMessages(200);
    // Answered and closed before anything was shown.
    char result[4];
    EXPECT_EQ(::recv(fd, result, 4, 0), 4);
    EXPECT_EQ(::recv(fd, result, 1, 0), 0);
    ::close(fd);
  }
  EXPECT_TRUE(shown.empty());
  QCoreApplication::processEvents();
  EXPECT_EQ(shown, std::vector<std::string>{"malformed message"});
  Application->OnException = nullptr;
}
