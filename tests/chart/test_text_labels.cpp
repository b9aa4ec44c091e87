// Text labels and cross-hairs: defaults, setter filters and the chart's pools.
#include "chart/rchart.h"
#include "support/zelt_errors.h"

#include <gtest/gtest.h>

namespace {

TEST(TextLabel, FreshObjectDefaults) {
  TTextLabel l;
  EXPECT_EQ(l.PosX(), 100.0);
  EXPECT_EQ(l.PosY(), 10.0);
  EXPECT_EQ(l.Layer(), 1);
  EXPECT_EQ(l.ShadowDx(), 0);
  EXPECT_EQ(l.ColorShadow(), 0x808080u);
  EXPECT_EQ(l.Alignment(), taCenter);
  EXPECT_EQ(l.VerticalAlignment(), vaBottom);
  EXPECT_EQ(l.AttachToData(), tlamNone);
  EXPECT_EQ(l.ColorBkg(), 0xC0C0C0u);
  EXPECT_EQ(l.ColorBorder(), 0u);
  EXPECT_FALSE(l.Transparent());
  EXPECT_EQ(l.Mode(), tlsimple);
  EXPECT_TRUE(l.Visible());
}

TEST(TextLabel, FiltersLayerAndCaptionAndReportsEveryOtherChange) {
  TTextLabel l;
  int changes = 0;
  l.OnChange = [&](TObject *Sender) {
    EXPECT_EQ(Sender, &l);
    ++changes;
  };
  l.SetLayer(0);
  l.SetLayer(17);
  EXPECT_EQ(l.Layer(), 1);
  EXPECT_EQ(changes, 0);
  l.SetLayer(16);
  EXPECT_EQ(l.Layer(), 16);
  EXPECT_EQ(changes, 1);
  l.SetCaption("a\tb\rc\nd\x1f");
  EXPECT_EQ(l.Caption(), "a b c\nd ");
  EXPECT_EQ(changes, 2);
  l.Font()->SetColor(clRed); // the label's own font reports through the label
  EXPECT_EQ(changes, 3);
  TFont other;
  other.SetHeight(-20);
  l.SetFont(&other);
  EXPECT_EQ(l.Font()->Height(), -20);
  EXPECT_NE(l.Font(), &other);
  EXPECT_EQ(changes, 4);
}

TEST(CrossHair, LayerIsLimitedAndAssignCopiesEverything) {
  TCrossHair c;
  int changes = 0;
  c.OnChange = [&](TObject *) { ++changes; };
  c.SetLayer(0);
  EXPECT_EQ(c.Layer(), 1);
  c.SetLayer(17);
  EXPECT_EQ(c.Layer(), 16);
  EXPECT_EQ(changes, 2);

  TCrossHair src;
  src.SetPosX(1.5);
  src.SetPosY(-2);
  src.SetColor(clRed);
  src.SetMode(chBoth);
  src.SetLineType(psDash);
  src.SetLineWid(3);
  src.SetLayer(4);
  c.Assign(&src);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(c.PosX(), 1.5);
  EXPECT_EQ(c.PosY(), -2.0);
  EXPECT_EQ(c.Color(), clRed);
  EXPECT_EQ(c.Mode(), chBoth);
  EXPECT_EQ(c.LineType(), psDash);
  EXPECT_EQ(c.LineWid(), 3);
  EXPECT_EQ(c.Layer(), 4);
}

class ChartLabels : public ::testing::Test {
protected:
  ChartLabels() : chart(nullptr) { chart.SetName("RCChart"); }
  TRChart chart;
};

TEST_F(ChartLabels, NewChartPreparesThirtyHiddenLabelsAndFourCrossHairs) {
  for (int i = 1; i <= 30; ++i) {
    const TTextLabel &l = *chart.TextLabels(i);
    EXPECT_EQ(l.PosX(), 0.0);
    EXPECT_EQ(l.PosY(), 0.0);
    EXPECT_EQ(l.ShadowDx(), 3);
    EXPECT_EQ(l.ShadowDy(), 3);
    EXPECT_EQ(l.AttachToData(), tlamBoth);
    EXPECT_EQ(l.ColorBkg(), 0xFFFFFFu);
    EXPECT_EQ(l.Mode(), tlOff);
    EXPECT_FALSE(l.Visible());
    EXPECT_EQ(l.Font()->Name(), chart.Font()->Name());
  }
  for (int n = 1; n <= 4; ++n) {
    const TCrossHair &c = *chart.CrossHair(n);
    EXPECT_EQ(c.Layer(), n);
    EXPECT_EQ(c.Mode(), chOff);
    EXPECT_EQ(c.LineWid(), 1);
    EXPECT_EQ(c.LineType(), psSolid);
  }
}

TEST_F(ChartLabels, BadIndexRaisesTheComponentError) {
  for (int bad : {0, 31, -1}) {
    try {
      chart.TextLabels(bad);
      ADD_FAILURE() << bad;
    } catch (const EZeltRChartError &e) {
      EXPECT_EQ(e.Message(), "Component \"RCChart\": invalid index into TextLabel array");
    }
  }
  EXPECT_NO_THROW(chart.TextLabels(30));
}

TEST_F(ChartLabels, AddTextLabelTakesTheFirstFreeOne) {
  for (int i = 1; i <= 30; ++i)
    EXPECT_EQ(chart.AddTextLabel(i, 2 * i, clRed, "L"), i);
  EXPECT_EQ(chart.AddTextLabel(0, 0, clRed, "none left"), 0);
  EXPECT_EQ(chart.TextLabels(30)->Caption(), "L"); // nothing changed by the refusal
  chart.TextLabels(5)->SetMode(tlOff);
  EXPECT_EQ(chart.AddTextLabel(7, 8, clBlue, "again"), 5);
  const TTextLabel &l = *chart.TextLabels(5);
  EXPECT_EQ(l.PosX(), 7.0);
  EXPECT_EQ(l.Caption(), "again");
  EXPECT_EQ(l.Font()->Color(), clBlue);
  EXPECT_EQ(l.Mode(), tlsimple);
  EXPECT_TRUE(l.Visible());
}

TEST_F(ChartLabels, AddTextLabelWithAndWithoutTemplate) {
  chart.SetChartColor(0x123456);
  chart.SetChartFrameColor(0x654321);
  TTextLabel &tmpl = *chart.TextLabels(30);
  tmpl.SetAttachToData(tlamXOnly);
  tmpl.SetAlignment(taRightJustify);
  tmpl.SetShadowDx(5);
  tmpl.SetShadowDy(6);
  tmpl.SetColorShadow(0x111111);
  tmpl.SetColorBkg(0x222222);
  tmpl.SetColorBorder(0x333333);
  tmpl.SetTransparent(true);
  tmpl.SetVerticalAlignment(vaTop);
  // The template itself is off (free), so the copy shows as a plain label.
  const int i = chart.AddTextLabel(1, 2, clGreen, "copy", 30);
  ASSERT_EQ(i, 1);
  const TTextLabel &c = *chart.TextLabels(1);
  EXPECT_EQ(c.AttachToData(), tlamXOnly);
  EXPECT_EQ(c.Alignment(), taRightJustify);
  EXPECT_EQ(c.ShadowDx(), 5);
  EXPECT_EQ(c.ShadowDy(), 6);
  EXPECT_EQ(c.ColorShadow(), 0x111111u);
  EXPECT_EQ(c.ColorBkg(), 0x222222u);
  EXPECT_EQ(c.ColorBorder(), 0x333333u);
  EXPECT_TRUE(c.Transparent());
  EXPECT_EQ(c.Mode(), tlsimple);
  EXPECT_EQ(c.VerticalAlignment(), vaBottom); // not part of the template copy

  tmpl.SetMode(tlBox);
  ASSERT_EQ(chart.AddTextLabel(0, 0, clGreen, "boxed", 30), 2);
  EXPECT_EQ(chart.TextLabels(2)->Mode(), tlBox);

  // Template 31 is no template: the chart's defaults apply.
  ASSERT_EQ(chart.AddTextLabel(0, 0, clGreen, "plain", 31), 3);
  const TTextLabel &p = *chart.TextLabels(3);
  EXPECT_EQ(p.AttachToData(), tlamBoth);
  EXPECT_EQ(p.ShadowDx(), 0);
  EXPECT_EQ(p.ColorShadow(), 0x808080u);
  EXPECT_EQ(p.ColorBkg(), 0x123456u);
  EXPECT_EQ(p.ColorBorder(), 0x654321u);
  EXPECT_FALSE(p.Transparent());
}

TEST_F(ChartLabels, LabelAndCrossHairChangesRequestARepaint) {
  chart.HandleNeeded(); // painting starts once the window exists
  const int before = chart.PaintCount();
  chart.TextLabels(3)->SetPosX(5);
  chart.CrossHair(2)->SetColor(clRed);
  EXPECT_EQ(chart.PaintCount(), before + 2);
  chart.SetAutoRedraw(false);
  chart.TextLabels(3)->SetPosX(6);
  chart.CrossHair(2)->SetColor(clBlue);
  EXPECT_EQ(chart.PaintCount(), before + 2);
  // A whole cross-hair assigned to the chart is copied into its own object.
  TCrossHair other;
  other.SetMode(chVert);
  chart.SetCrossHair1(&other);
  EXPECT_EQ(chart.CrossHair1()->Mode(), chVert);
  EXPECT_NE(chart.CrossHair1(), &other);
}

} // namespace
