#pragma once
// Tick ladders of date/time axes, computed as data like the numeric ticks
// (scale_geometry.h): ftDateTime axes (values in days since 30 December
// 1899) get clock, day, month or year ticks by the span per tick interval;
// ftTime axes (values in seconds) get elapsed-time ticks. Also the placement
// of date lines and of the messages drawn instead of ticks.
#include "axes/scale_geometry.h"

#include <span>
#include <vector>

/// Appends the ticks of an ftDateTime axis to Out in drawing order. Returns
/// tmInvalid for a range that is reversed, not finite or outside
/// -693593 .. 3000000 days, tmBelowOneSecond when one tick interval would be
/// shorter than the axis can label (a second horizontally, a hundredth of a
/// second vertically); no ticks then. No tick lies after 31 December 9999.
/// MinTicks 0 counts as one interval.
TTickMessage DateTimeTicks(const TScaleState &S, std::vector<TTick> &Out);

/// Appends the ticks of an ftTime axis to Out (short ticks first, then the
/// labelled majors) and returns true; returns false, appending nothing,
/// when the span per interval is below a millisecond or a day and more, so
/// that numeric ticks are drawn instead. MinTicks 0 counts as one interval.
bool TimeTicks(const TScaleState &S, std::vector<TTick> &Out);

/// The lines of a message: the whole text on horizontal axes, one word
/// group per line on vertical ones. Empty for tmNone.
std::span<const char *const> TickMessageLines(TTickMessage M, bool Horizontal);

/// Top-left corner of message line Line (0-based) of the given text size.
/// THeight is the height of "T" in the label font (vertical line spacing).
TPoint TickMessageOrigin(const TScaleState &S, int Line, TSize Text, int THeight);

/// Top-left corner of the date line of Tick, of the given text size: one
/// and a half heights above the clock label on vertical axes, one text
/// height further from the axis line than the label on horizontal ones.
TPoint DateLineOrigin(const TScaleState &S, const TTick &Tick, TSize Text);
