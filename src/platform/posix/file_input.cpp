#include "platform/file_input.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// Reads into Bytes (a std::string or std::vector<char>), which is resized to
// the bytes read.
template <class Buffer>
void ReadInto(const std::string &FileName, std::int64_t MaxBytes, Buffer &bytes) {
  const auto fail = [&](const std::string &Reason) -> void {
    throw EFOpenError("Cannot open file \"" + FileName + "\": " + Reason);
  };
  // Opening a FIFO for reading would wait for a writer; without blocking it
  // opens at once and is then refused as not regular.
  const int fd = ::open(FileName.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) fail(std::strerror(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) fail(std::strerror(errno));
  if (S_ISDIR(st.st_mode)) fail("it is a directory");
  if (!S_ISREG(st.st_mode)) fail("it is not a regular file");
  const auto tooLarge = [&] { fail("it is larger than " + std::to_string(MaxBytes) + " bytes"); };
  if (st.st_size > MaxBytes) tooLarge();
  // The file is read into a buffer of its size; whatever it grew by
  // meanwhile is read through a small one, so the buffer only grows when
  // there really is more (the cap holds for what is read).
  bytes.assign(std::size_t(st.st_size), '\0');
  std::size_t have = 0;
  char more[65536];
  for (;;) {
    const bool full = have == bytes.size();
    char *into = full ? more : bytes.data() + have;
    const std::size_t room = full ? sizeof more : bytes.size() - have;
    const ssize_t n = ::read(fd, into, room);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail(std::strerror(errno));
    if (n == 0) break;
    if (std::int64_t(have) + n > MaxBytes) tooLarge();
    if (full) bytes.insert(bytes.end(), more, more + n);
    have += std::size_t(n);
  }
  bytes.resize(have);
}

} // namespace

std::string ReadRegularFile(const std::string &FileName, std::int64_t MaxBytes) {
  std::string bytes;
  ReadInto(FileName, MaxBytes, bytes);
  return bytes;
}

void ReadRegularFile(const std::string &FileName, std::int64_t MaxBytes, std::vector<char> &Bytes) {
  ReadInto(FileName, MaxBytes, Bytes);
}
