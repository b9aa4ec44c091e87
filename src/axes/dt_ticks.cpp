#include "axes/dt_ticks.h"

#include "axes/dt_patterns.h"
#include "platform/datetime_format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

namespace {

// A tick this many days past the high end still belongs to the axis.
constexpr double kEndTolerance = 1e-8;
// Calendar ticks this many days before the low end count as lying on it.
constexpr double kStartTolerance = 1e-8;
// Share of a step by which a clock or time tick may miss the low end and
// still be the first tick (rounding of the range ends).
constexpr double kStepTolerance = 1e-3;
// Relative slack when a span per interval is compared with a step, so that
// a span of exactly 8 hours selects the 8-hour step.
constexpr double kChoiceSlack = 1e-9;
// Midnight at the end of 31 December 9999, the last day a label can show.
constexpr double kCalendarEnd = MaxDateTimeDay + 1;
// Largest ftTime value whose milliseconds a double still holds exactly
// enough for a label.
constexpr double kMaxTimeMagnitude = 1e12;

// Ends of a valid date axis: 1 January 0001, and a bound a little past the
// calendar's end that the ladders cut off at 9999.
constexpr double kValidLow = -693593;
constexpr double kValidHigh = 3000000;

int IntervalCount(const TScaleState &S) {
  return std::max(S.MinTicks, 1);
}

int MajorLength(const TScaleState &S) {
  return IsHorizontalScale(S.ScaleType) ? 7 : 6;
}

std::int64_t FlooredMod(std::int64_t a, std::int64_t m) {
  const std::int64_t r = a % m;
  return r < 0 ? r + m : r;
}

// Values this close to day 0 are formatted as exactly day 0.
double Snap(double v) {
  return std::fabs(v) < 1e-8 ? 0.0 : v;
}

// A calendar or clock tick: every one is recorded and reported; majors are
// labelled and centred on their own text height.
TTick CalendarTick(const TScaleState &S, double v, bool major) {
  TTick t = PlaceTick(S, v, major, major ? MajorLength(S) : 4);
  t.Recorded = true;
  t.Notify = true;
  t.NotifyFirst = !IsHorizontalScale(S.ScaleType);
  t.OwnTextHeight = true;
  t.Labelled = major;
  return t;
}

// ---- clock ticks -------------------------------------------------------------

struct TClockLadder {
  int UnitsPerDay;
  std::array<int, 6> Major;
  std::array<int, 6> Short;
};

const TClockLadder &ClockLadder(int level) {
  static const TClockLadder hours{24, {1, 2, 3, 6, 8, 12}, {1, 1, 1, 2, 2, 3}};
  static const TClockLadder minutes{1440, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}};
  static const TClockLadder seconds{86400, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}};
  static const TClockLadder hundredths{8640000, {1, 2, 5, 10, 20, 50}, {1, 1, 1, 5, 10, 10}};
  switch (level) {
  case 1:
    return hours;
  case 2:
    return minutes;
  case 3:
    return seconds;
  default:
    return hundredths;
  }
}

// Whether a major clock tick at a day of the month gets a date line.
struct TDateLineRule {
  TDateForTime Mode;
  bool Any = false;
  int LastDay = 0;

  bool Take(int day) {
    bool take = false;
    switch (Mode) {
    case dtNone:
      break;
    case dtOnePerChart:
      take = !Any;
      break;
    case dtOnePerDay:
      take = !Any || day != LastDay;
      break;
    case dtAllTicks:
      take = true;
      break;
    }
    Any = true; // the first major tick has had its chance
    if (take) LastDay = day;
    return take;
  }
};

void ClockTicks(const TScaleState &S, int level, double d, std::vector<TTick> &out) {
  const TClockLadder &ladder = ClockLadder(level);
  const double u = ladder.UnitsPerDay;
  std::size_t entry = 0;
  for (std::size_t i = 0; i < ladder.Major.size(); ++i)
    if (ladder.Major[i] <= u * d * (1 + kChoiceSlack)) entry = i;
  const std::int64_t major = ladder.Major[entry];
  const std::int64_t shortStep = ladder.Short[entry];

  // Positions are counted in whole units from midnight of the day holding
  // the low end, so every tick is first + i * step with no drift.
  const double midnight = std::floor(S.RangeLow);
  const double low = (S.RangeLow - midnight) * u;
  const auto first =
      std::int64_t(std::ceil(low / double(major) - kStepTolerance)) * major;
  std::int64_t start = first;
  if (S.ShortTicks)
    start -= std::int64_t(std::floor((double(first) - low) / double(shortStep) + kStepTolerance)) *
             shortStep;
  const std::int64_t inc = S.ShortTicks ? shortStep : major;

  const std::string clock = ClockPattern(S.DateFormat, level);
  const std::string date = DatePattern(S.DateFormat, dpDay);
  TDateLineRule dateLines{S.DateFormat.DateForTime};
  for (int i = 0; i < MaxTicksPerLoop; ++i) {
    const std::int64_t units = start + i * inc;
    const double v = midnight + double(units) / u;
    if (!(v - S.RangeHigh < kEndTolerance) || v >= kCalendarEnd - kEndTolerance) break;
    if (double(units) < low - kStepTolerance * double(inc)) continue;
    const bool isMajor = !S.ShortTicks || FlooredMod(units, major) == 0;
    TTick t = CalendarTick(S, v, isMajor);
    if (isMajor) {
      const auto parts = DecodeDateTime(Snap(v));
      if (!parts) break;
      t.Label = FormatDateTimeParts(clock, *parts);
      if (dateLines.Take(parts->Day)) t.DateLine = FormatDateTimeParts(date, *parts);
    }
    out.push_back(std::move(t));
  }
}

// ---- day, month and year ticks -------------------------------------------------

std::optional<int> YearOf(double v) {
  const auto parts = DecodeDateTime(Snap(v));
  if (!parts) return std::nullopt;
  return parts->Year;
}

void LabelDate(TTick &t, const std::string &pattern) {
  t.Label = FormatDateTime(pattern, Snap(t.Value)).value_or(std::string());
}

void DayTicks(const TScaleState &S, double d, std::vector<TTick> &out) {
  static constexpr std::array<int, 6> kSteps{1, 2, 3, 7, 14, 28};
  int s = 1;
  for (int k : kSteps)
    if (k <= d * (1 + kChoiceSlack)) s = k;
  const int shortStep = s <= 7 ? 1 : 7;
  const auto year = YearOf(S.RangeLow);
  if (!year) return;
  const double jan1 = *EncodeDate(*year, 1, 1);
  const double first = jan1 + std::floor((S.RangeLow - jan1) / s + kStepTolerance) * s;
  // Floored, so that days before day 0 keep the phase of those after it.
  const std::int64_t phase = FlooredMod(std::llround(first), s);
  const int inc = S.ShortTicks ? shortStep : s;
  const std::string pattern = DatePattern(S.DateFormat, dpDay);
  for (int i = 0; i < MaxTicksPerLoop; ++i) {
    const double v = first + double(i) * inc;
    if (!(v - S.RangeHigh < kEndTolerance) || v > MaxDateTimeDay) break;
    if (v < S.RangeLow - kStartTolerance) continue;
    const bool isMajor = !S.ShortTicks || FlooredMod(std::llround(v), s) == phase;
    TTick t = CalendarTick(S, v, isMajor);
    if (isMajor) LabelDate(t, pattern);
    out.push_back(std::move(t));
  }
}

void MonthTicks(const TScaleState &S, std::vector<TTick> &out) {
  static constexpr std::array<int, 5> kSteps{1, 2, 3, 4, 6};
  const double n = (S.RangeHigh - S.RangeLow) / 30.4375 / IntervalCount(S);
  int s = 1;
  for (int k : kSteps)
    if (k <= n * (1 + kChoiceSlack)) s = k;
  const auto low = DecodeDateTime(Snap(S.RangeLow));
  if (!low) return;
  int year = low->Year;
  int month = low->Month;
  auto advance = [&year, &month](int months) {
    month += months;
    while (month > 12) {
      month -= 12;
      ++year;
    }
  };
  // Without short ticks the first tick is the first step month (January,
  // and every s-th month after it) from the low end's month on.
  if (s > 1 && !S.ShortTicks)
    while (month % s != 1)
      advance(1);
  const int inc = S.ShortTicks ? 1 : s;
  const std::string pattern = DatePattern(S.DateFormat, dpMonth);
  for (int i = 0; i < MaxTicksPerLoop && year <= 9999; ++i, advance(inc)) {
    const double v = *EncodeDate(year, month, 1);
    if (!(v - S.RangeHigh < kEndTolerance)) break;
    if (v < S.RangeLow - kStartTolerance) continue;
    const bool isMajor = !(S.ShortTicks && s > 1) || month % s == 1;
    TTick t = CalendarTick(S, v, isMajor);
    if (isMajor) LabelDate(t, pattern);
    out.push_back(std::move(t));
  }
}

void YearTicks(const TScaleState &S, std::vector<TTick> &out) {
  const double a = std::max((S.RangeHigh - S.RangeLow) / 365.25 / IntervalCount(S), 1.0);
  const double decade = std::pow(10.0, std::floor(std::log10(a)));
  const double mantissa = a / decade;
  const int f = mantissa < 2 ? 1 : mantissa < 5 ? 2 : 5;
  const int h = int(std::nearbyint(f * decade));
  int inc = h;
  if (S.ShortTicks && h > 1) inc = int(std::nearbyint(f == 5 ? h / 5.0 : h / 2.0));
  const auto lowYear = YearOf(S.RangeLow);
  if (!lowYear || inc < 1) return;
  int year = (*lowYear + inc - 1) / inc * inc;
  if (year == *lowYear && S.RangeLow > *EncodeDate(year, 1, 1) + kStartTolerance) year += inc;
  for (int i = 0; i < MaxTicksPerLoop && year <= 9999; ++i, year += inc) {
    const double v = *EncodeDate(year, 1, 1);
    if (!(v - S.RangeHigh < kEndTolerance)) break;
    const bool isMajor = !S.ShortTicks || year % h == 0;
    TTick t = CalendarTick(S, v, isMajor);
    if (isMajor) {
      switch (S.DateFormat.YearLength) {
      case ylNone:
        break;
      case ylYY:
        LabelDate(t, "yy");
        break;
      case ylYYYY:
        t.Label = std::to_string(year);
        break;
      }
    }
    out.push_back(std::move(t));
  }
}

} // namespace

TTickMessage DateTimeTicks(const TScaleState &S, std::vector<TTick> &Out) {
  const double L = S.RangeLow;
  const double H = S.RangeHigh;
  if (!(H >= L && L >= kValidLow && H <= kValidHigh)) return tmInvalid;
  const double d = (H - L) / IntervalCount(S);
  int level = 0;
  if (IsHorizontalScale(S.ScaleType)) {
    if (d <= 1.1574e-5) return tmBelowOneSecond;
    level = d <= 6.9444e-4 ? 3 : d <= 0.041667 ? 2 : d <= 1 ? 1 : 0;
  } else {
    if (d <= 1.0 / 8640000) return tmBelowOneSecond;
    level = d <= 1.0 / 86400 ? 4 : d <= 1.0 / 1440 ? 3 : d <= 0.041667 ? 2 : d <= 1 ? 1 : 0;
  }
  if (level > 0)
    ClockTicks(S, level, d, Out);
  else if (d <= 30)
    DayTicks(S, d, Out);
  else if (d > 366)
    YearTicks(S, Out);
  else
    MonthTicks(S, Out);
  return tmNone;
}

bool TimeTicks(const TScaleState &S, std::vector<TTick> &Out) {
  struct TStep {
    double Seconds;
    int Subdivisions;
  };
  static constexpr std::array<TStep, 28> kLadder{{
      {0.001, 5}, {0.002, 4}, {0.005, 5}, {0.01, 5},  {0.02, 4},  {0.05, 5},  {0.1, 5},
      {0.2, 4},   {0.5, 5},   {1, 5},     {2, 4},     {5, 5},     {10, 5},    {20, 4},
      {30, 6},    {60, 6},    {120, 6},   {180, 6},   {300, 5},   {600, 5},   {1200, 6},
      {1800, 6},  {3600, 6},  {7200, 4},  {14400, 4}, {21600, 6}, {43200, 6}, {86400, 6},
  }};
  const double L = S.RangeLow;
  const double H = S.RangeHigh;
  const double q = std::fabs(H - L) / IntervalCount(S);
  if (!(q >= 0.001 && q < 86400)) return false;
  const double magnitude = std::max(std::fabs(L), std::fabs(H));
  if (!(magnitude < kMaxTimeMagnitude)) return false;

  TStep step = kLadder[0];
  for (const TStep &e : kLadder)
    if (e.Seconds <= q * (1 + kChoiceSlack)) step = e;
  const double shortStep = step.Seconds / step.Subdivisions;
  // Ticks are whole multiples k of the short step inside the range,
  // widened by a hair at both ends so that ticks on the ends stay.
  const double tol = kStepTolerance * shortStep + 1e-9 * magnitude;
  auto kLow = std::int64_t(std::ceil((std::min(L, H) - tol) / shortStep));
  if (S.Logarithmic) kLow = std::max<std::int64_t>(kLow, 1); // zero has no place there
  const auto kHigh = std::int64_t(std::floor((std::max(L, H) + tol) / shortStep));
  const std::int64_t count = std::min<std::int64_t>(kHigh - kLow + 1, MaxTicksPerLoop);
  const bool ascending = H > L;
  auto kAt = [&](std::int64_t i) { return ascending ? kLow + i : kHigh - i; };

  if (S.ShortTicks) {
    for (std::int64_t i = 0; i < count; ++i) {
      TTick t = PlaceTick(S, double(kAt(i)) * shortStep, false, 4);
      t.Recorded = true;
      Out.push_back(std::move(t));
    }
  }
  const bool milliseconds = step.Seconds < 1;
  for (std::int64_t i = 0; i < count; ++i) {
    const std::int64_t k = kAt(i);
    if (FlooredMod(k, step.Subdivisions) != 0) continue;
    const double v = double(k) * shortStep;
    TTick t = PlaceTick(S, v, true, MajorLength(S));
    t.Recorded = !S.ShortTicks;
    t.Notify = true;
    t.NotifyFirst = !IsHorizontalScale(S.ScaleType);
    t.Labelled = true;
    t.Label = TimeTickLabel(v, milliseconds);
    Out.push_back(std::move(t));
  }
  return true;
}

std::span<const char *const> TickMessageLines(TTickMessage M, bool Horizontal) {
  static constexpr std::array<const char *, 1> kBelowLine{"DateTime range is below 1 second"};
  static constexpr std::array<const char *, 4> kBelowWords{"DateTime", "range is", "below 1",
                                                           "second"};
  static constexpr std::array<const char *, 1> kInvalidLine{"invalid DateTime scale"};
  static constexpr std::array<const char *, 3> kInvalidWords{"invalid", "DateTime", "scale"};
  switch (M) {
  case tmNone:
    break;
  case tmBelowOneSecond:
    return Horizontal ? std::span<const char *const>(kBelowLine) : kBelowWords;
  case tmInvalid:
    return Horizontal ? std::span<const char *const>(kInvalidLine) : kInvalidWords;
  }
  return {};
}

TPoint TickMessageOrigin(const TScaleState &S, int Line, TSize Text, int THeight) {
  const int axis = AxisLinePosition(S);
  switch (S.ScaleType) {
  case sctXT:
  case sctXB: {
    const int middle = S.MarginLeft + (S.Width - S.MarginLeft - S.MarginRight) / 2;
    const int top = S.ScaleType == sctXT ? axis + 7 : axis - Text.cy - 7;
    return {middle - Text.cx / 2, top};
  }
  case sctYL:
  case sctYR: {
    const int middle = S.MarginTop + (S.Height - S.MarginTop - S.MarginBottom) / 2;
    const int left = S.ScaleType == sctYL ? axis + 2 : axis - Text.cx - 2;
    return {left, middle + (Line - 1) * THeight};
  }
  }
  return {0, 0};
}

TPoint DateLineOrigin(const TScaleState &S, const TTick &Tick, TSize Text) {
  const int axis = AxisLinePosition(S);
  switch (S.ScaleType) {
  case sctYL:
    return {axis + 8, Tick.Foot.Y - 3 * (Text.cy / 2)};
  case sctYR:
    return {axis - Text.cx - 8, Tick.Foot.Y - 3 * (Text.cy / 2)};
  case sctXT:
  case sctXB: {
    TPoint p = TickLabelOrigin(S, Tick, Text, 0);
    p.Y += S.ScaleType == sctXT ? Text.cy : -Text.cy;
    return p;
  }
  }
  return {0, 0};
}
