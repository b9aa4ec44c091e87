// What GDI draws for the canvas on Windows: ellipses, wide pens, polygons,
// hatches and text, under pen modes, clips and pixel ratios, on bitmaps and
// views of them; and icons read from files and made into icon handles.
#include "helper_surface.h"
#include "platform/bitmap.h"
#include "platform/icon.h"
#include "platform/streams.h"
#include "platform/windows/canvas_gdi.h"
#include "platform/windows/dib_image.h"
#include "platform/windows/icon_handle.h"

#include <gtest/gtest.h>
#include <windows.h>
// The canvas member of that name, not the Windows macro.
#undef TextOut

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

namespace {

// True when every pixel word carries the surface's opaque top byte.
bool AllOpaque(const TBitmap &B) {
  const TPixelView v = B.Image().View();
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x)
      if ((v.Row(y)[x] >> 24) != 0xFF) return false;
  return true;
}

// Rows of column X (device pixels) that are not white.
int DarkDeviceRows(const TBitmap &B, int X) {
  const TPixelView v = B.Image().View();
  int n = 0;
  for (int y = 0; y < v.Height; ++y)
    n += (v.Row(y)[X] & 0xFFFFFFu) != 0xFFFFFFu;
  return n;
}

std::string ReadAll(const std::string &Path) {
  TMemoryStream m;
  m.LoadFromFile(Path);
  return std::string(m.Memory(), std::size_t(m.Size()));
}

} // namespace

TEST(GdiShapes, EllipseFillsItsInsideOutlinesItAndStaysInItsBox) {
  TBitmap b(60, 40);
  TCanvas &c = b.Canvas();
  c.Pen().SetColor(clBlue);
  c.Brush().SetColor(clRed);
  c.Ellipse(10, 5, 50, 35);
  EXPECT_EQ(b.Pixel(30, 20), clRed);
  EXPECT_GT(CountColor(b, clBlue), 60);
  EXPECT_EQ(b.Pixel(10, 5), clWhite); // corners of the box stay
  const TRect ink = InkBounds(b);
  EXPECT_GE(ink.Left, 10);
  EXPECT_GE(ink.Top, 5);
  EXPECT_LE(ink.Right, 50);
  EXPECT_LE(ink.Bottom, 35);
  EXPECT_TRUE(AllOpaque(b)) << "GDI's pixels must get the opaque top byte back";

  // Without a pen the brush alone fills the same box, up to its last row
  // and column but one.
  TBitmap f(60, 40);
  f.Canvas().Pen().SetStyle(psClear);
  f.Canvas().Brush().SetColor(clRed);
  f.Canvas().Ellipse(10, 5, 50, 35);
  EXPECT_EQ(InkBounds(f), InkBounds(b));
}

TEST(GdiShapes, PenModesAndClipHoldForEllipsesWidePensAndHatches) {
  TBitmap b(80, 60);
  TCanvas &c = b.Canvas();
  c.Brush().SetColor(clTeal);
  c.FillRect(Rect(0, 0, 40, 60));
  TBitmap before;
  before.Assign(b);
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clYellow);
  c.Pen().SetWidth(5);
  c.Brush().SetColor(clFuchsia);
  for (int pass = 0; pass < 2; ++pass) {
    c.Ellipse(5, 5, 70, 50);
    c.Polyline({Point(2, 55), Point(40, 10), Point(78, 55)});
    c.Brush().SetStyle(bsDiagCross);
    c.Rectangle(20, 20, 60, 40);
    c.Brush().SetStyle(bsSolid);
    if (pass == 0) {
      EXPECT_NE(CountDifferent(b, before), 0);
    }
  }
  EXPECT_EQ(CountDifferent(b, before), 0) << "XOR twice must restore";

  // A wide pen is as wide as it says, and stops at the clip.
  TBitmap w(80, 60);
  w.Canvas().Pen().SetWidth(7);
  w.Canvas().SetClipRect(Rect(0, 0, 50, 60));
  w.Canvas().MoveTo(5, 30);
  w.Canvas().LineTo(75, 30);
  EXPECT_GE(DarkDeviceRows(w, 30), 6);
  EXPECT_LE(DarkDeviceRows(w, 30), 8);
  EXPECT_EQ(InkBounds(w).Right, 50);

  // Hatch lines leave their gaps alone.
  TBitmap h(40, 40);
  h.Canvas().Brush().SetColor(clGreen);
  h.Canvas().Brush().SetStyle(bsHorizontal);
  h.Canvas().FillRect(Rect(0, 0, 40, 40));
  const int green = CountColor(h, clGreen);
  EXPECT_GT(green, 40 * 2);
  EXPECT_LT(green, 40 * 20);
  EXPECT_EQ(green + CountColor(h, clWhite), 40 * 40);
  // Diagonal hatches reach every edge of their box, and no further.
  TBitmap d(40, 40);
  d.Canvas().Brush().SetColor(clGreen);
  d.Canvas().Brush().SetStyle(bsDiagCross);
  d.Canvas().FillRect(Rect(3, 4, 30, 33));
  EXPECT_EQ(InkBounds(d), Rect(3, 4, 30, 33));
  // The forward diagonal runs down from left to right, the backward one up.
  for (const TBrushStyle style : {bsFDiagonal, bsBDiagonal}) {
    TBitmap g(16, 16);
    g.Canvas().Brush().SetColor(clGreen);
    g.Canvas().Brush().SetStyle(style);
    g.Canvas().FillRect(Rect(0, 0, 16, 16));
    int down = 0, up = 0;
    for (int y = 1; y + 1 < 16; ++y)
      for (int x = 1; x + 1 < 16; ++x)
        if (g.Pixel(x, y) == clGreen) {
          down += g.Pixel(x + 1, y + 1) == clGreen;
          up += g.Pixel(x + 1, y - 1) == clGreen;
        }
    EXPECT_GT(style == bsFDiagonal ? down : up, 10) << style;
    EXPECT_EQ(style == bsFDiagonal ? up : down, 0) << style;
  }
}

TEST(GdiShapes, PolygonsFillByTheAlternateRule) {
  TBitmap b(100, 100);
  TCanvas &c = b.Canvas();
  c.Pen().SetStyle(psClear);
  c.Brush().SetColor(clNavy);
  // A five-pointed star: its centre is wound twice, so it stays empty.
  c.Polygon({Point(50, 5), Point(78, 95), Point(5, 38), Point(95, 38), Point(22, 95)});
  EXPECT_EQ(b.Pixel(50, 55), clWhite);
  EXPECT_EQ(b.Pixel(50, 20), clNavy);
  EXPECT_EQ(b.Pixel(15, 40), clNavy);
}

TEST(GdiShapes, FarCoordinatesDrawJustTheirVisiblePart) {
  constexpr int Far = 1 << 30; // well past what GDI's fixed point holds
  TBitmap b(50, 40);
  TCanvas &c = b.Canvas();
  c.Pen().SetWidth(3);
  c.Pen().SetColor(clRed);
  c.MoveTo(-Far, 20);
  c.LineTo(Far, 20);
  for (int x = 0; x < 50; ++x)
    ASSERT_EQ(b.Pixel(x, 20), clRed) << x;
  EXPECT_EQ(b.Pixel(25, 10), clWhite);

  // A triangle reaching far out covers the surface below its visible edge.
  TBitmap p(50, 40);
  p.Canvas().Pen().SetStyle(psClear);
  p.Canvas().Brush().SetColor(clGreen);
  p.Canvas().Polygon({Point(-Far, 30), Point(Far, 30), Point(25, -Far)});
  EXPECT_EQ(p.Pixel(0, 0), clGreen);
  EXPECT_EQ(p.Pixel(49, 28), clGreen);
  EXPECT_EQ(p.Pixel(25, 35), clWhite);

  // The surface lies deep inside a huge ellipse.
  TBitmap e(50, 40);
  e.Canvas().Brush().SetColor(clBlue);
  e.Canvas().Ellipse(-Far, -Far, Far, Far);
  EXPECT_EQ(CountColor(e, clBlue), 50 * 40);
}

TEST(GdiText, MeasuresGrowWithSizeAndTextDrawsInsideTheClip) {
  TBitmap b(200, 60);
  TCanvas &c = b.Canvas();
  c.Font().SetName("Arial");
  c.Font().SetHeight(-12);
  const int small = c.TextWidth("Spectrion");
  const int smallHeight = c.TextHeight("X");
  EXPECT_GT(small, 20);
  EXPECT_GT(smallHeight, 11);
  EXPECT_GT(c.TextAscent(), smallHeight / 2);
  EXPECT_LT(c.TextAscent(), smallHeight);
  c.Font().SetHeight(-24);
  EXPECT_GT(c.TextWidth("Spectrion"), small * 3 / 2);
  EXPECT_GT(c.TextHeight("X"), smallHeight * 3 / 2);
  c.Font().SetStyle({fsBold});
  EXPECT_GT(c.TextWidth("Spectrion"), 0);

  // Transparent text in the font colour, cut at the clip.
  c.Font().SetHeight(-20);
  c.Font().SetStyle({});
  c.Font().SetColor(clRed);
  c.Brush().SetStyle(bsClear);
  c.SetClipRect(Rect(0, 0, 40, 60));
  c.TextOut(5, 5, "Wide text past the clip");
  const TRect ink = InkBounds(b);
  EXPECT_FALSE(ink.IsEmpty());
  EXPECT_LE(ink.Right, 40);
  EXPECT_GE(ink.Left, 5);
  EXPECT_GT(CountColor(b, clRed), 10);
  EXPECT_TRUE(AllOpaque(b));

  // UTF-8 reaches GDI as the characters it means.
  TCanvas m;
  EXPECT_NE(m.TextWidth("\xC3\xA4\xC3\xA4\xC3\xA4"), m.TextWidth("\xC3\xA4"));
  EXPECT_EQ(m.TextWidth("\xE2\x84\xA6"), m.TextWidth("\xE2\x84\xA6")); // one Omega, stable
  TBitmap u(100, 30);
  u.Canvas().TextOut(2, 2, "W\xC3\xA4rme \xC2\xB0" "C");
  EXPECT_FALSE(InkBounds(u).IsEmpty());
}

TEST(GdiText, PixelRatioTwoDrawsTextTwiceAsTall) {
  TBitmap one(120, 40);
  TBitmap two;
  two.SetPixelRatio(2);
  two.SetSize(120, 40);
  for (TBitmap *b : {&one, &two}) {
    b->Canvas().Font().SetName("Arial");
    b->Canvas().Font().SetHeight(-14);
    b->Canvas().Brush().SetStyle(bsClear);
    b->Canvas().TextOut(4, 4, "HHH");
  }
  // Logical measures stay about the same.
  EXPECT_NEAR(two.Canvas().TextHeight("H"), one.Canvas().TextHeight("H"), 1);
  EXPECT_NEAR(two.Canvas().TextWidth("HHH"), one.Canvas().TextWidth("HHH"), 2);
  // In device pixels the capitals are twice as tall.
  int oneRows = 0, twoRows = 0;
  for (int x = 0; x < one.Image().Width(); ++x)
    oneRows = std::max(oneRows, DarkDeviceRows(one, x));
  for (int x = 0; x < two.Image().Width(); ++x)
    twoRows = std::max(twoRows, DarkDeviceRows(two, x));
  EXPECT_GE(oneRows, 9);
  EXPECT_NEAR(twoRows, 2 * oneRows, 3);
}

TEST(GdiViews, DrawingOnAViewLandsInItsAreaOfTheSource) {
  TBitmap source(40, 40);
  TBitmap view;
  ASSERT_TRUE(view.ViewArea(source, Rect(10, 10, 30, 30)));
  EXPECT_EQ(view.Width(), 20);
  EXPECT_FALSE(view.SharesPixels());
  view.Canvas().Brush().SetColor(clRed);
  view.Canvas().Pen().SetStyle(psClear);
  view.Canvas().Ellipse(-20, -20, 40, 40); // GDI, clipped to the view
  view.Canvas().Pen().SetStyle(psSolid);
  view.Canvas().MoveTo(0, 0); // the core's pixel rules
  view.Canvas().LineTo(0, 20);
  EXPECT_EQ(InkBounds(source), Rect(10, 10, 30, 30));
  EXPECT_EQ(source.Pixel(10, 15), clBlack);
  EXPECT_EQ(source.Pixel(20, 20), clRed);
  EXPECT_EQ(view.Pixel(10, 10), clRed);
  // A copy of a view owns its pixels.
  TBitmap copy;
  copy.Assign(view);
  copy.Canvas().SetPixels(5, 5, clLime);
  EXPECT_EQ(source.Pixel(15, 15), clRed);
  // Saving a view writes just its area.
  const std::string png = TempPath("view.png");
  view.SaveToFile(png);
  TBitmap back;
  back.LoadFromFile(png);
  std::remove(png.c_str());
  EXPECT_EQ(back.Width(), 20);
  EXPECT_EQ(back.Pixel(0, 5), clBlack);
}

TEST(GdiBitmaps, AbsurdSizesAreRefusedBeforeAllocatingAndKeepThePicture) {
  TBitmap b(4, 4);
  b.Canvas().SetPixels(1, 1, clRed);
  EXPECT_THROW(b.SetSize(200000, 200000), EInvalidGraphic);
  EXPECT_THROW(b.SetSize(30000, 30000), EInvalidGraphic); // past what a DIB section may be
  EXPECT_EQ(b.Width(), 4);
  EXPECT_EQ(b.Pixel(1, 1), clRed);

  // A BMP header claiming a picture of 10^10 pixels.
  std::string bmp(54, '\0');
  const auto put = [&bmp](std::size_t At, std::uint32_t V) {
    for (int i = 0; i < 4; ++i)
      bmp[At + std::size_t(i)] = char((V >> (8 * i)) & 0xFF);
  };
  bmp[0] = 'B';
  bmp[1] = 'M';
  put(2, 54);
  put(10, 54);
  put(14, 40);
  put(18, 100000);
  put(22, 100000);
  bmp[26] = 1;
  bmp[28] = 24;
  TStringStream s(bmp);
  EXPECT_THROW(b.LoadFromStream(s), EInvalidGraphic);
  EXPECT_EQ(b.Pixel(1, 1), clRed);
}

namespace {

// An icon file's bytes from entries (width, bits per pixel, data).
struct TIconEntry {
  int Size;
  int Bits;
  std::string Data;
};

std::string IcoFile(const std::vector<TIconEntry> &Entries) {
  std::string f;
  const auto put16 = [&f](unsigned V) {
    f += char(V & 0xFF);
    f += char((V >> 8) & 0xFF);
  };
  const auto put32 = [&](std::uint32_t V) {
    put16(V & 0xFFFF);
    put16(V >> 16);
  };
  put16(0);
  put16(1);
  put16(unsigned(Entries.size()));
  std::uint32_t offset = std::uint32_t(6 + 16 * Entries.size());
  for (const TIconEntry &e : Entries) {
    f += char(e.Size & 0xFF);
    f += char(e.Size & 0xFF);
    f += '\0';
    f += '\0';
    put16(1);
    put16(unsigned(e.Bits));
    put32(std::uint32_t(e.Data.size()));
    put32(offset);
    offset += std::uint32_t(e.Data.size());
  }
  for (const TIconEntry &e : Entries)
    f += e.Data;
  return f;
}

// A 24-bit icon bitmap of Size x Size in Colour, its top-left pixel masked out.
std::string IconDib(int Size, TColor Colour) {
  std::string d(40, '\0');
  const auto put = [&d](std::size_t At, std::uint32_t V, int Bytes) {
    for (int i = 0; i < Bytes; ++i)
      d[At + std::size_t(i)] = char((V >> (8 * i)) & 0xFF);
  };
  put(0, 40, 4);
  put(4, std::uint32_t(Size), 4);
  put(8, std::uint32_t(2 * Size), 4);
  put(12, 1, 2);
  put(14, 24, 2);
  const int row = (Size * 3 + 3) / 4 * 4, maskRow = (Size + 31) / 32 * 4;
  std::string pixels(std::size_t(row * Size), '\0');
  for (int y = 0; y < Size; ++y)
    for (int x = 0; x < Size; ++x) {
      pixels[std::size_t(y * row + 3 * x)] = char(GetBValue(Colour));
      pixels[std::size_t(y * row + 3 * x + 1)] = char(GetGValue(Colour));
      pixels[std::size_t(y * row + 3 * x + 2)] = char(GetRValue(Colour));
    }
  std::string mask(std::size_t(maskRow * Size), '\0');
  mask[std::size_t(maskRow * (Size - 1))] = char(0x80); // bottom-up: the last row is the top
  return d + pixels + mask;
}

std::string PngOf(int Size, TColor Colour) {
  TBitmap b(Size, Size);
  b.Canvas().Brush().SetColor(Colour);
  b.Canvas().FillRect(Rect(0, 0, Size, Size));
  const std::string path = TempPath("entry.png");
  b.SaveToFile(path);
  const std::string data = ReadAll(path);
  std::remove(path.c_str());
  return data;
}

std::uint32_t IconPixel(const TIcon &I, int X, int Y) {
  return I.Image().View().Row(Y)[X];
}

} // namespace

TEST(GdiIcons, IconFilesGiveTheirBestEntryWithItsTransparency) {
  TIcon icon;
  int changes = 0;
  icon.OnChange = [&](TObject *) { ++changes; };
  // The larger entry wins, whichever comes first; PNG entries count too.
  icon.LoadFromData(IcoFile({{16, 24, IconDib(16, clRed)}, {32, 32, PngOf(32, clBlue)}}));
  EXPECT_EQ(icon.Width(), 32);
  EXPECT_EQ(IconPixel(icon, 5, 5), 0xFF0000FFu);
  icon.LoadFromData(IcoFile({{16, 24, IconDib(16, clRed)}, {48, 24, IconDib(48, clLime)}}));
  EXPECT_EQ(icon.Width(), 48);
  EXPECT_EQ(IconPixel(icon, 5, 5), 0xFF00FF00u);
  EXPECT_EQ(IconPixel(icon, 0, 0) >> 24, 0u) << "the mask makes the top-left pixel transparent";
  EXPECT_EQ(changes, 2);

  // Plain PNG files are icons too; bad data keeps the old picture.
  icon.LoadFromData(PngOf(20, clYellow));
  EXPECT_EQ(icon.Width(), 20);
  EXPECT_THROW(icon.LoadFromData("not an icon"), EInvalidGraphic);
  std::string broken = IcoFile({{16, 24, IconDib(16, clRed)}});
  broken.resize(broken.size() / 2);
  EXPECT_THROW(icon.LoadFromData(broken), EInvalidGraphic);
  EXPECT_EQ(icon.Width(), 20);
  EXPECT_THROW(icon.LoadFromFile(TempPath("missing.ico")), EFOpenError);
}

TEST(GdiIcons, IconHandlesHaveTheAskedSize) {
  TIcon empty;
  EXPECT_EQ(NewIconHandle(empty, 32), nullptr);
  TIcon icon;
  icon.LoadFromData(IcoFile({{48, 24, IconDib(48, clLime)}}));
  for (int size : {16, 32, 64}) {
    HICON handle = NewIconHandle(icon, size);
    ASSERT_NE(handle, nullptr) << size;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(handle, &info));
    BITMAP bm{};
    GetObjectW(info.hbmColor, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, size);
    EXPECT_EQ(bm.bmHeight, size);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(handle);
  }
}

TEST(GdiFaces, RasterFaceNamesGiveScalableFaces) {
  EXPECT_EQ(GdiFaceFor("MS Sans Serif"), "Microsoft Sans Serif");
  EXPECT_EQ(GdiFaceFor("courier"), "Courier New");
  EXPECT_EQ(GdiFaceFor("Arial"), "Arial");
}

TEST(GdiIcons, TheApplicationIconKeepsItsTransparency) {
  const std::string path = SPECTRION_SOURCE_DIR "/data/icons/spectrion.png";
  TIcon icon;
  icon.LoadFromFile(path);
  ASSERT_EQ(icon.Width(), 48);
  int clear = 0, opaque = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x) {
      const std::uint32_t alpha = IconPixel(icon, x, y) >> 24;
      clear += alpha == 0;
      opaque += alpha == 0xFF;
    }
  EXPECT_GT(clear, 0);
  EXPECT_GT(opaque, 48 * 48 / 4);
  HICON handle = NewIconHandle(icon, 32);
  EXPECT_NE(handle, nullptr);
  DestroyIcon(handle);

  // As a bitmap the same file is opaque everywhere.
  TBitmap b;
  b.LoadFromFile(path);
  EXPECT_EQ(b.Width(), 48);
  EXPECT_TRUE(AllOpaque(b));
}
