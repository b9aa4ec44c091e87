#include "platform/runtime_dir.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Fail(std::string *Error, const std::string &Why) {
  if (Error) *Error = Why;
  return std::string();
}

} // namespace

std::string UserRuntimeDirectory(std::string *Error) {
  std::string dir;
  const char *xdg = std::getenv("XDG_RUNTIME_DIR");
  if (xdg && xdg[0] == '/')
    dir = std::string(xdg) + "/spectrion";
  else
    dir = "/tmp/spectrion-" + std::to_string(::geteuid());
  if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST)
    return Fail(Error, dir + ": " + std::strerror(errno));
  struct stat st;
  if (::lstat(dir.c_str(), &st) != 0) return Fail(Error, dir + ": " + std::strerror(errno));
  if (!S_ISDIR(st.st_mode)) return Fail(Error, dir + ": not a directory");
  if (st.st_uid != ::geteuid()) return Fail(Error, dir + ": owned by another user");
  if ((st.st_mode & 07777) != 0700) return Fail(Error, dir + ": access mode is not 0700");
  return dir;
}
