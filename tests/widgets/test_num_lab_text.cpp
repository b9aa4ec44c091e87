#include "widgets/display_formats.h"
#include "widgets/num_lab_text.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

const std::string Deg = DegreeSign;

std::string Text(TDisplay type, int precision, double value) {
  TNumLabTextSettings s;
  s.DisplayType = type;
  s.Precision = precision;
  return NumLabValueText(value, s);
}

TEST(DisplayFormats, ScientificAndGeneralNotation) {
  EXPECT_EQ(FormatFloatExp(3207.127, 2), "3.2E+003");
  EXPECT_EQ(FormatFloatExp(3207.127, 0), "3.2E+003"); // never fewer than 2 digits
  EXPECT_EQ(FormatFloatExp(-0.000123456, 4), "-1.235E-004");
  EXPECT_EQ(FormatFloatExp(0, 3), "0.00E+000");
  EXPECT_EQ(FormatFloatExp(9.96, 2), "1.0E+001"); // rounding moves the exponent
  EXPECT_EQ(FormatFloatExp(1e300, 2), "1.0E+300");

  EXPECT_EQ(FormatFloatGeneral(3207.127, 2), "3.2E3");
  EXPECT_EQ(FormatFloatGeneral(3207.127, 4), "3207");
  EXPECT_EQ(FormatFloatGeneral(3207.127, 6), "3207.13");
  EXPECT_EQ(FormatFloatGeneral(9999, 2), "1E4");
  EXPECT_EQ(FormatFloatGeneral(1.5, 4), "1.5");
  EXPECT_EQ(FormatFloatGeneral(0.00123, 2), "0.0012");   // e = -2: still fixed
  EXPECT_EQ(FormatFloatGeneral(0.000123, 2), "0.00012"); // e = -3
  EXPECT_EQ(FormatFloatGeneral(0.0000123, 2), "1.2E-5");
  EXPECT_EQ(FormatFloatGeneral(-250, 2), "-2.5E2");
  EXPECT_EQ(FormatFloatGeneral(0, 5), "0");
  EXPECT_EQ(FormatFloatGeneral(std::numeric_limits<double>::infinity(), 5), "INF");
}

TEST(DisplayFormats, IntegerDigits) {
  EXPECT_EQ(FormatIntDigits(-42, 5), "-00042");
  EXPECT_EQ(FormatIntDigits(std::numeric_limits<std::int64_t>::min(), 0), "-9223372036854775808");
  EXPECT_EQ(FormatHexDigits(-1, 0), "FFFFFFFFFFFFFFFF");
  EXPECT_EQ(FormatHexDigits(0, 0), "0");
  EXPECT_EQ(FormatHexDigits(255, 4), "00FF");
  EXPECT_EQ(FormatBinDigits(5, 8), "00000101");
  EXPECT_EQ(FormatOctDigits(0xFFFFFFFFu, 12), "37777777777"); // 11 octal digits at most
}

TEST(NumLabText, IntegersRoundHalfToEven) {
  EXPECT_EQ(Text(dtInt, 2, 3207.127), "3207");
  EXPECT_EQ(Text(dtInt, 2, 2.5), "2");
  EXPECT_EQ(Text(dtInt, 2, 3.5), "4");
  EXPECT_EQ(Text(dtInt, 2, -0.4), "0");                     // no "-0"
  EXPECT_EQ(Text(dtInt, 2, 1e20), "100000000000000000000"); // no range test, no overflow
  EXPECT_EQ(Text(dtZeroInt, 5, 42), "00042");
  EXPECT_EQ(Text(dtZeroInt, 5, -42), "-00042");
  EXPECT_EQ(Text(dtZeroInt, 5, 3e9), "*********");
  EXPECT_EQ(Text(dtZeroInt, 5, std::numeric_limits<double>::quiet_NaN()), "*********");
}

TEST(NumLabText, FixedPointWithCommaAndPlusSign) {
  TNumLabTextSettings s; // dtFixP, precision 2
  EXPECT_EQ(NumLabValueText(3207.1269, s), "3207.13");
  s.Comma = true;
  EXPECT_EQ(NumLabValueText(3207.1269, s), "3207,13");
  s.Comma = false;
  s.ForcePlusSign = true;
  EXPECT_EQ(NumLabValueText(3207.1269, s), "+3207.13");
  EXPECT_EQ(NumLabValueText(0, s), "0.00");
  EXPECT_EQ(NumLabValueText(-1, s), "-1.00");
  s.Precision = 0;
  EXPECT_EQ(NumLabValueText(2.5, s), "+2");
  // The indicator is shown as it is, without sign or comma.
  s.DisplayType = dtZeroInt;
  s.OverflowIndicator = "n.a.";
  s.Comma = true;
  EXPECT_EQ(NumLabValueText(5e9, s), "n.a.");
}

TEST(NumLabText, FloatAndExponentFormats) {
  EXPECT_EQ(Text(dtExp, 2, 3207.127), "3.2E+003");
  EXPECT_EQ(Text(dtFloat, 2, 3207.127), "3.2E3");
  EXPECT_EQ(Text(dtFloat, 4, 3207.127), "3207");
  TNumLabTextSettings s;
  s.DisplayType = dtExp;
  s.Comma = true;
  EXPECT_EQ(NumLabValueText(3207.127, s), "3,2E+003");
}

TEST(NumLabText, HexBinaryAndOctalCutToThePrecision) {
  EXPECT_EQ(Text(dtHex, 2, 255), "FF");
  EXPECT_EQ(Text(dtHex, 2, 4096), "00");
  EXPECT_EQ(Text(dtHex, 4, 4096), "1000");
  EXPECT_EQ(Text(dtHex, 8, -1), "FFFFFFFF");
  EXPECT_EQ(Text(dtHex, 15, 4294967295.0), "FFFFFFFF"); // at most 8 digits
  EXPECT_EQ(Text(dtHex, 8, 5e9), "*********");
  EXPECT_EQ(Text(dtHex, 8, -2147483649.0), "*********");
  EXPECT_EQ(Text(dtHex, 0, 255), "");

  EXPECT_EQ(Text(dtBin, 8, 5), "00000101");
  EXPECT_EQ(Text(dtBin, 2, 5), "01");
  EXPECT_EQ(Text(dtBin, 0, 5), "");
  EXPECT_EQ(Text(dtBin, 15, -1), "111111111111111");
  EXPECT_EQ(Text(dtBin, 8, 4294967296.0), "*********");

  EXPECT_EQ(Text(dtOct, 4, 8), "0010");
  EXPECT_EQ(Text(dtOct, 12, 8), "00000000010");
  EXPECT_EQ(Text(dtOct, 12, -1), "37777777777");
  EXPECT_EQ(Text(dtOct, 1, 9), "1");
  EXPECT_EQ(Text(dtOct, 0, 9), "");
}

TEST(NumLabText, DegreeFormats) {
  EXPECT_EQ(Text(dtDeg, 2, 12.5), "12.50" + Deg);
  EXPECT_EQ(Text(dtDeg, 12, 1.0 / 3), "0.33333333" + Deg); // at most 8 decimals
  EXPECT_EQ(Text(dtDegMin, 2, 12.5), "12" + Deg + " 30.00'");
  EXPECT_EQ(Text(dtDegMin, 2, 12.05), "12" + Deg + "  3.00'");
  EXPECT_EQ(Text(dtDegMinSec, 1, 12.5125), "12" + Deg + " 30' 45.0\"");
  EXPECT_EQ(Text(dtDegMin, 2, -12.5), "-12" + Deg + " 30.00'");
  EXPECT_EQ(Text(dtDegMin, 2, -0.5), "-0" + Deg + " 30.00'");
  EXPECT_EQ(Text(dtDegMinSec, 0, 1.5 / 60), "0" + Deg + "  1'  30\"");
  // Snapping: a hair below a whole degree is that degree.
  EXPECT_EQ(Text(dtDegMin, 2, 13 - 1e-12), "13" + Deg + "  0.00'");
  EXPECT_EQ(Text(dtDegMinSec, 1, 12.25 - 1e-13 / 60), "12" + Deg + " 15'  0.0\"");
  // A fraction that rounds to a full unit is carried instead of showing 60.
  EXPECT_EQ(Text(dtDegMin, 2, 12.9999999), "13" + Deg + "  0.00'");
  EXPECT_EQ(Text(dtDegMinSec, 1, 12.999999999), "13" + Deg + "  0'  0.0\"");
  EXPECT_EQ(Text(dtDegMin, 2, std::numeric_limits<double>::infinity()), "*********");
  TNumLabTextSettings s;
  s.DisplayType = dtDegMinSec;
  s.Precision = 1;
  s.Comma = true;
  s.ForcePlusSign = true;
  EXPECT_EQ(NumLabValueText(12.5125, s), "+12" + Deg + " 30' 45,0\"");
}

TEST(NumLabText, EngineeringNotation) {
  EXPECT_EQ(Text(dtEEng, 3, 4700), "4.70k");
  EXPECT_EQ(Text(dtEEngNoDP, 3, 4700), "4k70");
  EXPECT_EQ(Text(dtEEng, 3, -0.0047), "-4.70m");
  EXPECT_EQ(Text(dtEEng, 3, std::numeric_limits<double>::quiet_NaN()), "*********");
  TNumLabTextSettings s;
  s.DisplayType = dtEEng;
  s.Precision = 3;
  s.Comma = true;
  EXPECT_EQ(NumLabValueText(4700, s), "4,70k");
}

TEST(NumLabText, DateTimeStateAndOutOfRangeDates) {
  TNumLabTextSettings s;
  s.DisplayType = dtDateTime;
  EXPECT_EQ(NumLabValueText(45000.75, s), "Mar-15, 2023");
  s.DTFormat = "dd.mm.yyyy hh:nn";
  s.Comma = true; // dates keep their points
  EXPECT_EQ(NumLabValueText(45000.75, s), "15.03.2023 18:00");
  EXPECT_EQ(NumLabValueText(1e12, s), "*********");
  s.DisplayType = dtState;
  s.ForcePlusSign = true;
  EXPECT_EQ(NumLabValueText(5, s), "undefined");
}

} // namespace
