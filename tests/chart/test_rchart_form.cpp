// A chart created from a form description, with nested axis settings.
#include "axes/scale.h"
#include "chart/rchart.h"
#include "platform/form.h"
#include "platform/form_loader.h"
#include "platform/property_registry.h"

#include <gtest/gtest.h>

namespace {

TEST(ChartForm, ChartIsBuiltFromADescriptionWithNestedAxisSettings) {
  RegisterChartClasses();
  TForm form(nullptr);
  ReadComponentText(&form, R"(
object Form1: TForm
  object RCChart: TRChart
    Left = 8
    Top = 8
    Width = 400
    Height = 300
    AutoRedraw = False
    DataColor = clRed
    TextAlignment = taLeftJustify
    MarginLeft = 60
    BRim = 50
    Scale1X.RangeLow = 0
    Scale1X.RangeHigh = 10000
    Scale1X.Caption = 'wavelength / nm'
    Scale1Y.RangeLow = 1
    Scale1Y.RangeHigh = 1e10
    Scale1Y.Logarithmic = True
    Scale1Y.DecPlaces = 20
    CrossHair2.Mode = chBoth
    CrossHair2.Layer = 0
  end
end
)");
  auto *chart = dynamic_cast<TRChart *>(form.FindComponent("RCChart"));
  ASSERT_NE(chart, nullptr);
  EXPECT_EQ(chart->Width(), 400);
  EXPECT_FALSE(chart->AutoRedraw());
  EXPECT_EQ(chart->DataColor(), clRed);
  EXPECT_EQ(chart->TextAlignment(), taLeftJustify);
  EXPECT_EQ(chart->MarginLeft(), 60);
  EXPECT_EQ(chart->MarginBottom(), 50);
  EXPECT_EQ(chart->Scale1X()->RangeHigh(), 10000.0);
  EXPECT_EQ(chart->Scale1X()->Caption(), "wavelength / nm");
  EXPECT_TRUE(chart->Scale1Y()->Logarithmic());
  EXPECT_EQ(chart->Scale1Y()->DecPlaces(), 12);
  EXPECT_EQ(chart->CrossHair2()->Mode(), chBoth);
  EXPECT_EQ(chart->CrossHair2()->Layer(), 1);
  // The end of loading applied the axes and computed the mapping.
  EXPECT_FALSE(chart->Scale1Y()->Loading());
  EXPECT_EQ(chart->InternalScaleY(1)->RangeHigh(), 1e10);
  int x = 0, y = 0;
  chart->WorldToPixel(1, 10000, 1e10, x, y);
  EXPECT_EQ(x, 400 - 20);
  EXPECT_EQ(y, 20);
  // After loading the logarithmic check applies again.
  chart->Scale1X()->SetLogarithmic(true);
  EXPECT_FALSE(chart->Scale1X()->Logarithmic());
}

TEST(ChartForm, PublishedPropertiesAreRegistered) {
  RegisterChartClasses();
  const TClassInfo *info = FindClass("TRChart");
  ASSERT_NE(info, nullptr);
  for (const char *name :
       {"AllocSize",  "ClassDefault",  "DataColor",       "PenStyle",    "FillColor",
        "LineWidth",  "TextFontStyle", "TextBkStyle",     "TextBkColor", "TextAlignment",
        "AutoRedraw", "ChartColor",    "ChartFrameColor", "CrossHair1",  "CrossHair4",
        "MarginLeft", "LRim",          "ShadowWidth",     "Scale1X",     "Scale4Y"})
    EXPECT_NE(info->FindProperty(name), nullptr) << name;
  const TClassInfo *label = FindClass("TTextLabel");
  ASSERT_NE(label, nullptr);
  EXPECT_NE(label->FindProperty("VerticalAlignment"), nullptr);
  EXPECT_NE(label->FindProperty("Font"), nullptr);
}

} // namespace
