// A tiny Windows GUI program that plays the shipped programs where they do not
// exist yet: it gets the same resources as every program of the build, opens
// a window with the program icon and the panning cursor, and closes it again.
// Exit code 0 when both came from its own resources, 1 when not, 2 or 3 when
// the window could not be made.
#include <windows.h>

namespace {
LRESULT CALLBACK WindowProc(HWND Window, UINT Message, WPARAM W, LPARAM L) {
  if (Message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(Window, Message, W, L);
}
} // namespace

int WINAPI WinMain(HINSTANCE Instance, HINSTANCE, LPSTR, int) {
  HICON icon = LoadIconW(Instance, L"MAINICON");
  HCURSOR cursor = LoadCursorW(Instance, L"CURHAND");
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = Instance;
  wc.hIcon = icon;
  wc.hCursor = cursor;
  wc.lpszClassName = L"SpectrionStandIn";
  if (!RegisterClassW(&wc)) return 2;
  HWND window = CreateWindowExW(0, wc.lpszClassName, L"Spectrion", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, nullptr, nullptr,
                                Instance, nullptr);
  if (!window) return 3;
  PostMessageW(window, WM_CLOSE, 0, 0);
  MSG msg;
  while (window && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return icon && cursor ? 0 : 1;
}
