#include "widgets/num_lab_text.h"

#include "platform/datetime_format.h"
#include "support/number_format.h"
#include "widgets/display_formats.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {

// Values this close to a whole number are taken as that number, so that
// 12.0000000000001 degrees does not show as 11 degrees 60 minutes.
constexpr double kSnap = 3e-12;

double Snapped(double x) {
  const double r = std::nearbyint(x);
  return std::fabs(x - r) <= kSnap ? r : x;
}

// x in fixed point with Decimals decimals, padded with leading blanks to Width.
std::string FixedPadded(double x, int Width, int Decimals) {
  std::string text = FormatFloatFixed(x, Decimals);
  if (int(text.size()) < Width) text.insert(0, std::size_t(Width) - text.size(), ' ');
  return text;
}

// Whether x shown with Decimals decimals reads as Limit or more (59.9996 -> "60.00").
bool RoundsUpTo(double x, int Decimals, double Limit) {
  const std::string text = FormatFloatFixed(x, Decimals);
  double shown = 0;
  std::from_chars(text.data(), text.data() + text.size(), shown);
  return shown >= Limit;
}

bool InUnsigned32Range(double v) {
  return v >= -2147483648.0 && v <= 4294967295.0;
}

std::string LastChars(const std::string &text, int count) {
  return int(text.size()) > count ? text.substr(text.size() - std::size_t(count)) : text;
}

// "12° 30.00'" and "12° 30' 45.0"": degrees with minutes, or minutes and
// seconds, of an angle. A fraction that rounds up to a full minute or degree is
// carried into the next unit.
std::string DegreeText(double v, int decimals, bool withSeconds) {
  if (!std::isfinite(v)) return {};
  v = Snapped(v);
  const bool negative = v < 0;
  const double a = std::fabs(v);
  double degrees = std::trunc(a);
  std::string tail;
  if (!withSeconds) {
    double minutes = (a - degrees) * 60;
    if (RoundsUpTo(minutes, decimals, 60)) {
      degrees += 1;
      minutes = 0;
    }
    tail = FixedPadded(minutes, decimals + 3, decimals) + "'";
  } else {
    const double m = Snapped((a - degrees) * 60);
    double minutes = std::trunc(m);
    double seconds = (m - minutes) * 60;
    if (RoundsUpTo(seconds, decimals, 60)) {
      minutes += 1;
      seconds = 0;
    }
    if (minutes >= 60) {
      degrees += 1;
      minutes = 0;
    }
    tail = FixedPadded(minutes, 2, 0) + "' " + FixedPadded(seconds, decimals + 3, decimals) + "\"";
  }
  // The sign belongs to the whole angle; it is written even when the degrees
  // are 0 (-0.5 is "-0° 30.00'"), but not for an angle that shows as zero.
  std::string head = FormatFloatFixed(degrees, 0);
  const bool showsZero = degrees == 0 && tail.find_first_of("123456789") == std::string::npos;
  if (negative && !showsZero) head.insert(0, "-");
  return head + DegreeSign + " " + tail;
}

} // namespace

std::string NumLabValueText(double Value, const TNumLabTextSettings &S) {
  const int P = std::clamp(S.Precision, 0, 15);
  const double V = Value;
  std::string text;
  bool postProcess = true;
  switch (S.DisplayType) {
  case dtFloat:
    text = FormatFloatGeneral(V, P);
    break;
  case dtFixP:
    text = FormatFloatFixed(V, P);
    break;
  case dtExp:
    text = FormatFloatExp(V, P);
    break;
  case dtHex: {
    if (!InUnsigned32Range(V)) return S.OverflowIndicator;
    const int p = std::min(P, 8);
    text = LastChars(FormatHexDigits(std::int64_t(std::nearbyint(V)), p), p);
    postProcess = false;
    break;
  }
  case dtZeroInt:
    if (!(V >= -2147483648.0 && V <= 2147483647.0)) return S.OverflowIndicator;
    text = FormatIntDigits(std::int64_t(std::nearbyint(V)), P);
    break;
  case dtInt:
    // Formatted from the rounded double, so any magnitude is safe; too long a
    // text is caught by the width check of the box.
    if (!std::isfinite(V)) return S.OverflowIndicator;
    text = FormatFloatFixed(std::nearbyint(V) + 0.0, 0);
    break;
  case dtDateTime: {
    auto formatted = FormatDateTime(S.DTFormat, V);
    if (!formatted) return S.OverflowIndicator;
    text = *formatted;
    postProcess = false;
    break;
  }
  case dtState:
    return S.StateText;
  case dtBin: {
    if (!InUnsigned32Range(V)) return S.OverflowIndicator;
    const int p = std::min(P, 32);
    const auto bits = std::uint32_t(std::int64_t(std::nearbyint(V)));
    text = LastChars(FormatBinDigits(bits, std::max(p, 1)), p);
    postProcess = false;
    break;
  }
  case dtOct: {
    if (!InUnsigned32Range(V)) return S.OverflowIndicator;
    const int p = std::min(P, 12);
    const auto bits = std::uint32_t(std::int64_t(std::nearbyint(V)));
    text = LastChars(FormatOctDigits(bits, std::min(std::max(p, 1), 11)), p);
    break;
  }
  case dtDeg:
    if (std::isfinite(V)) text = FormatFloatFixed(V, std::min(P, 8)) + DegreeSign;
    break;
  case dtDegMin:
    text = DegreeText(V, std::min(P, 8), false);
    break;
  case dtDegMinSec:
    text = DegreeText(V, std::min(P, 8), true);
    break;
  case dtEEng:
    if (std::isfinite(V)) text = FormatWithPrefix(P, V);
    break;
  case dtEEngNoDP:
    if (std::isfinite(V)) text = FormatWithPrefix(-P, V);
    break;
  }
  if (text.empty() && S.DisplayType >= dtDeg) return S.OverflowIndicator;
  if (!postProcess) return text;
  if (S.Comma)
    std::replace(text.begin(), text.end(), '.', ',');
  else
    std::replace(text.begin(), text.end(), ',', '.');
  if (S.ForcePlusSign && V > 0) text.insert(0, "+");
  return text;
}
