#include "platform/icon_file.h"

#include "platform/exceptions.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void WriteIconFileAtomic(const std::string &Path, std::string_view Bytes) {
  std::string temp = Path + ".XXXXXX";
  const int fd = mkstemp(temp.data());
  auto fail = [&](int error) {
    throw EStreamError("Cannot write file " + Path + ": " + std::strerror(error));
  };
  if (fd < 0) fail(errno);
  // mkstemp creates the file private; an icon is an ordinary readable file.
  (void)fchmod(fd, 0644);
  std::size_t done = 0;
  while (done < Bytes.size()) {
    const ssize_t n = write(fd, Bytes.data() + done, Bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const int error = n < 0 ? errno : EIO;
      close(fd);
      unlink(temp.c_str());
      fail(error);
    }
    done += std::size_t(n);
  }
  int error = fsync(fd) != 0 ? errno : 0;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    unlink(temp.c_str());
    fail(error);
  }
  if (rename(temp.c_str(), Path.c_str()) != 0) {
    error = errno;
    unlink(temp.c_str());
    fail(error);
  }
}
