// What tests do to a control's window on Windows: the key messages the
// keyboard would send, and a resize of the window's frame.
#include "../helper_window.h"

#include "platform/application.h"
#include "platform/windows/control_window.h"
#include "platform/windows/tool_tips.h"
#include "platform/windows/wide_string.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace {

std::wstring ClassOf(HWND Window) {
  wchar_t name[64] = {};
  GetClassNameW(Window, name, 64);
  return name;
}

bool IsVertical(HWND Bar) {
  const LONG_PTR style = GetWindowLongPtrW(Bar, GWL_STYLE);
  return ClassOf(Bar) == TRACKBAR_CLASSW ? (style & TBS_VERT) != 0 : (style & SBS_VERT) != 0;
}

/// Sends a bar's scroll request to its parent, as the bar itself does.
void NotifyScroll(HWND Bar, WORD Request, WORD Position) {
  SendMessageW(GetParent(Bar), IsVertical(Bar) ? WM_VSCROLL : WM_HSCROLL,
               MAKEWPARAM(Request, Position), reinterpret_cast<LPARAM>(Bar));
}

} // namespace

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

TRect WindowBounds(TControl &C) {
  HWND window = C.Widget();
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT *>(&r), 2);
  const double scale = WindowScale(window);
  return Rect(ToLogical(r.left, scale), ToLogical(r.top, scale), ToLogical(r.right, scale),
              ToLogical(r.bottom, scale));
}

void UserSetsValue(TControl &C, int Value) {
  HWND window = C.Widget();
  const std::wstring kind = ClassOf(window);
  if (kind == L"Button") {
    SendMessageW(window, BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
                 reinterpret_cast<LPARAM>(window));
  } else if (kind == TRACKBAR_CLASSW) {
    SendMessageW(window, TBM_SETPOS, TRUE, Value);
    NotifyScroll(window, TB_THUMBPOSITION, WORD(Value));
  } else {
    SetScrollPos(window, SB_CTL, Value, TRUE);
    NotifyScroll(window, SB_THUMBPOSITION, WORD(Value));
  }
}

void UserPages(TControl &C, bool Forward) {
  HWND window = C.Widget();
  if (ClassOf(window) == TRACKBAR_CLASSW) {
    const LRESULT page = SendMessageW(window, TBM_GETPAGESIZE, 0, 0);
    const LRESULT at = SendMessageW(window, TBM_GETPOS, 0, 0);
    SendMessageW(window, TBM_SETPOS, TRUE, Forward ? at + page : at - page);
    NotifyScroll(window, Forward ? TB_PAGEDOWN : TB_PAGEUP, 0);
  } else {
    NotifyScroll(window, Forward ? SB_PAGEDOWN : SB_PAGEUP, 0);
  }
}

bool ShowsMinimumFirst(TControl &C) {
  HWND bar = C.Widget();
  if (ClassOf(bar) != TRACKBAR_CLASSW) return true; // scroll bars always do
  // Where the thumb stands along the channel against where the position
  // lies in the range.
  const double low = double(SendMessageW(bar, TBM_GETRANGEMIN, 0, 0));
  const double high = double(SendMessageW(bar, TBM_GETRANGEMAX, 0, 0));
  const double at = double(SendMessageW(bar, TBM_GETPOS, 0, 0));
  RECT channel{}, thumb{};
  SendMessageW(bar, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
  SendMessageW(bar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  // The channel rectangle is given horizontally even for a vertical bar.
  const bool vertical = IsVertical(bar);
  const double start = channel.left, length = channel.right - channel.left;
  const double middle = vertical ? (thumb.top + thumb.bottom) / 2.0 : (thumb.left + thumb.right) / 2.0;
  if (length <= 0 || high <= low) return true;
  const double shown = (middle - start) / length, share = (at - low) / (high - low);
  return std::abs(shown - share) < std::abs(shown - (1 - share));
}

std::string ShownText(TControl &C) {
  HWND window = C.Widget();
  std::wstring text(std::size_t(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(std::size_t(GetWindowTextW(window, text.data(), int(text.size()))));
  std::wstring lines;
  for (wchar_t c : text)
    if (c != L'\r') lines += c;
  return Utf8FromWide(lines);
}

std::string ShownHint(TControl &C) {
  return ToolTipOf(C.Widget());
}

namespace {

std::map<UINT_PTR, std::function<void()>> &PendingActions() {
  static std::map<UINT_PTR, std::function<void()>> actions;
  return actions;
}

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR Id, DWORD) {
  KillTimer(nullptr, Id);
  auto found = PendingActions().find(Id);
  if (found == PendingActions().end()) return;
  const std::function<void()> action = std::move(found->second);
  PendingActions().erase(found);
  action();
}

} // namespace

void RunLater(int Milliseconds, std::function<void()> Action) {
  const UINT_PTR id = SetTimer(nullptr, 0, UINT(std::max(Milliseconds, 0)), RunPendingAction);
  PendingActions()[id] = std::move(Action);
}

bool ShowActive(TControl &C) {
  C.Show();
  HWND window = C.Widget();
  SetForegroundWindow(window);
  SetActiveWindow(window);
  Application->ProcessMessages();
  return GetActiveWindow() == window;
}

void ProcessPendingEvents() {
  Application->ProcessMessages();
}

namespace {

/// Holds the modifiers of Shift (as far as GetKeyState tells) while it exists.
class THeldModifiers {
public:
  explicit THeldModifiers(TShiftState Shift) {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::copy(std::begin(saved_), std::end(saved_), state);
    if (Shift.Contains(ssCtrl)) state[VK_CONTROL] = 0x80;
    if (Shift.Contains(ssShift)) state[VK_SHIFT] = 0x80;
    if (Shift.Contains(ssAlt)) state[VK_MENU] = 0x80;
    SetKeyboardState(state);
  }
  ~THeldModifiers() { SetKeyboardState(saved_); }
  THeldModifiers(const THeldModifiers &) = delete;
  THeldModifiers &operator=(const THeldModifiers &) = delete;

private:
  BYTE saved_[256] = {};
};

} // namespace

void SendKeyClick(TControl &C, std::uint16_t Key, TShiftState Shift) {
  HWND window = C.Widget();
  SetFocus(window);
  THeldModifiers held(Shift);
  PostMessageW(window, WM_KEYDOWN, Key, 1);
  PostMessageW(window, WM_KEYUP, Key, LPARAM(0xC0000001u));
  Application->ProcessMessages();
}

void RequestContextMenu(TControl &C, bool FromKeyboard) {
  if (FromKeyboard) {
    SendKeyClick(C, VK_APPS, {});
    return;
  }
  // A right click: the system asks for the menu at the mouse. A control's
  // own menu closes again at once, from within its menu loop.
  HWND window = C.Widget();
  POINT at{5, 5};
  ClientToScreen(window, &at);
  RunLater(0, [] { EndMenu(); });
  SendMessageW(window, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window), MAKELPARAM(at.x, at.y));
  Application->ProcessMessages();
}

void SendMouse(TControl &C, TMouseAction Action, TMouseButton Button, int X, int Y,
               TShiftState Shift) {
  static const UINT messages[3][3] = {{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
                                      {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
                                      {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK}};
  static const WPARAM held[3] = {MK_LBUTTON, MK_RBUTTON, MK_MBUTTON};
  HWND window = C.Widget();
  THeldModifiers modifiers(Shift);
  WPARAM keys = Action == maRelease ? 0 : held[Button];
  if (Shift.Contains(ssShift)) keys |= MK_SHIFT;
  if (Shift.Contains(ssCtrl)) keys |= MK_CONTROL;
  const double scale = WindowScale(window);
  SendMessageW(window, messages[Button][Action], keys,
               MAKELPARAM(ToDevice(X, scale), ToDevice(Y, scale)));
}

namespace {

/// The cursor the window sets over its client area.
HCURSOR CursorOf(HWND Window) {
  SendMessageW(Window, WM_SETCURSOR, reinterpret_cast<WPARAM>(Window),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor();
}

} // namespace

TPoint CursorHotSpot(TControl &C) {
  ICONINFO info{};
  if (!GetIconInfo(CursorOf(C.Widget()), &info)) return Point(-1, -1);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return Point(int(info.xHotspot), int(info.yHotspot));
}

bool ShowsHandCursor(TControl &C) {
  const auto hand = MAKEINTRESOURCEW(32649); // IDC_HAND, in its wide form
  return CursorOf(C.Widget()) == LoadCursorW(nullptr, hand);
}

namespace {

/// How much wider the window is than its client area.
int FrameExtra(HWND Window) {
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrW(Window, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongPtrW(Window, GWL_EXSTYLE)));
  return r.right - r.left;
}

MINMAXINFO TrackLimits(HWND Window) {
  MINMAXINFO limits{};
  limits.ptMaxTrackSize.x = GetSystemMetrics(SM_CXMAXTRACK);
  limits.ptMaxTrackSize.y = GetSystemMetrics(SM_CYMAXTRACK);
  SendMessageW(Window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  return limits;
}

} // namespace

int MinimumWindowWidth(TControl &C) {
  HWND window = C.Widget();
  return ToLogical(TrackLimits(window).ptMinTrackSize.x - FrameExtra(window), WindowScale(window));
}

int MaximumWindowWidth(TControl &C) {
  HWND window = C.Widget();
  return ToLogical(TrackLimits(window).ptMaxTrackSize.x - FrameExtra(window), WindowScale(window));
}

bool WindowVisible(TControl &C) {
  return IsWindowVisible(C.Widget()) != FALSE;
}
