#include "simulation/curve_cache.h"

namespace {
constexpr double kGridStart = 1e-7;
constexpr double kGridStep = 5e-8;
constexpr double kGridBound = 1e-5;
constexpr double kToNanometres = 1e9;
} // namespace

const TSampleGrid &CurveSampleGrid() {
  static const TSampleGrid grid = [] {
    TSampleGrid g;
    // The wavelength is accumulated, not recomputed from a counter: after the
    // 198th step it lies just above the bound, so 10000 nm is not sampled.
    double lambda = kGridStart;
    std::size_t n = 0;
    while (lambda <= kGridBound && n < g.Metres.size()) {
      g.Metres[n] = lambda;
      g.Nanometres[n] = lambda * kToNanometres;
      ++n;
      lambda += kGridStep;
    }
    return g;
  }();
  return grid;
}

const std::array<double, PeakTableSize> &PeakCurveWavelengths() {
  static const std::array<double, PeakTableSize> x = [] {
    std::array<double, PeakTableSize> a{};
    for (int i = 0; i < PeakTableSize; ++i)
      a[std::size_t(i)] = PeakWavelength(unsigned(PeakTableTemperature(i))) * kToNanometres;
    return a;
  }();
  return x;
}

const TCurveSamples &TCurveCache::Samples(std::uint16_t T) {
  for (auto it = curves_.begin(); it != curves_.end(); ++it) {
    if (it->Temperature != T) continue;
    if (it != curves_.begin()) curves_.splice(curves_.begin(), curves_, it);
    return curves_.front();
  }
  if (curves_.size() >= Capacity)
    curves_.splice(curves_.begin(), curves_, std::prev(curves_.end())); // reuse the oldest
  else
    curves_.emplace_front();
  TCurveSamples &c = curves_.front();
  c.Temperature = T;
  c.MaxDensity = 0;
  const TSampleGrid &grid = CurveSampleGrid();
  for (std::size_t i = 0; i < grid.Metres.size(); ++i) {
    const double u = SpectralEnergyDensity(grid.Metres[i], T);
    c.Density[i] = u;
    if (u > c.MaxDensity) c.MaxDensity = u; // strictly greater: the first largest
  }
  ++evaluations_;
  return c;
}

TCurveCache &SharedCurveCache() {
  static TCurveCache cache;
  return cache;
}
