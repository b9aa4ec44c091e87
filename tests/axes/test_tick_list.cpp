// The tick list of an axis: values, kinds, lengths, sides, labels and
// positions, computed without a canvas.
#include "axes/scale_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include "tick_helpers.h"

namespace {

TScaleState Axis(double low, double high, TScaleType type = sctXT) {
  TScaleState s;
  s.ScaleType = type;
  s.RangeLow = low;
  s.RangeHigh = high;
  CalcScaleFactors(s);
  return s;
}

void ExpectValues(const std::vector<double> &actual, const std::vector<double> &expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i)
    EXPECT_NEAR(actual[i], expected[i], 1e-9 * (1 + std::fabs(expected[i]))) << "index " << i;
}

} // namespace

TEST(LinearTicks, ZeroToTenThousand) {
  const auto ticks = ComputeTicks(Axis(0, 10000));
  ExpectValues(Values(ticks, true), {0, 2000, 4000, 6000, 8000, 10000});
  std::vector<double> shorts;
  for (int v = 0; v <= 10000; v += 500)
    shorts.push_back(v);
  ExpectValues(Values(ticks, false), shorts);
  EXPECT_EQ(Labels(ticks),
            (std::vector<std::string>{"0", "2000", "4000", "6000", "8000", "10000"}));
  // Short ticks come first and are the recorded ones; majors are reported.
  EXPECT_FALSE(ticks.front().Major);
  for (const TTick &t : ticks) {
    EXPECT_EQ(t.Recorded, !t.Major);
    EXPECT_EQ(t.Notify, t.Major);
  }
}

TEST(LinearTicks, WithoutShortTicksMajorsAreRecorded) {
  TScaleState s = Axis(0, 10000);
  s.ShortTicks = false;
  const auto ticks = ComputeTicks(s);
  ASSERT_EQ(ticks.size(), 6u);
  for (const TTick &t : ticks)
    EXPECT_TRUE(t.Major && t.Recorded);
}

TEST(LinearTicks, LabelsAndDecimalsFollowTheSpan) {
  auto ticks = ComputeTicks(Axis(0, 150));
  EXPECT_EQ(Labels(ticks),
            (std::vector<std::string>{"0", "20", "40", "60", "80", "100", "120", "140"}));
  ticks = ComputeTicks(Axis(0, 1));
  EXPECT_EQ(Labels(ticks),
            (std::vector<std::string>{"0.00", "0.20", "0.40", "0.60", "0.80", "1.00"}));
  ticks = ComputeTicks(Axis(0, 2e6));
  EXPECT_EQ(Labels(ticks),
            (std::vector<std::string>{"0.0", " 5.0E+05", " 1.0E+06", " 1.5E+06", " 2.0E+06"}));
  // A negative zero in the making still reads as zero.
  ticks = ComputeTicks(Axis(-0.6, 0.6));
  EXPECT_EQ(Labels(ticks),
            (std::vector<std::string>{"-0.60", "-0.40", "-0.20", "0.00", "0.20", "0.40", "0.60"}));
}

TEST(LinearTicks, NearZeroSnapsAndDecPlacesZeroHidesFractions) {
  const TScaleState s = Axis(-1, 1);
  EXPECT_EQ(NumericTickLabel(s, 1e-17, 2, false, false, 1), "0.00");
  EXPECT_EQ(NumericTickLabel(s, -1e-15, 2, false, false, 1), "0.00");

  TScaleState z = Axis(0, 1);
  z.DecPlaces = 0;
  EXPECT_EQ(Labels(ComputeTicks(z)), (std::vector<std::string>{"0", "", "", "", "", "1"}));

  // Labels are cut to 14 characters.
  TScaleState wide = Axis(0, 1);
  wide.DecPlaces = 12;
  EXPECT_EQ(Labels(ComputeTicks(wide))[1], "0.200000000000");
  wide.RangeLow = 1000;
  wide.RangeHigh = 1001;
  CalcScaleFactors(wide);
  EXPECT_EQ(Labels(ComputeTicks(wide))[0], "1000.000000000");
}

TEST(LinearTicks, UserTextsAndInscript) {
  TScaleState s = Axis(0, 8); // step 2: five majors
  s.LabelType = ftUserText;
  s.UserTickText = "Jan|Feb|Mar";
  s.ScaleInscript = "& nm";
  EXPECT_EQ(Labels(ComputeTicks(s)), (std::vector<std::string>{"Jan", "Feb", "Mar", "Mar", "Mar"}));
  s.LabelType = ftNum;
  EXPECT_EQ(Labels(ComputeTicks(s))[1], "2.0 nm");
  s.LabelType = ftNoFigs;
  EXPECT_TRUE(Labels(ComputeTicks(s)).empty());
  // Date/time label types draw their own ladders: days 0 .. 8 every
  // second day, 0 .. 8 seconds every two seconds.
  s.LabelType = ftDateTime;
  EXPECT_EQ(Labels(ComputeTicks(s)),
            (std::vector<std::string>{"31-Dec-1899", "02-Jan-1900", "04-Jan-1900", "06-Jan-1900"}));
  s.LabelType = ftTime;
  EXPECT_EQ(Labels(ComputeTicks(s)).size(), 5u);
}

TEST(LinearTicks, ReversedRangeGivesDescendingTicks) {
  const auto ticks = ComputeTicks(Axis(10000, 0));
  ExpectValues(Values(ticks, true), {10000, 8000, 6000, 4000, 2000, 0});
  const auto shorts = Values(ticks, false);
  ASSERT_EQ(shorts.size(), 21u);
  EXPECT_DOUBLE_EQ(shorts.front(), 10000);
  EXPECT_DOUBLE_EQ(shorts.back(), 0);
  // Descending values grow to the left on a horizontal axis.
  EXPECT_GT(ticks.back().Foot.X, ticks[ticks.size() - 2].Foot.X);

  TScaleState z = Axis(10, 0);
  z.MinTicks = 0;
  ExpectValues(Values(ComputeTicks(z), true), {10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0});
}

TEST(LinearTicks, LengthsSidesAndFeetPerScaleType) {
  struct Case {
    TScaleType type;
    int major;
    TPoint dir;
  };
  for (const Case &c : {Case{sctXB, 7, {0, -1}}, Case{sctXT, 7, {0, 1}}, Case{sctYL, 6, {1, 0}},
                        Case{sctYR, 6, {-1, 0}}}) {
    SCOPED_TRACE(c.type);
    const TScaleState s = Axis(0, 10000, c.type);
    const int axis = AxisLinePosition(s);
    for (const TTick &t : ComputeTicks(s)) {
      const int len = t.Major ? c.major : 4;
      EXPECT_EQ(t.Length, len);
      EXPECT_EQ(t.Tip.X - t.Foot.X, c.dir.X * len);
      EXPECT_EQ(t.Tip.Y - t.Foot.Y, c.dir.Y * len);
      EXPECT_EQ(IsHorizontalScale(c.type) ? t.Foot.Y : t.Foot.X, axis);
    }
  }
  // Ends of the drawable length: margins 20 on a 400-pixel control.
  const auto h = ComputeTicks(Axis(0, 10000, sctXB));
  EXPECT_EQ(h.back().Foot.X, 379);
  EXPECT_EQ(h.back().Foot.Y, 379);
  const auto v = ComputeTicks(Axis(0, 10000, sctYL));
  EXPECT_EQ(v.back().Foot, (TPoint{20, 20}));
  EXPECT_EQ(v[v.size() - 6].Foot, (TPoint{20, 379}));
}

TEST(LogTicks, DecadesOnlyOrWithTwoAndFive) {
  TScaleState s = Axis(1, 1000);
  s.Logarithmic = true;
  CalcScaleFactors(s);
  auto ticks = ComputeTicks(s);
  ExpectValues(Values(ticks, true), {1, 10, 100, 1000});
  EXPECT_TRUE(Values(ticks, false).empty());
  EXPECT_EQ(Labels(ticks), (std::vector<std::string>{"1", "10", "100", "1000"}));

  s.MinTicks = 5;
  ticks = ComputeTicks(s);
  ExpectValues(Values(ticks, true), {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000});
  EXPECT_EQ(Values(ticks, false).size(), 18u);
  for (const TTick &t : ticks) {
    EXPECT_TRUE(t.Recorded && t.Notify);
    EXPECT_EQ(t.Length, t.Major ? 7 : 4);
  }
  s.ShortTicks = false;
  EXPECT_TRUE(Values(ComputeTicks(s), false).empty());

  // Every logarithmic tick on a vertical axis is 6 pixels long.
  s.ShortTicks = true;
  s.ScaleType = sctYR;
  CalcScaleFactors(s);
  for (const TTick &t : ComputeTicks(s))
    EXPECT_EQ(t.Length, 6);
}

TEST(LogTicks, LabelForms) {
  TScaleState s = Axis(0.01, 100);
  s.Logarithmic = true;
  CalcScaleFactors(s);
  EXPECT_EQ(Labels(ComputeTicks(s)), (std::vector<std::string>{"0.01", "0.1", "1", "10", "100"}));

  // Exponent-only labels; the 2x and 5x majors stay blank.
  s.DecPlaces = -3;
  s.MinTicks = 10;
  auto labels = Labels(ComputeTicks(s));
  ASSERT_EQ(labels.size(), 13u);
  EXPECT_EQ(labels[0], "-2");
  EXPECT_EQ(labels[1], "");
  EXPECT_EQ(labels[2], "");
  EXPECT_EQ(labels[3], "-1");
  EXPECT_EQ(labels[12], "2");

  // Reversed logarithmic range: ticks still run from the low value up.
  TScaleState r = Axis(1000, 1);
  r.Logarithmic = true;
  CalcScaleFactors(r);
  ExpectValues(Values(ComputeTicks(r), true), {1, 10, 100, 1000});
}

TEST(LogTicks, UnderOneDecadeFallsBackToLinear) {
  TScaleState s = Axis(2, 15);
  s.Logarithmic = true;
  CalcScaleFactors(s);
  ExpectValues(Values(ComputeTicks(s), true), {2, 4, 6, 8, 10, 12, 14});
}

TEST(LogTicks, RangeReachingZeroDrawsNoTicks) {
  TScaleState s = Axis(1, 1000);
  s.Logarithmic = true;
  CalcScaleFactors(s);
  const double factor = s.Factor;
  s.RangeLow = 0;
  CalcScaleFactors(s);
  EXPECT_EQ(s.Factor, factor); // keeps the last usable mapping
  EXPECT_TRUE(ComputeTicks(s).empty());
  s.RangeLow = -5;
  EXPECT_TRUE(ComputeTicks(s).empty());
  EXPECT_EQ(ValueToPixel(s, 0), 0);
  EXPECT_EQ(ValueToPixel(s, -3), 0);
}

TEST(Ticks, AbsurdSettingsStayBounded) {
  TScaleState s = Axis(0, 1e12);
  s.MinTicks = 0;
  const auto ticks = ComputeTicks(s);
  EXPECT_LE(ticks.size(), std::size_t(2 * MaxTicksPerLoop));
  TScaleState f = Axis(1e20, 1e20 + 1e5);
  f.MinTicks = 0; // a step of 1 is lost in the rounding of 1e20
  EXPECT_LE(ComputeTicks(f).size(), std::size_t(2 * MaxTicksPerLoop));
  TScaleState e = Axis(5, 5);
  EXPECT_TRUE(ComputeTicks(e).empty());
  TScaleState big = Axis(-1e308, 1e308);
  EXPECT_TRUE(ComputeTicks(big).empty());
}

TEST(Mapping, ValueToPixelClampsAndRoundsToEven) {
  TScaleState s = Axis(0, 10000, sctXB);
  EXPECT_EQ(ValueToPixel(s, 0), 20);
  EXPECT_EQ(ValueToPixel(s, 10000), 379);
  EXPECT_EQ(ValueToPixel(s, 1e300), 2147483647);
  EXPECT_EQ(ValueToPixel(s, -1e300), -2147483647);
  s.Factor = 1;
  s.Offset = 0;
  EXPECT_EQ(ValueToPixel(s, 2.5), 2);
  EXPECT_EQ(ValueToPixel(s, 3.5), 4);

  TScaleState v = Axis(0, 100, sctYR);
  EXPECT_EQ(ValueToPixel(v, 100), 20);
  EXPECT_EQ(ValueToPixel(v, 0), 379);
  // Too small a control: everything maps to the middle.
  TScaleState tiny = Axis(0, 100, sctXB);
  tiny.Width = 30;
  CalcScaleFactors(tiny);
  EXPECT_EQ(ValueToPixel(tiny, 77), 15);
  // Logarithmic values at or below 1e-100 go to the low end.
  TScaleState lg = Axis(1, 100, sctYL);
  lg.Logarithmic = true;
  CalcScaleFactors(lg);
  EXPECT_EQ(ValueToPixel(lg, 10), 200);
  EXPECT_EQ(ValueToPixel(lg, 0), 400);
  lg.RangeLow = 100;
  lg.RangeHigh = 1;
  EXPECT_EQ(ValueToPixel(lg, 0), 0);
}

TEST(Placement, HorizontalLabelsStayInsideBothEnds) {
  TScaleState s = Axis(0, 10, sctXT);
  TTick t;
  t.Foot = {100, AxisLinePosition(s)};
  EXPECT_EQ(TickLabelOrigin(s, t, {30, 13}, 13), (TPoint{85, 20 + 7}));
  t.Foot.X = 5; // would start left of x = 2
  EXPECT_EQ(TickLabelOrigin(s, t, {30, 13}, 13).X, 2);
  t.Foot.X = 1; // even the tick itself is left of 2: centred limit turns around
  EXPECT_EQ(TickLabelOrigin(s, t, {30, 13}, 13).X, 2);
  t.Foot.X = 385; // right half would cross W - 2
  EXPECT_EQ(TickLabelOrigin(s, t, {30, 13}, 13).X, 400 - 30 - 2);

  s.ScaleType = sctXB;
  t.Foot = {100, AxisLinePosition(s)};
  EXPECT_EQ(TickLabelOrigin(s, t, {30, 13}, 13).Y, 379 - 13 - 7);
}

TEST(Placement, VerticalLabelsBesideTheLine) {
  TScaleState s = Axis(0, 10, sctYR);
  TTick t;
  t.Foot = {AxisLinePosition(s), 200};
  EXPECT_EQ(TickLabelOrigin(s, t, {30, 15}, 13), (TPoint{379 - 30 - 8, 200 - 6}));
  s.ScaleType = sctYL;
  t.Foot = {AxisLinePosition(s), 200};
  EXPECT_EQ(TickLabelOrigin(s, t, {30, 15}, 13), (TPoint{20 + 8, 194}));
}
