#pragma once
// What a composition computes from temperatures alone, kept between
// compositions: the Planck samples of each curve on the composer's wavelength
// grid, and the wavelengths of the peak curve. A step of the temperature then
// evaluates the law for the one curve that moved; the snapshots come from here.
#include "simulation/blackbody.h"

#include <array>
#include <cstdint>
#include <list>

/// The wavelengths the composer samples: from 100 nm in steps of 50 nm,
/// accumulated in a double, while they do not pass 10000 nm (198 of them).
inline constexpr int CurveSampleCount = 198;

/// The composer's wavelength grid, in metres (as the law takes them) and in
/// nanometres (as the chart's x axis shows them).
struct TSampleGrid {
  std::array<double, CurveSampleCount> Metres{};
  std::array<double, CurveSampleCount> Nanometres{};
};
const TSampleGrid &CurveSampleGrid();

/// x of the peak-curve points in nanometres: the peak wavelength of entry i
/// of the peak table.
const std::array<double, PeakTableSize> &PeakCurveWavelengths();

/// The densities of one curve on the grid and the largest of them.
struct TCurveSamples {
  std::uint16_t Temperature = 0;
  std::array<double, CurveSampleCount> Density{};
  double MaxDensity = 0;
};

/// Planck samples of the most recently used temperatures. A curve is
/// evaluated on first use and whenever its temperature is not among the
/// Capacity most recently used ones; the samples depend on nothing else.
class TCurveCache {
public:
  static constexpr std::size_t Capacity = 48;

  /// The samples of temperature T, evaluated now if they are not kept.
  const TCurveSamples &Samples(std::uint16_t T);
  /// How many curves have been evaluated so far (a miss evaluates one).
  std::uint64_t Evaluations() const { return evaluations_; }
  /// Drops every kept curve.
  void Clear() { curves_.clear(); }

private:
  std::list<TCurveSamples> curves_; // most recently used first
  std::uint64_t evaluations_ = 0;
};

/// The cache the composer uses. The user-interface thread composes; nothing
/// else touches it.
TCurveCache &SharedCurveCache();
