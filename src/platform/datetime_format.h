#pragma once
// Calendar arithmetic and pattern formatting for date/time values.
//
// A date/time value is a count of days on a continuous scale whose zero is
// 30 December 1899, 00:00; the fraction is the time of day. Negative values
// are earlier instants with the time of day running forward as for positive
// values (-0.25 is 29 December 1899, 18:00). The supported range is
// 1 January 0001 to 31 December 9999 of the proleptic Gregorian calendar.
//
// Pattern language (letters are case-insensitive outside quotes):
//   d      day of month          dd     two-digit day
//   ddd    short day name        dddd   long day name
//   m      month                 mm     two-digit month
//   mmm    short month name      mmmm   long month name
//   yy     two-digit year        yyyy   four-digit year (y / yyy likewise)
//   h      hour                  hh     two-digit hour
//   n      minute                nn     two-digit minute
//   s      second                ss     two-digit second
//   z      milliseconds          zz, zzz three-digit milliseconds
//   am/pm  "am"/"pm" in the letter case written; switches h to 12 hours
//   a/p    "a"/"p" likewise
//   ampm   the TimeAMString / TimePMString of the names
//   "..." and '...' literal text; every other character is copied.
// "m" always means the month; minutes are "n".
#include <array>
#include <optional>
#include <string>
#include <string_view>

/// The texts a pattern may insert: month and day names, morning/afternoon.
/// Day names start with Sunday.
struct TDateTimeNames {
  std::array<std::string, 12> ShortMonthNames;
  std::array<std::string, 12> LongMonthNames;
  std::array<std::string, 7> ShortDayNames;
  std::array<std::string, 7> LongDayNames;
  std::string TimeAMString;
  std::string TimePMString;

  /// English names ("Jan", "January", "Sun", "Sunday", "AM", "PM").
  static const TDateTimeNames &English();
};

/// A date/time value broken into calendar fields. DayOfWeek: 1 = Sunday.
struct TDateTimeParts {
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int MSec = 0;
  int DayOfWeek = 0;
};

/// Smallest and largest whole day of the supported range (0001-01-01, 9999-12-31).
inline constexpr double MinDateTimeDay = -693593.0;
inline constexpr double MaxDateTimeDay = 2958465.0;

/// Splits a value into its fields, the time rounded to the nearest
/// millisecond. Returns nothing for a value that is not finite or lies
/// outside the supported range.
std::optional<TDateTimeParts> DecodeDateTime(double value);

/// Day number of a calendar date; nothing for an invalid date.
std::optional<double> EncodeDate(int year, int month, int day);

/// Fraction of a day for a time of day; nothing for invalid fields.
std::optional<double> EncodeTime(int hour, int minute, int second, int msec);

/// True for the leap years of the Gregorian calendar.
bool IsLeapYear(int year);

/// Renders a value with a pattern (see the top of this file). Returns
/// nothing when the value cannot be decoded.
std::optional<std::string> FormatDateTime(std::string_view pattern, double value,
                                          const TDateTimeNames &names = TDateTimeNames::English());

/// Renders already decoded fields with a pattern.
std::string FormatDateTimeParts(std::string_view pattern, const TDateTimeParts &parts,
                                const TDateTimeNames &names = TDateTimeNames::English());
