#include "helper_peer.h"

#include "platform/message_window.h"

#include <windows.h>

namespace {

std::wstring PeerPath() {
  std::wstring path(MAX_PATH, L'\0');
  path.resize(GetModuleFileNameW(nullptr, path.data(), DWORD(path.size())));
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"spectrion_window_peer.exe";
}

} // namespace

TRunningPeer::TRunningPeer(const std::wstring &Arguments) {
  const std::wstring path = PeerPath();
  std::wstring line = L"\"" + path + L"\" " + Arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(path.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi))
    return;
  CloseHandle(pi.hThread);
  process_ = pi.hProcess;
}

TRunningPeer::~TRunningPeer() {
  if (!process_) return;
  TerminateProcess(process_, DWORD(-1));
  CloseHandle(process_);
}

int TRunningPeer::Wait(int TimeoutMs) {
  if (!process_) return -1;
  const ULONGLONG end = GetTickCount64() + ULONGLONG(TimeoutMs);
  HANDLE process = process_;
  DWORD code = DWORD(-1);
  for (;;) {
    // This thread's windows are served while the peer runs: it may send to them.
    const DWORD r = MsgWaitForMultipleObjects(1, &process, FALSE, 50, QS_ALLINPUT);
    if (r == WAIT_OBJECT_0) {
      GetExitCodeProcess(process, &code);
      break;
    }
    ProcessWindowMessages(0);
    if (GetTickCount64() > end) {
      TerminateProcess(process, DWORD(-1));
      break;
    }
  }
  CloseHandle(process);
  process_ = nullptr;
  return int(code);
}

int RunPeer(const std::wstring &Arguments, int TimeoutMs) {
  TRunningPeer peer(Arguments);
  return peer.Wait(TimeoutMs);
}
