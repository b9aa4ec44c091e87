#include "platform/instance_lock.h"

#include "platform/runtime_dir.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// The lock file for Name; empty when Name cannot be a file name.
std::string LockPath(const std::string &Name, std::string *Error) {
  if (Name.empty() || Name == "." || Name == ".." || Name.find('/') != std::string::npos ||
      Name.find('\0') != std::string::npos) {
    if (Error) *Error = "invalid lock name \"" + Name + "\"";
    return std::string();
  }
  const std::string dir = UserRuntimeDirectory(Error);
  return dir.empty() ? dir : dir + "/" + Name + ".lock";
}

} // namespace

TInstanceLock::TResult TInstanceLock::TryAcquire(const std::string &Name, std::string *Error) {
  Release();
  const std::string path = LockPath(Name, Error);
  if (path.empty()) return lrFailed;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) {
    if (Error) *Error = path + ": " + std::strerror(errno);
    return lrFailed;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    if (Error) *Error = path + ": " + std::strerror(err);
    ::close(fd);
    return err == EWOULDBLOCK ? lrBusy : lrFailed;
  }
  // Never descriptor 0: a handle of 0 means "no lock" to the host.
  if (fd == 0) {
    const int other = ::fcntl(fd, F_DUPFD_CLOEXEC, 1);
    ::close(fd);
    if (other < 0) return lrFailed;
    fd_ = other;
  } else {
    fd_ = fd;
  }
  SetOwnerWindow(0);
  return lrAcquired;
}

void TInstanceLock::SetOwnerWindow(std::uint32_t Window) {
  if (fd_ < 0) return;
  char text[16];
  const int n = std::snprintf(text, sizeof text, "%08x\n", Window);
  if (::ftruncate(fd_, 0) == 0) (void)!::pwrite(fd_, text, std::size_t(n), 0);
}

void TInstanceLock::Release() {
  if (fd_ < 0) return;
  ::close(fd_); // drops the flock
  fd_ = -1;
}

std::uint32_t TInstanceLock::OwnerWindow(const std::string &Name) {
  const std::string path = LockPath(Name, nullptr);
  if (path.empty()) return 0;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return 0;
  char text[16] = {};
  const ssize_t n = ::pread(fd, text, 8, 0);
  ::close(fd);
  if (n != 8) return 0;
  char *end = nullptr;
  const unsigned long v = std::strtoul(text, &end, 16);
  return end == text + 8 ? std::uint32_t(v) : 0;
}
