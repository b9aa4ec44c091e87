// Text on the canvas: font mapping and size, background modes, alignment, clipping.
#include "helper_surface.h"

#include <gtest/gtest.h>

#if !defined(_WIN32)
#include "platform/qt/canvas_qt.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#endif

namespace {

#if !defined(_WIN32)
// The faces Qt finds on Linux for the classic names.
TEST(Fonts, ClassicNamesMapToInstalledMetricCompatibleFaces) {
  EXPECT_EQ(FontFaceFor("MS Sans Serif"), "Liberation Sans");
  EXPECT_EQ(FontFaceFor("arial"), "Liberation Sans");
  EXPECT_EQ(FontFaceFor("Courier New"), "Liberation Mono");
  EXPECT_EQ(FontFaceFor("Some Other"), "Some Other");
  TFont f;
  f.SetName("Arial");
  EXPECT_EQ(QFontInfo(ToQFont(f)).family().toStdString(), "Liberation Sans");
  f.SetName("Courier New");
  EXPECT_EQ(QFontInfo(ToQFont(f)).family().toStdString(), "Liberation Mono");
}
#endif

TEST(Fonts, HeightSizeAndChangeNotification) {
  TFont f;
  EXPECT_EQ(f.Name(), "MS Sans Serif");
  EXPECT_EQ(f.Size(), 8);
  EXPECT_EQ(f.Height(), -11);
  int changes = 0;
  f.OnChange = [&](TGraphicsObject *Sender) {
    EXPECT_EQ(Sender, &f);
    ++changes;
  };
  f.SetSize(10);
  EXPECT_EQ(f.Height(), -13);
  f.SetHeight(-13); // no change, no event
  f.SetStyle({fsBold, fsItalic});
  EXPECT_TRUE(f.Style().Contains(fsBold));
  EXPECT_FALSE(f.Style().Contains(fsUnderline));
  EXPECT_EQ(changes, 2);
  TFont g;
  g.Assign(f);
  EXPECT_TRUE(g.SameAs(f));
  EXPECT_FALSE(g.OnChange);
}

TEST(Fonts, HeightMinus13GivesThirteenPixelCharacters) {
  TBitmap b(100, 40);
  TCanvas &c = b.Canvas();
  c.Font().SetName("Arial");
  c.Font().SetHeight(-13);
  // Cell = ascent + descent of Liberation Sans (1.117 em) at 13 px.
  EXPECT_EQ(c.TextHeight("X"), 15);
  c.Brush().SetStyle(bsClear);
  c.TextOut(10, 5, "H");
  const TRect ink = InkBounds(b);
  // A capital H is about 0.73 em high, drawn below the cell top.
  EXPECT_GE(ink.Height(), 9);
  EXPECT_LE(ink.Height(), 10);
  EXPECT_GE(ink.Top, 5);
  // Text extents are deterministic and grow with the text.
  EXPECT_EQ(c.TextWidth(""), 0);
  EXPECT_LT(c.TextWidth("1"), c.TextWidth("10"));
  EXPECT_EQ(c.TextExtent("10").cx, c.TextWidth("10"));
  c.Font().SetHeight(-26);
  EXPECT_GT(c.TextHeight("X"), 28);
}

TEST(CanvasText, OpaqueBackgroundFollowsTheBrush) {
  TBitmap b(100, 30);
  TCanvas &c = b.Canvas();
  c.Brush().SetColor(clYellow);
  c.Font().SetColor(clBlack);
  c.TextOut(0, 0, "Wx");
  const TSize ext = c.TextExtent("Wx");
  EXPECT_EQ(InkBounds(b), Rect(0, 0, ext.cx, ext.cy));
  EXPECT_GT(CountColor(b, clYellow), 0);
  EXPECT_GT(CountColor(b, clBlack), 0);

  TBitmap t(100, 30);
  t.Canvas().Brush().SetColor(clYellow);
  t.Canvas().SetBkMode(TRANSPARENT);
  t.Canvas().TextOut(0, 0, "Wx");
  EXPECT_EQ(CountColor(t, clYellow), 0);
  EXPECT_GT(CountColor(t, clBlack), 0);

  // A brush change restores the opaque mode; a clear brush makes it transparent.
  EXPECT_EQ(t.Canvas().BkMode(), TRANSPARENT);
  t.Canvas().Brush().SetColor(clRed);
  EXPECT_EQ(t.Canvas().BkMode(), OPAQUE);
  t.Canvas().Brush().SetStyle(bsClear);
  EXPECT_EQ(t.Canvas().BkMode(), TRANSPARENT);
  t.Canvas().Brush().SetStyle(bsSolid);
  t.Canvas().Brush().SetColor(clYellow); // back to the brush of the explicit call
  EXPECT_EQ(t.Canvas().BkMode(), OPAQUE);
}

TEST(CanvasText, MetricsFollowTheFontEvenWithAForeignChangeHandler) {
  TCanvas c;
  int notified = 0;
  c.Font().OnChange = [&](TGraphicsObject *) { ++notified; };
  const int small = c.TextWidth("Spectrion");
  c.Font().SetHeight(-30);
  EXPECT_GT(c.TextWidth("Spectrion"), 2 * small);
  TFont big;
  big.SetHeight(-60);
  c.Font().Assign(big);
  EXPECT_GT(c.TextHeight("X"), 60);
  EXPECT_EQ(notified, 2);
}

TEST(CanvasText, AlignmentFlagsMoveTheReferencePoint) {
  TBitmap b(200, 60);
  TCanvas &c = b.Canvas();
  c.Brush().SetColor(clYellow);
  const TSize ext = c.TextExtent("Test");
  c.SetTextAlign(TA_RIGHT | TA_BOTTOM);
  c.TextOut(100, 50, "Test");
  EXPECT_EQ(InkBounds(b), Rect(100 - ext.cx, 50 - ext.cy, 100, 50));

  TBitmap d(200, 60);
  d.Canvas().Brush().SetColor(clYellow);
  EXPECT_EQ(d.Canvas().SetTextAlign(TA_CENTER | TA_BASELINE), TA_LEFT | TA_TOP);
  d.Canvas().TextOut(100, 30, "Test");
  const int asc = d.Canvas().TextAscent();
  EXPECT_EQ(InkBounds(d),
            Rect(100 - ext.cx / 2, 30 - asc, 100 - ext.cx / 2 + ext.cx, 30 - asc + ext.cy));
}

TEST(CanvasText, UpdateCurrentPositionAdvancesThePen) {
  TBitmap b(200, 30);
  TCanvas &c = b.Canvas();
  c.SetTextAlign(TA_UPDATECP);
  c.MoveTo(10, 0);
  c.TextOut(999, 999, "ab");
  EXPECT_EQ(c.PenPos(), Point(10 + c.TextWidth("ab"), 0));
}

TEST(CanvasText, TextRectClipsAndFillsTheRectangle) {
  TBitmap b(200, 40);
  TCanvas &c = b.Canvas();
  c.Brush().SetColor(clYellow);
  const TRect r = Rect(10, 5, 30, 20);
  c.TextRect(r, 12, 6, "A rather long text that does not fit");
  EXPECT_EQ(InkBounds(b), r);
  // Smoothed text blends into the yellow: count the text's pixels as those
  // that are not the background.
  EXPECT_LT(CountColorIn(b, clYellow, r), r.Width() * r.Height());

  TBitmap t(200, 40);
  t.Canvas().Brush().SetStyle(bsClear);
  t.Canvas().TextRect(r, 12, 6, "A rather long text that does not fit");
  const TRect ink = InkBounds(t);
  EXPECT_GE(ink.Left, r.Left);
  EXPECT_LE(ink.Right, r.Right);
  EXPECT_LE(ink.Bottom, r.Bottom);
  EXPECT_EQ(CountColor(t, clYellow), 0);
}

#if !defined(_WIN32)
// The device keeps each text laid out for the next paint. Its pixels must be
// those of a text laid out afresh, in every size (whose ascents are seldom
// whole pixels), style and colour, the first time and when drawn again.
TEST(CanvasText, TextsDrawnAgainKeepThePixelsOfAFreshLayout) {
  const std::vector<std::string> texts = {"5800 K", "Wavelength (nm)", "ij\xc3\xa4 \xce\xbb",
                                          "two\nlines"};
  // One canvas throughout: its kept layouts must follow every change of font.
  TBitmap b(240, 40);
  TCanvas &c = b.Canvas();
  for (int height = 7; height <= 22; height += 3)
    for (const TFontStyles style : {TFontStyles{}, TFontStyles{fsBold, fsItalic},
                                    TFontStyles{fsUnderline, fsStrikeOut}})
      for (const std::string &text : texts) {
        c.Brush().SetStyle(bsSolid);
        c.Brush().SetColor(clWhite);
        c.FillRect(Rect(0, 0, 240, 40));
        c.Brush().SetStyle(bsClear);
        c.Font().SetHeight(-height);
        c.Font().SetStyle(style);
        QImage expected = b.Image().copy();
        {
          QPainter p(&expected);
          const QFont f = ToQFont(c.Font());
          p.setFont(f);
          p.setPen(QColor(0, 0, 255));
          p.drawText(5, 3 + QFontMetrics(f).ascent(), QString::fromStdString(text));
          p.setPen(QColor(255, 0, 0));
          p.drawText(120, 3 + QFontMetrics(f).ascent(), QString::fromStdString(text));
        }
        c.Font().SetColor(clBlue);
        c.TextOut(5, 3, text);
        c.Font().SetColor(clRed); // the same layout, in another colour
        c.TextOut(120, 3, text);
        EXPECT_TRUE(b.Image() == expected) << text << " at " << height << " px";
      }
}

// Far more texts than the device keeps: the oldest go, and whatever is drawn
// (a text kept, dropped or just found again) has the pixels of a fresh layout.
TEST(CanvasText, ManyTextsLeaveEveryTextItsPixels) {
  TBitmap b(120, 30);
  TCanvas &c = b.Canvas();
  const auto drawn = [&](const std::string &Text) {
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clWhite);
    c.FillRect(Rect(0, 0, 120, 30));
    c.Brush().SetStyle(bsClear);
    c.TextOut(4, 4, Text);
    return b.Image().copy();
  };
  TBitmap fresh(120, 30);
  QImage expected = fresh.Image().copy();
  {
    QPainter p(&expected);
    const QFont f = ToQFont(c.Font());
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(4, 4 + QFontMetrics(f).ascent(), QStringLiteral("T7 K"));
  }
  for (int round = 0; round < 3; ++round)
    for (int i = 0; i < 700; ++i) {
      const std::string text = "T" + std::to_string(i) + " K";
      const QImage got = drawn(text);
      if (i == 7) {
        EXPECT_TRUE(got == expected) << "round " << round;
      }
    }
  EXPECT_TRUE(drawn("T7 K") == expected);
}
#endif

} // namespace
