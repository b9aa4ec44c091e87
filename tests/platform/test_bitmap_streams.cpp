// Bitmaps (size, files, transparent drawing) and streams (memory, files, errors).
#include "helper_surface.h"
#include "platform/streams.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(Bitmap, ResizeKeepsPixelsAndFillsNewAreaWhite) {
  TBitmap b;
  EXPECT_TRUE(b.Empty());
  b.SetSize(4, 3);
  EXPECT_FALSE(b.Empty());
  EXPECT_EQ(CountColor(b, clWhite), 12);
  b.Canvas().SetPixels(1, 1, clRed);
  b.SetSize(6, 5);
  EXPECT_EQ(b.Pixel(1, 1), clRed);
  EXPECT_EQ(b.Pixel(5, 4), clWhite);
  b.SetWidth(0);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Pixel(0, 0), CLR_INVALID);
  b.SetSize(-5, 3); // negative sizes mean empty
  EXPECT_TRUE(b.Empty());
}

TEST(Bitmap, AbsurdSizesAreRefusedAndKeepThePicture) {
  TBitmap b(4, 3);
  b.Canvas().SetPixels(1, 1, clRed);
  EXPECT_THROW(b.SetSize(1 << 20, 1 << 20), EInvalidGraphic);
  b.SetPixelRatio(2); // keeps the size, pixels white again
  b.Canvas().SetPixels(1, 1, clRed);
  // At ratio 2 the device width would not even fit an int.
  EXPECT_THROW(b.SetSize(1 << 30, 1), EInvalidGraphic);
  EXPECT_EQ(b.Width(), 4);
  EXPECT_EQ(b.Height(), 3);
  EXPECT_EQ(b.Pixel(1, 1), clRed);
}

TEST(Bitmap, PngRoundTripAndBmpLoading) {
  TBitmap b(5, 4);
  b.Canvas().SetPixels(2, 3, RGB(1, 2, 3));
  const std::string png = TempPath("round.png");
  b.SaveToFile(png);
  TBitmap c;
  c.LoadFromFile(png);
  EXPECT_EQ(c.Width(), 5);
  EXPECT_EQ(c.Height(), 4);
  EXPECT_EQ(c.Pixel(2, 3), RGB(1, 2, 3));
  std::remove(png.c_str());

  const std::string bmp = TempPath("pic.bmp");
  {
    TFileStream f(bmp, fmCreate);
    const std::string file = BmpFile(3, 2, [](int, int) { return RGB(10, 20, 30); });
    f.WriteBuffer(file.data(), std::int64_t(file.size()));
  }
  c.LoadFromFile(bmp);
  EXPECT_EQ(c.Width(), 3);
  EXPECT_EQ(c.Pixel(0, 0), RGB(10, 20, 30));
  std::remove(bmp.c_str());
}

TEST(Bitmap, LoadingErrorsNameTheFile) {
  TBitmap b;
  try {
    b.LoadFromFile("/nonexistent/dir/pic.png");
    FAIL();
  } catch (const EFOpenError &e) {
    EXPECT_NE(e.Message().find("/nonexistent/dir/pic.png"), std::string::npos);
  }
  const std::string junk = TempPath("junk.png");
  {
    TFileStream f(junk, fmCreate);
    f.WriteBuffer("not a picture", 13);
  }
  EXPECT_THROW(b.LoadFromFile(junk), EInvalidGraphic);
  std::remove(junk.c_str());
}

TEST(Bitmap, TransparentDrawSkipsTheBottomLeftColour) {
  TBitmap glyph(3, 3);
  glyph.Canvas().Brush().SetColor(clLime);
  glyph.Canvas().FillRect(Rect(0, 0, 3, 3));
  glyph.Canvas().SetPixels(1, 1, clRed);
  TBitmap dst(5, 5);
  dst.Canvas().Draw(1, 1, glyph);
  EXPECT_EQ(CountColor(dst, clLime), 8);
  TBitmap dst2(5, 5);
  glyph.SetTransparent(true);
  EXPECT_EQ(glyph.TransparentColor(), clLime);
  dst2.Canvas().Draw(1, 1, glyph);
  EXPECT_EQ(CountColor(dst2, clLime), 0);
  EXPECT_EQ(dst2.Pixel(2, 2), clRed);
}

TEST(Bitmap, StretchDrawScalesByNearestPixel) {
  TBitmap src(2, 1);
  src.Canvas().SetPixels(0, 0, clRed);
  src.Canvas().SetPixels(1, 0, clBlue);
  TBitmap dst(8, 2);
  dst.Canvas().StretchDraw(Rect(0, 0, 8, 2), src);
  EXPECT_EQ(CountColor(dst, clRed), 8);
  EXPECT_EQ(dst.Pixel(3, 1), clRed);
  EXPECT_EQ(dst.Pixel(4, 0), clBlue);
}

TEST(Bitmap, DifferingPixelShareIgnoresSmallShadesOnly) {
  TBitmap a(10, 10), b(10, 10);
  EXPECT_EQ(DifferingPixelShare(a, b, 40), 0.0);
  b.Canvas().SetPixels(3, 3, RGB(255, 255, 215)); // a faint shade of white
  EXPECT_EQ(DifferingPixelShare(a, b, 40), 0.0);
  b.Canvas().SetPixels(4, 4, RGB(255, 0, 255)); // one channel far off
  EXPECT_DOUBLE_EQ(DifferingPixelShare(a, b, 40), 0.01);
  TBitmap c(10, 11);
  EXPECT_EQ(DifferingPixelShare(a, c, 40), 1.0);
}

TEST(MemoryStream, ReadWriteSeekAndShortReads) {
  TMemoryStream m;
  m.WriteBuffer("hello world", 11);
  EXPECT_EQ(m.Size(), 11);
  EXPECT_EQ(m.Position(), 11);
  m.SetPosition(6);
  char buf[16] = {};
  EXPECT_EQ(m.Read(buf, 16), 5);
  EXPECT_EQ(std::string(buf, 5), "world");
  EXPECT_EQ(m.Read(buf, 4), 0);
  m.Seek(-5, soEnd);
  EXPECT_THROW(m.ReadBuffer(buf, 6), EReadError);
  EXPECT_EQ(m.Seek(-100, soCurrent), 0);
  m.SetPosition(20); // writing past the end extends with zeros
  m.WriteBuffer("!", 1);
  EXPECT_EQ(m.Size(), 21);
  EXPECT_EQ(m.Memory()[15], '\0');
  m.SetSize(5);
  EXPECT_EQ(m.Position(), 5);
  TStringStream s("abc");
  EXPECT_EQ(s.Position(), 0);
  EXPECT_EQ(s.DataString(), "abc");
}

TEST(FileStream, CreateWriteReopenAndCopy) {
  const std::string path = TempPath("stream.bin");
  {
    TFileStream f(path, fmCreate);
    f.WriteBuffer("0123456789", 10);
    EXPECT_EQ(f.Size(), 10);
  }
  TFileStream f(path, fmOpenRead | fmShareDenyNone);
  EXPECT_EQ(f.Size(), 10);
  f.SetPosition(4);
  char buf[4];
  f.ReadBuffer(buf, 4);
  EXPECT_EQ(std::string(buf, 4), "4567");
  EXPECT_THROW(f.ReadBuffer(buf, 4), EReadError);
  TMemoryStream m;
  m.CopyFrom(f, 0);
  EXPECT_EQ(m.Size(), 10);
  EXPECT_EQ(std::string(m.Memory(), 10), "0123456789");
  TMemoryStream fromFile;
  fromFile.LoadFromFile(path);
  EXPECT_EQ(fromFile.Size(), 10);
  std::remove(path.c_str());
}

TEST(FileStream, FailuresNameTheFileAndReason) {
  try {
    TFileStream f("/nonexistent/x.itl", fmOpenRead);
    FAIL();
  } catch (const EStreamError &e) {
    EXPECT_NE(e.Message().find("\"/nonexistent/x.itl\""), std::string::npos);
#if !defined(_WIN32)
    EXPECT_NE(e.Message().find("No such file"), std::string::npos); // the system's own words
#endif
  }
  EXPECT_THROW(TFileStream("/nonexistent/dir/new.bin", fmCreate), EFCreateError);
  // A folder is no file.
  EXPECT_THROW(TFileStream(std::filesystem::temp_directory_path().string(), fmOpenRead),
               EFOpenError);
}

} // namespace
