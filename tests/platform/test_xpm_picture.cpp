// Reading XPM pictures: the chart's cursors decode to the pixels they show,
// and text that is not a whole, consistent picture is refused rather than
// read past its end.
#include "platform/xpm_picture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char *const Arrow = R"(/* XPM */
static char *arrow[] = {
/* width height colours chars */
"3 2 3 1",
"  c None",
"# c #000000",
"o c #FFF",
"#o ",
" o#"
};)";

TEST(XpmPicture, DecodesPixelsWithTransparencyAndShortColours) {
  const auto picture = ReadXpm(Arrow);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Width, 3);
  EXPECT_EQ(picture->Height, 2);
  ASSERT_EQ(picture->Pixels.size(), 6u);
  EXPECT_EQ(picture->Pixels[0], 0xFF000000u);
  EXPECT_EQ(picture->Pixels[1], 0xFFFFFFFFu);
  EXPECT_EQ(picture->Pixels[2], 0u); // None: transparent
  EXPECT_EQ(picture->Pixels[5], 0xFF000000u);
}

TEST(XpmPicture, TwoCharactersPerPixelAndOtherVisualsAreRead) {
  const auto picture = ReadXpm(R"(/* XPM */ {
"2 1 2 2",
"aa m white c #102030",
"bb c None s background",
"aabb"};)");
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Pixels[0], 0xFF102030u);
  EXPECT_EQ(picture->Pixels[1], 0u);
}

TEST(XpmPicture, BrokenOrInconsistentTextIsRefused) {
  const std::string header = "/* XPM */ {\"2 1 1 1\", \"# c #000000\", ";
  EXPECT_FALSE(ReadXpm(""));
  EXPECT_FALSE(ReadXpm("\"2 1 1 1\", \"# c #000000\", \"##\"")); // no XPM mark
  EXPECT_TRUE(ReadXpm(header + "\"##\"};"));
  EXPECT_FALSE(ReadXpm(header + "\"#\"};"));          // row too short
  EXPECT_FALSE(ReadXpm(header + "\"###\"};"));        // row too long
  EXPECT_FALSE(ReadXpm(header + "\"#x\"};"));         // colour not in the table
  EXPECT_FALSE(ReadXpm(header + "};"));               // rows missing
  EXPECT_FALSE(ReadXpm(header + "\"##};"));           // unterminated string
  EXPECT_FALSE(ReadXpm("/* XPM */ {\"2 1 1 1\", \"# c #00000G\", \"##\"};"));
  EXPECT_FALSE(ReadXpm("/* XPM */ {\"2 1 2 1\", \"# c #000\", \"# c #FFF\", \"##\"};"));
  EXPECT_FALSE(ReadXpm("/* XPM */ {\"-2 1 1 1\", \"# c #000\", \"##\"};"));
  EXPECT_FALSE(ReadXpm("/* XPM */ {\"2 1 1 9\", \"# c #000\", \"##\"};"));
  // A size no cursor or icon has is refused before anything is allocated.
  EXPECT_FALSE(ReadXpm("/* XPM */ {\"100000 100000 1 1\", \"# c #000\"};"));
}

} // namespace
