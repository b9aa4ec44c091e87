#pragma once
// The chart's spoken description: what the picture shows, in the words of
// the language file, for screen readers. Computed from the same inputs as the
// picture, without a chart, so that it can be checked as text.
#include "chart/axis_summary.h"
#include "simulation/plot_composer.h"

#include <functional>
#include <string>
#include <vector>

/// Looks up the text of a key with "<%n%>" filled from the arguments (the
/// translator's Translate); a missing key is its own text.
using TTranslateFunc =
    std::function<std::string(const std::string &Key, const std::vector<std::string> &Args)>;

/// One sentence each for the current curve and its peak, every shown axis
/// with its range and scale, the snapshots (how many, which), and the band of
/// visible light and the peak curve when they are shown.
std::string DescribeChart(const TPlotInputs &Inputs, const std::vector<TAxisSummary> &Axes,
                          const TTranslateFunc &Translate);
