// The Windows back end's pure parts: how keys move range controls, the key
// combinations shortcuts accept, and the save dialog's file types.
#include "platform/key_shortcuts.h"
#include "platform/windows/file_filter.h"
#include "platform/windows/range_keys.h"

#include <gtest/gtest.h>

namespace {

constexpr int PageUp = 0x21, PageDown = 0x22, End = 0x23, Home = 0x24;
constexpr int Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;

TEST(RangeKeys, HorizontalBarsGrowRightAndUpVerticalOnesDown) {
  // Horizontal: Right, Up and Page Up go towards the maximum.
  EXPECT_EQ(PositionAfterKey(Right, 10, 0, 100, 1, 10, false), 11);
  EXPECT_EQ(PositionAfterKey(Up, 10, 0, 100, 1, 10, false), 11);
  EXPECT_EQ(PositionAfterKey(Left, 10, 0, 100, 1, 10, false), 9);
  EXPECT_EQ(PositionAfterKey(PageUp, 10, 0, 100, 1, 10, false), 20);
  // Vertical (inverted): Down and Page Down go towards the maximum.
  EXPECT_EQ(PositionAfterKey(Down, 10, 0, 100, 1, 10, true), 11);
  EXPECT_EQ(PositionAfterKey(PageDown, 10, 0, 100, 1, 10, true), 20);
  EXPECT_EQ(PositionAfterKey(Up, 10, 0, 100, 1, 10, true), 9);
  EXPECT_EQ(PositionAfterKey(Home, 10, -5, 100, 1, 10, true), -5);
  EXPECT_EQ(PositionAfterKey(End, 10, -5, 100, 1, 10, false), 100);
}

TEST(RangeKeys, StepsStayInRangeAndOtherKeysAreLeftAlone) {
  EXPECT_EQ(PositionAfterKey(PageUp, 95, 0, 100, 1, 10, false), 100);
  EXPECT_EQ(PositionAfterKey(PageDown, 3, 0, 100, 1, 10, false), 0);
  // Steps as large as an int do not wrap around.
  EXPECT_EQ(PositionAfterKey(Right, 2147483000, 0, 2147483647, 2147483647, 1, false), 2147483647);
  EXPECT_EQ(PositionAfterKey(Left, -2147483000, -2147483647, 0, 2147483647, 1, false), -2147483647);
  EXPECT_FALSE(PositionAfterKey(0x09, 10, 0, 100, 1, 10, false));
  EXPECT_FALSE(PositionAfterKey('A', 10, 0, 100, 1, 10, false));
}

TEST(ShortcutTexts, CombinationsAreNormalisedAndNonsenseRefused) {
  EXPECT_EQ(NormalisedKeys("ctrl+shift+f"), "Ctrl+Shift+F");
  EXPECT_EQ(NormalisedKeys("Shift+Ctrl+S"), "Ctrl+Shift+S");
  EXPECT_EQ(NormalisedKeys("Ctrl++"), "Ctrl++");
  EXPECT_EQ(NormalisedKeys("Ctrl+-"), "Ctrl+-");
  EXPECT_EQ(NormalisedKeys("Ctrl+right"), "Ctrl+Right");
  EXPECT_EQ(NormalisedKeys("Menu"), "Menu");
  EXPECT_EQ(NormalisedKeys("shift+f10"), "Shift+F10");
  EXPECT_EQ(NormalisedKeys("Ctrl+6"), "Ctrl+6");
  EXPECT_EQ(NormalisedKeys(""), "");
  EXPECT_EQ(NormalisedKeys("Ctrl+F, Ctrl+G"), "");
  EXPECT_EQ(NormalisedKeys("Hyper+Q"), "");
  EXPECT_EQ(NormalisedKeys("Ctrl+"), "");
  EXPECT_EQ(NormalisedKeys("F36"), "");
  EXPECT_EQ(NormalisedKeys("Ctrl+Shift"), "");
}

TEST(SaveDialogFilter, TypesBecomeNamePatternPairs) {
  using namespace std::string_literals;
  EXPECT_EQ(SystemFileFilter("PNG picture (*.png)"), L"PNG picture (*.png)\0*.png\0\0"s);
  EXPECT_EQ(SystemFileFilter("Tables (*.csv *.txt);;All files"),
            L"Tables (*.csv *.txt)\0*.csv;*.txt\0All files\0*.*\0\0"s);
  EXPECT_EQ(SystemFileFilter(""), L"\0"s);
  // A name in another script survives the trip to UTF-16.
  EXPECT_EQ(SystemFileFilter("Bild \xC3\xA4 (*.png)"), L"Bild \u00E4 (*.png)\0*.png\0\0"s);
}

} // namespace
