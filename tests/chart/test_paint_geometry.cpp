// The pure geometry of chart painting: rectangles, texts, labels, cross-hairs,
// shadow, caption, bands, tiles, isometric ranges, grid values and the
// polyline buffer.
#include "chart/paint_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TRimGeometry Rim280x200() {
  TRimGeometry g;
  g.W = 280;
  g.H = 200;
  g.ML = 50;
  g.MR = 20;
  g.MT = 20;
  g.MB = 40;
  return g;
}

TEST(PaintGeometry, RectangleItemsCoverBothCornerPixels) {
  const TItemRect one = ItemRectangle({7, 9}, {7, 9});
  EXPECT_TRUE(one.OnePixel);
  EXPECT_EQ(one.Pixel, Point(7, 9));
  // Corners in any order; the larger corner moves out by one so its pixel is covered.
  const TItemRect r = ItemRectangle({30, 140}, {10, 0});
  EXPECT_FALSE(r.OnePixel);
  EXPECT_EQ(r.Box, Rect(10, 0, 31, 141));
  // Same column, different rows: a one-pixel-wide box, not a single pixel.
  EXPECT_EQ(ItemRectangle({5, 1}, {5, 4}).Box, Rect(5, 1, 6, 5));
}

TEST(PaintGeometry, ItemTextsCentreVerticallyAndAlignHorizontally) {
  EXPECT_EQ(TextItemOrigin({100, 50}, {21, 13}, taCenter), Point(90, 44));
  EXPECT_EQ(TextItemOrigin({100, 50}, {21, 13}, taRightJustify), Point(79, 44));
  EXPECT_EQ(TextItemOrigin({100, 50}, {21, 13}, taLeftJustify), Point(100, 44));
}

TEST(PaintGeometry, LabelBlockAndBox) {
  // One line centred on x = 100 with its bottom at y = 50; the box reaches 2 below.
  const TLabelLayout l = LabelLayout({100, 50}, 1, 40, 16, vaBottom, taCenter);
  EXPECT_EQ(l.Left, 80);
  EXPECT_EQ(l.Bottom, 50);
  EXPECT_EQ(l.Box, Rect(76, 32, 124, 52));
  EXPECT_EQ(LabelLineOrigin(l, 0, 40, taCenter), Point(80, 34));
  // vaTop hangs the block below the anchor, vaCenter centres it.
  EXPECT_EQ(LabelLayout({0, 0}, 2, 10, 16, vaTop, taLeftJustify).Bottom, 32);
  EXPECT_EQ(LabelLayout({0, 0}, 3, 10, 15, vaCenter, taLeftJustify).Bottom, 22);
  // Empty caption: the box is 8 pixels wide.
  EXPECT_EQ(LabelLayout({10, 10}, 1, 0, 16, vaBottom, taCenter).Box.Width(), 8);
}

TEST(PaintGeometry, TwoLineRightJustifiedCaptionSharesTheRightEdge) {
  // The second line (60 wide) is the longer one.
  const TLabelLayout l = LabelLayout({200, 100}, 2, 60, 16, vaBottom, taRightJustify);
  const TPoint first = LabelLineOrigin(l, 0, 25, taRightJustify);
  const TPoint second = LabelLineOrigin(l, 1, 60, taRightJustify);
  EXPECT_EQ(first.X + 25, 200);
  EXPECT_EQ(second.X + 60, 200);
  EXPECT_EQ(first.Y, 100 - 32);
  EXPECT_EQ(second.Y, 100 - 16);
  EXPECT_EQ(l.Box.Width(), 60 + 8);
  // Centred lines split the difference.
  const TLabelLayout c = LabelLayout({200, 100}, 2, 60, 16, vaBottom, taCenter);
  EXPECT_EQ(LabelLineOrigin(c, 0, 20, taCenter).X, c.Left + 20);
}

TEST(PaintGeometry, CrossHairsStayInsideTheDataArea) {
  const TRimGeometry g = Rim280x200();
  // On the frame: nothing in either direction.
  const TCrossHairLines onFrame = CrossHairLines(g, {50, 160}, chBoth, 1);
  EXPECT_FALSE(onFrame.DrawHoriz);
  EXPECT_FALSE(onFrame.DrawVert);
  const TCrossHairLines in = CrossHairLines(g, {100, 90}, chBoth, 1);
  ASSERT_TRUE(in.DrawHoriz);
  ASSERT_TRUE(in.DrawVert);
  EXPECT_EQ(in.H1, Point(51, 90));
  EXPECT_EQ(in.H2, Point(260, 90));
  EXPECT_EQ(in.V1, Point(100, 21));
  EXPECT_EQ(in.V2, Point(100, 160));
  // A 5-pixel line keeps 2 pixels off the frame and is skipped within them.
  const TCrossHairLines wide = CrossHairLines(g, {100, 22}, chBoth, 5);
  EXPECT_FALSE(wide.DrawHoriz);
  ASSERT_TRUE(wide.DrawVert);
  EXPECT_EQ(wide.V1, Point(100, 23));
  EXPECT_EQ(wide.V2, Point(100, 158));
  // Mode picks the direction; far-off points are simply outside.
  EXPECT_FALSE(CrossHairLines(g, {100, 90}, chVert, 1).DrawHoriz);
  EXPECT_FALSE(CrossHairLines(g, {2147483647, -2147483647}, chBoth, 1).DrawVert);
}

TEST(PaintGeometry, ShadowShapes) {
  const TShadowShape f = ShadowShape(280, 200, 10, ssFlying);
  EXPECT_EQ(f.TopRightSquare, Rect(270, 0, 280, 10));
  EXPECT_EQ(f.BottomLeftSquare, Rect(0, 190, 10, 200));
  EXPECT_EQ(f.BottomBand[0], Point(9, 190));
  EXPECT_EQ(f.RightBand[3], Point(270, 9));
  EXPECT_EQ(f.Outline[2], Point(270, 190));
  const TShadowShape b = ShadowShape(280, 200, 10, ssBox);
  EXPECT_EQ(b.BottomBand[0], Point(0, 190));
  EXPECT_EQ(b.RightBand[3], Point(270, 0));
}

TEST(PaintGeometry, ChartCaptionAnchors) {
  const TRimGeometry g = Rim280x200();
  // Centred over the data area (50 ... 260), not over the control.
  EXPECT_EQ(ChartCaptionOrigin(g, 0, -16, taCenter, cahChartCenter, cavChartTop, 40),
            Point(50 + 105 - 20, 4));
  EXPECT_EQ(ChartCaptionOrigin(g, 0, -16, taRightJustify, cahChartRight, cavChartTop, 40),
            Point(220, 4));
  TRimGeometry s = g;
  s.SW = 6; // the bottom anchor ignores the shadow, the right one does not
  EXPECT_EQ(ChartCaptionOrigin(s, 3, 2, taLeftJustify, cahChartRight, cavChartBottom, 40),
            Point(257, 162));
  EXPECT_EQ(ChartCaptionOrigin(s, 0, 0, taLeftJustify, cahControlRight, cavControlBottom, 40),
            Point(280, 200));
}

TEST(PaintGeometry, BandsAndTiles) {
  const TPoint lt{30, 10}, rb{90, 120};
  EXPECT_EQ(BandRect(bamLeft, lt, rb, 211, 141), Rect(0, 0, 30, 141));
  EXPECT_EQ(BandRect(bamRight, lt, rb, 211, 141), Rect(90, 0, 211, 141));
  EXPECT_EQ(BandRect(bamTop, lt, rb, 211, 141), Rect(0, 0, 211, 10));
  EXPECT_EQ(BandRect(bamBottom, lt, rb, 211, 141), Rect(0, 120, 211, 141));
  EXPECT_EQ(BandRect(bamVStripe, lt, rb, 211, 141), Rect(30, 0, 90, 141));
  EXPECT_EQ(BandRect(bamHStripe, lt, rb, 211, 141), Rect(0, 10, 211, 120));
  EXPECT_EQ(BandRect(bamRect, lt, rb, 211, 141), Rect(30, 10, 90, 120));
  EXPECT_EQ(TileCount(211, 141, 50, 141), (TSize{5, 1}));
  EXPECT_EQ(TileCount(200, 140, 50, 70), (TSize{4, 2}));
  EXPECT_EQ(TileCount(200, 140, 0, 70), (TSize{0, 0}));
  EXPECT_EQ(LimitPixel(2147483647), 30000);
  EXPECT_EQ(LimitPixel(-40000), -30000);
}

TEST(PaintGeometry, IsometricHalfRange) {
  TRimGeometry g = Rim280x200();
  g.W = 400;
  g.H = 300;
  EXPECT_DOUBLE_EQ(IsometricHalfRange(g, 0, 331, 36, 36), 120.5);
  EXPECT_DOUBLE_EQ(IsometricHalfRange(g, 0, 331, 36, 72), 241.0);
  g.ML = 500; // no data area across
  EXPECT_TRUE(std::isnan(IsometricHalfRange(g, 0, 331, 36, 36)));
}

std::vector<double> Grid(TGridAxis a) {
  std::vector<double> v;
  GridValues(a, v);
  return v;
}

TEST(PaintGeometry, LinearGridSpacing) {
  TGridAxis a;
  a.Low = -0.5;
  a.High = 1.0;
  a.D = 0.25;
  EXPECT_EQ(Grid(a), (std::vector<double>{-0.5, -0.25, 0, 0.25, 0.5, 0.75}));
  a.D = -0.5; // a negative step on a linear axis counts by its size
  EXPECT_EQ(Grid(a), (std::vector<double>{-0.5, 0, 0.5}));
  a.D = 1e-9; // far too fine: capped
  EXPECT_EQ(Grid(a).size(), std::size_t(MaxGridLines));
}

TEST(PaintGeometry, GridFollowsTheTicksWhenSpacingIsZero) {
  const double ticks[] = {0, 2, 4, 6, 8, 10};
  TGridAxis a;
  a.Low = 0;
  a.High = 10;
  a.Ticks = ticks;
  a.TickCount = 6;
  EXPECT_EQ(Grid(a), (std::vector<double>{0, 2, 4, 6, 8}));
  a.TickCount = 0; // no ticks: only the lower end
  EXPECT_EQ(Grid(a), (std::vector<double>{0}));
}

TEST(PaintGeometry, LogarithmicGridRules) {
  TGridAxis a;
  a.Logarithmic = true;
  a.Low = 3;
  a.High = 2000;
  a.D = -1;
  EXPECT_EQ(Grid(a), (std::vector<double>{10, 100, 1000}));
  a.D = -2;
  const std::vector<double> s125 = Grid(a);
  const std::vector<double> want125{5, 10, 20, 50, 100, 200, 500, 1000};
  ASSERT_EQ(s125.size(), want125.size());
  for (std::size_t i = 0; i < want125.size(); ++i)
    EXPECT_NEAR(s125[i], want125[i], want125[i] * 1e-12);
  a.D = -3;
  a.High = 25;
  const std::vector<double> nine = Grid(a);
  const std::vector<double> wantNine{3, 4, 5, 6, 7, 8, 9, 10, 20};
  ASSERT_EQ(nine.size(), wantNine.size());
  for (std::size_t i = 0; i < wantNine.size(); ++i)
    EXPECT_NEAR(nine[i], wantNine[i], wantNine[i] * 1e-12);
  a.D = -0.5; // any other negative starts at the low end itself
  EXPECT_DOUBLE_EQ(Grid(a).front(), 3.0);
  a.D = 5; // a positive step counts linearly
  EXPECT_EQ(Grid(a), (std::vector<double>{5, 10, 15, 20}));
  a.Low = 0; // a logarithmic range reaching zero has no grid
  a.D = -1;
  EXPECT_TRUE(Grid(a).empty());
}

TEST(PaintGeometry, PolylineBufferBatchesTwoHundredPointsThatJoin) {
  TPolylineBuffer b;
  b.SetStart({0, 0});
  std::vector<std::vector<TPoint>> lines;
  auto flush = [&] {
    lines.emplace_back(b.Points(), b.Points() + b.Count());
    b.Reset();
  };
  for (int i = 1; i <= 450; ++i)
    if (b.Add({i, i % 7})) flush();
  if (b.Count() > 0) flush();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), 200u);
  EXPECT_EQ(lines[1].size(), 200u);
  EXPECT_EQ(lines[2].size(), 53u);
  EXPECT_EQ(lines[0].front(), Point(0, 0));
  for (std::size_t k = 1; k < lines.size(); ++k)
    EXPECT_EQ(lines[k].front(), lines[k - 1].back()); // no gaps
  EXPECT_EQ(lines[2].back(), Point(450, 450 % 7));
  EXPECT_EQ(b.Start(), Point(450, 450 % 7));
}

} // namespace
