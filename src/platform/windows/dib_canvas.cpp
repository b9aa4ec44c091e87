#include "platform/windows/dib_canvas.h"

#include "platform/windows/dib_image.h"

namespace {

/// The pixels of a DIB for the core's drawing; the shapes only the system's
/// graphics device draws are left out.
class TDibPixelDevice : public TCanvasDevice {
public:
  explicit TDibPixelDevice(TDibImage *Image) : image_(Image) {}
  bool Attached() const override { return image_ && !image_->Empty(); }
  TSize DeviceSize() const override {
    return image_ ? TSize{image_->Width(), image_->Height()} : TSize{0, 0};
  }
  double PixelRatio() const override { return image_ ? image_->PixelRatio() : 1.0; }
  TPixelView WritePixels() override { return image_ ? image_->View() : TPixelView{}; }
  TPixelView ReadPixels(std::vector<std::uint32_t> &) const override {
    return image_ ? image_->View() : TPixelView{};
  }
  int TextWidth(const TFont &, const std::string &) override { return 0; }
  int TextHeight(const TFont &) override { return 0; }
  int TextAscent(const TFont &) override { return 0; }
  void DrawText(const TFont &, int, int, const std::string &, const TRect &) override {}
  void BeginTextPass() override {}
  void EndTextPass() override {}
  void StrokeWide(const TPoint *, int, bool, const TPen &, const TRect &) override {}
  void Ellipse(const TRect &, const TPen *, const TBrush *, TPenMode, const TRect &) override {}
  void FillPolygon(const TPoint *, int, const TBrush &, TPenMode, const TRect &) override {}
  void FillHatch(const TRect &, const TBrush &, TPenMode, const TRect &) override {}

private:
  TDibImage *image_;
};

} // namespace

void AttachDib(TCanvas &Canvas, TDibImage *Image) {
  Canvas.AttachDevice(std::make_unique<TDibPixelDevice>(Image));
}
