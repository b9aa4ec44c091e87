// Rendering of the chart, observed through recorded canvas calls and pixels:
// items, polylines, rectangles, texts, the log edge, the grid, the picture
// failure rule, labels, cross-hairs, events and the two ShowGraph paths.
#include "axes/scale.h"
#include "chart/paint_geometry.h"
#include "chart/rchart.h"
#include "platform/bitmap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace {

// A 280 x 200 chart (margins 50/20/20/40) whose world units are data-bitmap
// pixels: x = X, y = 140 - Y in the 211 x 141 data bitmap.
class ChartPaint : public ::testing::Test {
protected:
  ChartPaint() : chart(nullptr) {
    chart.HandleNeeded();
    chart.SetAutoRedraw(false);
    chart.Scale1X()->SetRangeHigh(210);
    chart.Scale1Y()->SetRangeHigh(140);
  }
  // Paints once with the data bitmap's calls recorded.
  void PaintRecorded() {
    rec.Clear();
    chart.DataBitmap().Canvas().SetRecorder(&rec);
    chart.Repaint();
    chart.DataBitmap().Canvas().SetRecorder(nullptr);
  }
  std::vector<const TCanvasRecord *> Calls(TCanvasOp Kind) const {
    std::vector<const TCanvasRecord *> out;
    for (const TCanvasRecord &r : rec.Records)
      if (r.Kind == Kind) out.push_back(&r);
    return out;
  }
  // Polylines of the items (the five-point frame left out).
  std::vector<const TCanvasRecord *> ItemLines() const {
    std::vector<const TCanvasRecord *> out;
    for (const TCanvasRecord *r : Calls(coPolyline))
      if (!(r->Points.size() == 5 && r->Points.front() == Point(0, 0) &&
            r->Points[2] == Point(210, 140)))
        out.push_back(r);
    return out;
  }
  TColor DataPixel(int X, int Y) { return chart.DataBitmap().Pixel(X, Y); }

  TRChart chart;
  TCanvasRecorder rec;
};

TEST_F(ChartPaint, DrawToWithoutMoveToStartsAtTheDataAreasTopLeft) {
  chart.SetDataColor(clRed);
  chart.DrawTo(100, 40);
  PaintRecorded();
  const auto lines = ItemLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]->Points, (std::vector<TPoint>{{0, 0}, {100, 100}}));
  EXPECT_EQ(lines[0]->PenColor, clRed);
  EXPECT_EQ(DataPixel(50, 50), clRed);
}

TEST_F(ChartPaint, TextBetweenDrawTosDoesNotBreakTheLine) {
  chart.MoveTo(10, 130);
  chart.DrawTo(60, 130);
  chart.Text(150, 50, 8, "x");
  chart.DrawTo(60, 80);
  PaintRecorded();
  const auto lines = ItemLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0]->Points, (std::vector<TPoint>{{10, 10}, {60, 10}}));
  EXPECT_EQ(lines[1]->Points, (std::vector<TPoint>{{60, 10}, {60, 60}})); // not from the text
  EXPECT_EQ(Calls(coTextOut).size(), 1u);
}

TEST_F(ChartPaint, LongCurvesAreBatchedIntoJoinedPolylines) {
  chart.Scale1X()->SetRangeHigh(450);
  chart.MoveTo(0, 70);
  for (int i = 1; i <= 450; ++i)
    chart.DrawTo(i, 70 + (i % 20));
  PaintRecorded();
  const auto lines = ItemLines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0]->Points.size(), 200u);
  EXPECT_EQ(lines[1]->Points.size(), 200u);
  EXPECT_EQ(lines[2]->Points.size(), 53u);
  EXPECT_EQ(lines[1]->Points.front(), lines[0]->Points.back());
  EXPECT_EQ(lines[2]->Points.front(), lines[1]->Points.back());
  // A colour change ends a batch early; the next line starts where it stopped.
  chart.ClearGraph();
  chart.MoveTo(0, 70);
  chart.DrawTo(100, 70);
  chart.SetDataColor(clBlue);
  chart.DrawTo(200, 70);
  PaintRecorded();
  const auto two = ItemLines();
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[1]->Points.front(), two[0]->Points.back());
  EXPECT_EQ(two[1]->PenColor, clBlue);
}

TEST_F(ChartPaint, RectanglesCoverTheirEdgePixelsAndMayBeOnePixel) {
  chart.SetDataColor(clRed);
  chart.SetFillColor(clLime);
  chart.Rectangle(30, 30, 30, 30); // both corners on one pixel
  chart.Rectangle(100, 0, 150, 140);
  PaintRecorded();
  const auto pixels = Calls(coSetPixel);
  ASSERT_EQ(pixels.size(), 1u);
  EXPECT_EQ(pixels[0]->Points[0], Point(30, 110));
  EXPECT_EQ(DataPixel(30, 110), clRed);
  EXPECT_EQ(DataPixel(31, 110), clWhite);
  EXPECT_EQ(DataPixel(29, 111), clWhite);
  // The band reaches its right edge and the bottom row (where the frame is
  // then drawn over it).
  EXPECT_EQ(DataPixel(150, 70), clRed);
  EXPECT_EQ(DataPixel(151, 70), clWhite);
  EXPECT_EQ(DataPixel(125, 70), clLime);
  const auto boxes = Calls(coRectangle);
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back()->Rect, Rect(100, 0, 151, 141));
}

TEST_F(ChartPaint, ZeroOnALogarithmicAxisLeavesThroughTheBottom) {
  TScalePropsVert &y = *chart.Scale1Y();
  y.SetRangeLow(1);
  y.SetRangeHigh(1e4);
  y.SetLogarithmic(true);
  ASSERT_TRUE(y.Logarithmic());
  chart.SetDataColor(clRed);
  chart.MoveTo(105, 100);
  chart.DrawTo(105, 0);
  PaintRecorded();
  const auto lines = ItemLines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]->Points.back(), Point(105, 180)); // the control's bottom edge, 200 - 20
  EXPECT_EQ(DataPixel(105, 139), clRed);               // drawn right down to the frame
}

TEST_F(ChartPaint, GridLinesCoincideWithTheTicks) {
  chart.Scale1X()->SetRangeHigh(10);
  chart.Scale1X()->SetShortTicks(false); // every recorded tick is then a reported major tick
  chart.SetGridStyle(gsLines);
  chart.SetGridColor(clRed);
  std::vector<int> tickX;
  chart.OnScaleTickDrawn = [&](TObject *, TCanvas *&, TScaleType T, double, int X, int) {
    if (T == sctXT) tickX.push_back(X);
  };
  PaintRecorded();
  std::vector<int> gridX;
  const auto moves = Calls(coMoveTo);
  const auto draws = Calls(coLineTo);
  for (const TCanvasRecord *r : draws)
    if (r->PenColor == clRed && r->Points[0].Y == 0) gridX.push_back(r->Points[0].X + 50);
  ASSERT_GE(gridX.size(), 5u);
  EXPECT_EQ(gridX.front(), 50); // the tick at 0 lies on the frame
  for (int x : gridX)
    EXPECT_NE(std::find(tickX.begin(), tickX.end(), x), tickX.end()) << x;
  // Every tick inside the range has its line.
  const TScale &s = *chart.InternalScaleX(1);
  int inside = 0;
  for (int k = 1; k <= s.NumTicks(); ++k)
    inside += s.TickPosition(k) < 10 ? 1 : 0;
  EXPECT_EQ(int(gridX.size()), inside);
  EXPECT_FALSE(moves.empty());
}

TEST_F(ChartPaint, TextItemsAreCentredOnTheirPoint) {
  chart.SetTextAlignment(taCenter);
  chart.SetDataColor(clBlue);
  chart.Text(105, 70, 12, "Centre");
  PaintRecorded();
  const auto texts = Calls(coTextOut);
  ASSERT_EQ(texts.size(), 1u);
  TCanvas probe;
  probe.Font().SetName(chart.Font()->Name());
  probe.Font().SetSize(12);
  const TSize size = probe.TextExtent("Centre");
  EXPECT_EQ(texts[0]->Points[0], Point(105 - size.cx / 2, 70 - size.cy / 2));
  EXPECT_EQ(texts[0]->FontColor, clBlue);
  EXPECT_EQ(texts[0]->BrushStyle, bsClear); // tbClear
}

TEST_F(ChartPaint, AMissingPictureShowsThePlainBackgroundAndClearsTheName) {
  chart.SetChartColor(clYellow);
  chart.BackGroundImg()->SetAreaMode(bamVStripe);
  chart.BackGroundImg()->SetAreaLeft(40);
  chart.BackGroundImg()->SetAreaRight(160);
  chart.BackGroundImg()->SetName("/no/such/dir/missing-background.bmp");
  EXPECT_EQ(chart.BackGroundImg()->Name(), "missing-background.bmp"); // directory dropped
  chart.Repaint();
  EXPECT_EQ(chart.BackGroundImg()->Name(), "");
  EXPECT_EQ(DataPixel(100, 70), clYellow); // no band in the pass that found the failure
  EXPECT_EQ(DataPixel(0, 0), clBlack);     // the outline / frame
  chart.Repaint();                         // now a chart without a picture, band and all
  EXPECT_EQ(DataPixel(100, 70), chart.BackGroundImg()->AreaColor());
}

TEST_F(ChartPaint, PictureTilesAndBandsFillTheBackground) {
  TBitmap tile(50, 50);
  tile.Canvas().Brush().SetColor(clBlue);
  tile.Canvas().FillRect(Rect(0, 0, 50, 50));
  tile.Canvas().SetPixels(0, 0, clRed);
  const std::string file = ::testing::TempDir() + "chart-tile.png";
  tile.SaveToFile(file);
  chart.BackGroundImg()->SetIncludePath(true);
  chart.BackGroundImg()->SetName(file);
  chart.BackGroundImg()->SetFillMode(bfTile);
  chart.Repaint();
  EXPECT_EQ(DataPixel(150, 100), clRed); // the fourth column, third row of copies
  EXPECT_EQ(DataPixel(151, 100), clBlue);
  EXPECT_EQ(chart.BackGroundImg()->Name(), file);

  chart.BackGroundImg()->SetName("");
  chart.BackGroundImg()->SetAreaMode(bamVStripe);
  chart.BackGroundImg()->SetAreaLeft(40);
  chart.BackGroundImg()->SetAreaRight(60);
  chart.Repaint();
  EXPECT_EQ(DataPixel(50, 70), chart.BackGroundImg()->AreaColor());
  EXPECT_EQ(DataPixel(39, 70), clWhite);
}

TEST_F(ChartPaint, LabelOneIsDrawnLastAndEndsOnTop) {
  const int a = chart.AddTextLabel(105, 70, clBlack, "one");
  const int b = chart.AddTextLabel(105, 70, clBlack, "two");
  ASSERT_EQ(a, 1);
  ASSERT_EQ(b, 2);
  chart.TextLabels(1)->SetColorBkg(clRed);
  chart.TextLabels(2)->SetColorBkg(clBlue);
  PaintRecorded();
  const auto texts = Calls(coTextOut);
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0]->Text, "two");
  EXPECT_EQ(texts[1]->Text, "one");
  // Just above the anchor, inside both boxes, label 1's background shows.
  EXPECT_EQ(DataPixel(105 - 1, 70 - 1), clRed);
}

TEST_F(ChartPaint, TwoLineRightJustifiedCaption) {
  TTextLabel &l = *chart.TextLabels(chart.AddTextLabel(0, 0, clBlack, "ab\nlonger line"));
  l.SetAttachToData(tlamNone);
  l.SetPosX(200);
  l.SetPosY(120);
  l.SetAlignment(taRightJustify);
  l.SetMode(tlBox);
  PaintRecorded();
  const auto texts = Calls(coTextOut);
  ASSERT_EQ(texts.size(), 2u);
  TCanvas probe;
  probe.Font().Assign(*l.Font());
  const int w1 = probe.TextWidth("ab"), w2 = probe.TextWidth("longer line");
  // Both lines end at the anchor, shifted to data-bitmap pixels.
  EXPECT_EQ(texts[0]->Points[0].X + w1, 150);
  EXPECT_EQ(texts[1]->Points[0].X + w2, 150);
  EXPECT_LT(texts[0]->Points[0].Y, texts[1]->Points[0].Y);
  const auto boxes = Calls(coRectangle);
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back()->Rect.Width(), w2 + 8);
  EXPECT_EQ(boxes.back()->Rect.Bottom, 100 + 2);
}

TEST_F(ChartPaint, TransparentShadowLabelsAreTwoOutlines) {
  TTextLabel &l = *chart.TextLabels(chart.AddTextLabel(105, 70, clBlack, "5000 K"));
  l.SetTransparent(true);
  l.SetMode(tlShadow);
  l.SetColorShadow(clGray);
  l.SetColorBorder(clRed);
  PaintRecorded();
  auto boxes = Calls(coRectangle);
  boxes.erase(boxes.begin()); // the background rectangle
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0]->PenColor, clGray);
  EXPECT_EQ(boxes[1]->PenColor, clRed);
  EXPECT_EQ(boxes[0]->BrushStyle, bsClear);
  EXPECT_EQ(boxes[1]->BrushStyle, bsClear);
  EXPECT_EQ(boxes[0]->Rect, boxes[1]->Rect); // ShadowDx = ShadowDy = 0
  l.SetShadowDx(3);
  l.SetShadowDy(2);
  PaintRecorded();
  boxes = Calls(coRectangle);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[1]->Rect.Left, boxes[2]->Rect.Left + 3);
  EXPECT_EQ(boxes[1]->Rect.Top, boxes[2]->Rect.Top + 2);
}

TEST_F(ChartPaint, CrossHairsDrawOverTheFinishedPictureInsideTheDataArea) {
  TCrossHair &c = *chart.CrossHair1();
  c.SetColor(clRed);
  c.SetMode(chBoth);
  c.SetPosX(0); // on the frame: nothing in either direction
  c.SetPosY(0);
  TCanvasRecorder full;
  chart.FullBitmap().Canvas().SetRecorder(&full);
  chart.Repaint();
  auto redLines = [&] {
    int n = 0;
    for (const TCanvasRecord &r : full.Records)
      n += (r.Kind == coLineTo && r.PenColor == clRed) ? 1 : 0;
    return n;
  };
  EXPECT_EQ(redLines(), 0);
  c.SetPosX(100);
  c.SetPosY(70);
  full.Clear();
  chart.Repaint();
  chart.FullBitmap().Canvas().SetRecorder(nullptr);
  EXPECT_EQ(redLines(), 2);
  EXPECT_EQ(full.Records.back().Kind, coLineTo); // after the data area was copied in
  EXPECT_EQ(chart.Canvas().Pixels(150, 40), clRed);
  EXPECT_EQ(chart.Canvas().Pixels(60, 90), clRed);
  EXPECT_NE(chart.FullBitmap().Canvas().Pen().Color(), clRed); // the pen was restored
}

TEST_F(ChartPaint, EventsSeeTheirSurfacesAndTheFrameComesLast) {
  std::vector<std::string> order;
  chart.OnScalesRendered = [&](TObject *s, TCanvas *&c, int top, int left) {
    EXPECT_EQ(s, &chart);
    EXPECT_EQ(c, &chart.FullBitmap().Canvas());
    EXPECT_EQ(top, 0);
    EXPECT_EQ(left, 0);
    order.push_back("scales");
  };
  chart.OnBeforeRenderData = [&](TObject *, TCanvas *&c, int top, int left) {
    EXPECT_EQ(c, &chart.DataBitmap().Canvas());
    EXPECT_EQ(top, 20);
    EXPECT_EQ(left, 50);
    c->Pen().SetColor(clLime);
    c->Brush().SetColor(clLime);
    order.push_back("before");
  };
  chart.OnDataRendered = [&](TObject *, TCanvas *&, int top, int left) {
    EXPECT_EQ(top, 20);
    EXPECT_EQ(left, 50);
    order.push_back("data");
  };
  chart.SetGridStyle(gsHorizLines);
  chart.SetGridDy(50);
  chart.SetGridColor(clRed);
  PaintRecorded();
  EXPECT_EQ(order, (std::vector<std::string>{"scales", "before", "data"}));
  // The handler's colours did not leak into the grid's brush.
  const auto lines = Calls(coLineTo);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0]->BrushColor, clWhite);
  const TCanvasRecord &last = rec.Records.back();
  EXPECT_EQ(last.Kind, coPolyline);
  EXPECT_EQ(last.Points.size(), 5u);
  EXPECT_EQ(last.PenColor, chart.ChartFrameColor());
}

TEST_F(ChartPaint, ShowGraphRendersOnlyTheDataAreaWithAutoRedraw) {
  chart.Repaint();
  const TColor face = chart.Canvas().Pixels(5, 5);
  chart.SetWindColor(clYellow); // AutoRedraw off: not painted yet
  chart.SetAutoRedraw(true);
  chart.SetDataColor(clRed);
  chart.MoveTo(0, 70);
  chart.DrawTo(210, 70);
  const int before = chart.PaintCount();
  chart.ShowGraph();
  EXPECT_EQ(chart.PaintCount(), before);
  EXPECT_EQ(chart.Canvas().Pixels(5, 5), face); // the rim is left as it was
  EXPECT_EQ(chart.Canvas().Pixels(150, 90), clRed);
  // Clearing redraws the data background off screen only.
  chart.ClearGraph();
  EXPECT_EQ(DataPixel(100, 70), clWhite);
  EXPECT_EQ(chart.Canvas().Pixels(150, 90), clRed);
  chart.SetAutoRedraw(false);
  chart.ShowGraph(); // a full repaint
  EXPECT_EQ(chart.PaintCount(), before + 1);
  EXPECT_EQ(chart.Canvas().Pixels(5, 5), clYellow);
  EXPECT_EQ(chart.Canvas().Pixels(150, 90), clWhite);
}

} // namespace

TEST_F(ChartPaint, ExtremeMarginsAndCaptionPositionsSaturate) {
  // Margins, caption and axis positions at the ends of int: the geometry
  // computes wide and saturates (the sanitizer build would stop on any
  // overflow), and the data bitmap stays within what a screen can show.
  TRimGeometry g;
  g.W = 100;
  g.ML = g.MR = INT_MIN;
  EXPECT_EQ(g.DataBitmapWidth(), MaxDataBitmapSide);
  EXPECT_EQ(ChartCaptionOrigin(g, INT_MAX, INT_MIN, taLeftJustify, cahChartCenter, cavChartBottom, 0),
            Point(INT_MAX, INT_MIN));
  for (int v : {INT_MAX, INT_MIN}) {
    chart.SetCaption("caption");
    chart.SetCaptionPosX(v);
    chart.SetCaptionPosY(v);
    chart.Scale1X()->SetCaption("x");
    chart.Scale1X()->SetCaptionPosX(v);
    chart.Scale1Y()->SetScalePos(v);
    for (int anchor : {0, 2, 4}) {
      chart.SetCaptionAnchorHoriz(TCaptionAnchorHoriz(anchor));
      chart.SetCaptionAnchorVert(TCaptionAnchorVert(anchor));
      chart.SetMarginLeft(v);
      chart.SetMarginTop(v);
      chart.SetMarginRight(v == INT_MAX ? INT_MIN : INT_MAX);
      chart.SetMarginBottom(v);
      chart.Repaint();
    }
  }
  EXPECT_LE(chart.DataBitmap().Width(), MaxDataBitmapSide);
}
