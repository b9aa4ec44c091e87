#include "axes/scale_props.h"

#include "axes/axis_map.h"

#include <algorithm>
#include <cmath>

TScaleProps::TScaleProps() {
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

void TScaleProps::SetCaption(const std::string &Value) {
  caption_ = Value;
  Changed();
}

void TScaleProps::SetCaptionPosX(int Value) {
  captionPosX_ = Value;
  Changed();
}

void TScaleProps::SetCaptionPosY(int Value) {
  captionPosY_ = Value;
  Changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment Value) {
  captionAlignment_ = Value;
  Changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor Value) {
  captionAnchor_ = Value;
  Changed();
}

void TScaleProps::SetColorScale(TColor Value) {
  colorScale_ = Value;
  Changed();
}

void TScaleProps::SetDateFormat(const TDTLabel *Value) {
  if (Value != nullptr && Value != &dateFormat_)
    dateFormat_.CopySettings(*Value); // fires OnChange through the hook
}

void TScaleProps::SetDecPlaces(int Value) {
  decPlaces_ = std::clamp(Value, -3, 12);
  Changed();
}

void TScaleProps::SetFont(const TFont *Value) {
  if (Value != nullptr && Value != &font_) font_.Assign(*Value); // fires OnChange through the hook
}

void TScaleProps::SetLogarithmic(bool Value) {
  if (!Value)
    logarithmic_ = false;
  else if (loading_ ||
           (rangeLow_ >= LogFloor && rangeHigh_ >= LogFloor && labelType_ != ftDateTime))
    logarithmic_ = true;
  Changed();
}

void TScaleProps::SetLabelType(TFigType Value) {
  labelType_ = Value;
  if (Value == ftDateTime)
    logarithmic_ = false;
  else if (Value == ftTime)
    decPlaces_ = 4;
  Changed();
}

void TScaleProps::SetMinTicks(int Value) {
  minTicks_ = Value;
  Changed();
}

void TScaleProps::SetMinRange(double Value) {
  if (!(Value > LogFloor)) return;
  minRange_ = Value;
  if (std::fabs(rangeHigh_ - rangeLow_) >= Value) return;
  const double c = (rangeHigh_ + rangeLow_) / 2;
  rangeLow_ = c - Value / 2;
  rangeHigh_ = c + Value / 2;
  Changed();
}

bool TScaleProps::LogRangeRefused(double Low, double High) const {
  return logarithmic_ && !(Low >= LogFloor && High >= LogFloor);
}

void TScaleProps::SetRangeLow(double Value) {
  double low = Value;
  double high = rangeHigh_;
  if (std::fabs(rangeHigh_ - Value) < minRange_) high = Value + minRange_;
  // A logarithmic axis keeps positive ends, also when the widening above
  // would move the other end (the plain rule only looks at Value itself).
  if (!LogRangeRefused(low, high)) {
    rangeLow_ = low;
    rangeHigh_ = high;
  }
  Changed();
}

void TScaleProps::SetRangeHigh(double Value) {
  double low = rangeLow_;
  double high = Value;
  if (std::fabs(rangeLow_ - Value) < minRange_) low = Value - minRange_;
  if (!LogRangeRefused(low, high)) {
    rangeLow_ = low;
    rangeHigh_ = high;
  }
  Changed();
}

void TScaleProps::SetShortTicks(bool Value) {
  shortTicks_ = Value;
  Changed();
}

void TScaleProps::SetScaleInscript(const std::string &Value) {
  scaleInscript_ = Value;
  Changed();
}

void TScaleProps::SetScalePos(int Value) {
  scalePos_ = Value;
  Changed();
}

void TScaleProps::SetUserTickText(const std::string &Value) {
  userTickText_ = Value;
  Changed();
}

void TScaleProps::SetVisible(bool Value) {
  visible_ = Value;
  Changed();
}

void TScaleProps::SetScaleType(TScaleType Value) {
  scaleType_ = Value;
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
