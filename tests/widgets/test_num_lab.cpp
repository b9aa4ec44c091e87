#include "widgets/num_lab.h"

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/strings.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <limits>

namespace {

// A read-out with a pinned font and a paint counter (OnBeforeDisplay runs once
// per painted value).
struct Lab {
  Lab() {
    lab.Font()->SetName("Arial");
    lab.Font()->SetHeight(-11);
    lab.OnBeforeDisplay = [this](TObject *, std::string &) { ++paints; };
  }
  TNumLab lab{nullptr};
  int paints = 0;
};

int TextWidth(TNumLab &lab, const std::string &text) {
  TBitmap b(1, 1);
  b.Canvas().Font().Assign(*lab.Font());
  return b.Canvas().TextWidth(text);
}

TEST(NumLab, Defaults) {
  TNumLab n(nullptr);
  EXPECT_EQ(n.Width(), 160);
  EXPECT_EQ(n.Height(), 28);
  EXPECT_EQ(n.Value(), 0);
  EXPECT_EQ(n.DisplayType(), dtFixP);
  EXPECT_EQ(n.Precision(), 2);
  EXPECT_FALSE(n.Comma());
  EXPECT_FALSE(n.ForcePlusSign());
  EXPECT_FALSE(n.Empty());
  EXPECT_EQ(n.OverflowIndicator(), "*********");
  EXPECT_EQ(n.StateText(), "undefined");
  EXPECT_EQ(n.DTFormat(), "mmm-dd, yyyy");
  EXPECT_EQ(n.LeftSpace(), 35);
  EXPECT_EQ(n.LabelWidth(), 80);
  EXPECT_EQ(n.Alignment(), taCenter);
  EXPECT_EQ(n.LeftTextAlignment(), taRightJustify);
  EXPECT_EQ(n.RightTextAlignment(), taLeftJustify);
  EXPECT_EQ(n.FrameStyle(), fsLowered);
  EXPECT_EQ(n.ColorScheme(), csBWG);
  EXPECT_EQ(n.ColorLabBakG(), clBtnFace);
  EXPECT_EQ(n.ColorLabText(), clBlack);
  EXPECT_EQ(n.ColorOutBakG(), clBtnFace);
  EXPECT_EQ(n.ColorOutText(), clBlack);
  EXPECT_FALSE(n.Transparent());
  EXPECT_TRUE(n.Enabled());
  EXPECT_EQ(n.ValueText(), "0.00");
}

TEST(NumLab, SettersActOnlyOnChangeAndApplyTheirLimits) {
  Lab l;
  l.lab.SetValue(5);
  EXPECT_EQ(l.paints, 1);
  l.lab.SetValue(5);
  l.lab.SetValue(std::numeric_limits<double>::quiet_NaN());
  EXPECT_EQ(l.lab.Value(), 5);
  EXPECT_EQ(l.paints, 1);

  l.lab.SetPrecision(20);
  EXPECT_EQ(l.lab.Precision(), 15);
  EXPECT_EQ(l.paints, 2);
  l.lab.SetPrecision(20); // stored as 15 already: no change
  l.lab.SetPrecision(-1);
  EXPECT_EQ(l.lab.Precision(), 15);
  EXPECT_EQ(l.paints, 2);

  l.lab.SetLeftSpace(500);
  EXPECT_EQ(l.lab.LeftSpace(), 160);
  l.lab.SetLeftSpace(-3);
  EXPECT_EQ(l.lab.LeftSpace(), 160);
  EXPECT_EQ(l.paints, 3);

  l.lab.SetLeftText("T");
  l.lab.SetLeftText("T");
  l.lab.SetColorScheme(csSystem);
  l.lab.SetColorScheme(csSystem);
  l.lab.SetEnabled(false);
  l.lab.SetEnabled(false);
  EXPECT_FALSE(l.lab.Enabled());
  EXPECT_EQ(l.paints, 6);

  // Hidden read-outs do not paint.
  l.lab.SetVisible(false);
  l.lab.SetValue(7);
  EXPECT_EQ(l.paints, 6);
}

TEST(NumLab, EmptyShowsNoTextAndSkipsTheHook) {
  Lab l;
  l.lab.SetEmpty(true);
  l.lab.SetValue(3);
  EXPECT_EQ(l.paints, 0);
  EXPECT_EQ(l.lab.BoxText(), "");
}

TEST(NumLab, OverflowIndicatorReplacesTooWideTexts) {
  Lab l;
  l.lab.SetLabelWidth(55);
  l.lab.SetDisplayType(dtInt);
  // Find the widest digit string that still fits 49 pixels.
  std::string digits = "1";
  while (TextWidth(l.lab, digits + "1") <= 49)
    digits += "1";
  l.lab.SetValue(std::stod(digits));
  EXPECT_EQ(l.lab.BoxText(), digits);
  l.lab.SetValue(std::stod(digits + "1"));
  EXPECT_GT(TextWidth(l.lab, digits + "1"), 49);
  EXPECT_EQ(l.lab.BoxText(), "*********");
  // State texts are never replaced; the hook's text is what gets measured.
  l.lab.SetDisplayType(dtState);
  l.lab.SetStateText("a state text far wider than the box");
  EXPECT_EQ(l.lab.BoxText(), "a state text far wider than the box");
  l.lab.SetDisplayType(dtInt);
  l.lab.SetValue(1);
  l.lab.OnBeforeDisplay = [](TObject *, std::string &text) { text = "replaced by a long text"; };
  EXPECT_EQ(l.lab.BoxText(), "*********");
}

TEST(NumLab, AssignCopiesTheDescribedProperties) {
  TNumLab a(nullptr), b(nullptr);
  a.SetValue(12.5);
  a.SetDisplayType(dtDeg);
  a.SetPrecision(4);
  a.SetLeftText("L");
  a.SetRightText("R");
  a.SetLeftSpace(50);
  a.SetLabelWidth(60);
  a.SetEmpty(true);
  a.SetFrameStyle(fsRaised);
  a.SetAlignment(taRightJustify);
  a.SetLeftTextAlignment(taCenter);
  a.SetRightTextAlignment(taCenter);
  a.SetOverflowIndicator("#");
  a.SetStateText("s");
  a.SetTransparent(true);
  a.SetColorLabBakG(clWhite);
  a.SetColorLabText(clRed);
  a.SetColorOutBakG(clYellow);
  a.SetColorOutText(clBlue);
  a.SetColorScheme(csSystem);
  a.SetComma(true);
  a.SetForcePlusSign(true);
  a.SetDTFormat("yyyy");
  a.SetEnabled(false);
  b.Assign(&a);
  EXPECT_EQ(b.Value(), 12.5);
  EXPECT_EQ(b.DisplayType(), dtDeg);
  EXPECT_EQ(b.Precision(), 4);
  EXPECT_EQ(b.LeftText(), "L");
  EXPECT_EQ(b.RightText(), "R");
  EXPECT_EQ(b.LeftSpace(), 50);
  EXPECT_EQ(b.LabelWidth(), 60);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.FrameStyle(), fsRaised);
  EXPECT_EQ(b.Alignment(), taRightJustify);
  EXPECT_EQ(b.LeftTextAlignment(), taCenter);
  EXPECT_EQ(b.RightTextAlignment(), taCenter);
  EXPECT_EQ(b.OverflowIndicator(), "#");
  EXPECT_EQ(b.StateText(), "s");
  EXPECT_TRUE(b.Transparent());
  EXPECT_EQ(b.ColorLabBakG(), clWhite);
  EXPECT_EQ(b.ColorLabText(), clRed);
  EXPECT_EQ(b.ColorOutBakG(), clYellow);
  EXPECT_EQ(b.ColorOutText(), clBlue);
  EXPECT_EQ(b.ColorScheme(), csSystem);
  // Not copied:
  EXPECT_FALSE(b.Comma());
  EXPECT_FALSE(b.ForcePlusSign());
  EXPECT_EQ(b.DTFormat(), "mmm-dd, yyyy");
  EXPECT_TRUE(b.Enabled());

  TNumLab c(nullptr);
  a.AssignTo(&c);
  EXPECT_EQ(c.LeftText(), "L");
  TStringList other;
  EXPECT_THROW(c.Assign(&other), EConvertError);
  EXPECT_THROW(a.AssignTo(&other), EConvertError);
}

TEST(NumLab, LoweredFrameInBlackWhiteGrey) {
  TNumLab n(nullptr);
  n.SetEmpty(true);
  n.SetColorLabBakG(clAqua);
  n.Repaint();
  TCanvas &c = n.Canvas();
  const int LS = 35, LW = 80, H = 28;
  const TColor out = ColorToRGB(clBtnFace);
  // Outer rectangle in the shadow colour (right and bottom edges exclusive).
  EXPECT_EQ(c.Pixels(LS, 0), clGray);
  EXPECT_EQ(c.Pixels(LS, 13), clGray);
  EXPECT_EQ(c.Pixels(LS + LW + 1, 13), clGray);
  EXPECT_EQ(c.Pixels(60, H - 2), clGray);
  EXPECT_EQ(c.Pixels(LS + LW + 1, 1), clGray);
  // Top-left inner edge dark.
  EXPECT_EQ(c.Pixels(LS + 1, 13), clBlack);
  EXPECT_EQ(c.Pixels(60, 1), clBlack);
  EXPECT_EQ(c.Pixels(LS + LW, 1), clBlack);
  EXPECT_EQ(c.Pixels(LS + 1, H - 2), clGray); // the edge stops at H - 3
  // Bottom-right edge in the highlight colour, just outside the rectangle.
  EXPECT_EQ(c.Pixels(60, H - 1), clWhite);
  EXPECT_EQ(c.Pixels(LS + 1, H - 1), clWhite);
  EXPECT_EQ(c.Pixels(LS + LW + 2, 13), clWhite);
  EXPECT_EQ(c.Pixels(LS + LW + 2, 1), clWhite);
  EXPECT_EQ(c.Pixels(LS + LW + 2, 0), out); // last point left out
  // Inside the box, and outside it.
  EXPECT_EQ(c.Pixels(60, 13), clAqua);
  EXPECT_EQ(c.Pixels(LS - 1, 13), out);
  EXPECT_EQ(c.Pixels(LS, H - 1), out);
  EXPECT_EQ(c.Pixels(LS + LW + 3, 13), out);

  n.SetColorScheme(csSystem);
  EXPECT_EQ(c.Pixels(LS, 0), ColorToRGB(clBtnShadow));
  EXPECT_EQ(c.Pixels(60, H - 1), ColorToRGB(clBtnHighlight));
}

TEST(NumLab, FrameStylesUseTheirColours) {
  TNumLab n(nullptr);
  n.SetEmpty(true);
  n.SetColorLabBakG(clAqua);
  n.SetColorScheme(csBWG);
  TCanvas &c = n.Canvas();
  struct Case {
    TFrameStyle style;
    TColor outline, topLeft, bottomRight;
  } cases[] = {{fsRaised, clGray, clWhite, clBlack},
               {fsEmbossed, clWhite, clGray, clGray},
               {fsEngraved, clGray, clWhite, clWhite}};
  for (const auto &k : cases) {
    n.SetFrameStyle(k.style);
    EXPECT_EQ(c.Pixels(35, 13), k.outline) << k.style;
    EXPECT_EQ(c.Pixels(36, 13), k.topLeft) << k.style;
    EXPECT_EQ(c.Pixels(60, 27), k.bottomRight) << k.style;
  }
  n.SetFrameStyle(fsSimple);
  EXPECT_EQ(c.Pixels(35, 27), clGray); // full height, one ring
  EXPECT_EQ(c.Pixels(36, 13), clAqua);
  n.SetFrameStyle(fsNone);
  EXPECT_EQ(c.Pixels(35, 13), clAqua);
}

// Bounding box of the pixels near one colour within [x0, x1). Text is
// smoothed, so its pixels blend into the background: "near" allows for that.
struct Box {
  int count = 0, left = 1 << 20, top = 1 << 20;
};
Box Find(TCanvas &c, int x0, int x1, TColor colour, int y0 = 0, int y1 = 28, int near = 0x30) {
  Box b;
  const auto close = [near](TColor a, TColor b) {
    for (int shift : {0, 8, 16})
      if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > near) return false;
    return true;
  };
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (close(c.Pixels(x, y), colour)) {
        ++b.count;
        b.left = std::min(b.left, x);
        b.top = std::min(b.top, y);
      }
  return b;
}

TEST(NumLab, DisabledReadOutIsEngraved) {
  TNumLab n(nullptr);
  n.Font()->SetName("Arial");
  n.Font()->SetHeight(-11);
  n.SetLeftText("Temp");
  n.SetRightText("K");
  n.SetColorLabBakG(clWhite);
  n.SetValue(42);
  TCanvas &c = n.Canvas();
  const int LS = 35, LW = 80;
  EXPECT_GT(Find(c, 0, LS, clBlack).count, 0);
  // No light engraving while enabled.
  EXPECT_EQ(Find(c, 0, LS, clWhite, 0, 28, 8).count, 0);

  n.SetEnabled(false);
  for (auto [x0, x1] : {std::pair{0, LS}, std::pair{LS + LW + 3, 160}}) {
    EXPECT_EQ(Find(c, x0, x1, clBlack).count, 0);
    ASSERT_GT(Find(c, x0, x1, clGray, 0, 28, 0x20).count, 0);
    ASSERT_GT(Find(c, x0, x1, clWhite, 0, 28, 8).count, 0);
    // The white copy lies one pixel right of and below the grey text: the
    // centres of what is lighter and what is darker than the background
    // are one pixel apart in both directions.
    const int background = int(c.Pixels(x0, 1) & 0xFF);
    double dark = 0, darkX = 0, darkY = 0, light = 0, lightX = 0, lightY = 0;
    for (int y = 0; y < 28; ++y)
      for (int x = x0; x < x1; ++x) {
        const int v = int(c.Pixels(x, y) & 0xFF);
        const double d = std::max(0, background - v), l = std::max(0, v - background);
        dark += d, darkX += d * x, darkY += d * y;
        light += l, lightX += l * x, lightY += l * y;
      }
    EXPECT_NEAR(lightX / light - darkX / dark, 1.0, 0.5);
    EXPECT_NEAR(lightY / light - darkY / dark, 1.0, 0.5);
  }
  // The value is grey as well (inside the frame's edges).
  EXPECT_GT(Find(c, LS + 3, LS + LW - 1, clGray, 2, 25).count, 0);
  EXPECT_EQ(Find(c, LS + 3, LS + LW - 1, clBlack, 2, 25).count, 0);
}

TEST(NumLab, ValueTextIsClippedToTheBox) {
  TNumLab n(nullptr);
  n.SetColorLabText(clRed);
  n.SetDisplayType(dtState);
  n.SetStateText("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
  TCanvas &c = n.Canvas();
  EXPECT_GT(Find(c, 38, 114, clRed).count, 0);
  EXPECT_EQ(Find(c, 0, 38, clRed).count, 0);
  EXPECT_EQ(Find(c, 114, 160, clRed).count, 0);
}

TEST(NumLab, TransferIsOneCopyAndAndsWhenTransparent) {
  TNumLab n(nullptr);
  TCanvasRecorder rec;
  n.Canvas().SetRecorder(&rec);
  n.SetValue(1);
  ASSERT_FALSE(rec.Records.empty());
  EXPECT_EQ(rec.Count(coCopyRect), 1);
  EXPECT_EQ(rec.Records.back().Kind, coCopyRect);
  EXPECT_EQ(rec.Records.back().Value, SRCCOPY);

  n.SetColorLabText(clRed);
  n.SetTransparent(true);
  rec.Clear();
  n.Repaint();
  ASSERT_GE(rec.Records.size(), 2u);
  const TCanvasRecord &fill = rec.Records[rec.Records.size() - 2];
  EXPECT_EQ(fill.Kind, coFillRect);
  EXPECT_EQ(fill.Rect, Rect(37, 2, 115, 26));
  EXPECT_EQ(fill.BrushColor, clWhite);
  EXPECT_EQ(rec.Records.back().Value, SRCAND);
  n.Canvas().SetRecorder(nullptr);

  // The parent's colour shows where the bitmap is white.
  n.SetColorLabText(clBlack);
  n.SetColorLabBakG(clYellow);
  EXPECT_EQ(n.Canvas().Pixels(5, 5), ColorToRGB(clBtnFace));
  EXPECT_EQ(n.Canvas().Pixels(60, 5), clYellow);
}

} // namespace
