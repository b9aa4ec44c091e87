// The main window resized by code and by the window system: after every
// resize the chart's axes span its data area, their ticks are drawn inside
// it, and the track bar keeps its distance to its panel. One resized size
// is also kept as a golden picture (see test_main_window_golden.cpp for how
// to regenerate it).
#include "helper_main_window.h"

#include "axes/scale.h"
#include "localisation/tolkar2000.h"
#include "platform/application.h"
#include "platform/bitmap.h"
#include "platform/process_info.h"
#include "simulation/main_window.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TickFoot {
  double Value;
  int X, Y;
};

/// Checks both axes of the chart against its data area after a repaint.
void ExpectAxesFitTheDataArea(TfrmExample &W, const std::string &Where) {
  TRChart &chart = *W.RCChart;
  std::vector<TickFoot> xs, ys;
  chart.InternalScaleX(1)->OnScaleTickDrawn = [&](TObject *, TCanvas *&, TScaleType, double V,
                                                  int X, int Y) { xs.push_back({V, X, Y}); };
  chart.InternalScaleY(1)->OnScaleTickDrawn = [&](TObject *, TCanvas *&, TScaleType, double V,
                                                  int X, int Y) { ys.push_back({V, X, Y}); };
  chart.Repaint();
  chart.InternalScaleX(1)->OnScaleTickDrawn = nullptr;
  chart.InternalScaleY(1)->OnScaleTickDrawn = nullptr;

  const int left = chart.MarginLeft(), top = chart.MarginTop();
  const int right = chart.Width() - chart.MarginRight() - chart.ShadowWidth();
  const int bottom = chart.Height() - chart.MarginBottom() - chart.ShadowWidth();
  SCOPED_TRACE(Where);
  // The chart fills its place between the track bar and the temperature row.
  EXPECT_EQ(chart.Height(), W.pnlExample->Height() - W.Panel1->Height());
  EXPECT_EQ(chart.InternalScaleX(1)->Width(), chart.Width());
  EXPECT_EQ(chart.InternalScaleY(1)->Height(), chart.Height());
  // The axis ends sit on the data area's edges.
  int px = 0, py = 0;
  chart.WorldToPixel(1, chart.Scale1X()->RangeHigh(), chart.Scale1Y()->RangeHigh(), px, py);
  EXPECT_EQ(px, right);
  EXPECT_EQ(py, top);
  chart.WorldToPixel(1, chart.Scale1X()->RangeLow(), chart.Scale1Y()->RangeLow(), px, py);
  EXPECT_EQ(px, left);
  EXPECT_EQ(py, bottom);
  // Ticks are drawn along the data area, where their values map to.
  ASSERT_GE(xs.size(), 3u);
  ASSERT_GE(ys.size(), 3u);
  for (const TickFoot &t : xs) {
    chart.WorldToPixel(1, t.Value, 0, px, py);
    EXPECT_EQ(t.X, px) << t.Value;
    EXPECT_EQ(t.Y, bottom) << t.Value;
  }
  EXPECT_EQ(xs.back().Value, 10000);
  EXPECT_EQ(xs.back().X, right);
  for (const TickFoot &t : ys) {
    chart.WorldToPixel(1, 0, t.Value, px, py);
    EXPECT_EQ(t.Y, py) << t.Value;
    EXPECT_EQ(t.X, left) << t.Value;
    EXPECT_GE(t.Y, top);
    EXPECT_LE(t.Y, bottom);
  }
  EXPECT_EQ(W.TBScaleY->Height(), W.PnlTrackbar->Height() - 36);
}

TEST(MainWindowResize, AxesFollowEveryResize) {
  auto *w = new TfrmExample(nullptr);
  w->Show();
  Application->ProcessMessages();
  ExpectAxesFitTheDataArea(*w, "start");

  struct Step {
    int Width, Height;
    bool ByWindowSystem;
  };
  for (Step s : {Step{1200, 900, false}, Step{560, 450, true}, Step{1000, 700, true},
                 Step{300, 200, false}, Step{1200, 900, true}, Step{640, 480, false}}) {
    if (s.ByWindowSystem)
      w->Widget()->resize(s.Width, s.Height);
    else
      w->SetBounds(w->Left(), w->Top(), s.Width, s.Height);
    Application->ProcessMessages();
    // Never smaller than the window's minimum, and the window shows that size.
    EXPECT_EQ(w->Width(), std::max(s.Width, 560));
    EXPECT_EQ(w->Height(), std::max(s.Height, 450));
    EXPECT_EQ(w->Widget()->width(), w->Width());
    ExpectAxesFitTheDataArea(*w, std::to_string(s.Width) + "x" + std::to_string(s.Height));
  }

  // The log box changes the margin: the axes follow that too.
  w->CBLogScale->SetChecked(true);
  ExpectAxesFitTheDataArea(*w, "log");
  w->Free();
}

TEST(MainWindowResize, PictureAt1000x700) {
  const fs::path golden =
      fs::path(SPECTRION_SOURCE_DIR) / "tests/simulation/golden/main_window_1000x700.png";
  const fs::path language = LanguageFileName(ProgramPath());
  fs::copy_file(fs::path(SPECTRION_SOURCE_DIR) / "data/lang/spectrion.itl", language,
                fs::copy_options::overwrite_existing);
  auto *w = new TfrmExample(nullptr);
  w->Show();
  Application->ProcessMessages();
  w->Widget()->resize(1000, 700);
  Application->ProcessMessages();
  window_test::SnapshotAt(*w, 3000);
  w->SBTemperature->SetPosition(5000);
  w->CBLogScale->SetChecked(true);
  Application->ProcessMessages();
  TBitmap picture;
  GrabControl(*w, picture);
  w->Free();
  std::error_code ignored;
  fs::remove(language, ignored);
  ASSERT_EQ(picture.Width(), 1000);
  ASSERT_EQ(picture.Height(), 700);
  picture.SaveToFile((fs::current_path() / "actual-main_window_1000x700.png").string());
  if (std::getenv("SPECTRION_UPDATE_GOLDEN")) {
    picture.SaveToFile(golden.string());
    return;
  }
  TBitmap expected;
  expected.LoadFromFile(golden.string());
  EXPECT_LE(DifferingPixelShare(picture, expected, 40), 0.01);
}

} // namespace
