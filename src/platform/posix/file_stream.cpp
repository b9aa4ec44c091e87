// The file stream on POSIX: a regular file behind a descriptor.
#include "platform/streams.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
std::string SystemReason() {
  return std::strerror(errno);
}
} // namespace

TFileStream::TFileStream(const std::string &FileName, unsigned Mode) : fileName_(FileName) {
  const bool create = (Mode & 0xFF00) == fmCreate;
  int flags = O_RDONLY;
  if (create || (Mode & 3) == fmOpenReadWrite)
    flags = O_RDWR;
  else if ((Mode & 3) == fmOpenWrite)
    flags = O_WRONLY;
  // Opened without blocking and without truncating, so that a FIFO or a
  // device under the name is refused before anything waits on it or is
  // written to it; a file stream only ever holds a regular file.
  handle_ = ::open(FileName.c_str(),
                   flags | (create ? O_CREAT : 0) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  const std::string what = create ? "Cannot create file \"" : "Cannot open file \"";
  const auto fail = [&](const std::string &Reason) {
    if (handle_ >= 0) ::close(int(handle_));
    handle_ = -1;
    const std::string message = what + FileName + "\": " + Reason;
    if (create) throw EFCreateError(message);
    throw EFOpenError(message);
  };
  if (handle_ < 0) fail(SystemReason());
  struct stat st {};
  if (::fstat(int(handle_), &st) != 0) fail(SystemReason());
  if (S_ISDIR(st.st_mode)) fail("it is a directory");
  if (!S_ISREG(st.st_mode)) fail("it is not a regular file");
  ::fcntl(int(handle_), F_SETFL, ::fcntl(int(handle_), F_GETFL) & ~O_NONBLOCK);
  if (create && ::ftruncate(int(handle_), 0) != 0) fail(SystemReason());
}

TFileStream::~TFileStream() {
  if (int(handle_) >= 0) ::close(int(handle_));
}

std::int64_t TFileStream::Read(void *Buffer, std::int64_t Count) {
  std::int64_t total = 0;
  auto *p = static_cast<char *>(Buffer);
  while (total < Count) {
    const ssize_t n = ::read(int(handle_), p + total, std::size_t(Count - total));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    total += n;
  }
  return total;
}

std::int64_t TFileStream::Write(const void *Buffer, std::int64_t Count) {
  std::int64_t total = 0;
  const auto *p = static_cast<const char *>(Buffer);
  while (total < Count) {
    const ssize_t n = ::write(int(handle_), p + total, std::size_t(Count - total));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    total += n;
  }
  return total;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  const off_t r = ::lseek(int(handle_), off_t(Offset), whence);
  if (r < 0) return ::lseek(int(handle_), 0, SEEK_CUR);
  return r;
}

std::int64_t TFileStream::Size() const {
  struct stat st {};
  if (::fstat(int(handle_), &st) != 0) return 0;
  return st.st_size;
}

void TFileStream::SetSize(std::int64_t NewSize) {
  if (::ftruncate(int(handle_), off_t(std::max<std::int64_t>(0, NewSize))) != 0)
    throw EWriteError("Cannot resize file \"" + fileName_ + "\": " + SystemReason());
  if (Position() > NewSize) Seek(0, soEnd);
}
