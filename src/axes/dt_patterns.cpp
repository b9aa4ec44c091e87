#include "axes/dt_patterns.h"

#include <cmath>
#include <cstdio>

std::string PatternLiteral(char C) {
  const char quote = C == '"' ? '\'' : '"';
  return std::string{quote, C, quote};
}

std::string DatePattern(const TDTSettings &D, TDatePatternForm Form) {
  const std::string m = D.MonthName ? "mmm" : "mm";
  const std::string y = D.YearLength == ylNone ? "" : D.YearLength == ylYY ? "yy" : "yyyy";
  const std::string s = PatternLiteral(D.DateSeparator);
  // Joins the parts with separators, leaving out empty ones and their separator.
  auto join = [&s](std::initializer_list<std::string> parts) {
    std::string out;
    for (const std::string &p : parts) {
      if (p.empty()) continue;
      if (!out.empty()) out += s;
      out += p;
    }
    return out;
  };
  if (Form == dpMonth) return D.DateOrder == doYYMMDD ? join({y, m}) : join({m, y});
  switch (D.DateOrder) {
  case doMMDDYY:
    return join({m, "dd", y});
  case doDDMMYY:
    return join({"dd", m, y});
  case doYYMMDD:
    return join({y, m, "dd"});
  }
  return join({"dd", m, y});
}

std::string ClockPattern(const TDTSettings &D, int Level) {
  const std::string t = PatternLiteral(D.TimeSeparator);
  const std::string dot = PatternLiteral('.');
  std::string p;
  switch (D.TimeFormat) {
  case tfHHMMSS:
    p = "hh" + t + "nn";
    if (Level >= 3) p += t + "ss";
    if (Level >= 4) p += dot + "zz";
    break;
  case tfHHhMM:
    p = "h" + PatternLiteral('h');
    if (Level >= 2) p += "nn";
    if (Level >= 3) p += t + "ss";
    if (Level >= 4) p += dot + "zz";
    break;
  case tfAMPM:
    p = "h";
    if (Level >= 2) p += t + "nn";
    if (Level >= 3) p += dot + "ss";
    if (Level >= 4) p += dot + "zz";
    p += "am/pm";
    break;
  }
  return p;
}

std::string TimeTickLabel(double Seconds, bool Milliseconds) {
  const double magnitude = std::fabs(Seconds);
  const long long ms =
      Milliseconds ? std::llround(magnitude * 1000.0) : std::llround(magnitude) * 1000;
  // A value that rounds to zero is zero, without a sign.
  const char sign = Seconds < 0 && ms > 0 ? '-' : ' ';
  char text[48];
  int n = std::snprintf(text, sizeof text, "%c%02lld:%02lld:%02lld", sign, ms / 3600000,
                        ms / 60000 % 60, ms / 1000 % 60);
  if (Milliseconds && n > 0 && n < int(sizeof text))
    std::snprintf(text + n, sizeof text - std::size_t(n), ".%03lld", ms % 1000);
  return text;
}
