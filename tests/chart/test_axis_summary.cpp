// The chart for screen readers: one picture object with the program's
// description, and its shown axes as data.
#include "chart/axis_summary.h"
#include "axes/scale.h"
#include "chart/rchart.h"
#include "platform/form.h"
#include <QAccessible>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(AxisSummary, ListsTheShownAxesLayerByLayerWithCaptionRangeAndScale) {
  TForm form(nullptr);
  auto *chart = new TRChart(&form);
  chart->SetParent(&form);
  for (int layer = 1; layer <= ChartLayerCount; ++layer) {
    chart->ScaleX(layer)->SetVisible(false);
    chart->ScaleY(layer)->SetVisible(false);
  }
  EXPECT_TRUE(SummarizeAxes(*chart).empty());

  chart->Scale1X()->SetVisible(true);
  chart->Scale1X()->SetCaption("Wavelength [nm]");
  chart->Scale1X()->SetRangeLow(0);
  chart->Scale1X()->SetRangeHigh(10000);
  chart->ScaleY(3)->SetVisible(true);
  chart->ScaleY(3)->SetCaption("Energy");
  chart->ScaleY(3)->SetRangeLow(1e-3);
  chart->ScaleY(3)->SetRangeHigh(1e10);
  chart->ScaleY(3)->SetLogarithmic(true);
  const std::vector<TAxisSummary> axes = SummarizeAxes(*chart);
  ASSERT_EQ(axes.size(), 2u);
  EXPECT_EQ(axes[0].Layer, 1);
  EXPECT_TRUE(axes[0].Horizontal);
  EXPECT_EQ(axes[0].Caption, "Wavelength [nm]");
  EXPECT_EQ(axes[0].Low, 0);
  EXPECT_EQ(axes[0].High, 10000);
  EXPECT_FALSE(axes[0].Logarithmic);
  EXPECT_EQ(axes[1].Layer, 3);
  EXPECT_FALSE(axes[1].Horizontal);
  EXPECT_EQ(axes[1].High, 1e10);
  EXPECT_TRUE(axes[1].Logarithmic);
}

TEST(AxisSummary, TheChartIsOnePictureToldByItsDescription) {
  TForm form(nullptr);
  auto *chart = new TRChart(&form);
  chart->SetParent(&form);
  chart->SetAccessibleName("Spectrum");
  chart->SetAccessibleDescription("Curve at 898 K.");
  QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(chart->Widget());
  ASSERT_TRUE(iface);
  EXPECT_EQ(iface->role(), QAccessible::Chart);
  EXPECT_EQ(iface->text(QAccessible::Name), "Spectrum");
  EXPECT_EQ(iface->text(QAccessible::Description), "Curve at 898 K.");
  EXPECT_TRUE(iface->state().readOnly);
}

TEST(AxisSummary, AStandAloneScaleIsAPictureNamedByItsCaption) {
  TForm form(nullptr);
  auto *scale = new TScale(&form);
  scale->SetParent(&form);
  scale->SetCaption("Wavelength [nm]");
  QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(scale->Widget());
  ASSERT_TRUE(iface);
  EXPECT_EQ(iface->role(), QAccessible::Graphic);
  EXPECT_EQ(iface->text(QAccessible::Name), "Wavelength [nm]");
}

} // namespace
