// Message windows on Unix-domain sockets. Between sends the event loop
// serves them through loop_services.h; while a send waits, the send itself
// polls every window and connection of the process.
#include "platform/message_window.h"

#include "platform/application.h"
#include "platform/message_frame.h"
#include "platform/posix/loop_services.h"
#include "platform/runtime_dir.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <poll.h>
#include <random>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int g_sendTimeoutMs = 5000;
// Connections being received at once; beyond this the one that waited
// longest is dropped, so a flood of idle peers cannot exhaust descriptors.
constexpr std::size_t kMaxIncoming = 64;
// Largest read from a socket in one go.
constexpr std::size_t kReadChunk = 64 * 1024;
// A socket without its description file is left alone this long: a window
// being created binds its socket a moment before it writes the file.
constexpr int kOrphanSocketAgeSeconds = 10;

int ElapsedMs(Clock::time_point Since) {
  return int(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - Since).count());
}

std::string HandleHex(TMessageWindowHandle Handle) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", Handle);
  return text;
}

std::string Hex(const std::string &S) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : S) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

bool Unhex(const std::string &S, std::string &Out) {
  if (S.size() % 2) return false;
  Out.clear();
  for (std::size_t i = 0; i < S.size(); i += 2) {
    int v = 0;
    for (int k = 0; k < 2; ++k) {
      const char c = S[i + k];
      int d;
      if (c >= '0' && c <= '9')
        d = c - '0';
      else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
      else
        return false;
      v = v * 16 + d;
    }
    Out += static_cast<char>(v);
  }
  return true;
}

// What a window's description file says: owning process, class name, title.
struct TWindowInfo {
  long Pid = 0;
  std::string ClassName;
  std::string Title;
};

bool ReadInfo(const std::string &Path, TWindowInfo &Info) {
  // Non-blocking and checked to be a regular file: a FIFO planted under the
  // name must not stop the reader in open() or read().
  const int fd = ::open(Path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  std::string text;
  char buf[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0 || text.size() > 1024 * 1024) break;
    text.append(buf, std::size_t(n));
  }
  ::close(fd);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string::npos) break;
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (lines.size() != 3) return false;
  char *end = nullptr;
  Info.Pid = std::strtol(lines[0].c_str(), &end, 10);
  return end && *end == '\0' && Info.Pid > 0 && Unhex(lines[1], Info.ClassName) &&
         Unhex(lines[2], Info.Title);
}

bool ProcessGone(long Pid) {
  return ::kill(pid_t(Pid), 0) != 0 && errno == ESRCH;
}

bool FillAddress(const std::string &Path, sockaddr_un &Address) {
  std::memset(&Address, 0, sizeof Address);
  Address.sun_family = AF_UNIX;
  if (Path.size() >= sizeof Address.sun_path) return false;
  std::memcpy(Address.sun_path, Path.c_str(), Path.size() + 1);
  return true;
}

// Whether nobody listens on the socket at Path any more (its process died).
bool SocketIsDead(const std::string &Path) {
  sockaddr_un address;
  if (!FillAddress(Path, address)) return true;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  const int r = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address);
  const int err = errno;
  ::close(fd);
  return r != 0 && (err == ECONNREFUSED || err == ENOENT);
}

unsigned PeerUid(int Fd, bool &Ok) {
  ucred cred{};
  socklen_t len = sizeof cred;
  Ok = ::getsockopt(Fd, SOL_SOCKET, SO_PEERCRED, &cred, &len) == 0;
  return cred.uid;
}

struct TIncoming;

} // namespace

struct TMessageWindow::Impl {
  TMessageWindow *Owner = nullptr;
  int ListenFd = -1;
  std::string SocketPath;
  std::string InfoPath;
  unsigned TrustedUid = ::geteuid();
  std::unique_ptr<TLoopWatch> Notifier;
};

namespace {

// One connection a peer opened to one of our windows, read as it arrives.
struct TIncoming {
  int Fd = -1;
  TMessageWindowHandle Window = 0;
  TCopyDataFrameReader Reader;
  Clock::time_point LastProgress = Clock::now();
  std::unique_ptr<TLoopWatch> Notifier;
};

void DropNotifier(std::unique_ptr<TLoopWatch> &Notifier) {
  Notifier.reset();
}

// Every window and incoming connection of the process. Windows are served
// by the event loop between sends and by Pump while a send waits.
class THub {
public:
  std::vector<TMessageWindow::Impl *> Windows;
  std::vector<std::unique_ptr<TIncoming>> Incoming;

  // Connections whose message is being handled now (out of Incoming while
  // their handler runs); they count against kMaxIncoming all the same.
  std::size_t Delivering = 0;

  TMessageWindow::Impl *FindLocal(TMessageWindowHandle Handle) const {
    for (auto *w : Windows)
      if (w->Owner->Handle() == Handle) return w;
    return nullptr;
  }

  // Accepts every waiting connection of Window; peers of another user are
  // closed before anything is read. Returns whether one was taken on.
  bool AcceptAll(TMessageWindowHandle Handle) {
    bool any = false;
    for (;;) {
      TMessageWindow::Impl *w = FindLocal(Handle);
      if (!w) return any;
      const int fd = ::accept4(w->ListenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
      if (fd < 0) return any;
      bool ok = false;
      const unsigned uid = PeerUid(fd, ok);
      if (!ok || uid != w->TrustedUid) {
        ::close(fd);
        continue;
      }
      if (Incoming.size() + Delivering >= kMaxIncoming) {
        if (Incoming.empty()) {
          ::close(fd); // every slot is busy handling a message: refused
          continue;
        }
        Close(Incoming.front()->Fd);
      }
      auto in = std::make_unique<TIncoming>();
      in->Fd = fd;
      in->Window = Handle;
      if (EventLoopAvailable()) {
        in->Notifier = WatchReadable(fd, [this, fd] { ReadIncoming(fd); });
        EnsureSweeper();
      }
      Incoming.push_back(std::move(in));
      any = true;
      // The peer may have written the whole frame already.
      ReadIncoming(fd);
    }
  }

  // Reads what a connection has; a complete frame is handled at once.
  // Returns whether anything arrived.
  bool ReadIncoming(int Fd) {
    auto it = std::find_if(Incoming.begin(), Incoming.end(),
                           [Fd](const auto &c) { return c->Fd == Fd; });
    if (it == Incoming.end()) return false;
    TIncoming &c = **it;
    static std::vector<char> buffer(kReadChunk);
    bool progress = false;
    while (!c.Reader.Complete()) {
      const std::size_t want = std::min(c.Reader.Wanted(), buffer.size());
      const ssize_t n = ::recv(Fd, buffer.data(), want, 0);
      if (n < 0 && (errno == EAGAIN || errno == EINTR)) return progress;
      if (n <= 0) {
        Close(Fd);
        return progress;
      }
      progress = true;
      c.LastProgress = Clock::now();
      c.Reader.Feed(buffer.data(), std::size_t(n));
      if (c.Reader.Refused()) {
        Close(Fd);
        return progress;
      }
    }
    // Out of the list before handling: a nested send pumps the others.
    std::unique_ptr<TIncoming> done = std::move(*it);
    Incoming.erase(it);
    DropNotifier(done->Notifier);
    Deliver(*done);
    return true;
  }

  // Handles a complete frame, then answers the sender and closes. An error
  // the handler raises (a malformed message) is the peer's: the peer is
  // answered and let go at once, and the error is shown later from the
  // event loop, never while a send waits or the connection is held.
  void Deliver(TIncoming &C) {
    TMessageWindow::Impl *w = FindLocal(C.Window);
    std::exception_ptr error;
    if (w && w->Owner->OnCopyData) {
      const TCopyDataEvent handler = w->Owner->OnCopyData;
      ++Delivering;
      try {
        handler(C.Reader.Sender(), C.Reader.Code(), C.Reader.Block());
      } catch (const std::exception &) {
        error = std::current_exception();
      }
      --Delivering;
    }
    // The window procedure's result; the sender waits for it.
    const char result[4] = {0, 0, 0, 0};
    (void)!::send(C.Fd, result, sizeof result, MSG_NOSIGNAL | MSG_DONTWAIT);
    ::close(C.Fd);
    if (error) ReportHandlerError(error);
  }

  // Shows one handler error at a time: while one is waiting to be shown or
  // is on screen, later ones only go to standard error, so a peer sending
  // bad messages in a loop cannot stack up boxes.
  void ReportHandlerError(std::exception_ptr Error) {
    if (errorShowing_ || !EventLoopAvailable()) {
      try {
        std::rethrow_exception(Error);
      } catch (const std::exception &e) {
        if (errorShowing_)
          std::fprintf(stderr, "message window: %s\n", e.what());
        else
          Application->HandleException(e);
      }
      return;
    }
    errorShowing_ = true;
    RunSoon([this, Error] {
      try {
        std::rethrow_exception(Error);
      } catch (const std::exception &e) {
        Application->HandleException(e);
      }
      errorShowing_ = false;
    });
  }

  void Close(int Fd) {
    auto it = std::find_if(Incoming.begin(), Incoming.end(),
                           [Fd](const auto &c) { return c->Fd == Fd; });
    if (it == Incoming.end()) return;
    DropNotifier((*it)->Notifier);
    ::close(Fd);
    Incoming.erase(it);
  }

  // Drops connections that made no progress within the send time-out.
  void Sweep() {
    for (std::size_t i = 0; i < Incoming.size();) {
      if (ElapsedMs(Incoming[i]->LastProgress) > g_sendTimeoutMs)
        Close(Incoming[i]->Fd);
      else
        ++i;
    }
    if (Incoming.empty()) sweeper_.reset();
  }

  // Waits up to TimeoutMs for this process's windows and connections (and
  // Extra, when not -1, for ExtraEvents); handles what arrives. Returns
  // whether a message window made progress; ExtraReady tells about Extra.
  bool Pump(int TimeoutMs, int Extra = -1, short ExtraEvents = 0, bool *ExtraReady = nullptr) {
    std::vector<pollfd> fds;
    if (Extra >= 0) fds.push_back({Extra, ExtraEvents, 0});
    const std::size_t firstWindow = fds.size();
    for (auto *w : Windows) fds.push_back({w->ListenFd, POLLIN, 0});
    const std::size_t firstIncoming = fds.size();
    for (auto &c : Incoming) fds.push_back({c->Fd, POLLIN, 0});
    std::vector<TMessageWindowHandle> windows;
    for (auto *w : Windows) windows.push_back(w->Owner->Handle());
    const int r = ::poll(fds.data(), nfds_t(fds.size()), std::max(0, TimeoutMs));
    if (ExtraReady) *ExtraReady = Extra >= 0 && r > 0 && fds[0].revents != 0;
    bool progress = false;
    if (r > 0) {
      for (std::size_t i = firstWindow; i < firstIncoming; ++i)
        if (fds[i].revents) progress |= AcceptAll(windows[i - firstWindow]);
      for (std::size_t i = firstIncoming; i < fds.size(); ++i)
        if (fds[i].revents) progress |= ReadIncoming(fds[i].fd);
    }
    Sweep();
    return progress;
  }

private:
  void EnsureSweeper() {
    if (!sweeper_) sweeper_ = RepeatEvery(1000, [this] { Sweep(); });
  }
  std::unique_ptr<TLoopWatch> sweeper_;
  bool errorShowing_ = false;
};

THub &Hub() {
  static THub *hub = new THub; // lives as long as the process: notifiers call into it
  return *hub;
}

TMessageWindowHandle RandomHandle() {
  static std::mt19937 generator{std::random_device{}()};
  for (;;) {
    const auto h = static_cast<TMessageWindowHandle>(generator());
    if (h != 0 && !Hub().FindLocal(h)) return h;
  }
}

// Whether the socket at Path has no description file beside it, nobody
// listens on it and it is old enough not to be a window being created.
bool OrphanSocket(const std::string &Dir, const std::string &Hex8) {
  const std::string sock = Dir + "/" + Hex8 + ".sock";
  struct stat st {};
  if (::lstat((Dir + "/" + Hex8 + ".info").c_str(), &st) == 0) return false;
  if (::lstat(sock.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode)) return false;
  if (::time(nullptr) - st.st_mtime < kOrphanSocketAgeSeconds) return false;
  return SocketIsDead(sock);
}

// Removes the files of windows whose process no longer exists, and sockets
// left without their description file by a process that died.
void RemoveStaleWindows(const std::string &Dir) {
  DIR *d = ::opendir(Dir.c_str());
  if (!d) return;
  std::vector<std::string> stale;
  std::vector<std::string> sockets;
  while (dirent *e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name.size() != 13) continue;
    if (name.compare(8, 5, ".sock") == 0) sockets.push_back(name.substr(0, 8));
    if (name.compare(8, 5, ".info") != 0) continue;
    TWindowInfo info;
    if (ReadInfo(Dir + "/" + name, info) && ProcessGone(info.Pid)) stale.push_back(name.substr(0, 8));
  }
  ::closedir(d);
  for (const std::string &hex : sockets)
    if (OrphanSocket(Dir, hex)) ::unlink((Dir + "/" + hex + ".sock").c_str());
  for (const std::string &hex : stale) {
    ::unlink((Dir + "/" + hex + ".sock").c_str());
    ::unlink((Dir + "/" + hex + ".info").c_str());
  }
}

bool WriteInfo(const std::string &Dir, const std::string &Hex8, const std::string &Text) {
  const std::string temp = Dir + "/." + Hex8 + ".tmp";
  ::unlink(temp.c_str());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return false;
  const bool ok = ::write(fd, Text.data(), Text.size()) == ssize_t(Text.size());
  ::close(fd);
  if (!ok || ::rename(temp.c_str(), (Dir + "/" + Hex8 + ".info").c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}

} // namespace

TMessageWindow::TMessageWindow(const std::string &ClassName, const std::string &Title)
    : impl_(std::make_unique<Impl>()) {
  std::string why;
  const std::string dir = UserRuntimeDirectory(&why);
  if (dir.empty()) throw EMessageWindowError("no usable directory for message windows: " + why);
  RemoveStaleWindows(dir);
  impl_->Owner = this;
  className_ = ClassName;
  title_ = Title;
  for (int attempt = 0; attempt < 32 && impl_->ListenFd < 0; ++attempt) {
    const TMessageWindowHandle handle = RandomHandle();
    const std::string hex = HandleHex(handle);
    const std::string path = dir + "/" + hex + ".sock";
    sockaddr_un address;
    if (!FillAddress(path, address)) throw EMessageWindowError(path + ": path too long");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) throw EMessageWindowError(std::string("socket: ") + std::strerror(errno));
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
      const int err = errno;
      ::close(fd);
      // A socket left by a process that died is replaced; a live one is not.
      if (err == EADDRINUSE && SocketIsDead(path)) {
        ::unlink(path.c_str());
        ::unlink((dir + "/" + hex + ".info").c_str());
        --attempt;
        continue;
      }
      if (err == EADDRINUSE) continue;
      throw EMessageWindowError(path + ": " + std::strerror(err));
    }
    if (::listen(fd, 64) != 0 ||
        !WriteInfo(dir, hex,
                   std::to_string(::getpid()) + "\n" + Hex(ClassName) + "\n" + Hex(Title) + "\n")) {
      const int err = errno;
      ::close(fd);
      ::unlink(path.c_str());
      throw EMessageWindowError(path + ": " + std::strerror(err));
    }
    handle_ = handle;
    impl_->ListenFd = fd;
    impl_->SocketPath = path;
    impl_->InfoPath = dir + "/" + hex + ".info";
  }
  if (impl_->ListenFd < 0) throw EMessageWindowError("no free message window handle");
  Hub().Windows.push_back(impl_.get());
  if (EventLoopAvailable()) {
    const TMessageWindowHandle handle = handle_;
    impl_->Notifier = WatchReadable(impl_->ListenFd, [handle] { Hub().AcceptAll(handle); });
  }
}

TMessageWindow::~TMessageWindow() {
  THub &hub = Hub();
  hub.Windows.erase(std::remove(hub.Windows.begin(), hub.Windows.end(), impl_.get()),
                    hub.Windows.end());
  std::vector<int> mine;
  for (auto &c : hub.Incoming)
    if (c->Window == handle_) mine.push_back(c->Fd);
  for (int fd : mine) hub.Close(fd);
  DropNotifier(impl_->Notifier);
  ::unlink(impl_->InfoPath.c_str());
  ::unlink(impl_->SocketPath.c_str());
  ::close(impl_->ListenFd);
}

void TMessageWindow::SetTrustedUid(unsigned Uid) {
  impl_->TrustedUid = Uid;
}

bool TMessageWindow::SendCopyData(TMessageWindowHandle Target, std::int32_t Code,
                                  const std::string &Block) {
  if (Target == 0 || Block.size() > MaxCopyDataBlock) return false;
  const std::string dir = UserRuntimeDirectory();
  if (dir.empty()) return false;
  sockaddr_un address;
  if (!FillAddress(dir + "/" + HandleHex(Target) + ".sock", address)) return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  THub &hub = Hub();
  const int timeout = g_sendTimeoutMs;
  const int connectLimit = std::min(1000, timeout);

  // Connect. A full backlog (the receiver is not accepting) is retried
  // within the connect limit; no listener means the window is gone.
  const Clock::time_point start = Clock::now();
  for (;;) {
    if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0) break;
    if (errno != EAGAIN && errno != EINTR) return false;
    const int left = connectLimit - ElapsedMs(start);
    if (left <= 0) return false;
    hub.Pump(std::min(left, 10));
  }
  bool ok = false;
  if (PeerUid(fd, ok) != impl_->TrustedUid || !ok) return false;

  // Waits for Events on the socket, handling our own windows meanwhile.
  // Only this send's own bytes count as its progress: traffic of other
  // connections (another peer trickling bytes) does not stretch its limit.
  Clock::time_point lastProgress = Clock::now();
  auto wait = [&](short Events) {
    for (;;) {
      const int left = timeout - ElapsedMs(lastProgress);
      if (left <= 0) return false;
      bool ready = false;
      hub.Pump(left, fd, Events, &ready);
      if (ready) return true;
    }
  };

  const std::string header =
      EncodeCopyDataHeader(handle_, Code, static_cast<std::uint32_t>(Block.size()));
  for (const std::string *part : {&header, &Block}) {
    std::size_t sent = 0;
    while (sent < part->size()) {
      const ssize_t n =
          ::send(fd, part->data() + sent, part->size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
      if (n > 0) {
        sent += std::size_t(n);
        lastProgress = Clock::now();
      } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
        if (!wait(POLLOUT)) return false;
      } else {
        return false;
      }
    }
  }
  char result[4];
  std::size_t got = 0;
  while (got < sizeof result) {
    const ssize_t n = ::recv(fd, result + got, sizeof result - got, MSG_DONTWAIT);
    if (n > 0) {
      got += std::size_t(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      if (!wait(POLLIN)) return false;
    } else {
      return false; // the receiver closed without handling the message
    }
  }
  return true;
}

TMessageWindowHandle FindMessageWindow(const std::string &ClassName, const std::string &Title) {
  for (auto *w : Hub().Windows)
    if (SameWindowName(w->Owner->ClassName(), ClassName) && SameWindowName(w->Owner->Title(), Title))
      return w->Owner->Handle();
  const std::string dir = UserRuntimeDirectory();
  if (dir.empty()) return 0;
  DIR *d = ::opendir(dir.c_str());
  if (!d) return 0;
  std::vector<std::string> candidates;
  while (dirent *e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name.size() != 13 || name.compare(8, 5, ".info") != 0) continue;
    TWindowInfo info;
    if (ReadInfo(dir + "/" + name, info) && SameWindowName(info.ClassName, ClassName) &&
        SameWindowName(info.Title, Title))
      candidates.push_back(name.substr(0, 8));
  }
  ::closedir(d);
  std::sort(candidates.begin(), candidates.end());
  for (const std::string &hex : candidates) {
    const std::string sock = dir + "/" + hex + ".sock";
    if (SocketIsDead(sock)) {
      ::unlink(sock.c_str());
      ::unlink((dir + "/" + hex + ".info").c_str());
      continue;
    }
    return static_cast<TMessageWindowHandle>(std::strtoul(hex.c_str(), nullptr, 16));
  }
  return 0;
}

bool IsMessageWindow(TMessageWindowHandle Handle) {
  if (Handle == 0) return false;
  if (Hub().FindLocal(Handle)) return true;
  const std::string dir = UserRuntimeDirectory();
  if (dir.empty()) return false;
  TWindowInfo info;
  struct stat st;
  return ReadInfo(dir + "/" + HandleHex(Handle) + ".info", info) && !ProcessGone(info.Pid) &&
         ::lstat((dir + "/" + HandleHex(Handle) + ".sock").c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
}

bool SendRawFrameBytes(TMessageWindowHandle Target, const std::string &Bytes, int PauseMs) {
  const std::string dir = UserRuntimeDirectory();
  sockaddr_un address;
  if (dir.empty() || !FillAddress(dir + "/" + HandleHex(Target) + ".sock", address)) return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const timeval limit{5, 0}; // a tool must not hang on a receiver that stopped reading
  ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
  std::size_t sent = 0;
  while (ok && sent < Bytes.size()) {
    if (PauseMs > 0 && sent > 0) ::usleep(useconds_t(PauseMs) * 1000);
    const std::size_t chunk = PauseMs > 0 ? 1 : Bytes.size() - sent;
    const ssize_t n = ::send(fd, Bytes.data() + sent, chunk, MSG_NOSIGNAL);
    ok = n > 0;
    if (ok) sent += std::size_t(n);
  }
  ::close(fd);
  return ok;
}

int MessageSendTimeout() {
  return g_sendTimeoutMs;
}

void SetMessageSendTimeout(int Milliseconds) {
  g_sendTimeoutMs = std::max(1, Milliseconds);
}

bool ProcessWindowMessages(int Milliseconds) {
  const Clock::time_point start = Clock::now();
  bool handled = false;
  do {
    handled |= Hub().Pump(std::max(0, Milliseconds - ElapsedMs(start)));
  } while (!handled && ElapsedMs(start) < Milliseconds);
  return handled;
}
