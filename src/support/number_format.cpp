#include "support/number_format.h"

#include "support/math_utils.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
// Prefix letters for the powers of 1000 from -6 to 4; index 6 (no prefix) is
// never written.
constexpr char PrefixLetters[] = "afpnum kMGT";
} // namespace

std::string FormatFixed(double Value, int Decimals) {
  if (std::isnan(Value)) return "NaN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  Decimals = std::clamp(Decimals, 0, 30);
  char stack[64];
  int n = std::snprintf(stack, sizeof stack, "%.*f", Decimals, Value);
  std::string s;
  if (n >= 0 && n < int(sizeof stack)) {
    s.assign(stack, std::size_t(n));
  } else {
    s.resize(std::size_t(n) + 1);
    std::snprintf(s.data(), s.size(), "%.*f", Decimals, Value);
    s.resize(std::size_t(n));
  }
  // A negative value that rounds to zero is written without its sign.
  if (!s.empty() && s[0] == '-' && s.find_first_not_of("0.", 1) == std::string::npos) s.erase(0, 1);
  return s;
}

std::string FormatWithPrefix(int Digits, double Value) {
  if (std::isnan(Value)) return "NaN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  Digits = std::clamp(Digits, -9, 9);
  int b = 0;
  if (Digits > 1)
    b = Digits - 1;
  else if (Digits < -1)
    b = Digits + 1;
  const int absB = std::abs(b);
  if (Value == 0) return FormatFixed(0, absB);

  const bool negative = Value < 0;
  Value = std::fabs(Value);
  const double lg = DecimalLog(Value); // Value > 0 and finite here
  const int e = FloorToInt(lg);
  const int f = std::clamp(FloorToInt(lg / 3), -6, 4);
  const int decimals = std::max(0, absB - e + 3 * f);
  std::string s = FormatFixed(Value / std::exp(3 * f * std::log(10.0)), decimals);
  if (f != 0) {
    const char letter = PrefixLetters[f + 6];
    const std::size_t dot = s.find('.');
    if (b < 0 && dot != std::string::npos)
      s[dot] = letter;
    else
      s += letter;
  }
  if (negative) s.insert(s.begin(), '-');
  return s;
}
