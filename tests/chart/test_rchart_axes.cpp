// The chart's layers: axis objects, internal scales, mapping and the reaction
// to axis changes.
#include "axes/scale.h"
#include "chart/rchart.h"
#include "platform/property_registry.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include "../common/published_value.h"

namespace {

class ChartAxes : public ::testing::Test {
protected:
  ChartAxes() : chart(nullptr) {}
  TRChart chart;
};

TEST_F(ChartAxes, NewChartHasSixteenLayersInTheStandardLayout) {
  EXPECT_EQ(chart.Width(), 280);
  EXPECT_EQ(chart.Height(), 200);
  EXPECT_EQ(chart.MarginLeft(), 50);
  EXPECT_EQ(chart.MarginRight(), 20);
  EXPECT_EQ(chart.MarginTop(), 20);
  EXPECT_EQ(chart.MarginBottom(), 40);
  for (int n = 1; n <= 16; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(chart.ScaleX(n)->ColorScale(), LayerScaleColors[std::size_t(n - 1)]);
    EXPECT_EQ(chart.ScaleY(n)->ColorScale(), LayerScaleColors[std::size_t(n - 1)]);
    EXPECT_EQ(chart.ScaleX(n)->Visible(), n == 1);
    EXPECT_EQ(chart.InternalScaleX(n)->Name(), "RC_FScale_X_" + std::to_string(n));
    EXPECT_EQ(chart.InternalScaleY(n)->Name(), "RC_FScale_Y_" + std::to_string(n));
    EXPECT_TRUE(chart.InternalScaleX(n)->ChartOwned());
    EXPECT_TRUE(chart.InternalScaleY(n)->Transparent());
    if (n > 4) { // untouched by the layout: placement by layer number
      const bool odd = n % 2 == 1;
      EXPECT_EQ(chart.ScaleX(n)->ScaleType(), odd ? sctXT : sctXB);
      EXPECT_EQ(chart.ScaleY(n)->ScaleType(), odd ? sctYR : sctYL);
      EXPECT_EQ(chart.ScaleX(n)->ScalePos(), (n - 1) / 2 * 30);
      EXPECT_EQ(chart.ScaleY(n)->ScalePos(), (n - 1) / 2 * 50);
    }
  }
  EXPECT_EQ(LayerScaleColors[9], 0x0000FFu);
  EXPECT_EQ(chart.ScaleX(2)->ScaleType(), sctXT); // the layout puts it at the bottom
  EXPECT_EQ(chart.Scale1X()->CaptionPosY(), 22);
  EXPECT_EQ(chart.Scale1Y()->CaptionAlignment(), taLeftJustify);
}

TEST_F(ChartAxes, MapsTheDataAreaOfThe280By200Chart) {
  chart.Scale1X()->SetRangeLow(0);
  chart.Scale1X()->SetRangeHigh(10000);
  chart.Scale1Y()->SetRangeHigh(100);
  int x = 0, y = 0;
  chart.WorldToPixel(1, 0, 0, x, y);
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 160);
  chart.WorldToPixel(1, 10000, 100, x, y);
  EXPECT_EQ(x, 260);
  EXPECT_EQ(y, 20);
  double wx = 0, wy = 0;
  chart.PixelToWorld(1, 155, 90, wx, wy);
  EXPECT_DOUBLE_EQ(wx, 5000.0);
  EXPECT_DOUBLE_EQ(wy, 50.0);
  // Layer numbers outside 1 ... 16 are clamped.
  int x17 = 0, y17 = 0, x16 = 0, y16 = 0;
  chart.WorldToPixel(17, 0.5, 0.5, x17, y17);
  chart.WorldToPixel(16, 0.5, 0.5, x16, y16);
  EXPECT_EQ(x17, x16);
  EXPECT_EQ(y17, y16);
  // Far values are limited, never overflow.
  chart.WorldToPixel(1, 1e300, -1e300, x, y);
  EXPECT_EQ(x, 2147483647);
  EXPECT_EQ(y, 2147483647);
  chart.WorldToPixel(1, -1e300, 1e300, x, y);
  EXPECT_EQ(x, -2147483647);
  EXPECT_EQ(y, -2147483647);
}

TEST_F(ChartAxes, ShadowAndMarginsMoveTheMapping) {
  chart.SetShadowWidth(40);
  EXPECT_EQ(chart.ShadowWidth(), 32);
  chart.SetShadowWidth(-3);
  EXPECT_EQ(chart.ShadowWidth(), 0);
  chart.SetShadowWidth(5);
  int x = 0, y = 0;
  chart.WorldToPixel(1, 1, 0, x, y);
  EXPECT_EQ(x, 255);
  EXPECT_EQ(y, 155);
  chart.SetShadowWidth(0);
  chart.SetLRim(300); // wider than the control: no extent, every x in the middle
  EXPECT_EQ(chart.MarginLeft(), 300);
  for (double v : {-5.0, 0.0, 1.0, 1e9}) {
    chart.WorldToPixel(1, v, 0, x, y);
    EXPECT_EQ(x, 140);
  }
}

TEST_F(ChartAxes, ApplyScalePropsPlacesTheAxisLineAndCopiesTheSettings) {
  // Layer 1: bottom axis and left axis at the data area's edges.
  EXPECT_EQ(chart.InternalScaleX(1)->MarginTop(), 200 - 40);
  EXPECT_EQ(chart.InternalScaleY(1)->MarginRight(), 280 - 50 - 1);
  // Horizontal scales span the data area, vertical ones likewise.
  EXPECT_EQ(chart.InternalScaleX(1)->MarginLeft(), 50);
  EXPECT_EQ(chart.InternalScaleX(1)->MarginRight(), 19);
  EXPECT_EQ(chart.InternalScaleY(1)->MarginTop(), 20);
  EXPECT_EQ(chart.InternalScaleY(1)->MarginBottom(), 39);
  EXPECT_EQ(chart.InternalScaleX(1)->Width(), 280);
  // Layer 6: top axis 60 pixels out, right axis 100 pixels out.
  EXPECT_EQ(chart.InternalScaleX(6)->ScaleType(), sctXB);
  EXPECT_EQ(chart.InternalScaleX(6)->MarginBottom(), 60 + 200 - 20 - 1);
  EXPECT_EQ(chart.InternalScaleY(6)->ScaleType(), sctYL);
  EXPECT_EQ(chart.InternalScaleY(6)->MarginLeft(), 100 + 280 - 20);

  TScalePropsVert &y = *chart.Scale1Y();
  y.SetCaption("u / J m^-4");
  y.SetDecPlaces(3);
  y.SetRangeLow(-2);
  y.SetRangeHigh(8);
  y.SetColorScale(clRed);
  y.SetUserTickText("a|b");
  const TScale &s = *chart.InternalScaleY(1);
  EXPECT_EQ(s.Caption(), "u / J m^-4");
  EXPECT_EQ(s.DecPlaces(), 3);
  EXPECT_EQ(s.RangeLow(), -2.0);
  EXPECT_EQ(s.RangeHigh(), 8.0);
  EXPECT_EQ(s.ColorScale(), clRed);
  EXPECT_EQ(s.UserTickText(), "a|b");
  EXPECT_TRUE(s.Visible());
}

TEST_F(ChartAxes, AxisChangesRepaintAtOnceWhateverAutoRedrawSays) {
  chart.HandleNeeded();
  chart.SetAutoRedraw(false);
  const int before = chart.PaintCount();
  chart.Scale1X()->SetRangeHigh(10);
  EXPECT_EQ(chart.PaintCount(), before + 1);
  int x = 0, y = 0;
  chart.WorldToPixel(1, 10, 0, x, y);
  EXPECT_EQ(x, 260);
  EXPECT_EQ(chart.InternalScaleX(1)->RangeHigh(), 10.0);
  // While painting is suspended the change is applied but not painted.
  chart.SetPaintSuspended(true);
  chart.Scale2Y()->SetRangeHigh(3);
  EXPECT_EQ(chart.PaintCount(), before + 1);
  EXPECT_EQ(chart.InternalScaleY(2)->RangeHigh(), 3.0);
  chart.SetPaintSuspended(false); // clearing the flag paints once
  EXPECT_EQ(chart.PaintCount(), before + 2);
}

TEST_F(ChartAxes, LogarithmicAxisMapsZeroToTheEdge) {
  TScalePropsVert &y = *chart.Scale1Y();
  y.SetRangeLow(1);
  y.SetRangeHigh(1e4);
  y.SetLogarithmic(true);
  ASSERT_TRUE(y.Logarithmic());
  int x = 0, py = 0;
  chart.WorldToPixel(1, 0, 100, x, py);
  EXPECT_EQ(py, 90);
  chart.WorldToPixel(1, 0, 0, x, py);
  EXPECT_EQ(py, 200); // the bottom edge of the control
  y.SetRangeLow(1e4); // reversed: the low side is now the top
  y.SetRangeHigh(1);
  chart.WorldToPixel(1, 0, 0, x, py);
  EXPECT_EQ(py, 0);
}

TEST_F(ChartAxes, LogarithmicAxisWithRangeReachingZeroDoesNotFail) {
  // A chart made in code keeps its axes in loading state, so this is accepted
  // as it would be from a form.
  TScalePropsVert &y = *chart.Scale1Y();
  y.SetRangeHigh(100);
  y.SetLogarithmic(true);
  ASSERT_TRUE(y.Logarithmic());
  int x = 0, py = 0;
  chart.WorldToPixel(1, 0, 50, x, py);
  EXPECT_EQ(py, 90); // shown linearly until the range is positive
  chart.WorldToPixel(1, 0, 0, x, py);
  EXPECT_EQ(py, 160);
  chart.HandleNeeded();
  EXPECT_NO_THROW(chart.Repaint());
}

TEST_F(ChartAxes, ResizingKeepsAMinimumSizeAndRemaps) {
  chart.SetBounds(0, 0, 100, 50);
  EXPECT_EQ(chart.Width(), 150);
  EXPECT_EQ(chart.Height(), 80);
  EXPECT_EQ(chart.InternalScaleX(1)->Width(), 150);
  int x = 0, y = 0;
  chart.WorldToPixel(1, 1, 0, x, y);
  EXPECT_EQ(x, 130);
  EXPECT_EQ(y, 40);
}

// Every tick of both axes of layer 1, short ones included, lies on the pixel
// that data of its value maps to: on linear and logarithmic axes, with and
// without a shadow, over a run of sizes (where rounding ties fall differently)
// and with a data area that reaches the control's right edge.
TEST_F(ChartAxes, TicksSitOnTheDataOnLogarithmicAxesAndWithAShadow) {
  struct TCase {
    double XLo, XHi;
    bool XLog;
    double YLo, YHi;
    bool YLog;
    int Shadow, MR;
  };
  const TCase cases[] = {
      {0, 10000, false, 9e-11, 1e8, false, 0, 12}, // the simulation's linear energy axis
      {0, 10000, false, 9e-11, 1e10, true, 0, 12}, // and its logarithmic one
      {1, 1e5, true, 1, 1e4, true, 7, 12},
      {-3, 7, false, 0.01, 100, true, 13, 0},
      {0, 1, false, 0, 1, false, 0, 0},
  };
  TScalePropsHoriz &x = *chart.Scale1X();
  TScalePropsVert &y = *chart.Scale1Y();
  int checked = 0;
  for (const TCase &c : cases) {
    chart.SetMarginLeft(64);
    chart.SetMarginRight(c.MR);
    chart.SetMarginBottom(40);
    chart.SetShadowWidth(c.Shadow);
    x.SetLogarithmic(false);
    x.SetRangeLow(c.XLo);
    x.SetRangeHigh(c.XHi);
    x.SetLogarithmic(c.XLog);
    y.SetLogarithmic(false);
    y.SetRangeLow(c.YLo);
    y.SetRangeHigh(c.YHi);
    y.SetLogarithmic(c.YLog);
    ASSERT_EQ(chart.InternalScaleY(1)->Logarithmic(), c.YLog);
    for (int w = 540; w <= 560; ++w) {
      const int h = w * 3 / 5;
      chart.SetBounds(0, 0, w, h);
      const std::string where = std::to_string(w) + " x " + std::to_string(h) + ", shadow " +
                                std::to_string(c.Shadow) + ", tick ";
      int px = 0, py = 0;
      for (const TTick &t : ComputeTicks(chart.InternalScaleX(1)->State())) {
        chart.WorldToPixel(1, t.Value, 1, px, py);
        EXPECT_EQ(t.Foot.X, px) << where << t.Value;
        ++checked;
      }
      for (const TTick &t : ComputeTicks(chart.InternalScaleY(1)->State())) {
        chart.WorldToPixel(1, 1, t.Value, px, py);
        EXPECT_EQ(t.Foot.Y, py) << where << t.Value;
        ++checked;
      }
    }
  }
  EXPECT_GT(checked, 1000);
}

// Every setting of an axis object that the scale publishes under the same name
// reaches the internal scale, without a line per setting in the chart.
TEST_F(ChartAxes, EveryAxisSettingReachesTheInternalScale) {
  RegisterAxesClasses();
  const TClassInfo *props = FindClass("TScaleProps");
  const TClassInfo *scale = FindClass("TScale");
  if (props == nullptr || scale == nullptr) GTEST_SKIP() << "axis classes not registered yet";
  TScalePropsVert &y = *chart.Scale1Y();
  y.SetRangeLow(2); // positive, so that Logarithmic is taken by the scale as well
  y.SetRangeHigh(5000);
  TScale &s = *chart.InternalScaleY(1);
  int compared = 0;
  for (const auto &p : props->OwnProperties()) {
    const TPropInfo *twin = scale->FindProperty(p->Name());
    if (twin == nullptr || twin->Kind() != p->Kind() || p->Kind() == pkObject ||
        p->Kind() == pkEvent)
      continue;
    const std::string before = Published(*twin, &s);
    switch (p->Kind()) {
    case pkText:
      p->SetText(&y, p->GetText(&y) + "a|b");
      break;
    case pkFloat:
      p->SetFloat(&y, p->GetFloat(&y) + 3);
      break;
    case pkBoolean:
      p->SetOrdinal(&y, 1 - p->GetOrdinal(&y));
      break;
    case pkEnumeration:
      p->SetOrdinal(&y, (p->GetOrdinal(&y) + 1) % std::int64_t(p->ValueNames().size()));
      break;
    case pkColor:
      p->SetOrdinal(&y, 0x123456);
      break;
    default:
      p->SetOrdinal(&y, p->GetOrdinal(&y) + 5);
    }
    EXPECT_NE(Published(*twin, &s), before) << p->Name() << " did not change the scale";
    EXPECT_EQ(Published(*twin, &s), Published(*p, &y)) << p->Name();
    ++compared;
  }
  EXPECT_GE(compared, 14);
  y.DateFormat()->SetDateOrder(doYYMMDD);
  y.Font()->SetHeight(-17);
  EXPECT_TRUE(s.DateFormat()->SameSettings(*y.DateFormat()));
  EXPECT_EQ(s.Font()->Height(), -17);
}

} // namespace
