#include "simulation/chart_setup.h"

#include "chart/rchart.h"

void PrepareSnapshotLabels(TRChart &Chart) {
  for (std::size_t i = 0; i < MaxSnapshots; ++i)
    Chart.AddTextLabel(0, 0, 0xFF0000, "", 0);
  for (int i = 1; i <= int(MaxSnapshots); ++i) {
    Chart.TextLabels(i)->SetTransparent(true);
    Chart.TextLabels(i)->SetMode(tlOff);
  }
}
