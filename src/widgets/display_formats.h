#pragma once
// Number texts in the shapes the numeric read-out shows. They do not depend on
// the user's locale: the decimal separator is always "." and the caller swaps
// it when a comma is wanted.
#include <cstdint>
#include <string>

/// Fixed point with exactly Decimals digits after the point (no point for 0);
/// a leading "-" for negative values, no separators. Non-finite values give
/// "NAN", "INF" or "-INF".
std::string FormatFloatFixed(double Value, int Decimals);

/// Scientific notation with Digits significant digits (at least 2): one digit,
/// ".", the further digits, "E", the exponent's sign and at least three exponent
/// digits. 3207.127 with 2 digits gives "3.2E+003".
std::string FormatFloatExp(double Value, int Digits);

/// General notation with Digits significant digits (at least 2), trailing zeros
/// and a trailing point dropped. Writing the value as 0.d... x 10^e, fixed
/// notation is used for -3 <= e <= Digits, otherwise one digit, the further
/// digits, "E" and the exponent without "+" or leading zeros: 3207.127 gives
/// "3.2E3" with 2 digits and "3207" with 4.
std::string FormatFloatGeneral(double Value, int Digits);

/// Decimal integer with at least MinDigits digits (leading zeros after the sign).
std::string FormatIntDigits(std::int64_t Value, int MinDigits);

/// Upper-case hexadecimal of the 64-bit two's complement pattern of Value,
/// with at least MinDigits digits.
std::string FormatHexDigits(std::int64_t Value, int MinDigits);

/// The low Digits digits of Value in base 2 or 8 (most significant first, leading
/// zeros kept). Digits is limited to 32 binary or 11 octal digits.
std::string FormatBinDigits(std::uint32_t Value, int Digits);
std::string FormatOctDigits(std::uint32_t Value, int Digits);
