// String routines and the marker reader.
#include "platform/streams.h"
#include "support/marker_reader.h"
#include "support/string_utils.h"

#include <gtest/gtest.h>

namespace {

TEST(FindNth, PositionsAreOneBasedAndNonOverlapping) {
  EXPECT_EQ(FindNth("ab", "xxabab", 4, false, 1), 5);
  EXPECT_EQ(FindNth("ab", "xxabab", 1, false, 2), 5);
  EXPECT_EQ(FindNth("ab", "xxabab", 1, false, 3), 0);
  EXPECT_EQ(FindNth("aa", "aaaa", 1, false, 2), 3); // not 2: no overlap
  EXPECT_EQ(FindNth("AB", "xxabab", -5, true, 1), 3);
  EXPECT_EQ(FindNth("AB", "xxabab", 1, false, 1), 0);
  EXPECT_EQ(FindNth("ab", "xxab", 99, false, 1), 0);
  EXPECT_EQ(FindNth("", "xxab", 1, false, 1), 0);
  EXPECT_EQ(FindNth("Ä", "xÄ", 1, true, 1), 2); // bytes beyond A-Z are compared as they are
}

TEST(ReplaceAll, InsertedTextIsNeverSearchedAgain) {
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "a", false), "aa");
  EXPECT_EQ(ReplaceAll("x", "x", "xx", false), "xx");
  EXPECT_EQ(ReplaceAll("TK_One and tk_one", "tk_one", "1", true), "1 and 1");
  EXPECT_EQ(ReplaceAll("TK_One and tk_one", "tk_one", "1", false), "TK_One and 1");
  EXPECT_EQ(ReplaceAll("abc", "", "z", false), "abc");
  EXPECT_EQ(ReplaceAll("a.b.c", ".", "", false), "abc");
}

TEST(StartsWith, CaseSensitivePrefix) {
  EXPECT_TRUE(StartsWith("TK_Caption", "TK_"));
  EXPECT_FALSE(StartsWith("tk_Caption", "TK_"));
  EXPECT_FALSE(StartsWith("TK", "TK_"));
  EXPECT_TRUE(StartsWith("", ""));
}

TEST(TrimBlanks, OnlyBlanksAreRemoved) {
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(TrimBlanks("\ta\t"), "\ta\t");
  EXPECT_EQ(TrimBlanks(""), "");
}

TEST(ReadUntilMarker, ReadsRecordByRecordAndLeavesTheStreamAfterTheMarker) {
  TStringStream s("first<END>second<end>tail");
  TMarkerRead r = ReadUntilMarker(s, "<End>");
  EXPECT_TRUE(r.Found);
  EXPECT_EQ(r.Text, "first<END>");
  EXPECT_EQ(s.Position(), 10);
  r = ReadUntilMarker(s, "<End>");
  EXPECT_TRUE(r.Found);
  EXPECT_EQ(r.Text, "second<end>");
  r = ReadUntilMarker(s, "<End>");
  EXPECT_FALSE(r.Found);
}

TEST(ReadUntilMarker, MarkerStraddlingTheBlockBoundary) {
  for (int offset : {250, 252, 253, 255, 256, 257, 509, 510}) {
    SCOPED_TRACE(offset);
    std::string data(std::size_t(offset), 'x');
    data += "#MARK#";
    data += std::string(300, 'y') + "#mark#";
    TStringStream s(data);
    s.SetPosition(0);
    TMarkerRead r = ReadUntilMarker(s, "#Mark#");
    ASSERT_TRUE(r.Found);
    EXPECT_EQ(r.Text.size(), std::size_t(offset) + 6);
    EXPECT_EQ(s.Position(), offset + 6);
    r = ReadUntilMarker(s, "#Mark#");
    ASSERT_TRUE(r.Found);
    EXPECT_EQ(r.Text, std::string(300, 'y') + "#mark#");
    EXPECT_EQ(s.Position(), std::int64_t(data.size()));
  }
}

TEST(ReadUntilMarker, StartsAtTheCurrentPositionAndHandlesEdgeInput) {
  TStringStream s("skip|a|b");
  s.SetPosition(5);
  TMarkerRead r = ReadUntilMarker(s, "|");
  EXPECT_TRUE(r.Found);
  EXPECT_EQ(r.Text, "a|");
  EXPECT_EQ(s.Position(), 7);

  TStringStream empty("");
  EXPECT_FALSE(ReadUntilMarker(empty, "|").Found);
  TStringStream exact(std::string(256, 'z')); // a full block, then end of stream
  EXPECT_FALSE(ReadUntilMarker(exact, "|").Found);
  TStringStream any("abc");
  EXPECT_FALSE(ReadUntilMarker(any, "").Found); // an empty marker never matches
}

} // namespace
