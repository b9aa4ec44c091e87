// Controls on Windows: every control owns a window (our class for painted
// controls and forms, a common control for buttons, bars and the memo) and
// a painted control owns its back buffer, a DIB at the window's DPI scale,
// which WM_PAINT shows with one copy.
#include "platform/application.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/control.h"
#include "platform/strings.h"
#include "platform/windows/control_window.h"
#include "platform/windows/canvas_gdi.h"
#include "platform/windows/dib_image.h"
#include "platform/windows/gdi_font.h"
#include "platform/windows/tool_tips.h"
#include "platform/windows/wide_string.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint32_t DibPixelOf(TColor Color) {
  const TColor c = ColorToRGB(Color);
  return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) | GetBValue(c);
}

bool IsTopLevel(HWND Window) {
  return !(GetWindowLongPtrW(Window, GWL_STYLE) & WS_CHILD);
}

} // namespace

struct TControl::Surface {
  bool buffered = false; // false: the control has no back buffer
  TDibImage image;
  TCanvas canvas;
  bool dirty = true;
  bool clearWithParentColor = false;
  // What the window shows while transient marks are drawn over the back buffer.
  TDibImage screen;
  TCanvas screenCanvas;
  bool screenActive = false;
};

void TControl::SurfaceDeleter::operator()(Surface *S) const {
  delete S;
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
  if (HWND w = widget_) {
    // The window's messages must not reach a control half destroyed.
    RemoveToolTip(w);
    if (TWindowData *data = WindowDataOf(w)) data->Control = nullptr;
    widget_ = nullptr;
    DestroyWindow(w);
  }
}

HWND TControl::Widget() const {
  if (!widget_) {
    auto *self = const_cast<TControl *>(this);
    self->SetWidget(NewControlWindow(ControlWindowClass, WS_CHILD, 0, self));
  }
  return widget_;
}

void TControl::SetWidget(HWND AWidget) {
  HWND old = widget_;
  widget_ = AWidget;
  if (old) RemoveToolTip(old);
  if (TWindowData *data = WindowDataOf(old)) data->Control = nullptr;
  if (parent_ && !IsTopLevel(widget_)) ::SetParent(widget_, parent_->Widget());
  SetWindowTextW(widget_, WideFromUtf8(StripAccelChars(caption_)).c_str());
  NativeSetBounds();
  ShowWindow(widget_, visible_ && parent_ ? SW_SHOWNA : SW_HIDE);
  EnableWindow(widget_, enabled_);
  NativeFontChanged();
  if (old) {
    DestroyWindow(old);
    UpdateToolTip(); // the new window shows the hint the old one did
  }
}

const TDibImage *TControl::BackBuffer() const {
  return surface_ && surface_->buffered ? &surface_->image : nullptr;
}

const TDibImage *TControl::ShownImage() const {
  if (!surface_ || !surface_->buffered) return nullptr;
  return surface_->screenActive ? &surface_->screen : &surface_->image;
}

TCanvas &TControl::ScreenCanvas() {
  BufferCanvas();
  Surface &s = *surface_;
  if (!s.screenActive) {
    s.screen = s.image;
    AttachDib(s.screenCanvas, &s.screen);
    s.screenActive = true;
  }
  return s.screenCanvas;
}

void TControl::ScreenCanvasChanged() {
  if (widget_ && IsWindowVisible(widget_)) {
    InvalidateRect(widget_, nullptr, FALSE);
    UpdateWindow(widget_);
  }
}

bool TControl::ScreenCanvasActive() const {
  return surface_ && surface_->screenActive;
}

void TControl::WidgetReportsClicks() {
  if (TWindowData *data = WindowDataOf(Widget())) data->OwnClicks = true;
}

void TControl::EnableBackBuffer(bool ClearWithParentColor) {
  if (!surface_) surface_.reset(new Surface());
  surface_->buffered = true;
  surface_->clearWithParentColor = ClearWithParentColor;
}

TCanvas &TControl::BufferCanvas() {
  if (!surface_ || !surface_->buffered) EnableBackBuffer(false);
  // Device pixels of the window's screen: what the control paints in logical
  // coordinates is as sharp as the screen shows it.
  const double ratio = DevicePixelRatio();
  int w = std::max(width_, 1), h = std::max(height_, 1);
  if (ratio != 1.0) {
    w = int(std::ceil(w * ratio));
    h = int(std::ceil(h * ratio));
  }
  Surface &s = *surface_;
  if (s.image.Width() != w || s.image.Height() != h || s.image.PixelRatio() != ratio) {
    TDibImage fresh(w, h, DibPixelOf(color_));
    fresh.SetPixelRatio(ratio);
    s.image.Swap(fresh);
    AttachDib(s.canvas, &s.image);
    s.dirty = true;
    s.screenActive = false;
  }
  return s.canvas;
}

void TControl::ShowBitmap(const TBitmap &Picture) {
  TCanvas &canvas = BufferCanvas();
  const TDibImage &picture = Picture.Image();
  if (picture.Width() == surface_->image.Width() && picture.Height() == surface_->image.Height() &&
      picture.PixelRatio() == surface_->image.PixelRatio()) {
    surface_->image = picture; // one copy of the pixels, as a blit would make
    return;
  }
  canvas.Draw(0, 0, Picture);
}

bool TControl::PaintBuffer(bool Force) {
  if (!surface_ || !surface_->buffered) return false;
  BufferCanvas();
  if (!Force && !surface_->dirty) return true;
  surface_->dirty = false;
  surface_->screenActive = false;
  if (surface_->clearWithParentColor)
    surface_->image.Fill(DibPixelOf(parent_ ? parent_->Color() : color_));
  Paint();
  return true;
}

void TControl::Invalidate() {
  if (surface_) surface_->dirty = true;
  if (widget_) InvalidateRect(widget_, nullptr, FALSE);
}

void TControl::Repaint() {
  if (surface_ && surface_->buffered) {
    PaintBuffer(true);
    UpdateScreen();
  } else if (widget_) {
    InvalidateRect(widget_, nullptr, FALSE);
    UpdateWindow(widget_);
  }
}

void TControl::UpdateScreen() {
  if (surface_) surface_->screenActive = false;
  if (widget_ && IsWindowVisible(widget_)) {
    InvalidateRect(widget_, nullptr, FALSE);
    UpdateWindow(widget_);
  }
}

bool TControl::HandleAllocated() const {
  if (handleNeeded_) return true;
  const TWindowData *data = widget_ ? WindowDataOf(widget_) : nullptr;
  return (data && data->ShownOnce) || (widget_ && IsWindowVisible(widget_));
}

double TControl::DevicePixelRatio() const {
  if (const double fixed = Application->PixelRatioOverride(); fixed > 0) return fixed;
  return widget_ ? WindowScale(widget_) : 1.0;
}

void TControl::WidgetResized(int AWidth, int AHeight) {
  LayoutBounds(left_, top_, AWidth, AHeight);
  // A size the control refused goes back to the window, so the screen shows
  // what Width and Height say.
  if (widget_) {
    RECT r{};
    GetClientRect(widget_, &r);
    const double scale = DevicePixelRatio();
    if (ToLogical(r.right, scale) != width_ || ToLogical(r.bottom, scale) != height_)
      NativeSetBounds();
  }
}

void TControl::UpdateToolTip() {
  SetToolTip(Widget(), ShowHint() ? hint_ : std::string());
}

TPoint TControl::ClientToScreen(TPoint P) const {
  const double scale = DevicePixelRatio();
  POINT p{ToDevice(P.X, scale), ToDevice(P.Y, scale)};
  ::ClientToScreen(Widget(), &p);
  return Point(p.x, p.y);
}

TPoint TControl::ScreenToClient(TPoint P) const {
  const double scale = DevicePixelRatio();
  POINT p{P.X, P.Y};
  ::ScreenToClient(Widget(), &p);
  return Point(ToLogical(p.x, scale), ToLogical(p.y, scale));
}

void TControl::DeferPaint() {
  if (surface_) surface_->dirty = true;
}

// ---- what the window does for the system-neutral part --------------------------

void TControl::NativeSetBounds() {
  const double scale = DevicePixelRatio();
  if (IsTopLevel(widget_)) {
    // Left and Top place the frame; Width and Height are the client size.
    PlaceTopLevel(widget_, left_, top_, width_, height_);
  } else {
    SetWindowPos(widget_, nullptr, ToDevice(left_, scale), ToDevice(top_, scale),
                 ToDevice(width_, scale), ToDevice(height_, scale), SWP_NOZORDER | SWP_NOACTIVATE);
    // The whole control is drawn again at its new size: a system control
    // (a scroll bar's thumb) would otherwise keep parts drawn for the old one.
    InvalidateRect(widget_, nullptr, FALSE);
  }
}

void TControl::NativeSetVisible(bool Value) {
  ShowWindow(widget_, Value ? (IsTopLevel(widget_) ? SW_SHOW : SW_SHOWNA) : SW_HIDE);
}

void TControl::NativeSetEnabled(bool Value) {
  EnableWindow(widget_, Value);
}

void TControl::NativeFontChanged() {
  // Common controls draw their text with the window's font, made from the
  // control's at the window's scale; painted controls draw through their canvas.
  TWindowData *data = WindowDataOf(widget_);
  if (data && data->Original) {
    const LOGFONTW lf = LogFontOf(font_, DevicePixelRatio());
    if (HFONT next = CreateFontIndirectW(&lf)) {
      SendMessageW(widget_, WM_SETFONT, reinterpret_cast<WPARAM>(next), FALSE);
      if (data->Font) DeleteObject(data->Font);
      data->Font = next;
    }
  }
  InvalidateRect(widget_, nullptr, FALSE);
}

void TControl::NativeRaise(bool Top) {
  SetWindowPos(Widget(), Top ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::NativeAttach(TControl *AControl) {
  HWND w = AControl->Widget();
  if (!IsTopLevel(w)) ::SetParent(w, Widget());
  AControl->NativeSetBounds();
  ShowWindow(w, AControl->visible_ ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::NativeDetach(TControl *AControl) {
  HWND w = AControl->widget_;
  ShowWindow(w, SW_HIDE);
  if (!IsTopLevel(w)) ::SetParent(w, ParkingWindow());
}

void TWinControl::NativeSetTabStop() {
  HWND w = Widget();
  LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE);
  style = tabStop_ ? (style | WS_TABSTOP) : (style & ~LONG_PTR(WS_TABSTOP));
  SetWindowLongPtrW(w, GWL_STYLE, style);
  if (TWindowData *data = WindowDataOf(w)) data->ClickFocus = true;
}

bool TWinControl::Focused() const {
  return GetFocus() == Widget();
}

void TWinControl::SetFocus() {
  ::SetFocus(Widget());
}

// ---- painting controls ---------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent *AOwner) : TControl(AOwner) {
  EnableBackBuffer(true);
  SetWidget(NewControlWindow(ControlWindowClass, WS_CHILD, 0, this));
}

TCustomControl::TCustomControl(TComponent *AOwner) : TWinControl(AOwner) {
  EnableBackBuffer(false);
  SetWidget(NewControlWindow(ControlWindowClass, WS_CHILD, 0, this));
}

void GrabControl(TControl &Control, TBitmap &Into) {
  HWND window = Control.Widget();
  RECT r{};
  GetClientRect(window, &r);
  if (r.right <= 0 || r.bottom <= 0) {
    Into.SetSize(0, 0);
    return;
  }
  TDibImage picture(r.right, r.bottom);
  picture.SetPixelRatio(Control.DevicePixelRatio());
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, picture.Handle());
  // The control's picture, then its children's over it at their places.
  struct TWalk {
    static void Print(TControl &C, HDC Dc, int X, int Y) {
      DispatchSafely([&] { C.PaintBuffer(false); });
      PrintControl(C, Dc, X, Y);
      auto *wc = dynamic_cast<TWinControl *>(&C);
      if (!wc) return;
      const double scale = C.DevicePixelRatio();
      for (int i = 0; i < wc->ControlCount(); ++i) {
        TControl *child = wc->Controls(i);
        if (!child->Visible()) continue;
        Print(*child, Dc, X + ToDevice(child->Left(), scale), Y + ToDevice(child->Top(), scale));
      }
    }
  };
  TWalk::Print(Control, dc, 0, 0);
  GdiFlush();
  SelectObject(dc, old);
  DeleteDC(dc);
  *Into.image_ = std::move(picture);
  Into.ratio_ = Into.image_->PixelRatio();
}
