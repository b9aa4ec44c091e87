#include "simulation/plot_composer.h"

#include "chart/rchart.h"
#include "platform/strings.h"
#include "simulation/curve_cache.h"
#include "simulation/label_format.h"

namespace {
constexpr double kToNanometres = 1e9;
} // namespace

void DrawCurve(TRChart &Chart, std::uint16_t T, std::uint8_t LabelIndex,
               const std::string &LabelFormat) {
  const double lambdaPeak = PeakWavelength(T);
  // The samples of a temperature never change, so a snapshot drawn again at
  // the next step comes from the cache instead of the law.
  const TCurveSamples &u = SharedCurveCache().Samples(T);
  const TSampleGrid &grid = CurveSampleGrid();
  Chart.MoveTo(grid.Nanometres[0], 0);
  for (std::size_t i = 0; i < grid.Nanometres.size(); ++i)
    Chart.DrawTo(grid.Nanometres[i], u.Density[i]);
  if (LabelIndex > 0) {
    TTextLabel *label = Chart.TextLabels(LabelIndex);
    label->SetPosX(lambdaPeak * kToNanometres);
    label->SetPosY(u.MaxDensity);
    label->SetCaption(FormatIntLabel(LabelFormat, T));
    label->SetTransparent(true);
    label->SetMode(tlShadow);
  }
}

void ComposePlot(TRChart &Chart, const TPlotInputs &In, const TPeakTable &Peaks) {
  Chart.ClearGraph();
  if (In.ShowBand) {
    Chart.SetDataColor(BandColor);
    Chart.SetFillColor(BandColor);
    Chart.Rectangle(380, 0, 770, In.YHigh);
    Chart.SetTextAlignment(taLeftJustify);
    Chart.SetDataColor(BandTextColor);
    const double y = In.LogScale ? In.YHigh * 0.2 : In.YHigh * 0.97;
    // The band text shares its translation with the check box's caption,
    // which may carry an accelerator mark.
    Chart.Text(480, y, 10, StripAccelChars(In.BandText));
  }
  if (In.ShowPeakCurve) {
    Chart.SetDataColor(PeakCurveColor);
    const std::array<double, PeakTableSize> &x = PeakCurveWavelengths();
    Chart.MoveTo(36000, Peaks[0]);
    for (std::size_t i = 1; i < x.size(); ++i)
      Chart.DrawTo(x[i], Peaks[i]);
  }
  const double lambdaPeak = PeakWavelength(In.Temperature);
  Chart.SetDataColor(SnapshotColor);
  std::uint8_t k = 0;
  for (std::uint16_t t : In.Snapshots)
    DrawCurve(Chart, t, ++k, In.LabelFormat);
  Chart.SetDataColor(CurrentCurveColor);
  DrawCurve(Chart, In.Temperature, 0, In.LabelFormat);
  Chart.SetDataColor(PeakLineColor);
  Chart.SetPenStyle(psDot);
  Chart.MoveTo(lambdaPeak * kToNanometres, In.YLow);
  Chart.DrawTo(lambdaPeak * kToNanometres, In.YHigh);
  Chart.SetPenStyle(psSolid);
  Chart.ShowGraph();
}
