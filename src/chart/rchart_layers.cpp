// Layers of the chart: axis objects, internal scales, rim geometry and the
// world-to-pixel mapping.
#include "chart/rchart_layer.h"

#include <algorithm>
#include <cmath>

namespace {

int ClampLayer(int Layer) {
  return std::clamp(Layer, 1, ChartLayerCount);
}

// Sets the one margin of a scale spanning the whole chart that places its axis
// line ScalePos pixels outside the data area.
// Wide arithmetic: margins and ScalePos may come from a form at any size.
void PlaceAxisLine(TScaleState &S, int ScalePos, const TRimGeometry &G) {
  const std::int64_t p = ScalePos, w = G.W, h = G.H;
  switch (S.ScaleType) {
  case sctXB:
    S.MarginBottom = SaturateInt(p + h - G.MT - 1);
    break;
  case sctXT:
    S.MarginTop = SaturateInt(p + h - G.MB - G.SW);
    break;
  case sctYL:
    S.MarginLeft = SaturateInt(p + w - G.MR - G.SW);
    break;
  case sctYR:
    S.MarginRight = SaturateInt(p + w - G.ML - 1);
    break;
  }
}

} // namespace

const TCustomRChart::Layer &TCustomRChart::LayerAt(int N) const {
  return *layers_[std::size_t(ClampLayer(N) - 1)];
}
TCustomRChart::Layer &TCustomRChart::LayerAt(int N) {
  return *layers_[std::size_t(ClampLayer(N) - 1)];
}

TScalePropsHoriz *TCustomRChart::ScaleX(int Layer) const {
  return LayerAt(Layer).PropsX.get();
}
TScalePropsVert *TCustomRChart::ScaleY(int Layer) const {
  return LayerAt(Layer).PropsY.get();
}
TScale *TCustomRChart::InternalScaleX(int Layer) const {
  return LayerAt(Layer).ScaleX.get();
}
TScale *TCustomRChart::InternalScaleY(int Layer) const {
  return LayerAt(Layer).ScaleY.get();
}

// --- mapping ----------------------------------------------------------------------

void TCustomRChart::CalcLayerFactors() {
  if (IsLoading()) return;
  const int w = Width(), h = Height();
  for (auto &layer : layers_) {
    layer->MapX =
        HorizontalAxisMap(w, marginLeft_, marginRight_, shadowWidth_, layer->PropsX->AxisRange());
    layer->MapY =
        VerticalAxisMap(h, marginTop_, marginBottom_, shadowWidth_, layer->PropsY->AxisRange());
    // The axes draw their ticks through the very maps the data goes through.
    layer->ScaleX->SetDataMap(layer->MapX);
    layer->ScaleY->SetDataMap(layer->MapY);
  }
}

void TCustomRChart::WorldToPixel(int Layer, double X, double Y, int &PixX, int &PixY) const {
  const auto &layer = LayerAt(Layer);
  PixX = layer.MapX.ToPixel(X);
  PixY = layer.MapY.ToPixel(Y);
}

TAxisPixelMap::TAxisPixelMap(const TAxisFactors &Factors, const TAxisRange &Range, int Edge)
    : F(Factors), R(Range), LowEdge(Edge), Linear(!Range.Logarithmic || Factors.LinearFallback),
      Factor(double(Factors.Factor)), Offset(double(Factors.Offset)),
      Margin((1e9 + 2 * std::fabs(double(Factors.Offset)) + 1) * 0x1p-40) {}

TLayerPixelMap TCustomRChart::PixelMapOf(int N) const {
  // The very maps WorldToPixel and the axes use.
  const auto &layer = LayerAt(N);
  return {TAxisPixelMap(layer.MapX.Factors, layer.MapX.Range, layer.MapX.LowEdge),
          TAxisPixelMap(layer.MapY.Factors, layer.MapY.Range, layer.MapY.LowEdge)};
}

void TCustomRChart::PixelToWorld(int Layer, int PixX, int PixY, double &X, double &Y) const {
  // Callers pass 1 ... 16; anything else is clamped rather than read out of bounds.
  const auto &layer = LayerAt(Layer);
  X = layer.MapX.ToWorld(PixX);
  Y = layer.MapY.ToWorld(PixY);
}

// --- axis objects onto scales -------------------------------------------------

void TCustomRChart::ApplyScaleProps(TScale *Scale, TScaleProps *Props) {
  if (!Scale || !Props) return;
  TScaleState s = Scale->State();
  static_cast<TAxisSettings &>(s) = Props->Settings();
  PlaceAxisLine(s, Props->ScalePos(), Rim());
  Scale->SetState(s, Props->Look());
  Scale->SetVisible(Props->Visible());
  Scale->SetFont(Props->Font());
  Scale->SetDateFormat(Props->DateFormat());
}

void TCustomRChart::ApplyAllScaleProps() {
  for (auto &layer : layers_) {
    ApplyScaleProps(layer->ScaleX.get(), layer->PropsX.get());
    ApplyScaleProps(layer->ScaleY.get(), layer->PropsY.get());
  }
}

void TCustomRChart::SizeScales() {
  // Each scale spans the data area, which places its base line and caption; its
  // ticks follow the layer's map whatever the margins say.
  const int w = Width(), h = Height();
  for (auto &layer : layers_) {
    layer->ScaleX->SetBounds(0, 0, w, h);
    layer->ScaleX->SetMarginLeft(marginLeft_);
    layer->ScaleX->SetMarginRight(SaturateInt(std::int64_t(marginRight_) + shadowWidth_ - 1));
    layer->ScaleY->SetBounds(0, 0, w, h);
    layer->ScaleY->SetMarginTop(marginTop_);
    layer->ScaleY->SetMarginBottom(SaturateInt(std::int64_t(marginBottom_) + shadowWidth_ - 1));
  }
}

void TCustomRChart::LayerRangeUpdate(int N, double XLo, double XHi, double YLo, double YHi) {
  Layer &layer = LayerAt(N);
  auto update = [](TScaleProps &P, double Lo, double Hi) {
    if (std::fabs(Lo - Hi) < P.MinRange()) return; // narrower than the axis allows: the range stays
    const bool log = P.Logarithmic();
    if (Lo != P.RangeLow() && (!log || Lo >= LogFloor)) P.SetRangeLow(Lo);
    if (Hi != P.RangeHigh() && (!log || Hi >= LogFloor)) P.SetRangeHigh(Hi);
  };
  update(*layer.PropsX, XLo, XHi);
  update(*layer.PropsY, YLo, YHi);
  ApplyScaleProps(layer.ScaleX.get(), layer.PropsX.get());
  ApplyScaleProps(layer.ScaleY.get(), layer.PropsY.get());
  CalcLayerFactors();
}

void TCustomRChart::AxisPropsChanged() {
  if (applyingAxes_) return; // a range written below reports back; the pass in progress covers it
  {
    TSuspendScope applying(applyingAxes_, false);
    const TSuspendScope suspend = SuspendPainting();
    ApplyAllScaleProps();
    // Each layer keeps its own ranges; the layers it controls take them too.
    for (int n = 1; n <= ChartLayerCount; ++n) {
      const Layer &layer = LayerAt(n);
      CoupledRangeUpdate(n, layer.PropsX->RangeLow(), layer.PropsX->RangeHigh(),
                         layer.PropsY->RangeLow(), layer.PropsY->RangeHigh());
    }
  }
  RepaintFor(TRepaintCause::AxisChange);
}

// --- rim and bounds ---------------------------------------------------------------

void TCustomRChart::MarginsChanged() {
  PreparePictures(false);
  if (isometric_) {
    // The range setters report back as axis changes; one repaint follows below.
    const TSuspendScope suspend = SuspendPainting();
    for (int n = 1; n <= ChartLayerCount; ++n)
      IsometricRange(n);
  }
  ApplyAllScaleProps();
  SizeScales();
  CalcLayerFactors();
  AppearanceChanged();
}

void TCustomRChart::SetMarginLeft(int Value) {
  marginLeft_ = Value;
  MarginsChanged();
}
void TCustomRChart::SetMarginRight(int Value) {
  marginRight_ = Value;
  MarginsChanged();
}
void TCustomRChart::SetMarginTop(int Value) {
  marginTop_ = Value;
  MarginsChanged();
}
void TCustomRChart::SetMarginBottom(int Value) {
  marginBottom_ = Value;
  MarginsChanged();
}
void TCustomRChart::SetShadowWidth(int Value) {
  shadowWidth_ = std::clamp(Value, 0, 32);
  // Unlike the margins, the shadow leaves isometric ranges as they are.
  PreparePictures(false);
  ApplyAllScaleProps();
  SizeScales();
  CalcLayerFactors();
  AppearanceChanged();
}

void TCustomRChart::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (!layers_.back()) { // still being constructed
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    return;
  }
  {
    const TSuspendScope suspend = SuspendPainting();
    AHeight = std::max(AHeight, SaturateInt(std::int64_t(marginTop_) + marginBottom_ + shadowWidth_ + 20));
    AWidth = std::max(AWidth, SaturateInt(std::int64_t(marginLeft_) + marginRight_ + shadowWidth_ + 80));
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (isometric_)
      for (int n = 1; n <= ChartLayerCount; ++n)
        IsometricRange(n);
    ApplyAllScaleProps();
    SizeScales();
    CalcLayerFactors();
  }
}
