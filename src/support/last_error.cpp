#include "support/last_error.h"

#include <cerrno>
#include <cstring>

std::string GetLastErrorString() {
  const int code = errno;
  if (code == 0) return "(GetLastErrorString failed)";
  char buffer[256];
  const char *text = ::strerror_r(code, buffer, sizeof buffer);
  if (!text || !*text) return "(GetLastErrorString failed)";
  return text;
}
