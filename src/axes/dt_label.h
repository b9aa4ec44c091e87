#pragma once
// Date/time label settings that every scale and every axis object owns.
#include "axes/dt_settings.h"
#include "platform/persistent.h"

/// How date and time tick labels are written. The owner hooks OnChange to
/// repaint (a scale) or to re-apply its axes (a chart).
class TDTLabel : public TPersistent {
public:
  TDTLabel() = default;

  TTimeFormat TimeFormat() const { return settings_.TimeFormat; }
  /// Fires OnChange on every assignment.
  void SetTimeFormat(TTimeFormat Value);
  char DateSeparator() const { return settings_.DateSeparator; }
  void SetDateSeparator(char Value);
  char TimeSeparator() const { return settings_.TimeSeparator; }
  void SetTimeSeparator(char Value);
  TYearLength YearLength() const { return settings_.YearLength; }
  void SetYearLength(TYearLength Value);
  bool MonthName() const { return settings_.MonthName; }
  void SetMonthName(bool Value);
  TDateOrder DateOrder() const { return settings_.DateOrder; }
  /// Fires OnChange on every assignment.
  void SetDateOrder(TDateOrder Value);
  TDateForTime DateForTime() const { return settings_.DateForTime; }
  void SetDateForTime(TDateForTime Value);

  /// Takes over the seven settings of another TDTLabel (firing OnChange
  /// once); anything else goes to the default copy.
  void Assign(TPersistent *Source) override;
  /// Copies the seven settings of Source and fires OnChange once.
  void CopySettings(const TDTLabel &Source);
  /// True when all seven settings equal those of Other.
  bool SameSettings(const TDTLabel &Other) const { return settings_ == Other.settings_; }
  /// The seven settings as one value.
  const TDTSettings &Settings() const { return settings_; }

  TNotifyEvent OnChange;

private:
  void Changed();

  TDTSettings settings_;
};
