// Console events end the run from the event loop: the handler thread posts
// a message to a message-only window of the thread that installed it.
#include "platform/termination_signals.h"

#include "platform/windows/console_control.h"

#include <windows.h>

#include <cstdlib>

namespace {

constexpr UINT kEndRun = WM_APP + 0x52;
// The system gives a closing console about 5 s before it ends the process.
constexpr int kCloseWaitMs = 4500;

HWND g_wakeWindow = nullptr;
// Set once the program is leaving: a waiting handler may return.
HANDLE g_finished = nullptr;

LRESULT CALLBACK WakeProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam) {
  if (Message == kEndRun) {
    EndRunFromOutside();
    return 0;
  }
  return DefWindowProcW(Window, Message, WParam, LParam);
}

BOOL WINAPI OnConsoleEvent(DWORD Type) {
  return RequestEndRunForConsoleEvent(Type, kCloseWaitMs) ? TRUE : FALSE;
}

} // namespace

bool RequestEndRunForConsoleEvent(std::uint32_t Type, int WaitMs) {
  switch (Type) {
  case CTRL_C_EVENT:
  case CTRL_BREAK_EVENT:
    return g_wakeWindow && PostMessageW(g_wakeWindow, kEndRun, 0, 0);
  case CTRL_CLOSE_EVENT:
  case CTRL_LOGOFF_EVENT:
  case CTRL_SHUTDOWN_EVENT:
    if (!g_wakeWindow || !PostMessageW(g_wakeWindow, kEndRun, 0, 0)) return false;
    if (g_finished) WaitForSingleObject(g_finished, DWORD(WaitMs));
    return true;
  default:
    return false;
  }
}

void EndRunOnTerminationSignals() {
  static bool installed = false;
  if (installed) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WakeProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"SpectrionEndRunWindow";
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return;
  g_wakeWindow = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 wc.hInstance, nullptr);
  if (!g_wakeWindow) return;
  installed = true;
  g_finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atexit([] {
    if (g_finished) SetEvent(g_finished);
  });
  // Ctrl+C stays ignored when whoever started us had it ignored: the system
  // then does not call the handler for it.
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}
