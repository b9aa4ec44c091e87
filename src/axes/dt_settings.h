#pragma once
// The date/time label settings as a plain value: what the tick computation
// reads, and what TDTLabel publishes.

/// Clock style of time labels: 08:05, 8h05 or 8:05am.
enum TTimeFormat { tfHHMMSS, tfHHhMM, tfAMPM };
/// Digits of the year in date labels.
enum TYearLength { ylNone, ylYY, ylYYYY };
/// Order of the parts of a date.
enum TDateOrder { doMMDDYY, doDDMMYY, doYYMMDD };
/// When a date line accompanies clock-time labels.
enum TDateForTime { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };

/// The seven settings of a TDTLabel, copied as a whole.
struct TDTSettings {
  TTimeFormat TimeFormat = tfHHMMSS;
  char DateSeparator = '-';
  char TimeSeparator = ':';
  TYearLength YearLength = ylYYYY;
  bool MonthName = true;
  TDateOrder DateOrder = doDDMMYY;
  TDateForTime DateForTime = dtOnePerDay;

  bool operator==(const TDTSettings &) const = default;
};
