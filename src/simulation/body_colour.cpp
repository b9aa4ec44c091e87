#include "simulation/body_colour.h"

#include "simulation/blackbody.h"
#include "simulation/cie1931_cmf.h"

#include <algorithm>
#include <cmath>

namespace {

/// The sRGB transfer curve of a linear channel in 0 ... 1.
double SrgbEncode(double C) {
  return C <= 0.0031308 ? 12.92 * C : 1.055 * std::pow(C, 1 / 2.4) - 0.055;
}

std::uint8_t Channel(double C) {
  return std::uint8_t(std::lround(255 * std::clamp(SrgbEncode(C), 0.0, 1.0)));
}

} // namespace

double RadiatedPower(double T) {
  const double t2 = T * T;
  return StefanBoltzmannConstant * t2 * t2;
}

TXyz BlackBodyXyz(double T) {
  TXyz sum;
  for (const TCmfSample &s : Cie1931Cmf) {
    const double u = SpectralEnergyDensity(s.WavelengthNm * 1e-9, T);
    sum.X += s.X * u;
    sum.Y += s.Y * u;
    sum.Z += s.Z * u;
  }
  return sum;
}

TChromaticity ChromaticityOf(const TXyz &C) {
  const double s = C.X + C.Y + C.Z;
  if (!(s > 0)) return {};
  return {C.X / s, C.Y / s};
}

TRgb8 DisplayedSrgb(const TXyz &C) {
  // IEC 61966-2-1: XYZ (D65 white) to linear sRGB.
  double r = 3.2406 * C.X - 1.5372 * C.Y - 0.4986 * C.Z;
  double g = -0.9689 * C.X + 1.8758 * C.Y + 0.0415 * C.Z;
  double b = 0.0557 * C.X - 0.2040 * C.Y + 1.0570 * C.Z;
  r = std::max(r, 0.0);
  g = std::max(g, 0.0);
  b = std::max(b, 0.0);
  const double top = std::max({r, g, b});
  if (!(top > 0) || !std::isfinite(top)) return {};
  return {Channel(r / top), Channel(g / top), Channel(b / top)};
}

TRgb8 BlackBodySrgb(double T) {
  return DisplayedSrgb(BlackBodyXyz(T));
}
