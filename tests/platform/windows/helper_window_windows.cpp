// What tests do to a control's window on Windows: the key messages the
// keyboard would send, and a resize of the window's frame.
#include "../helper_window.h"

#include "platform/windows/control_window.h"
#include "platform/windows/wide_string.h"

bool SendKeyPress(TControl &C, std::uint16_t Key, const std::string &Text) {
  const std::wstring typed = WideFromUtf8(Text);
  return DeliverKeyPress(C.Widget(), Key, typed.empty() ? 0 : typed[0]);
}

void ResizeWindow(TControl &C, int Width, int Height) {
  HWND window = C.Widget();
  RECT r{0, 0, Width, Height};
  AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int WindowWidth(TControl &C) {
  RECT r{};
  GetClientRect(C.Widget(), &r);
  return ToLogical(r.right, WindowScale(C.Widget()));
}

std::string WindowTitle(TControl &C) {
  wchar_t title[512] = {};
  GetWindowTextW(C.Widget(), title, 512);
  return Utf8FromWide(title);
}

std::string SystemApplicationName() {
  // Windows shows the program's file name where others show a display name.
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path);
  return Utf8FromWide(name.substr(name.find_last_of(L"\\/") + 1));
}
