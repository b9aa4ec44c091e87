// The display list on its own: growth, attribute copying, texts and sharing.
#include "chart/display_list.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

TEST(DisplayList, GrowsInStepsOfAllocSizeWithZeroedElements) {
  TDisplayList list;
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(list.Capacity(), 0);
  for (int i = 0; i < 1000; ++i)
    list.DrawTo(i, i);
  EXPECT_EQ(list.Capacity(), 1000);
  list.MoveTo(1, 2);
  EXPECT_EQ(list.ItemCount(), 1001);
  EXPECT_EQ(list.Capacity(), 2000);
  // Existing items keep their values across the growth.
  EXPECT_EQ(list.Item(999).X1, 999.0);
  EXPECT_EQ(list.Item(999).Kind, ikDrawTo);
  // Fields the kind does not set are zero, the unused rest of the array too.
  const GraphItem &m = list.Item(1000);
  EXPECT_EQ(m.FillColor, 0u);
  EXPECT_EQ(m.X2, 0.0);
  EXPECT_EQ(m.Text.Length, 0);
  EXPECT_EQ(list.Items()[1500].Kind, 0);
}

TEST(DisplayList, ClearedListGrowsAgainFromNothingWithZeroedElements) {
  // Clear keeps the memory for the next composition; what it shows must be
  // what a fresh array would hold.
  TDisplayList list;
  list.SetFillColor(0x123456);
  list.Text(1, 2, 10, "leftover");
  list.Rectangle(1, 2, 3, 4);
  for (int i = 0; i < 1500; ++i)
    list.DrawTo(i, i);
  list.Clear();
  EXPECT_EQ(list.ItemCount(), 0);
  EXPECT_EQ(list.Capacity(), 0);
  EXPECT_EQ(list.RunCount(), 0);
  list.MoveTo(5, 6);
  EXPECT_EQ(list.Capacity(), 1000);
  const GraphItem &m = list.Item(0);
  EXPECT_EQ(m.Kind, ikMoveTo);
  EXPECT_EQ(m.Text.Length, 0);
  EXPECT_EQ(m.Text.Chars[0], 0);
  EXPECT_EQ(m.X2, 0.0);
  EXPECT_EQ(m.FillColor, 0u);
  EXPECT_EQ(list.Items()[1].Kind, 0);
  EXPECT_EQ(list.Items()[1].X1, 0.0);
  EXPECT_EQ(list.Points()[0].X, 5.0);
}

TEST(DisplayList, StampChangesWithTheContentOnly) {
  TDisplayList a, b;
  a.MoveTo(1, 1);
  b.MoveTo(1, 1);
  const std::uint64_t first = a.Stamp();
  EXPECT_EQ(a.Stamp(), first);
  EXPECT_NE(b.Stamp(), first); // another list never shares a number
  a.SetDataColor(clRed);       // attributes for later items change nothing yet
  EXPECT_EQ(a.Stamp(), first);
  a.DrawTo(2, 2);
  const std::uint64_t second = a.Stamp();
  EXPECT_NE(second, first);
  a.Clear();
  EXPECT_NE(a.Stamp(), second);
  EXPECT_NE(a.Stamp(), first);
  // Holders of one storage see one number; a private copy parts with it at
  // its first change.
  TDisplayList c;
  c.ShareWith(a);
  EXPECT_EQ(c.Stamp(), a.Stamp());
  c.MakePrivate();
  c.MoveTo(3, 3);
  EXPECT_NE(c.Stamp(), a.Stamp());
}

TEST(DisplayList, AllocSizeOutsideItsRangeIsIgnored) {
  TDisplayList list;
  for (int bad : {0, -5, 1000001})
    list.SetAllocSize(bad);
  EXPECT_EQ(list.AllocSize(), 1000);
  list.SetAllocSize(1);
  list.SetAllocSize(1000000);
  EXPECT_EQ(list.AllocSize(), 1000000);
  list.SetAllocSize(3);
  for (int i = 0; i < 7; ++i)
    list.MoveTo(0, 0);
  EXPECT_EQ(list.Capacity(), 9);
}

TEST(DisplayList, ItemsCopyTheAttributesOfTheirMoment) {
  TDisplayList list;
  EXPECT_EQ(list.DataColor(), clBlack);
  EXPECT_EQ(list.FillColor(), 0xC0C0C0u);
  EXPECT_EQ(list.PenStyle(), psSolid);
  EXPECT_EQ(list.LineWidth(), 1);
  EXPECT_EQ(list.TextAlignment(), 2);
  list.SetDataColor(0x112233);
  list.SetFillColor(0x445566);
  list.SetPenStyle(psDot);
  list.SetLineWidth(3);
  list.SetClassDefault(7);
  list.MoveTo(1, 2);
  list.SetClassDefault(255); // reserved: keeps 7
  list.DrawTo(3, 4);
  list.SetDataColor(0xABCDEF);
  list.DrawTo(5, 6);
  list.Rectangle(770, 10, 380, 0);
  list.SetTextAlignment(0);
  list.Text(480, 5, 10, "visible light");

  const GraphItem &move = list.Item(0);
  EXPECT_EQ(move.Kind, ikMoveTo);
  EXPECT_EQ(move.Color, 0x112233u);
  EXPECT_EQ(move.FillColor, 0u); // only lines and rectangles carry the fill
  EXPECT_EQ(move.PenStyle, psDot);
  EXPECT_EQ(move.LineWidth, 3);
  EXPECT_EQ(move.ItemClass, 7);
  EXPECT_EQ(move.Layer, 1);

  EXPECT_EQ(list.Item(1).Color, 0x112233u); // unchanged by the later colour
  EXPECT_EQ(list.Item(1).FillColor, 0x445566u);
  EXPECT_EQ(list.Item(1).ItemClass, 7);
  EXPECT_EQ(list.Item(2).Color, 0xABCDEFu);
  EXPECT_EQ(list.Item(2).X1, 5.0);

  const GraphItem &rect = list.Item(3);
  EXPECT_EQ(rect.Kind, ikRectangle);
  EXPECT_EQ(rect.X1, 770.0);
  EXPECT_EQ(rect.Y1, 10.0);
  EXPECT_EQ(rect.X2, 380.0);
  EXPECT_EQ(rect.Y2, 0.0);
  EXPECT_EQ(rect.FillColor, 0x445566u);

  const GraphItem &text = list.Item(4);
  EXPECT_EQ(text.Kind, ikText);
  EXPECT_EQ(text.Text.View(), "visible light");
  EXPECT_EQ(text.FontSize, 10);
  EXPECT_EQ(text.TextAlign, 0);
  EXPECT_EQ(text.FillColor, 0u);
  EXPECT_EQ(text.LineWidth, 3);
}

TEST(DisplayList, TextKeepsFifteenCharactersWithoutSplittingASequence) {
  TItemText t;
  t.Assign("abcdefghijklmnopqrst");
  EXPECT_EQ(t.View(), "abcdefghijklmno");
  // 16 two-byte letters: 15 of them survive whole.
  std::string umlauts;
  for (int i = 0; i < 16; ++i)
    umlauts += "\xc3\xa4";
  t.Assign(umlauts);
  EXPECT_EQ(t.Length, 30);
  EXPECT_EQ(t.View(), umlauts.substr(0, 30));
  // A four-byte character at the end of the kept part stays whole.
  t.Assign("12345678901234\xf0\x9f\x94\xa5xyz");
  EXPECT_EQ(t.View(), "12345678901234\xf0\x9f\x94\xa5");
  // A truncated sequence at the very end is kept byte by byte, never read past.
  t.Assign("ab\xe2\x82");
  EXPECT_EQ(t.View(), "ab\xe2\x82");
  // Stray continuation bytes count one each, so the buffer cannot overflow.
  t.Assign(std::string(40, '\x80'));
  EXPECT_EQ(t.Length, 15);
  // Shorter texts replace longer ones completely.
  t.Assign("K");
  EXPECT_EQ(t.View(), "K");
}

TEST(DisplayList, SharedStorageSeesEveryAppendAndClear) {
  TDisplayList owner;
  TDisplayList user;
  user.ShareWith(owner);
  EXPECT_TRUE(user.SharesWith(owner));
  user.SetAllocSize(2);
  owner.MoveTo(1, 1);
  user.DrawTo(2, 2); // the user's own attributes and growth step
  user.DrawTo(3, 3);
  EXPECT_EQ(owner.ItemCount(), 3);
  EXPECT_EQ(owner.Item(2).X1, 3.0);
  EXPECT_GE(owner.Capacity(), 3);
  owner.Clear();
  EXPECT_EQ(user.ItemCount(), 0);
  EXPECT_EQ(user.Capacity(), 0);
  user.Detach();
  user.MoveTo(0, 0);
  EXPECT_EQ(owner.ItemCount(), 0);
  EXPECT_FALSE(user.SharesWith(owner));
}

} // namespace

// The paint draws each run with one pen, so a run must end wherever a
// drawing attribute changes or another kind of item comes between.
TEST(DisplayList, DrawToRunsEndAtEveryAttributeChangeAndOtherItem) {
  TDisplayList l;
  l.MoveTo(0, 0);
  l.DrawTo(1, 1);
  l.DrawTo(2, 2);
  l.SetDataColor(clRed);
  l.DrawTo(3, 3);
  l.SetCurrentLayer(2);
  l.DrawTo(4, 4);
  l.SetLineWidth(2);
  l.DrawTo(5, 5);
  l.SetPenStyle(psDot);
  l.DrawTo(6, 6);
  l.SetFillColor(clBlue);
  l.DrawTo(7, 7);
  l.Text(8, 8, 10, "t");
  l.DrawTo(9, 9);
  l.MoveTo(10, 10);
  l.DrawTo(11, 11);
  const std::vector<std::pair<int, int>> want = {{1, 2}, {3, 1}, {4, 1}, {5, 1},
                                                 {6, 1}, {7, 1}, {9, 1}, {11, 1}};
  ASSERT_EQ(l.RunCount(), std::int32_t(want.size()));
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(l.Runs()[i].First, want[i].first) << i;
    EXPECT_EQ(l.Runs()[i].Count, want[i].second) << i;
  }
  for (std::int32_t i = 0; i < l.ItemCount(); ++i) {
    EXPECT_EQ(l.Points()[i].X, l.Item(i).X1);
    EXPECT_EQ(l.Points()[i].Y, l.Item(i).Y1);
  }
  TDisplayList copy;
  copy.ShareWith(l);
  copy.MakePrivate();
  l.Clear();
  EXPECT_EQ(l.RunCount(), 0);
  EXPECT_EQ(copy.RunCount(), std::int32_t(want.size()));
  EXPECT_EQ(copy.Points()[11].X, 11.0);
}
