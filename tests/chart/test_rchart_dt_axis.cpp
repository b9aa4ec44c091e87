// A chart whose x axis shows dates: the ticks its internal scale reports
// and records (the grid follows them), and a golden picture of the whole
// chart.
//
// To regenerate the picture after an intended change of the drawing:
//   SPECTRION_UPDATE_GOLDEN=1 QT_QPA_PLATFORM=offscreen
//       build/tests/chart/chart_test_rchart_dt_axis
// (one command line) and look at tests/chart/golden/rchart_dt_axis.png.
#include "axes/scale.h"
#include "chart/rchart.h"
#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

TEST(ChartDateAxis, TicksAreReportedRecordedAndDrawn) {
  TRChart chart(nullptr);
  chart.HandleNeeded();
  chart.SetAutoRedraw(false);
  chart.SetBounds(0, 0, 560, 320);
  chart.SetMarginLeft(50);
  chart.SetMarginBottom(60);
  chart.SetGridStyle(gsVertLines);
  chart.Scale1X()->SetLabelType(ftDateTime);
  chart.Scale1X()->SetRangeLow(45000); // 15 .. 25 March 2023
  chart.Scale1X()->SetRangeHigh(45010);
  chart.Scale1X()->SetCaption("date");
  chart.Scale1Y()->SetRangeHigh(100);
  std::vector<double> reported;
  chart.OnScaleTickDrawn = [&](TObject *, TCanvas *&, TScaleType type, double v, int, int) {
    if (type == sctXT) reported.push_back(v);
  };
  chart.SetDataColor(clRed);
  chart.MoveTo(45000, 50);
  for (int i = 1; i <= 40; ++i)
    chart.DrawTo(45000 + i * 0.25, 50 + 40 * std::sin(i * 0.3));
  chart.ShowGraph();

  // Daily ticks, every one reported and recorded for the grid.
  ASSERT_EQ(reported.size(), 11u);
  EXPECT_EQ(reported.front(), 45000);
  EXPECT_EQ(reported.back(), 45010);
  const TScale *x = chart.InternalScaleX(1);
  ASSERT_EQ(x->NumTicks(), 11);
  EXPECT_EQ(x->TickPosition(3), 45002);

  TBitmap &picture = chart.FullBitmap();
  const fs::path golden = fs::path(SPECTRION_SOURCE_DIR) / "tests/chart/golden/rchart_dt_axis.png";
  const fs::path actual = fs::current_path() / "actual-rchart_dt_axis.png";
  picture.SaveToFile(actual.string());
  if (std::getenv("SPECTRION_UPDATE_GOLDEN")) {
    fs::create_directories(golden.parent_path());
    picture.SaveToFile(golden.string());
    return;
  }
  ASSERT_TRUE(fs::exists(golden)) << "no golden picture " << golden;
  TBitmap expected;
  expected.LoadFromFile(golden.string());
  EXPECT_LE(DifferingPixelShare(picture, expected, 40), 0.01)
      << "differs from the golden picture; this run's picture is " << actual;
}
