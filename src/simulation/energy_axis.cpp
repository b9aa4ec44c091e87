#include "simulation/energy_axis.h"

#include <cmath>

double TrackBarRangeHigh(int Position) {
  return std::pow(10.0, Position / 10.0);
}

int FittingTrackBarPosition(double Peak) {
  if (!(Peak > 0)) return EnergyStepMin;
  if (!std::isfinite(Peak)) return EnergyStepMax;
  int n = static_cast<int>(std::ceil(10.0 * std::log10(Peak)));
  if (n < EnergyStepMin) n = EnergyStepMin;
  while (n > EnergyStepMin && TrackBarRangeHigh(n - 1) >= Peak) --n;
  while (n < EnergyStepMax && TrackBarRangeHigh(n) < Peak) ++n;
  return n > EnergyStepMax ? EnergyStepMax : n;
}
