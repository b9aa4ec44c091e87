#pragma once
// The linear energy axis's steps: its top is 10^(position/10) for a track-bar
// position, so labels stay round whatever the curve.

/// Track-bar positions of the energy axis top: 10^-4 ... 10^8.
inline constexpr int EnergyStepMin = -40;
inline constexpr int EnergyStepMax = 80;

/// Top of the energy axis for a track-bar position.
double TrackBarRangeHigh(int Position);

/// Smallest track-bar position whose axis top holds Peak, limited to
/// EnergyStepMin ... EnergyStepMax (EnergyStepMin for Peak <= 0 or NaN,
/// EnergyStepMax for an infinite Peak).
int FittingTrackBarPosition(double Peak);
