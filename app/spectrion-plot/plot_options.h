#pragma once
// Command-line options of the headless plot tool: what to draw and where to
// write it. Parsing is kept free of the chart so it can be tested alone.
#include <optional>
#include <string>
#include <vector>

/// What one run of the tool draws and writes.
struct TPlotToolOptions {
  int Temperature = 898;      // K
  std::vector<int> Snapshots; // K, oldest first
  bool ShowBand = false;
  bool ShowPeakCurve = false;
  bool LogScale = false;
  double Top = 0;        // top of the linear energy axis when TopGiven
  bool TopGiven = false; // else the top fits the highest curve
  int Width = 800;       // picture size in logical pixels
  int Height = 600;
  double Scale = 1; // device pixels per logical pixel of the picture
  std::string PngFile;      // empty: no picture
  std::string CsvFile;      // empty: no table; "-": standard output
  std::string LanguageFile; // empty: keys shown as they are
  bool Help = false;
  bool Version = false;
};

/// Result of parsing: the options, or the message that explains what is wrong.
struct TParsedOptions {
  std::optional<TPlotToolOptions> Options;
  std::string Error;
};

/// Parses the arguments (without the program name).
TParsedOptions ParsePlotOptions(const std::vector<std::string> &Args);

/// The --help text.
std::string PlotToolHelp(const std::string &ProgramName);
