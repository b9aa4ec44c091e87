// Transient marks on a control's screen canvas, and keys a control claims
// from the window's focus navigation.
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/control.h"

#include "helper_window.h"

#include <gtest/gtest.h>

namespace {

class TWhite : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  void Paint() override {
    Canvas().Brush().SetColor(clWhite);
    Canvas().FillRect(Rect(0, 0, Width(), Height()));
  }
  TWantedKeys wanted;
  TWantedKeys WantedKeys() const override { return wanted; }
};

TEST(ScreenCanvas, MarksStayOffTheBackBufferAndGoWithTheNextPaint) {
  TWhite c(nullptr);
  c.SetBounds(0, 0, 40, 30);
  c.Repaint();
  TBitmap shown;
  EXPECT_FALSE(c.ScreenCanvasActive());
  c.ScreenCanvas().SetPixels(5, 5, clRed);
  c.ScreenCanvasChanged();
  EXPECT_TRUE(c.ScreenCanvasActive());
  GrabControl(c, shown);
  EXPECT_EQ(shown.Pixel(5, 5), clRed);
  EXPECT_EQ(c.Canvas().Pixels(5, 5), clWhite);
  c.Repaint();
  EXPECT_FALSE(c.ScreenCanvasActive());
  GrabControl(c, shown);
  EXPECT_EQ(shown.Pixel(5, 5), clWhite);
  // Showing the back buffer after drawing on it outside Paint also ends the marks.
  c.ScreenCanvas().SetPixels(6, 6, clRed);
  c.UpdateScreen();
  EXPECT_FALSE(c.ScreenCanvasActive());
}

TEST(WantedKeys, ArrowsAndTabAreKeptFromFocusNavigationWhenClaimed) {
  TWhite c(nullptr);
  std::vector<int> keys;
  c.OnKeyDown = [&](TObject *, std::uint16_t &Key, TShiftState) { keys.push_back(Key); };
  c.wanted = {TWinControl::wkArrows, TWinControl::wkTab};
  EXPECT_TRUE(SendKeyPress(c, 0x09));
  EXPECT_TRUE(SendKeyPress(c, 0x25));
  EXPECT_EQ(keys, (std::vector<int>{0x09, 0x25}));
  // Not claimed: the key reaches the control and then the widget's own handling.
  c.wanted = {};
  EXPECT_FALSE(SendKeyPress(c, 0x26));
  EXPECT_EQ(keys.size(), 3u);
}

} // namespace
