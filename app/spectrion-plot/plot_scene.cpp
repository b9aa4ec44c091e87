#include "plot_scene.h"

#include "chart/rchart.h"
#include "localisation/tolkar2000.h"
#include "platform/bitmap.h"
#include "platform/form_loader.h"
#include "platform/streams.h"
#include "simulation/chart_setup.h"
#include "simulation/energy_axis.h"
#include "simulation/label_format.h"
#include "simulation/curve_table.h"
#include "simulation/main_window.h"
#include "simulation/plot_composer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>
#include <vector>

namespace {

std::string Trim(const std::string &S) {
  const std::size_t a = S.find_first_not_of(" \t\r");
  if (a == std::string::npos) return {};
  const std::size_t b = S.find_last_not_of(" \t\r");
  return S.substr(a, b - a + 1);
}

bool StartsWithWord(const std::string &Line, const char *Word) {
  const std::string w = Word;
  if (Line.size() < w.size()) return false;
  for (std::size_t i = 0; i < w.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(Line[i])) != w[i]) return false;
  return Line.size() == w.size() || Line[w.size()] == ' ' || Line[w.size()] == '>' ||
         Line[w.size()] == '\t';
}

// Whether Line assigns the property Name (lower case), ignoring case.
bool IsAssignmentOf(const std::string &Line, const std::string &Name) {
  const std::size_t eq = Line.find('=');
  if (eq == std::string::npos) return false;
  std::string prop = Trim(Line.substr(0, eq));
  for (char &c : prop)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  return prop == Name;
}

// The class name of an "object Name: Class" line.
std::string ObjectClass(const std::string &Line) {
  const std::size_t colon = Line.find(':');
  return Trim(colon == std::string::npos ? Line.substr(6) : Line.substr(colon + 1));
}

// The highest sample of the temperature curves in the display list: the
// snapshots and the current curve, not the peak curve, which runs through
// the peaks of every temperature up to 9980 K and is cut off as in the window.
double HighestCurveSample(const TRChart &Chart) {
  double highest = 0;
  for (const TCurvePolyline &l : CurvePolylines(Chart))
    if (l.Color == SnapshotColor || l.Color == CurrentCurveColor)
      for (double y : l.Y)
        highest = std::max(highest, y);
  return highest;
}

// The highest sample of the current curve, the last one composed in its pen.
double CurrentCurveTop(const TRChart &Chart) {
  const std::vector<TCurvePolyline> lines = CurvePolylines(Chart);
  for (auto it = lines.rbegin(); it != lines.rend(); ++it)
    if (it->Color == CurrentCurveColor) return *std::max_element(it->Y.begin(), it->Y.end());
  return 0;
}

} // namespace

double FittedTop(const TRChart &Chart, double Highest) {
  const int area = Chart.Height() - Chart.MarginTop() - Chart.MarginBottom();
  const double share = area > 2 * CaptionRoom ? double(area) / (area - CaptionRoom) : 1.0;
  return TrackBarRangeHigh(FittingTrackBarPosition(Highest * share));
}

std::string WindowChartDescription() {
  RegisterMainWindow();
  const std::optional<std::string> form = FindFormText("TfrmExample");
  if (!form) throw Exception("The main window's description is not available");
  std::istringstream in(*form);
  std::string raw;
  // Font assignments of every enclosing object, outermost first; one entry
  // per open object or collection item.
  std::vector<std::vector<std::string>> fonts;
  std::vector<std::string> chart;
  int chartDepth = -1;
  while (std::getline(in, raw)) {
    const std::string line = Trim(raw);
    if (StartsWithWord(line, "object") || StartsWithWord(line, "item")) {
      if (chartDepth < 0 && StartsWithWord(line, "object") && ObjectClass(line) == "TRChart") {
        chartDepth = int(fonts.size());
        for (const auto &level : fonts)
          chart.insert(chart.end(), level.begin(), level.end());
        fonts.emplace_back();
        continue;
      }
      fonts.emplace_back();
      if (chartDepth >= 0) chart.push_back(line);
      continue;
    }
    if (StartsWithWord(line, "end")) {
      if (fonts.empty()) throw Exception("The main window's description is unbalanced");
      fonts.pop_back();
      if (chartDepth >= 0) {
        if (int(fonts.size()) == chartDepth) break;
        chart.push_back(line);
      }
      continue;
    }
    if (chartDepth >= 0) {
      // The chart fills its panel in the window; here it is the whole picture.
      if (!IsAssignmentOf(line, "align")) chart.push_back(line);
    } else if (!fonts.empty() && line.rfind("Font.", 0) == 0) {
      fonts.back().push_back(line);
    }
  }
  if (chartDepth < 0) throw Exception("The main window's description holds no chart");
  std::string out = "object RCChart: TRChart\n";
  for (const std::string &l : chart)
    out += "  " + l + "\n";
  return out + "end\n";
}

TPlotScene::TPlotScene(const TPlotToolOptions &Options) : options_(Options) {
  const std::string description = WindowChartDescription();
  TTolkar2000 translator{std::string()};
  if (!options_.LanguageFile.empty()) {
    TMemoryStream file;
    file.LoadFromFile(options_.LanguageFile, MaxLanguageFileBytes);
    translator.LoadDictionary(file);
  }
  chart_ = new TRChart(nullptr);
  try {
    ReadComponentText(chart_, description);
    chart_->SetBounds(0, 0, options_.Width, options_.Height);
    chart_->HandleNeeded();
    // Every setting below would show at once; the picture is painted once,
    // when it is complete.
    chart_->SetPaintSuspended(true);
    translator.TranslateComponent(chart_);

    // The window's start-up: the peak table, the snapshot labels kept
    // hidden until a snapshot uses one, and the ranges of both axes.
    FillPeakTable(peaks_);
    PrepareSnapshotLabels(*chart_);
    chart_->Scale1X()->SetRangeLow(0);
    chart_->Scale1X()->SetRangeHigh(10000);
    chart_->Scale1Y()->SetRangeLow(EnergyRangeLow);
    if (options_.TopGiven) chart_->Scale1Y()->SetRangeHigh(options_.Top);
    // What the window does when its logarithmic box is ticked.
    if (options_.LogScale) {
      chart_->Scale1Y()->SetLogarithmic(true);
      chart_->Scale1Y()->SetRangeHigh(LogEnergyRangeHigh);
      chart_->SetMarginLeft(LogMarginLeft);
    }

    TPlotInputs in;
    in.Temperature = std::uint16_t(options_.Temperature);
    for (int t : options_.Snapshots)
      in.Snapshots.push_back(std::uint16_t(t));
    in.ShowPeakCurve = options_.ShowPeakCurve;
    in.ShowBand = options_.ShowBand;
    in.LogScale = options_.LogScale;
    in.YLow = chart_->Scale1Y()->RangeLow();
    in.YHigh = chart_->Scale1Y()->RangeHigh();
    in.BandText = translator.Translate("visible light");
    in.LabelFormat = translator.Translate("%d K");
    const int painted = chart_->PaintCount();
    ComposePlot(*chart_, in, peaks_);
    if (!options_.LogScale && !options_.TopGiven) {
      // The curves' values do not depend on the axis: compose once to learn
      // the highest, then again under the top that holds it and the caption
      // above it.
      chart_->Scale1Y()->SetRangeHigh(FittedTop(*chart_, HighestCurveSample(*chart_)));
      in.YHigh = chart_->Scale1Y()->RangeHigh();
      ComposePlot(*chart_, in, peaks_);
    }
    LabelCurrentCurve(in.LabelFormat);
    chart_->SetPaintSuspended(false);
    // Nothing on screen asks for the picture; make sure it is finished.
    if (chart_->PaintCount() == painted) chart_->Paint();
  } catch (...) {
    chart_->Free();
    chart_ = nullptr;
    throw;
  }
}

void TPlotScene::LabelCurrentCurve(const std::string &LabelFormat) {
  // One label past the snapshots' own, placed and styled as theirs but in the
  // current curve's colour: at the peak wavelength and the highest sample.
  TTextLabel *label = chart_->TextLabels(int(options_.Snapshots.size()) + 1);
  label->Font()->SetColor(CurrentCurveColor);
  label->SetPosX(PeakWavelength(unsigned(options_.Temperature)) * 1e9);
  label->SetPosY(CurrentCurveTop(*chart_));
  label->SetCaption(FormatIntLabel(LabelFormat, options_.Temperature));
  label->SetTransparent(true);
  label->SetMode(tlShadow);
}

TPlotScene::~TPlotScene() {
  if (chart_) chart_->Free();
}

void TPlotScene::SavePng(const std::string &FileName) const {
  chart_->FullBitmap().SaveToFile(FileName);
}

void TPlotScene::WriteCsv(std::ostream &Out) const {
  TCurveTableColumns columns;
  for (int t : options_.Snapshots)
    columns.Snapshots.push_back(std::uint16_t(t));
  columns.Temperature = std::uint16_t(options_.Temperature);
  columns.ShowPeakCurve = options_.ShowPeakCurve;
  WriteCurveTable(*chart_, columns, Out);
}
