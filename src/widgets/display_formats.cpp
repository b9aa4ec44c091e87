#include "widgets/display_formats.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// Longest fixed text: 309 integer digits of DBL_MAX, sign, point and decimals.
constexpr int kMaxDecimals = 340;
using TNumberBuffer = std::array<char, 720>;

std::string NonFinite(double Value) {
  if (std::isnan(Value)) return "NAN";
  return Value < 0 ? "-INF" : "INF";
}

// Significant digits of Value rounded to Digits places, and the decimal
// exponent of the first one (3207.127, 2 -> "32", 3).
void Significant(double Value, int Digits, std::string &digits, int &exponent) {
  TNumberBuffer buf;
  auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(Value),
                           std::chars_format::scientific, Digits - 1);
  const std::string_view text(buf.data(), std::size_t(res.ptr - buf.data()));
  const std::size_t e = text.find('e');
  digits.clear();
  for (char c : text.substr(0, e))
    if (c != '.') digits += c;
  exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
}

void TrimFraction(std::string &text) {
  if (text.find('.') == std::string::npos) return;
  while (text.back() == '0')
    text.pop_back();
  if (text.back() == '.') text.pop_back();
}

std::string Digits(std::uint64_t Value, unsigned Base, int Count) {
  std::string out(std::size_t(Count), '0');
  for (int i = Count - 1; i >= 0; --i) {
    out[std::size_t(i)] = "0123456789ABCDEF"[Value % Base];
    Value /= Base;
  }
  return out;
}

} // namespace

std::string FormatFloatFixed(double Value, int Decimals) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  Decimals = std::clamp(Decimals, 0, kMaxDecimals);
  TNumberBuffer buf;
  auto res =
      std::to_chars(buf.data(), buf.data() + buf.size(), Value, std::chars_format::fixed, Decimals);
  return std::string(buf.data(), res.ptr);
}

std::string FormatFloatExp(double Value, int Digits) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  Digits = std::clamp(Digits, 2, 20);
  std::string digits;
  int exponent = 0;
  Significant(Value, Digits, digits, exponent);
  std::string out = std::signbit(Value) && Value != 0 ? "-" : "";
  out += digits[0];
  out += '.';
  out.append(digits, 1);
  out += exponent < 0 ? "E-" : "E+";
  out += FormatIntDigits(std::abs(exponent), 3);
  return out;
}

std::string FormatFloatGeneral(double Value, int Digits) {
  if (!std::isfinite(Value)) return NonFinite(Value);
  if (Value == 0) return "0";
  Digits = std::clamp(Digits, 2, 20);
  std::string digits;
  int exponent = 0;
  Significant(Value, Digits, digits, exponent);
  std::string out = Value < 0 ? "-" : "";
  const int e = exponent + 1; // the value is 0.d... x 10^e
  if (e >= -3 && e <= Digits) {
    std::string text;
    if (e > 0) {
      text = digits.substr(0, std::size_t(e)) + "." + digits.substr(std::size_t(e));
    } else {
      text = "0." + std::string(std::size_t(-e), '0') + digits;
    }
    TrimFraction(text);
    return out + text;
  }
  std::string mantissa = digits.substr(0, 1) + "." + digits.substr(1);
  TrimFraction(mantissa);
  return out + mantissa + "E" + std::to_string(exponent);
}

std::string FormatIntDigits(std::int64_t Value, int MinDigits) {
  // The magnitude as unsigned, so that the most negative value has no overflow.
  const std::uint64_t magnitude = Value < 0 ? 0 - std::uint64_t(Value) : std::uint64_t(Value);
  std::string digits = std::to_string(magnitude);
  if (int(digits.size()) < MinDigits) digits.insert(0, std::size_t(MinDigits) - digits.size(), '0');
  return Value < 0 ? "-" + digits : digits;
}

std::string FormatHexDigits(std::int64_t Value, int MinDigits) {
  const auto bits = std::uint64_t(Value);
  int count = 1;
  while (count < 16 && (bits >> (4 * count)) != 0)
    ++count;
  return Digits(bits, 16, std::max(count, MinDigits));
}

std::string FormatBinDigits(std::uint32_t Value, int Count) {
  return Digits(Value, 2, std::clamp(Count, 0, 32));
}

std::string FormatOctDigits(std::uint32_t Value, int Count) {
  return Digits(Value, 8, std::clamp(Count, 0, 11));
}
