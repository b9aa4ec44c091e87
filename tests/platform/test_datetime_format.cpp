#include "platform/datetime_format.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

std::string Fmt(std::string_view pattern, double value) {
  auto text = FormatDateTime(pattern, value);
  return text ? *text : std::string("<none>");
}

TEST(DateTimeDecode, KnownDaysOfTheScale) {
  struct Case {
    double value;
    int y, m, d, dow;
  } cases[] = {
      {0, 1899, 12, 30, 7},    {1, 1899, 12, 31, 1},   {2, 1900, 1, 1, 2},
      {-1, 1899, 12, 29, 6},   {36526, 2000, 1, 1, 7}, {36585, 2000, 2, 29, 3},
      {45000, 2023, 3, 15, 4}, {-693593, 1, 1, 1, 2},  {2958465, 9999, 12, 31, 6},
      {60, 1900, 2, 28, 4},    {61, 1900, 3, 1, 5},
  };
  for (const auto &c : cases) {
    auto p = DecodeDateTime(c.value);
    ASSERT_TRUE(p) << c.value;
    EXPECT_EQ(p->Year, c.y) << c.value;
    EXPECT_EQ(p->Month, c.m) << c.value;
    EXPECT_EQ(p->Day, c.d) << c.value;
    EXPECT_EQ(p->DayOfWeek, c.dow) << c.value;
    auto back = EncodeDate(c.y, c.m, c.d);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, c.value);
  }
}

TEST(DateTimeDecode, TimeOfDayRunsForwardAlsoBeforeDayZero) {
  auto p = DecodeDateTime(-0.25);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Day, 29);
  EXPECT_EQ(p->Hour, 18);

  // Rounding to the millisecond may carry into the next day.
  p = DecodeDateTime(45000.0 - 1e-10);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Day, 15);
  EXPECT_EQ(p->Hour, 0);
  EXPECT_EQ(p->MSec, 0);

  p = DecodeDateTime(45000.0 + *EncodeTime(13, 7, 9, 230));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->Hour, 13);
  EXPECT_EQ(p->Minute, 7);
  EXPECT_EQ(p->Second, 9);
  EXPECT_EQ(p->MSec, 230);
}

TEST(DateTimeDecode, RejectsValuesOutsideTheCalendar) {
  EXPECT_FALSE(DecodeDateTime(std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(DecodeDateTime(std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(DecodeDateTime(-693594));
  EXPECT_FALSE(DecodeDateTime(2958466));
  EXPECT_FALSE(DecodeDateTime(1e300));
  EXPECT_FALSE(DecodeDateTime(2958465.9999999999)); // rounds past the last day
  EXPECT_FALSE(EncodeDate(2023, 2, 29));
  EXPECT_FALSE(EncodeDate(0, 1, 1));
  EXPECT_FALSE(EncodeTime(24, 0, 0, 0));
  EXPECT_EQ(Fmt("yyyy", std::numeric_limits<double>::quiet_NaN()), "<none>");
}

TEST(DateTimeFormat, DatePatterns) {
  EXPECT_EQ(Fmt("mmm-dd, yyyy", 45000), "Mar-15, 2023");
  EXPECT_EQ(Fmt("d/m/yy", 36526 + 8), "9/1/00");
  EXPECT_EQ(Fmt("dd.mm.yyyy", -693593), "01.01.0001");
  EXPECT_EQ(Fmt("dddd d mmmm", 45000), "Wednesday 15 March");
  EXPECT_EQ(Fmt("ddd MMM", 45000), "Wed Mar");
}

TEST(DateTimeFormat, TimePatternsAndTwelveHourClock) {
  const double t = 45000 + *EncodeTime(8, 5, 30, 23);
  EXPECT_EQ(Fmt("hh:nn:ss", t), "08:05:30");
  EXPECT_EQ(Fmt("h:n:s", t), "8:5:30");
  EXPECT_EQ(Fmt("hh:nn:ss.zz", t), "08:05:30.023");
  EXPECT_EQ(Fmt("ss.zzz", t), "30.023");
  EXPECT_EQ(Fmt("z", t), "23");
  EXPECT_EQ(Fmt("ham/pm", t), "8am");
  EXPECT_EQ(Fmt("h:nnAM/PM", t + 0.5), "8:05PM");
  EXPECT_EQ(Fmt("h a/p", 45000), "12 a");
  EXPECT_EQ(Fmt("h ampm", 45000.5), "12 PM");
  EXPECT_EQ(Fmt("hh", t + 0.5), "20"); // no marker: 24-hour clock
}

TEST(DateTimeFormat, QuotedLiteralsAreCopied) {
  EXPECT_EQ(Fmt("h\"h\"nn", 45000 + 8.0 / 24), "8h00");
  EXPECT_EQ(Fmt("'day' d", 45000), "day 15");
  EXPECT_EQ(Fmt("\"am/pm\" hh", 45000.75), "am/pm 18"); // quoted marker is no marker
  EXPECT_EQ(Fmt("yyyy\"unterminated", 45000), "2023unterminated");
  EXPECT_EQ(Fmt("", 45000), "");
}

TEST(DateTimeFormat, OtherNamesCanBeSupplied) {
  TDateTimeNames german = TDateTimeNames::English();
  german.ShortMonthNames[2] = "Mrz";
  german.TimePMString = "nachm.";
  EXPECT_EQ(*FormatDateTime("dd. mmm yyyy", 45000, german), "15. Mrz 2023");
  EXPECT_EQ(*FormatDateTime("h ampm", 45000.75, german), "6 nachm.");
}

} // namespace
