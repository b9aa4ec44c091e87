#pragma once
// Shared by the main-window tests: creating the window and reading what its
// chart holds.
#include "chart/rchart.h"
#include "simulation/main_window.h"

#include <cmath>
#include <vector>

namespace window_test {

/// Temperatures of the snapshot curves in the chart's display list, in list
/// order, recognised by their grey pen and the label they carry.
inline std::vector<int> LabelledCaptions(TRChart &Chart, int Count) {
  std::vector<int> temperatures;
  for (int k = 1; k <= Count; ++k) {
    const std::string &caption = Chart.TextLabels(k)->Caption();
    temperatures.push_back(std::atoi(caption.c_str()));
  }
  return temperatures;
}

/// Number of display-list items drawn in Colour.
inline int ItemsOfColour(const TRChart &Chart, TColor Colour) {
  int n = 0;
  for (int i = 0; i < Chart.ItemCount(); ++i)
    if (Chart.Items(i).Color == Colour) ++n;
  return n;
}

/// Adds a snapshot at temperature T the way the user does: move the scroll
/// bar, then press Add.
inline void SnapshotAt(TfrmExample &W, int T) {
  W.SBTemperature->SetPosition(T);
  W.BButAdd->PerformClick();
}

} // namespace window_test
