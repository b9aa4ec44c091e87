// Fitting the energy axis and moving the wavelength view, as plain numbers:
// the drawn curve's highest point agrees with what the composer draws, the
// fitted step is the smallest that holds the curves, the automatic mode does
// not jump at a step's edge, and views stay within 0 ... 10000 nm.
#include "chart/rchart.h"
#include "simulation/energy_axis.h"
#include "simulation/energy_fit.h"
#include "simulation/plot_composer.h"
#include "simulation/wavelength_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

/// Highest DrawTo point of Colour's lines between Lo and Hi nm in the chart.
double DrawnMax(const TRChart &Chart, TColor Colour) {
  double top = 0;
  for (int i = 0; i < Chart.ItemCount(); ++i) {
    const GraphItem &it = Chart.Items(i);
    if (it.Kind == ikDrawTo && it.Color == Colour) top = std::max(top, it.Y1);
  }
  return top;
}

TEST(EnergyFit, DrawnPeakIsTheHighestPointTheComposerDraws) {
  TRChart chart(nullptr);
  TPeakTable peaks{};
  FillPeakTable(peaks);
  for (std::uint16_t t : {80, 310, 898, 1900, 5772, 9940, 10000}) {
    TPlotInputs in;
    in.Temperature = t;
    in.LabelFormat = "%d K";
    ComposePlot(chart, in, peaks);
    EXPECT_DOUBLE_EQ(DrawnCurvePeak(t, 0, 10000), DrawnMax(chart, CurrentCurveColor)) << t;
  }
  // Inside a zoomed view the line is cut where the view ends: at 898 K the
  // curve rises through 1000 ... 2000 nm, so its top there is at 2000 nm.
  EXPECT_DOUBLE_EQ(DrawnCurvePeak(898, 1000, 2000), SpectralEnergyDensity(2e-6, 898));
  const double mid = DrawnCurvePeak(898, 1025, 1025);
  EXPECT_GT(mid, SpectralEnergyDensity(1e-6, 898));
  EXPECT_LT(mid, SpectralEnergyDensity(1.05e-6, 898));
  EXPECT_EQ(DrawnCurvePeak(898, 20000, 30000), 0);
}

/// The highest point of the drawn line between Lo and Hi, segment by
/// segment over the whole grid.
double BruteForcePeak(std::uint16_t T, double Lo, double Hi) {
  double peak = 0, px = 100, py = 0;
  for (double lambda = 1e-7; lambda <= 1e-5; lambda += 5e-8) {
    const double x = lambda * 1e9, y = SpectralEnergyDensity(lambda, T);
    if (x >= Lo && px <= Hi) {
      const double a = std::max(px, Lo), b = std::min(x, Hi);
      auto at = [&](double X) { return x == px ? std::max(py, y) : py + (y - py) * (X - px) / (x - px); };
      peak = std::max({peak, at(a), at(b)});
    }
    px = x;
    py = y;
  }
  return peak;
}

TEST(EnergyFit, DrawnPeakAgreesWithASegmentBySegmentSearchInAnyView) {
  const double views[][2] = {{0, 10000}, {0, 100}, {100, 100}, {0, 99},   {9950, 10000},
                             {9960, 10000}, {300, 700}, {1000, 1033}, {4321, 8765}, {5000, 5010}};
  for (int t = 80; t <= 10000; t += 97)
    for (const auto &v : views)
      ASSERT_DOUBLE_EQ(DrawnCurvePeak(std::uint16_t(t), v[0], v[1]), BruteForcePeak(std::uint16_t(t), v[0], v[1]))
          << t << " K in " << v[0] << " ... " << v[1];
}

TEST(EnergyFit, FittedStepIsTheSmallestAboveEveryCurveShown) {
  TPeakTable peaks{};
  FillPeakTable(peaks);
  for (std::uint16_t t : {310, 898, 2700, 5772, 9940}) {
    TShownCurves shown;
    shown.Temperature = t;
    const double top = DrawnCurvePeak(t, 0, 10000);
    const int p = FittedTrackBarPosition(shown, peaks, 0, 10000);
    EXPECT_GE(TrackBarRangeHigh(p), top) << t;
    EXPECT_LT(TrackBarRangeHigh(p - 1), top) << t;
  }
  // The Sun's curve peaks at about 1.1e6: 10^6.1 holds it.
  TShownCurves sun;
  sun.Temperature = 5772;
  EXPECT_EQ(FittedTrackBarPosition(sun, peaks, 0, 10000), 61);
  // A hotter snapshot and the peak curve count as well.
  sun.Snapshots = {9000};
  EXPECT_EQ(FittedTrackBarPosition(sun, peaks, 0, 10000),
            FittingTrackBarPosition(DrawnCurvePeak(9000, 0, 10000)));
  sun.ShowPeakCurve = true;
  EXPECT_EQ(FittedTrackBarPosition(sun, peaks, 0, 10000), FittingTrackBarPosition(peaks.back()));
  // Beyond the grid nothing is shown: the lowest step.
  EXPECT_EQ(FittedTrackBarPosition({}, peaks, 20000, 30000), EnergyStepMin);
  EXPECT_EQ(FittingTrackBarPosition(1e20), EnergyStepMax);
}

TEST(EnergyFit, AutomaticStepRisesAtOnceAndFallsOnlyWithRoomToSpare) {
  const double edge = TrackBarRangeHigh(30);
  // Above the top: up to the fitting step at once, however far.
  EXPECT_EQ(AutoFitPosition(30, edge * 1.001), 31);
  EXPECT_EQ(AutoFitPosition(10, edge * 1.001), 31);
  // Just below the next lower top: stays, so a curve at the edge does not
  // make the axis flip between two steps.
  EXPECT_EQ(AutoFitPosition(31, edge * 0.999), 31);
  EXPECT_EQ(AutoFitPosition(31, edge / 1.04), 31);
  // Well below: down to the step that holds it with room to spare.
  EXPECT_EQ(AutoFitPosition(31, edge / 1.06), 30);
  EXPECT_EQ(AutoFitPosition(60, edge / 1.06), 30);
  // Fits exactly where it stands.
  EXPECT_EQ(AutoFitPosition(30, edge), 30);

  EXPECT_TRUE(CurveAboveTop(1.1e6, 158.5, false));
  EXPECT_FALSE(CurveAboveTop(1.1e6, 158.5, true));
  EXPECT_FALSE(CurveAboveTop(99.7, 158.5, false));
}

TEST(WavelengthView, ZoomAndPanStayWithinTheFullRange) {
  // Zooming about a point keeps that point where it is.
  const TWavelengthView z = ZoomWavelengthView(FullWavelengthView, 2, 500);
  EXPECT_DOUBLE_EQ(z.Low, 250);
  EXPECT_DOUBLE_EQ(z.High, 5250);
  // Out beyond the full range gives the full range.
  const TWavelengthView out = ZoomWavelengthView(z, 0.25, 500);
  EXPECT_DOUBLE_EQ(out.Low, 0);
  EXPECT_DOUBLE_EQ(out.High, 10000);
  // Panning past an end keeps the span and stops at the end.
  const TWavelengthView left = PanWavelengthView({100, 1100}, -0.5);
  EXPECT_DOUBLE_EQ(left.Low, 0);
  EXPECT_DOUBLE_EQ(left.High, 1000);
  const TWavelengthView right = PanWavelengthView({8500, 9500}, 1);
  EXPECT_DOUBLE_EQ(right.Low, 9000);
  EXPECT_DOUBLE_EQ(right.High, 10000);
  // Too narrow, reversed or broken views are made sound.
  const TWavelengthView narrow = LimitWavelengthView({500, 501});
  EXPECT_DOUBLE_EQ(narrow.High - narrow.Low, MinWavelengthSpan);
  EXPECT_DOUBLE_EQ(narrow.Low + narrow.High, 1001);
  const TWavelengthView reversed = LimitWavelengthView({2000, 1000});
  EXPECT_DOUBLE_EQ(reversed.Low, 1000);
  EXPECT_DOUBLE_EQ(reversed.High, 2000);
  const TWavelengthView broken = LimitWavelengthView({NAN, 5});
  EXPECT_DOUBLE_EQ(broken.Low, 0);
  EXPECT_DOUBLE_EQ(broken.High, 10000);
  EXPECT_DOUBLE_EQ(ZoomWavelengthView(z, 0, 1).Low, z.Low);
}

} // namespace
