// Transient marks on a control's screen canvas, and keys a control claims
// from the window's focus navigation.
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/control.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
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
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  c.wanted = {TWinControl::wkArrows, TWinControl::wkTab};
  EXPECT_TRUE(QCoreApplication::sendEvent(c.Widget(), &tab));
  EXPECT_TRUE(QCoreApplication::sendEvent(c.Widget(), &left));
  EXPECT_EQ(keys, (std::vector<int>{0x09, 0x25}));
  // Not claimed: the key reaches the control and then the widget's own handling.
  c.wanted = {};
  QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
  up.setAccepted(false);
  QCoreApplication::sendEvent(c.Widget(), &up);
  EXPECT_EQ(keys.size(), 3u);
  EXPECT_FALSE(up.isAccepted());
}

} // namespace
