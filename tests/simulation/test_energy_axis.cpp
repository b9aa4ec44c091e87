// The steps of the linear energy axis, shared by the window's track bar and
// the plot tool's fitted top.
#include "simulation/blackbody.h"
#include "simulation/energy_axis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(EnergyAxis, TopsAreTenthPowersOfTen) {
  EXPECT_DOUBLE_EQ(TrackBarRangeHigh(22), 158.48931924611136);
  EXPECT_DOUBLE_EQ(TrackBarRangeHigh(0), 1);
  EXPECT_DOUBLE_EQ(TrackBarRangeHigh(EnergyStepMin), 1e-4);
  EXPECT_DOUBLE_EQ(TrackBarRangeHigh(EnergyStepMax), 1e8);
}

TEST(EnergyAxis, FittingTopIsTheLowestStepThatHoldsThePeak) {
  // Exact steps fit themselves, a hair above needs the next one, whatever
  // rounding pow and log10 do near the step.
  for (int n = EnergyStepMin; n <= EnergyStepMax; ++n) {
    const double top = TrackBarRangeHigh(n);
    EXPECT_EQ(FittingTrackBarPosition(top), n) << n;
    if (n < EnergyStepMax) {
      EXPECT_EQ(FittingTrackBarPosition(top * (1 + 1e-12)), n + 1) << n;
    }
    EXPECT_EQ(FittingTrackBarPosition(top * (1 - 1e-12)), n) << n;
  }
  // The 5800 K curve (maximum about 1.12e6) needs 10^6.1.
  EXPECT_EQ(FittingTrackBarPosition(1.12e6), 61);
  // Out of range and nonsense stay within the track bar.
  EXPECT_EQ(FittingTrackBarPosition(1e-9), EnergyStepMin);
  EXPECT_EQ(FittingTrackBarPosition(0), EnergyStepMin);
  EXPECT_EQ(FittingTrackBarPosition(-5), EnergyStepMin);
  EXPECT_EQ(FittingTrackBarPosition(std::numeric_limits<double>::quiet_NaN()), EnergyStepMin);
  EXPECT_EQ(FittingTrackBarPosition(1e12), EnergyStepMax);
  EXPECT_EQ(FittingTrackBarPosition(std::numeric_limits<double>::infinity()), EnergyStepMax);
}
