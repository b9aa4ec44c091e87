// The scale control: properties, repaint rule, painting and copying.
#include "axes/scale.h"

#include <algorithm>

namespace {

constexpr TColor kSilver = 0xC0C0C0;

// The rules of the setters, on a settings value.

int ClampDecPlaces(int Value) {
  return std::clamp(Value, -3, 12);
}

int ClampMinTicks(int Value) {
  return Value == 0 ? 0 : std::clamp(Value, 2, 10);
}

// RangeLow := Value; a RangeHigh equal to it moves to Value + 1.
void PutRangeLow(TAxisSettings &S, double Value) {
  if (Value == S.RangeHigh) S.RangeHigh = Value + 1;
  S.RangeLow = Value;
}

// RangeHigh := Value; a RangeLow equal to it moves to Value + 1.
void PutRangeHigh(TAxisSettings &S, double Value) {
  if (Value == S.RangeLow) S.RangeLow = Value + 1;
  S.RangeHigh = Value;
}

// Whether Logarithmic := True is taken: while loading, or with both range ends
// at least LogFloor and labels that are not dates.
bool LogAccepted(const TAxisSettings &S, bool Loading) {
  return Loading ||
         (S.RangeLow >= LogFloor && S.RangeHigh >= LogFloor && S.LabelType != ftDateTime);
}

} // namespace

TScale::TScale(TComponent *AOwner) : TCustomControl(AOwner) {
  // A transparent scale draws over its parent's background, which the back
  // buffer takes on before every paint; an opaque one covers all of it.
  EnableBackBuffer(true);
  dateFormat_.OnChange = [this](TObject *) {
    state_.DateFormat = dateFormat_.Settings();
    RepaintScale();
  };
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
  // A form may store a logarithmic date axis (Logarithmic is taken unchecked
  // while reading); dates are never logarithmic once loaded.
  if (state_.LabelType == ftDateTime) state_.Logarithmic = false;
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
  state_.DecPlaces = ClampDecPlaces(Value);
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
  else if (LogAccepted(state_, IsScaleLoading()))
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
  state_.MinTicks = ClampMinTicks(Value);
  RepaintScale();
}

void TScale::SetRangeLow(double Value) {
  PutRangeLow(state_, Value);
  RecalcAndRepaint();
}

void TScale::SetRangeHigh(double Value) {
  PutRangeHigh(state_, Value);
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

void TScale::SetState(const TScaleState &State, const TAxisLook &Look) {
  TAxisSettings s = State;
  // The range ends go in as the two setters would take them, low end first.
  s.RangeLow = state_.RangeLow;
  s.RangeHigh = state_.RangeHigh;
  PutRangeLow(s, State.RangeLow);
  PutRangeHigh(s, State.RangeHigh);
  s.DecPlaces = ClampDecPlaces(s.DecPlaces);
  s.MinTicks = ClampMinTicks(s.MinTicks);
  // A refused logarithmic mode keeps the previous one.
  s.Logarithmic = State.Logarithmic && (LogAccepted(s, IsScaleLoading()) || state_.Logarithmic);
  if (s.LabelType == ftDateTime)
    s.Logarithmic = false;
  else if (s.LabelType == ftTime)
    s.DecPlaces = 4;
  static_cast<TAxisSettings &>(state_) = s;
  state_.MarginLeft = std::max(State.MarginLeft, 0);
  state_.MarginTop = std::max(State.MarginTop, 0);
  state_.MarginRight = std::max(State.MarginRight, 0);
  state_.MarginBottom = std::max(State.MarginBottom, 0);
  {
    // The caption is the control's own text; its change path must not paint
    // half-copied state.
    const bool saved = paintSuspended_;
    paintSuspended_ = true;
    look_ = Look;
    SetCaption(Look.Caption);
    paintSuspended_ = saved;
  }
  RecalcAndRepaint();
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
  buffer_->SetPixelRatio(target.PixelRatio());
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
  // Settings, margins, own map and look come over as a whole. Bounds are not
  // copied, and a handed-over data map belongs to whoever handed it over.
  const TScaleState own = state_;
  state_ = src->state_;
  state_.Width = own.Width;
  state_.Height = own.Height;
  state_.DataMap = own.DataMap;
  look_ = src->look_;
  // The control's own: frame, background, event, recorded ticks, target and suspension.
  frameStyle_ = src->frameStyle_;
  colorBackGnd_ = src->colorBackGnd_;
  frameColor_ = src->frameColor_;
  darkColor_ = src->darkColor_;
  lightColor_ = src->lightColor_;
  colorScheme_ = src->colorScheme_;
  OnScaleTickDrawn = src->OnScaleTickDrawn;
  positions_ = src->positions_;
  target_ = src->target_;
  targetX_ = src->targetX_;
  targetY_ = src->targetY_;
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
