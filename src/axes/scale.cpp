// The scale control: properties, repaint rule, painting and copying.
#include "axes/scale.h"

#include <algorithm>

namespace {
constexpr double kLogFloor = 1e-100;
constexpr TColor kSilver = 0xC0C0C0;
} // namespace

TScale::TScale(TComponent *AOwner) : TCustomControl(AOwner) {
  // A transparent scale draws over its parent's background, which the back
  // buffer takes on before every paint; an opaque one covers all of it.
  EnableBackBuffer(true);
  dateFormat_.OnChange = [this](TObject *) { RepaintScale(); };
  SetBounds(Left(), Top(), 400, 400);
  state_.Width = Width();
  state_.Height = Height();
  CalcScaleFactors();
}

TScale::~TScale() {
  dateFormat_.OnChange = nullptr;
}

bool TScale::IsScaleLoading() const {
  return IsLoading();
}

// ---- mapping -------------------------------------------------------------

void TScale::CalcScaleFactors() {
  if (IsScaleLoading()) return;
  ::CalcScaleFactors(state_);
}

int TScale::ValueToPixel(double V) const {
  return ::ValueToPixel(state_, V);
}

double TScale::TickPosition(int i) const {
  if (i < 1 || i > positions_.Count) return 0;
  return positions_.Values[static_cast<std::size_t>(i - 1)];
}

// ---- repainting ----------------------------------------------------------

void TScale::RepaintScale() {
  if (chartOwned_) {
    PaintScale();
  } else if (look_.Transparent) {
    Invalidate();
  } else if (target_ != nullptr) {
    PaintScale();
  } else if (paintSuspended_ && !HandleAllocated()) {
    // Nothing can show before the window exists: no back buffer yet (a
    // chart's own scales, made before the chart takes them over, never get one).
    Invalidate();
  } else {
    Repaint();
  }
}

void TScale::RecalcAndRepaint() {
  CalcScaleFactors();
  RepaintScale();
}

void TScale::BoundsChanged() {
  TCustomControl::BoundsChanged();
  state_.Width = Width();
  state_.Height = Height();
  RecalcAndRepaint();
}

void TScale::FontChanged() {
  TCustomControl::FontChanged();
  RepaintScale();
}

void TScale::TextChanged() {
  TCustomControl::TextChanged();
  look_.Caption = Caption();
  RepaintScale();
}

void TScale::VisibleChanged() {
  TCustomControl::VisibleChanged();
  RepaintScale();
}

void TScale::Loaded() {
  TCustomControl::Loaded(); // clears the loading state
  CalcScaleFactors();
  RepaintScale();
}

void TScale::SetPaintSuspended(bool Value) {
  paintSuspended_ = Value;
  if (!Value) RepaintScale();
}

void TScale::SetChartOwned(bool Value) {
  if (chartOwned_ == Value) return;
  chartOwned_ = Value;
  RepaintScale();
}

void TScale::SetTargetCanvas(TCanvas *Canvas, int X0, int Y0) {
  target_ = Canvas;
  targetX_ = X0;
  targetY_ = Y0;
}

void TScale::ForcePaint() {
  const bool saved = paintSuspended_;
  paintSuspended_ = false;
  if (target_ != nullptr || chartOwned_)
    PaintScale();
  else
    Repaint();
  paintSuspended_ = saved;
}

// ---- properties ----------------------------------------------------------

void TScale::SetCaptionPosX(int Value) {
  look_.CaptionPosX = Value;
  RepaintScale();
}

void TScale::SetCaptionPosY(int Value) {
  look_.CaptionPosY = Value;
  RepaintScale();
}

void TScale::SetCaptionAlignment(TAlignment Value) {
  look_.CaptionAlignment = Value;
  RepaintScale();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor Value) {
  look_.CaptionAnchor = Value;
  RepaintScale();
}

void TScale::SetColorBackGnd(TColor Value) {
  if (colorBackGnd_ == Value) return;
  colorBackGnd_ = Value;
  RepaintScale();
}

void TScale::SetColorScale(TColor Value) {
  if (look_.ColorScale == Value) return;
  look_.ColorScale = Value;
  RepaintScale();
}

void TScale::ApplyColorScheme() {
  if (colorScheme_ == csSystem) {
    darkColor_ = clBtnShadow;
    lightColor_ = clBtnHighlight;
  } else {
    darkColor_ = 0x808080;
    lightColor_ = 0xFFFFFF;
  }
}

void TScale::SetColorScheme(TColorScheme Value) {
  if (colorScheme_ == Value) return;
  colorScheme_ = Value;
  ApplyColorScheme();
  RepaintScale();
}

void TScale::SetFrameStyle(TFrameStyle Value) {
  if (frameStyle_ == Value) return;
  frameStyle_ = Value;
  RepaintScale();
}

void TScale::SetDateFormat(const TDTLabel *Value) {
  if (Value != nullptr && Value != &dateFormat_)
    dateFormat_.CopySettings(*Value); // repaints through OnChange
}

void TScale::SetDecPlaces(int Value) {
  state_.DecPlaces = std::clamp(Value, -3, 12);
  RecalcAndRepaint();
}

void TScale::SetLabelType(TFigType Value) {
  state_.LabelType = Value;
  if (Value == ftDateTime && state_.Logarithmic) {
    state_.Logarithmic = false;
    CalcScaleFactors();
  } else if (Value == ftTime) {
    state_.DecPlaces = 4;
  }
  RepaintScale();
}

void TScale::SetLogarithmic(bool Value) {
  if (!Value)
    state_.Logarithmic = false;
  else if (IsScaleLoading() || (state_.RangeLow >= kLogFloor && state_.RangeHigh >= kLogFloor &&
                                state_.LabelType != ftDateTime))
    state_.Logarithmic = true;
  RecalcAndRepaint();
}

void TScale::SetMarginTop(int Value) {
  state_.MarginTop = std::max(Value, 0);
  RecalcAndRepaint();
}

void TScale::SetMarginBottom(int Value) {
  state_.MarginBottom = std::max(Value, 0);
  RecalcAndRepaint();
}

void TScale::SetMarginLeft(int Value) {
  state_.MarginLeft = std::max(Value, 0);
  RecalcAndRepaint();
}

void TScale::SetMarginRight(int Value) {
  state_.MarginRight = std::max(Value, 0);
  RecalcAndRepaint();
}

void TScale::SetMinTicks(int Value) {
  state_.MinTicks = Value == 0 ? 0 : std::clamp(Value, 2, 10);
  RepaintScale();
}

void TScale::SetRangeLow(double Value) {
  if (Value == state_.RangeHigh) state_.RangeHigh = Value + 1;
  state_.RangeLow = Value;
  RecalcAndRepaint();
}

void TScale::SetRangeHigh(double Value) {
  if (Value == state_.RangeLow) state_.RangeLow = Value + 1;
  state_.RangeHigh = Value;
  RecalcAndRepaint();
}

void TScale::SetScaleInscript(const std::string &Value) {
  state_.ScaleInscript = Value;
  RepaintScale();
}

void TScale::SetUserTickText(const std::string &Value) {
  state_.UserTickText = Value;
  RepaintScale();
}

void TScale::SetScaleType(TScaleType Value) {
  if (state_.ScaleType == Value) return;
  state_.ScaleType = Value;
  RecalcAndRepaint();
}

void TScale::SetShortTicks(bool Value) {
  if (state_.ShortTicks == Value) return;
  state_.ShortTicks = Value;
  RepaintScale();
}

void TScale::SetShowBaseLine(bool Value) {
  look_.ShowBaseLine = Value;
  RepaintScale();
}

void TScale::SetTransparent(bool Value) {
  look_.Transparent = Value;
  RepaintScale();
}

// ---- painting ------------------------------------------------------------

void TScale::Paint() {
  // The first paint through a real window ends the initial suspension; a
  // chart's axes stay under the chart's control.
  if (!windowSeen_ && !chartOwned_ && HandleAllocated()) {
    windowSeen_ = true;
    paintSuspended_ = false;
  }
  PaintScale();
}

void TScale::PaintScale() {
  if (painting_) return; // a handler that changes the scale while it draws waits for the next paint
  if (!Visible() && !(IsDesigning() && !chartOwned_)) return;
  if (IsScaleLoading() || paintSuspended_) return;
  painting_ = true;
  struct Reset {
    bool &flag;
    ~Reset() { flag = false; }
  } reset{painting_};

  TCanvas &target = target_ != nullptr ? *target_ : Canvas();
  const TPoint origin = target_ != nullptr ? TPoint{targetX_, targetY_} : TPoint{0, 0};
  target.Font().Assign(*Font());
  if (OnBeforeScaleRendered) OnBeforeScaleRendered(this, &target);

  const TAxisDrawContext ctx{this, &OnScaleTickDrawn, &positions_, &ticks_};
  if (look_.Transparent) {
    TCanvas *last = DrawAxis(target, state_, look_, origin, ctx);
    if (OnAfterScaleRendered) OnAfterScaleRendered(this, last);
    return;
  }

  const int w = std::max(Width(), 1);
  const int h = std::max(Height(), 1);
  if (!buffer_)
    buffer_ = std::make_unique<TBitmap>(w, h);
  else if (buffer_->Width() != w || buffer_->Height() != h)
    buffer_->SetSize(w, h);
  TCanvas &bc = buffer_->Canvas();
  bc.SetRecorder(target.Recorder()); // tests observe both surfaces alike
  bc.Font().Assign(*Font());
  bc.Pen().SetColor(colorBackGnd_);
  bc.Pen().SetMode(pmCopy);
  bc.Brush().SetColor(colorBackGnd_);
  bc.Brush().SetStyle(bsSolid);
  bc.FillRect(Rect(0, 0, w, h));
  TCanvas *last = DrawAxis(bc, state_, look_, {0, 0}, ctx);
  if (OnAfterScaleRendered) OnAfterScaleRendered(this, last);
  DrawFrame(bc, static_cast<std::uint8_t>(frameStyle_), 0, 0, w - 1, h - 1, frameColor_, kSilver,
            darkColor_, lightColor_, lightColor_);
  bc.SetRecorder(nullptr);
  target.Draw(origin.X, origin.Y, *buffer_);
}

// ---- copying -------------------------------------------------------------

void TScale::Assign(TPersistent *Source) {
  auto *src = dynamic_cast<TScale *>(Source);
  if (src == nullptr) {
    TCustomControl::Assign(Source);
    return;
  }
  if (src == this) return;
  frameStyle_ = src->frameStyle_;
  colorBackGnd_ = src->colorBackGnd_;
  look_.ColorScale = src->look_.ColorScale;
  frameColor_ = src->frameColor_;
  darkColor_ = src->darkColor_;
  lightColor_ = src->lightColor_;
  colorScheme_ = src->colorScheme_;
  OnScaleTickDrawn = src->OnScaleTickDrawn;
  state_.Logarithmic = src->state_.Logarithmic;
  state_.Factor = src->state_.Factor;
  state_.Offset = src->state_.Offset;
  state_.RangeHigh = src->state_.RangeHigh;
  state_.RangeLow = src->state_.RangeLow;
  state_.ShortTicks = src->state_.ShortTicks;
  state_.MinTicks = src->state_.MinTicks;
  state_.DecPlaces = src->state_.DecPlaces;
  look_.ShowBaseLine = src->look_.ShowBaseLine;
  look_.Transparent = src->look_.Transparent;
  state_.LabelType = src->state_.LabelType;
  state_.MarginTop = src->state_.MarginTop;
  state_.MarginBottom = src->state_.MarginBottom;
  state_.MarginLeft = src->state_.MarginLeft;
  state_.MarginRight = src->state_.MarginRight;
  look_.CaptionPosX = src->look_.CaptionPosX;
  look_.CaptionPosY = src->look_.CaptionPosY;
  state_.UserTickText = src->state_.UserTickText;
  state_.ScaleInscript = src->state_.ScaleInscript;
  positions_ = src->positions_;
  look_.CaptionAnchor = src->look_.CaptionAnchor;
  look_.CaptionAlignment = src->look_.CaptionAlignment;
  target_ = src->target_;
  targetX_ = src->targetX_;
  targetY_ = src->targetY_;
  state_.ScaleType = src->state_.ScaleType;
  paintSuspended_ = src->paintSuspended_;
  // The date settings and the caption arrive through their own change
  // paths; keep them from painting half-copied state.
  const bool saved = paintSuspended_;
  paintSuspended_ = true;
  dateFormat_.CopySettings(src->dateFormat_);
  SetCaption(src->Caption());
  paintSuspended_ = saved;
  RepaintScale();
}

void TScale::AssignTo(TPersistent *Dest) {
  if (auto *dst = dynamic_cast<TScale *>(Dest)) {
    dst->Assign(this);
    return;
  }
  TCustomControl::AssignTo(Dest);
}
