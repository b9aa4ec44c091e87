// The window's tools end to end: a student's path from start to the Sun's
// curve without touching the track bar, the automatic fit while the
// temperature moves, presets, the hover read-out under synthetic mouse
// moves, wavelength zoom by mouse and keys, the context menu, saving the
// picture and the curves (and a failed save), and every new text in both
// language files.
#include "helper_main_window.h"

#include "platform/atomic_file.h"
#include "platform/file_dialog.h"
#include "platform/key_shortcuts.h"
#include "platform/message_box.h"
#include "platform/popup_menu.h"
#include "simulation/energy_axis.h"
#include "simulation/energy_fit.h"
#include "simulation/main_window_tools.h"
#include "simulation/plot_composer.h"
#include "simulation/presets.h"
#include "widgets/num_lab.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using namespace window_test;

/// Answers every save dialog with one path.
class TAnsweringDialog : public TSaveDialogService {
public:
  explicit TAnsweringDialog(std::string Path) : path_(std::move(Path)) {}
  std::optional<std::string> AskSaveFileName(TControl *, const TSaveDialogRequest &R) override {
    ++asked;
    last = R;
    return WithDefaultExtension(path_, R.DefaultExtension);
  }
  int asked = 0;
  TSaveDialogRequest last;

private:
  std::string path_;
};

/// Records the menus and chooses one command.
class TChoosingMenu : public TPopupMenuService {
public:
  explicit TChoosingMenu(int Choice, int *Shown) : choice_(Choice), shown_(Shown) {}
  int Popup(TControl &, TPoint, const std::vector<TPopupMenuItem> &) override {
    ++*shown_;
    return choice_;
  }

private:
  int choice_;
  int *shown_;
};

std::string ReadFile(const fs::path &P) {
  std::ifstream in(P, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class WindowTools : public ::testing::Test {
protected:
  WindowTools() : w(new TfrmExample(nullptr)) {
    w->Show();
    dir = fs::temp_directory_path() / ("spectrion-tools-" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  ~WindowTools() override {
    w->Free();
    SetSaveDialogService(nullptr);
    SetPopupMenuService(nullptr);
    fs::remove_all(dir);
  }
  TMainWindowTools &tools() { return *w->Tools(); }
  TRChart &chart() { return *w->RCChart; }
  double top() { return chart().Scale1Y()->RangeHigh(); }
  double currentPeak() { return DrawnCurvePeak(std::uint16_t(w->SBTemperature->Position()), 0, 10000); }
  TfrmExample *w;
  fs::path dir;
};

TEST_F(WindowTools, StudentReachesTheSunsCurveWithoutTheTrackBar) {
  // At start the window is as described: automatic fit off, no hint.
  EXPECT_FALSE(tools().AutoFit());
  EXPECT_FALSE(tools().HintShown());
  EXPECT_EQ(w->TBScaleY->Position(), 22);
  // The Sun's preset sets the temperature as dragging would.
  ASSERT_TRUE(tools().Shortcuts().Activate("Ctrl+6"));
  EXPECT_EQ(w->SBTemperature->Position(), 5772);
  EXPECT_EQ(w->NLTemperature->Value(), 5772);
  EXPECT_NEAR(w->NLPeakAt->Value(), 498.96, 0.01);
  // The curve peaks far above 158: the hint says so and names the key.
  EXPECT_TRUE(tools().HintShown());
  EXPECT_NE(chart().TextLabels(HintLabelIndex)->Caption().find("Ctrl+F"), std::string::npos);
  // The fit: the smallest step above the curve, and the hint goes.
  ASSERT_TRUE(tools().Shortcuts().Activate("Ctrl+F"));
  EXPECT_EQ(w->TBScaleY->Position(), 61);
  EXPECT_GE(top(), currentPeak());
  EXPECT_LT(TrackBarRangeHigh(60), currentPeak());
  EXPECT_FALSE(tools().HintShown());
  // The redraw used the new top: the peak line runs up to it.
  const GraphItem &peakLineEnd = chart().Items(chart().ItemCount() - 1);
  EXPECT_DOUBLE_EQ(peakLineEnd.Y1, top());
}

TEST_F(WindowTools, FitHoldsSnapshotsAndPeakCurveAndLeavesTheLogAxisAlone) {
  SnapshotAt(*w, 9000);
  w->SBTemperature->SetPosition(2000);
  tools().FitEnergyAxis();
  EXPECT_EQ(w->TBScaleY->Position(), FittingTrackBarPosition(DrawnCurvePeak(9000, 0, 10000)));
  w->CBPeakCurve->SetChecked(true);
  tools().FitEnergyAxis();
  EXPECT_EQ(w->TBScaleY->Position(), FittingTrackBarPosition(w->PeakTable.back()));

  w->CBLogScale->SetChecked(true);
  const int before = w->TBScaleY->Position();
  w->SBTemperature->SetPosition(100);
  tools().FitEnergyAxis();
  tools().SetAutoFit(true);
  w->SBTemperature->SetPosition(9000);
  EXPECT_EQ(w->TBScaleY->Position(), before);
  EXPECT_DOUBLE_EQ(top(), 1e10);
  EXPECT_FALSE(tools().HintShown());
}

TEST_F(WindowTools, AutomaticFitFollowsTheTemperatureUntilTheTrackBarIsMoved) {
  tools().Shortcuts().Activate("Ctrl+Shift+F");
  ASSERT_TRUE(tools().AutoFit());
  // Up through the whole range and back: the curve always fits, never with
  // more than one step and the hysteresis to spare, and the top only rises
  // on the way up.
  int last = w->TBScaleY->Position();
  for (int t = 900; t <= 10000; t += 50) {
    w->SBTemperature->SetPosition(t);
    ASSERT_GE(top(), currentPeak()) << t;
    ASSERT_LE(top(), currentPeak() * std::pow(10, 0.1) * AutoFitHysteresis * 1.0001) << t;
    ASSERT_GE(w->TBScaleY->Position(), last) << t;
    last = w->TBScaleY->Position();
    ASSERT_FALSE(tools().HintShown()) << t;
  }
  for (int t = 10000; t >= 300; t -= 50) {
    w->SBTemperature->SetPosition(t);
    ASSERT_GE(top(), currentPeak()) << t;
    ASSERT_LE(w->TBScaleY->Position(), last) << t;
    last = w->TBScaleY->Position();
  }
  // Back and forth across a step's edge: the axis does not flip.
  w->SBTemperature->SetPosition(5000);
  const int settled = w->TBScaleY->Position();
  int t = 5000;
  while (FittingTrackBarPosition(DrawnCurvePeak(std::uint16_t(t), 0, 10000)) <= settled) ++t;
  w->SBTemperature->SetPosition(t);
  const int above = w->TBScaleY->Position();
  EXPECT_EQ(above, settled + 1);
  w->SBTemperature->SetPosition(t - 1);
  EXPECT_EQ(w->TBScaleY->Position(), above);
  // The user moves the track bar: automatic mode ends, the top stays put.
  w->TBScaleY->SetPosition(30);
  EXPECT_FALSE(tools().AutoFit());
  w->SBTemperature->SetPosition(9000);
  EXPECT_EQ(w->TBScaleY->Position(), 30);
  EXPECT_TRUE(tools().HintShown());
}

TEST_F(WindowTools, EveryPresetSetsItsTemperatureAsDraggingWould) {
  for (std::size_t i = 0; i < TemperaturePresets.size(); ++i) {
    w->BButAdd->PerformClick(); // Add is disabled until the temperature moves
    tools().Run(tcPresetFirst + int(i));
    const int k = TemperaturePresets[i].Kelvin;
    EXPECT_EQ(w->SBTemperature->Position(), k);
    EXPECT_EQ(w->NLTemperature->Value(), k);
    EXPECT_TRUE(w->BButAdd->Enabled()) << k;
    // The colour swatch and the power read-out follow.
    EXPECT_EQ(tools().SwatchColour(), BlackBodySrgb(k));
    EXPECT_EQ(ItemsOfColour(chart(), CurrentCurveColor), 199);
  }
  EXPECT_EQ(w->Snapshots.size(), TemperaturePresets.size());
  std::set<int> kelvins;
  for (const auto &p : TemperaturePresets)
    kelvins.insert(p.Kelvin);
  EXPECT_EQ(kelvins, (std::set<int>{310, 1300, 1900, 2700, 3000, 5772, 9940}));
}

TEST_F(WindowTools, HoverReadOutFollowsTheMouseAndGoesWhenItLeaves) {
  const TDataArea a = DataAreaOf(chart().Rim());
  const int x = (a.Left + a.Right) / 2, y = (a.Top + a.Bottom) / 2;
  chart().MouseMove({}, x, y);
  double wx = 0, wy = 0;
  chart().PixelToWorld(1, x, y, wx, wy);
  ASSERT_TRUE(tools().Hover().Visible);
  EXPECT_DOUBLE_EQ(tools().Hover().WavelengthNm, wx);
  EXPECT_DOUBLE_EQ(tools().Hover().AxisValue, wy);
  const double h = 6.62607015e-34, c = 299792458.0, k = 1.380649e-23, l = wx * 1e-9;
  const double planck = 8 * M_PI * h * c / std::pow(l, 5) / std::expm1(h * c / (l * k * 898));
  EXPECT_NEAR(tools().Hover().CurveDensity / planck, 1, 0.01);
  TTextLabel *label = chart().TextLabels(HoverLabelIndex);
  EXPECT_NE(label->Mode(), tlOff);
  EXPECT_NE(label->Caption().find(" nm\n"), std::string::npos);
  // A temperature step under a resting mouse updates the read-out.
  w->SBTemperature->SetPosition(5772);
  EXPECT_GT(tools().Hover().CurveDensity, planck * 10);
  // Over the margin, and out of the chart: gone.
  chart().MouseMove({}, 2, 2);
  EXPECT_FALSE(tools().Hover().Visible);
  chart().MouseMove({}, x, y);
  EXPECT_TRUE(tools().Hover().Visible);
  chart().MouseLeave();
  EXPECT_FALSE(tools().Hover().Visible);
  EXPECT_EQ(label->Mode(), tlOff);
}

TEST_F(WindowTools, ReadOutsFollowTheDataAreaWhenTheWindowIsResized) {
  w->SBTemperature->SetPosition(5772);
  ASSERT_TRUE(tools().HintShown());
  w->SetBounds(0, 0, 1000, 700);
  const TRect area{DataAreaOf(chart().Rim()).Left, DataAreaOf(chart().Rim()).Top,
                   DataAreaOf(chart().Rim()).Right + 1, DataAreaOf(chart().Rim()).Bottom + 1};
  EXPECT_EQ(chart().TextLabels(PowerLabelIndex)->PosX(), PowerAnchor(area).X);
  EXPECT_EQ(chart().TextLabels(PowerLabelIndex)->PosY(), PowerAnchor(area).Y);
  EXPECT_EQ(chart().TextLabels(HintLabelIndex)->PosX(), HintAnchor(area).X);
  EXPECT_EQ(chart().TextLabels(HintLabelIndex)->PosY(), HintAnchor(area).Y);
}

TEST_F(WindowTools, WavelengthsZoomByMouseAndKeysAndComeBack) {
  const TDataArea a = DataAreaOf(chart().Rim());
  const double yLow = chart().Scale1Y()->RangeLow(), yHigh = top();
  // A window dragged over the left quarter zooms the wavelengths only.
  const int x0 = a.Left + 10, x1 = a.Left + a.SpanX() / 4, y0 = a.Top + 20, y1 = a.Bottom - 20;
  double wx0 = 0, wx1 = 0, wy = 0;
  chart().PixelToWorld(1, x0, y0, wx0, wy);
  chart().PixelToWorld(1, x1, y1, wx1, wy);
  chart().MouseMove({}, x0, y0);
  ASSERT_TRUE(tools().Hover().Visible);
  chart().MouseDown(mbLeft, {ssLeft}, x0, y0);
  // The read-out steps aside while the window is dragged.
  EXPECT_FALSE(tools().Hover().Visible);
  chart().MouseMove({ssLeft}, x1, y1);
  EXPECT_FALSE(tools().Hover().Visible);
  chart().MouseUp(mbLeft, {}, x1, y1);
  EXPECT_NEAR(chart().Scale1X()->RangeLow(), wx0, 1e-6);
  EXPECT_NEAR(chart().Scale1X()->RangeHigh(), wx1, 1e-6);
  EXPECT_DOUBLE_EQ(chart().Scale1Y()->RangeLow(), yLow);
  EXPECT_DOUBLE_EQ(top(), yHigh);
  // Shift and drag pans; it stops at 0 nm.
  chart().MouseDown(mbLeft, {ssLeft, ssShift}, x1, y0);
  chart().MouseMove({ssLeft, ssShift}, x1, y0);
  chart().MouseMove({ssLeft, ssShift}, a.Right - 1, y0);
  EXPECT_DOUBLE_EQ(chart().Scale1X()->RangeLow(), 0);
  EXPECT_NEAR(chart().Scale1X()->RangeHigh(), wx1 - wx0, 1e-6);
  chart().MouseUp(mbLeft, {ssShift}, a.Right - 1, y0);
  // Keys: in, across, out, and the full range again.
  tools().Shortcuts().Activate("Ctrl+0");
  tools().Shortcuts().Activate("Ctrl++");
  EXPECT_NEAR(chart().Scale1X()->RangeHigh() - chart().Scale1X()->RangeLow(), 10000 / 1.5, 1e-6);
  const double lo = chart().Scale1X()->RangeLow();
  tools().Shortcuts().Activate("Ctrl+Right");
  EXPECT_GT(chart().Scale1X()->RangeLow(), lo);
  tools().Shortcuts().Activate("Ctrl+-");
  tools().Shortcuts().Activate("Ctrl+-");
  EXPECT_DOUBLE_EQ(chart().Scale1X()->RangeLow(), 0);
  EXPECT_DOUBLE_EQ(chart().Scale1X()->RangeHigh(), 10000);
  tools().Shortcuts().Activate("Ctrl+=");
  tools().Run(tcFullWavelengths);
  EXPECT_DOUBLE_EQ(chart().Scale1X()->RangeLow(), 0);
  EXPECT_DOUBLE_EQ(chart().Scale1X()->RangeHigh(), 10000);
}

TEST_F(WindowTools, ContextMenuOffersEveryCommandAndRunsTheChoice) {
  int shown = 0;
  SetPopupMenuService(std::make_unique<TChoosingMenu>(tcPresetFirst + 5, &shown));
  const TDataArea a = DataAreaOf(chart().Rim());
  chart().MouseDown(mbRight, {ssRight}, a.Left + 50, a.Top + 50);
  chart().MouseUp(mbRight, {}, a.Left + 50, a.Top + 50);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(w->SBTemperature->Position(), 5772);
  // The Menu key and Shift+F10 open it as well.
  tools().Shortcuts().Activate("Menu");
  tools().Shortcuts().Activate("Shift+F10");
  EXPECT_EQ(shown, 3);
  // Every command with its keys is in it, every key is named in the help.
  std::set<int> commands;
  std::function<void(const std::vector<TPopupMenuItem> &)> walk =
      [&](const std::vector<TPopupMenuItem> &items) {
        for (const TPopupMenuItem &i : items) {
          if (!i.Submenu.empty()) walk(i.Submenu);
          if (i.Separator || !i.Submenu.empty()) continue;
          commands.insert(i.Command);
          EXPECT_FALSE(i.Shortcut.empty()) << i.Caption;
        }
      };
  walk(tools().ContextMenuItems());
  const std::string help = w->MMExplain->Lines()->Strings(w->MMExplain->Lines()->Count() - 1);
  for (const TToolCommandKeys &k : ToolCommandKeys()) {
    if (k.Command != tcContextMenu) {
      EXPECT_EQ(commands.count(k.Command), 1u) << k.NameKey;
    }
    if (k.Command < tcPresetFirst) {
      EXPECT_NE(help.find(k.Keys), std::string::npos) << k.Keys;
    }
  }
  for (const std::string &keys : tools().Shortcuts().Keys())
    EXPECT_FALSE(NormalisedKeys(keys).empty());
}

TEST_F(WindowTools, SavesPictureAndCurvesWholeOrNotAtAll) {
  w->SBTemperature->SetPosition(5772);
  SnapshotAt(*w, 3000);
  w->SBTemperature->SetPosition(5772);
  auto dialog = std::make_unique<TAnsweringDialog>((dir / "sun").string());
  TAnsweringDialog *d = dialog.get();
  SetSaveDialogService(std::move(dialog));
  TMessageBoxRecorder boxes;
  // The picture, at the screen's density or more.
  tools().Shortcuts().Activate("Ctrl+S");
  EXPECT_EQ(d->last.DefaultExtension, "png");
  QImage png;
  ASSERT_TRUE(png.load(QString::fromStdString((dir / "sun.png").string())));
  EXPECT_GE(png.width(), int(chart().Width() * chart().DevicePixelRatio()));
  EXPECT_GE(png.height(), int(chart().Height() * chart().DevicePixelRatio()));
  // The curves, in the plot tool's table.
  tools().Shortcuts().Activate("Ctrl+Shift+S");
  const std::string csv = ReadFile(dir / "sun.csv");
  EXPECT_EQ(csv.substr(0, csv.find('\n')), "wavelength_nm,snapshot_1_3000K,current_5772K");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 198);
  EXPECT_TRUE(boxes.Messages.empty());

  // A write that fails shows an error and keeps the old file whole.
  atomic_file_testing::FailAt(atomic_file_testing::stWrite, ENOSPC);
  tools().SaveCurves();
  tools().SavePicture();
  atomic_file_testing::FailAt(atomic_file_testing::stNone, 0);
  ASSERT_EQ(boxes.Messages.size(), 2u);
  EXPECT_EQ(boxes.Messages[0].Type, mtError);
  EXPECT_NE(boxes.Messages[0].Text.find("sun.csv"), std::string::npos);
  EXPECT_EQ(ReadFile(dir / "sun.csv"), csv);
  EXPECT_TRUE(png.load(QString::fromStdString((dir / "sun.png").string())));
  EXPECT_EQ(d->asked, 4);
  // No directory of that name: an error, nothing written.
  SetSaveDialogService(std::make_unique<TAnsweringDialog>((dir / "missing" / "x.csv").string()));
  tools().SaveCurves();
  ASSERT_EQ(boxes.Messages.size(), 3u);
  EXPECT_FALSE(fs::exists(dir / "missing"));
}

TEST(WindowToolTexts, EveryNewTextIsInBothLanguageFiles) {
  std::vector<std::string> keys = {"Wavelength", "Curve at the mouse", "Axis at the mouse",
                                   "The curve runs above the axis: press <%1%> to fit it",
                                   "Radiated power", "Colour of the body", "Presets",
                                   "Save picture", "Save curves", "PNG picture", "CSV table",
                                   "The file could not be saved.", "Keys:", "Ctrl", "Shift",
                                   "Left", "Right", "Menu"};
  for (const TToolCommandKeys &k : ToolCommandKeys())
    keys.push_back(k.NameKey);
  for (const char *file : {"spectrion.itl", "spectrion-de.itl"}) {
    const std::string text = ReadFile(fs::path(SPECTRION_SOURCE_DIR) / "data/lang" / file);
    for (const std::string &k : keys)
      EXPECT_NE(text.find("[" + k + "]="), std::string::npos) << file << ": " << k;
  }
}

} // namespace
