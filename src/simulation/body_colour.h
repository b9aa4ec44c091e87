#pragma once
// What a glowing body gives off as a whole: its radiated power per area
// (Stefan-Boltzmann) and the colour it shows to the eye, from the CIE 1931
// 2-degree colour-matching functions weighted by its Planck curve and shown
// in sRGB. Pure functions of the temperature.
#include <cstdint>

/// The Stefan-Boltzmann constant in W/(m^2 K^4) (CODATA 2018, exact in the
/// revised SI).
inline constexpr double StefanBoltzmannConstant = 5.670374419e-8;

/// Power radiated per area by a black body at T kelvin: sigma * T^4 in W/m^2.
double RadiatedPower(double T);

/// CIE 1931 tristimulus values, in arbitrary units.
struct TXyz {
  double X = 0, Y = 0, Z = 0;
};

/// The matching functions summed over 360 ... 830 nm in 5 nm steps, each
/// weighted by the model's spectral energy density at T. All zero where the
/// model gives no light in that band (below about 175 K).
TXyz BlackBodyXyz(double T);

/// Chromaticity coordinates x = X / (X + Y + Z), y = Y / (X + Y + Z); both 0
/// for black.
struct TChromaticity {
  double x = 0, y = 0;
};
TChromaticity ChromaticityOf(const TXyz &C);

/// An 8-bit sRGB colour.
struct TRgb8 {
  std::uint8_t R = 0, G = 0, B = 0;
  friend bool operator==(const TRgb8 &, const TRgb8 &) = default;
};

/// The colour XYZ shows on an sRGB screen, at full brightness: the sRGB
/// matrix for the D65 white point (no chromatic adaptation, so a body of
/// about 6500 K, near D65, looks white), channels below 0 (outside the sRGB
/// gamut) clipped to 0, all three scaled so the largest is 1 (a glowing
/// body's hue, not its brightness), then the sRGB transfer curve and
/// rounding to 0 ... 255. Black for black.
TRgb8 DisplayedSrgb(const TXyz &C);

/// The colour of a black body at T kelvin on an sRGB screen.
TRgb8 BlackBodySrgb(double T);
