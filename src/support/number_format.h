#pragma once
// Number formatting with SI prefix letters, for the numeric label.
#include <string>

/// Formats Value with about |Digits| significant digits and an SI prefix letter
/// (a f p n u m k M G T). Digits < 0 puts the letter in place of the decimal
/// point (4k70). NaN gives "NaN", infinities "INF" / "-INF".
std::string FormatWithPrefix(int Digits, double Value);

/// Fixed-point text of Value with Decimals digits after the point (none and no
/// point for 0), a leading "-" for negative values, no separators. Rounds the
/// exact binary value to nearest (an exact half goes to the even digit); a
/// negative value that rounds to zero is written without "-".
std::string FormatFixed(double Value, int Decimals);
