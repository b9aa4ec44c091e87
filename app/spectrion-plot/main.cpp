// spectrion-plot: draws the simulation window's chart for a given state into
// a PNG file and writes its curves as CSV, without any display.
#include "plot_options.h"
#include "plot_scene.h"

#include "platform/application.h"
#include "platform/atomic_file.h"
#include "platform/process_info.h"

#if !defined(_WIN32)
#include <QApplication>
#include <QString>
#include <QtGlobal>
#endif

#include <csignal>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

namespace {

#if !defined(_WIN32)
// The picture never depends on the screen the tool happens to run on: it is
// drawn on the offscreen platform (unless the caller chose a platform), at
// exactly the device pixel ratio asked for.
void PrepareHeadlessDrawing(double Scale) {
  const char *platform = std::getenv("QT_QPA_PLATFORM");
  if (!platform || !*platform) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  unsetenv("QT_SCREEN_SCALE_FACTORS");
  unsetenv("QT_ENABLE_HIGHDPI_SCALING");
  setenv("QT_SCALE_FACTOR", std::to_string(Scale).c_str(), 1);
}

// The tool's standard error carries its own messages only. The toolkit's
// notes (a missing runtime directory, font substitutions) say nothing about
// the picture; only a fatal one, which ends the tool, is passed on.
void KeepToolkitQuiet(QtMsgType Type, const QMessageLogContext &, const QString &Message) {
  if (Type == QtFatalMsg) std::cerr << "spectrion-plot: " << Message.toStdString() << "\n";
}
#endif

// The English language file that lies beside the tool, as it lies beside
// the program; empty when there is none.
std::string DefaultLanguageFile() {
  const std::filesystem::path file =
      std::filesystem::path(ProgramPath()).parent_path() / "spectrion.itl";
  std::error_code error;
  return std::filesystem::is_regular_file(file, error) ? file.string() : std::string();
}

} // namespace

int main(int argc, char **argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const std::string program = argc > 0 ? argv[0] : "spectrion-plot";
  const TParsedOptions parsed = ParsePlotOptions(args);
  if (!parsed.Options) {
    std::cerr << "spectrion-plot: " << parsed.Error << "\n"
              << "Try '" << program << " --help' for the options.\n";
    return 2;
  }
  TPlotToolOptions options = *parsed.Options;
  if (options.Help) {
    try {
      WriteStandardOutput(PlotToolHelp(program));
    } catch (const std::exception &e) {
      std::cerr << "spectrion-plot: " << e.what() << "\n";
      return 1;
    }
    return 0;
  }
  if (options.Version) {
    std::cout << "spectrion-plot " SPECTRION_VERSION "\n";
    return 0;
  }
#if defined(_WIN32)
  // Windows draws the hidden chart window at the scale asked for, whatever
  // the screen's.
  Application->SetPixelRatioOverride(options.Scale);
#else
  // A file-size limit makes a write fail with a reason instead of killing
  // the tool half-way.
  std::signal(SIGXFSZ, SIG_IGN);

  PrepareHeadlessDrawing(options.Scale);
  qInstallMessageHandler(KeepToolkitQuiet);
  QApplication app(argc, argv);
#endif
  Application->Initialize();
  try {
    if (options.LanguageFile.empty()) options.LanguageFile = DefaultLanguageFile();
    TPlotScene scene(options);
    if (!options.PngFile.empty()) scene.SavePng(options.PngFile);
    if (!options.CsvFile.empty()) {
      // The table is made whole in memory, then written in one checked step.
      std::ostringstream table;
      scene.WriteCsv(table);
      if (options.CsvFile == "-")
        WriteStandardOutput(table.str());
      else
        WriteFileAtomic(options.CsvFile, table.str());
    }
  } catch (const std::exception &e) {
    std::cerr << "spectrion-plot: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
