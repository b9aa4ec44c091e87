#include "axes/dt_label.h"

namespace {

// Stores Value and reports whether it differs from what was there.
template <class T> bool Store(T &Field, T Value) {
  if (Field == Value) return false;
  Field = Value;
  return true;
}

} // namespace

void TDTLabel::Changed() {
  if (OnChange) OnChange(this);
}

void TDTLabel::SetTimeFormat(TTimeFormat Value) {
  settings_.TimeFormat = Value;
  Changed();
}

void TDTLabel::SetDateSeparator(char Value) {
  if (Store(settings_.DateSeparator, Value)) Changed();
}

void TDTLabel::SetTimeSeparator(char Value) {
  if (Store(settings_.TimeSeparator, Value)) Changed();
}

void TDTLabel::SetYearLength(TYearLength Value) {
  if (Store(settings_.YearLength, Value)) Changed();
}

void TDTLabel::SetMonthName(bool Value) {
  if (Store(settings_.MonthName, Value)) Changed();
}

void TDTLabel::SetDateOrder(TDateOrder Value) {
  settings_.DateOrder = Value;
  Changed();
}

void TDTLabel::SetDateForTime(TDateForTime Value) {
  if (Store(settings_.DateForTime, Value)) Changed();
}

void TDTLabel::CopySettings(const TDTLabel &Source) {
  settings_ = Source.settings_;
  Changed();
}

void TDTLabel::Assign(TPersistent *Source) {
  if (auto *src = dynamic_cast<TDTLabel *>(Source)) {
    if (src != this) CopySettings(*src);
    return;
  }
  TPersistent::Assign(Source);
}
