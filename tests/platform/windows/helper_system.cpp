#include "helper_system.h"

#include <windows.h>

int RunProgram(const std::wstring &Line) {
  std::wstring line = Line;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE nul = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = si.hStdError = nul;
  PROCESS_INFORMATION pi{};
  const BOOL started =
      ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  if (nul != INVALID_HANDLE_VALUE) ::CloseHandle(nul);
  if (!started) return -1;
  DWORD code = DWORD(-1);
  if (::WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
    ::GetExitCodeProcess(pi.hProcess, &code);
  ::CloseHandle(pi.hThread);
  ::CloseHandle(pi.hProcess);
  return int(code);
}

std::uint32_t ProcessId() {
  return ::GetCurrentProcessId();
}

bool SetEnvironment(const std::wstring &Name, const std::wstring &Value) {
  return ::SetEnvironmentVariableW(Name.c_str(), Value.c_str()) != 0;
}
