// Mouse gestures on a 280 x 200 chart with margins 50/20/20/40: the data area
// runs from x 50 to 260 (W' = 210) and from y 20 to 160 (H' = 140). Expected
// ranges are worked out by hand from those spans.
#include "chart/rchart.h"
#include "platform/application.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

const TShiftState Left{ssLeft};
const TShiftState NoButton{};

class ChartMouse : public ::testing::Test {
protected:
  ChartMouse() : chart(nullptr) {
    chart.HandleNeeded();
    chart.SetAutoRedraw(false);
    chart.Scale1X()->SetRangeLow(0);
    chart.Scale1X()->SetRangeHigh(100);
    chart.Scale1Y()->SetRangeLow(0);
    chart.Scale1Y()->SetRangeHigh(10);
    chart.OnZoomPan = [this](TObject *) { ++zoomPans; };
  }
  // Press, move (starting the gesture, then moving) and release with the left button.
  void Drag(TPoint From, TPoint To, TMouseButton Release = mbLeft) {
    chart.MouseMove(NoButton, From.X, From.Y);
    chart.MouseDown(mbLeft, Left, From.X, From.Y);
    chart.MouseMove(Left, From.X, From.Y);
    chart.MouseMove(Left, To.X, To.Y);
    chart.MouseUp(Release, NoButton, To.X, To.Y);
  }
  void ExpectX(double Lo, double Hi, int Layer = 1) {
    EXPECT_NEAR(chart.ScaleX(Layer)->RangeLow(), Lo, 1e-9);
    EXPECT_NEAR(chart.ScaleX(Layer)->RangeHigh(), Hi, 1e-9);
  }
  void ExpectY(double Lo, double Hi, int Layer = 1) {
    EXPECT_NEAR(chart.ScaleY(Layer)->RangeLow(), Lo, 1e-9);
    EXPECT_NEAR(chart.ScaleY(Layer)->RangeHigh(), Hi, 1e-9);
  }
  // What the control's window shows at (X, Y).
  TColor Shown(int X, int Y) {
    GrabControl(chart, grab);
    return grab.Pixel(X, Y);
  }

  TRChart chart;
  TBitmap grab;
  int zoomPans = 0;
};

TEST_F(ChartMouse, PanMovesLinearRangesByTheDraggedShareOfTheDataArea) {
  chart.SetMouseAction(maPan);
  Drag({100, 80}, {121, 80}); // 21 px = 10 % of W' to the right
  ExpectX(-10, 90);
  ExpectY(0, 10);
  EXPECT_EQ(zoomPans, 1);
  chart.SetMouseAction(maPanVert);
  Drag({100, 80}, {200, 94}); // 14 px = 10 % of H' down; x stays
  ExpectX(-10, 90);
  ExpectY(1, 11);
  // A step outside the data area is skipped; the gesture goes on from its start.
  chart.SetMouseAction(maPanHoriz);
  chart.MouseMove(Left, 100, 80);
  chart.MouseMove(Left, 270, 80);
  ExpectX(-10, 90);
  chart.MouseMove(Left, 79, 80);
  ExpectX(0, 100);
}

TEST_F(ChartMouse, PanOnALogarithmicAxisMovesByFactorsAndJoinedLayersFollow) {
  chart.Scale1X()->SetRangeLow(1);
  chart.Scale1X()->SetRangeHigh(1000);
  chart.Scale1X()->SetLogarithmic(true);
  chart.ScaleY(2)->SetRangeHigh(77);
  chart.JointLayers()->SetControlledBy(jaX, 2, 1);
  chart.SetMouseAction(maPan);
  Drag({100, 80}, {121, 80});
  const double k = std::pow(1000.0, -0.1); // about 0.501
  ExpectX(k, 1000 * k);
  ExpectX(k, 1000 * k, 2);
  ExpectY(0, 77, 2); // layer 2's own y axis is not joined
}

TEST_F(ChartMouse, ZoomWindowTakesTheCornersAsDraggedOrInTheAxisDirection) {
  // (71, 34) is world (10, 9); (155, 90) is world (50, 5).
  chart.SetMouseAction(maZoomWind);
  Drag({71, 34}, {155, 90});
  ExpectX(10, 50);
  ExpectY(9, 5); // dragged downwards: RangeLow is the upper value
  EXPECT_EQ(zoomPans, 1);

  chart.Scale1Y()->SetRangeLow(0);
  chart.Scale1Y()->SetRangeHigh(10);
  chart.Scale1X()->SetRangeLow(0);
  chart.Scale1X()->SetRangeHigh(100);
  chart.SetMouseAction(maZoomWindPos);
  Drag({155, 90}, {71, 34}); // from bottom-right to top-left
  ExpectX(10, 50);
  ExpectY(5, 9);

  // The corner stops at the data area's edge (260, 160): world (50, 5) ... (100, 0).
  Drag({155, 90}, {400, 300});
  ExpectX(30, 50);
  ExpectY(5, 7); // pixel 90 lies at 7 on 5 ... 9
  // A rectangle without height zooms nothing and raises nothing.
  zoomPans = 0;
  Drag({100, 50}, {200, 50});
  ExpectX(30, 50);
  EXPECT_EQ(zoomPans, 0);
}

TEST_F(ChartMouse, RubberBandReportsTheOrderedRectangleAndKeepsTheRanges) {
  std::vector<std::string> events;
  chart.SetMouseAction(maRubberBand);
  chart.OnRubberBand = [&](TObject *, int Layer, double LoX, double LoY, double HiX, double HiY) {
    events.push_back("band " + std::to_string(Layer));
    EXPECT_NEAR(LoX, 10, 1e-9);
    EXPECT_NEAR(LoY, 5, 1e-9);
    EXPECT_NEAR(HiX, 50, 1e-9);
    EXPECT_NEAR(HiY, 9, 1e-9);
  };
  chart.OnZoomPan = [&](TObject *) { events.push_back("zoompan"); };
  Drag({155, 90}, {71, 34});
  EXPECT_EQ(events, (std::vector<std::string>{"band 1", "zoompan"}));
  ExpectX(0, 100);
  // A press outside the data area starts nothing.
  Drag({20, 50}, {155, 90});
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(ChartMouse, IsometricRubberBandIsSquare) {
  chart.SetIsometric(true);
  chart.SetMouseAction(maZoomWind);
  chart.MouseDown(mbLeft, Left, 100, 100);
  chart.MouseMove(Left, 130, 60);  // up and right: y = y0 - dx
  chart.MouseMove(Left, 140, 150); // down and right: y = y0 + dx = 140
  chart.MouseUp(mbLeft, NoButton, 140, 150);
  // The zoomed window keeps square world units: its height follows its width.
  const double w = chart.Scale1X()->RangeHigh() - chart.Scale1X()->RangeLow();
  const double h = std::fabs(chart.Scale1Y()->RangeHigh() - chart.Scale1Y()->RangeLow());
  EXPECT_NEAR(h / w, 141.0 / 211.0, 1e-9);
}

TEST_F(ChartMouse, XorRectangleLivesOnTheScreenOnlyAndAlwaysGoes) {
  chart.Repaint();
  chart.SetMouseAction(maRubberBand);
  const TColor back = chart.Canvas().Pixels(149, 75);
  ASSERT_EQ(back, clWhite);
  chart.MouseDown(mbLeft, Left, 100, 50);
  chart.MouseMove(Left, 150, 100);    // box 100..149 x 50..99
  EXPECT_EQ(Shown(149, 75), clBlack); // white pen XOR white data area
  EXPECT_EQ(Shown(100, 50), clBlack);
  EXPECT_EQ(chart.Canvas().Pixels(149, 75), clWhite); // the back buffer is untouched
  chart.MouseMove(Left, 180, 120);
  EXPECT_EQ(Shown(149, 75), clWhite); // the previous rectangle is erased
  EXPECT_EQ(Shown(179, 75), clBlack);
  // A repaint during the drag takes the rectangle away; the next move draws
  // only the new one, nothing stale.
  chart.Repaint();
  EXPECT_EQ(Shown(179, 75), clWhite);
  chart.MouseMove(Left, 160, 110);
  EXPECT_EQ(Shown(179, 75), clWhite);
  EXPECT_EQ(Shown(159, 75), clBlack);
  // The right button cancels: no event, no zoom, no rectangle.
  int bands = 0;
  chart.OnRubberBand = [&](TObject *, int, double, double, double, double) { ++bands; };
  chart.MouseUp(mbRight, NoButton, 160, 110);
  EXPECT_EQ(Shown(159, 75), clWhite);
  EXPECT_EQ(bands, 0);
  ExpectX(0, 100);
  // So does a release of any other button.
  chart.MouseDown(mbLeft, Left, 100, 50);
  chart.MouseMove(Left, 150, 100);
  EXPECT_EQ(Shown(100, 60), clBlack);
  chart.MouseUp(mbMiddle, NoButton, 150, 100);
  EXPECT_EQ(Shown(100, 60), clWhite);
}

TEST_F(ChartMouse, ZoomDragScalesAboutTheCentreOfTheRecordedRanges) {
  chart.SetMouseAction(maZoomDrag);
  chart.MouseMove(Left, 100, 80);
  chart.MouseMove(Left, 128, 80); // fx = 1 - 28 / 280 = 0.9
  ExpectX(5, 95);
  ExpectY(0, 10);
  chart.MouseMove(Left, 100, 100); // fx = 1, fy = 1 + 20 / 200 = 1.1
  ExpectX(0, 100);
  ExpectY(-0.5, 10.5);
  EXPECT_EQ(zoomPans, 2);
}

TEST_F(ChartMouse, DraggingMovesTheNearestCrossHair) {
  std::vector<TCrossHair *> moved;
  chart.OnCrossHairMove = [&](TObject *, TCrossHair *C) { moved.push_back(C); };
  chart.SetMouseAction(maDragCrossH);
  // Nothing drawn: cross-hair 1 is taken, though it stays invisible.
  chart.MouseMove(Left, 150, 20);
  chart.MouseMove(Left, 176, 90);
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0], chart.CrossHair1());
  chart.MouseMove(NoButton, 0, 0);

  chart.CrossHair1()->SetMode(chHoriz); // line at y 90 (world 5)
  chart.CrossHair1()->SetPosY(5);
  chart.CrossHair2()->SetLayer(1);
  chart.CrossHair2()->SetMode(chVert); // line at x 155 (world 50)
  chart.CrossHair2()->SetPosX(50);
  chart.MouseMove(Left, 150, 20); // 5 px from cross-hair 2, 70 px from cross-hair 1
  chart.MouseMove(Left, 176, 104);
  ASSERT_EQ(moved.size(), 2u);
  EXPECT_EQ(moved[1], chart.CrossHair2());
  EXPECT_NEAR(chart.CrossHair2()->PosX(), 60, 1e-9);
  EXPECT_NEAR(chart.CrossHair2()->PosY(), 4, 1e-9);
}

TEST_F(ChartMouse, DraggingALabelSetsPixelsOrWorldValuesByItsAttachMode) {
  ASSERT_EQ(chart.AddTextLabel(50, 5, clBlack, "A"), 1); // anchor (155, 90)
  ASSERT_EQ(chart.AddTextLabel(0, 0, clBlack, "B"), 2);  // anchor (50, 160)
  std::vector<TTextLabel *> moved;
  chart.OnTextLabelMove = [&](TObject *, TTextLabel *L) { moved.push_back(L); };
  chart.SetMouseAction(maDragLabel);
  struct Case {
    TTxtLblAttachMode Mode;
    double X, Y;
  };
  // Mouse at (176, 104): world (60, 4).
  for (const Case &c : {Case{tlamNone, 176, 104}, Case{tlamXOnly, 60, 104}, Case{tlamYOnly, 176, 4},
                        Case{tlamBoth, 60, 4}}) {
    TTextLabel &l = *chart.TextLabels(1);
    l.SetAttachToData(tlamBoth);
    l.SetPosX(50);
    l.SetPosY(5);
    l.SetAttachToData(c.Mode);
    const bool worldX = c.Mode == tlamXOnly || c.Mode == tlamBoth;
    const bool worldY = c.Mode == tlamYOnly || c.Mode == tlamBoth;
    l.SetPosX(worldX ? 50 : 155);
    l.SetPosY(worldY ? 5 : 90);
    chart.MouseMove(NoButton, 0, 0);
    chart.MouseMove(Left, 150, 88);
    chart.MouseMove(Left, 176, 104);
    EXPECT_EQ(moved.back(), &l);
    EXPECT_NEAR(l.PosX(), c.X, 1e-9);
    EXPECT_NEAR(l.PosY(), c.Y, 1e-9);
  }
  EXPECT_EQ(moved.size(), 4u);
  EXPECT_EQ(chart.TextLabels(2)->PosX(), 0);
  // Switching to cross-hairs while a label beyond the cross-hairs' count is
  // held moves nothing.
  for (int i = 3; i <= 6; ++i)
    chart.AddTextLabel(100, 100, clBlack, "far");
  chart.TextLabels(6)->SetPosX(50);
  chart.TextLabels(6)->SetPosY(1); // anchor (155, 146)
  chart.MouseMove(NoButton, 0, 0);
  chart.MouseMove(Left, 155, 146);
  int crossMoves = 0;
  chart.OnCrossHairMove = [&](TObject *, TCrossHair *) { ++crossMoves; };
  chart.SetMouseAction(maDragCrossH);
  chart.MouseMove(Left, 160, 140);
  EXPECT_EQ(crossMoves, 0);
}

TEST_F(ChartMouse, MousePositionIsReportedInWorldUnitsAndNeverNonFinite) {
  std::vector<std::string> seen;
  chart.OnMouseMoveInChart = [&](TObject *, bool In, TShiftState, double X, double Y) {
    EXPECT_TRUE(std::isfinite(X) && std::isfinite(Y));
    seen.push_back((In ? "in " : "out ") + std::to_string(int(std::lround(X))) + "," +
                   std::to_string(int(std::lround(Y))));
  };
  chart.MouseMove(NoButton, 155, 90);
  chart.MouseMove(NoButton, 281, 174); // over the right margin, beyond the ranges
  EXPECT_EQ(seen, (std::vector<std::string>{"in 50,5", "out 110,-1"}));
  EXPECT_NEAR(chart.LastMouseX(), 50, 1e-9);
  // A data area without width: nothing to divide by, still finite values,
  // and a pan step is skipped.
  chart.SetMarginRight(230);
  chart.SetMouseAction(maPan);
  chart.MouseMove(Left, 50, 90);
  chart.MouseMove(Left, 50, 60);
  ExpectX(0, 100);
  ExpectY(0, 10);
  EXPECT_EQ(zoomPans, 0);
}

TEST_F(ChartMouse, ThePressCompletingADoubleClickIsIgnored) {
  std::vector<std::string> events;
  chart.OnMouseDown = [&](TObject *, TMouseButton, TShiftState, int, int) {
    events.push_back("down");
  };
  chart.OnMouseUp = [&](TObject *, TMouseButton, TShiftState, int, int) { events.push_back("up"); };
  chart.OnDblClick = [&](TObject *) { events.push_back("dblclick"); };
  chart.OnRubberBand = [&](TObject *, int, double, double, double, double) {
    events.push_back("band");
  };
  chart.SetMouseAction(maRubberBand);
  // As the platform delivers a double click: press, release, the completing
  // press (marked double) followed by DblClick, release.
  chart.MouseDown(mbLeft, Left, 100, 50);
  chart.MouseUp(mbLeft, NoButton, 100, 50);
  chart.MouseDown(mbLeft, TShiftState{ssLeft, ssDouble}, 100, 50);
  chart.DblClick();
  chart.MouseMove(Left, 150, 100);
  chart.MouseUp(mbLeft, NoButton, 150, 100);
  EXPECT_EQ(events, (std::vector<std::string>{"down", "up", "dblclick", "up"}));
  // A double click reported first swallows the next press.
  events.clear();
  chart.DblClick();
  chart.MouseDown(mbLeft, Left, 100, 50);
  chart.MouseUp(mbLeft, NoButton, 100, 50);
  EXPECT_EQ(events, (std::vector<std::string>{"dblclick", "up"}));
}

TEST_F(ChartMouse, AnExceptionFromAHandlerLeavesPaintingOn) {
  chart.SetMouseAction(maZoomWind);
  chart.OnZoomPan = [](TObject *) { throw std::runtime_error("handler failed"); };
  chart.MouseDown(mbLeft, Left, 71, 34);
  chart.MouseMove(Left, 155, 90);
  EXPECT_THROW(chart.MouseUp(mbLeft, NoButton, 155, 90), std::runtime_error);
  EXPECT_FALSE(chart.PaintSuspended());
  ExpectX(10, 50);
  const int paints = chart.PaintCount();
  chart.Repaint();
  EXPECT_EQ(chart.PaintCount(), paints + 1);
}

TEST_F(ChartMouse, CursorFollowsTheActionInsideTheDataAreaOnly) {
  for (TCursor c : {crChartHand, crChartZoomWindow, crChartZoomDrag, crChartZoomWindowPos})
    EXPECT_TRUE(Application->HasCursor(c));
  chart.SetMouseAction(maPan);
  chart.MouseMove(NoButton, 100, 80);
  EXPECT_EQ(Application->Cursor(), crDefault); // MouseCursorFixed is on by default
  chart.SetMouseCursorFixed(false);
  chart.MouseMove(NoButton, 100, 80);
  EXPECT_EQ(Application->Cursor(), crChartHand);
  chart.SetMouseAction(maZoom); // no action: the cursor stays as it is
  chart.MouseMove(NoButton, 101, 80);
  EXPECT_EQ(Application->Cursor(), crChartHand);
  chart.MouseMove(NoButton, 20, 80);
  EXPECT_EQ(Application->Cursor(), crDefault);
  chart.SetMouseAction(maZoomWindPos);
  chart.MouseMove(NoButton, 100, 80);
  EXPECT_EQ(Application->Cursor(), crChartZoomWindowPos);
  chart.MouseLeave(); // not left behind over other controls
  EXPECT_EQ(Application->Cursor(), crDefault);
}

TEST(ChartMouseGeometry, StepsThatWouldBreakARangeAreInvalid) {
  const TAxisRange lin{0, 100, false};
  EXPECT_FALSE(PanRange(lin, lin, 10, 0).Valid);
  EXPECT_FALSE(ZoomRange(lin, 0).Valid);
  EXPECT_FALSE(ZoomRange(lin, -0.5).Valid);
  const TAxisRange log{1, 1e300, true};
  EXPECT_FALSE(PanRange(log, log, -1000, 10).Valid); // overflows
  EXPECT_TRUE(ZoomRange(lin, 2).Valid);
  EXPECT_EQ(FiniteWorld(std::nan(""), lin), 50);
}

} // namespace
