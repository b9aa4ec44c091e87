#include "platform/file_input.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string ReadRegularFile(const std::string &FileName, std::int64_t MaxBytes) {
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
  // The size may change while reading; the cap holds for what is read.
  std::string bytes(std::size_t(st.st_size), '\0');
  std::size_t have = 0;
  for (;;) {
    if (have == bytes.size()) {
      if (std::int64_t(have) > MaxBytes) tooLarge();
      bytes.resize(have + 65536);
    }
    const ssize_t n = ::read(fd, bytes.data() + have, bytes.size() - have);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) fail(std::strerror(errno));
    if (n == 0) break;
    have += std::size_t(n);
  }
  if (std::int64_t(have) > MaxBytes) tooLarge();
  bytes.resize(have);
  return bytes;
}
