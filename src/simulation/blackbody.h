#pragma once
// The black-body model: Planck's radiation law for one wavelength and one
// temperature, and the table of curve maxima that the peak curve is drawn from.
#include <array>

/// Spectral energy density in J/m^4 of black-body radiation at wavelength
/// lambda (metres, > 0) and temperature T (kelvin, > 0). Where the exponent
/// hc/(k*lambda*T) reaches 100 the result is exactly 0, which keeps the
/// exponential finite at short wavelengths and low temperatures.
double SpectralEnergyDensity(double lambda, double T);

/// Wavelength in metres of the maximum of the curve at temperature T (Wien's law),
/// with 5*T taken as a whole number as the composer does.
double PeakWavelength(unsigned T);

/// Number of entries of the peak table: temperatures 80, 100, ... 9980 K.
inline constexpr int PeakTableSize = 496;

/// Densities at the maxima of the curves of 80 + 20*i K, i = 0 ... 495.
using TPeakTable = std::array<double, PeakTableSize>;

/// Temperature in kelvin of peak-table entry i.
constexpr int PeakTableTemperature(int i) {
  return 80 + 20 * i;
}

/// Fills every entry of the peak table from the model.
void FillPeakTable(TPeakTable &table);
