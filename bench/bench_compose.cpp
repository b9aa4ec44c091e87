// Cost of composing the heaviest picture (20 snapshots, the band and the peak
// curve: 4679 items) into a chart that is not painted: once with nothing kept
// (4158 evaluations of the model), once as a repeated composition finds it
// (the samples of every temperature kept). Next to them a bare loop that
// evaluates the same densities and stores the same number of records into a
// preallocated array; the ratio of the first and last medians shows what the
// display list and the chart add to the physics.
#include "chart/rchart.h"
#include "simulation/blackbody.h"
#include "simulation/curve_cache.h"
#include "simulation/plot_composer.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

TPlotInputs HeaviestInputs() {
  TPlotInputs in;
  in.Temperature = 5000;
  for (int i = 0; i < 20; ++i)
    in.Snapshots.push_back(std::uint16_t(500 + 450 * i));
  in.ShowPeakCurve = true;
  in.ShowBand = true;
  in.YLow = 0;
  in.YHigh = 1e7;
  in.BandText = "visible light";
  in.LabelFormat = "%d K";
  return in;
}

const TPeakTable &Peaks() {
  static const TPeakTable table = [] {
    TPeakTable t{};
    FillPeakTable(t);
    return t;
  }();
  return table;
}

void BM_ComposePlotHeaviest(benchmark::State &state) {
  TRChart chart(nullptr); // never shown: its window does not exist, so nothing paints
  chart.SetAutoRedraw(false);
  const TPlotInputs in = HeaviestInputs();
  const bool fresh = state.range(0) == 0;
  for (auto _ : state) {
    if (fresh) SharedCurveCache().Clear();
    ComposePlot(chart, in, Peaks());
    benchmark::DoNotOptimize(chart.ItemCount());
  }
  if (chart.ItemCount() != 4679) state.SkipWithError("unexpected item count");
}
BENCHMARK(BM_ComposePlotHeaviest)
    ->ArgName("kept")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

GraphItem Record(double X, double Y, TColor Colour, TGraphItemKind Kind) {
  GraphItem g;
  g.X1 = X;
  g.Y1 = Y;
  g.Color = Colour;
  g.Kind = Kind;
  g.Layer = 1;
  return g;
}

void StoreCurve(GraphItem *&out, std::uint16_t T, TColor colour) {
  double lambda = 1e-7;
  *out++ = Record(lambda * 1e9, 0, colour, ikMoveTo);
  while (lambda <= 1e-5) {
    GraphItem &g = *out++;
    g.X1 = lambda * 1e9;
    g.Y1 = SpectralEnergyDensity(lambda, T);
    g.Color = colour;
    g.Kind = ikDrawTo;
    lambda += 5e-8;
  }
}

void BM_BareLoopSameWork(benchmark::State &state) {
  const TPlotInputs in = HeaviestInputs();
  std::vector<GraphItem> records(4679);
  for (auto _ : state) {
    GraphItem *out = records.data();
    GraphItem band = Record(380, 0, BandColor, ikRectangle);
    band.X2 = 770;
    band.Y2 = in.YHigh;
    *out++ = band;
    *out++ = Record(480, in.YHigh * 0.97, BandTextColor, ikText);
    *out++ = Record(36000, Peaks()[0], PeakCurveColor, ikMoveTo);
    for (int i = 1; i < PeakTableSize; ++i) {
      GraphItem &g = *out++;
      g.X1 = PeakWavelength(unsigned(PeakTableTemperature(i))) * 1e9;
      g.Y1 = Peaks()[std::size_t(i)];
      g.Kind = ikDrawTo;
    }
    for (std::uint16_t t : in.Snapshots)
      StoreCurve(out, t, SnapshotColor);
    StoreCurve(out, in.Temperature, CurrentCurveColor);
    const double peak = PeakWavelength(in.Temperature) * 1e9;
    *out++ = Record(peak, in.YLow, PeakLineColor, ikMoveTo);
    *out++ = Record(peak, in.YHigh, PeakLineColor, ikDrawTo);
    benchmark::DoNotOptimize(records.data());
    benchmark::ClobberMemory();
    if (out != records.data() + records.size()) state.SkipWithError("unexpected record count");
  }
}
BENCHMARK(BM_BareLoopSameWork)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
