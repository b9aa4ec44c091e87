#pragma once
// Label texts of date/time axes: the date and clock patterns built from a
// TDTSettings (rendered by the platform's pattern formatter) and the
// elapsed-time labels of ftTime axes.
#include "axes/dt_settings.h"

#include <string>

/// Which date pattern: day ticks and the date lines of clock ticks show the
/// day, month ticks only month and year.
enum TDatePatternForm { dpDay, dpMonth };

/// A character as literal pattern text: quoted so that the formatter never
/// reads it as a pattern letter, a quote character inside the other quote.
std::string PatternLiteral(char C);

/// The date pattern for the settings' DateOrder, MonthName, YearLength and
/// DateSeparator. Without a year the separator next to it is left out.
std::string DatePattern(const TDTSettings &D, TDatePatternForm Form);

/// The clock pattern of level 1 (hours) to 4 (hundredths of a second) for
/// the settings' TimeFormat; the TimeSeparator is always literal text.
std::string ClockPattern(const TDTSettings &D, int Level);

/// Label of an ftTime tick at Seconds: a blank or "-", then hh:mm:ss of the
/// magnitude (hours may exceed 24), with ".zzz" when Milliseconds is set.
/// The value is rounded to the shown precision first and carries into the
/// higher fields (59.9996 s reads 00:01:00).
std::string TimeTickLabel(double Seconds, bool Milliseconds);
