// Drawing on surfaces with a device pixel ratio other than 1 (back buffers on
// high-density screens). The canvas keeps working in logical coordinates; the
// operations that write pixels directly are carried out here by a second
// canvas on the same surface that works in device pixels:
//  - a one-pixel line becomes as many parallel device lines as a logical
//    pixel is wide, so it stays sharp and keeps its end-point rule;
//  - outlines, fills and single pixels cover exactly the device pixels of
//    their logical pixels;
//  - bitmap copies map logical rectangles to device rectangles of source and
//    destination, each at its own ratio (equal ratios copy pixel for pixel).
// Text, curves, wide pens and hatches go to the device, which takes logical
// coordinates and draws them at its own resolution. Dash patterns of
// styled pens count device pixels.
#include "platform/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

/// The device coordinate of logical coordinate V, saturated to the int range.
int ToDevice(int V, double Ratio) {
  const double d = std::floor(double(V) * Ratio + 1e-9);
  return int(std::clamp(d, -2147483648.0, 2147483647.0));
}

TRect ToDevice(const TRect &R, double Ratio) {
  return Rect(ToDevice(R.Left, Ratio), ToDevice(R.Top, Ratio), ToDevice(R.Right, Ratio),
              ToDevice(R.Bottom, Ratio));
}

/// Device pixels a one-pixel logical line is thick.
int Thickness(double Ratio) {
  return std::max(1, int(std::lround(Ratio)));
}

} // namespace

double TCanvas::PixelRatio() const {
  if (deviceUnits_ || !HasSurface()) return 1.0;
  return device_->PixelRatio();
}

bool TCanvas::Scaled() const {
  return PixelRatio() != 1.0;
}

TRect TCanvas::SurfaceRect() const {
  if (!HasSurface()) return TRect{};
  const double r = PixelRatio();
  const TSize size = device_->DeviceSize();
  if (r == 1.0) return Rect(0, 0, size.cx, size.cy);
  return Rect(0, 0, int(size.cx / r + 1e-6), int(size.cy / r + 1e-6));
}

TCanvas &TCanvas::DeviceCanvas() const {
  if (!scaled_) {
    scaled_ = std::make_unique<TCanvas>();
    scaled_->deviceUnits_ = true;
  }
  TCanvas &d = *scaled_;
  d.device_ = device_;
  d.pen_.Assign(pen_);
  d.pen_.SetWidth(1);
  d.brush_.Assign(brush_);
  d.bkMode_ = bkMode_;
  d.bkExplicit_ = bkExplicit_;
  d.bkBrushColor_ = bkBrushColor_;
  d.bkBrushStyle_ = bkBrushStyle_;
  d.copyMode_ = copyMode_;
  d.SetClipRect(ToDevice(EffectiveClip(), PixelRatio()));
  return d;
}

void TCanvas::ScaledStrokeLines(const TPoint *Points, int Count, bool Closed) {
  const double r = PixelRatio();
  TCanvas &d = DeviceCanvas();
  const int thick = Thickness(r);
  for (int k = 0; k < thick; ++k) {
    // Each parallel line runs beside the first across the line's minor axis.
    unsigned pattern = 0;
    auto segment = [&](TPoint A, TPoint B) {
      const bool xMajor =
          std::llabs(std::int64_t(B.X) - A.X) >= std::llabs(std::int64_t(B.Y) - A.Y);
      TPoint a{ToDevice(A.X, r), ToDevice(A.Y, r)};
      TPoint b{ToDevice(B.X, r), ToDevice(B.Y, r)};
      if (xMajor) {
        a.Y = int(std::min<std::int64_t>(std::int64_t(a.Y) + k, 2147483647));
        b.Y = int(std::min<std::int64_t>(std::int64_t(b.Y) + k, 2147483647));
      } else {
        a.X = int(std::min<std::int64_t>(std::int64_t(a.X) + k, 2147483647));
        b.X = int(std::min<std::int64_t>(std::int64_t(b.X) + k, 2147483647));
      }
      d.DrawLine(a, b, pattern);
    };
    for (int i = 0; i + 1 < Count; ++i)
      segment(Points[i], Points[i + 1]);
    if (Closed) segment(Points[Count - 1], Points[0]);
  }
}

void TCanvas::ScaledStrokeBox(int X1, int Y1, int X2, int Y2) {
  const double r = PixelRatio();
  TCanvas &d = DeviceCanvas();
  const TRect box = ToDevice(Rect(X1, Y1, X2, Y2), r);
  const int thick = Thickness(r);
  // Nested device outlines, outermost first, fill the logical outline.
  for (int k = 0; k < thick; ++k)
    d.StrokeBox(box.Left + k, box.Top + k, box.Right - k, box.Bottom - k);
}

void TCanvas::ScaledFillBox(const TRect &R, TColor Color, TPenMode Mode) {
  DeviceCanvas().FillBox(ToDevice(R, PixelRatio()), Color, Mode);
}

TColor TCanvas::ScaledPixel(int X, int Y) const {
  const double r = PixelRatio();
  return DeviceCanvas().Pixels(ToDevice(X, r), ToDevice(Y, r));
}

void TCanvas::ScaledBlit(const TRect &Dest, const TCanvasDevice &Source, const TRect &SourceRect,
                         TCopyMode Mode, bool SkipColor, TColor Skip) {
  DeviceCanvas().Blit(ToDevice(Dest, PixelRatio()), Source,
                      ToDevice(SourceRect, Source.PixelRatio()), Mode, SkipColor, Skip);
}
