// Number formatting with prefix letters, fixed-point text and the numeric helpers.
#include "platform/exceptions.h"
#include "support/math_utils.h"
#include "support/number_format.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(FormatWithPrefix, ThreeSignificantDigits) {
  EXPECT_EQ(FormatWithPrefix(3, 4700), "4.70k");
  EXPECT_EQ(FormatWithPrefix(3, 47000), "47.0k");
  EXPECT_EQ(FormatWithPrefix(3, 470000), "470k");
  EXPECT_EQ(FormatWithPrefix(3, 0.0047), "4.70m");
  EXPECT_EQ(FormatWithPrefix(3, 4.7), "4.70");
  EXPECT_EQ(FormatWithPrefix(3, 0), "0.00");
  EXPECT_EQ(FormatWithPrefix(3, -4700), "-4.70k");
  EXPECT_EQ(FormatWithPrefix(3, 4.7e-6), "4.70u");
  EXPECT_EQ(FormatWithPrefix(3, 2.2e9), "2.20G");
}

TEST(FormatWithPrefix, LetterInPlaceOfTheDecimalPoint) {
  EXPECT_EQ(FormatWithPrefix(-3, 4700), "4k70");
  EXPECT_EQ(FormatWithPrefix(-3, 470000), "470k");
  EXPECT_EQ(FormatWithPrefix(-3, 0.0047), "4m70");
  EXPECT_EQ(FormatWithPrefix(-3, 4.7), "4.70"); // no letter: the point stays
  EXPECT_EQ(FormatWithPrefix(-3, 0), "0.00");
}

TEST(FormatWithPrefix, FewDigitsAndClamping) {
  EXPECT_EQ(FormatWithPrefix(1, 4700), "5k");
  EXPECT_EQ(FormatWithPrefix(0, 4700), "5k");
  EXPECT_EQ(FormatWithPrefix(-1, 4700), "5k");
  EXPECT_EQ(FormatWithPrefix(1, 0), "0");
  EXPECT_EQ(FormatWithPrefix(99, 1), FormatWithPrefix(9, 1));
  EXPECT_EQ(FormatWithPrefix(9, 1), "1.00000000");
  EXPECT_EQ(FormatWithPrefix(-99, 4700), FormatWithPrefix(-9, 4700));
}

TEST(FormatWithPrefix, ValuesBeyondThePrefixTableKeepTheOuterLetters) {
  EXPECT_EQ(FormatWithPrefix(3, 1e15), "1000T");
  EXPECT_EQ(FormatWithPrefix(3, 4.7e-18), "4.70a");
  EXPECT_EQ(FormatWithPrefix(3, 4.7e-20), "0.0470a");
  EXPECT_EQ(FormatWithPrefix(3, 1e-30), "0.00000000000100a");
  EXPECT_EQ(FormatWithPrefix(3, std::numeric_limits<double>::denorm_min()).back(), 'a');
  EXPECT_EQ(FormatWithPrefix(3, std::numeric_limits<double>::max()).back(), 'T');
}

TEST(FormatWithPrefix, NonFiniteValuesGiveDefinedTexts) {
  EXPECT_EQ(FormatWithPrefix(3, std::nan("")), "NaN");
  EXPECT_EQ(FormatWithPrefix(3, INFINITY), "INF");
  EXPECT_EQ(FormatWithPrefix(-3, -INFINITY), "-INF");
}

TEST(FormatFixed, RoundsWithoutSeparatorsOrFill) {
  EXPECT_EQ(FormatFixed(1234567.891, 2), "1234567.89");
  EXPECT_EQ(FormatFixed(2.5, 0), "2");
  EXPECT_EQ(FormatFixed(2.7, 0), "3");
  EXPECT_EQ(FormatFixed(-3.14159, 3), "-3.142");
  EXPECT_EQ(FormatFixed(-0.001, 2), "0.00"); // no "-0.00"
  EXPECT_EQ(FormatFixed(0.5, -4), "0");      // negative decimals count as none
  EXPECT_EQ(FormatFixed(1e300, 0).size(), 301u);
}

TEST(DecimalLog, PositiveArgumentsOnly) {
  EXPECT_DOUBLE_EQ(DecimalLog(1000), 3);
  EXPECT_DOUBLE_EQ(DecimalLog(0.01), -2);
  for (double bad : {0.0, -1.0, std::nan("")}) {
    try {
      DecimalLog(bad);
      FAIL() << bad;
    } catch (const EMathError &e) {
      EXPECT_EQ(e.Message(), "logarithm: invalid argument");
    }
  }
}

TEST(FloorToInt, FloorsAndSaturates) {
  EXPECT_EQ(FloorToInt(2.5), 2);
  EXPECT_EQ(FloorToInt(-2.5), -3);
  EXPECT_EQ(FloorToInt(-3.0), -3);
  EXPECT_EQ(FloorToInt(3.9999), 3);
  EXPECT_EQ(FloorToInt(-0.0), 0);
  EXPECT_EQ(FloorToInt(2147483646.5), 2147483646);
  EXPECT_EQ(FloorToInt(1e10), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(FloorToInt(-1e10), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(FloorToInt(INFINITY), std::numeric_limits<std::int32_t>::max());
  EXPECT_EQ(FloorToInt(-INFINITY), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(FloorToInt(std::nan("")), 0);
}

TEST(Exchange, SwapsContents) {
  int a = 1, b = 2;
  ExchangeInt(a, b);
  EXPECT_EQ(a * 10 + b, 21);
  double x = 1.5, y = -2.5;
  ExchangeDouble(x, y);
  EXPECT_EQ(x, -2.5);
  EXPECT_EQ(y, 1.5);
  long double p = 1.0L / 3, q = 7;
  ExchangeExtended(p, q);
  EXPECT_EQ(p, 7);
  EXPECT_EQ(q, 1.0L / 3);
}

} // namespace
