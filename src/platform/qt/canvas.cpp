// Drawing onto a QImage surface with the classic pixel rules. One-pixel lines,
// outlines, solid fills and copies are the core's pixel rules
// (pixel_rules.h) on the image memory, so end points, dash patterns and
// raster operations are exact and the same on every system; curves, wide
// pens, hatches and text go through QPainter (antialiasing off except for text).
// Surfaces with a device pixel ratio other than 1 go through canvas_scaled.cpp.
#include "platform/canvas.h"

#include "platform/bitmap.h"
#include "platform/qt/canvas_qt.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

struct TCanvas::Impl {
  // The painter texts share during a text pass, and how deep the passes nest.
  std::optional<QPainter> textPainter;
  int textPasses = 0;
  std::optional<QFont> font;
  std::optional<QFontMetrics> metrics;
  TFont metricsFor;

  // Widths measured so far, per font: every paint measures the same few
  // texts again (captions, tick labels, text labels), and shaping a text for
  // its width is dear. Bounded; a full table starts again.
  struct TWidths {
    TFont Font;
    QHash<QString, int> Of;
  };
  static constexpr std::size_t MaxWidthFonts = 8;
  static constexpr qsizetype MaxWidthsPerFont = 256;
  std::vector<TWidths> widths;
  int widthsNow = -1; // index of the table of the font of the metrics

  // The metrics of Font, created again whenever the font has changed.
  const QFontMetrics &Metrics(const TFont &Font) {
    if (!metrics || !metricsFor.SameAs(Font)) {
      metricsFor.Assign(Font);
      font = ToQFont(Font);
      metrics.emplace(*font);
      widthsNow = -1;
    }
    return *metrics;
  }
  // Width of Text in Font (see Metrics).
  int Width(const TFont &Font, const QString &Text) {
    const QFontMetrics &fm = Metrics(Font);
    if (widthsNow < 0) {
      for (std::size_t i = 0; i < widths.size() && widthsNow < 0; ++i)
        if (widths[i].Font.SameAs(Font)) widthsNow = int(i);
      if (widthsNow < 0) {
        if (widths.size() >= MaxWidthFonts) widths.clear();
        widths.emplace_back();
        widths.back().Font.Assign(Font);
        widthsNow = int(widths.size()) - 1;
      }
    }
    QHash<QString, int> &known = widths[std::size_t(widthsNow)].Of;
    if (const auto it = known.constFind(Text); it != known.cend()) return *it;
    if (known.size() >= MaxWidthsPerFont) known.clear();
    const int w = fm.horizontalAdvance(Text);
    known.insert(Text, w);
    return w;
  }
};

namespace {

// Sets up a painter to apply pen mode Mode with colour Color; false when the
// mode leaves the pixels alone.
bool SetupMode(QPainter &p, TPenMode Mode, QColor &Color) {
  using CM = QPainter::CompositionMode;
  CM cm = QPainter::CompositionMode_Source;
  switch (Mode) {
  case pmBlack:
    Color = Qt::black;
    break;
  case pmWhite:
    Color = Qt::white;
    break;
  case pmNop:
    return false;
  case pmNot:
    cm = QPainter::RasterOp_NotDestination;
    break;
  case pmCopy:
    break;
  case pmNotCopy:
    cm = QPainter::RasterOp_NotSource;
    break;
  case pmMergePenNot:
    cm = QPainter::RasterOp_SourceOrNotDestination;
    break;
  case pmMaskPenNot:
    cm = QPainter::RasterOp_SourceAndNotDestination;
    break;
  case pmMergeNotPen:
    cm = QPainter::RasterOp_NotSourceOrDestination;
    break;
  case pmMaskNotPen:
    cm = QPainter::RasterOp_NotSourceAndDestination;
    break;
  case pmMerge:
    cm = QPainter::RasterOp_SourceOrDestination;
    break;
  case pmNotMerge:
    cm = QPainter::RasterOp_NotSourceAndNotDestination;
    break;
  case pmMask:
    cm = QPainter::RasterOp_SourceAndDestination;
    break;
  case pmNotMask:
    cm = QPainter::RasterOp_NotSourceOrNotDestination;
    break;
  case pmXor:
    cm = QPainter::RasterOp_SourceXorDestination;
    break;
  case pmNotXor:
    cm = QPainter::RasterOp_NotSourceXorDestination;
    break;
  }
  p.setCompositionMode(cm);
  return true;
}

QRect ToQRect(const TRect &r) {
  return QRect(r.Left, r.Top, r.Width(), r.Height());
}

Qt::BrushStyle HatchStyle(TBrushStyle s) {
  switch (s) {
  case bsHorizontal:
    return Qt::HorPattern;
  case bsVertical:
    return Qt::VerPattern;
  case bsFDiagonal:
    return Qt::BDiagPattern;
  case bsBDiagonal:
    return Qt::FDiagPattern;
  case bsCross:
    return Qt::CrossPattern;
  case bsDiagCross:
    return Qt::DiagCrossPattern;
  default:
    return Qt::SolidPattern;
  }
}

// The surface's pixels for the core's pixel rules.
TPixelView ViewOf(QImage &Image) {
  return TPixelView{reinterpret_cast<std::uint32_t *>(Image.bits()), Image.width(), Image.height(),
                    std::ptrdiff_t(Image.bytesPerLine() / 4)};
}
TPixelView ViewOf(const QImage &Image) {
  return TPixelView{
      const_cast<std::uint32_t *>(reinterpret_cast<const std::uint32_t *>(Image.constBits())),
      Image.width(), Image.height(), std::ptrdiff_t(Image.bytesPerLine() / 4)};
}

} // namespace

int TCanvasRecorder::Count(TCanvasOp Kind) const {
  return int(std::count_if(Records.begin(), Records.end(),
                           [Kind](const TCanvasRecord &r) { return r.Kind == Kind; }));
}

TCanvas::TCanvas() : TCanvas(nullptr) {}

TCanvas::TCanvas(QImage *Surface) : surface_(Surface), impl_(std::make_unique<Impl>()) {}

TCanvas::~TCanvas() {
  CloseTextPainter();
}

void TCanvas::Attach(QImage *Surface) {
  CloseTextPainter();
  surface_ = Surface;
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
  if (!surface_ || surface_->isNull()) return TRect{};
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
  RasterLine(ViewOf(*surface_), A, B, PatternPos, Clip, StrokeRule());
}

void TCanvas::StrokeLines(const TPoint *Points, int Count, bool Closed) {
  if (!PenVisible() || !surface_ || Count < 2) return;
  if (pen_.Width() <= 1 && Scaled()) return ScaledStrokeLines(Points, Count, Closed);
  if (pen_.Width() <= 1) {
    // Clip, tools and pixels are worked out once for the whole polyline.
    unsigned pattern = 0;
    const TRect clip = EffectiveClip();
    const TStrokeRule rule = StrokeRule();
    const TPixelView view = ViewOf(*surface_);
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
  CloseTextPainter();
  QPainter p(surface_);
  p.setClipRect(ToQRect(EffectiveClip()));
  QColor color = ToQColor(pen_.Color());
  if (!SetupMode(p, pen_.Mode(), color)) return;
  p.setPen(QPen(color, pen_.Width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  QPolygon poly(Count);
  for (int i = 0; i < Count; ++i)
    poly.setPoint(i, Points[i].X, Points[i].Y);
  if (Closed)
    p.drawPolygon(poly);
  else
    p.drawPolyline(poly);
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
  RasterFill(ViewOf(*surface_), R, EffectiveClip(), PixelOf(Color), Mode);
}

namespace {
// Fills R with a hatched brush through Qt (hatch lines only; gaps stay).
void FillHatch(QImage *surface, const TRect &clip, const TRect &R, const TBrush &brush,
               TPenMode mode) {
  QPainter p(surface);
  p.setClipRect(ToQRect(clip));
  QColor color = ToQColor(brush.Color());
  if (!SetupMode(p, mode, color)) return;
  p.fillRect(ToQRect(R), QBrush(color, HatchStyle(brush.Style())));
}
} // namespace

// One-pixel outline of the box X1 .. X2-1 x Y1 .. Y2-1 (see RasterBox).
void TCanvas::StrokeBox(int X1, int Y1, int X2, int Y2) {
  if (Scaled()) return ScaledStrokeBox(X1, Y1, X2, Y2);
  if (X2 <= X1 || Y2 <= Y1) return;
  RasterBox(ViewOf(*surface_), X1, Y1, X2, Y2, EffectiveClip(), StrokeRule());
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2) {
  if (X2 < X1) std::swap(X1, X2);
  if (Y2 < Y1) std::swap(Y1, Y2);
  if (recorder_) Record(coRectangle, nullptr, 0, Rect(X1, Y1, X2, Y2), std::string(), 0);
  if (!surface_) return;
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
    CloseTextPainter();
    FillHatch(surface_, EffectiveClip(), inner, brush_, pen_.Mode());
  }
}

void TCanvas::FillRect(const TRect &R) {
  if (recorder_) Record(coFillRect, nullptr, 0, R, std::string(), 0);
  if (!surface_ || !BrushVisible()) return;
  if (brush_.Style() == bsSolid) {
    FillBox(R, brush_.Color(), pmCopy);
  } else {
    CloseTextPainter();
    FillHatch(surface_, EffectiveClip(), R, brush_, pmCopy);
  }
}

void TCanvas::FrameRect(const TRect &R) {
  if (recorder_) Record(coRectangle, nullptr, 0, R, std::string(), 0);
  if (!surface_ || brush_.Color() == clNone) return;
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
  if (!surface_ || X2 - X1 < 1 || Y2 - Y1 < 1) return;
  const bool pen = PenVisible(), brush = BrushVisible();
  if (!pen && !brush) return;
  CloseTextPainter();
  QPainter p(surface_);
  p.setClipRect(ToQRect(EffectiveClip()));
  p.setRenderHint(QPainter::Antialiasing, false);
  QColor penColor = ToQColor(pen_.Color());
  QColor brushColor = ToQColor(brush_.Color());
  if (!SetupMode(p, pen_.Mode(), penColor)) return;
  if (pen_.Mode() == pmBlack || pen_.Mode() == pmWhite) brushColor = penColor;
  const int w = pen ? pen_.Width() : 0;
  if (brush) {
    p.setPen(Qt::NoPen);
    p.setBrush(brush_.Style() == bsSolid ? QBrush(brushColor)
                                         : QBrush(brushColor, HatchStyle(brush_.Style())));
    p.drawEllipse(QRectF(X1, Y1, X2 - X1, Y2 - Y1));
  }
  if (pen) {
    p.setBrush(Qt::NoBrush);
    if (w <= 1) {
      QPen qp(penColor, Scaled() ? PixelRatio() : 0); // one logical pixel
      qp.setCosmetic(true);
      p.setPen(qp);
      p.drawEllipse(QRectF(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1));
    } else {
      p.setPen(QPen(penColor, w));
      const double inset = pen_.Style() == psInsideFrame ? w / 2.0 : 0.5;
      p.drawEllipse(QRectF(X1 + inset, Y1 + inset, X2 - X1 - 2 * inset, Y2 - Y1 - 2 * inset));
    }
  }
}

void TCanvas::Polygon(const TPoint *Points, int Count) {
  if (recorder_) Record(coPolygon, Points, Count, TRect{}, std::string(), 0);
  if (!surface_ || Count < 2) return;
  if (BrushVisible() && Count >= 3) {
    CloseTextPainter();
    QPainter p(surface_);
    p.setClipRect(ToQRect(EffectiveClip()));
    QColor color = ToQColor(brush_.Color());
    if (SetupMode(p, pen_.Mode(), color)) {
      p.setPen(Qt::NoPen);
      p.setBrush(brush_.Style() == bsSolid ? QBrush(color)
                                           : QBrush(color, HatchStyle(brush_.Style())));
      QPolygon poly(Count);
      for (int i = 0; i < Count; ++i)
        poly.setPoint(i, Points[i].X, Points[i].Y);
      p.drawPolygon(poly, Qt::OddEvenFill);
    }
  }
  StrokeLines(Points, Count, true);
}

// ---- pixels ------------------------------------------------------------

TColor TCanvas::Pixels(int X, int Y) const {
  if (!EffectiveClip().Contains({X, Y})) return CLR_INVALID;
  if (Scaled()) return ScaledPixel(X, Y);
  return FromQRgb(reinterpret_cast<const std::uint32_t *>(surface_->constScanLine(Y))[X]);
}

void TCanvas::SetPixels(int X, int Y, TColor Value) {
  const TPoint pt{X, Y};
  if (recorder_) Record(coSetPixel, &pt, 1, TRect{}, std::string(), Value);
  if (!EffectiveClip().Contains(pt) || Value == clNone) return;
  if (Scaled()) return ScaledFillBox(Rect(X, Y, X + 1, Y + 1), Value, pmCopy);
  reinterpret_cast<std::uint32_t *>(surface_->scanLine(Y))[X] = PixelOf(Value);
}

// ---- text --------------------------------------------------------------

namespace {
QString ToQString(const std::string &s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
} // namespace

int TCanvas::TextWidth(const std::string &Text) const {
  return impl_->Width(font_, ToQString(Text));
}

int TCanvas::TextHeight(const std::string &) const {
  return impl_->Metrics(font_).height();
}

TSize TCanvas::TextExtent(const std::string &Text) const {
  return TSize{TextWidth(Text), TextHeight(Text)};
}

int TCanvas::TextAscent() const {
  return impl_->Metrics(font_).ascent();
}

void TCanvas::DrawText(int X, int Y, const std::string &Text, const TRect *Clip) {
  const QFontMetrics &fm = impl_->Metrics(font_);
  const QString qs = ToQString(Text);
  const bool opaque = BkMode() == OPAQUE && BrushVisible();
  // Shaping the text for its width is the dearest part of measuring: only
  // done when the placement or the background needs it.
  const bool needWidth = !Clip && (opaque || (textAlign_ & TA_CENTER) != TA_LEFT);
  const int width = needWidth ? impl_->Width(font_, qs) : 0;
  const int height = fm.height();
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
      top = SaturateInt(W(Y) - fm.ascent());
      break;
    default:
      break;
    }
  }
  if (!surface_) return;
  TRect clip = EffectiveClip();
  if (Clip) clip = IntersectRects(clip, *Clip);
  if (clip.IsEmpty()) return;
  if (opaque)
    FillBox(Clip ? IntersectRects(*Clip, clip) : Bounds(left, top, width, height), brush_.Color(),
            pmCopy);
  if (Text.empty() || font_.Color() == clNone) return;
  std::optional<QPainter> own;
  QPainter *p = nullptr;
  if (impl_->textPasses > 0) {
    if (!impl_->textPainter) impl_->textPainter.emplace(surface_);
    p = &*impl_->textPainter;
  } else {
    p = &own.emplace(surface_);
  }
  p->setClipRect(ToQRect(clip));
  p->setFont(*impl_->font);
  p->setPen(ToQColor(font_.Color()));
  p->drawText(left, SaturateInt(W(top) + fm.ascent()), qs);
}

void TCanvas::CloseTextPainter() {
  if (impl_ && impl_->textPainter) impl_->textPainter.reset();
}

void TCanvas::BeginTextPass() {
  ++impl_->textPasses;
}

void TCanvas::EndTextPass() {
  if (impl_->textPasses > 0 && --impl_->textPasses == 0) CloseTextPainter();
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

void TCanvas::Blit(const TRect &Dest, const QImage &Source, const TRect &SourceRect, TCopyMode Mode,
                   bool SkipColor, TColor Skip) {
  if (!surface_ || Dest.IsEmpty() || SourceRect.IsEmpty() || Source.isNull()) return;
  if (Scaled() || (!deviceUnits_ && Source.devicePixelRatio() != 1.0))
    return ScaledBlit(Dest, Source, SourceRect, Mode, SkipColor, Skip);
  // Copying within one surface reads from a snapshot so that overlapping
  // areas are not read after being written.
  const QImage src = &Source == surface_ ? Source.copy() : Source;
  const QImage conv = src.format() == SurfaceFormat || src.format() == QImage::Format_ARGB32
                          ? src
                          : src.convertToFormat(SurfaceFormat);
  RasterBlit(ViewOf(*surface_), Dest, ViewOf(conv), SourceRect, EffectiveClip(), Mode, SkipColor,
             Skip);
}

void TCanvas::Draw(int X, int Y, const TBitmap &Graphic) {
  const TPoint pt{X, Y};
  if (recorder_)
    Record(coDraw, &pt, 1, Bounds(X, Y, Graphic.Width(), Graphic.Height()), std::string(), 0);
  if (Graphic.Empty()) return;
  const TRect all = Rect(0, 0, Graphic.Width(), Graphic.Height());
  Blit(Bounds(X, Y, Graphic.Width(), Graphic.Height()), Graphic.Image(), all,
       Graphic.Transparent() ? SRCCOPY : copyMode_, Graphic.Transparent(),
       Graphic.TransparentColor());
}

void TCanvas::StretchDraw(const TRect &R, const TBitmap &Graphic) {
  if (recorder_) Record(coStretchDraw, nullptr, 0, R, std::string(), 0);
  if (Graphic.Empty()) return;
  const TRect all = Rect(0, 0, Graphic.Width(), Graphic.Height());
  Blit(R, Graphic.Image(), all, Graphic.Transparent() ? SRCCOPY : copyMode_, Graphic.Transparent(),
       Graphic.TransparentColor());
}

void TCanvas::CopyRect(const TRect &Dest, const TCanvas &Canvas, const TRect &Source) {
  if (recorder_) Record(coCopyRect, nullptr, 0, Dest, std::string(), copyMode_);
  if (!Canvas.surface_) return;
  Blit(Dest, *Canvas.surface_, Source, copyMode_, false, clBlack);
}
