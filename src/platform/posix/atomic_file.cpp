#include "platform/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using atomic_file_testing::TStep;

TStep g_failStep = atomic_file_testing::stNone;
int g_failErrno = 0;

// True (with errno set) when a test asked this step to fail.
bool Injected(TStep Step) {
  if (g_failStep != Step || Step == atomic_file_testing::stNone) return false;
  errno = g_failErrno;
  return true;
}

// The longest file name the file systems in use accept.
constexpr std::size_t kNameMax = 255;

std::string Directory(const std::string &Path) {
  const std::size_t slash = Path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return Path.substr(0, slash);
}

std::string BaseName(const std::string &Path) {
  const std::size_t slash = Path.find_last_of('/');
  return slash == std::string::npos ? Path : Path.substr(slash + 1);
}

// Whether a link in Dir may be trusted: outside a shared directory (sticky
// and writable by all, like /tmp) any link is, since only people allowed to
// write the directory could have made it; inside one, only a link of this
// user or of the directory's owner, so that nobody can plant a link there
// that makes us write somewhere else.
bool LinkTrusted(const struct stat &Link, const std::string &Dir) {
  struct stat dir {};
  if (::stat(Dir.c_str(), &dir) != 0) return false;
  const bool shared = (dir.st_mode & S_ISVTX) && (dir.st_mode & S_IWOTH);
  return !shared || Link.st_uid == ::geteuid() || Link.st_uid == dir.st_uid;
}

// Follows symbolic links from Path to the file they finally name (which
// need not exist); Path itself when it is no link. Gives up on loops. A link
// another user planted in a shared directory is refused (EFileWriteError
// naming Original).
std::string FollowLinks(std::string Path, const std::string &Original) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(Path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return Path;
    if (!LinkTrusted(st, Directory(Path)))
      throw EFileWriteError("Cannot write file \"" + Original + "\": \"" + Path +
                            "\" is a symbolic link of another user in a shared directory");
    std::vector<char> buffer(std::size_t(st.st_size > 0 ? st.st_size : 255) + 1);
    const ssize_t n = ::readlink(Path.c_str(), buffer.data(), buffer.size());
    if (n <= 0 || std::size_t(n) >= buffer.size()) return Path;
    std::string link(buffer.data(), std::size_t(n));
    Path = link.front() == '/' ? link : Directory(Path) + "/" + link;
  }
  return Path;
}

// What is wrong, with the system's reason, for the file the caller named.
[[noreturn]] void Fail(const std::string &Target, const std::string &Reason) {
  throw EFileWriteError("Cannot write file \"" + Target + "\": " + Reason);
}
[[noreturn]] void FailErrno(const std::string &Target) {
  Fail(Target, std::strerror(errno));
}

bool SameFile(const struct stat &A, const struct stat &B) {
  return A.st_dev == B.st_dev && A.st_ino == B.st_ino;
}

// Opens the temporary file Temp and takes the writers' lock on it. The
// descriptor returned holds the lock; a file left by a crash is taken over.
// A writer that waited for the lock while another renamed the file away
// finds a different file under the name and starts again.
int LockTemporary(const std::string &Temp, const std::string &Target) {
  for (int attempt = 0; attempt < 16; ++attempt) {
    if (Injected(atomic_file_testing::stOpen)) FailErrno(Target);
    // Non-blocking and without following links: whatever sits under the
    // name is looked at before anything is written to it.
    const int fd = ::open(Temp.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
      if (errno == ELOOP || errno == ENXIO || errno == EISDIR) {
        ::unlink(Temp.c_str()); // not ours to keep: a link or special file under our name
        continue;
      }
      FailErrno(Target);
    }
    struct stat own {};
    if (::fstat(fd, &own) != 0 || !S_ISREG(own.st_mode)) {
      ::close(fd);
      ::unlink(Temp.c_str());
      continue;
    }
    while (::flock(fd, LOCK_EX) != 0) {
      if (errno == EINTR) continue;
      const int e = errno;
      ::close(fd);
      errno = e;
      FailErrno(Target);
    }
    struct stat named {};
    if (::stat(Temp.c_str(), &named) == 0 && SameFile(own, named)) return fd;
    ::close(fd);
  }
  Fail(Target, "its temporary file \"" + Temp + "\" keeps changing");
}

// Writes all of Bytes to Fd; false with errno set when that fails.
bool WriteAll(int Fd, std::string_view Bytes, bool Injectable) {
  std::size_t done = 0;
  while (done < Bytes.size()) {
    if (Injectable && Injected(atomic_file_testing::stWrite)) return false;
    const ssize_t n = ::write(Fd, Bytes.data() + done, Bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd p{Fd, POLLOUT, 0};
      ::poll(&p, 1, -1);
      continue;
    }
    if (n < 0) return false;
    if (n == 0) {
      errno = ENOSPC;
      return false;
    }
    done += std::size_t(n);
  }
  return true;
}

} // namespace

namespace atomic_file_testing {
void FailAt(TStep Step, int Errno) {
  g_failStep = Step;
  g_failErrno = Errno;
}
} // namespace atomic_file_testing

std::string AtomicTemporaryName(const std::string &Path) {
  const std::string base = BaseName(Path);
  const std::string dir = Path.find('/') == std::string::npos ? std::string() : Directory(Path) + "/";
  std::string name = "." + base + ".tmp";
  if (name.size() > kNameMax) {
    // A long name is cut (never inside a UTF-8 sequence) and completed by a
    // hash of the whole name, so that targets sharing a long beginning still
    // get temporary files of their own.
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : base)
      h = (h ^ c) * 1099511628211ull;
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(h));
    std::size_t keep = kNameMax - (1 + 1 + 16 + 4);
    while (keep > 0 && (static_cast<unsigned char>(base[keep]) & 0xC0) == 0x80)
      --keep;
    name = "." + base.substr(0, keep) + "~" + hash + ".tmp";
  }
  return dir + name;
}

void WriteFileAtomic(const std::string &Path, std::string_view Bytes) {
  if (Path.empty()) Fail(Path, "no file name given");
  const std::string target = FollowLinks(Path, Path);
  struct stat old {};
  bool keepMode = false;
  if (::stat(target.c_str(), &old) == 0) {
    if (!S_ISREG(old.st_mode)) Fail(Path, "it is not a regular file");
    // Replacing needs only the directory's permission; a file its owner made
    // read-only is refused as opening it for writing would be.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) FailErrno(Path);
    keepMode = true;
  } else if (errno != ENOENT) {
    FailErrno(Path);
  }

  const std::string temp = AtomicTemporaryName(target);
  const int lock = LockTemporary(temp, Path);
  // From here on, any failure removes the temporary file; the target is
  // untouched until the rename.
  int fd = -1;
  auto abandon = [&](int Errno) {
    if (fd >= 0) ::close(fd);
    ::unlink(temp.c_str());
    ::close(lock);
    errno = Errno;
    FailErrno(Path);
  };
  // A second descriptor does the writing so that its close can be checked
  // before the rename while the first one still holds the lock.
  fd = Injected(atomic_file_testing::stOpen) ? -1 : ::open(temp.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) abandon(errno);
  if (::ftruncate(fd, 0) != 0) abandon(errno);
  // New files get 0666 less the umask, as any program's files do.
  mode_t mode = 0;
  if (keepMode) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  if (::fchmod(fd, mode) != 0) abandon(errno);
  if (!WriteAll(fd, Bytes, true)) abandon(errno);
  if (Injected(atomic_file_testing::stSync) || ::fsync(fd) != 0) abandon(errno);
  const int closing = fd;
  fd = -1;
  if (::close(closing) != 0 || Injected(atomic_file_testing::stClose)) abandon(errno);
  if (Injected(atomic_file_testing::stRename) || ::rename(temp.c_str(), target.c_str()) != 0)
    abandon(errno);
  ::close(lock);

  // The rename itself reaches the disk with the directory.
  const std::string dir = Directory(target);
  const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) FailErrno(Path);
  const bool synced = !Injected(atomic_file_testing::stSyncDirectory) && ::fsync(dirFd) == 0;
  const int e = errno;
  ::close(dirFd);
  // Some file systems cannot flush a directory; that is no failure of ours.
  if (!synced && e != EINVAL && e != ENOTSUP) {
    errno = e;
    FailErrno(Path);
  }
}

void WriteStreamAtomic(const std::string &Path, TStream &Stream) {
  Stream.SetPosition(0);
  std::string bytes(std::size_t(std::max<std::int64_t>(Stream.Size(), 0)), '\0');
  Stream.ReadBuffer(bytes.data(), std::int64_t(bytes.size()));
  WriteFileAtomic(Path, bytes);
}

void WriteStandardOutput(std::string_view Bytes) {
  if (!WriteAll(STDOUT_FILENO, Bytes, false))
    throw EFileWriteError(std::string("Cannot write to standard output: ") + std::strerror(errno));
}
