#include "axes/tick_math.h"

#include "support/number_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Tolerance used when a step quotient lies on a mantissa boundary.
constexpr double kMantissaTolerance = 1e-10;
// Upper bound for the loops that walk First onto the range; they normally
// run at most twice, but a step lost in the rounding of a huge value must
// not hang the caller.
constexpr int kMaxAlignSteps = 1000;

double Log10(double x) {
  return std::log(x) / std::log(10.0);
}

// Round to nearest, ties to even, for values known to be small.
int RoundEven(double x) {
  return static_cast<int>(std::nearbyint(x));
}

std::string Exponent(double value) {
  // A two-significant-digit mantissa with a two-digit exponent; exponents
  // of three digits do not fit the eight characters a label reserves.
  const std::string stars(8, '*');
  if (!std::isfinite(value)) return stars;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.1E", std::fabs(value));
  const char *e = std::strchr(buf, 'E');
  if (e == nullptr) return stars;
  const int exponent = std::atoi(e + 1);
  if (exponent <= -100 || exponent >= 100) return stars;
  char out[32];
  std::snprintf(out, sizeof out, "%c%.3sE%c%02d", value < 0 ? '-' : ' ', buf,
                exponent < 0 ? '-' : '+', std::abs(exponent));
  return out;
}

} // namespace

TNiceScale NiceScale(int MinTicks, double High, double Low) {
  TNiceScale r;
  if (High == Low || !std::isfinite(High) || !std::isfinite(Low) || !std::isfinite(High - Low)) {
    r.First = Low;
    return r;
  }
  const double dir = Low < High ? 1.0 : -1.0;
  const double span = std::fabs(High - Low);
  if (MinTicks == 0) {
    r.Step = dir;
    // Start one whole unit before the low end, on the side away from the
    // range, so that the walk below lands on the first whole value in range.
    r.First = std::trunc(Low) - dir;
    r.NShort = span > 10 ? 1 : 5;
  } else {
    double g = Log10(span / std::abs(MinTicks));
    double h = g - std::trunc(g);
    if (std::fabs(h) < 1e-10 || std::fabs(h) > 0.9999999999) {
      g = std::nearbyint(g);
      h = 0;
    }
    if (g < 0 && h != 0) g -= 1;
    if (h < 0) h += 1;
    // The step is mantissa x 10^decade, formed from exact factors so that
    // tick values such as 2000 or 0.5 come out without representation noise.
    double mantissa;
    if (h < Log10(2) + kMantissaTolerance) {
      mantissa = 1;
      r.NShort = 5;
    } else if (h < Log10(5) + kMantissaTolerance) {
      mantissa = 2;
      r.NShort = 4;
    } else {
      mantissa = 5;
      r.NShort = 5;
    }
    r.Step = dir * mantissa * std::pow(10.0, std::trunc(g));
    if (r.Step == 0 || !std::isfinite(r.Step)) {
      r.First = Low;
      r.Step = 0;
      r.NShort = 1;
      return r;
    }
    r.First = (std::trunc(Low / r.Step) - 1) * r.Step;
  }
  for (int i = 0; i < kMaxAlignSteps && dir * (Low - r.First) > 0.001 * std::fabs(r.Step); ++i)
    r.First += r.Step;
  return r;
}

int AutoDecimals(int DecPlaces, double High, double Low) {
  if (DecPlaces != -2 && DecPlaces != -3) return DecPlaces;
  const double s = std::fabs(High - Low);
  if (!std::isfinite(s) || s >= 1000000 || s <= 0.0001) return -1;
  if (s >= 100) return 0;
  return 2 - RoundEven(std::log(s) / 2.5);
}

int LogDecimals(int DecPlaces, double High, double Low) {
  if (DecPlaces != -2) return DecPlaces;
  const double hi = std::max(High, Low);
  const double lo = std::min(High, Low);
  const double span = hi - lo;
  if (!std::isfinite(span) || span >= 1000000 || span <= 0.0001) return -1;
  if (lo >= 1) return 0;
  if (lo == 0) return -1; // no decade to show; only reachable from outside a scale
  return 1 - RoundEven(Log10(std::fabs(lo)));
}

std::string FormatTickValue(int Width, int Decimals, double Value) {
  std::string s = Decimals >= 0 ? FormatFixed(Value, Decimals) : Exponent(Value);
  if (Width > 0 && s.size() < static_cast<std::size_t>(Width))
    s.insert(0, static_cast<std::size_t>(Width) - s.size(), ' ');
  return s;
}

std::string UserTickItem(const std::string &Text, int n) {
  if (n <= 0 || Text.empty()) return {};
  std::size_t start = 0;
  for (int i = 1;; ++i) {
    const std::size_t bar = Text.find('|', start);
    if (bar == std::string::npos || i == n)
      return Text.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    start = bar + 1;
  }
}

std::string ApplyInscript(const std::string &Label, const std::string &Template) {
  if (Label.empty()) return Label;
  const std::size_t amp = Template.find('&');
  if (amp == std::string::npos) return Template + Label;
  std::string r = Template;
  r.replace(amp, 1, Label);
  return r;
}
