// The chart's spoken description: its sentences for each state of the
// picture, in English and in the German language file's words, and the main
// window keeping it (and the sliders' spoken values) up to date.
#include "helper_main_window.h"

#include "chart/axis_summary.h"
#include "localisation/tolkar2000.h"
#include "platform/streams.h"
#include "simulation/chart_description.h"
#include "simulation/main_window.h"
#include "widgets/num_lab.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

TTranslateFunc Through(TTolkar2000 &Translator) {
  return [&Translator](const std::string &Key, const std::vector<std::string> &Args) {
    return Translator.Translate(Key, Args);
  };
}

std::vector<TAxisSummary> Axes(bool Log) {
  TAxisSummary x{1, true, "Wavelength [nm]", 0, 10000, false};
  TAxisSummary y{1, false, "Energy density", 9e-11, Log ? 1e10 : 158.48931924611142, Log};
  return {x, y};
}

TEST(ChartDescription, TellsCurveAxesSnapshotsAndWhatIsShown) {
  TTolkar2000 none("Spectrion"); // no dictionary: every key is its own text
  TPlotInputs in;
  in.Temperature = 898;
  EXPECT_EQ(DescribeChart(in, Axes(false), Through(none)),
            "Curve at 898 K, peak at 3207 nm. Wavelength [nm] axis: 0 to 10000, linear. "
            "Energy density axis: 9E-11 to 158.489, linear. Snapshots: 0.");

  in.Temperature = 5800;
  in.Snapshots = {1000, 2000};
  in.ShowBand = true;
  in.ShowPeakCurve = true;
  EXPECT_EQ(DescribeChart(in, Axes(true), Through(none)),
            "Curve at 5800 K, peak at 497 nm. Wavelength [nm] axis: 0 to 10000, linear. "
            "Energy density axis: 9E-11 to 1E10, logarithmic. Snapshots: 2 (1000 K, 2000 K). "
            "The band of visible light is shaded. The peak curve is shown.");
}

TEST(ChartDescription, SpeaksTheLanguageOfTheLanguageFile) {
  TTolkar2000 german("Spectrion");
  std::ifstream file(fs::path(SPECTRION_SOURCE_DIR) / "data/lang/spectrion-de.itl",
                     std::ios::binary);
  TStringStream stream(
      std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()));
  german.LoadDictionary(stream);
  TPlotInputs in;
  in.Temperature = 898;
  in.Snapshots = {5800};
  in.ShowBand = true;
  EXPECT_EQ(DescribeChart(in, Axes(true), Through(german)),
            "Kurve bei 898 K, Maximum bei 3207 nm. Achse Wavelength [nm]: 0 bis 10000, linear. "
            "Achse Energy density: 9E-11 bis 1E10, logarithmisch. Momentaufnahmen: 1 (5800 K). "
            "Der Bereich des sichtbaren Lichts ist hervorgehoben.");
}

TEST(ChartDescription, TheWindowKeepsTheDescriptionAndSpokenValuesCurrent) {
  std::unique_ptr<TfrmExample> w(new TfrmExample(nullptr));
  const std::string &description = w->RCChart->AccessibleDescription();
  EXPECT_NE(description.find("Curve at 898 K, peak at 3207 nm."), std::string::npos) << description;
  EXPECT_NE(description.find("axis: 9E-11 to 158.489, linear."), std::string::npos) << description;

  TAccessibleInfo slider;
  w->TBScaleY->DescribeAccessible(slider);
  EXPECT_EQ(slider.Value, "158.489");
  ASSERT_TRUE(slider.Range);
  EXPECT_DOUBLE_EQ(slider.Range->Minimum, 1e-4);
  EXPECT_DOUBLE_EQ(slider.Range->Maximum, 1e8);
  // Set as a screen reader sets it: the axis follows through the change event.
  EXPECT_TRUE(w->TBScaleY->AccessibleSetValue(1000));
  EXPECT_EQ(w->TBScaleY->Position(), 30);
  EXPECT_DOUBLE_EQ(w->RCChart->Scale1Y()->RangeHigh(), 1000);
  EXPECT_NE(description.find("to 1000, linear."), std::string::npos) << description;

  w->SBTemperature->DescribeAccessible(slider);
  EXPECT_EQ(slider.Value, "898 K");
  w->SBTemperature->SetPosition(5800);
  EXPECT_NE(description.find("Curve at 5800 K, peak at 497 nm."), std::string::npos);
  TAccessibleInfo readout;
  w->NLTemperature->DescribeAccessible(readout);
  EXPECT_EQ(readout.Name, "Temperature 5800 K");

  w->CBLogScale->SetChecked(true);
  EXPECT_NE(description.find("to 1E10, logarithmic."), std::string::npos) << description;
  window_test::SnapshotAt(*w, 1000);
  EXPECT_NE(description.find("Snapshots: 1 (1000 K)."), std::string::npos) << description;
}

} // namespace
