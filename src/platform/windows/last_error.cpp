// The calling thread's last error on Windows: GetLastError's code, in the
// system's words.
#include "support/last_error.h"

#include "platform/windows/system_error.h"

#include <windows.h>

std::string GetLastErrorString() {
  const DWORD code = ::GetLastError();
  if (code == ERROR_SUCCESS) return "(GetLastErrorString failed)";
  return SystemErrorText(code);
}
