#pragma once
// Shared by the golden-picture tests of the simulation's windows: comparing a
// grabbed window with its reviewed picture in tests/simulation/golden/, or
// writing it there when SPECTRION_UPDATE_GOLDEN is set.
#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace golden_test {

inline const std::filesystem::path GoldenDir =
    std::filesystem::path(SPECTRION_SOURCE_DIR) / "tests/simulation/golden";

/// Largest share of pixels that may differ (by more than a little in any
/// channel) from the golden picture. Text is drawn by the system's fonts.
inline constexpr double MaxDifferingShare = 0.01;
inline constexpr int ChannelTolerance = 40;

/// Compares Picture with the golden file Name, or writes it when regenerating.
/// This run's picture is kept as actual-<Name> in the working directory.
inline void ExpectLikeGolden(const TBitmap &Picture, const std::string &Name) {
  namespace fs = std::filesystem;
  const fs::path golden = GoldenDir / Name;
  const fs::path actual = fs::current_path() / ("actual-" + Name);
  Picture.SaveToFile(actual.string());
  if (std::getenv("SPECTRION_UPDATE_GOLDEN")) {
    fs::create_directories(GoldenDir);
    Picture.SaveToFile(golden.string());
    return;
  }
  ASSERT_TRUE(fs::exists(golden)) << "no golden picture " << golden;
  TBitmap expected;
  expected.LoadFromFile(golden.string());
  EXPECT_LE(DifferingPixelShare(Picture, expected, ChannelTolerance), MaxDifferingShare)
      << Name << " differs from the golden picture; this run's picture is " << actual;
}

} // namespace golden_test
