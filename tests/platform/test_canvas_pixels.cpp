// Pixel rules of the canvas: end points, boxes, raster modes, pen styles, clipping.
#include "helper_surface.h"

#include <gtest/gtest.h>

namespace {

TEST(CanvasLines, LineLeavesOutItsEndPoint) {
  TBitmap b(20, 20);
  TCanvas &c = b.Canvas();
  c.Pen().SetColor(clRed);
  c.MoveTo(2, 5);
  c.LineTo(9, 5);
  EXPECT_EQ(b.Pixel(2, 5), clRed);
  EXPECT_EQ(b.Pixel(8, 5), clRed);
  EXPECT_EQ(b.Pixel(9, 5), clWhite);
  EXPECT_EQ(CountColor(b, clRed), 7);
  EXPECT_EQ(c.PenPos(), Point(9, 5));

  // Vertical upwards and diagonal lines follow the same rule.
  c.MoveTo(15, 12);
  c.LineTo(15, 8);
  EXPECT_EQ(CountColorIn(b, clRed, Rect(15, 0, 16, 20)), 4);
  EXPECT_EQ(b.Pixel(15, 8), clWhite);
  c.Pen().SetColor(clBlue);
  c.MoveTo(0, 10);
  c.LineTo(5, 15);
  EXPECT_EQ(CountColor(b, clBlue), 5);
  EXPECT_EQ(b.Pixel(4, 14), clBlue);
  EXPECT_EQ(b.Pixel(5, 15), clWhite);
}

TEST(CanvasLines, ZeroLengthLineDrawsNothing) {
  TBitmap b(5, 5);
  b.Canvas().MoveTo(2, 2);
  b.Canvas().LineTo(2, 2);
  EXPECT_EQ(CountColor(b, clWhite), 25);
}

TEST(CanvasLines, PolylineDrawsEachVertexOnceAndLeavesOutTheLast) {
  TBitmap b(30, 30);
  TCanvas &c = b.Canvas();
  c.Pen().SetColor(clBlack);
  c.Pen().SetMode(pmXor);
  const std::vector<TPoint> pts = {{2, 2}, {20, 2}, {20, 20}, {2, 20}};
  c.Polyline(pts);
  // XOR of black leaves the white pixels white, so draw with white on a black bitmap.
  TBitmap d(30, 30);
  d.Canvas().Brush().SetColor(clBlack);
  d.Canvas().FillRect(Rect(0, 0, 30, 30));
  d.Canvas().Pen().SetColor(clWhite);
  d.Canvas().Pen().SetMode(pmXor);
  d.Canvas().Polyline(pts);
  EXPECT_EQ(CountColor(d, clWhite), 18 * 3);
  EXPECT_EQ(d.Pixel(20, 2), clWhite);          // inner vertex drawn once, not toggled back
  EXPECT_EQ(d.Pixel(2, 20), clBlack);          // last point left out
  EXPECT_EQ(d.Canvas().PenPos(), Point(0, 0)); // Polyline does not move the pen
}

TEST(CanvasLines, HugeCoordinatesAreClippedWithoutWalkingTheWholeLine) {
  TBitmap b(50, 10);
  b.Canvas().Pen().SetColor(clGreen);
  b.Canvas().MoveTo(-2000000000, 4);
  b.Canvas().LineTo(2000000000, 4);
  EXPECT_EQ(CountColorIn(b, clGreen, Rect(0, 4, 50, 5)), 50);
  // A steep line far outside crosses the bitmap at the right place.
  b.Canvas().Pen().SetColor(clRed);
  b.Canvas().MoveTo(25, -2147483647);
  b.Canvas().LineTo(25, 2147483647);
  EXPECT_EQ(CountColorIn(b, clRed, Rect(25, 0, 26, 10)), 10);
}

TEST(CanvasLines, DashedAndDottedPensLeaveGaps) {
  TBitmap b(60, 4);
  TCanvas &c = b.Canvas();
  c.Brush().SetStyle(bsClear); // transparent background: gaps stay untouched
  c.Pen().SetColor(clBlack);
  c.Pen().SetStyle(psDot);
  c.MoveTo(0, 0);
  c.LineTo(48, 0);
  EXPECT_EQ(CountColorIn(b, clBlack, Rect(0, 0, 60, 1)), 24);
  EXPECT_EQ(b.Pixel(0, 0), clBlack);
  EXPECT_EQ(b.Pixel(3, 0), clWhite);
  c.Pen().SetStyle(psDash);
  c.MoveTo(0, 1);
  c.LineTo(48, 1);
  EXPECT_EQ(CountColorIn(b, clBlack, Rect(0, 1, 60, 2)), 36);
  EXPECT_EQ(b.Pixel(20, 1), clWhite);

  // Opaque background: the gaps take the brush colour.
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clYellow);
  c.Pen().SetStyle(psDot);
  c.MoveTo(0, 2);
  c.LineTo(12, 2);
  EXPECT_EQ(CountColorIn(b, clBlack, Rect(0, 2, 60, 3)), 6);
  EXPECT_EQ(CountColorIn(b, clYellow, Rect(0, 2, 60, 3)), 6);
}

TEST(CanvasLines, DashPatternContinuesAcrossPolylineSegments) {
  TBitmap b(20, 20);
  b.Canvas().Brush().SetStyle(bsClear);
  b.Canvas().Pen().SetStyle(psDot);
  const std::vector<TPoint> pts = {{0, 0}, {4, 0}, {4, 8}};
  b.Canvas().Polyline(pts);
  // Dots 3 on / 3 off over 12 pixels: 0,1,2 on; 3,4(=corner),5 off; 6,7,8 on; ...
  EXPECT_EQ(b.Pixel(4, 0), clWhite);
  EXPECT_EQ(b.Pixel(4, 2), clBlack);
  EXPECT_EQ(CountColor(b, clBlack), 6);
}

TEST(CanvasShapes, RectangleCoversExactlyTheBox) {
  TBitmap b(12, 12);
  TCanvas &c = b.Canvas();
  c.Pen().SetColor(clRed);
  c.Brush().SetColor(clBlue);
  c.Rectangle(2, 3, 8, 7);
  EXPECT_EQ(InkBounds(b), Rect(2, 3, 8, 7));
  for (int x = 2; x < 8; ++x) {
    EXPECT_EQ(b.Pixel(x, 3), clRed);
    EXPECT_EQ(b.Pixel(x, 6), clRed);
  }
  for (int y = 3; y < 7; ++y) {
    EXPECT_EQ(b.Pixel(2, y), clRed);
    EXPECT_EQ(b.Pixel(7, y), clRed);
  }
  EXPECT_EQ(CountColor(b, clBlue), 4 * 2);
}

TEST(CanvasShapes, ClearPenFillsWholeBoxAndClearBrushKeepsInterior) {
  TBitmap b(12, 12);
  TCanvas &c = b.Canvas();
  c.Pen().SetStyle(psClear);
  c.Brush().SetColor(clBlue);
  c.Rectangle(1, 1, 5, 4);
  EXPECT_EQ(CountColor(b, clBlue), 4 * 3);
  EXPECT_EQ(InkBounds(b), Rect(1, 1, 5, 4));

  TBitmap d(12, 12);
  d.Canvas().Brush().SetStyle(bsClear);
  d.Canvas().Rectangle(1, 1, 6, 6);
  EXPECT_EQ(CountColor(d, clBlack), 16);
  EXPECT_EQ(d.Pixel(3, 3), clWhite);
}

TEST(CanvasShapes, OnePixelRectangleAndReversedCorners) {
  TBitmap b(6, 6);
  b.Canvas().Pen().SetColor(clRed);
  b.Canvas().Rectangle(3, 3, 4, 4);
  EXPECT_EQ(CountColor(b, clRed), 1);
  EXPECT_EQ(b.Pixel(3, 3), clRed);
  TBitmap d(6, 6);
  d.Canvas().Rectangle(5, 4, 1, 1); // corners given bottom-right first
  EXPECT_EQ(InkBounds(d), Rect(1, 1, 5, 4));
}

TEST(CanvasShapes, EllipseStaysInsideItsBox) {
  TBitmap b(30, 30);
  b.Canvas().Pen().SetColor(clRed);
  b.Canvas().Brush().SetColor(clBlue);
  b.Canvas().Ellipse(5, 6, 25, 20);
  EXPECT_EQ(InkBounds(b), Rect(5, 6, 25, 20));
  EXPECT_EQ(b.Pixel(15, 13), clBlue);
  EXPECT_EQ(b.Pixel(5, 6), clWhite); // corners are outside the curve
}

TEST(CanvasShapes, PolygonOutlinesAndFills) {
  TBitmap b(30, 30);
  b.Canvas().Pen().SetColor(clRed);
  b.Canvas().Brush().SetColor(clBlue);
  const std::vector<TPoint> tri = {{2, 2}, {20, 2}, {2, 20}};
  b.Canvas().Polygon(tri);
  EXPECT_EQ(b.Pixel(2, 20), clRed); // closing edge reaches the last point
  EXPECT_EQ(b.Pixel(20, 2), clRed);
  EXPECT_EQ(b.Pixel(6, 6), clBlue);
  EXPECT_EQ(b.Pixel(20, 20), clWhite);
}

TEST(CanvasModes, XorTwiceRestoresThePixels) {
  TBitmap b(40, 40);
  TCanvas &c = b.Canvas();
  // A background with several colours.
  c.Brush().SetColor(clTeal);
  c.FillRect(Rect(0, 0, 20, 40));
  c.Brush().SetColor(clFuchsia);
  c.FillRect(Rect(20, 0, 40, 40));
  TBitmap before;
  before.Assign(b);

  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  c.Brush().SetStyle(bsClear);
  for (int pass = 0; pass < 2; ++pass) {
    c.Rectangle(5, 5, 35, 30);
    c.MoveTo(0, 39);
    c.LineTo(39, 0);
    const std::vector<TPoint> pts = {{1, 1}, {30, 10}, {3, 33}, {38, 38}};
    c.Polyline(pts);
    if (pass == 0) {
      EXPECT_GT(CountDifferent(b, before), 100);
    }
  }
  EXPECT_EQ(CountDifferent(b, before), 0);
  EXPECT_EQ(b.Pixel(5, 5), clTeal);
}

TEST(CanvasModes, XorFillOfARectangleIsReversible) {
  TBitmap b(10, 10);
  b.Canvas().Pen().SetMode(pmXor);
  b.Canvas().Pen().SetColor(clRed);
  b.Canvas().Brush().SetColor(clBlue);
  b.Canvas().Rectangle(1, 1, 8, 8);
  EXPECT_EQ(b.Pixel(1, 1), RGB(0, 255, 255)); // white ^ red
  EXPECT_EQ(b.Pixel(4, 4), RGB(255, 255, 0)); // white ^ blue
  b.Canvas().Rectangle(1, 1, 8, 8);
  EXPECT_EQ(CountColor(b, clWhite), 100);
}

TEST(CanvasModes, CopyRectWithSrcAndCombinesBitwise) {
  TBitmap src(4, 4), dst(4, 4);
  src.Canvas().Brush().SetColor(RGB(0xF0, 0x0F, 0xFF));
  src.Canvas().FillRect(Rect(0, 0, 4, 4));
  src.Canvas().SetPixels(0, 0, clWhite);
  dst.Canvas().Brush().SetColor(RGB(0x3C, 0xFF, 0x81));
  dst.Canvas().FillRect(Rect(0, 0, 4, 4));
  dst.Canvas().SetCopyMode(SRCAND);
  dst.Canvas().CopyRect(Rect(0, 0, 4, 4), src.Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(dst.Pixel(1, 1), RGB(0x30, 0x0F, 0x81));
  EXPECT_EQ(dst.Pixel(0, 0), RGB(0x3C, 0xFF, 0x81)); // white lets the destination through

  dst.Canvas().SetCopyMode(SRCCOPY);
  dst.Canvas().CopyRect(Rect(2, 2, 4, 4), src.Canvas(), Rect(0, 0, 2, 2));
  EXPECT_EQ(dst.Pixel(2, 2), clWhite);
  EXPECT_EQ(dst.Pixel(3, 3), RGB(0xF0, 0x0F, 0xFF));
}

TEST(CanvasModes, CopyRectWithinOneSurfaceReadsTheOriginal) {
  TBitmap b(6, 1);
  for (int x = 0; x < 6; ++x)
    b.Canvas().SetPixels(x, 0, RGB(uint8_t(x * 10), 0, 0));
  b.Canvas().CopyRect(Rect(1, 0, 6, 1), b.Canvas(), Rect(0, 0, 5, 1));
  for (int x = 1; x < 6; ++x)
    EXPECT_EQ(b.Pixel(x, 0), RGB(uint8_t((x - 1) * 10), 0, 0));
}

TEST(CanvasClip, ClipRectLimitsEveryOperation) {
  TBitmap b(20, 20);
  TCanvas &c = b.Canvas();
  c.SetClipRect(Rect(5, 5, 10, 10));
  c.Brush().SetColor(clBlue);
  c.FillRect(Rect(0, 0, 20, 20));
  c.MoveTo(0, 7);
  c.LineTo(20, 7);
  c.SetPixels(1, 1, clRed);
  EXPECT_EQ(InkBounds(b), Rect(5, 5, 10, 10));
  EXPECT_EQ(c.Pixels(1, 1), CLR_INVALID);
  c.ResetClip();
  EXPECT_EQ(c.Pixels(1, 1), clWhite);
  EXPECT_EQ(c.Pixels(-1, 0), CLR_INVALID);
  EXPECT_EQ(c.Pixels(20, 0), CLR_INVALID);
}

TEST(CanvasColors, SystemColoursAreResolvedWhenDrawing) {
  TBitmap b(3, 3);
  b.Canvas().Brush().SetColor(clBtnFace);
  b.Canvas().FillRect(Rect(0, 0, 3, 3));
  EXPECT_EQ(b.Pixel(1, 1), ColorToRGB(clBtnFace));
  EXPECT_EQ(ColorToRGB(clBtnFace), clSilver);
  EXPECT_EQ(ColorToRGB(clInfoBk), RGB(255, 255, 225));
  EXPECT_EQ(ColorToRGB(clRed), clRed);
  EXPECT_EQ(ColorToRGB(clSystemColor | 200), clBlack); // unknown index
}

TEST(CanvasRecording, RecordsCallsWithToolStateWhileDrawing) {
  TBitmap b(800, 600);
  TCanvasRecorder rec;
  TCanvas &c = b.Canvas();
  c.SetRecorder(&rec);
  std::vector<TPoint> pts;
  for (int i = 0; i < 200; ++i)
    pts.push_back({i * 4, 300 + (i % 7)});
  c.Pen().SetColor(clRed);
  c.Polyline(pts);
  c.Pen().SetColor(clBlue);
  c.MoveTo(1, 2);
  c.TextOut(3, 4, "abc");
  ASSERT_EQ(rec.Records.size(), 3u);
  EXPECT_EQ(rec.Records[0].Kind, coPolyline);
  EXPECT_EQ(rec.Records[0].Points.size(), 200u);
  EXPECT_EQ(rec.Records[0].PenColor, clRed);
  EXPECT_EQ(rec.Records[1].PenColor, clBlue);
  EXPECT_EQ(rec.Records[2].Text, "abc");
  EXPECT_EQ(rec.Count(coPolyline), 1);
  EXPECT_EQ(b.Pixel(0, 300), clRed); // still drew
  c.SetRecorder(nullptr);
  c.LineTo(5, 5);
  EXPECT_EQ(rec.Records.size(), 3u);
}

TEST(CanvasRecording, CanvasWithoutSurfaceRecordsAndMeasures) {
  TCanvas c;
  TCanvasRecorder rec;
  c.SetRecorder(&rec);
  c.Rectangle(0, 0, 10, 10);
  c.Ellipse(0, 0, 10, 10);
  EXPECT_EQ(rec.Records.size(), 2u);
  EXPECT_GT(c.TextWidth("Hello"), 0);
  EXPECT_EQ(c.Pixels(0, 0), CLR_INVALID);
  EXPECT_EQ(c.GetDeviceCaps(LOGPIXELSY), 96);
  EXPECT_EQ(c.GetDeviceCaps(ASPECTX), c.GetDeviceCaps(ASPECTY));
}

} // namespace
