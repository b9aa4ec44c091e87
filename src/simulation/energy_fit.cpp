#include "simulation/energy_fit.h"

#include "simulation/energy_axis.h"

#include <algorithm>
#include <cmath>
#include <vector>

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

/// The wavelengths of the composer's samples, accumulated as it does: in
/// metres for the model, in nm as drawn.
struct TSampleGrid {
  std::vector<double> Metres, Nm;
};
const TSampleGrid &SampleGrid() {
  static const TSampleGrid grid = [] {
    TSampleGrid g;
    for (double lambda = kGridStart; lambda <= kGridBound; lambda += kGridStep) {
      g.Metres.push_back(lambda);
      g.Nm.push_back(lambda * kToNanometres);
    }
    return g;
  }();
  return grid;
}

double DrawnCurvePeak(std::uint16_t T, double XLow, double XHigh) {
  const TSampleGrid &grid = SampleGrid();
  const std::vector<double> &xs = grid.Nm;
  const int n = int(xs.size());
  const double lo = std::min(XLow, XHigh), hi = std::max(XLow, XHigh);
  auto u = [&](int i) { return SpectralEnergyDensity(grid.Metres[std::size_t(i)], T); };
  // Value of the drawn line at X inside the grid: the segment holding X.
  auto lineAt = [&](double X) {
    const auto it = std::upper_bound(xs.begin(), xs.end(), X);
    const int j = int(it - xs.begin());
    if (j <= 0) return u(0); // the line rises from (100 nm, 0) to the first sample
    if (j >= n) return u(n - 1);
    return Interpolate(xs[std::size_t(j - 1)], u(j - 1), xs[std::size_t(j)], u(j), X);
  };
  if (hi < xs.front() || lo > xs.back()) return 0;
  // A Planck curve has one maximum, and so has the line through its
  // samples: walk uphill from the sample next to Wien's peak.
  int m = int(std::lround((PeakWavelength(T) * kToNanometres - xs.front()) / (kGridStep * kToNanometres)));
  m = std::clamp(m, 0, n - 1);
  double um = u(m);
  while (m + 1 < n) {
    const double next = u(m + 1);
    if (!(next > um)) break;
    ++m;
    um = next;
  }
  while (m > 0) {
    const double prev = u(m - 1);
    if (!(prev > um)) break;
    --m;
    um = prev;
  }
  const double xm = xs[std::size_t(m)];
  if (xm >= lo && xm <= hi) return um;
  // Beyond the maximum the line only falls, before it only rises.
  return xm < lo ? lineAt(lo) : lineAt(hi);
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
