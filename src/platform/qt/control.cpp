#include "platform/control.h"
#include "platform/qt/accessible_qt.h"
#include "platform/application.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/qt/canvas_qt.h"
#include "platform/qt/control_qt.h"
#include "platform/strings.h"
#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

// ---- Qt side ---------------------------------------------------------------

namespace {

TShiftState ShiftOf(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons) {
  TShiftState s;
  if (mods & Qt::ShiftModifier) s.Include(ssShift);
  if (mods & Qt::AltModifier) s.Include(ssAlt);
  if (mods & Qt::ControlModifier) s.Include(ssCtrl);
  if (buttons & Qt::LeftButton) s.Include(ssLeft);
  if (buttons & Qt::RightButton) s.Include(ssRight);
  if (buttons & Qt::MiddleButton) s.Include(ssMiddle);
  return s;
}

bool ButtonOf(Qt::MouseButton b, TMouseButton &out) {
  switch (b) {
  case Qt::LeftButton:
    out = mbLeft;
    return true;
  case Qt::RightButton:
    out = mbRight;
    return true;
  case Qt::MiddleButton:
    out = mbMiddle;
    return true;
  default:
    return false;
  }
}

/// Virtual key code of a Qt key (letters and digits keep their ASCII code).
std::uint16_t VirtualKeyOf(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
    return std::uint16_t(key);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return std::uint16_t(0x70 + (key - Qt::Key_F1));
  switch (key) {
  case Qt::Key_Backspace:
    return 0x08;
  case Qt::Key_Tab:
    return 0x09;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    return 0x0D;
  case Qt::Key_Shift:
    return 0x10;
  case Qt::Key_Control:
    return 0x11;
  case Qt::Key_Alt:
    return 0x12;
  case Qt::Key_Escape:
    return 0x1B;
  case Qt::Key_Space:
    return 0x20;
  case Qt::Key_PageUp:
    return 0x21;
  case Qt::Key_PageDown:
    return 0x22;
  case Qt::Key_End:
    return 0x23;
  case Qt::Key_Home:
    return 0x24;
  case Qt::Key_Left:
    return 0x25;
  case Qt::Key_Up:
    return 0x26;
  case Qt::Key_Right:
    return 0x27;
  case Qt::Key_Down:
    return 0x28;
  case Qt::Key_Insert:
    return 0x2D;
  case Qt::Key_Delete:
    return 0x2E;
  default:
    return 0;
  }
}

} // namespace

TControlEventFilter::TControlEventFilter(TControl *control, QObject *parent)
    : QObject(parent), control_(control) {}

bool TControlEventFilter::eventFilter(QObject *watched, QEvent *event) {
  if (watched != parent()) return false;
  TControl *c = control_;
  switch (event->type()) {
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonDblClick: {
    auto *e = static_cast<QMouseEvent *>(event);
    TMouseButton b;
    if (!ButtonOf(e->button(), b) || !c->Enabled()) break;
    TShiftState s = ShiftOf(e->modifiers(), e->buttons());
    bool dbl = event->type() == QEvent::MouseButtonDblClick;
    if (dbl) s.Include(ssDouble);
    int x = int(e->position().x()), y = int(e->position().y());
    pressedInside_ = b == mbLeft;
    DispatchSafely([&] {
      c->MouseDown(b, s, x, y);
      if (dbl && b == mbLeft) c->DblClick();
    });
    break;
  }
  case QEvent::MouseButtonRelease: {
    auto *e = static_cast<QMouseEvent *>(event);
    TMouseButton b;
    if (!ButtonOf(e->button(), b) || !c->Enabled()) break;
    int x = int(e->position().x()), y = int(e->position().y());
    bool click =
        b == mbLeft && pressedInside_ && !OwnClicks && c->ClientRect().Contains(Point(x, y));
    if (b == mbLeft) pressedInside_ = false;
    TShiftState s = ShiftOf(e->modifiers(), e->buttons());
    DispatchSafely([&] {
      if (click) c->Click();
      c->MouseUp(b, s, x, y);
    });
    break;
  }
  case QEvent::MouseMove: {
    auto *e = static_cast<QMouseEvent *>(event);
    TShiftState s = ShiftOf(e->modifiers(), e->buttons());
    int x = int(e->position().x()), y = int(e->position().y());
    DispatchSafely([&] { c->MouseMove(s, x, y); });
    break;
  }
  case QEvent::Enter:
    DispatchSafely([&] { c->MouseEnter(); });
    break;
  case QEvent::Leave:
    DispatchSafely([&] { c->MouseLeave(); });
    break;
  case QEvent::Wheel: {
    auto *e = static_cast<QWheelEvent *>(event);
    TShiftState s = ShiftOf(e->modifiers(), e->buttons());
    bool handled = false;
    TPoint pos = Point(int(e->position().x()), int(e->position().y()));
    int delta = e->angleDelta().y();
    DispatchSafely([&] { handled = c->DoMouseWheel(s, delta, pos); });
    return handled;
  }
  case QEvent::KeyPress:
  case QEvent::KeyRelease: {
    auto *wc = dynamic_cast<TWinControl *>(c);
    if (!wc) break;
    auto *e = static_cast<QKeyEvent *>(event);
    std::uint16_t key = VirtualKeyOf(e->key());
    TShiftState s = ShiftOf(e->modifiers(), Qt::NoButton);
    bool consumed = false;
    DispatchSafely([&] {
      if (event->type() == QEvent::KeyPress) {
        if (key) {
          wc->KeyDown(key, s);
          consumed = key == 0;
        }
        QByteArray text = e->text().toUtf8();
        if (!consumed && text.size() == 1) {
          char ch = text[0];
          wc->KeyPress(ch);
          consumed = ch == 0;
        }
      } else if (key) {
        wc->KeyUp(key, s);
      }
    });
    // A handler that zeroed the key swallows it; so does a control that
    // handles arrows or Tab itself, which keeps the focus where it is.
    if (event->type() == QEvent::KeyPress &&
        !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      const TWinControl::TWantedKeys wanted = wc->WantedKeys();
      switch (e->key()) {
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Up:
      case Qt::Key_Down:
        consumed = consumed || wanted.Contains(TWinControl::wkArrows);
        break;
      case Qt::Key_Tab:
      case Qt::Key_Backtab:
        consumed = consumed || wanted.Contains(TWinControl::wkTab);
        break;
      default:
        break;
      }
    }
    return consumed;
  }
  case QEvent::FocusIn:
    if (auto *wc = dynamic_cast<TWinControl *>(c)) DispatchSafely([&] { wc->DoEnter(); });
    break;
  case QEvent::FocusOut:
    if (auto *wc = dynamic_cast<TWinControl *>(c)) DispatchSafely([&] { wc->DoExit(); });
    break;
  case QEvent::Resize: {
    QSize sz = c->Widget()->size();
    if (sz.width() != c->Width() || sz.height() != c->Height())
      c->WidgetResized(sz.width(), sz.height());
    break;
  }
  case QEvent::Move:
    if (c->Widget()->isWindow()) {
      QPoint p = c->Widget()->pos();
      c->WidgetMoved(p.x(), p.y());
    }
    break;
  case QEvent::Show:
    c->WidgetShown();
    break;
  default:
    break;
  }
  return false;
}

TPaintWidget::TPaintWidget(TControl *control) : control_(control) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintWidget::paintEvent(QPaintEvent *) {
  // The control's Paint draws into the back buffer; here it is only shown.
  DispatchSafely([&] { control_->PaintBuffer(false); });
  if (const QImage *img = control_->ShownImage()) {
    QPainter p(this);
    p.drawImage(0, 0, *img);
  }
}

// ---- TControl: the widget and the back buffer -------------------------------

struct TControl::Surface {
  QImage image;
  TCanvas canvas;
  bool dirty = true;
  bool clearWithParentColor = false;
  // What the window shows while transient marks are drawn over the back buffer.
  QImage screen;
  TCanvas screenCanvas;
  bool screenActive = false;
};

void TControl::SurfaceDeleter::operator()(Surface *S) const {
  delete S;
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
  // Stop forwarding before the widget goes: its destruction must not reach
  // a control that is half destroyed.
  if (QWidget *w = widget_) {
    for (QObject *child : w->children())
      if (auto *filter = dynamic_cast<TControlEventFilter *>(child)) w->removeEventFilter(filter);
    widget_ = nullptr;
    delete w;
  }
}

QWidget *TControl::Widget() const {
  if (!widget_) {
    // Plain controls get a painting widget; descendants set their own first.
    auto *self = const_cast<TControl *>(this);
    self->SetWidget(new TPaintWidget(self));
  }
  return widget_;
}

void TControl::SetWidget(QWidget *AWidget) {
  InstallAccessibility();
  QWidget *old = widget_;
  widget_ = AWidget;
  auto *filter = new TControlEventFilter(this, widget_);
  filter->OwnClicks = false;
  widget_->installEventFilter(filter);
  widget_->setMouseTracking(true);
  widget_->setFocusPolicy(Qt::NoFocus);
  widget_->setGeometry(left_, top_, width_, height_);
  widget_->setFont(ToQFont(font_));
  if (parent_) widget_->setParent(parent_->Widget());
  if (!visible_)
    widget_->setVisible(false);
  else if (parent_)
    widget_->setVisible(true);
  widget_->setEnabled(enabled_);
  delete old;
}

const QImage *TControl::BackBuffer() const {
  return surface_ ? &surface_->image : nullptr;
}

const QImage *TControl::ShownImage() const {
  if (!surface_) return nullptr;
  return surface_->screenActive ? &surface_->screen : &surface_->image;
}

TCanvas &TControl::ScreenCanvas() {
  BufferCanvas(); // sizes the back buffer
  Surface &s = *surface_;
  if (!s.screenActive) {
    s.screen = s.image.copy();
    AttachImage(s.screenCanvas, &s.screen);
    s.screenActive = true;
  }
  return s.screenCanvas;
}

void TControl::ScreenCanvasChanged() {
  if (widget_ && widget_->isVisible()) widget_->repaint();
}

bool TControl::ScreenCanvasActive() const {
  return surface_ && surface_->screenActive;
}

void TControl::WidgetReportsClicks() {
  for (QObject *child : Widget()->children())
    if (auto *filter = dynamic_cast<TControlEventFilter *>(child)) filter->OwnClicks = true;
}

void TControl::EnableBackBuffer(bool ClearWithParentColor) {
  if (!surface_) surface_.reset(new Surface());
  surface_->clearWithParentColor = ClearWithParentColor;
}

TCanvas &TControl::BufferCanvas() {
  if (!surface_) EnableBackBuffer(false);
  // The buffer has the screen's device pixels, so what the control paints in
  // logical coordinates is as sharp as the screen can show it.
  const double ratio = DevicePixelRatio();
  int w = std::max(width_, 1), h = std::max(height_, 1);
  if (ratio != 1.0) {
    w = int(std::ceil(w * ratio));
    h = int(std::ceil(h * ratio));
  }
  if (surface_->image.width() != w || surface_->image.height() != h ||
      surface_->image.devicePixelRatio() != ratio) {
    QImage fresh(w, h, SurfaceFormat);
    fresh.setDevicePixelRatio(ratio);
    fresh.fill(ToQColor(color_));
    surface_->image.swap(fresh);
    AttachImage(surface_->canvas, &surface_->image);
    surface_->dirty = true;
    surface_->screenActive = false;
  }
  return surface_->canvas;
}

void TControl::ShowBitmap(const TBitmap &Picture) {
  TCanvas &canvas = BufferCanvas();
  const QImage &picture = Picture.Image();
  if (picture.size() == surface_->image.size() &&
      picture.devicePixelRatio() == surface_->image.devicePixelRatio()) {
    AttachImage(canvas, &surface_->image); // no painter may stay on the pixels that go
    surface_->image = Picture.Image();     // implicitly shared: no pixel is copied
    return;
  }
  canvas.Draw(0, 0, Picture);
}

bool TControl::PaintBuffer(bool Force) {
  if (!surface_) return false;
  BufferCanvas(); // sizes the buffer
  if (!Force && !surface_->dirty) return true;
  surface_->dirty = false;
  surface_->screenActive = false; // the new picture replaces any transient marks
  if (surface_->clearWithParentColor)
    surface_->image.fill(ToQColor(parent_ ? parent_->Color() : color_));
  Paint();
  return true;
}

void TControl::Invalidate() {
  if (surface_) surface_->dirty = true;
  if (widget_) widget_->update();
}

void TControl::Repaint() {
  if (surface_) {
    PaintBuffer(true);
    UpdateScreen();
  } else if (widget_) {
    widget_->repaint();
  }
}

void TControl::UpdateScreen() {
  if (surface_) surface_->screenActive = false;
  if (widget_ && widget_->isVisible()) widget_->repaint();
}

bool TControl::HandleAllocated() const {
  return handleNeeded_ || (widget_ && widget_->testAttribute(Qt::WA_WState_Created));
}

double TControl::DevicePixelRatio() const {
  if (const double fixed = Application->PixelRatioOverride(); fixed > 0) return fixed;
  return widget_ ? widget_->devicePixelRatioF() : 1.0;
}

void TControl::WidgetResized(int AWidth, int AHeight) {
  // The window system resized a form: keep the anchor origin of the form itself.
  LayoutBounds(left_, top_, AWidth, AHeight);
  // A size the control refused (constraints, the size limit, a chart's
  // minimum) is given back to the window, so the screen shows what Width and
  // Height say.
  if (widget_ && (widget_->width() != width_ || widget_->height() != height_))
    widget_->resize(width_, height_);
}

QString PlainToolTip(const std::string &Text) {
  if (Text.empty()) return QString();
  QString plain = QString::fromStdString(Text);
  plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
  return QStringLiteral("<p style=\"white-space:pre-wrap\">") + plain.toHtmlEscaped() +
         QStringLiteral("</p>");
}

QString PlainWindowTitle(const std::string &Text) {
  return QString::fromStdString(Text).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
}

void TControl::UpdateToolTip() {
  Widget()->setToolTip(ShowHint() ? PlainToolTip(hint_) : QString());
}

TPoint TControl::ClientToScreen(TPoint P) const {
  QPoint q = Widget()->mapToGlobal(QPoint(P.X, P.Y));
  return Point(q.x(), q.y());
}

TPoint TControl::ScreenToClient(TPoint P) const {
  QPoint q = Widget()->mapFromGlobal(QPoint(P.X, P.Y));
  return Point(q.x(), q.y());
}

void TControl::DeferPaint() {
  if (surface_) surface_->dirty = true;
}

// ---- what the widget does for the system-neutral part --------------------------

void TControl::NativeSetBounds() {
  if (widget_->isWindow()) {
    widget_->move(left_, top_);
    widget_->resize(width_, height_);
  } else {
    widget_->setGeometry(left_, top_, width_, height_);
  }
}

void TControl::NativeSetVisible(bool Value) {
  widget_->setVisible(Value);
}

void TControl::NativeSetEnabled(bool Value) {
  widget_->setEnabled(Value);
}

void TControl::NativeFontChanged() {
  widget_->setFont(ToQFont(font_));
}

void TControl::NativeRaise(bool Top) {
  if (Top)
    Widget()->raise();
  else
    Widget()->lower();
}

void TWinControl::NativeAttach(TControl *AControl) {
  QWidget *w = AControl->Widget();
  w->setParent(Widget());
  w->setVisible(AControl->visible_);
}

void TWinControl::NativeDetach(TControl *AControl) {
  AControl->widget_->hide();
  AControl->widget_->setParent(nullptr);
}

void TWinControl::NativeSetTabStop() {
  Widget()->setFocusPolicy(tabStop_ ? Qt::StrongFocus : Qt::ClickFocus);
}

bool TWinControl::Focused() const {
  return Widget()->hasFocus();
}

void TWinControl::SetFocus() {
  Widget()->setFocus(Qt::OtherFocusReason);
}

// ---- painting controls ---------------------------------------------------------

TGraphicControl::TGraphicControl(TComponent *AOwner) : TControl(AOwner) {
  EnableBackBuffer(true);
  SetWidget(new TPaintWidget(this));
}

TCustomControl::TCustomControl(TComponent *AOwner) : TWinControl(AOwner) {
  EnableBackBuffer(false);
  SetWidget(new TPaintWidget(this));
}

void GrabControl(TControl &Control, TBitmap &Into) {
  if (!Control.Widget()) {
    Into.SetSize(0, 0);
    return;
  }
  *Into.image_ = Control.Widget()->grab().toImage().convertToFormat(SurfaceFormat);
  Into.ratio_ = Into.image_->devicePixelRatio();
}
