// The chart's drawing commands, clearing and showing.
#include "chart/rchart.h"

#include <gtest/gtest.h>

namespace {

TEST(ChartList, CommandsAppendWithTheChartsAttributes) {
  TRChart chart(nullptr);
  EXPECT_EQ(chart.AllocSize(), 1000);
  EXPECT_EQ(chart.TextAlignment(), taCenter);
  EXPECT_EQ(chart.TextBkStyle(), tbClear);
  EXPECT_EQ(chart.TextBkColor(), clWhite);
  EXPECT_TRUE(chart.AutoRedraw());
  chart.SetDataColor(clRed);
  chart.MoveTo(1, 2);
  chart.SetDataColor(clBlue);
  chart.DrawTo(3, 4);
  chart.SetTextAlignment(taLeftJustify);
  chart.Text(480, 10, 10, "a twenty char text!!");
  ASSERT_EQ(chart.ItemCount(), 3);
  EXPECT_EQ(chart.Items(0).Color, clRed);
  EXPECT_EQ(chart.Items(1).Color, clBlue);
  EXPECT_EQ(chart.Items(2).Text.View(), "a twenty char t");
  EXPECT_EQ(chart.Items(2).TextAlign, taLeftJustify);
}

TEST(ChartList, ClearKeepsLabelsAndAttributesAndShowRepaints) {
  TRChart chart(nullptr);
  chart.HandleNeeded();
  chart.SetFillColor(0x123456);
  chart.TextLabels(1)->SetMode(tlShadow);
  chart.CrossHair(1)->SetMode(chBoth);
  chart.MoveTo(0, 0);
  chart.ClearGraph();
  EXPECT_EQ(chart.ItemCount(), 0);
  EXPECT_EQ(chart.Capacity(), 0);
  EXPECT_EQ(chart.FillColor(), 0x123456u);
  EXPECT_EQ(chart.TextLabels(1)->Mode(), tlShadow);
  EXPECT_EQ(chart.CrossHair(1)->Mode(), chBoth);

  const int before = chart.PaintCount();
  ASSERT_GT(before, 0);
  chart.ShowGraph(); // AutoRedraw on: the data area only, no full repaint
  EXPECT_EQ(chart.PaintCount(), before);
  chart.SetAutoRedraw(false); // a full repaint
  chart.ShowGraph();
  EXPECT_EQ(chart.PaintCount(), before + 1);
  chart.Hide();
  chart.ShowGraph();
  EXPECT_EQ(chart.PaintCount(), before + 1);
}

TEST(ChartList, NothingIsPaintedBeforeTheWindowExists) {
  TRChart chart(nullptr);
  EXPECT_TRUE(chart.PaintSuspended());
  chart.ShowGraph();
  chart.TextLabels(1)->SetPosX(3);
  EXPECT_EQ(chart.PaintCount(), 0);
  chart.HandleNeeded();
  EXPECT_FALSE(chart.PaintSuspended());
}

} // namespace
