#include "platform/process_info.h"

#include "platform/windows/system_error.h"
#include "platform/windows/wide_string.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>

std::string ProgramPath() {
  // Long paths do not fit MAX_PATH: the buffer grows until the name fits.
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) return Utf8FromWide(std::wstring_view(buffer.data(), n));
    if (buffer.size() >= 32768) return std::string();
    buffer.resize(buffer.size() * 2);
  }
}

std::vector<std::string> CommandLineArguments() {
  std::vector<std::string> args;
  int count = 0;
  LPWSTR *argv = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!argv) return args;
  for (int i = 1; i < count; ++i)
    args.push_back(Utf8FromWide(argv[i]));
  LocalFree(argv);
  return args;
}

void EndProcessNow(int ExitCode) {
  std::fflush(nullptr);
  // Unlike ExitProcess, no library's detach code and no exit handler runs.
  TerminateProcess(GetCurrentProcess(), UINT(ExitCode));
  for (;;)
    Sleep(INFINITE); // not reached: terminating oneself does not return
}

TProcessWaitResult WaitForProcess(std::int32_t ProcessId, int TimeoutMs, std::int32_t &ExitCode,
                                  std::string *Error) {
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE,
                               static_cast<DWORD>(ProcessId));
  if (!process) {
    if (Error)
      *Error = "process " + std::to_string(ProcessId) + ": " + SystemErrorText(GetLastError());
    return pwFailed;
  }
  const DWORD waited = WaitForSingleObject(process, DWORD(TimeoutMs < 0 ? 0 : TimeoutMs));
  TProcessWaitResult result = pwFailed;
  if (waited == WAIT_TIMEOUT) {
    if (Error)
      *Error = "process " + std::to_string(ProcessId) + " did not end within " +
               std::to_string(TimeoutMs / 1000) + " s";
    result = pwTimedOut;
  } else if (waited != WAIT_OBJECT_0) {
    if (Error)
      *Error = "process " + std::to_string(ProcessId) + ": " + SystemErrorText(GetLastError());
  } else {
    DWORD code = 0;
    if (GetExitCodeProcess(process, &code)) {
      ExitCode = static_cast<std::int32_t>(code);
      result = pwEnded;
    } else if (Error) {
      *Error = "process " + std::to_string(ProcessId) + ": " + SystemErrorText(GetLastError());
    }
  }
  CloseHandle(process);
  return result;
}
