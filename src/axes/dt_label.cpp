#include "axes/dt_label.h"

void TDTLabel::Changed() {
  if (OnChange) OnChange(this);
}

void TDTLabel::SetTimeFormat(TTimeFormat Value) {
  timeFormat_ = Value;
  Changed();
}

void TDTLabel::SetDateSeparator(char Value) {
  if (dateSeparator_ == Value) return;
  dateSeparator_ = Value;
  Changed();
}

void TDTLabel::SetTimeSeparator(char Value) {
  if (timeSeparator_ == Value) return;
  timeSeparator_ = Value;
  Changed();
}

void TDTLabel::SetYearLength(TYearLength Value) {
  if (yearLength_ == Value) return;
  yearLength_ = Value;
  Changed();
}

void TDTLabel::SetMonthName(bool Value) {
  if (monthName_ == Value) return;
  monthName_ = Value;
  Changed();
}

void TDTLabel::SetDateOrder(TDateOrder Value) {
  dateOrder_ = Value;
  Changed();
}

void TDTLabel::SetDateForTime(TDateForTime Value) {
  if (dateForTime_ == Value) return;
  dateForTime_ = Value;
  Changed();
}

void TDTLabel::CopySettings(const TDTLabel &Source) {
  timeFormat_ = Source.timeFormat_;
  dateSeparator_ = Source.dateSeparator_;
  timeSeparator_ = Source.timeSeparator_;
  yearLength_ = Source.yearLength_;
  monthName_ = Source.monthName_;
  dateOrder_ = Source.dateOrder_;
  dateForTime_ = Source.dateForTime_;
  Changed();
}

bool TDTLabel::SameSettings(const TDTLabel &Other) const {
  return timeFormat_ == Other.timeFormat_ && dateSeparator_ == Other.dateSeparator_ &&
         timeSeparator_ == Other.timeSeparator_ && yearLength_ == Other.yearLength_ &&
         monthName_ == Other.monthName_ && dateOrder_ == Other.dateOrder_ &&
         dateForTime_ == Other.dateForTime_;
}

void TDTLabel::Assign(TPersistent *Source) {
  if (auto *src = dynamic_cast<TDTLabel *>(Source)) {
    if (src != this) CopySettings(*src);
    return;
  }
  TPersistent::Assign(Source);
}
