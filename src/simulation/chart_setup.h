#pragma once
// The settings the simulation applies to its chart in code, shared by the
// main window and the headless plot tool so that both draw the same picture.
#include <cstddef>

class TRChart;

/// Most snapshots kept at once; adding one more drops the oldest.
inline constexpr std::size_t MaxSnapshots = 20;

/// Bottom of the energy axis, and its top in logarithmic mode.
inline constexpr double EnergyRangeLow = 9e-11;
inline constexpr double LogEnergyRangeHigh = 1e10;
/// Left margin of the chart: the logarithmic labels need more room.
inline constexpr int LinearMarginLeft = 64;
inline constexpr int LogMarginLeft = 70;

/// Takes the chart's text labels 1 ... MaxSnapshots for the snapshot captions:
/// blue, transparent, and hidden until a snapshot uses one.
void PrepareSnapshotLabels(TRChart &Chart);
