// World-to-pixel arithmetic of one chart layer.
#include "axes/axis_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// The 280 x 200 chart with margins 50/20/20/40 and no shadow.
constexpr int W = 280, H = 200, ML = 50, MR = 20, MT = 20, MB = 40;

TEST(LayerMapping, RangeEndsLandOnTheDataAreaEdges) {
  const TAxisRange x{0, 1, false};
  const TAxisRange y{-5, 5, false};
  const TAxisFactors fx = CalcHorizontalFactors(W, ML, MR, 0, x);
  const TAxisFactors fy = CalcVerticalFactors(H, MT, MB, 0, y);
  EXPECT_EQ(MapWorld(fx, x, 0, 0), 50);
  EXPECT_EQ(MapWorld(fx, x, 1, 0), 260);
  EXPECT_EQ(MapWorld(fy, y, 5, H), 20);
  EXPECT_EQ(MapWorld(fy, y, -5, H), 160);
  // A shadow moves the right and bottom ends inwards.
  EXPECT_EQ(MapWorld(CalcHorizontalFactors(W, ML, MR, 5, x), x, 1, 0), 255);
  EXPECT_EQ(MapWorld(CalcVerticalFactors(H, MT, MB, 5, y), y, -5, H), 155);
}

TEST(LayerMapping, ReversedAndLogarithmicAxes) {
  const TAxisRange rev{10, 0, false};
  const TAxisFactors f = CalcHorizontalFactors(W, ML, MR, 0, rev);
  EXPECT_EQ(MapWorld(f, rev, 10, 0), 50);
  EXPECT_EQ(MapWorld(f, rev, 0, 0), 260);

  const TAxisRange log{1, 1e4, true};
  const TAxisFactors fl = CalcVerticalFactors(H, MT, MB, 0, log);
  EXPECT_EQ(MapWorld(fl, log, 1e4, H), 20);
  EXPECT_EQ(MapWorld(fl, log, 100, H), 90); // the middle decade is the middle pixel
  EXPECT_EQ(MapWorld(fl, log, 1, H), 160);
  // Zero or less on a logarithmic axis goes to the control edge, not an error.
  EXPECT_EQ(MapWorld(fl, log, 0, H), H);
  EXPECT_EQ(MapWorld(fl, log, -3, H), H);
  EXPECT_NEAR(MapPixel(fl, log, 90), 100.0, 1e-9);
}

TEST(LayerMapping, FarValuesAreLimitedAndTiesGoToEven) {
  const TAxisRange x{0, 1, false};
  const TAxisFactors f = CalcHorizontalFactors(W, ML, MR, 0, x);
  EXPECT_EQ(MapWorld(f, x, 1e300, 0), 2147483647);
  EXPECT_EQ(MapWorld(f, x, -1e300, 0), -2147483647);
  EXPECT_EQ(MapWorld(f, x, std::numeric_limits<double>::infinity(), 0), 2147483647);
  EXPECT_EQ(MapWorld(f, x, std::nan(""), 0), 0);
  EXPECT_EQ(RoundPixel(2.5L), 2);
  EXPECT_EQ(RoundPixel(3.5L), 4);
  EXPECT_EQ(RoundPixel(-2.5L), -2);
  EXPECT_EQ(RoundPixel(2.5000001L), 3);
  EXPECT_EQ(RoundPixel(-3.5L), -4);
  EXPECT_EQ(RoundPixel(-0.5L), 0);
  EXPECT_EQ(RoundPixel(0.4999999L), 0);
  EXPECT_EQ(RoundPixel(-2.5000001L), -3);
  EXPECT_EQ(RoundPixel(-2.4999999L), -2);
  EXPECT_EQ(RoundPixel(2147483646.5L), 2147483646);
  EXPECT_EQ(RoundPixel(-2147483646.5L), -2147483646);
}

TEST(LayerMapping, NoExtentMapsEverythingToTheMiddle) {
  const TAxisRange x{0, 1, false};
  // Narrower than ML + MR + SW.
  const TAxisFactors f = CalcHorizontalFactors(60, ML, MR, 0, x);
  EXPECT_EQ(f.Factor, 0);
  for (double v : {-1e9, 0.0, 0.5, 1e9})
    EXPECT_EQ(MapWorld(f, x, v, 0), 30);
  const TAxisFactors fy = CalcVerticalFactors(57, MT, MB, 0, x);
  EXPECT_EQ(MapWorld(fy, x, 3, 57), 28); // 28.5 rounds to even
  // An empty range does the same instead of dividing by zero.
  const TAxisRange empty{2, 2, false};
  EXPECT_EQ(MapWorld(CalcHorizontalFactors(W, ML, MR, 0, empty), empty, 2, 0), 140);
}

TEST(LayerMapping, PixelToWorldInvertsTheMapping) {
  const TAxisRange x{-3, 7, false};
  const TAxisFactors f = CalcHorizontalFactors(W, ML, MR, 0, x);
  EXPECT_DOUBLE_EQ(MapPixel(f, x, 50), -3.0);
  EXPECT_DOUBLE_EQ(MapPixel(f, x, 260), 7.0);
  EXPECT_DOUBLE_EQ(MapPixel(f, x, 155), 2.0);
}

TEST(LayerMapping, LogarithmicAxisReachingZeroFallsBackToLinear) {
  const TAxisRange y{0, 100, true};
  const TAxisFactors f = CalcVerticalFactors(H, MT, MB, 0, y);
  EXPECT_TRUE(f.LinearFallback);
  EXPECT_TRUE(std::isfinite(static_cast<double>(f.Factor)));
  EXPECT_EQ(MapWorld(f, y, 100, H), 20);
  EXPECT_EQ(MapWorld(f, y, 50, H), 90);
  EXPECT_EQ(MapWorld(f, y, 0, H), 160);
  EXPECT_DOUBLE_EQ(MapPixel(f, y, 90), 50.0);
}

} // namespace
