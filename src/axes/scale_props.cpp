#include "axes/scale_props.h"

#include "axes/axis_map.h"

#include <algorithm>
#include <cmath>

namespace {

// A chart axis starts on the range 0 ... 1 (a stand-alone scale on 0 ... 100).
TAxisSettings ChartAxisSettings() {
  TAxisSettings s;
  s.RangeHigh = 1;
  return s;
}

// A chart draws its axes transparently over its own face, each with its base
// line; captions sit right at their anchors.
TAxisLook ChartAxisLook() {
  TAxisLook l;
  l.Transparent = true;
  l.ShowBaseLine = true;
  l.CaptionPosX = 0;
  l.CaptionPosY = 0;
  return l;
}

} // namespace

TScaleProps::TScaleProps() : settings_(ChartAxisSettings()), look_(ChartAxisLook()) {
  dateFormat_.OnChange = [this](TObject *) { Changed(); };
  font_.OnChange = [this](TGraphicsObject *) { Changed(); };
}

TScaleProps::~TScaleProps() {
  dateFormat_.OnChange = nullptr;
  font_.OnChange = nullptr;
}

void TScaleProps::Changed() {
  if (OnChange) OnChange(this);
}

void TScaleProps::SetLoading(bool Value) {
  loading_ = Value;
  if (!Value && settings_.LabelType == ftDateTime) settings_.Logarithmic = false;
}

void TScaleProps::SetDateFormat(const TDTLabel *Value) {
  if (Value != nullptr && Value != &dateFormat_)
    dateFormat_.CopySettings(*Value); // fires OnChange through the hook
}

void TScaleProps::SetDecPlaces(int Value) {
  Store(settings_.DecPlaces, std::clamp(Value, -3, 12));
}

void TScaleProps::SetFont(const TFont *Value) {
  if (Value != nullptr && Value != &font_) font_.Assign(*Value); // fires OnChange through the hook
}

void TScaleProps::SetLogarithmic(bool Value) {
  TAxisSettings &s = settings_;
  if (!Value)
    s.Logarithmic = false;
  else if (loading_ ||
           (s.RangeLow >= LogFloor && s.RangeHigh >= LogFloor && s.LabelType != ftDateTime))
    s.Logarithmic = true;
  Changed();
}

void TScaleProps::SetLabelType(TFigType Value) {
  settings_.LabelType = Value;
  if (Value == ftDateTime)
    settings_.Logarithmic = false;
  else if (Value == ftTime)
    settings_.DecPlaces = 4;
  Changed();
}

void TScaleProps::SetMinRange(double Value) {
  if (!(Value > LogFloor)) return;
  minRange_ = Value;
  double &low = settings_.RangeLow;
  double &high = settings_.RangeHigh;
  if (std::fabs(high - low) >= Value) return;
  const double c = (high + low) / 2;
  low = c - Value / 2;
  high = c + Value / 2;
  Changed();
}

bool TScaleProps::LogRangeRefused(double Low, double High) const {
  return settings_.Logarithmic && !(Low >= LogFloor && High >= LogFloor);
}

void TScaleProps::SetRangeLow(double Value) {
  double low = Value;
  double high = settings_.RangeHigh;
  if (std::fabs(high - Value) < minRange_) high = Value + minRange_;
  // A logarithmic axis keeps positive ends, also when the widening above
  // would move the other end (the plain rule only looks at Value itself).
  if (!LogRangeRefused(low, high)) {
    settings_.RangeLow = low;
    settings_.RangeHigh = high;
  }
  Changed();
}

void TScaleProps::SetRangeHigh(double Value) {
  double low = settings_.RangeLow;
  double high = Value;
  if (std::fabs(low - Value) < minRange_) low = Value - minRange_;
  if (!LogRangeRefused(low, high)) {
    settings_.RangeLow = low;
    settings_.RangeHigh = high;
  }
  Changed();
}

TScalePropsHoriz::TScalePropsHoriz() {
  SetScaleType(sctXT);
}

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz Value) {
  location_ = Value;
  SetScaleType(Value == slTop ? sctXB : sctXT); // fires OnChange
}

TScalePropsVert::TScalePropsVert() {
  SetScaleType(sctYR);
}

void TScalePropsVert::SetScaleLocation(TScaleLocationVert Value) {
  location_ = Value;
  SetScaleType(Value == slLeft ? sctYR : sctYL); // fires OnChange
}
