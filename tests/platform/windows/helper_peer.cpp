#include "helper_peer.h"

#include "platform/message_window.h"

#include <windows.h>

int RunPeer(const std::wstring &Arguments, int TimeoutMs) {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), DWORD(path.size())));
  path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"spectrion_window_peer.exe";
  std::wstring line = L"\"" + path + L"\" " + Arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return -1;
  CloseHandle(pi.hThread);
  const ULONGLONG end = GetTickCount64() + ULONGLONG(TimeoutMs);
  DWORD code = DWORD(-1);
  for (;;) {
    const DWORD r = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 50, QS_ALLINPUT);
    if (r == WAIT_OBJECT_0) {
      GetExitCodeProcess(pi.hProcess, &code);
      break;
    }
    ProcessWindowMessages(0);
    if (GetTickCount64() > end) {
      TerminateProcess(pi.hProcess, DWORD(-1));
      break;
    }
  }
  CloseHandle(pi.hProcess);
  return int(code);
}
