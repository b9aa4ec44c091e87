#pragma once
// The chart of the simulation window, built off screen from the window's own
// chart description, with one composed picture in it.
#include "plot_options.h"

#include "simulation/blackbody.h"

#include <ostream>
#include <string>

class TRChart;
class TTolkar2000;

/// The chart block of the main window's description, made into a description
/// of a chart of its own: the fonts the chart inherits from its enclosing
/// objects come first, the alignment inside its panel is left out. Raises
/// Exception when the window's description holds no chart.
std::string WindowChartDescription();

/// Pixels kept free above the highest curve for its caption.
inline constexpr int CaptionRoom = 24;

/// The top of the linear energy axis for curves whose highest sample is
/// Highest: the lowest track-bar step that holds it with CaptionRoom pixels
/// of Chart's data area above it.
double FittedTop(const TRChart &Chart, double Highest);

/// One composed picture: a chart with the window's settings, sized to the
/// picture, showing the state the options describe.
class TPlotScene {
public:
  /// Builds and composes. Raises Exception (EStreamError descendants for an
  /// unreadable language file) on failure.
  explicit TPlotScene(const TPlotToolOptions &Options);
  ~TPlotScene();
  TPlotScene(const TPlotScene &) = delete;
  TPlotScene &operator=(const TPlotScene &) = delete;

  TRChart &Chart() { return *chart_; }
  /// Writes the finished picture as PNG.
  void SavePng(const std::string &FileName) const;
  /// Writes the composed curves: a header line, then one line per wavelength
  /// of the curves' sample grid.
  void WriteCsv(std::ostream &Out) const;

private:
  /// Gives the current curve its temperature caption, as snapshots have.
  void LabelCurrentCurve(const std::string &LabelFormat);
  TPlotToolOptions options_;
  TPeakTable peaks_{};
  TRChart *chart_ = nullptr;
};
