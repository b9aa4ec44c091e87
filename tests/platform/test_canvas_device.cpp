// The canvas on a device of its own making: what the canvas draws itself
// lands in the device's pixels by the pixel rules, and what it cannot
// rasterise reaches the device with the tools, clip and placement in force.
#include "platform/canvas.h"
#include "platform/canvas_device.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

/// A device on a plain pixel buffer that records what is handed to it.
/// Text is 6 pixels per character in a 10-pixel cell with ascent 8.
class TFakeDevice final : public TCanvasDevice {
public:
  TFakeDevice(int W, int H, double Ratio)
      : w_(W), h_(H), ratio_(Ratio), px_(std::size_t(W * H), 0xFFFFFFFFu) {}

  struct TCall {
    std::string What;
    TRect Box;
    TRect Clip;
    std::string Text;
    TPenMode Mode = pmCopy;
  };
  std::vector<TCall> Calls;

  std::uint32_t At(int X, int Y) const { return px_[std::size_t(Y * w_ + X)]; }

  bool Attached() const override { return true; }
  TSize DeviceSize() const override { return TSize{w_, h_}; }
  double PixelRatio() const override { return ratio_; }
  TPixelView WritePixels() override { return TPixelView{px_.data(), w_, h_, w_}; }
  TPixelView ReadPixels(std::vector<std::uint32_t> &) const override {
    return TPixelView{const_cast<std::uint32_t *>(px_.data()), w_, h_, w_};
  }
  int TextWidth(const TFont &, const std::string &Text) override { return 6 * int(Text.size()); }
  int TextHeight(const TFont &) override { return 10; }
  int TextAscent(const TFont &) override { return 8; }
  void DrawText(const TFont &, int X, int Y, const std::string &Text, const TRect &Clip) override {
    Calls.push_back({"text", Bounds(X, Y, 0, 0), Clip, Text});
  }
  void BeginTextPass() override { Calls.push_back({"begin", {}, {}, {}}); }
  void EndTextPass() override { Calls.push_back({"end", {}, {}, {}}); }
  void StrokeWide(const TPoint *Points, int Count, bool, const TPen &Pen,
                  const TRect &Clip) override {
    Calls.push_back({"wide",
                     Rect(Points[0].X, Points[0].Y, Points[Count - 1].X, Points[Count - 1].Y), Clip,
                     std::to_string(Pen.Width()), Pen.Mode()});
  }
  void Ellipse(const TRect &Box, const TPen *Pen, const TBrush *Brush, TPenMode Mode,
               const TRect &Clip) override {
    Calls.push_back({std::string("ellipse") + (Pen ? "+pen" : "") + (Brush ? "+brush" : ""),
                     Box,
                     Clip,
                     {},
                     Mode});
  }
  void FillPolygon(const TPoint *, int Count, const TBrush &, TPenMode Mode,
                   const TRect &Clip) override {
    Calls.push_back({"polygon", {}, Clip, std::to_string(Count), Mode});
  }
  void FillHatch(const TRect &R, const TBrush &, TPenMode Mode, const TRect &Clip) override {
    Calls.push_back({"hatch", R, Clip, {}, Mode});
  }

private:
  int w_, h_;
  double ratio_;
  std::vector<std::uint32_t> px_;
};

struct CanvasOnDevice : ::testing::Test {
  TCanvas canvas;
  TFakeDevice *device = nullptr;
  void Make(int W, int H, double Ratio = 1.0) {
    auto d = std::make_unique<TFakeDevice>(W, H, Ratio);
    device = d.get();
    canvas.AttachDevice(std::move(d));
  }
};

constexpr std::uint32_t White = 0xFFFFFFFFu, Black = 0xFF000000u, Red = 0xFFFF0000u;

} // namespace

TEST_F(CanvasOnDevice, LinesOutlinesAndFillsAreTheCanvasOwnPixels) {
  Make(20, 20);
  canvas.MoveTo(1, 1);
  canvas.LineTo(6, 1);
  EXPECT_EQ(device->At(1, 1), Black);
  EXPECT_EQ(device->At(5, 1), Black);
  EXPECT_EQ(device->At(6, 1), White) << "the end point is left out";

  canvas.Brush().SetColor(clRed);
  canvas.Rectangle(2, 4, 8, 9);
  EXPECT_EQ(device->At(2, 4), Black);
  EXPECT_EQ(device->At(7, 8), Black);
  EXPECT_EQ(device->At(8, 9), White);
  EXPECT_EQ(device->At(4, 6), Red);
  EXPECT_EQ(canvas.Pixels(4, 6), clRed);
  EXPECT_TRUE(device->Calls.empty()) << "nothing of this needs the system";

  // A copy of the canvas onto itself that overlaps its source reads the
  // pixels as they were before the copy.
  canvas.CopyRect(Rect(3, 4, 9, 9), canvas, Rect(2, 4, 8, 9));
  EXPECT_EQ(device->At(3, 4), Black);
  EXPECT_EQ(device->At(4, 6), Red);
  EXPECT_EQ(device->At(8, 6), Black) << "the old right edge moved one pixel";
}

TEST_F(CanvasOnDevice, ShapesItCannotRasteriseReachTheDeviceWithToolsAndClip) {
  Make(40, 30);
  canvas.SetClipRect(Rect(5, 5, 100, 100));
  const TRect clip = Rect(5, 5, 40, 30);

  canvas.Pen().SetMode(pmXor);
  canvas.Pen().SetStyle(psClear);
  canvas.Ellipse(20, 20, 10, 10); // corners in any order
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetWidth(3);
  canvas.MoveTo(6, 6);
  canvas.LineTo(30, 6);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetMode(pmCopy);
  canvas.Brush().SetStyle(bsCross);
  canvas.FillRect(Rect(0, 0, 12, 12));
  const std::vector<TPoint> tri = {{10, 10}, {20, 10}, {15, 20}};
  canvas.Polygon(tri);

  ASSERT_EQ(device->Calls.size(), 4u);
  EXPECT_EQ(device->Calls[0].What, "ellipse+brush");
  EXPECT_EQ(device->Calls[0].Box, Rect(10, 10, 20, 20));
  EXPECT_EQ(device->Calls[0].Mode, pmXor) << "the pen's mode applies to the interior";
  EXPECT_EQ(device->Calls[1].What, "wide");
  EXPECT_EQ(device->Calls[1].Text, "3");
  EXPECT_EQ(device->Calls[2].What, "hatch");
  EXPECT_EQ(device->Calls[2].Mode, pmCopy) << "fills ignore the pen mode";
  EXPECT_EQ(device->Calls[3].What, "polygon");
  for (const auto &c : device->Calls)
    EXPECT_EQ(c.Clip, clip) << c.What << ": the clip handed on lies inside the surface";
  // The polygon's outline is a one-pixel pen: the canvas draws it itself.
  EXPECT_EQ(device->At(10, 10), Black);
}

TEST_F(CanvasOnDevice, TextIsPlacedAndBackedByTheCanvasAndDrawnByTheDevice) {
  Make(60, 30);
  canvas.Brush().SetColor(clRed);
  canvas.SetTextAlign(TA_RIGHT | TA_BOTTOM);
  {
    TTextPass pass(canvas);
    canvas.TextOut(40, 20, "abc");
  }
  ASSERT_EQ(device->Calls.size(), 3u);
  EXPECT_EQ(device->Calls[0].What, "begin");
  EXPECT_EQ(device->Calls[1].Box.TopLeft(), (TPoint{22, 10}));
  EXPECT_EQ(device->Calls[2].What, "end");
  // The opaque background is the measured cell, in the brush colour.
  EXPECT_EQ(device->At(22, 10), Red);
  EXPECT_EQ(device->At(39, 19), Red);
  EXPECT_EQ(device->At(40, 19), White);
  EXPECT_EQ(device->At(22, 20), White);

  canvas.SetTextAlign(TA_LEFT | TA_BASELINE);
  canvas.TextRect(Rect(0, 0, 5, 5), 1, 1, "x");
  EXPECT_EQ(device->Calls.back().Clip, Rect(0, 0, 5, 5));
  EXPECT_EQ(device->Calls.back().Box.TopLeft(), (TPoint{1, 1})) << "TextRect places the top-left";
}

TEST_F(CanvasOnDevice, AtRatioTwoOnePixelLinesCoverTheirDevicePixels) {
  Make(20, 20, 2.0);
  EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 10, 10));
  canvas.MoveTo(1, 2);
  canvas.LineTo(4, 2);
  for (int x = 2; x < 8; ++x) {
    EXPECT_EQ(device->At(x, 4), Black) << x;
    EXPECT_EQ(device->At(x, 5), Black) << x;
  }
  EXPECT_EQ(device->At(8, 4), White);
  EXPECT_EQ(device->At(2, 6), White);
  EXPECT_EQ(canvas.Pixels(3, 2), clBlack);
  EXPECT_EQ(canvas.Pixels(10, 2), CLR_INVALID);
}

TEST(CanvasWithoutSurface, MeasuresTextAndDrawsNothing) {
  TCanvas canvas;
  canvas.Font().SetHeight(-20);
  EXPECT_GT(canvas.TextWidth("Wien"), 0);
  EXPECT_GT(canvas.TextHeight("Wien"), 0);
  canvas.Rectangle(0, 0, 10, 10);
  canvas.TextOut(0, 0, "Wien");
  EXPECT_EQ(canvas.Pixels(1, 1), CLR_INVALID);
}
