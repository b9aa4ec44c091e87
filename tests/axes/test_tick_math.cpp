// Step choice, decimals and label text rules of axis ticks.
#include "axes/tick_math.h"

#include <gtest/gtest.h>

TEST(NiceScale, PicksLargestOneTwoFiveStepThatStillGivesMinTicks) {
  TNiceScale n = NiceScale(3, 10000, 0);
  EXPECT_DOUBLE_EQ(n.Step, 2000);
  EXPECT_EQ(n.NShort, 4);
  EXPECT_DOUBLE_EQ(n.First, 0);

  // 150 / 3 = 50 sits exactly on 5 x 10^1: the tolerance puts it below.
  n = NiceScale(3, 150, 0);
  EXPECT_DOUBLE_EQ(n.Step, 20);
  EXPECT_EQ(n.NShort, 4);

  // Exactly 2 x 10^k falls back to mantissa 1; exactly 10^k keeps it.
  n = NiceScale(2, 4, 0);
  EXPECT_DOUBLE_EQ(n.Step, 1);
  EXPECT_EQ(n.NShort, 5);
  n = NiceScale(2, 20, 0);
  EXPECT_DOUBLE_EQ(n.Step, 10);

  n = NiceScale(3, 1, 0);
  EXPECT_NEAR(n.Step, 0.2, 1e-15);
  n = NiceScale(3, 2e6, 0);
  EXPECT_DOUBLE_EQ(n.Step, 5e5);
  EXPECT_EQ(n.NShort, 5);
}

TEST(NiceScale, FirstIsTheFirstMultipleAtOrBeyondLowInRangeDirection) {
  TNiceScale n = NiceScale(3, 10000, 130);
  EXPECT_DOUBLE_EQ(n.First, 2000);
  // Within 0.1 % of a step below a multiple counts as on it.
  n = NiceScale(3, 10000, 1999);
  EXPECT_DOUBLE_EQ(n.First, 2000);
  n = NiceScale(3, 10000, 1997);
  EXPECT_DOUBLE_EQ(n.First, 2000);
  n = NiceScale(3, 10000, 2001);
  EXPECT_DOUBLE_EQ(n.First, 2000); // 2001 - 2000 = 1 <= 0.001 * 2000

  // Reversed range: negative step, First at or below Low.
  n = NiceScale(3, 0, 10000);
  EXPECT_DOUBLE_EQ(n.Step, -2000);
  EXPECT_DOUBLE_EQ(n.First, 10000);
  n = NiceScale(3, -1, -0.35);
  EXPECT_NEAR(n.Step, -0.2, 1e-15);
  EXPECT_NEAR(n.First, -0.4, 1e-15);
}

TEST(NiceScale, MinTicksZeroStepsByWholeUnits) {
  TNiceScale n = NiceScale(0, 7.5, 2.5);
  EXPECT_DOUBLE_EQ(n.Step, 1);
  EXPECT_DOUBLE_EQ(n.First, 3);
  EXPECT_EQ(n.NShort, 5);
  EXPECT_EQ(NiceScale(0, 50, 0).NShort, 1);
  // Reversed: the first whole value at or below Low, not one beyond it.
  n = NiceScale(0, 0, 10);
  EXPECT_DOUBLE_EQ(n.Step, -1);
  EXPECT_DOUBLE_EQ(n.First, 10);
  n = NiceScale(0, 0, 10.5);
  EXPECT_DOUBLE_EQ(n.First, 10);
}

TEST(NiceScale, DegenerateRangesGiveZeroStep) {
  EXPECT_EQ(NiceScale(3, 5, 5).Step, 0);
  EXPECT_EQ(NiceScale(3, 5, 5).First, 5);
  EXPECT_EQ(NiceScale(3, 1e308, -1e308).Step, 0);
  EXPECT_EQ(NiceScale(3, 1e-323, 0).Step, 0);
}

TEST(Decimals, AutomaticChoiceFollowsTheSpan) {
  EXPECT_EQ(AutoDecimals(-2, 1, 0), 2);
  EXPECT_EQ(AutoDecimals(-2, 10, 0), 1);
  EXPECT_EQ(AutoDecimals(-3, 50, 0), 0);
  EXPECT_EQ(AutoDecimals(-2, 0.1, 0), 3);
  EXPECT_EQ(AutoDecimals(-2, 0.01, 0), 4);
  EXPECT_EQ(AutoDecimals(-2, 150, 0), 0);
  EXPECT_EQ(AutoDecimals(-2, 0, 2e6), -1);
  EXPECT_EQ(AutoDecimals(-2, 0.0001, 0), -1);
  EXPECT_EQ(AutoDecimals(5, 1, 0), 5);
  EXPECT_EQ(AutoDecimals(-1, 1, 0), -1);

  EXPECT_EQ(LogDecimals(-2, 1000, 1), 0);
  EXPECT_EQ(LogDecimals(-2, 100, 0.01), 3);
  EXPECT_EQ(LogDecimals(-2, 0.01, 100), 3);
  EXPECT_EQ(LogDecimals(-2, 1e7, 0.5), -1);
  EXPECT_EQ(LogDecimals(-3, 1000, 1), -3);
  EXPECT_EQ(LogDecimals(4, 1000, 1), 4);
  EXPECT_EQ(LogDecimals(-2, 1, 0), -1);
}

TEST(FormatTickValue, FixedAndExponentForms) {
  EXPECT_EQ(FormatTickValue(1, 2, 0.2), "0.20");
  EXPECT_EQ(FormatTickValue(1, 0, 140), "140");
  EXPECT_EQ(FormatTickValue(1, 1, -2.25), "-2.2");
  EXPECT_EQ(FormatTickValue(6, 1, 3), "   3.0");
  EXPECT_EQ(FormatTickValue(1, -1, 1234), " 1.2E+03");
  EXPECT_EQ(FormatTickValue(1, -1, -0.000047), "-4.7E-05");
  EXPECT_EQ(FormatTickValue(1, -1, 5e5), " 5.0E+05");
  EXPECT_EQ(FormatTickValue(1, -1, 9.96e3), " 1.0E+04");
  EXPECT_EQ(FormatTickValue(1, -1, 0), " 0.0E+00");
  EXPECT_EQ(FormatTickValue(1, -1, 1e100), "********");
  EXPECT_EQ(FormatTickValue(1, -1, -3e-120), "********");
}

TEST(UserTickItem, PicksThePieceOrTheLast) {
  EXPECT_EQ(UserTickItem("Jan|Feb|Mar", 1), "Jan");
  EXPECT_EQ(UserTickItem("Jan|Feb|Mar", 3), "Mar");
  EXPECT_EQ(UserTickItem("Jan|Feb|Mar", 5), "Mar");
  EXPECT_EQ(UserTickItem("Jan|Feb|Mar", 0), "");
  EXPECT_EQ(UserTickItem("", 1), "");
  EXPECT_EQ(UserTickItem("Jan|", 2), "");
  EXPECT_EQ(UserTickItem("Jan|", 7), "");
  EXPECT_EQ(UserTickItem("|Feb", 1), "");
}

TEST(ApplyInscript, ReplacesFirstAmpersandOrAppends) {
  EXPECT_EQ(ApplyInscript("500", "& nm"), "500 nm");
  EXPECT_EQ(ApplyInscript("500", "$"), "$500");
  EXPECT_EQ(ApplyInscript("500", ""), "500");
  EXPECT_EQ(ApplyInscript("5", "&-&"), "5-&");
  EXPECT_EQ(ApplyInscript("", "& nm"), "");
}
