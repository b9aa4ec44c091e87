// The canvas's own pixel rules on a plain pixel buffer. These run in the
// Linux and the Windows build alike; the reference picture's checksum is the
// same in both, which shows that what the suite draws itself does not depend
// on the system.
#include "platform/bitmap.h"
#include "platform/pixel_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <vector>

namespace {

// A white picture of its own, with a few pixels of slack at the row ends so
// that writes outside the picture would show.
struct TPicture {
  static constexpr int Slack = 3;
  TPicture(int W, int H) : Pixels(std::size_t((W + Slack) * H), 0xFFFFFFFFu) {
    View = TPixelView{Pixels.data(), W, H, W + Slack};
  }
  std::uint32_t At(int X, int Y) const { return View.Row(Y)[X]; }
  bool SlackUntouched() const {
    for (int y = 0; y < View.Height; ++y)
      for (int x = View.Width; x < View.Width + Slack; ++x)
        if (View.Row(y)[x] != 0xFFFFFFFFu) return false;
    return true;
  }
  std::uint64_t Checksum() const {
    std::uint64_t h = 14695981039346656037ull;
    for (int y = 0; y < View.Height; ++y)
      for (int x = 0; x < View.Width; ++x)
        h = (h ^ View.Row(y)[x]) * 1099511628211ull;
    return h;
  }
  std::vector<std::uint32_t> Pixels;
  TPixelView View;
};

TStrokeRule Pen(TColor Color, TPenMode Mode = pmCopy, TPenStyle Style = psSolid,
                bool FillGaps = false, TColor Gap = clWhite) {
  TStrokeRule rule;
  rule.Pen = PixelOf(Color);
  rule.Gap = PixelOf(Gap);
  rule.Mode = Mode;
  rule.Mask = PenPatternMask(Style);
  rule.FillGaps = FillGaps;
  return rule;
}

// Lines in every direction and pen style, outlines, fills in every pen
// mode, and copies in every copy mode (unscaled, scaled, skipping a colour).
void DrawReference(TPicture &P, const TRect &Clip) {
  const TPixelView &v = P.View;
  const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
  for (int i = 0; i < 24; ++i) {
    unsigned phase = 0;
    const TPoint c{48, 40};
    const TPoint to{c.X + (i % 7 - 3) * 13 + i, c.Y + (i % 5 - 2) * 17 - i};
    RasterLine(v, c, to, phase, Clip,
               Pen(TColor(0x102030 * (i + 1) & 0xFFFFFF), i % 3 == 0 ? pmXor : pmCopy,
                   styles[i % 5], i % 2 == 0, clYellow));
  }
  RasterBox(v, 3, 4, 60, 50, Clip, Pen(clRed, pmCopy, psDot, true, clBlue));
  RasterBox(v, 10, 12, 11, 70, Clip, Pen(clGreen, pmNot));
  for (int m = pmBlack; m <= pmNotXor; ++m)
    RasterFill(v, Rect(70 + (m % 4) * 6, 2 + (m / 4) * 6, 76 + (m % 4) * 6, 8 + (m / 4) * 6), Clip,
               PixelOf(TColor(0x3366CC)), TPenMode(m));
  TPicture source(9, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x)
      source.View.Row(y)[x] = PixelOf(TColor((x * 28) | (y * 36) << 8 | ((x + y) * 15) << 16));
  const TCopyMode modes[] = {SRCCOPY,    SRCPAINT,  SRCAND,    SRCINVERT,
                             NOTSRCCOPY, DSTINVERT, BLACKNESS, WHITENESS};
  int k = 0;
  for (TCopyMode mode : modes) {
    RasterBlit(v, Bounds(2 + k * 11, 58, 9, 7), source.View, Rect(0, 0, 9, 7), Clip, mode, false,
               clBlack);
    RasterBlit(v, Bounds(2 + k * 11, 67, 13, 5), source.View, Rect(1, 1, 8, 6), Clip, mode, false,
               clBlack);
    ++k;
  }
  RasterBlit(v, Bounds(90, 40, 18, 14), source.View, Rect(0, 0, 9, 7), Clip, SRCCOPY, true,
             ColorOfPixel(source.At(4, 3)));
}

} // namespace

TEST(PixelRules, ReferencePictureIsTheSameOnEverySystem) {
  TPicture p(112, 76);
  DrawReference(p, p.View.Bounds());
  EXPECT_TRUE(p.SlackUntouched());
  // Worked out once and kept: any change to what the pixel rules draw, on
  // any system, changes it.
  EXPECT_EQ(p.Checksum(), 0xbb50860a718af41cull) << std::hex << p.Checksum();
}

TEST(PixelRules, ClippedDrawingIsTheUnclippedPictureCut) {
  TPicture whole(112, 76);
  DrawReference(whole, whole.View.Bounds());
  for (const TRect clip : {Rect(20, 15, 71, 60), Rect(0, 0, 1, 76), Rect(111, 75, 112, 76),
                           Rect(50, 0, 51, 76), Rect(0, 40, 112, 41)}) {
    TPicture cut(112, 76);
    DrawReference(cut, clip);
    EXPECT_TRUE(cut.SlackUntouched());
    for (int y = 0; y < 76; ++y)
      for (int x = 0; x < 112; ++x) {
        const bool inside = clip.Contains({x, y});
        ASSERT_EQ(cut.At(x, y), inside ? whole.At(x, y) : 0xFFFFFFFFu)
            << "pixel " << x << "," << y << " clip " << clip.Left << "," << clip.Top;
      }
  }
}

// Solid outlines in copy mode take a shortcut of their own; on black, merging
// the pen walks the general way to the same pixels.
TEST(PixelRules, SolidCopyOutlinesAreThoseOfTheGeneralWalk) {
  for (const TRect box : {Rect(5, 5, 6, 6), Rect(5, 5, 6, 30), Rect(5, 5, 40, 6), Rect(5, 5, 7, 7),
                          Rect(5, 5, 7, 8), Rect(5, 5, 8, 7), Rect(-10, -4, 60, 44), Rect(3, 2, 47, 37)})
    for (const TRect clip : {Rect(0, 0, 50, 40), Rect(6, 3, 45, 36), Rect(0, 0, 5, 40),
                             Rect(5, 5, 6, 6), Rect(0, 36, 50, 37), Rect(20, 0, 21, 40)}) {
      TPicture fast(50, 40), walk(50, 40);
      for (TPicture *p : {&fast, &walk})
        RasterFill(p->View, p->View.Bounds(), p->View.Bounds(), PixelOf(clBlack), pmCopy);
      RasterBox(fast.View, box.Left, box.Top, box.Right, box.Bottom, clip, Pen(clRed));
      RasterBox(walk.View, box.Left, box.Top, box.Right, box.Bottom, clip, Pen(clRed, pmMerge));
      EXPECT_EQ(fast.Pixels, walk.Pixels) << "box " << box.Left << "," << box.Top << " "
                                          << box.Right << "," << box.Bottom << " clip "
                                          << clip.Left << "," << clip.Top;
    }
}

TEST(PixelRules, XorTwiceRestoresAndLinesLeaveOutTheirEndPoint) {
  TPicture p(40, 30);
  DrawReference(p, p.View.Bounds()); // some content to combine with
  const std::vector<std::uint32_t> before = p.Pixels;
  for (int pass = 0; pass < 2; ++pass) {
    unsigned phase = 0;
    RasterLine(p.View, {1, 1}, {38, 27}, phase, p.View.Bounds(), Pen(clFuchsia, pmXor, psDashDot));
    RasterBox(p.View, 5, 5, 30, 25, p.View.Bounds(), Pen(clTeal, pmXor, psDot));
    RasterFill(p.View, Rect(8, 8, 20, 12), p.View.Bounds(), PixelOf(clLime), pmXor);
    if (pass == 0) {
      EXPECT_NE(p.Pixels, before);
    }
  }
  EXPECT_EQ(p.Pixels, before);

  TPicture q(10, 10);
  unsigned phase = 0;
  RasterLine(q.View, {2, 2}, {7, 2}, phase, q.View.Bounds(), Pen(clBlack));
  EXPECT_EQ(q.At(2, 2), 0xFF000000u);
  EXPECT_EQ(q.At(6, 2), 0xFF000000u);
  EXPECT_EQ(q.At(7, 2), 0xFFFFFFFFu);
  EXPECT_EQ(phase, 5u);
}

namespace {

// Checksum of a bitmap's colours (RGB), row by row.
std::uint64_t ColourChecksum(const TBitmap &B) {
  std::uint64_t h = 14695981039346656037ull;
  for (int y = 0; y < B.Height(); ++y)
    for (int x = 0; x < B.Width(); ++x)
      h = (h ^ B.Pixel(x, y)) * 1099511628211ull;
  return h;
}

// What a canvas draws itself on a bitmap: styled and XOR lines, outlines,
// fills in every pen mode, copies in every copy mode (within the picture
// and from another, scaled and transparent).
void DrawCanvasReference(TBitmap &B) {
  TCanvas &c = B.Canvas();
  const TPenStyle styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
  for (int i = 0; i < 20; ++i) {
    c.Pen().SetColor(TColor(0x0F3050 * (i + 1) & 0xFFFFFF));
    c.Pen().SetStyle(styles[i % 5]);
    c.Pen().SetMode(i % 4 == 0 ? pmXor : pmCopy);
    c.Brush().SetColor(i % 2 ? clYellow : clAqua);
    c.MoveTo(50, 40);
    c.LineTo(50 + (i % 7 - 3) * 14 + i, 40 + (i % 5 - 2) * 16 - i);
  }
  c.Pen().SetStyle(psSolid);
  for (int m = pmBlack; m <= pmNotXor; ++m) {
    c.Pen().SetMode(TPenMode(m));
    c.Brush().SetColor(TColor(0x2266DD));
    c.Rectangle(Bounds(72 + (m % 4) * 8, 2 + (m / 4) * 8, 8, 8));
  }
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clLime);
  c.Brush().SetStyle(bsClear);
  c.Rectangle(5, 5, 60, 55);
  c.Brush().SetStyle(bsSolid);
  c.Pen().SetMode(pmCopy);
  TBitmap glyph(9, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x)
      glyph.Canvas().SetPixels(x, y, TColor((x * 28) | (y * 36) << 8 | ((x + y) * 15) << 16));
  const TCopyMode modes[] = {cmSrcCopy,    cmSrcPaint,  cmSrcAnd,    cmSrcInvert,
                             cmNotSrcCopy, cmDstInvert, cmBlackness, cmWhiteness};
  int k = 0;
  for (TCopyMode mode : modes) {
    c.SetCopyMode(mode);
    c.CopyRect(Bounds(2 + k * 12, 60, 9, 7), glyph.Canvas(), Rect(0, 0, 9, 7));
    c.CopyRect(Bounds(2 + k * 12, 69, 13, 5), glyph.Canvas(), Rect(1, 1, 8, 6));
    ++k;
  }
  c.SetCopyMode(cmSrcCopy);
  c.CopyRect(Bounds(100, 50, 20, 12), c, Bounds(40, 30, 20, 12)); // overlapping itself
  c.StretchDraw(Bounds(104, 62, 18, 14), glyph);
  glyph.SetTransparent(true);
  c.Draw(90, 44, glyph);
}

} // namespace

TEST(PixelRules, ReferencePictureOfACanvasSurvivesPngTheSameOnEverySystem) {
  TBitmap b(124, 78);
  DrawCanvasReference(b);
  // Worked out once and kept, like the plain picture's.
  const std::uint64_t want = 0x5c1c4f00a8b5b468ull;
  EXPECT_EQ(ColourChecksum(b), want) << std::hex << ColourChecksum(b);

  const std::string png =
      (std::filesystem::temp_directory_path() /
       ("spectrion_reference_" + std::to_string(std::random_device{}()) + ".png"))
          .string();
  b.SaveToFile(png);
  TBitmap back;
  back.LoadFromFile(png);
  std::remove(png.c_str());
  EXPECT_EQ(back.Width(), 124);
  EXPECT_EQ(back.Height(), 78);
  EXPECT_EQ(ColourChecksum(back), want) << std::hex << ColourChecksum(back);
}
