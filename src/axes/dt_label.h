#pragma once
// Date/time label settings that every scale and every axis object owns.
#include "platform/persistent.h"

/// Clock style of time labels: 08:05, 8h05 or 8:05am.
enum TTimeFormat { tfHHMMSS, tfHHhMM, tfAMPM };
/// Digits of the year in date labels.
enum TYearLength { ylNone, ylYY, ylYYYY };
/// Order of the parts of a date.
enum TDateOrder { doMMDDYY, doDDMMYY, doYYMMDD };
/// When a date line accompanies clock-time labels.
enum TDateForTime { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };

/// How date and time tick labels are written. The owner hooks OnChange to
/// repaint (a scale) or to re-apply its axes (a chart).
class TDTLabel : public TPersistent {
public:
  TDTLabel() = default;

  TTimeFormat TimeFormat() const { return timeFormat_; }
  /// Fires OnChange on every assignment.
  void SetTimeFormat(TTimeFormat Value);
  char DateSeparator() const { return dateSeparator_; }
  void SetDateSeparator(char Value);
  char TimeSeparator() const { return timeSeparator_; }
  void SetTimeSeparator(char Value);
  TYearLength YearLength() const { return yearLength_; }
  void SetYearLength(TYearLength Value);
  bool MonthName() const { return monthName_; }
  void SetMonthName(bool Value);
  TDateOrder DateOrder() const { return dateOrder_; }
  /// Fires OnChange on every assignment.
  void SetDateOrder(TDateOrder Value);
  TDateForTime DateForTime() const { return dateForTime_; }
  void SetDateForTime(TDateForTime Value);

  /// Takes over the seven settings of another TDTLabel (firing OnChange
  /// once); anything else goes to the default copy.
  void Assign(TPersistent *Source) override;
  /// Copies the seven settings of Source and fires OnChange once.
  void CopySettings(const TDTLabel &Source);
  /// True when all seven settings equal those of Other.
  bool SameSettings(const TDTLabel &Other) const;

  TNotifyEvent OnChange;

private:
  void Changed();

  TTimeFormat timeFormat_ = tfHHMMSS;
  char dateSeparator_ = '-';
  char timeSeparator_ = ':';
  TYearLength yearLength_ = ylYYYY;
  bool monthName_ = true;
  TDateOrder dateOrder_ = doDDMMYY;
  TDateForTime dateForTime_ = dtOnePerDay;
};
