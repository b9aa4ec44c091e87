#include "plot_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <sstream>

namespace {

// Temperatures the simulation's scroll bar can reach.
constexpr int kMinTemperature = 80;
constexpr int kMaxTemperature = 10000;
constexpr int kMaxSnapshots = 20;
// The chart cannot be smaller than its own minimum; a picture larger than
// this is a typing error rather than a wish.
constexpr int kMinWidth = 150, kMinHeight = 80, kMaxSide = 8000;
// Bottom of the energy axis; the top must lie above it.
constexpr double kAxisLow = 9e-11;
constexpr double kMaxTop = 1e30;
// Device pixel ratios of the picture: from an ordinary screen to a printed
// page drawn four times as fine.
constexpr double kMinScale = 1, kMaxScale = 4;

bool ParseInt(const std::string &Text, int &Value) {
  if (Text.empty()) return false;
  char *end = nullptr;
  errno = 0;
  const long v = std::strtol(Text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || v < -1000000000L || v > 1000000000L) return false;
  Value = int(v);
  return true;
}

bool ParseDouble(const std::string &Text, double &Value) {
  if (Text.empty()) return false;
  char *end = nullptr;
  errno = 0;
  const double v = std::strtod(Text.c_str(), &end);
  if (errno != 0 || *end != '\0' || !std::isfinite(v)) return false;
  Value = v;
  return true;
}

std::string TemperatureError(const std::string &Option, const std::string &Text) {
  return Option + ": \"" + Text + "\" is not a whole temperature from " +
         std::to_string(kMinTemperature) + " to " + std::to_string(kMaxTemperature) + " K";
}

bool ParseTemperature(const std::string &Text, int &Value) {
  return ParseInt(Text, Value) && Value >= kMinTemperature && Value <= kMaxTemperature;
}

// "3000,4000,5000" or a single value.
bool ParseSnapshotList(const std::string &Text, std::vector<int> &Out, std::string &Bad) {
  std::stringstream in(Text);
  std::string item;
  if (Text.empty()) {
    Bad = Text;
    return false;
  }
  while (std::getline(in, item, ',')) {
    int t = 0;
    if (!ParseTemperature(item, t)) {
      Bad = item;
      return false;
    }
    Out.push_back(t);
  }
  if (!Text.empty() && Text.back() == ',') {
    Bad = "";
    return false;
  }
  return true;
}

bool ParseSize(const std::string &Text, int &W, int &H) {
  const std::size_t x = Text.find_first_of("xX");
  if (x == std::string::npos) return false;
  return ParseInt(Text.substr(0, x), W) && ParseInt(Text.substr(x + 1), H);
}

// Whether two names reach one file, through links and "..", whether or not
// it exists yet.
bool SameFile(const std::string &A, const std::string &B) {
  namespace fs = std::filesystem;
  std::error_code e1, e2;
  if (fs::equivalent(A, B, e1)) return true;
  const fs::path a = fs::weakly_canonical(fs::absolute(A, e1), e1);
  const fs::path b = fs::weakly_canonical(fs::absolute(B, e2), e2);
  return !e1 && !e2 && a == b;
}

} // namespace

TParsedOptions ParsePlotOptions(const std::vector<std::string> &Args) {
  TPlotToolOptions o;
  TParsedOptions result;
  auto fail = [&result](const std::string &Message) {
    result.Error = Message;
    return result;
  };
  for (std::size_t i = 0; i < Args.size(); ++i) {
    std::string name = Args[i];
    std::string value;
    bool hasValue = false;
    // Both "--opt value" and "--opt=value" are accepted.
    if (name.rfind("--", 0) == 0) {
      const std::size_t eq = name.find('=');
      if (eq != std::string::npos) {
        value = name.substr(eq + 1);
        name = name.substr(0, eq);
        hasValue = true;
      }
    }
    auto needValue = [&]() -> bool {
      if (hasValue) return true;
      if (i + 1 >= Args.size()) return false;
      value = Args[++i];
      return true;
    };
    auto noValue = [&]() { return !hasValue; };

    if (name == "-h" || name == "--help") {
      if (!noValue()) return fail(name + " takes no value");
      o.Help = true;
    } else if (name == "--version") {
      if (!noValue()) return fail(name + " takes no value");
      o.Version = true;
    } else if (name == "-t" || name == "--temperature") {
      if (!needValue()) return fail(name + " needs a temperature in K");
      if (!ParseTemperature(value, o.Temperature)) return fail(TemperatureError(name, value));
    } else if (name == "-s" || name == "--snapshot" || name == "--snapshots") {
      if (!needValue()) return fail(name + " needs one or more temperatures in K");
      std::string bad;
      if (!ParseSnapshotList(value, o.Snapshots, bad)) return fail(TemperatureError(name, bad));
      if (int(o.Snapshots.size()) > kMaxSnapshots)
        return fail("at most " + std::to_string(kMaxSnapshots) + " snapshots can be shown");
    } else if (name == "--band") {
      if (!noValue()) return fail(name + " takes no value");
      o.ShowBand = true;
    } else if (name == "--peak-curve") {
      if (!noValue()) return fail(name + " takes no value");
      o.ShowPeakCurve = true;
    } else if (name == "--log") {
      if (!noValue()) return fail(name + " takes no value");
      o.LogScale = true;
    } else if (name == "--top") {
      if (!needValue()) return fail(name + " needs the top of the energy axis");
      if (!ParseDouble(value, o.Top) || o.Top <= kAxisLow || o.Top > kMaxTop)
        return fail(name + ": \"" + value + "\" is not a number above 9e-11 and at most 1e30");
      o.TopGiven = true;
    } else if (name == "--size") {
      if (!needValue()) return fail(name + " needs WIDTHxHEIGHT");
      if (!ParseSize(value, o.Width, o.Height) || o.Width < kMinWidth || o.Height < kMinHeight ||
          o.Width > kMaxSide || o.Height > kMaxSide)
        return fail(name + ": \"" + value +
                    "\" is not WIDTHxHEIGHT with a width of 150 to 8000 "
                    "and a height of 80 to 8000 pixels");
    } else if (name == "--scale") {
      if (!needValue()) return fail(name + " needs a device pixel ratio");
      if (!ParseDouble(value, o.Scale) || o.Scale < kMinScale || o.Scale > kMaxScale)
        return fail(name + ": \"" + value + "\" is not a ratio from 1 to 4");
    } else if (name == "-o" || name == "--output") {
      if (!needValue() || value.empty()) return fail(name + " needs a file name");
      o.PngFile = value;
    } else if (name == "--csv") {
      if (!needValue() || value.empty()) return fail(name + " needs a file name or -");
      o.CsvFile = value;
    } else if (name == "--language") {
      if (!needValue() || value.empty()) return fail(name + " needs a language file");
      o.LanguageFile = value;
    } else if (!name.empty() && name[0] == '-') {
      return fail("unknown option \"" + name + "\"");
    } else {
      return fail("unexpected argument \"" + name + "\"");
    }
  }
  if (o.Help || o.Version) {
    result.Options = o;
    return result;
  }
  if (o.LogScale && o.TopGiven)
    return fail("--top sets the linear energy axis; the logarithmic axis always runs from "
                "9e-11 to 1e10");
  if (std::lround(o.Width * o.Scale) > kMaxSide || std::lround(o.Height * o.Scale) > kMaxSide)
    return fail("--size times --scale gives a picture of more than 8000 pixels a side");
  if (o.PngFile.empty() && o.CsvFile.empty())
    return fail("nothing to write: give --output FILE.png, --csv FILE, or both");
  if (!o.PngFile.empty() && !o.CsvFile.empty() && o.CsvFile != "-" &&
      SameFile(o.PngFile, o.CsvFile))
    return fail("--output and --csv name the same file \"" + o.CsvFile +
                "\"; the table would replace the picture");
  result.Options = o;
  return result;
}

std::string PlotToolHelp(const std::string &ProgramName) {
  return "Usage: " + ProgramName + R"( [OPTIONS] --output FILE.png | --csv FILE

Draws what the simulation window's chart shows for the given state: the
black-body curve of one temperature, optionally with earlier curves
(snapshots), the band of visible light and the curve through all peaks.
No display is needed.

What to draw:
  -t, --temperature K      current temperature, a whole number from 80 to
                           10000 K (default 898, the window's start)
  -s, --snapshot K[,K...]  earlier curves to show, oldest first; may be
                           repeated; at most 20 in all (80 to 10000 K each)
      --band               shade the band of visible light (380 to 770 nm)
      --peak-curve         draw the curve through the peaks of all curves
      --log                logarithmic energy axis from 9e-11 to 1e10
      --top VALUE          top of the linear energy axis; not with --log.
                           By default the top fits the highest curve drawn,
                           in the steps of the window's track bar (10^(n/10)
                           from 1e-4 to 1e8), so the labels stay round
      --language FILE      language file for the texts of the picture (axis
                           caption, band text, snapshot captions); by default
                           the spectrion.itl beside the tool, as the program
                           uses the one beside it; without any, the texts'
                           keys are shown

What to write:
  -o, --output FILE.png    the picture as PNG
      --size WxH           picture size in pixels (default 800x600; width 150
                           to 8000, height 80 to 8000)
      --scale RATIO        device pixel ratio, 1 to 4 (default 1): the same
                           picture drawn RATIO times as fine, as on a dense
                           screen; --size 1500x1000 --scale 2 writes a
                           3000x2000 PNG with the layout of 1500x1000
      --csv FILE           the composed curves as CSV, "-" for standard
                           output: wavelength in nm, then one column of
                           energy density (J/m^4) per curve: the snapshots,
                           the current curve and, with --peak-curve, the
                           peak curve where it covers the wavelength
  -h, --help               this text
      --version            the version of the tool

Exit status: 0 on success, 2 for bad options, 1 when a file cannot be
read or written.
)";
}
