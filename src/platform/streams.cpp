#include "platform/streams.h"

#include "platform/atomic_file.h"
#include "platform/file_input.h"

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

void TStream::ReadBuffer(void *Buffer, std::int64_t Count) {
  if (Count <= 0) return;
  if (Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void *Buffer, std::int64_t Count) {
  if (Count <= 0) return;
  if (Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream &Source, std::int64_t Count) {
  if (Count == 0) {
    Source.SetPosition(0);
    Count = Source.Size();
  }
  char buffer[8192];
  std::int64_t left = Count;
  while (left > 0) {
    const std::int64_t n = std::min<std::int64_t>(left, sizeof buffer);
    Source.ReadBuffer(buffer, n);
    WriteBuffer(buffer, n);
    left -= n;
  }
  return Count;
}

// ---- memory ------------------------------------------------------------

std::int64_t TMemoryStream::Read(void *Buffer, std::int64_t Count) {
  if (Count <= 0 || pos_ >= Size()) return 0;
  const std::int64_t n = std::min(Count, Size() - pos_);
  std::memcpy(Buffer, data_.data() + pos_, std::size_t(n));
  pos_ += n;
  return n;
}

std::int64_t TMemoryStream::Write(const void *Buffer, std::int64_t Count) {
  if (Count <= 0) return 0;
  if (pos_ + Count > Size()) data_.resize(std::size_t(pos_ + Count));
  std::memcpy(data_.data() + pos_, Buffer, std::size_t(Count));
  pos_ += Count;
  return Count;
}

std::int64_t TMemoryStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  std::int64_t base = 0;
  if (Origin == soCurrent)
    base = pos_;
  else if (Origin == soEnd)
    base = Size();
  // A position before the start is pinned to the start; beyond the end is
  // allowed (reads return nothing, a write extends the stream).
  pos_ = std::max<std::int64_t>(0, base + Offset);
  return pos_;
}

void TMemoryStream::SetSize(std::int64_t NewSize) {
  data_.resize(std::size_t(std::max<std::int64_t>(0, NewSize)));
  pos_ = std::min(pos_, Size());
}

void TMemoryStream::Clear() {
  data_.clear();
  pos_ = 0;
}

void TMemoryStream::LoadFromStream(TStream &Stream) {
  Stream.SetPosition(0);
  const std::int64_t n = Stream.Size();
  data_.resize(std::size_t(n));
  Stream.ReadBuffer(data_.data(), n);
  pos_ = 0;
}

void TMemoryStream::SaveToStream(TStream &Stream) const {
  Stream.WriteBuffer(data_.data(), Size());
}

void TMemoryStream::LoadFromFile(const std::string &FileName, std::int64_t MaxBytes) {
  // Read into a buffer of its own and taken over whole: no copy, and on
  // failure the stream keeps what it held.
  std::vector<char> bytes;
  ReadRegularFile(FileName, MaxBytes, bytes);
  data_.swap(bytes);
  pos_ = 0;
}

void TMemoryStream::SaveToFile(const std::string &FileName) const {
  WriteFileAtomic(FileName, std::string_view(data_.data(), data_.size()));
}

TStringStream::TStringStream(const std::string &Data) {
  WriteBuffer(Data.data(), std::int64_t(Data.size()));
  SetPosition(0);
}

// ---- files -------------------------------------------------------------

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
  fd_ = ::open(FileName.c_str(), flags | (create ? O_CREAT : 0) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
               0666);
  const std::string what = create ? "Cannot create file \"" : "Cannot open file \"";
  const auto fail = [&](const std::string &Reason) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    const std::string message = what + FileName + "\": " + Reason;
    if (create) throw EFCreateError(message);
    throw EFOpenError(message);
  };
  if (fd_ < 0) fail(SystemReason());
  struct stat st {};
  if (::fstat(fd_, &st) != 0) fail(SystemReason());
  if (S_ISDIR(st.st_mode)) fail("it is a directory");
  if (!S_ISREG(st.st_mode)) fail("it is not a regular file");
  ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
  if (create && ::ftruncate(fd_, 0) != 0) fail(SystemReason());
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

std::int64_t TFileStream::Read(void *Buffer, std::int64_t Count) {
  std::int64_t total = 0;
  auto *p = static_cast<char *>(Buffer);
  while (total < Count) {
    const ssize_t n = ::read(fd_, p + total, std::size_t(Count - total));
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
    const ssize_t n = ::write(fd_, p + total, std::size_t(Count - total));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    total += n;
  }
  return total;
}

std::int64_t TFileStream::Seek(std::int64_t Offset, TSeekOrigin Origin) {
  const int whence = Origin == soBeginning ? SEEK_SET : Origin == soCurrent ? SEEK_CUR : SEEK_END;
  const off_t r = ::lseek(fd_, off_t(Offset), whence);
  if (r < 0) return ::lseek(fd_, 0, SEEK_CUR);
  return r;
}

std::int64_t TFileStream::Size() const {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) return 0;
  return st.st_size;
}

void TFileStream::SetSize(std::int64_t NewSize) {
  if (::ftruncate(fd_, off_t(std::max<std::int64_t>(0, NewSize))) != 0)
    throw EWriteError("Cannot resize file \"" + fileName_ + "\": " + SystemReason());
  if (Position() > NewSize) Seek(0, soEnd);
}
