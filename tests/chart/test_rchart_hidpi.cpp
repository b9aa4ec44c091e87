// The chart on a screen scaled to 200 %: its bitmaps have the screen's device
// pixels and every one-pixel line is exactly two device pixels wide.
#include "chart/rchart.h"
#include "platform/bitmap.h"

#include <QImage>
#include <gtest/gtest.h>

#include <map>
#include <vector>

const char *TestScreenScaleFactor();
const char *TestScreenScaleFactor() {
  return "2";
}

namespace {

TEST(ChartHighDensity, GridLinesAreTwoDeviceRowsHigh) {
  TRChart chart(nullptr);
  chart.HandleNeeded();
  chart.SetBounds(0, 0, 400, 300);
  chart.SetGridStyle(gsHorizLines);
  chart.SetGridColor(clBlack);
  chart.Scale1Y()->SetRangeHigh(100);
  chart.Repaint();
  ASSERT_EQ(chart.DevicePixelRatio(), 2.0);
  const QImage &full = chart.FullBitmap().Image();
  ASSERT_EQ(full.width(), 800);
  ASSERT_EQ(full.height(), 600);

  // Down a device column in the middle of the data area, every run of
  // non-background pixels (grid lines and the data-area frame) is two rows.
  const int x = 2 * (chart.MarginLeft() + 100) + 1;
  const int top = 2 * chart.MarginTop(), bottom = 2 * (300 - chart.MarginBottom()) + 1;
  std::map<QRgb, int> counts;
  for (int y = top; y <= bottom; ++y)
    ++counts[full.pixel(x, y)];
  QRgb background = 0;
  int most = 0;
  for (auto [colour, n] : counts)
    if (n > most) most = n, background = colour;
  std::vector<int> runs;
  int run = 0;
  for (int y = top - 4; y <= bottom + 4; ++y) {
    if (full.pixel(x, y) != background && y >= top && y <= bottom) {
      ++run;
    } else if (run > 0) {
      runs.push_back(run);
      run = 0;
    }
  }
  ASSERT_GE(runs.size(), 4u);
  for (int r : runs)
    EXPECT_EQ(r, 2);
}

} // namespace
