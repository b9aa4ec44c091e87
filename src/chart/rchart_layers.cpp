// Layers of the chart: axis objects, internal scales, rim geometry and the
// world-to-pixel mapping.
#include "chart/rchart_layer.h"

#include <algorithm>
#include <cmath>

namespace {

int ClampLayer(int Layer) {
  return std::clamp(Layer, 1, ChartLayerCount);
}

TAxisRange RangeOf(const TScaleProps &P) {
  return TAxisRange{P.RangeLow(), P.RangeHigh(), P.Logarithmic()};
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
    layer->FX =
        CalcHorizontalFactors(w, marginLeft_, marginRight_, shadowWidth_, RangeOf(*layer->PropsX));
    layer->FY =
        CalcVerticalFactors(h, marginTop_, marginBottom_, shadowWidth_, RangeOf(*layer->PropsY));
  }
}

void TCustomRChart::WorldToPixel(int Layer, double X, double Y, int &PixX, int &PixY) const {
  const auto &layer = LayerAt(Layer);
  const TAxisRange rx = RangeOf(*layer.PropsX);
  const TAxisRange ry = RangeOf(*layer.PropsY);
  // On a logarithmic axis, values at or below 1e-100 go to the edge on the axis's low side.
  PixX = MapWorld(layer.FX, rx, X, rx.High >= rx.Low ? 0 : Width());
  PixY = MapWorld(layer.FY, ry, Y, ry.High >= ry.Low ? Height() : 0);
}

TAxisPixelMap::TAxisPixelMap(const TAxisFactors &Factors, const TAxisRange &Range, int Edge)
    : F(Factors), R(Range), LowEdge(Edge), Linear(!Range.Logarithmic || Factors.LinearFallback),
      Factor(double(Factors.Factor)), Offset(double(Factors.Offset)),
      Margin((1e9 + 2 * std::fabs(double(Factors.Offset)) + 1) * 0x1p-40) {}

TLayerPixelMap TCustomRChart::PixelMapOf(int N) const {
  const auto &layer = LayerAt(N);
  const TAxisRange rx = RangeOf(*layer.PropsX);
  const TAxisRange ry = RangeOf(*layer.PropsY);
  // The same edges as WorldToPixel.
  return {TAxisPixelMap(layer.FX, rx, rx.High >= rx.Low ? 0 : Width()),
          TAxisPixelMap(layer.FY, ry, ry.High >= ry.Low ? Height() : 0)};
}

void TCustomRChart::PixelToWorld(int Layer, int PixX, int PixY, double &X, double &Y) const {
  // Callers pass 1 ... 16; anything else is clamped rather than read out of bounds.
  const auto &layer = LayerAt(Layer);
  X = MapPixel(layer.FX, RangeOf(*layer.PropsX), PixX);
  Y = MapPixel(layer.FY, RangeOf(*layer.PropsY), PixY);
}

// --- axis objects onto scales -------------------------------------------------

void TCustomRChart::ApplyScaleProps(TScale *Scale, TScaleProps *Props) {
  if (!Scale || !Props) return;
  const int w = Width(), h = Height(), p = Props->ScalePos();
  Scale->SetScaleType(Props->ScaleType());
  // The one margin that places the axis line ScalePos pixels outside the data area.
  switch (Props->ScaleType()) {
  case sctXB:
    Scale->SetMarginBottom(p + h - marginTop_ - 1);
    break;
  case sctXT:
    Scale->SetMarginTop(p + h - marginBottom_ - shadowWidth_);
    break;
  case sctYL:
    Scale->SetMarginLeft(p + w - marginRight_ - shadowWidth_);
    break;
  case sctYR:
    Scale->SetMarginRight(p + w - marginLeft_ - 1);
    break;
  }
  Scale->SetRangeLow(Props->RangeLow());
  Scale->SetRangeHigh(Props->RangeHigh());
  Scale->SetVisible(Props->Visible());
  Scale->SetCaption(Props->Caption());
  Scale->SetCaptionPosX(Props->CaptionPosX());
  Scale->SetCaptionPosY(Props->CaptionPosY());
  Scale->SetCaptionAlignment(Props->CaptionAlignment());
  Scale->SetCaptionAnchor(Props->CaptionAnchor());
  Scale->SetColorScale(Props->ColorScale());
  Scale->SetDecPlaces(Props->DecPlaces());
  Scale->SetLogarithmic(Props->Logarithmic());
  Scale->SetLabelType(Props->LabelType());
  Scale->SetShortTicks(Props->ShortTicks());
  Scale->SetMinTicks(Props->MinTicks());
  Scale->SetScaleInscript(Props->ScaleInscript());
  Scale->SetUserTickText(Props->UserTickText());
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
  const int w = Width(), h = Height();
  for (auto &layer : layers_) {
    layer->ScaleX->SetBounds(0, 0, w, h);
    layer->ScaleX->SetMarginLeft(marginLeft_);
    layer->ScaleX->SetMarginRight(marginRight_ + shadowWidth_ - 1);
    layer->ScaleY->SetBounds(0, 0, w, h);
    layer->ScaleY->SetMarginTop(marginTop_);
    layer->ScaleY->SetMarginBottom(marginBottom_ + shadowWidth_ - 1);
  }
}

void TCustomRChart::LayerRangeUpdate(int N, double XLo, double XHi, double YLo, double YHi) {
  Layer &layer = LayerAt(N);
  auto update = [](TScaleProps &P, double Lo, double Hi) {
    if (std::fabs(Lo - Hi) < P.MinRange()) return; // narrower than the axis allows: the range stays
    const bool log = P.Logarithmic();
    if (Lo != P.RangeLow() && (!log || Lo >= 1e-100)) P.SetRangeLow(Lo);
    if (Hi != P.RangeHigh() && (!log || Hi >= 1e-100)) P.SetRangeHigh(Hi);
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
    // Every layer controls its own ranges here, so each keeps its current ones.
    for (int n = 1; n <= ChartLayerCount; ++n) {
      const Layer &layer = LayerAt(n);
      LayerRangeUpdate(n, layer.PropsX->RangeLow(), layer.PropsX->RangeHigh(),
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
    AHeight = std::max(AHeight, marginTop_ + marginBottom_ + shadowWidth_ + 20);
    AWidth = std::max(AWidth, marginLeft_ + marginRight_ + shadowWidth_ + 80);
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (isometric_)
      for (int n = 1; n <= ChartLayerCount; ++n)
        IsometricRange(n);
    ApplyAllScaleProps();
    SizeScales();
    CalcLayerFactors();
  }
}
