#pragma once
// Readings of a tick list that the tick tests compare with expected values.
#include "axes/scale_geometry.h"

#include <string>
#include <vector>

/// The values of the major (or the short) ticks, in list order.
inline std::vector<double> Values(const std::vector<TTick> &ticks, bool major) {
  std::vector<double> v;
  for (const TTick &t : ticks)
    if (t.Major == major) v.push_back(t.Value);
  return v;
}

/// The texts of the labelled ticks, in list order.
inline std::vector<std::string> Labels(const std::vector<TTick> &ticks) {
  std::vector<std::string> v;
  for (const TTick &t : ticks)
    if (t.Labelled) v.push_back(t.Label);
  return v;
}
