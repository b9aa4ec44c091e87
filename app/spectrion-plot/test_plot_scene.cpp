// The plot tool's picture: an energy axis that fits the curves drawn, a
// caption on the current curve, and texts in the language of the file given.
#include "plot_scene.h"

#include "chart/rchart.h"
#include "localisation/tolkar2000.h"
#include "platform/streams.h"
#include "platform/strings.h"
#include "simulation/energy_axis.h"
#include "simulation/plot_composer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;

const fs::path LangDir = fs::path(SPECTRION_SOURCE_DIR) / "data/lang";

TPlotToolOptions Options(int T, std::vector<int> Snapshots = {}) {
  TPlotToolOptions o;
  o.Temperature = T;
  o.Snapshots = std::move(Snapshots);
  o.LanguageFile = (LangDir / "spectrion.itl").string();
  return o;
}

/// The highest sample drawn in one of Colours.
double Highest(TRChart &Chart, std::set<TColor> Colours) {
  double top = 0;
  for (int i = 0; i < Chart.ItemCount(); ++i) {
    const GraphItem &item = Chart.Items(i);
    if ((item.Kind == ikDrawTo || item.Kind == ikMoveTo) && Colours.count(item.Color))
      top = std::max(top, item.Y1);
  }
  return top;
}

TEST(PlotScene, WithoutATopTheAxisFitsTheHighestCurveInTrackBarSteps) {
  struct Case {
    int T;
    std::vector<int> Snapshots;
    bool PeakCurve;
  };
  for (const Case &c : {Case{898, {}, false}, Case{5800, {3000, 4000, 5000}, true},
                        Case{3000, {6000}, false}, Case{80, {}, false}}) {
    TPlotToolOptions o = Options(c.T, c.Snapshots);
    o.ShowPeakCurve = c.PeakCurve;
    o.ShowBand = true;
    TPlotScene scene(o);
    TRChart &chart = scene.Chart();
    const double top = chart.Scale1Y()->RangeHigh();
    // Every temperature curve and the caption above it fit: the peak curve,
    // which runs on past them, is cut off as in the window.
    const double area = chart.Height() - chart.MarginTop() - chart.MarginBottom();
    const double needed =
        Highest(chart, {SnapshotColor, CurrentCurveColor}) * area / (area - CaptionRoom);
    EXPECT_GE(top, needed) << c.T;
    // It is the lowest such step of the track bar.
    const int n = FittingTrackBarPosition(top);
    EXPECT_DOUBLE_EQ(top, TrackBarRangeHigh(n)) << c.T;
    if (n > EnergyStepMin) {
      EXPECT_LT(TrackBarRangeHigh(n - 1), needed) << c.T;
    }
  }
  // The coolest curve stays below the lowest top the track bar has.
  EXPECT_DOUBLE_EQ(TPlotScene(Options(80)).Chart().Scale1Y()->RangeHigh(), 1e-4);
  // The Sun's curve needs 10^6.1, as the window's track bar sets it.
  EXPECT_DOUBLE_EQ(TPlotScene(Options(5800)).Chart().Scale1Y()->RangeHigh(),
                   TrackBarRangeHigh(61));
  // A given top and the logarithmic axis are kept.
  TPlotToolOptions given = Options(5800);
  given.Top = 1e8;
  given.TopGiven = true;
  EXPECT_DOUBLE_EQ(TPlotScene(given).Chart().Scale1Y()->RangeHigh(), 1e8);
  TPlotToolOptions log = Options(5800);
  log.LogScale = true;
  EXPECT_DOUBLE_EQ(TPlotScene(log).Chart().Scale1Y()->RangeHigh(), 1e10);
}

TEST(PlotScene, TheCurrentCurveIsCaptionedAtItsPeakLikeTheSnapshots) {
  TPlotScene scene(Options(5800, {3000, 4000}));
  TRChart &chart = scene.Chart();
  EXPECT_EQ(chart.TextLabels(1)->Caption(), "3000 K");
  EXPECT_EQ(chart.TextLabels(2)->Caption(), "4000 K");
  TTextLabel *current = chart.TextLabels(3);
  EXPECT_EQ(current->Caption(), "5800 K");
  EXPECT_EQ(current->Mode(), chart.TextLabels(1)->Mode());
  EXPECT_NEAR(current->PosX(), 0.0144 / (5 * 5800.0) * 1e9, 1e-6);
  EXPECT_DOUBLE_EQ(current->PosY(), Highest(chart, {CurrentCurveColor}));
  EXPECT_EQ(chart.TextLabels(4)->Mode(), tlOff);

  // With the most snapshots there are, the caption takes the label after them.
  std::vector<int> twenty;
  for (int t = 1000; t <= 2900; t += 100)
    twenty.push_back(t);
  TPlotScene full(Options(5800, twenty));
  EXPECT_EQ(full.Chart().TextLabels(20)->Caption(), "2900 K");
  EXPECT_EQ(full.Chart().TextLabels(21)->Caption(), "5800 K");
}

TEST(PlotScene, GermanPictureShowsNoKeyAndNoEnglishText) {
  TMemoryStream file;
  file.LoadFromFile((LangDir / "spectrion.itl").string(), MaxLanguageFileBytes);
  TTolkar2000 english("Spectrion");
  english.LoadDictionary(file);

  TPlotToolOptions o = Options(5800, {4000});
  o.ShowBand = true;
  o.LanguageFile = (LangDir / "spectrion-de.itl").string();
  TPlotScene scene(o);
  TRChart &chart = scene.Chart();
  std::vector<std::string> texts{chart.Scale1X()->Caption(), chart.Scale1Y()->Caption()};
  for (int k = 1; k <= 30; ++k)
    if (chart.TextLabels(k)->Mode() != tlOff) texts.push_back(chart.TextLabels(k)->Caption());
  for (int i = 0; i < chart.ItemCount(); ++i)
    if (chart.Items(i).Kind == ikText) texts.emplace_back(chart.Items(i).Text.View());
  EXPECT_EQ(texts[0], "Wellenlänge [nm]");
  EXPECT_EQ(texts[1], "Energiedichte [J/m⁴]");
  EXPECT_EQ(texts.back(), "Sichtb. Licht");
  for (const std::string &text : texts) {
    EXPECT_EQ(text.find("TK_"), std::string::npos) << text;
    for (int i = 0; i < english.Texts.Count(); ++i)
      EXPECT_NE(StripAccelChars(english.Texts.Strings(i)), text) << "English text";
  }
}

} // namespace
