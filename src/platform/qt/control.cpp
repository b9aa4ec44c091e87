#include "platform/control.h"
#include "platform/accessible_qt.h"
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

// ---- TSizeConstraints ------------------------------------------------------------

void TSizeConstraints::SetMinWidth(int Value) {
  minWidth_ = std::clamp(Value, 0, MaxControlSize);
  Changed();
}
void TSizeConstraints::SetMinHeight(int Value) {
  minHeight_ = std::clamp(Value, 0, MaxControlSize);
  Changed();
}
void TSizeConstraints::SetMaxWidth(int Value) {
  maxWidth_ = std::clamp(Value, 0, MaxControlSize);
  Changed();
}
void TSizeConstraints::SetMaxHeight(int Value) {
  maxHeight_ = std::clamp(Value, 0, MaxControlSize);
  Changed();
}
void TSizeConstraints::Changed() {
  if (OnChange) OnChange(this);
}
void TSizeConstraints::Assign(TPersistent *Source) {
  if (auto *s = dynamic_cast<TSizeConstraints *>(Source)) {
    minWidth_ = s->minWidth_;
    minHeight_ = s->minHeight_;
    maxWidth_ = s->maxWidth_;
    maxHeight_ = s->maxHeight_;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

int TSizeConstraints::ClampWidth(int Value) const {
  // A maximum below the minimum gives way to the minimum.
  if (maxWidth_ > 0) Value = std::min(Value, maxWidth_);
  return std::max(Value, minWidth_);
}
int TSizeConstraints::ClampHeight(int Value) const {
  if (maxHeight_ > 0) Value = std::min(Value, maxHeight_);
  return std::max(Value, minHeight_);
}

// ---- TControl ----------------------------------------------------------------

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

TControl::TControl(TComponent *AOwner) : TComponent(AOwner) {
  font_.OnChange = [this](TGraphicsObject *) {
    if (!applyingParentFont_) parentFont_ = false;
    FontChanged();
  };
  constraints_.OnChange = [this](TObject *) { ConstraintsChanged(); };
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
  if (!surface_) surface_ = std::make_unique<Surface>();
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

void TControl::DeferPaint() {
  if (surface_) surface_->dirty = true;
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

void TControl::HandleNeeded() {
  handleNeeded_ = true;
}

void TControl::WidgetShown() {
  handleNeeded_ = true;
}

void TControl::SetParent(TWinControl *AParent) {
  if (AParent == parent_) return;
  if (AParent == this) throw EComponentError("A control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (AParent) AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ApplyBounds(ALeft, ATop, AWidth, AHeight);
  if (!boundsFromLayout_) UpdateAnchorOrigin();
}

void TControl::LayoutBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  const bool saved = boundsFromLayout_;
  boundsFromLayout_ = true;
  try {
    SetBounds(ALeft, ATop, AWidth, AHeight);
  } catch (...) {
    boundsFromLayout_ = saved;
    throw;
  }
  boundsFromLayout_ = saved;
}

void TControl::ConstraintsChanged() {
  const TSize size = ConstrainedSize(width_, height_);
  if (size.cx != width_ || size.cy != height_) LayoutBounds(left_, top_, width_, height_);
}

TSize TControl::ConstrainedSize(int AWidth, int AHeight) const {
  return TSize{constraints_.ClampWidth(AWidth), constraints_.ClampHeight(AHeight)};
}

double TControl::DevicePixelRatio() const {
  return widget_ ? widget_->devicePixelRatioF() : 1.0;
}

void TControl::ApplyBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  ALeft = std::clamp(ALeft, -MaxControlPosition, MaxControlPosition);
  ATop = std::clamp(ATop, -MaxControlPosition, MaxControlPosition);
  const TSize size = ConstrainedSize(AWidth, AHeight);
  AWidth = std::clamp(size.cx, 0, MaxControlSize);
  AHeight = std::clamp(size.cy, 0, MaxControlSize);
  if (ALeft == left_ && ATop == top_ && AWidth == width_ && AHeight == height_) return;
  bool resized = AWidth != width_ || AHeight != height_;
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
  if (widget_) {
    if (widget_->isWindow()) {
      widget_->move(left_, top_);
      widget_->resize(width_, height_);
    } else {
      widget_->setGeometry(left_, top_, width_, height_);
    }
  }
  BoundsChanged();
  if (parent_ && (align_ != alNone || resized)) parent_->Realign();
  if (resized) {
    if (surface_) surface_->dirty = true;
    DispatchSafely([&] { Resize(); });
  }
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

void TControl::WidgetMoved(int ALeft, int ATop) {
  left_ = ALeft;
  top_ = ATop;
}

void TControl::SetClientWidth(int Value) {
  SetWidth(width_ - ClientWidth() + Value);
}
void TControl::SetClientHeight(int Value) {
  SetHeight(height_ - ClientHeight() + Value);
}

void TControl::UpdateAnchorOrigin() {
  if (!parent_) {
    anchorValid_ = false;
    return;
  }
  int pw = parent_->ClientWidth(), ph = parent_->ClientHeight();
  anchorLeft_ = left_;
  anchorTop_ = top_;
  anchorRight_ = pw - (left_ + width_);
  anchorBottom_ = ph - (top_ + height_);
  anchorParentWidth_ = pw;
  anchorParentHeight_ = ph;
  anchorValid_ = true;
}

void TControl::ApplyAnchors(int pw, int ph) {
  if (!anchorValid_ || align_ != alNone) return;
  int l = left_, t = top_, w = width_, h = height_;
  bool al = anchors_.Contains(akLeft), ar = anchors_.Contains(akRight);
  bool at = anchors_.Contains(akTop), ab = anchors_.Contains(akBottom);
  if (al && ar)
    w = pw - anchorRight_ - anchorLeft_, l = anchorLeft_;
  else if (ar)
    l = pw - anchorRight_ - w;
  else if (!al)
    l = anchorLeft_ + (pw - anchorParentWidth_) / 2;
  if (at && ab)
    h = ph - anchorBottom_ - anchorTop_, t = anchorTop_;
  else if (ab)
    t = ph - anchorBottom_ - h;
  else if (!at)
    t = anchorTop_ + (ph - anchorParentHeight_) / 2;
  LayoutBounds(l, t, w, h);
}

void TControl::SetAlign(TAlign Value) {
  if (Value == align_) return;
  align_ = Value;
  if (parent_) parent_->Realign();
  if (align_ == alNone) UpdateAnchorOrigin();
}

void TControl::SetAnchors(TAnchors Value) {
  anchors_ = Value;
  UpdateAnchorOrigin();
}

void TControl::SetVisible(bool Value) {
  if (Value == visible_) return;
  visible_ = Value;
  if (widget_ && (parent_ || !Value)) widget_->setVisible(Value);
  VisibleChanged();
  if (parent_) parent_->Realign();
}

bool TControl::Showing() const {
  for (const TControl *c = this; c; c = c->parent_)
    if (!c->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool Value) {
  if (Value == enabled_) return;
  enabled_ = Value;
  if (widget_) widget_->setEnabled(Value);
  EnabledChanged();
}

void TControl::SetCaption(const std::string &Value) {
  if (Value == caption_) return;
  caption_ = Value;
  TextChanged();
  AccessibleChanged(acName);
}

void TControl::SetHint(const std::string &Value) {
  hint_ = Value;
  UpdateToolTip();
  // A control without a caption is named by its hint.
  AccessibleChanged(acName);
  AccessibleChanged(acDescription);
}

bool TControl::ShowHint() const {
  if (parentShowHint_ && parent_) return parent_->ShowHint();
  return showHint_;
}

void TControl::SetShowHint(bool Value) {
  showHint_ = Value;
  parentShowHint_ = false;
  ParentShowHintChanged();
}

void TControl::SetParentShowHint(bool Value) {
  parentShowHint_ = Value;
  ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
  UpdateToolTip();
  if (auto *wc = dynamic_cast<TWinControl *>(this))
    for (TControl *c : wc->controls_)
      if (c->parentShowHint_) c->ParentShowHintChanged();
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

void TControl::SetFont(const TFont *Value) {
  if (Value && Value != &font_) font_.Assign(*Value);
}

void TControl::SetParentFont(bool Value) {
  parentFont_ = Value;
  if (Value) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  applyingParentFont_ = true;
  if (!font_.SameAs(*parent_->Font())) font_.Assign(*parent_->Font());
  applyingParentFont_ = false;
}

void TControl::FontChanged() {
  if (widget_) widget_->setFont(ToQFont(font_));
  Invalidate();
}

void TControl::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  ColorChanged();
}

void TControl::ColorChanged() {
  Invalidate();
}
void TControl::TextChanged() {
  Invalidate();
}
void TControl::EnabledChanged() {
  Invalidate();
}
void TControl::VisibleChanged() {}

void TControl::SetCursor(TCursor Value) {
  cursor_ = Value;
  ApplyCursor();
}

void TControl::ApplyCursor() {
  Application->ApplyCursor(Widget(), cursor_);
}

TPoint TControl::ClientToScreen(TPoint P) const {
  QPoint q = Widget()->mapToGlobal(QPoint(P.X, P.Y));
  return Point(q.x(), q.y());
}

TPoint TControl::ScreenToClient(TPoint P) const {
  QPoint q = Widget()->mapFromGlobal(QPoint(P.X, P.Y));
  return Point(q.x(), q.y());
}

void TControl::BringToFront() {
  if (parent_) {
    auto &v = parent_->controls_;
    v.erase(std::find(v.begin(), v.end(), this));
    v.push_back(this);
  }
  Widget()->raise();
}

void TControl::SendToBack() {
  if (parent_) {
    auto &v = parent_->controls_;
    v.erase(std::find(v.begin(), v.end(), this));
    v.insert(v.begin(), this);
  }
  Widget()->lower();
}

void TControl::Loaded() {
  TComponent::Loaded();
  ParentFontChanged();
  UpdateToolTip();
  // Anchors keep the distances the description drew, to the parent's final size.
  if (align_ == alNone) UpdateAnchorOrigin();
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}
bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  return handled;
}
void TControl::Resize() {
  if (OnResize) OnResize(this);
}

// ---- TWinControl -------------------------------------------------------------

TWinControl::TWinControl(TComponent *AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  // Owned components go first, while this control's window still exists;
  // then whatever child controls other owners left here.
  DestroyComponents();
  while (!controls_.empty())
    delete controls_.back();
}

TControl *TWinControl::Controls(int Index) const {
  if (Index < 0 || Index >= ControlCount())
    throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
  return controls_[std::size_t(Index)];
}

void TWinControl::InsertControl(TControl *AControl) {
  controls_.push_back(AControl);
  AControl->parent_ = this;
  QWidget *w = AControl->Widget();
  w->setParent(Widget());
  w->setVisible(AControl->visible_);
  AControl->ParentFontChanged();
  AControl->UpdateToolTip();
  AControl->UpdateAnchorOrigin();
  Realign();
}

void TWinControl::RemoveControl(TControl *AControl) {
  auto it = std::find(controls_.begin(), controls_.end(), AControl);
  if (it == controls_.end()) return;
  controls_.erase(it);
  AControl->parent_ = nullptr;
  AControl->anchorValid_ = false;
  if (AControl->widget_) {
    AControl->widget_->hide();
    AControl->widget_->setParent(nullptr);
  }
  Realign();
}

void TWinControl::DisableAlign() {
  ++alignDisabled_;
}

void TWinControl::EnableAlign() {
  if (alignDisabled_ > 0 && --alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign() {
  if (alignDisabled_ > 0 || IsDestroying()) {
    alignPending_ = true;
    return;
  }
  alignPending_ = false;
  AlignControls();
}

void TWinControl::AlignControls() {
  if (aligning_) {
    alignPending_ = true;
    return;
  }
  aligning_ = true;
  int pw = ClientWidth(), ph = ClientHeight();
  // While a description is read, the bounds it writes are final: a parent
  // still settling (an aligned sibling read later shrinks it) moves nothing.
  for (TControl *c : std::vector<TControl *>(controls_))
    if (c->align_ == alNone && c->visible_ && !c->ComponentState().Contains(csReading))
      c->ApplyAnchors(pw, ph);

  TRect r = AdjustedClientRect();
  auto place = [&](TAlign which) {
    std::vector<TControl *> list;
    for (TControl *c : controls_)
      if (c->align_ == which && c->visible_) list.push_back(c);
    // Controls sharing an edge keep the order of their positions.
    std::stable_sort(list.begin(), list.end(), [which](TControl *a, TControl *b) {
      switch (which) {
      case alTop:
        return a->top_ < b->top_;
      case alBottom:
        return a->top_ + a->height_ > b->top_ + b->height_;
      case alLeft:
        return a->left_ < b->left_;
      case alRight:
        return a->left_ + a->width_ > b->left_ + b->width_;
      default:
        return false;
      }
    });
    for (TControl *c : list) {
      switch (which) {
      case alTop:
        c->LayoutBounds(r.Left, r.Top, r.Width(), c->height_);
        r.Top += c->height_;
        break;
      case alBottom:
        c->LayoutBounds(r.Left, r.Bottom - c->height_, r.Width(), c->height_);
        r.Bottom -= c->height_;
        break;
      case alLeft:
        c->LayoutBounds(r.Left, r.Top, c->width_, std::max(r.Height(), 0));
        r.Left += c->width_;
        break;
      case alRight:
        c->LayoutBounds(r.Right - c->width_, r.Top, c->width_, std::max(r.Height(), 0));
        r.Right -= c->width_;
        break;
      case alClient:
        c->LayoutBounds(r.Left, r.Top, std::max(r.Width(), 0), std::max(r.Height(), 0));
        break;
      default:
        break;
      }
    }
  };
  place(alTop);
  place(alBottom);
  place(alLeft);
  place(alRight);
  place(alClient);
  aligning_ = false;
  if (alignPending_) {
    alignPending_ = false;
    AlignControls();
  }
}

void TWinControl::Resize() {
  Realign();
  TControl::Resize();
}

void TWinControl::BoundsChanged() {}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  for (TControl *c : controls_)
    c->ParentFontChanged();
}

void TWinControl::SetTabStop(bool Value) {
  tabStop_ = Value;
  Widget()->setFocusPolicy(Value ? Qt::StrongFocus : Qt::ClickFocus);
}

std::vector<TWinControl *> TWinControl::TabOrderList() const {
  std::vector<TControl *> children(controls_);
  std::stable_sort(children.begin(), children.end(), [](const TControl *a, const TControl *b) {
    return a->top_ != b->top_ ? a->top_ < b->top_ : a->left_ < b->left_;
  });
  std::vector<TWinControl *> out;
  for (TControl *c : children) {
    auto *wc = dynamic_cast<TWinControl *>(c);
    if (!wc) continue;
    if (wc->tabStop_) out.push_back(wc);
    std::vector<TWinControl *> inner = wc->TabOrderList();
    out.insert(out.end(), inner.begin(), inner.end());
  }
  return out;
}

bool TWinControl::Focused() const {
  return Widget()->hasFocus();
}

bool TWinControl::CanFocus() const {
  return Showing() && Enabled();
}

void TWinControl::SetFocus() {
  Widget()->setFocus(Qt::OtherFocusReason);
}

void TWinControl::KeyDown(std::uint16_t &Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}
void TWinControl::KeyUp(std::uint16_t &Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}
void TWinControl::KeyPress(char &Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}
void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
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
