#pragma once
// The chart's axes as data for a spoken description: which axes are shown,
// their captions and ranges. The words around them belong to the program
// (they come from its language file).
#include <string>
#include <vector>

class TCustomRChart;

/// One shown axis of a chart layer.
struct TAxisSummary {
  int Layer = 1;
  bool Horizontal = true;
  std::string Caption;
  double Low = 0;
  double High = 1;
  bool Logarithmic = false;
};

/// The visible axes of all layers, layer by layer, each layer's horizontal
/// axis before its vertical one.
std::vector<TAxisSummary> SummarizeAxes(const TCustomRChart &Chart);
