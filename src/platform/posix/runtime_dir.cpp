#include "platform/runtime_dir.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string g_sharedBase = "/tmp";

// Dir as a private directory of this user: created with mode 0700 when
// missing, else accepted only as a real directory of the user with mode 0700.
// Returns the reason it cannot be used, or an empty string.
std::string PrivateDirectoryProblem(const std::string &Dir) {
  if (::mkdir(Dir.c_str(), 0700) != 0 && errno != EEXIST) return Dir + ": " + std::strerror(errno);
  struct stat st;
  if (::lstat(Dir.c_str(), &st) != 0) return Dir + ": " + std::strerror(errno);
  if (S_ISLNK(st.st_mode)) return Dir + ": a symbolic link, not a directory";
  if (!S_ISDIR(st.st_mode)) return Dir + ": not a directory";
  if (st.st_uid != ::geteuid()) return Dir + ": owned by another user";
  if ((st.st_mode & 07777) != 0700) return Dir + ": access mode is not 0700";
  return std::string();
}

std::string HomeDirectory() {
  if (const char *home = std::getenv("HOME"); home && home[0] == '/') return home;
  if (const passwd *pw = ::getpwuid(::geteuid()); pw && pw->pw_dir && pw->pw_dir[0] == '/')
    return pw->pw_dir;
  return std::string();
}

// The fallback below the user's home; each missing level is made 0700.
std::string FallbackDirectory(std::string &Problem) {
  std::string cache;
  if (const char *xdg = std::getenv("XDG_CACHE_HOME"); xdg && xdg[0] == '/') {
    cache = xdg;
  } else {
    const std::string home = HomeDirectory();
    if (home.empty()) {
      Problem = "no home directory is known";
      return std::string();
    }
    cache = home + "/.cache";
  }
  char host[HOST_NAME_MAX + 1] = {};
  if (::gethostname(host, sizeof host - 1) != 0 || host[0] == '\0') std::strcpy(host, "localhost");
  // The home may be shared between machines; sockets and locks are not.
  const std::string dir = cache + "/spectrion/run-" + host;
  if (::mkdir(cache.c_str(), 0700) != 0 && errno != EEXIST) {
    Problem = cache + ": " + std::strerror(errno);
    return std::string();
  }
  if (::mkdir((cache + "/spectrion").c_str(), 0700) != 0 && errno != EEXIST) {
    Problem = cache + "/spectrion: " + std::strerror(errno);
    return std::string();
  }
  Problem = PrivateDirectoryProblem(dir);
  return Problem.empty() ? dir : std::string();
}

std::string Fail(std::string *Error, const std::string &Why) {
  if (Error) *Error = Why;
  return std::string();
}

} // namespace

std::string UserRuntimeDirectory(std::string *Error) {
  const char *xdg = std::getenv("XDG_RUNTIME_DIR");
  if (xdg && xdg[0] == '/') {
    // The session's own directory: nobody else can have planted anything.
    const std::string dir = std::string(xdg) + "/spectrion";
    const std::string problem = PrivateDirectoryProblem(dir);
    return problem.empty() ? dir : Fail(Error, problem);
  }
  const std::string shared = g_sharedBase + "/spectrion-" + std::to_string(::geteuid());
  const std::string problem = PrivateDirectoryProblem(shared);
  if (problem.empty()) return shared;
  std::string fallbackProblem;
  const std::string fallback = FallbackDirectory(fallbackProblem);
  if (!fallback.empty()) return fallback;
  return Fail(Error, problem + "; the fallback in the home directory cannot be used either: " +
                         fallbackProblem);
}

void SetSharedRuntimeBase(const std::string &Directory) {
  g_sharedBase = Directory.empty() ? "/tmp" : Directory;
}
