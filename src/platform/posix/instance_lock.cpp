#include "platform/instance_lock.h"

#include "platform/runtime_dir.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
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

// Opens the lock file at Path as a regular file (never through a link, never
// blocking on a FIFO); otherwise -1 with errno set, ENOLCK when something
// other than a regular file is there.
int OpenRegular(const std::string &Path, int Flags) {
  const int fd = ::open(Path.c_str(), Flags | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    errno = ENOLCK;
    return -1;
  }
  return fd;
}

bool NotRegular(int Errno) {
  return Errno == ELOOP || Errno == EISDIR || Errno == ENXIO || Errno == ENOLCK;
}

// Something other than a regular file sits under the lock's name (a link, a
// directory, a FIFO, a socket): it is moved aside so that every start locks
// the same regular file. Starts that repair at once are serialised by a lock
// on the directory, and each looks again under it, so a lock file another
// start has just made is never moved.
bool MoveAsideNonRegular(const std::string &Path) {
  const std::size_t slash = Path.find_last_of('/');
  const std::string dir = Path.substr(0, slash);
  const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return false;
  bool moved = false;
  if (::flock(dirFd, LOCK_EX) == 0) {
    struct stat st {};
    if (::lstat(Path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
      static std::mt19937 generator{std::random_device{}()};
      char suffix[16];
      std::snprintf(suffix, sizeof suffix, "%08x", unsigned(generator()));
      const std::string aside = dir + "/." + Path.substr(slash + 1) + "." + suffix + ".displaced";
      moved = ::rename(Path.c_str(), aside.c_str()) == 0;
      // An empty directory or anything but a directory is gone for good; a
      // directory with contents stays aside for its owner to look at.
      if (moved && ::unlink(aside.c_str()) != 0) ::rmdir(aside.c_str());
    } else {
      moved = true; // repaired meanwhile by another start
    }
    ::flock(dirFd, LOCK_UN);
  }
  ::close(dirFd);
  return moved;
}

} // namespace

TInstanceLock::TResult TInstanceLock::TryAcquire(const std::string &Name, std::string *Error) {
  Release();
  const std::string path = LockPath(Name, Error);
  if (path.empty()) return lrFailed;
  int fd = OpenRegular(path, O_RDWR | O_CREAT);
  if (fd < 0 && NotRegular(errno) && MoveAsideNonRegular(path)) fd = OpenRegular(path, O_RDWR | O_CREAT);
  if (fd < 0) {
    if (Error)
      *Error = path + ": " + (errno == ENOLCK ? std::string("not a regular file") : std::strerror(errno));
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
  const int fd = OpenRegular(path, O_RDONLY);
  if (fd < 0) return 0;
  char text[16] = {};
  const ssize_t n = ::pread(fd, text, 8, 0);
  ::close(fd);
  if (n != 8) return 0;
  char *end = nullptr;
  const unsigned long v = std::strtoul(text, &end, 16);
  return end == text + 8 ? std::uint32_t(v) : 0;
}
