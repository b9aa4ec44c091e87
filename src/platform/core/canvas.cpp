// The canvas with the classic pixel rules. One-pixel lines, outlines, solid
// fills and copies are the pixel rules (pixel_rules.h) on the device's
// pixels, so end points, dash patterns and raster operations are exact and
// the same on every system; curves, wide pens, hatches and text go to the
// device (canvas_device.h). Surfaces with a device pixel ratio other than 1
// go through canvas_scaled.cpp.
#include "platform/canvas.h"

#include "platform/bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Copies of pixels that are read while the same surface is written.
TPixelView CopyOf(const TPixelView &View, std::vector<std::uint32_t> &Store) {
  Store.resize(std::size_t(View.Width) * std::size_t(View.Height));
  for (int y = 0; y < View.Height; ++y)
    std::memcpy(Store.data() + std::size_t(y) * std::size_t(View.Width), View.Row(y),
                std::size_t(View.Width) * sizeof(std::uint32_t));
  return TPixelView{Store.data(), View.Width, View.Height, View.Width};
}

} // namespace

int TCanvasRecorder::Count(TCanvasOp Kind) const {
  return int(std::count_if(Records.begin(), Records.end(),
                           [Kind](const TCanvasRecord &r) { return r.Kind == Kind; }));
}

TCanvas::TCanvas() = default;

TCanvas::~TCanvas() = default;

void TCanvas::AttachDevice(std::unique_ptr<TCanvasDevice> Device) {
  ownDevice_ = std::move(Device);
  device_ = ownDevice_.get();
}

TCanvasDevice *TCanvas::TextDevice() const {
  if (!device_) {
    ownDevice_ = NewCanvasDevice();
    device_ = ownDevice_.get();
  }
  return device_;
}

int TCanvas::BkMode() const {
  // An explicit mode holds until the brush changes; then the brush decides.
  if (bkExplicit_ && (bkBrushColor_ != brush_.Color() || bkBrushStyle_ != brush_.Style()))
    bkExplicit_ = false;
  if (bkExplicit_) return bkMode_;
  return brush_.Style() == bsClear ? TRANSPARENT : OPAQUE;
}

int TCanvas::SetBkMode(int Mode) {
  const int old = BkMode();
  if (Mode == TRANSPARENT || Mode == OPAQUE) {
    bkMode_ = Mode;
    bkExplicit_ = true;
    bkBrushColor_ = brush_.Color();
    bkBrushStyle_ = brush_.Style();
  }
  return old;
}

unsigned TCanvas::SetTextAlign(unsigned Flags) {
  const unsigned old = textAlign_;
  textAlign_ = Flags;
  return old;
}

TRect TCanvas::ClipRect() const {
  if (hasClip_) return clip_;
  return SurfaceRect();
}

void TCanvas::SetClipRect(const TRect &R) {
  clip_ = R;
  hasClip_ = true;
}

void TCanvas::ResetClip() {
  hasClip_ = false;
}

TRect TCanvas::EffectiveClip() const {
  if (!HasSurface()) return TRect{};
  const TRect all = SurfaceRect();
  return hasClip_ ? IntersectRects(all, clip_) : all;
}

int TCanvas::GetDeviceCaps(int Index) const {
  switch (Index) {
  case ASPECTX:
  case ASPECTY:
    return 36;
  case ASPECTXY:
    return 51;
  case LOGPIXELSX:
  case LOGPIXELSY:
    return ScreenPixelsPerInch;
  case HORZRES:
    return SurfaceRect().Right;
  case VERTRES:
    return SurfaceRect().Bottom;
  default:
    return 0;
  }
}

void TCanvas::Record(TCanvasOp Kind, const TPoint *Points, int Count, const TRect &R,
                     const std::string &Text, std::uint32_t Value) {
  TCanvasRecord rec;
  rec.Kind = Kind;
  if (Points && Count > 0) rec.Points.assign(Points, Points + Count);
  rec.Rect = R;
  rec.Text = Text;
  rec.PenColor = pen_.Color();
  rec.PenStyle = pen_.Style();
  rec.PenWidth = pen_.Width();
  rec.PenMode = pen_.Mode();
  rec.BrushColor = brush_.Color();
  rec.BrushStyle = brush_.Style();
  rec.FontColor = font_.Color();
  rec.Value = Value;
  recorder_->Records.push_back(std::move(rec));
}

bool TCanvas::PenVisible() const {
  return pen_.Style() != psClear && pen_.Color() != clNone && pen_.Mode() != pmNop;
}

bool TCanvas::BrushVisible() const {
  return brush_.Style() != bsClear && brush_.Color() != clNone;
}

// ---- lines -------------------------------------------------------------

TStrokeRule TCanvas::StrokeRule() const {
  TStrokeRule rule;
  rule.Pen = PixelOf(pen_.Color());
  rule.Gap = PixelOf(brush_.Color());
  rule.Mode = pen_.Mode();
  rule.Mask = PenPatternMask(pen_.Style());
  rule.FillGaps = BkMode() == OPAQUE && BrushVisible();
  return rule;
}

void TCanvas::DrawLine(TPoint A, TPoint B, unsigned &PatternPos, const TRect &Clip) {
  RasterLine(device_->WritePixels(), A, B, PatternPos, Clip, StrokeRule());
}

void TCanvas::StrokeLines(const TPoint *Points, int Count, bool Closed) {
  if (!PenVisible() || !HasSurface() || Count < 2) return;
  if (pen_.Width() <= 1 && Scaled()) return ScaledStrokeLines(Points, Count, Closed);
  if (pen_.Width() <= 1) {
    // Clip, tools and pixels are worked out once for the whole polyline.
    unsigned pattern = 0;
    const TRect clip = EffectiveClip();
    const TStrokeRule rule = StrokeRule();
    const TPixelView view = device_->WritePixels();
    if (pen_.Mode() == pmCopy && pen_.Style() == psSolid && !clip.IsEmpty()) {
      // Solid lines: segments that start and end inside the clip (most of a
      // curve) have every pixel inside and take the short walk; long
      // axis-parallel ones stay spans.
      const std::uint32_t fg = PixelOf(pen_.Color());
      const auto segment = [&](TPoint A, TPoint B) {
        const std::int64_t length =
            std::abs(std::int64_t(B.X) - A.X) + std::abs(std::int64_t(B.Y) - A.Y);
        const bool walk = (A.X != B.X && A.Y != B.Y) || (length > 0 && length <= 16);
        if (walk && clip.Contains(A) && clip.Contains(B))
          RasterSolidLineInside(view, A, B, fg);
        else
          RasterLine(view, A, B, pattern, clip, rule);
      };
      for (int i = 0; i + 1 < Count; ++i)
        segment(Points[i], Points[i + 1]);
      if (Closed) segment(Points[Count - 1], Points[0]);
      return;
    }
    for (int i = 0; i + 1 < Count; ++i)
      RasterLine(view, Points[i], Points[i + 1], pattern, clip, rule);
    if (Closed) RasterLine(view, Points[Count - 1], Points[0], pattern, clip, rule);
    return;
  }
  device_->StrokeWide(Points, Count, Closed, pen_, EffectiveClip());
}

void TCanvas::MoveTo(int X, int Y) {
  penPos_ = {X, Y};
  if (recorder_) Record(coMoveTo, &penPos_, 1, TRect{}, std::string(), 0);
}

void TCanvas::LineTo(int X, int Y) {
  const TPoint pts[2] = {penPos_, {X, Y}};
  if (recorder_) Record(coLineTo, &pts[1], 1, TRect{}, std::string(), 0);
  StrokeLines(pts, 2, false);
  penPos_ = pts[1];
}

void TCanvas::Polyline(const TPoint *Points, int Count) {
  if (recorder_) Record(coPolyline, Points, Count, TRect{}, std::string(), 0);
  StrokeLines(Points, Count, false);
}

// ---- filled shapes -----------------------------------------------------

void TCanvas::FillBox(const TRect &R, TColor Color, TPenMode Mode) {
  if (Scaled()) return ScaledFillBox(R, Color, Mode);
  RasterFill(device_->WritePixels(), R, EffectiveClip(), PixelOf(Color), Mode);
}

// One-pixel outline of the box X1 .. X2-1 x Y1 .. Y2-1 (see RasterBox).
void TCanvas::StrokeBox(int X1, int Y1, int X2, int Y2) {
  if (Scaled()) return ScaledStrokeBox(X1, Y1, X2, Y2);
  if (X2 <= X1 || Y2 <= Y1) return;
  RasterBox(device_->WritePixels(), X1, Y1, X2, Y2, EffectiveClip(), StrokeRule());
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
  if (recorder_) Record(coRectangle, nullptr, 0, Rect(X1, Y1, X2, Y2), std::string(), 0);
  if (!HasSurface()) return;
  TRect inner = Rect(X1, Y1, X2, Y2);
  if (PenVisible()) {
    const int w = pen_.Width();
    const int start = pen_.Style() == psInsideFrame ? 0 : -((w - 1) / 2);
    for (int k = start; k < start + w; ++k)
      StrokeBox(X1 + k, Y1 + k, X2 - k, Y2 - k);
    inner = Rect(X1 + start + w, Y1 + start + w, X2 - start - w, Y2 - start - w);
  }
  if (!BrushVisible() || inner.IsEmpty()) return;
  if (brush_.Style() == bsSolid) {
    FillBox(inner, brush_.Color(), pen_.Mode());
  } else {
    device_->FillHatch(inner, brush_, pen_.Mode(), EffectiveClip());
  }
}

void TCanvas::FillRect(const TRect &R) {
  if (recorder_) Record(coFillRect, nullptr, 0, R, std::string(), 0);
  if (!HasSurface() || !BrushVisible()) return;
  if (brush_.Style() == bsSolid) {
    FillBox(R, brush_.Color(), pmCopy);
  } else {
    device_->FillHatch(R, brush_, pmCopy, EffectiveClip());
  }
}

void TCanvas::FrameRect(const TRect &R) {
  if (recorder_) Record(coRectangle, nullptr, 0, R, std::string(), 0);
  if (!HasSurface() || brush_.Color() == clNone) return;
  FillBox(Rect(R.Left, R.Top, R.Right, R.Top + 1), brush_.Color(), pmCopy);
  if (R.Height() > 1)
    FillBox(Rect(R.Left, R.Bottom - 1, R.Right, R.Bottom), brush_.Color(), pmCopy);
  FillBox(Rect(R.Left, R.Top + 1, R.Left + 1, R.Bottom - 1), brush_.Color(), pmCopy);
  if (R.Width() > 1)
    FillBox(Rect(R.Right - 1, R.Top + 1, R.Right, R.Bottom - 1), brush_.Color(), pmCopy);
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2) {
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
  if (recorder_) Record(coEllipse, nullptr, 0, Rect(X1, Y1, X2, Y2), std::string(), 0);
  if (!HasSurface() || X2 - X1 < 1 || Y2 - Y1 < 1) return;
  const bool pen = PenVisible(), brush = BrushVisible();
  if (!pen && !brush) return;
  device_->Ellipse(Rect(X1, Y1, X2, Y2), pen ? &pen_ : nullptr, brush ? &brush_ : nullptr,
                   pen_.Mode(), EffectiveClip());
}

void TCanvas::Polygon(const TPoint *Points, int Count) {
  if (recorder_) Record(coPolygon, Points, Count, TRect{}, std::string(), 0);
  if (!HasSurface() || Count < 2) return;
  if (BrushVisible() && Count >= 3)
    device_->FillPolygon(Points, Count, brush_, pen_.Mode(), EffectiveClip());
  StrokeLines(Points, Count, true);
}

// ---- pixels ------------------------------------------------------------

TColor TCanvas::Pixels(int X, int Y) const {
  if (!EffectiveClip().Contains({X, Y})) return CLR_INVALID;
  if (Scaled()) return ScaledPixel(X, Y);
  std::vector<std::uint32_t> scratch;
  return ColorOfPixel(device_->ReadPixels(scratch).Row(Y)[X]);
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  const TPoint pt{X, Y};
  if (recorder_) Record(coSetPixel, &pt, 1, TRect{}, std::string(), Value);
  if (!EffectiveClip().Contains(pt) || Value == clNone) return;
  if (Scaled()) return ScaledFillBox(Rect(X, Y, X + 1, Y + 1), Value, pmCopy);
  device_->WritePixels().Row(Y)[X] = PixelOf(Value);
}

// ---- text --------------------------------------------------------------

int TCanvas::TextWidth(const std::string &Text) const {
  TCanvasDevice *d = TextDevice();
  return d ? d->TextWidth(font_, Text) : 0;
}

int TCanvas::TextHeight(const std::string &) const {
  TCanvasDevice *d = TextDevice();
  return d ? d->TextHeight(font_) : 0;
}

TSize TCanvas::TextExtent(const std::string &Text) const {
  return TSize{TextWidth(Text), TextHeight(Text)};
}

int TCanvas::TextAscent() const {
  TCanvasDevice *d = TextDevice();
  return d ? d->TextAscent(font_) : 0;
}

void TCanvas::DrawText(int X, int Y, const std::string &Text, const TRect *Clip) {
  TCanvasDevice *d = TextDevice();
  if (!d) return;
  const bool opaque = BkMode() == OPAQUE && BrushVisible();
  // Shaping the text for its width is the dearest part of measuring: only
  // done when the placement or the background needs it.
  const bool needWidth = !Clip && (opaque || (textAlign_ & TA_CENTER) != TA_LEFT);
  const int width = needWidth ? d->TextWidth(font_, Text) : 0;
  const int height = d->TextHeight(font_);
  // Positions anywhere in the int range are allowed; the text then lies far
  // outside and is clipped, and nothing here may wrap around.
  using W = std::int64_t;
  int left = X, top = Y;
  if (!Clip) { // TextRect always places the top-left corner
    switch (textAlign_ & TA_CENTER) {
    case TA_RIGHT:
      left = SaturateInt(W(X) - width);
      break;
    case TA_CENTER:
      left = SaturateInt(W(X) - width / 2);
      break;
    default:
      break;
    }
    switch (textAlign_ & TA_BASELINE) {
    case TA_BOTTOM:
      top = SaturateInt(W(Y) - height);
      break;
    case TA_BASELINE:
      top = SaturateInt(W(Y) - d->TextAscent(font_));
      break;
    default:
      break;
    }
  }
  if (!HasSurface()) return;
  TRect clip = EffectiveClip();
  if (Clip) clip = IntersectRects(clip, *Clip);
  if (clip.IsEmpty()) return;
  if (opaque)
    FillBox(Clip ? IntersectRects(*Clip, clip) : Bounds(left, top, width, height), brush_.Color(),
            pmCopy);
  if (Text.empty() || font_.Color() == clNone) return;
  d->DrawText(font_, left, top, Text, clip);
}

void TCanvas::BeginTextPass() {
  if (TCanvasDevice *d = TextDevice()) d->BeginTextPass();
}

void TCanvas::EndTextPass() {
  if (device_) device_->EndTextPass();
}

void TCanvas::TextOut(int X, int Y, const std::string &Text) {
  if (textAlign_ & TA_UPDATECP) {
    X = penPos_.X;
    Y = penPos_.Y;
  }
  const TPoint pt{X, Y};
  if (recorder_) Record(coTextOut, &pt, 1, TRect{}, Text, 0);
  DrawText(X, Y, Text, nullptr);
  if (textAlign_ & TA_UPDATECP) {
    const int w = TextWidth(Text);
    switch (textAlign_ & TA_CENTER) {
    case TA_LEFT:
      penPos_.X = SaturateInt(std::int64_t(penPos_.X) + w);
      break;
    case TA_RIGHT:
      penPos_.X = SaturateInt(std::int64_t(penPos_.X) - w);
      break;
    default:
      break;
    }
  }
}

void TCanvas::TextRect(const TRect &R, int X, int Y, const std::string &Text) {
  const TPoint pt{X, Y};
  if (recorder_) Record(coTextRect, &pt, 1, R, Text, 0);
  DrawText(X, Y, Text, &R);
}

// ---- bitmaps -----------------------------------------------------------

void TCanvas::Blit(const TRect &Dest, const TCanvasDevice &Source, const TRect &SourceRect,
                   TCopyMode Mode, bool SkipColor, TColor Skip) {
  if (!HasSurface() || Dest.IsEmpty() || SourceRect.IsEmpty() || !Source.Attached()) return;
  const TSize size = Source.DeviceSize();
  if (size.cx <= 0 || size.cy <= 0) return;
  if (Scaled() || (!deviceUnits_ && Source.PixelRatio() != 1.0))
    return ScaledBlit(Dest, Source, SourceRect, Mode, SkipColor, Skip);
  std::vector<std::uint32_t> scratch, snapshot;
  TPixelView source = Source.ReadPixels(scratch);
  // Copying within one surface reads from a snapshot so that overlapping
  // areas are not read after being written.
  if (&Source == device_ && scratch.empty()) source = CopyOf(source, snapshot);
  RasterBlit(device_->WritePixels(), Dest, source, SourceRect, EffectiveClip(), Mode, SkipColor,
             Skip);
}

void TCanvas::Draw(int X, int Y, const TBitmap &Graphic) {
  const TPoint pt{X, Y};
  if (recorder_)
    Record(coDraw, &pt, 1, Bounds(X, Y, Graphic.Width(), Graphic.Height()), std::string(), 0);
  if (Graphic.Empty()) return;
  const TRect all = Rect(0, 0, Graphic.Width(), Graphic.Height());
  if (!Graphic.Canvas().device_) return;
  Blit(Bounds(X, Y, Graphic.Width(), Graphic.Height()), *Graphic.Canvas().device_, all,
       Graphic.Transparent() ? SRCCOPY : copyMode_, Graphic.Transparent(),
       Graphic.TransparentColor());
}

void TCanvas::StretchDraw(const TRect &R, const TBitmap &Graphic) {
  if (recorder_) Record(coStretchDraw, nullptr, 0, R, std::string(), 0);
  if (Graphic.Empty()) return;
  const TRect all = Rect(0, 0, Graphic.Width(), Graphic.Height());
  if (!Graphic.Canvas().device_) return;
  Blit(R, *Graphic.Canvas().device_, all, Graphic.Transparent() ? SRCCOPY : copyMode_,
       Graphic.Transparent(), Graphic.TransparentColor());
}

void TCanvas::CopyRect(const TRect &Dest, const TCanvas &Canvas, const TRect &Source) {
  if (recorder_) Record(coCopyRect, nullptr, 0, Dest, std::string(), copyMode_);
  if (!Canvas.device_) return;
  Blit(Dest, *Canvas.device_, Source, copyMode_, false, clBlack);
}
