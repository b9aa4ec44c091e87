// The windows behind controls: our window class, the data tying a window to
// its control, and the one message handler our windows and the subclassed
// common controls share. Messages become calls of the control's virtual
// handlers, each through the event dispatch, so an exception in a handler
// is shown in a message box and never unwinds through the system.
#include "platform/windows/control_window.h"

#include "platform/accessible.h"
#include "platform/application.h"
#include "platform/controls_standard.h"
#include "platform/exceptions.h"
#include "platform/form.h"
#include "platform/strings.h"
#include "platform/windows/dib_image.h"
#include "platform/windows/system_error.h"
#include "platform/windows/wide_string.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cwctype>

namespace {

constexpr wchar_t DataProperty[] = L"SpectrionControlData";

using GetDpiForWindowFn = UINT(WINAPI *)(HWND);

GetDpiForWindowFn DpiForWindow() {
  static const auto fn = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void *>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return fn;
}

LRESULT CALLBACK ControlWindowProc(HWND Window, UINT Message, WPARAM W, LPARAM L);

bool Pressed(int Key) {
  return (GetKeyState(Key) & 0x8000) != 0;
}

TWinControl *WinControlOf(TWindowData &Data) {
  return dynamic_cast<TWinControl *>(Data.Control);
}

bool MouseButtonOf(UINT Message, TMouseButton &Button) {
  switch (Message) {
  case WM_LBUTTONDOWN:
  case WM_LBUTTONUP:
  case WM_LBUTTONDBLCLK:
    Button = mbLeft;
    return true;
  case WM_RBUTTONDOWN:
  case WM_RBUTTONUP:
  case WM_RBUTTONDBLCLK:
    Button = mbRight;
    return true;
  case WM_MBUTTONDOWN:
  case WM_MBUTTONUP:
  case WM_MBUTTONDBLCLK:
    Button = mbMiddle;
    return true;
  default:
    return false;
  }
}

/// Focus navigation and dialog keys for a key the control left alone.
bool NavigationKey(TWindowData &Data, WPARAM Key) {
  auto *control = WinControlOf(Data);
  if (!control || Pressed(VK_CONTROL) || Pressed(VK_MENU)) return false;
  // Keys the control claims stay with it, on a form or not.
  const TWinControl::TWantedKeys wanted = control->WantedKeys();
  if (Key == VK_TAB && wanted.Contains(TWinControl::wkTab)) return true;
  if ((Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) &&
      wanted.Contains(TWinControl::wkArrows))
    return true;
  TForm *form = FormOf(GetAncestor(control->Widget(), GA_ROOT));
  if (!form) return false;
  switch (Key) {
  case VK_TAB:
    FocusNextStop(*form, control == form ? nullptr : control, Pressed(VK_SHIFT));
    return true;
  case VK_ESCAPE:
    if (form->Modal() || form->BorderStyle() == bsDialog) {
      DispatchSafely([&] { form->Close(); });
      return true;
    }
    return false;
  case VK_RETURN:
    // The dialog's default button: the one that ends it with OK.
    if (dynamic_cast<TBitBtn *>(control)) return false;
    for (TWinControl *stop : form->TabOrderList())
      if (auto *button = dynamic_cast<TBitBtn *>(stop);
          button && button->ModalResult() == mrOk && button->CanFocus()) {
        DispatchSafely([&] { button->PerformClick(); });
        return true;
      }
    return false;
  default:
    return false;
  }
}

/// Hands a notification a child window sends its parent (WM_COMMAND, the
/// scroll requests, the colour requests) to the child's control. Edit
/// controls keep notifying the parent they were made in, so every window of
/// ours routes them, the parking window included.
bool RouteNotification(TControl *Parent, UINT Message, WPARAM W, LPARAM L, LRESULT &Result) {
  switch (Message) {
  case WM_COMMAND:
  case WM_HSCROLL:
  case WM_VSCROLL: {
    TWindowData *child = L ? WindowDataOf(reinterpret_cast<HWND>(L)) : nullptr;
    if (!child || !child->Control) return false;
    if (Message == WM_COMMAND && child->OnCommand)
      child->OnCommand(HIWORD(W));
    else if (Message != WM_COMMAND && child->OnScroll)
      child->OnScroll(LOWORD(W));
    Result = 0;
    return true;
  }
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLORSCROLLBAR: {
    TWindowData *child = WindowDataOf(reinterpret_cast<HWND>(L));
    if (!child || !child->Control) return false;
    if (child->OnColor) {
      Result = reinterpret_cast<LRESULT>(child->OnColor(reinterpret_cast<HDC>(W)));
      return true;
    }
    if (!Parent) return false;
    // Buttons and check boxes show on their parent's colour.
    static HBRUSH brush = nullptr;
    if (brush) DeleteObject(brush);
    const TColor c = ColorToRGB(Parent->Color());
    brush = CreateSolidBrush(RGB(GetRValue(c), GetGValue(c), GetBValue(c)));
    SetBkColor(reinterpret_cast<HDC>(W), RGB(GetRValue(c), GetGValue(c), GetBValue(c)));
    Result = reinterpret_cast<LRESULT>(brush);
    return true;
  }
  default:
    return false;
  }
}

/// Whether the last key press a window of ours received was taken (by the
/// control or the focus navigation).
bool &LastKeyConsumed() {
  static bool consumed = false;
  return consumed;
}

/// A key going down or up: the control's key events, then its own handling
/// and the focus navigation for what it left; true when consumed.
bool HandleKey(HWND, TWindowData &Data, UINT Message, WPARAM W, LRESULT &Result) {
  auto *wc = WinControlOf(Data);
  if (!wc) {
    // A focusable label: its own keys, and Tab passes the keyboard on.
    if (Message != WM_KEYDOWN) return false;
    if (Data.OwnKey && Data.OwnKey(W)) {
      Result = 0;
      return true;
    }
    if (W == VK_TAB && !Pressed(VK_CONTROL) && !Pressed(VK_MENU)) {
      if (TForm *form = FormOf(GetAncestor(Data.Control->Widget(), GA_ROOT))) {
        FocusNextStop(*form, Data.Control, Pressed(VK_SHIFT));
        Result = 0;
        return true;
      }
    }
    return false;
  }
  std::uint16_t key = std::uint16_t(W);
  const TShiftState shift = ShiftNow(0);
  const bool down = Message == WM_KEYDOWN || Message == WM_SYSKEYDOWN;
  DispatchSafely([&] {
    if (down)
      wc->KeyDown(key, shift);
    else
      wc->KeyUp(key, shift);
  });
  if (key == 0) {
    Result = 0;
    return true;
  }
  if (!down || Message == WM_SYSKEYDOWN) return false;
  if (Data.OwnKey && Data.OwnKey(W)) {
    Result = 0;
    return true;
  }
  if (NavigationKey(Data, W)) {
    Result = 0;
    return true;
  }
  return false;
}

/// Handles Message for the control; true when it is consumed (Result set).
bool HandleMessage(HWND Window, TWindowData &Data, UINT Message, WPARAM W, LPARAM L,
                   LRESULT &Result) {
  TControl *control = Data.Control;
  const bool common = Data.Original != nullptr;
  const double scale = WindowScale(Window);
  if (Data.OnMessage) {
    // A copy runs: the handler may destroy the window and with it Data
    // (the session's end destroys every form).
    const auto handler = Data.OnMessage;
    if (handler(Message, W, L, Result)) return true;
  }
  switch (Message) {
  case WM_LBUTTONDOWN:
  case WM_RBUTTONDOWN:
  case WM_MBUTTONDOWN:
  case WM_LBUTTONDBLCLK:
  case WM_RBUTTONDBLCLK:
  case WM_MBUTTONDBLCLK: {
    TMouseButton button;
    MouseButtonOf(Message, button);
    if (!control->Enabled()) return false;
    if (Data.ClickFocus && GetFocus() != Window) SetFocus(Window);
    if (!common) SetCapture(Window);
    TShiftState shift = ShiftNow(W);
    const bool dbl =
        Message == WM_LBUTTONDBLCLK || Message == WM_RBUTTONDBLCLK || Message == WM_MBUTTONDBLCLK;
    if (dbl) shift.Include(ssDouble);
    const int x = ToLogical(GET_X_LPARAM(L), scale), y = ToLogical(GET_Y_LPARAM(L), scale);
    if (button == mbLeft) Data.PressedInside = true;
    DispatchSafely([&] {
      control->MouseDown(button, shift, x, y);
      if (dbl && button == mbLeft) control->DblClick();
    });
    Result = 0;
    return !common;
  }
  case WM_LBUTTONUP:
  case WM_RBUTTONUP:
  case WM_MBUTTONUP: {
    TMouseButton button;
    MouseButtonOf(Message, button);
    if (!common && GetCapture() == Window && !(W & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
      ReleaseCapture();
    if (!control->Enabled()) return false;
    const int x = ToLogical(GET_X_LPARAM(L), scale), y = ToLogical(GET_Y_LPARAM(L), scale);
    const bool click = button == mbLeft && Data.PressedInside && !Data.OwnClicks &&
                       control->ClientRect().Contains(Point(x, y));
    if (button == mbLeft) Data.PressedInside = false;
    const TShiftState shift = ShiftNow(W);
    DispatchSafely([&] {
      if (click) control->Click();
      control->MouseUp(button, shift, x, y);
    });
    Result = 0;
    return !common;
  }
  case WM_MOUSEMOVE: {
    if (!Data.MouseInside) {
      TRACKMOUSEEVENT track{};
      track.cbSize = sizeof track;
      track.dwFlags = TME_LEAVE;
      track.hwndTrack = Window;
      Data.MouseInside = TrackMouseEvent(&track) != FALSE;
      DispatchSafely([&] { control->MouseEnter(); });
    }
    const int x = ToLogical(GET_X_LPARAM(L), scale), y = ToLogical(GET_Y_LPARAM(L), scale);
    const TShiftState shift = ShiftNow(W);
    DispatchSafely([&] { control->MouseMove(shift, x, y); });
    Result = 0;
    return !common;
  }
  case WM_MOUSELEAVE:
    Data.MouseInside = false;
    DispatchSafely([&] { control->MouseLeave(); });
    return false;
  case WM_MOUSEWHEEL: {
    POINT p{GET_X_LPARAM(L), GET_Y_LPARAM(L)};
    // The wheel turns what is under the mouse, as on other desktops, not
    // only what has the keyboard.
    // Once handed over, a wheel turn unhandled there climbs to the parents
    // (DefWindowProc) and is not handed over again.
    static bool handedOver = false;
    HWND under = WindowFromPoint(p);
    if (!handedOver && under && under != Window && ControlOf(under) &&
        GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId()) {
      handedOver = true;
      Result = SendMessageW(under, Message, W, L);
      handedOver = false;
      return true;
    }
    ScreenToClient(Window, &p);
    bool handled = false;
    const TShiftState shift = ShiftNow(GET_KEYSTATE_WPARAM(W));
    const int delta = GET_WHEEL_DELTA_WPARAM(W);
    DispatchSafely([&] {
      handled = control->DoMouseWheel(shift, delta,
                                      Point(ToLogical(p.x, scale), ToLogical(p.y, scale)));
    });
    Result = 0;
    return handled;
  }
  case WM_SETCURSOR:
    if (LOWORD(L) == HTCLIENT && reinterpret_cast<HWND>(W) == Window) {
      HCURSOR shape = Application->Cursor() != crDefault ? CursorHandleOf(Application->Cursor())
                                                         : Data.Cursor;
      if (shape) {
        ::SetCursor(shape);
        Result = TRUE;
        return true;
      }
    }
    return false;
  case WM_KEYDOWN:
  case WM_SYSKEYDOWN: {
    const bool consumed = HandleKey(Window, Data, Message, W, Result);
    LastKeyConsumed() = consumed;
    return consumed;
  }
  case WM_KEYUP:
  case WM_SYSKEYUP:
    return HandleKey(Window, Data, Message, W, Result);
  case WM_CHAR: {
    auto *wc = WinControlOf(Data);
    if (!wc) return false;
    if (W >= 0x80) return false;
    char ch = char(W);
    DispatchSafely([&] { wc->KeyPress(ch); });
    Result = 0;
    // Tab and Escape were keys of the focus navigation: an edit field must
    // not type them too.
    return ch == 0 || (common && (W == L'\t' || W == L'\x1b'));
  }
  case WM_SYSCHAR: {
    TForm *form = FormOf(Window);
    if (form && RunAccelerator(*form, wchar_t(W))) {
      Result = 0;
      return true;
    }
    return false;
  }
  case WM_SETFOCUS:
    if (auto *wc = WinControlOf(Data)) DispatchSafely([&] { wc->DoEnter(); });
    if (!common) InvalidateRect(Window, nullptr, FALSE);
    return false;
  case WM_KILLFOCUS:
    if (auto *wc = WinControlOf(Data)) DispatchSafely([&] { wc->DoExit(); });
    if (!common) InvalidateRect(Window, nullptr, FALSE);
    return false;
  case WM_SIZE:
    if (common && Data.OnSize && !Data.InSize) {
      // The control lays itself out first, then is looked at.
      Result = CallWindowProcW(Data.Original, Window, Message, W, L);
      Data.InSize = true;
      Data.OnSize();
      Data.InSize = false;
      return true;
    }
    return false;
  case WM_GETTEXT:
  case WM_GETTEXTLENGTH: {
    // Our windows' text is the name their control describes, made when it
    // is read: describing runs the control's own hooks (a read-out's display
    // hook), which a change must not run once more. Forms show their caption.
    if (common || dynamic_cast<TForm *>(control)) return false;
    TAccessibleInfo info;
    DispatchSafely([&] { control->DescribeAccessible(info); });
    const std::wstring text = WideFromUtf8(info.Name);
    if (Message == WM_GETTEXTLENGTH) {
      Result = LRESULT(text.size());
      return true;
    }
    auto *into = reinterpret_cast<wchar_t *>(L);
    if (W == 0 || !into) {
      Result = 0;
      return true;
    }
    const std::size_t n = std::min<std::size_t>(text.size(), std::size_t(W) - 1);
    std::copy_n(text.data(), n, into);
    into[n] = L'\0';
    Result = LRESULT(n);
    return true;
  }
  case WM_ERASEBKGND:
    if (common) return false;
    Result = 1; // WM_PAINT covers every pixel: no erase, no flicker
    return true;
  case WM_PAINT: {
    if (common) return false;
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Window, &ps);
    DispatchSafely([&] { control->PaintBuffer(false); });
    PrintControl(*control, dc, 0, 0);
    EndPaint(Window, &ps);
    Result = 0;
    return true;
  }
  case WM_PRINTCLIENT:
    if (common) return false;
    PrintControl(*control, reinterpret_cast<HDC>(W), 0, 0);
    Result = 0;
    return true;
  case WM_SHOWWINDOW:
    // A window appears with its top-level window: that showing counts for
    // every control shown in it.
    if (W && !(GetWindowLongPtrW(Window, GWL_STYLE) & WS_CHILD)) {
      struct TWalk {
        static void Shown(TControl &C) {
          if (TWindowData *d = WindowDataOf(C.Widget())) d->ShownOnce = true;
          C.WidgetShown();
          if (auto *wc = dynamic_cast<TWinControl *>(&C))
            for (int i = 0; i < wc->ControlCount(); ++i)
              if (wc->Controls(i)->Visible()) Shown(*wc->Controls(i));
        }
      };
      TWalk::Shown(*control);
    }
    return false;
  default:
    return false;
  }
}

LRESULT CALLBACK ControlWindowProc(HWND Window, UINT Message, WPARAM W, LPARAM L) {
  TWindowData *data = WindowDataOf(Window);
  LRESULT result = 0;
  bool handled = false;
  if (!data || !data->Original)
    GuardWindowProcedure([&] {
      handled = RouteNotification(data ? data->Control : nullptr, Message, W, L, result);
    });
  if (!handled && data && data->Control)
    GuardWindowProcedure([&] { handled = HandleMessage(Window, *data, Message, W, L, result); });
  if (handled) return result;
  WNDPROC original = data ? data->Original : nullptr;
  if (Message == WM_NCDESTROY && data) {
    RemovePropW(Window, DataProperty);
    const LRESULT result = original ? CallWindowProcW(original, Window, Message, W, L)
                                    : DefWindowProcW(Window, Message, W, L);
    if (data->Font) DeleteObject(data->Font);
    delete data;
    return result;
  }
  return original ? CallWindowProcW(original, Window, Message, W, L)
                  : DefWindowProcW(Window, Message, W, L);
}

} // namespace

void GuardWindowProcedure(const std::function<void()> &Action) noexcept {
  try {
    try {
      Action();
    } catch (const std::exception &e) {
      Application->HandleException(e);
    } catch (...) {
      Application->HandleException(Exception("An unknown error reached the window"));
    }
  } catch (...) {
    // Showing the error failed too; the window procedure still returns.
  }
}

void RegisterWindowClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  // A resized control paints its whole picture again, not only the part the
  // new size uncovers (its picture depends on its size).
  wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ControlWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
  wc.hIcon = LoadIconW(wc.hInstance, L"MAINICON");
  wc.lpszClassName = ControlWindowClass;
  RegisterClassExW(&wc);
}

HWND ParkingWindow() {
  static HWND parking = nullptr;
  if (!parking) {
    RegisterWindowClasses();
    parking = CreateWindowExW(WS_EX_TOOLWINDOW, ControlWindowClass, L"", WS_POPUP, 0, 0, 0, 0,
                              nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  return parking;
}

HWND NewControlWindow(const wchar_t *Class, DWORD Style, DWORD ExStyle, TControl *Control) {
  RegisterWindowClasses();
  const bool child = (Style & WS_CHILD) != 0;
  HWND window = CreateWindowExW(ExStyle, Class, L"", Style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                                0, 0, 0, child ? ParkingWindow() : nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (!window) throw Exception("Cannot create a window: " + SystemErrorText(GetLastError()));
  auto *data = new TWindowData();
  data->Control = Control;
  SetPropW(window, DataProperty, data);
  if (std::wstring_view(Class) != ControlWindowClass)
    data->Original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWindowProc)));
  return window;
}

TWindowData *WindowDataOf(HWND Window) {
  return Window ? static_cast<TWindowData *>(GetPropW(Window, DataProperty)) : nullptr;
}

TControl *ControlOf(HWND Window) {
  TWindowData *data = WindowDataOf(Window);
  return data ? data->Control : nullptr;
}

TForm *FormOf(HWND Window) {
  for (HWND w = Window; w; w = GetParent(w)) {
    if (auto *form = dynamic_cast<TForm *>(ControlOf(w))) return form;
    if (!(GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD)) break;
  }
  return nullptr;
}

double WindowScale(HWND Window) {
  if (!Window) return 1.0;
  if (GetDpiForWindowFn fn = DpiForWindow()) {
    const UINT dpi = fn(Window);
    if (dpi > 0) return dpi / 96.0;
  }
  return 1.0;
}

int ToDevice(int Logical, double Scale) {
  return Scale == 1.0 ? Logical : int(std::lround(Logical * Scale));
}

int ToLogical(int Device, double Scale) {
  return Scale == 1.0 ? Device : int(std::floor(Device / Scale));
}

void PlaceTopLevel(HWND Window, int Left, int Top, int Width, int Height) {
  const double scale = WindowScale(Window);
  const DWORD style = DWORD(GetWindowLongPtrW(Window, GWL_STYLE));
  const DWORD exStyle = DWORD(GetWindowLongPtrW(Window, GWL_EXSTYLE));
  RECT r{0, 0, ToDevice(Width, scale), ToDevice(Height, scale)};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  TWindowData *data = WindowDataOf(Window);
  const bool placing = data && data->Placing;
  if (data) data->Placing = true;
  SetWindowPos(Window, nullptr, Left, Top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  if (data) data->Placing = placing;
}

TShiftState ShiftNow(WPARAM MouseKeys) {
  TShiftState s;
  if (Pressed(VK_SHIFT)) s.Include(ssShift);
  if (Pressed(VK_MENU)) s.Include(ssAlt);
  if (Pressed(VK_CONTROL)) s.Include(ssCtrl);
  if (MouseKeys & MK_LBUTTON) s.Include(ssLeft);
  if (MouseKeys & MK_RBUTTON) s.Include(ssRight);
  if (MouseKeys & MK_MBUTTON) s.Include(ssMiddle);
  return s;
}

void PrintControl(TControl &Control, HDC Dc, int X, int Y) {
  HWND window = Control.Widget();
  RECT client{};
  GetClientRect(window, &client);
  const TWindowData *data = WindowDataOf(window);
  if (data && data->Original) {
    // A common control draws itself.
    const POINT origin{X, Y};
    POINT old;
    SetViewportOrgEx(Dc, origin.x, origin.y, &old);
    SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(Dc), PRF_CLIENT | PRF_ERASEBKGND);
    SetViewportOrgEx(Dc, old.x, old.y, nullptr);
    return;
  }
  const TDibImage *image = Control.ShownImage();
  if (image && !image->Empty()) {
    HDC memory = CreateCompatibleDC(Dc);
    HGDIOBJ old = SelectObject(memory, image->Handle());
    if (image->Width() == client.right && image->Height() == client.bottom) {
      BitBlt(Dc, X, Y, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    } else {
      SetStretchBltMode(Dc, HALFTONE);
      StretchBlt(Dc, X, Y, client.right, client.bottom, memory, 0, 0, image->Width(),
                 image->Height(), SRCCOPY);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
  } else {
    const TColor c = ColorToRGB(Control.Color());
    HBRUSH brush = CreateSolidBrush(RGB(GetRValue(c), GetGValue(c), GetBValue(c)));
    RECT r{X, Y, X + client.right, Y + client.bottom};
    FillRect(Dc, &r, brush);
    DeleteObject(brush);
  }
}

namespace {

/// Whether C takes the keyboard by Tab: a Tab stop, or a label made
/// keyboard-focusable (its window then has WS_TABSTOP).
bool IsStop(TControl &C) {
  if (auto *wc = dynamic_cast<TWinControl *>(&C)) return wc->TabStop();
  return dynamic_cast<TLabel *>(&C) && C.Widget() &&
         (GetWindowLongPtrW(C.Widget(), GWL_STYLE) & WS_TABSTOP);
}

/// The stops inside Container in the order of TabOrderList, focusable
/// labels in their places among them.
void CollectStops(const TWinControl &Container, std::vector<TControl *> &Out) {
  std::vector<TControl *> children;
  for (int i = 0; i < Container.ControlCount(); ++i)
    children.push_back(Container.Controls(i));
  std::stable_sort(children.begin(), children.end(), [](const TControl *a, const TControl *b) {
    return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
  });
  for (TControl *c : children) {
    if (IsStop(*c)) Out.push_back(c);
    if (auto *wc = dynamic_cast<TWinControl *>(c)) CollectStops(*wc, Out);
  }
}

} // namespace

void FocusNextStop(TForm &Form, TControl *From, bool Backwards) {
  std::vector<TControl *> all, stops;
  CollectStops(Form, all);
  for (TControl *stop : all)
    if (stop->Showing() && stop->Enabled()) stops.push_back(stop);
  if (stops.empty()) return;
  auto at = std::find(stops.begin(), stops.end(), From);
  std::size_t next;
  if (at == stops.end())
    next = Backwards ? stops.size() - 1 : 0;
  else {
    const std::size_t i = std::size_t(at - stops.begin());
    next = Backwards ? (i + stops.size() - 1) % stops.size() : (i + 1) % stops.size();
  }
  ::SetFocus(stops[next]->Widget());
  // Keyboard use shows the focus rectangles from now on.
  SendMessageW(Form.Widget(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

namespace {

/// The letter after the single "&" of Caption, or 0.
wchar_t AcceleratorOf(const std::string &Caption) {
  for (std::size_t i = 0; i + 1 < Caption.size(); ++i)
    if (Caption[i] == '&') {
      if (Caption[i + 1] == '&') {
        ++i;
        continue;
      }
      return wchar_t(std::towlower(static_cast<unsigned char>(Caption[i + 1])));
    }
  return 0;
}

bool RunAcceleratorIn(TWinControl &Container, TForm &Form, wchar_t Letter) {
  for (int i = 0; i < Container.ControlCount(); ++i) {
    TControl *c = Container.Controls(i);
    if (!c->Showing() || !c->Enabled()) continue;
    if (AcceleratorOf(c->Caption()) == Letter) {
      if (auto *button = dynamic_cast<TBitBtn *>(c)) {
        button->SetFocus();
        DispatchSafely([&] { button->PerformClick(); });
        return true;
      }
      if (auto *box = dynamic_cast<TCheckBox *>(c)) {
        box->SetFocus();
        DispatchSafely([&] { box->SetChecked(!box->Checked()); });
        return true;
      }
      if (dynamic_cast<TLabel *>(c)) {
        // A label names the control after it: that one takes the keyboard.
        std::vector<TWinControl *> stops = Form.TabOrderList();
        for (TWinControl *stop : stops)
          if (stop->CanFocus() && (stop->Top() > c->Top() ||
                                   (stop->Top() == c->Top() && stop->Left() > c->Left()))) {
            stop->SetFocus();
            return true;
          }
      }
    }
    if (auto *wc = dynamic_cast<TWinControl *>(c))
      if (RunAcceleratorIn(*wc, Form, Letter)) return true;
  }
  return false;
}

} // namespace

bool RunAccelerator(TForm &Form, wchar_t Letter) {
  return RunAcceleratorIn(Form, Form, wchar_t(std::towlower(Letter)));
}

bool DeliverKeyPress(HWND Window, WPARAM Key, wchar_t Typed) {
  LastKeyConsumed() = false;
  SendMessageW(Window, WM_KEYDOWN, Key, 1);
  const bool consumed = LastKeyConsumed();
  if (Typed && IsWindow(Window)) SendMessageW(Window, WM_CHAR, Typed, 1);
  if (IsWindow(Window)) SendMessageW(Window, WM_KEYUP, Key, LPARAM(0xC0000001u));
  return consumed;
}
