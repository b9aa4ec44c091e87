#include "simulation/blackbody.h"

#include <cmath>

namespace {
// Product of Planck's constant and the speed of light, J*m.
constexpr double kHC = 1.987824e-25;
// Boltzmann's constant, J/K.
constexpr double kBoltzmann = 1.38e-23;
// 8*pi*hc, held as a fixed value so that every build gives the same curves.
constexpr double kPrefactor = 4.995946620023582e-24;
// From this exponent on the Bose factor is taken as exactly 0.
constexpr double kExponentLimit = 100.0;
// Wien numerator: the peak lies at 0.0144 / (5*T) metres.
constexpr double kWienNumerator = 0.0144;
} // namespace

double SpectralEnergyDensity(double lambda, double T) {
  // Intermediates are evaluated in extended precision where the platform has
  // it and rounded to double at the three marked steps.
  const long double l = lambda;
  const long double l2 = l * l;
  const double p = static_cast<double>(static_cast<long double>(kPrefactor) / (l2 * l2 * l));
  const double x = static_cast<double>(static_cast<long double>(kHC) /
                                       (static_cast<long double>(kBoltzmann) * l * T));
  if (!(x < kExponentLimit)) return 0.0;
  const double f = static_cast<double>(1.0L / (std::exp(static_cast<long double>(x)) - 1.0L));
  return p * f;
}

double PeakWavelength(unsigned T) {
  return kWienNumerator / static_cast<double>(5u * T);
}

void FillPeakTable(TPeakTable &table) {
  for (int i = 0; i < PeakTableSize; ++i) {
    const int t = PeakTableTemperature(i);
    table[static_cast<std::size_t>(i)] = SpectralEnergyDensity(PeakWavelength(unsigned(t)), t);
  }
}
