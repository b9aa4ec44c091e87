// The frame painter: ring colours of every style, and the styles that draw nothing.
#include "platform/bitmap.h"
#include "support/frame_painter.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor A = clRed, B = clLime, C = clBlue, D = clYellow, E = clFuchsia;

struct Rings {
  TColor outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
};

void ExpectRings(const TBitmap &b, const Rings &r) {
  // Frame on (0,0)-(9,9): outer ring on 0 and 9, inner ring on 1 and 8.
  EXPECT_EQ(b.Pixel(5, 0), r.outerTopLeft);
  EXPECT_EQ(b.Pixel(0, 5), r.outerTopLeft);
  EXPECT_EQ(b.Pixel(9, 0), r.outerTopLeft); // top line reaches the right corner
  EXPECT_EQ(b.Pixel(9, 5), r.outerBottomRight);
  EXPECT_EQ(b.Pixel(5, 9), r.outerBottomRight);
  EXPECT_EQ(b.Pixel(0, 9), r.outerBottomRight); // bottom line reaches the left corner
  EXPECT_EQ(b.Pixel(5, 1), r.innerTopLeft);
  EXPECT_EQ(b.Pixel(1, 5), r.innerTopLeft);
  EXPECT_EQ(b.Pixel(8, 1), r.innerTopLeft);
  EXPECT_EQ(b.Pixel(8, 5), r.innerBottomRight);
  EXPECT_EQ(b.Pixel(5, 8), r.innerBottomRight);
  EXPECT_EQ(b.Pixel(1, 8), r.innerBottomRight);
  EXPECT_EQ(b.Pixel(5, 5), clWhite);
  EXPECT_EQ(b.Pixel(2, 2), clWhite);
  EXPECT_EQ(b.Pixel(10, 10), clWhite);
}

TEST(DrawFrame, ThreeDimensionalStylesUseTheirColourTable) {
  const struct {
    TFrameStyle style;
    Rings rings;
  } cases[] = {
      {fsLowered, {A, D, B, C}},
      {fsRaised, {C, A, D, B}},
      {fsEmbossed, {A, C, C, A}},
      {fsEngraved, {C, A, A, C}},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.style);
    TBitmap b(12, 12);
    DrawFrame(b.Canvas(), std::uint8_t(c.style), 0, 0, 9, 9, A, B, C, D, E);
    ExpectRings(b, c.rings);
  }
}

TEST(DrawFrame, SimpleFrameIsOneClosedRingInColourE) {
  for (int style : {int(fsSimple), 128 + int(fsSimple)}) {
    TBitmap b(12, 12);
    DrawFrame(b.Canvas(), std::uint8_t(style), 1, 2, 8, 10, A, B, C, D, E);
    int ring = 0;
    for (int y = 0; y < 12; ++y)
      for (int x = 0; x < 12; ++x) {
        const bool onRing =
            ((x == 1 || x == 8) && y >= 2 && y <= 10) || ((y == 2 || y == 10) && x >= 1 && x <= 8);
        EXPECT_EQ(b.Pixel(x, y), onRing ? E : clWhite) << x << "," << y;
        ring += onRing;
      }
    EXPECT_EQ(ring, 2 * 8 + 2 * 7);
  }
}

TEST(DrawFrame, NoneAndUnknownStylesDrawNothing) {
  for (int style : {int(fsNone), 6, 127, 128 + int(fsNone), 128 + 6}) {
    TBitmap b(4, 4);
    TCanvasRecorder rec;
    b.Canvas().SetRecorder(&rec);
    DrawFrame(b.Canvas(), std::uint8_t(style), 0, 0, 3, 3, A, B, C, D, E);
    EXPECT_TRUE(rec.Records.empty()) << style;
  }
}

TEST(DrawFrame, LoweredFrameDrawsTheRingsInOrder) {
  TCanvas canvas;
  TCanvasRecorder rec;
  canvas.SetRecorder(&rec);
  DrawFrame(canvas, fsLowered, 0, 0, 20, 10, A, B, C, D, E);
  std::vector<std::pair<TPoint, TColor>> lines;
  for (const TCanvasRecord &r : rec.Records)
    if (r.Kind == coLineTo) lines.push_back({r.Points[0], r.PenColor});
  const std::vector<std::pair<TPoint, TColor>> expected = {
      {{0, 0}, A}, {{21, 0}, A}, {{20, 10}, D}, {{-1, 10}, D},
      {{1, 1}, B}, {{20, 1}, B}, {{19, 9}, C},  {{0, 9}, C}};
  EXPECT_EQ(lines, expected);
}

} // namespace
