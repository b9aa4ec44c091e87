// Forms on Windows: an overlapped window of our class (a fixed frame for
// dialog and single borders), shown modally with its owner and the
// program's other windows disabled and a nested message loop, kept inside
// its monitor's work area, and following its monitor's DPI.
#include "platform/application.h"
#include "platform/form.h"
#include "platform/strings.h"
#include "platform/windows/control_window.h"
#include "platform/windows/icon_handle.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/wide_string.h"

#include <algorithm>
#include <vector>

namespace {

DWORD StyleFor(TFormBorderStyle Border) {
  switch (Border) {
  case bsNone:
    return WS_POPUP;
  case bsSingle:
  case bsDialog:
  case bsToolWindow:
    return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | (Border == bsSingle ? WS_MINIMIZEBOX : 0);
  default:
    return WS_OVERLAPPEDWINDOW;
  }
}

DWORD ExStyleFor(TFormBorderStyle Border) {
  switch (Border) {
  case bsDialog:
    return WS_EX_DLGMODALFRAME;
  case bsToolWindow:
  case bsSizeToolWin:
    return WS_EX_TOOLWINDOW;
  default:
    return WS_EX_APPWINDOW;
  }
}

/// The frame around a client area of Window at its styles, in device pixels.
RECT FrameOf(HWND Window) {
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, DWORD(GetWindowLongPtrW(Window, GWL_STYLE)), FALSE,
                     DWORD(GetWindowLongPtrW(Window, GWL_EXSTYLE)));
  return r;
}

/// Every visible, enabled top-level window of this thread but Except.
std::vector<HWND> OtherWindows(HWND Except) {
  struct TCollect {
    HWND except;
    std::vector<HWND> found;
  } collect{Except, {}};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM l) -> BOOL {
        auto *c = reinterpret_cast<TCollect *>(l);
        if (w != c->except && IsWindowVisible(w) && IsWindowEnabled(w)) c->found.push_back(w);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&collect));
  return collect.found;
}

void ApplyIcon(HWND Window, TIcon &Icon) {
  TIcon *icon = Icon.Empty() ? Application->Icon() : &Icon;
  if (icon->Empty()) return;
  for (auto [which, metric] : {std::pair{ICON_BIG, SM_CXICON}, std::pair{ICON_SMALL, SM_CXSMICON}}) {
    HICON handle = NewIconHandle(*icon, GetSystemMetrics(metric));
    if (!handle) continue;
    HICON old = reinterpret_cast<HICON>(
        SendMessageW(Window, WM_SETICON, WPARAM(which), reinterpret_cast<LPARAM>(handle)));
    if (old) DestroyIcon(old);
  }
}

} // namespace

// ---- TForm -------------------------------------------------------------------------

TForm::TForm(TComponent *AOwner) : TWinControl(AOwner) {
  SetWidget(NewControlWindow(ControlWindowClass, StyleFor(borderStyle_), ExStyleFor(borderStyle_),
                             this));
  TControl::SetVisible(false);
  ShowWindow(Widget(), SW_HIDE);
  WindowDataOf(Widget())->OnMessage = [this](UINT Message, WPARAM W, LPARAM L, LRESULT &Result) {
    HWND window = Widget();
    switch (Message) {
    case WM_CLOSE:
      // The form decides whether it really closes.
      if (IsWindowVisible(window)) DispatchSafely([&] { Close(); });
      Result = 0;
      return true;
    case WM_SIZE:
      if (W != SIZE_MINIMIZED && !WindowDataOf(window)->Placing) {
        const double scale = DevicePixelRatio();
        const int w = ToLogical(LOWORD(L), scale), h = ToLogical(HIWORD(L), scale);
        if (w != Width() || h != Height()) DispatchSafely([&] { WidgetResized(w, h); });
      }
      return false;
    case WM_MOVE: {
      RECT r{};
      GetWindowRect(window, &r);
      if (!IsIconic(window)) WidgetMoved(r.left, r.top);
      return false;
    }
    case WM_GETMINMAXINFO: {
      auto *info = reinterpret_cast<MINMAXINFO *>(L);
      const RECT frame = FrameOf(window);
      const double scale = DevicePixelRatio();
      const int fw = frame.right - frame.left, fh = frame.bottom - frame.top;
      const TSizeConstraints &c = *Constraints();
      if (FixedBorder()) {
        info->ptMinTrackSize = info->ptMaxTrackSize =
            POINT{ToDevice(Width(), scale) + fw, ToDevice(Height(), scale) + fh};
      } else {
        // The constraints are the limits, as on every system: no minimum of
        // the window system's own.
        info->ptMinTrackSize.x = ToDevice(c.MinWidth(), scale) + fw;
        info->ptMinTrackSize.y = ToDevice(c.MinHeight(), scale) + fh;
        const int maxW = c.MaxWidth() > 0 ? c.MaxWidth() : MaxControlSize;
        const int maxH = c.MaxHeight() > 0 ? c.MaxHeight() : MaxControlSize;
        info->ptMaxTrackSize = POINT{ToDevice(maxW, scale) + fw, ToDevice(maxH, scale) + fh};
      }
      Result = 0;
      return true;
    }
    case 0x02E0: { // WM_DPICHANGED: the system's suggested frame at the new scale
      const auto *r = reinterpret_cast<const RECT *>(L);
      SetWindowPos(window, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      // Children take their logical bounds at the new scale (their windows
      // no longer have the size Width and Height say) and common controls a
      // font made at it; back buffers follow on their next paint.
      struct TWalk {
        static void Stale(TControl &C) {
          C.Invalidate();
          if (auto *wc = dynamic_cast<TWinControl *>(&C))
            for (int i = 0; i < wc->ControlCount(); ++i) {
              TControl *child = wc->Controls(i);
              child->WidgetResized(child->Width(), child->Height());
              child->WidgetScaleChanged();
              Stale(*child);
            }
        }
      };
      TWalk::Stale(*this);
      Result = 0;
      return true;
    }
    case WM_ACTIVATE:
      if (LOWORD(W) != WA_INACTIVE && OnActivate) DispatchSafely([&] { OnActivate(this); });
      return false;
    case WM_QUERYENDSESSION:
      Result = TRUE;
      return true;
    case WM_ENDSESSION:
      // The session ends: the program ends as on a termination request,
      // its forms destroyed (and their OnDestroy run) before it returns.
      if (W) {
        EndMessageBoxes();
        Application->Terminate();
        DispatchSafely([] { Application->DestroyComponents(); });
      }
      Result = 0;
      return true;
    default:
      return false;
    }
  };
  SetBounds(0, 0, 320, 240);
  ConstraintsChanged();
  ColorChanged();
  icon_.OnChange = [this](TObject *) { ApplyIcon(Widget(), icon_); };
  ApplyIcon(Widget(), icon_);
}

void TForm::SetVisible(bool Value) {
  if (Value == Visible()) return;
  if (Value) {
    DispatchSafely([&] { DoShow(); });
    FitOnScreen(position_ == poScreenCenter || position_ == poDesktopCenter);
    UpdateTabOrder();
    TControl::SetVisible(true);
    ShowWindow(Widget(), SW_SHOW); // a window without a parent is shown here
    shownOnce_ = true;
    FocusFirstControl();
  } else {
    TControl::SetVisible(false);
    DispatchSafely([&] { DoHide(); });
  }
}

void TForm::QuitModalLoop() {
  if (modalLoop_) modalLoop_->Quit();
}

void TForm::UpdateTabOrder() {
  // Tab walks TabOrderList itself (FocusNextStop): the window's z-order
  // needs no change.
}

void TForm::Show() {
  SetVisible(true);
  SetWindowPos(Widget(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

TModalResult TForm::ShowModal() {
  if (Visible() || modal_) throw EComponentError("Cannot make a visible window modal");
  modal_ = true;
  modalResult_ = mrNone;
  HWND window = Widget();
  HWND active = GetActiveWindow();
  if (active == window) active = nullptr;
  // Owned by the window that was active, the dialog stays above it.
  SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(active));
  const std::vector<HWND> disabled = OtherWindows(window);
  for (HWND w : disabled)
    EnableWindow(w, FALSE);
  TMessageLoop loop;
  modalLoop_ = &loop;
  try {
    Show();
    if (modalResult_ == mrNone && Visible()) loop.Run();
  } catch (...) {
    modalLoop_ = nullptr;
    for (HWND w : disabled)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    modal_ = false;
    throw;
  }
  modalLoop_ = nullptr;
  // The owner is enabled before the dialog goes, so the activation returns to it.
  for (HWND w : disabled)
    if (IsWindow(w)) EnableWindow(w, TRUE);
  if (Visible()) SetVisible(false);
  if (active && IsWindow(active)) SetActiveWindow(active);
  SetWindowLongPtrW(window, GWLP_HWNDPARENT, 0);
  modal_ = false;
  const TModalResult result = modalResult_;
  modalResult_ = mrNone;
  return result;
}

void TForm::ApplyWindowFlags() {
  HWND window = Widget();
  const bool shown = IsWindowVisible(window) != FALSE;
  SetWindowLongPtrW(window, GWL_STYLE, LONG_PTR(StyleFor(borderStyle_) | WS_CLIPCHILDREN |
                                                (shown ? WS_VISIBLE : 0)));
  SetWindowLongPtrW(window, GWL_EXSTYLE, LONG_PTR(ExStyleFor(borderStyle_)));
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  // The client size stays what Width and Height say.
  PlaceTopLevel(window, Left(), Top(), Width(), Height());
  ConstraintsChanged();
}

void TForm::ConstraintsChanged() {
  // WM_GETMINMAXINFO keeps the user's resizing within the same limits.
  TWinControl::ConstraintsChanged();
}

void TForm::BoundsChanged() {
  TWinControl::BoundsChanged();
}

void TForm::FitOnScreen(bool Centre) {
  HWND window = Widget();
  HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!monitor || !GetMonitorInfoW(monitor, &info)) return;
  const RECT area = info.rcWork;
  const RECT f = FrameOf(window);
  const double scale = DevicePixelRatio();
  const TMargins border{-f.left, -f.top, f.right, f.bottom};
  const int w = ToDevice(Width(), scale), h = ToDevice(Height(), scale);
  const TRect frame = Bounds(Left(), Top(), w + border.Left + border.Right,
                             h + border.Top + border.Bottom);
  const bool resizable = !(borderStyle_ == bsDialog || borderStyle_ == bsSingle ||
                           borderStyle_ == bsToolWindow);
  const TWindowPlacement p = FitWindowIntoArea(
      frame, border, Rect(area.left, area.top, area.right, area.bottom),
      TSize{ToDevice(Constraints()->MinWidth(), scale), ToDevice(Constraints()->MinHeight(), scale)},
      resizable, Centre);
  const int logicalW = p.Width == w ? Width() : ToLogical(p.Width, scale);
  const int logicalH = p.Height == h ? Height() : ToLogical(p.Height, scale);
  SetBounds(p.Left, p.Top, logicalW, logicalH);
}

void TForm::FocusFirstControl() {
  if (activeControl_ && activeControl_->CanFocus()) {
    activeControl_->SetFocus();
    return;
  }
  HWND focus = GetFocus();
  if (focus && focus != Widget() && IsChild(Widget(), focus)) return;
  for (TWinControl *stop : TabOrderList())
    if (stop->CanFocus()) {
      stop->SetFocus();
      return;
    }
}

void TForm::TextChanged() {
  // Window titles have no accelerators.
  SetWindowTextW(Widget(), WideFromUtf8(StripAccelChars(Caption())).c_str());
}

void TForm::ColorChanged() {
  InvalidateRect(Widget(), nullptr, FALSE);
  TWinControl::ColorChanged();
}
