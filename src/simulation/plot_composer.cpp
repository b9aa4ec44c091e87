#include "simulation/plot_composer.h"

#include "chart/rchart.h"
#include "platform/strings.h"
#include "simulation/label_format.h"

namespace {
constexpr double kGridStart = 1e-7;
constexpr double kGridStep = 5e-8;
constexpr double kGridBound = 1e-5;
constexpr double kToNanometres = 1e9;
} // namespace

void DrawCurve(TRChart &Chart, std::uint16_t T, std::uint8_t LabelIndex,
               const std::string &LabelFormat) {
  const double lambdaPeak = PeakWavelength(T);
  double maxU = 0;
  double lambda = kGridStart;
  Chart.MoveTo(lambda * kToNanometres, 0);
  // The wavelength is accumulated, not recomputed from a counter: after the
  // 198th step it lies just above the bound, so no sample at 10000 nm is drawn.
  while (lambda <= kGridBound) {
    const double u = SpectralEnergyDensity(lambda, T);
    Chart.DrawTo(lambda * kToNanometres, u);
    if (u > maxU) maxU = u;
    lambda += kGridStep;
  }
  if (LabelIndex > 0) {
    TTextLabel *label = Chart.TextLabels(LabelIndex);
    label->SetPosX(lambdaPeak * kToNanometres);
    label->SetPosY(maxU);
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
    Chart.MoveTo(36000, Peaks[0]);
    for (int i = 1; i < PeakTableSize; ++i)
      Chart.DrawTo(PeakWavelength(unsigned(PeakTableTemperature(i))) * kToNanometres,
                   Peaks[std::size_t(i)]);
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
