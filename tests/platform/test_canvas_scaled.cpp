// Drawing at a device pixel ratio of 2: logical coordinates, device-sharp
// pixels. Each logical pixel of a one-pixel line, outline or fill covers
// exactly its 2 x 2 device pixels; copies between equal ratios are exact.
#include "helper_surface.h"
#include "platform/canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

/// Device rows of column X (device pixels) that are not white.
std::vector<int> DarkRows(const TBitmap &B, int X) {
  std::vector<int> rows;
  for (int y = 0; y < DeviceSize(B).cy; ++y)
    if (DevicePixel(B, X, y) != clWhite) rows.push_back(y);
  return rows;
}

TEST(CanvasScaled, LinesFillsAndOutlinesCoverWholeLogicalPixels) {
  TBitmap b;
  b.SetPixelRatio(2);
  b.SetSize(40, 30);
  EXPECT_EQ(b.Width(), 40);
  EXPECT_EQ(DeviceSize(b).cx, 80);
  TCanvas &c = b.Canvas();
  EXPECT_EQ(c.PixelRatio(), 2.0);
  EXPECT_EQ(c.ClipRect(), Rect(0, 0, 40, 30));

  // A horizontal line is dark in exactly two device rows and leaves out its
  // end point, as at ratio 1.
  c.Pen().SetColor(clBlack);
  c.MoveTo(2, 5);
  c.LineTo(20, 5);
  EXPECT_EQ(DarkRows(b, 10), (std::vector<int>{10, 11}));
  EXPECT_EQ(b.Pixel(19, 5), clBlack);
  EXPECT_EQ(b.Pixel(20, 5), clWhite);
  EXPECT_EQ(DarkRows(b, 39), (std::vector<int>{10, 11}));
  EXPECT_TRUE(DarkRows(b, 40).empty());

  // A diagonal stays two device pixels thick across its minor axis.
  c.MoveTo(0, 10);
  c.LineTo(10, 20);
  for (int x = 0; x < 20; ++x) {
    std::vector<int> rows = DarkRows(b, x);
    rows.erase(rows.begin(), std::find_if(rows.begin(), rows.end(), [](int y) { return y >= 20; }));
    EXPECT_EQ(rows, (std::vector<int>{20 + x, 21 + x})) << x;
  }

  // Pen modes work on device pixels: XOR twice restores.
  TBitmap before;
  before.Assign(b);
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  c.Rectangle(3, 3, 30, 25);
  c.Rectangle(3, 3, 30, 25);
  EXPECT_TRUE(SameDevicePixels(b, before));

  // A one-pixel outline and a fill cover whole 2 x 2 blocks.
  TBitmap box;
  box.SetPixelRatio(2);
  box.SetSize(10, 10);
  box.Canvas().Brush().SetColor(clRed);
  box.Canvas().Rectangle(2, 2, 6, 6);
  EXPECT_EQ(DarkRows(box, 4), (std::vector<int>{4, 5, 6, 7, 8, 9, 10, 11}));
  EXPECT_EQ(DevicePixel(box, 6, 6), clRed);   // interior
  EXPECT_EQ(DevicePixel(box, 5, 5), clBlack); // outline
  EXPECT_EQ(DevicePixel(box, 12, 12), clWhite); // outside

  // Copies between equal ratios keep every device pixel; a ratio-1 picture
  // is enlarged onto the device grid.
  TBitmap copy;
  copy.SetPixelRatio(2);
  copy.SetSize(10, 10);
  copy.Canvas().Draw(0, 0, box);
  EXPECT_TRUE(SameDevicePixels(copy, box));
  TBitmap plain(1, 1);
  plain.Canvas().SetPixels(0, 0, clBlue);
  copy.Canvas().Draw(9, 9, plain);
  EXPECT_EQ(DarkRows(copy, 19), (std::vector<int>{18, 19}));
  EXPECT_EQ(copy.Pixel(9, 9), clBlue);
}

} // namespace
