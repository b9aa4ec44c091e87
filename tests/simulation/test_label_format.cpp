// The formatter for snapshot captions whose format comes from a language file.
#include "simulation/label_format.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(FormatIntLabel, AcceptsTheDirectivesATranslatorWrites) {
  EXPECT_EQ(FormatIntLabel("%d K", 898), "898 K");
  EXPECT_EQ(FormatIntLabel("T = %d K", 80), "T = 80 K");
  EXPECT_EQ(FormatIntLabel("%5d K", 898), "  898 K");
  EXPECT_EQ(FormatIntLabel("%-5d|", 898), "898  |");
  EXPECT_EQ(FormatIntLabel("%05d", -42), "-0042");
  EXPECT_EQ(FormatIntLabel("%.4d", 7), "0007");
  EXPECT_EQ(FormatIntLabel("%D", 7), "7");
  EXPECT_EQ(FormatIntLabel("100%% = %d", 5), "100% = 5");
  EXPECT_EQ(FormatIntLabel("Kelvin", 5), "Kelvin");
  EXPECT_EQ(FormatIntLabel("", 5), "");
  EXPECT_EQ(FormatIntLabel("%d", LLONG_MIN), "-9223372036854775808");
  EXPECT_EQ(FormatIntLabel("\xc2\xb0%d", 3), "\xc2\xb0"
                                             "3"); // UTF-8 text passes unchanged
}

TEST(FormatIntLabel, RefusesEverythingElseNamingTheFormat) {
  for (const char *bad : {"%s K", "%d %d", "%", "K %", "%x", "%f", "%n", "%5", "%*d", "%ld",
                          "%256d", "%99999999999d"}) {
    try {
      FormatIntLabel(bad, 1);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const ELabelFormatError &e) {
      EXPECT_NE(e.Message().find(std::string("\"") + bad + "\""), std::string::npos) << e.Message();
    }
  }
}

} // namespace
