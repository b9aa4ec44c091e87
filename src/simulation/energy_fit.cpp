#include "simulation/energy_fit.h"

#include "simulation/energy_axis.h"

#include <algorithm>

namespace {

// The composer's sample grid, in metres: the wavelength is accumulated as it
// is there, so the samples are the very points it draws (the tests compare
// both).
constexpr double kGridStart = 1e-7;
constexpr double kGridStep = 5e-8;
constexpr double kGridBound = 1e-5;
constexpr double kToNanometres = 1e9;

/// Value at X of the segment (X0, Y0) - (X1, Y1).
double Interpolate(double X0, double Y0, double X1, double Y1, double X) {
  return X1 == X0 ? std::max(Y0, Y1) : Y0 + (Y1 - Y0) * (X - X0) / (X1 - X0);
}

/// Highest point between Lo and Hi of the segment from (X0, Y0) to (X1, Y1).
double SegmentPeak(double X0, double Y0, double X1, double Y1, double Lo, double Hi) {
  if (X1 < Lo || X0 > Hi) return 0;
  const double a = std::max(X0, Lo), b = std::min(X1, Hi);
  return std::max(Interpolate(X0, Y0, X1, Y1, a), Interpolate(X0, Y0, X1, Y1, b));
}

} // namespace

double DrawnCurvePeak(std::uint16_t T, double XLow, double XHigh) {
  const double lo = std::min(XLow, XHigh), hi = std::max(XLow, XHigh);
  double peak = 0;
  double lambda = kGridStart;
  // The line starts on the wavelength axis at the first sample's wavelength.
  double px = lambda * kToNanometres, py = 0;
  while (lambda <= kGridBound) {
    const double x = lambda * kToNanometres;
    const double y = SpectralEnergyDensity(lambda, T);
    peak = std::max(peak, SegmentPeak(px, py, x, y, lo, hi));
    px = x;
    py = y;
    lambda += kGridStep;
  }
  return peak;
}

double ShownCurvesPeak(const TShownCurves &Curves, const TPeakTable &Peaks, double XLow,
                       double XHigh) {
  double peak = DrawnCurvePeak(Curves.Temperature, XLow, XHigh);
  for (std::uint16_t t : Curves.Snapshots)
    peak = std::max(peak, DrawnCurvePeak(t, XLow, XHigh));
  if (Curves.ShowPeakCurve) {
    const double lo = std::min(XLow, XHigh), hi = std::max(XLow, XHigh);
    // The peak curve runs from long to short wavelengths.
    double px = PeakWavelength(unsigned(PeakTableTemperature(0))) * kToNanometres;
    double py = Peaks[0];
    for (int i = 1; i < PeakTableSize; ++i) {
      const double x = PeakWavelength(unsigned(PeakTableTemperature(i))) * kToNanometres;
      const double y = Peaks[std::size_t(i)];
      peak = std::max(peak, SegmentPeak(x, y, px, py, lo, hi));
      px = x;
      py = y;
    }
  }
  return peak;
}

int FittedTrackBarPosition(const TShownCurves &Curves, const TPeakTable &Peaks, double XLow,
                           double XHigh) {
  return FittingTrackBarPosition(ShownCurvesPeak(Curves, Peaks, XLow, XHigh));
}

int AutoFitPosition(int Current, double Peak) {
  const int fitting = FittingTrackBarPosition(Peak);
  if (fitting > Current) return fitting;
  const int roomy = FittingTrackBarPosition(Peak * AutoFitHysteresis);
  return roomy < Current ? roomy : Current;
}

bool CurveAboveTop(double Peak, double YHigh, bool LogScale) {
  return !LogScale && Peak > YHigh;
}
