// Where a window starts on a screen: the largest size that fits, centred or
// kept inside the available area, its title bar never off the screen.
#include "platform/form.h"

#include <gtest/gtest.h>

namespace {

const TMargins Frame{4, 24, 4, 4}; // a title bar and thin borders
const TRect Screen1080At200 = Bounds(0, 0, 960, 540);
const TSize MainMinimum{560, 450};

TWindowPlacement Fit(TRect Window, TRect Area, bool Resizable = true, bool Centre = true,
                    TSize Minimum = MainMinimum) {
  return FitWindowIntoArea(Window, Frame, Area, Minimum, Resizable, Centre);
}

/// The outer frame of a placement.
TRect Outer(const TWindowPlacement &P) {
  return Bounds(P.Left, P.Top, P.Width + Frame.Left + Frame.Right,
                P.Height + Frame.Top + Frame.Bottom);
}

TEST(WindowFit, AWindowThatFitsKeepsItsSizeAndIsCentred) {
  const TWindowPlacement p = Fit(Bounds(0, 0, 808, 628), Bounds(0, 0, 1280, 800));
  EXPECT_EQ(p.Width, 800);
  EXPECT_EQ(p.Height, 600);
  EXPECT_EQ(p.Left, (1280 - 808) / 2);
  EXPECT_EQ(p.Top, (800 - 628) / 2);
}

TEST(WindowFit, TooLargeShrinksToTheAreaInEachDirectionItExceeds) {
  const TWindowPlacement p = Fit(Bounds(0, 0, 808, 628), Screen1080At200);
  EXPECT_EQ(p.Width, 800); // fits across
  EXPECT_EQ(p.Height, 540 - 28);
  EXPECT_EQ(Outer(p), Bounds(76, 0, 808, 540));
  // A panel at the top of the screen moves the area.
  const TWindowPlacement q = Fit(Bounds(0, 0, 808, 628), Bounds(0, 30, 700, 510));
  EXPECT_EQ(Outer(q), Bounds(0, 30, 700, 510));
  EXPECT_EQ(q.Width, 692);
}

TEST(WindowFit, TheMinimumSizeWinsAndTheTitleBarStaysOnScreen) {
  const TWindowPlacement p = Fit(Bounds(0, 0, 808, 628), Bounds(10, 20, 400, 300));
  EXPECT_EQ(p.Width, 560);
  EXPECT_EQ(p.Height, 450);
  EXPECT_EQ(p.Left, 10);
  EXPECT_EQ(p.Top, 20);
  // A fixed-size dialog keeps its size even where it does not fit.
  const TWindowPlacement d = Fit(Bounds(0, 0, 551, 360), Bounds(0, 0, 500, 300), false);
  EXPECT_EQ(d.Width, 543);
  EXPECT_EQ(d.Height, 332);
  EXPECT_EQ(d.Left, 0);
  EXPECT_EQ(d.Top, 0);
}

TEST(WindowFit, AWindowPlacedOffTheScreenIsMovedInside) {
  // Designed places are kept when they fit, moved in when they do not.
  EXPECT_EQ(Outer(Fit(Bounds(100, 50, 408, 328), Bounds(0, 0, 1280, 800), true, false, {})),
            Bounds(100, 50, 408, 328));
  EXPECT_EQ(Outer(Fit(Bounds(1100, -60, 408, 328), Bounds(0, 0, 1280, 800), true, false, {})),
            Bounds(872, 0, 408, 328));
  EXPECT_EQ(Outer(Fit(Bounds(-500, 700, 408, 328), Bounds(0, 0, 1280, 800), true, false, {})),
            Bounds(0, 472, 408, 328));
}

} // namespace
