// What controls do on every system: bounds and size limits, the parent's
// Align/Anchors layout, visibility, fonts and hints inherited from the
// parent, tab order and the event handlers. What the control's window does
// is the back end's (the Native... functions in qt/control.cpp and
// windows/control.cpp).
#include "platform/application.h"
#include "platform/control.h"
#include "platform/exceptions.h"
#include "platform/strings.h"

#include <algorithm>
#include <string>
#include <vector>

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

TControl::TControl(TComponent *AOwner) : TComponent(AOwner) {
  font_.OnChange = [this](TGraphicsObject *) {
    if (!applyingParentFont_) parentFont_ = false;
    FontChanged();
  };
  constraints_.OnChange = [this](TObject *) { ConstraintsChanged(); };
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
  if (widget_) NativeSetBounds();
  BoundsChanged();
  if (parent_ && (align_ != alNone || resized)) parent_->Realign();
  if (resized) {
    DeferPaint();
    DispatchSafely([&] { Resize(); });
  }
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
  if (widget_ && (parent_ || !Value)) NativeSetVisible(Value);
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
  if (widget_) NativeSetEnabled(Value);
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
  if (widget_) NativeFontChanged();
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

void TControl::BringToFront() {
  if (parent_) {
    auto &v = parent_->controls_;
    v.erase(std::find(v.begin(), v.end(), this));
    v.push_back(this);
  }
  NativeRaise(true);
}

void TControl::SendToBack() {
  if (parent_) {
    auto &v = parent_->controls_;
    v.erase(std::find(v.begin(), v.end(), this));
    v.insert(v.begin(), this);
  }
  NativeRaise(false);
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
  NativeAttach(AControl);
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
  if (AControl->widget_) NativeDetach(AControl);
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
  NativeSetTabStop();
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

bool TWinControl::CanFocus() const {
  return Showing() && Enabled();
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
