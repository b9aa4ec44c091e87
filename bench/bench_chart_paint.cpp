// Cost of one full repaint of the simulation's chart at 800 x 600 showing the
// 5800 K curve with the visible band, the peak curve and snapshots of 3000,
// 4000 and 5000 K on the linear energy axis, next to a floor: one fill of an
// 800 x 600 bitmap plus the very same polylines drawn with plain canvas calls.
// The polylines of the floor are captured from the chart's own drawing, so
// both sides draw identical lines; the ratio of the medians is what the rim,
// axes, labels, off-screen copies and the item walk add.
//
// With SPECTRION_PAINT_DEMO set to a file name the painted picture is also
// written there as a PNG.
#include "chart/rchart.h"
#include "platform/bitmap.h"
#include "simulation/blackbody.h"
#include "simulation/plot_composer.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

const TPeakTable &Peaks() {
  static const TPeakTable table = [] {
    TPeakTable t{};
    FillPeakTable(t);
    return t;
  }();
  return table;
}

// Top of the energy axis: the lowest track-bar setting 10^(p/10) that keeps
// the 5800 K curve inside the chart (10^6.1 for this model).
double EnergyTop() {
  double peak = 0;
  for (double lambda = 1e-7; lambda <= 1e-5; lambda += 5e-8)
    peak = std::max(peak, SpectralEnergyDensity(lambda, 5800));
  return std::pow(10.0, std::ceil(10 * std::log10(peak)) / 10);
}

// The simulation window's chart settings.
void SetUpChart(TRChart &Chart) {
  Chart.HandleNeeded();
  Chart.SetAutoRedraw(false);
  Chart.SetBounds(0, 0, 800, 600);
  Chart.SetMarginLeft(64);
  Chart.SetMarginRight(12);
  Chart.SetMarginTop(20);
  Chart.SetMarginBottom(40);
  Chart.SetGridStyle(gsNone);
  Chart.SetShadowStyle(ssFlying);
  Chart.SetShadowColor(clGrayText);
  Chart.SetShadowBakColor(clBtnFace);
  // The window keeps labels 1 ... 20 for snapshot captions.
  for (int i = 1; i <= 20; ++i)
    Chart.AddTextLabel(0, 0, 0xFF0000, "");
  for (int i = 1; i <= 20; ++i) {
    Chart.TextLabels(i)->SetTransparent(true);
    Chart.TextLabels(i)->SetMode(tlOff);
  }
  TScalePropsHoriz &x = *Chart.Scale1X();
  x.SetCaption("Wavelength [nm]");
  x.SetRangeLow(0);
  x.SetRangeHigh(10000);
  TScalePropsVert &y = *Chart.Scale1Y();
  y.SetCaption("Energy Density");
  y.SetRangeLow(9e-11);
  y.SetRangeHigh(EnergyTop());
}

TPlotInputs CompositionB(const TRChart &Chart) {
  TPlotInputs in;
  in.Temperature = 5800;
  in.Snapshots = {3000, 4000, 5000};
  in.ShowPeakCurve = true;
  in.ShowBand = true;
  in.LogScale = false;
  in.YLow = Chart.Scale1Y()->RangeLow();
  in.YHigh = Chart.Scale1Y()->RangeHigh();
  in.BandText = "visible light";
  in.LabelFormat = "%d K";
  return in;
}

/// One polyline as the chart drew it, in control pixels.
struct TCapturedLine {
  std::vector<TPoint> Points;
  TColor Color = 0;
  TPenStyle Style = psSolid;
  TColor Brush = 0;
};

std::vector<TCapturedLine> CaptureItemLines(TRChart &Chart) {
  TCanvasRecorder rec;
  Chart.DataBitmap().Canvas().SetRecorder(&rec);
  Chart.Repaint();
  Chart.DataBitmap().Canvas().SetRecorder(nullptr);
  std::vector<TCapturedLine> lines;
  for (const TCanvasRecord &r : rec.Records) {
    if (r.Kind != coPolyline || r.Points.size() == 5) continue; // 5 points: the frame
    TCapturedLine l;
    for (TPoint p : r.Points)
      l.Points.push_back({p.X + Chart.MarginLeft(), p.Y + Chart.MarginTop()});
    l.Color = r.PenColor;
    l.Style = r.PenStyle;
    l.Brush = r.BrushColor;
    lines.push_back(std::move(l));
  }
  return lines;
}

void BM_ChartFullPaint(benchmark::State &state) {
  TRChart chart(nullptr);
  SetUpChart(chart);
  ComposePlot(chart, CompositionB(chart), Peaks());
  if (const char *demo = std::getenv("SPECTRION_PAINT_DEMO")) chart.FullBitmap().SaveToFile(demo);
  const int before = chart.PaintCount();
  for (auto _ : state) {
    chart.Repaint();
    benchmark::ClobberMemory();
  }
  if (chart.PaintCount() - before != int(state.iterations()))
    state.SkipWithError("the chart did not paint");
  state.counters["items"] = chart.ItemCount();
}
BENCHMARK(BM_ChartFullPaint)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void BM_FloorFillAndSamePolylines(benchmark::State &state) {
  std::vector<TCapturedLine> lines;
  {
    TRChart chart(nullptr);
    SetUpChart(chart);
    ComposePlot(chart, CompositionB(chart), Peaks());
    lines = CaptureItemLines(chart);
  }
  TBitmap bitmap(800, 600);
  TCanvas &c = bitmap.Canvas();
  for (auto _ : state) {
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clBtnFace);
    c.FillRect(Rect(0, 0, 800, 600));
    for (const TCapturedLine &l : lines) {
      c.Pen().SetColor(l.Color);
      c.Pen().SetStyle(l.Style);
      c.Brush().SetColor(l.Brush);
      c.Polyline(l.Points.data(), int(l.Points.size()));
    }
    benchmark::ClobberMemory();
  }
  state.counters["polylines"] = double(lines.size());
}
BENCHMARK(BM_FloorFillAndSamePolylines)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// One same-size copy of an 800 x 600 bitmap with Draw: what a full paint no
// longer makes (the data area is drawn in place and the picture is shared
// with the control).
void BM_OneFullSizeDraw(benchmark::State &state) {
  TBitmap source(800, 600), target(800, 600);
  for (auto _ : state) {
    target.Canvas().Draw(0, 0, source);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_OneFullSizeDraw)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
