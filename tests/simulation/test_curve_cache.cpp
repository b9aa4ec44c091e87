// What a composition keeps between temperature steps: the Planck samples of
// each curve (evaluated again only for a temperature not kept) and, in the
// chart, the pixels of the curves (worked out again when a curve's
// temperature or the energy axis changes). The display list and the picture
// are those of a composition that keeps nothing.
#include "chart/rchart.h"
#include "platform/bitmap.h"
#include "simulation/blackbody.h"
#include "simulation/chart_setup.h"
#include "simulation/curve_cache.h"
#include "simulation/plot_composer.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

void SetUpChart(TRChart &C, double YHigh) {
  C.HandleNeeded();
  C.SetAutoRedraw(false);
  C.SetBounds(0, 0, 640, 480);
  PrepareSnapshotLabels(C);
  C.Scale1X()->SetRangeHigh(10000);
  C.Scale1Y()->SetRangeLow(EnergyRangeLow);
  C.Scale1Y()->SetRangeHigh(YHigh);
}

class CurveCache : public ::testing::Test {
protected:
  CurveCache() : chart(nullptr) {
    FillPeakTable(peaks);
    SetUpChart(chart, 3e7);
    in.Temperature = 5000;
    in.Snapshots = {1200, 2500, 4000};
    in.ShowPeakCurve = true;
    in.ShowBand = true;
    in.YLow = EnergyRangeLow;
    in.YHigh = 3e7;
    in.BandText = "visible light";
    in.LabelFormat = "%d K";
    Compose();
  }
  void Compose() {
    evaluations = SharedCurveCache().Evaluations();
    mapped = chart.MappedRunCount();
    ComposePlot(chart, in, peaks);
  }
  std::uint64_t Evaluated() const { return SharedCurveCache().Evaluations() - evaluations; }
  std::uint64_t Mapped() const { return chart.MappedRunCount() - mapped; }

  // The display list and picture of a new chart composing the same inputs
  // with nothing kept anywhere.
  void ExpectSameAsFresh() {
    SharedCurveCache().Clear();
    TRChart fresh(nullptr);
    SetUpChart(fresh, chart.Scale1Y()->RangeHigh());
    fresh.Scale1Y()->SetLogarithmic(chart.Scale1Y()->Logarithmic());
    ComposePlot(fresh, in, peaks);
    ASSERT_EQ(fresh.ItemCount(), chart.ItemCount());
    for (int i = 0; i < chart.ItemCount(); ++i)
      ASSERT_EQ(std::memcmp(&fresh.Items(i), &chart.Items(i), sizeof(GraphItem)), 0) << i;
    EXPECT_TRUE(fresh.FullBitmap().Image() == chart.FullBitmap().Image());
  }

  TPeakTable peaks{};
  TPlotInputs in;
  TRChart chart;
  std::uint64_t evaluations = 0, mapped = 0;
};

TEST_F(CurveCache, AStepEvaluatesAndMapsOnlyTheCurrentCurve) {
  in.Temperature = 5001;
  Compose();
  EXPECT_EQ(Evaluated(), 1u);
  EXPECT_EQ(Mapped(), 1u); // the snapshots and the peak curve keep their pixels
  ExpectSameAsFresh();
  Compose(); // nothing moved
  EXPECT_EQ(Evaluated(), 0u);
  EXPECT_EQ(Mapped(), 0u);
}

TEST_F(CurveCache, ASnapshotWhoseTemperatureChangesIsEvaluatedAndMappedAnew) {
  in.Snapshots[1] = 2600;
  Compose();
  EXPECT_EQ(Evaluated(), 1u);
  EXPECT_EQ(Mapped(), 1u);
  ExpectSameAsFresh();
}

TEST_F(CurveCache, TheEnergyAxisRemapsEveryCurveWithoutEvaluatingOne) {
  // The top of the linear axis (the window's track bar), then the switch to
  // the logarithmic axis; each repaints at once and is composed again.
  chart.Scale1Y()->SetRangeHigh(1e7);
  in.YHigh = 1e7;
  Compose();
  EXPECT_EQ(Evaluated(), 0u);
  ExpectSameAsFresh();
  chart.Scale1Y()->SetRangeHigh(1e10);
  chart.Scale1Y()->SetLogarithmic(true);
  in.YHigh = 1e10;
  in.LogScale = true;
  Compose();
  EXPECT_EQ(Evaluated(), 0u);
  EXPECT_EQ(Mapped(), 0u); // the axis change itself already mapped them
  ExpectSameAsFresh();
  const std::uint64_t before = chart.MappedRunCount();
  chart.Scale1Y()->SetRangeHigh(1e9);
  EXPECT_EQ(chart.MappedRunCount() - before, 5u); // peak curve, three snapshots, current
}

TEST_F(CurveCache, KeptSamplesAreTheLawsAndTheOldestGoFirst) {
  TCurveCache cache;
  const TSampleGrid &grid = CurveSampleGrid();
  EXPECT_EQ(grid.Nanometres.front(), 100.0);
  EXPECT_NEAR(grid.Nanometres.back(), 9950.0, 1e-6);
  for (std::uint16_t t = 100; t < 100 + TCurveCache::Capacity; ++t)
    cache.Samples(t);
  EXPECT_EQ(cache.Evaluations(), TCurveCache::Capacity);
  cache.Samples(100);  // used again: now the most recent
  cache.Samples(9000); // pushes out 101, the least recently used
  EXPECT_EQ(cache.Evaluations(), TCurveCache::Capacity + 1);
  cache.Samples(100);
  EXPECT_EQ(cache.Evaluations(), TCurveCache::Capacity + 1);
  const TCurveSamples &s = cache.Samples(101);
  EXPECT_EQ(cache.Evaluations(), TCurveCache::Capacity + 2);
  double largest = 0;
  for (std::size_t i = 0; i < grid.Metres.size(); ++i) {
    ASSERT_EQ(s.Density[i], SpectralEnergyDensity(grid.Metres[i], 101));
    largest = std::max(largest, s.Density[i]);
  }
  EXPECT_EQ(s.MaxDensity, largest);
}

} // namespace
