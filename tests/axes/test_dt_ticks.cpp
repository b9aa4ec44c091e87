// Tick ladders of date/time axes as data. Day numbers and dates below were
// computed independently with Python's datetime (day 0 = 1899-12-30).
#include "axes/dt_patterns.h"
#include "axes/dt_ticks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include "tick_helpers.h"

namespace {

TScaleState Axis(double low, double high, TScaleType type = sctXT, int minTicks = 3) {
  TScaleState s;
  s.ScaleType = type;
  s.RangeLow = low;
  s.RangeHigh = high;
  s.MinTicks = minTicks;
  s.LabelType = ftDateTime;
  CalcScaleFactors(s);
  return s;
}

TScaleState TimeAxis(double low, double high, int minTicks = 3) {
  TScaleState s = Axis(low, high, sctXT, minTicks);
  s.LabelType = ftTime;
  return s;
}

struct TResult {
  TTickMessage Message = tmNone;
  std::vector<TTick> Ticks;
};

TResult Ticks(const TScaleState &s) {
  TResult r;
  r.Message = ComputeTicks(s, r.Ticks);
  return r;
}

std::vector<std::string> DateLines(const std::vector<TTick> &ticks) {
  std::vector<std::string> v;
  for (const TTick &t : ticks)
    v.push_back(t.DateLine);
  return v;
}

void ExpectValues(const std::vector<double> &actual, const std::vector<double> &expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i)
    EXPECT_NEAR(actual[i], expected[i], 1e-9 * (1 + std::fabs(expected[i]))) << "index " << i;
}

std::vector<double> Range(double from, double to, double step) {
  std::vector<double> v;
  for (int i = 0; from + i * step <= to + 1e-9 * std::fabs(step); ++i)
    v.push_back(from + i * step);
  return v;
}

} // namespace

TEST(DateTimeTicks, TenDaysGiveDailyTicksAndMajorsEveryThirdDayOfTheYear) {
  // 15 .. 25 March 2023; the 3-day phase is counted from 1 January.
  TResult r = Ticks(Axis(45000, 45010));
  EXPECT_EQ(r.Message, tmNone);
  ExpectValues(Values(r.Ticks, true), {45002, 45005, 45008});
  EXPECT_EQ(Values(r.Ticks, false).size(), 8u);
  EXPECT_EQ(Labels(r.Ticks),
            (std::vector<std::string>{"17-Mar-2023", "20-Mar-2023", "23-Mar-2023"}));
  for (const TTick &t : r.Ticks) {
    EXPECT_TRUE(t.Recorded && t.Notify);
    EXPECT_EQ(t.Length, t.Major ? 7 : 4);
  }

  TScaleState s = Axis(45000, 45010);
  s.ShortTicks = false;
  ExpectValues(Values(Ticks(s).Ticks, true), {45002, 45005, 45008});
  // Date orders, numeric months, years and separators (a quote stays a quote).
  s.DateFormat.DateOrder = doMMDDYY;
  s.DateFormat.DateSeparator = '/';
  EXPECT_EQ(Labels(Ticks(s).Ticks)[0], "Mar/17/2023");
  s.DateFormat.DateOrder = doYYMMDD;
  s.DateFormat.MonthName = false;
  s.DateFormat.YearLength = ylYY;
  EXPECT_EQ(Labels(Ticks(s).Ticks)[0], "23/03/17");
  s.DateFormat.YearLength = ylNone;
  s.DateFormat.DateSeparator = '"';
  EXPECT_EQ(Labels(Ticks(s).Ticks)[0], "03\"17");
  s.DateFormat.DateOrder = doDDMMYY;
  s.DateFormat.DateSeparator = '\'';
  EXPECT_EQ(Labels(Ticks(s).Ticks)[0], "17'03");
}

TEST(DateTimeTicks, WeeklyMajorsKeepTheirPhaseAcrossDayZero) {
  // -15 .. 15: 7-day majors counted from 1899-01-01, on both sides of day 0.
  TResult r = Ticks(Axis(-15, 15));
  ExpectValues(Values(r.Ticks, true), {-13, -6, 1, 8, 15});
  EXPECT_EQ(Labels(r.Ticks)[0], "17-Dec-1899");
  EXPECT_EQ(Values(r.Ticks, false).size(), 31u - 5u);
}

TEST(DateTimeTicks, OneDayInHoursWithDateLines) {
  TResult r = Ticks(Axis(45000, 45001));
  ExpectValues(Values(r.Ticks, true), {45000, 45000 + 1.0 / 3, 45000 + 2.0 / 3, 45001});
  ExpectValues(Values(r.Ticks, false), {45000 + 1.0 / 12, 45000 + 2.0 / 12, 45000 + 3.0 / 12,
                                        45000 + 5.0 / 12, 45000 + 6.0 / 12, 45000 + 7.0 / 12,
                                        45000 + 9.0 / 12, 45000 + 10.0 / 12, 45000 + 11.0 / 12});
  EXPECT_EQ(Labels(r.Ticks), (std::vector<std::string>{"00:00", "08:00", "16:00", "00:00"}));
  // One date line per day: at the first tick and at the next midnight.
  std::vector<std::string> lines;
  for (const TTick &t : r.Ticks)
    if (t.Major) lines.push_back(t.DateLine);
  EXPECT_EQ(lines, (std::vector<std::string>{"15-Mar-2023", "", "", "16-Mar-2023"}));

  TScaleState s = Axis(45000, 45001);
  s.DateFormat.TimeFormat = tfAMPM;
  s.DateFormat.DateForTime = dtOnePerChart;
  r = Ticks(s);
  EXPECT_EQ(Labels(r.Ticks), (std::vector<std::string>{"12am", "8am", "4pm", "12am"}));
  EXPECT_EQ(DateLines(r.Ticks).front(), "15-Mar-2023");
  EXPECT_EQ(DateLines(r.Ticks).back(), "");
  s.DateFormat.TimeFormat = tfHHhMM;
  s.DateFormat.DateForTime = dtNone;
  r = Ticks(s);
  EXPECT_EQ(Labels(r.Ticks), (std::vector<std::string>{"0h", "8h", "16h", "0h"}));
  for (const std::string &l : DateLines(r.Ticks))
    EXPECT_EQ(l, "");
  s.DateFormat.DateForTime = dtAllTicks;
  s.RangeHigh = 45000 + 0.1; // level 2: 30-minute majors
  r = Ticks(s);
  EXPECT_EQ(Labels(r.Ticks)[1], "0h30");
  s.DateFormat.TimeFormat = tfHHMMSS;
  s.DateFormat.TimeSeparator = 'n'; // literal, never a pattern letter
  EXPECT_EQ(Labels(Ticks(s).Ticks)[1], "00n30");
  for (const TTick &t : r.Ticks)
    EXPECT_EQ(t.DateLine.empty(), !t.Major);
}

TEST(DateTimeTicks, TwoSecondsShowHundredthsVerticallyAndAMessageHorizontally) {
  const double low = 45000;
  const double high = 45000 + 2.0 / 86400;
  TResult r = Ticks(Axis(low, high, sctYL));
  EXPECT_EQ(r.Message, tmNone);
  ExpectValues(Values(r.Ticks, true), Range(low, high, 0.5 / 86400));
  EXPECT_EQ(r.Ticks.size(), 21u); // every tenth of a second
  EXPECT_EQ(Labels(r.Ticks), (std::vector<std::string>{"00:00:00.000", "00:00:00.500",
                                                       "00:00:01.000", "00:00:01.500",
                                                       "00:00:02.000"}));
  EXPECT_EQ(r.Ticks.front().DateLine, "15-Mar-2023");
  EXPECT_EQ(r.Ticks.front().Length, 6);
  EXPECT_TRUE(r.Ticks.front().OwnTextHeight);

  r = Ticks(Axis(low, high, sctXB));
  EXPECT_EQ(r.Message, tmBelowOneSecond);
  EXPECT_TRUE(r.Ticks.empty());
  EXPECT_EQ(TickMessageLines(tmBelowOneSecond, true)[0],
            std::string("DateTime range is below 1 second"));
  EXPECT_EQ(TickMessageLines(tmInvalid, false).size(), 3u);
}

TEST(DateTimeTicks, AThousandDaysInSixMonthSteps) {
  // 15 March 2023 .. 9 December 2025: every first of a month, January and July labelled.
  TResult r = Ticks(Axis(45000, 46000));
  ExpectValues(Values(r.Ticks, true), {45108, 45292, 45474, 45658, 45839});
  EXPECT_EQ(Labels(r.Ticks),
            (std::vector<std::string>{"Jul-2023", "Jan-2024", "Jul-2024", "Jan-2025", "Jul-2025"}));
  ASSERT_EQ(r.Ticks.size(), 33u);
  EXPECT_EQ(r.Ticks.front().Value, 45017); // 1 April 2023
  EXPECT_EQ(r.Ticks.back().Value, 45992);  // 1 December 2025

  TScaleState s = Axis(45000, 46000);
  s.ShortTicks = false;
  r = Ticks(s);
  ExpectValues(Values(r.Ticks, true), {45108, 45292, 45474, 45658, 45839});
  EXPECT_TRUE(Values(r.Ticks, false).empty());
  // A range starting on a step month starts with it.
  s.RangeLow = 45292; // 1 January 2024
  EXPECT_EQ(Ticks(s).Ticks.front().Value, 45292);
  s.DateFormat.DateOrder = doYYMMDD;
  s.DateFormat.MonthName = false;
  EXPECT_EQ(Labels(Ticks(s).Ticks)[0], "2024-01");
}

TEST(DateTimeTicks, CenturyInYearsAndNothingAfter9999) {
  // 1900-01-01 .. 2000-01-01: 20-year labels, 10-year short ticks.
  TResult r = Ticks(Axis(2, 36526));
  EXPECT_EQ(Labels(r.Ticks),
            (std::vector<std::string>{"1900", "1920", "1940", "1960", "1980", "2000"}));
  EXPECT_EQ(Values(r.Ticks, false).size(), 5u);
  TScaleState s = Axis(2, 36526);
  s.DateFormat.YearLength = ylYY;
  EXPECT_EQ(Labels(Ticks(s).Ticks)[1], "20");
  s.DateFormat.YearLength = ylNone;
  EXPECT_EQ(Labels(Ticks(s).Ticks)[1], "");

  // 1 November 9995 .. beyond the calendar: yearly ticks end with 9999.
  r = Ticks(Axis(2956944, 2956944 + 2000));
  EXPECT_EQ(Labels(r.Ticks), (std::vector<std::string>{"9996", "9997", "9998", "9999"}));
  // The widest valid range draws its years and stops at 9999.
  r = Ticks(Axis(-693593, 3000000));
  EXPECT_EQ(r.Message, tmNone);
  ASSERT_FALSE(r.Ticks.empty());
  EXPECT_EQ(r.Ticks.front().Value, -328716); // 1000-01-01, a short tick
  EXPECT_EQ(Labels(r.Ticks).front(), "2000");
  EXPECT_EQ(Labels(r.Ticks).back(), "8000");
  EXPECT_LE(r.Ticks.back().Value, 2958465);
  // Days and hours at the end of the calendar stop at 9999-12-31.
  r = Ticks(Axis(2958465 - 5, 2958465 + 20));
  ASSERT_FALSE(r.Ticks.empty());
  EXPECT_LE(r.Ticks.back().Value, 2958465);
  r = Ticks(Axis(2958465, 2958465 + 1.5));
  EXPECT_EQ(Labels(r.Ticks).back(), "12:00");
  EXPECT_LT(r.Ticks.back().Value, 2958466);
}

TEST(DateTimeTicks, InvalidRangesAndZeroMinTicks) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  for (auto [low, high] : {std::pair{45001.0, 45000.0}, std::pair{-700000.0, 0.0},
                           std::pair{0.0, 3000001.0}, std::pair{nan, 1.0}, std::pair{0.0, inf}}) {
    TResult r = Ticks(Axis(low, high, sctYR));
    EXPECT_EQ(r.Message, tmInvalid) << low << " .. " << high;
    EXPECT_TRUE(r.Ticks.empty());
  }
  // MinTicks 0 is one interval: a day in 12-hour steps with 3-hour short ticks.
  TResult r = Ticks(Axis(45000, 45001, sctXT, 0));
  EXPECT_EQ(Labels(r.Ticks), (std::vector<std::string>{"00:00", "12:00", "00:00"}));
  EXPECT_EQ(r.Ticks.size(), 9u);
  // A range starting on a step boundary starts there, with or without short ticks.
  TScaleState s = Axis(45000 + 1.0 / 3, 45001 + 1.0 / 3);
  EXPECT_EQ(Labels(Ticks(s).Ticks)[0], "08:00");
  s.ShortTicks = false;
  EXPECT_EQ(Labels(Ticks(s).Ticks)[0], "08:00");
}

TEST(TimeTicks, LadderLabelsAndFallBack) {
  TResult r = Ticks(TimeAxis(0, 7200));
  EXPECT_EQ(Labels(r.Ticks), (std::vector<std::string>{" 00:00:00", " 00:30:00", " 01:00:00",
                                                       " 01:30:00", " 02:00:00"}));
  ExpectValues(Values(r.Ticks, false), Range(0, 7200, 300));
  for (const TTick &t : r.Ticks) {
    EXPECT_EQ(t.Recorded, !t.Major);
    EXPECT_EQ(t.Notify, t.Major);
  }

  r = Ticks(TimeAxis(0, 0.5));
  EXPECT_EQ(Labels(r.Ticks),
            (std::vector<std::string>{" 00:00:00.000", " 00:00:00.100", " 00:00:00.200",
                                      " 00:00:00.300", " 00:00:00.400", " 00:00:00.500"}));
  ExpectValues(Values(r.Ticks, false), Range(0, 0.5, 0.02));

  // Hours beyond a day.
  r = Ticks(TimeAxis(0, 86400 * 2, 3));
  EXPECT_EQ(Labels(r.Ticks).back(), " 48:00:00");

  // A day or more per interval, or less than a millisecond: numeric ticks.
  for (auto [low, high] : {std::pair{0.0, 500000.0}, std::pair{0.0, 0.002}}) {
    TScaleState time = TimeAxis(low, high);
    TScaleState num = time;
    num.LabelType = ftNum;
    EXPECT_EQ(Labels(Ticks(time).Ticks), Labels(Ticks(num).Ticks));
  }
  EXPECT_EQ(Labels(Ticks(TimeAxis(0, 500000)).Ticks)[1], "100000");
}

TEST(TimeTicks, EndsSignsAndRounding) {
  // A negative start keeps its ticks from the very start.
  TResult r = Ticks(TimeAxis(-100, 100));
  ExpectValues(Values(r.Ticks, false), Range(-100, 100, 10));
  EXPECT_EQ(Labels(r.Ticks), (std::vector<std::string>{"-00:01:00", " 00:00:00", " 00:01:00"}));
  // A reversed range runs from its low end down, both ends included.
  r = Ticks(TimeAxis(100, -100));
  const auto shorts = Values(r.Ticks, false);
  ASSERT_EQ(shorts.size(), 21u);
  EXPECT_DOUBLE_EQ(shorts.front(), 100);
  EXPECT_DOUBLE_EQ(shorts.back(), -100);
  EXPECT_EQ(Labels(r.Ticks).front(), " 00:01:00");
  // An end at or below zero keeps its tick.
  r = Ticks(TimeAxis(-200, -100));
  ExpectValues(Values(r.Ticks, false), Range(-200, -100, 5));
  EXPECT_EQ(Labels(r.Ticks), (std::vector<std::string>{"-00:03:00", "-00:02:30", "-00:02:00"}));

  // Labels round to the shown precision and carry.
  EXPECT_EQ(TimeTickLabel(59.9996, true), " 00:01:00.000");
  EXPECT_EQ(TimeTickLabel(59.9996, false), " 00:01:00");
  EXPECT_EQ(TimeTickLabel(3599.9999, false), " 01:00:00");
  EXPECT_EQ(TimeTickLabel(-0.0001, true), " 00:00:00.000");
  EXPECT_EQ(TimeTickLabel(-90061.5, true), "-25:01:01.500");

  // MinTicks 0 is one interval: 0 .. 60 s in one-minute steps.
  EXPECT_EQ(Labels(Ticks(TimeAxis(0, 60, 0)).Ticks),
            (std::vector<std::string>{" 00:00:00", " 00:01:00"}));
}

TEST(TimeTicks, LogarithmicAxesTryTimeTicksFirst) {
  // 1 .. 10000 s: time ticks on the logarithmic mapping.
  TScaleState s = TimeAxis(1, 10000);
  s.Logarithmic = true;
  CalcScaleFactors(s);
  TResult r = Ticks(s);
  EXPECT_EQ(Labels(r.Ticks)[0], " 00:30:00");
  EXPECT_EQ(r.Ticks.back().Foot.X, ValueToPixel(s, r.Ticks.back().Value));
  // 1 .. 1e6 s: more than a day per interval, logarithmic numeric ticks.
  s.RangeHigh = 1e6;
  CalcScaleFactors(s);
  TScaleState num = s;
  num.LabelType = ftNum;
  EXPECT_EQ(Labels(Ticks(s).Ticks), Labels(Ticks(num).Ticks));
  EXPECT_EQ(Labels(Ticks(s).Ticks).back(), "1000000");
}
