// The chart's rim: standard layouts, isometric ranges, the face with its
// shadow and caption, and the repaint rules of the appearance setters.
#include "axes/scale.h"
#include "chart/rchart.h"
#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ChartLayout, IsometricRangesKeepWorldUnitsSquare) {
  TRChart chart(nullptr);
  chart.SetBounds(0, 0, 400, 300);
  chart.Scale1X()->SetRangeHigh(331);
  chart.Scale1Y()->SetRangeLow(-10);
  chart.Scale1Y()->SetRangeHigh(10);
  chart.SetIsometric(true);
  EXPECT_DOUBLE_EQ(chart.Scale1Y()->RangeLow(), -120.5);
  EXPECT_DOUBLE_EQ(chart.Scale1Y()->RangeHigh(), 120.5);
  // A new margin re-derives the range; the shadow does not.
  chart.SetMarginBottom(140); // 141 rows for 331 columns
  EXPECT_DOUBLE_EQ(chart.Scale1Y()->RangeHigh(), 70.5);
  chart.SetShadowWidth(10);
  EXPECT_DOUBLE_EQ(chart.Scale1Y()->RangeHigh(), 70.5);
  // Switching it off keeps the ranges.
  chart.SetIsometric(false);
  chart.SetMarginBottom(40);
  EXPECT_DOUBLE_EQ(chart.Scale1Y()->RangeHigh(), 70.5);
}

TEST(ChartLayout, TwoAxesOnEachSide) {
  TRChart chart(nullptr);
  chart.SetStandardLayout(rcl_X2Both_Y2Both);
  EXPECT_EQ(chart.StandardLayout(), rcl_X2Both_Y2Both);
  EXPECT_EQ(chart.MarginLeft(), 50);
  EXPECT_EQ(chart.MarginRight(), 50);
  EXPECT_EQ(chart.MarginTop(), 48);
  EXPECT_EQ(chart.MarginBottom(), 40);
  EXPECT_EQ(chart.CaptionAlignment(), taCenter);
  EXPECT_EQ(chart.CaptionAnchorHoriz(), cahChartCenter);
  EXPECT_EQ(chart.CaptionPosY(), -46);
  EXPECT_TRUE(chart.Scale2X()->Visible());
  EXPECT_EQ(chart.Scale2X()->ScaleLocation(), slTop);
  EXPECT_EQ(chart.InternalScaleX(2)->ScaleType(), sctXB);
  EXPECT_EQ(chart.Scale2Y()->ScaleLocation(), slRight);
  EXPECT_EQ(chart.InternalScaleY(2)->ScaleType(), sctYL);
  EXPECT_EQ(chart.Scale2Y()->CaptionPosY(), -40);
  EXPECT_EQ(chart.Scale1X()->CaptionPosX(), -20);
  EXPECT_FALSE(chart.Scale3X()->Visible());
  EXPECT_FALSE(chart.Scale3Y()->Visible());
  EXPECT_EQ(chart.Scale3Y()->CaptionPosY(), -23);
  for (int n = 5; n <= 16; ++n)
    EXPECT_FALSE(chart.ScaleX(n)->Visible() || chart.ScaleY(n)->Visible()) << n;

  // Painted: the second horizontal axis lies on the top edge of the data
  // area, the second vertical one on its right edge.
  chart.HandleNeeded();
  std::set<int> topY, rightX;
  chart.OnScaleTickDrawn = [&](TObject *, TCanvas *&, TScaleType T, double, int X, int Y) {
    if (T == sctXB) topY.insert(Y);
    if (T == sctYL) rightX.insert(X);
  };
  chart.Repaint();
  EXPECT_EQ(topY, (std::set<int>{48}));
  EXPECT_EQ(rightX, (std::set<int>{280 - 50}));
}

TEST(ChartLayout, StackedLayoutsSetMarginsAndAxisPositions) {
  TRChart chart(nullptr);
  chart.SetStandardLayout(rcl_X1Bottom_Y4Left);
  EXPECT_EQ(chart.MarginLeft(), 200);
  EXPECT_EQ(chart.Scale4Y()->ScalePos(), 150);
  EXPECT_TRUE(chart.Scale4Y()->Visible());
  EXPECT_FALSE(chart.Scale2X()->Visible());
  chart.SetStandardLayout(rcl_X2Bottom_Y2Left);
  EXPECT_EQ(chart.MarginBottom(), 70);
  EXPECT_EQ(chart.Scale2X()->ScalePos(), 30);
  EXPECT_EQ(chart.Scale2X()->ScaleLocation(), slBottom);
  EXPECT_FALSE(chart.Scale3Y()->Visible()); // hidden again by the new preset
  EXPECT_EQ(chart.Scale3Y()->CaptionPosY(), 100);
  chart.SetStandardLayout(rcl_X1Bottom_Y1Left);
  EXPECT_EQ(chart.MarginLeft(), 50);
  EXPECT_EQ(chart.Scale1Y()->CaptionAlignment(), taLeftJustify);
  EXPECT_EQ(chart.CaptionPosY(), -16);
  EXPECT_FALSE(chart.Scale2Y()->Visible());
}

TEST(ChartLayout, FaceShadowAndCaption) {
  TRChart chart(nullptr);
  chart.HandleNeeded();
  chart.SetAutoRedraw(false);
  chart.SetWindColor(clYellow);
  chart.SetShadowWidth(10);
  chart.SetShadowColor(clGray);
  chart.SetShadowBakColor(clAqua);
  chart.SetCaption("Title");
  chart.SetCaptionAlignment(taCenter);
  chart.SetCaptionAnchorHoriz(cahChartCenter);
  TCanvasRecorder rec;
  chart.FullBitmap().Canvas().SetRecorder(&rec);
  chart.Repaint();
  chart.FullBitmap().Canvas().SetRecorder(nullptr);
  const TBitmap &full = chart.FullBitmap();
  EXPECT_EQ(full.Pixel(5, 5), clYellow);
  EXPECT_EQ(full.Pixel(275, 2), clAqua);   // the square beside the right band
  EXPECT_EQ(full.Pixel(275, 100), clGray); // the right band
  EXPECT_EQ(full.Pixel(140, 195), clGray); // the bottom band
  EXPECT_EQ(full.Pixel(0, 0), clBlack);    // the outline
  EXPECT_EQ(full.Pixel(270, 100), clBlack);
  // The data area shrinks by the shadow: 280 - 50 - 20 - 10 + 1 columns.
  EXPECT_EQ(chart.DataBitmap().Width(), 201);
  EXPECT_EQ(chart.DataBitmap().Height(), 131);
  // The caption is centred over the data area, not over the control.
  const TCanvasRecord *text = nullptr;
  for (const TCanvasRecord &r : rec.Records)
    if (r.Kind == coTextOut && r.Text == "Title") text = &r;
  ASSERT_NE(text, nullptr);
  TCanvas probe;
  probe.Font().Assign(*chart.Font());
  EXPECT_EQ(text->Points[0].X, 50 + 200 / 2 - probe.TextWidth("Title") / 2);
  EXPECT_EQ(text->Points[0].Y, 20 - 16);
  EXPECT_EQ(chart.Canvas().Pixels(275, 100), clGray); // on the control too
}

TEST(ChartLayout, AppearanceSettersRepaintOnlyWithAutoRedraw) {
  TRChart chart(nullptr);
  chart.HandleNeeded();
  int n = chart.PaintCount();
  chart.SetGridStyle(gsDotLines);
  chart.SetShadowStyle(ssBox);
  chart.SetCaptionPosX(5);
  chart.BackGroundImg()->SetAreaMode(bamLeft);
  EXPECT_EQ(chart.PaintCount(), n + 4);
  chart.SetAutoRedraw(false);
  n = chart.PaintCount();
  chart.SetGridColor(clRed);
  chart.SetCaption("x");
  chart.BackGroundImg()->SetAreaColor(clRed);
  EXPECT_EQ(chart.PaintCount(), n);
  // Spacing below -3 is refused.
  chart.SetGridDx(-2);
  chart.SetGridDx(-3.5);
  EXPECT_EQ(chart.GridDx(), -2.0);
  chart.SetGridDy(-4);
  EXPECT_EQ(chart.GridDy(), 0.0);
}

TEST(ChartLayout, ATinyDataAreaPaintsWithoutFailing) {
  TRChart chart(nullptr);
  chart.HandleNeeded();
  chart.SetMarginLeft(400); // wider than the control
  chart.MoveTo(0, 0);
  chart.DrawTo(1, 1);
  chart.AddTextLabel(0.5, 0.5, clBlack, "label");
  chart.CrossHair1()->SetMode(chBoth);
  EXPECT_NO_THROW(chart.Repaint());
  EXPECT_EQ(chart.DataBitmap().Width(), 0);
  chart.SetAutoRedraw(true);
  EXPECT_NO_THROW(chart.ShowGraph());
}

} // namespace
