#pragma once
// The CIE 1931 2-degree colour-matching functions as a table, for the colour
// of a glowing body.
#include <array>

/// One row of the table: a wavelength and the three matching functions there.
struct TCmfSample {
  int WavelengthNm;
  double X, Y, Z;
};

/// Rows of the table: 360, 365, ... 830 nm.
inline constexpr int CmfSampleCount = 95;
inline constexpr int CmfStepNm = 5;

extern const std::array<TCmfSample, CmfSampleCount> Cie1931Cmf;
