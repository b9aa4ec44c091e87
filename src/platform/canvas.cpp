// Drawing onto a QImage surface with the classic pixel rules. One-pixel lines,
// outlines and solid fills are written straight into the image memory so that
// end points, dash patterns and raster operations are exact; curves, wide pens,
// hatches and text go through QPainter (antialiasing off except for text).
// Surfaces with a device pixel ratio other than 1 go through canvas_scaled.cpp.
#include "platform/canvas.h"

#include "platform/bitmap.h"
#include "platform/canvas_qt.h"

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

inline std::uint32_t ToPixel(TColor c) {
  c = ColorToRGB(c);
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

inline std::uint32_t Rop2(TPenMode m, std::uint32_t P, std::uint32_t D) {
  std::uint32_t r = P;
  switch (m) {
  case pmBlack:
    r = 0;
    break;
  case pmWhite:
    r = 0xFFFFFF;
    break;
  case pmNop:
    r = D;
    break;
  case pmNot:
    r = ~D;
    break;
  case pmCopy:
    r = P;
    break;
  case pmNotCopy:
    r = ~P;
    break;
  case pmMergePenNot:
    r = P | ~D;
    break;
  case pmMaskPenNot:
    r = P & ~D;
    break;
  case pmMergeNotPen:
    r = ~P | D;
    break;
  case pmMaskNotPen:
    r = ~P & D;
    break;
  case pmMerge:
    r = P | D;
    break;
  case pmNotMerge:
    r = ~(P | D);
    break;
  case pmMask:
    r = P & D;
    break;
  case pmNotMask:
    r = ~(P & D);
    break;
  case pmXor:
    r = P ^ D;
    break;
  case pmNotXor:
    r = ~(P ^ D);
    break;
  }
  return r | 0xFF000000u;
}

inline std::uint32_t Rop3(TCopyMode m, std::uint32_t S, std::uint32_t D) {
  std::uint32_t r = S;
  switch (m) {
  case SRCAND:
    r = S & D;
    break;
  case SRCPAINT:
    r = S | D;
    break;
  case SRCINVERT:
    r = S ^ D;
    break;
  case NOTSRCCOPY:
    r = ~S;
    break;
  case DSTINVERT:
    r = ~D;
    break;
  case BLACKNESS:
    r = 0;
    break;
  case WHITENESS:
    r = 0xFFFFFF;
    break;
  default:
    r = S;
    break;
  }
  return r | 0xFF000000u;
}

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

// Dash patterns of one-pixel pens as 24-pixel masks (bit i: pixel i is drawn).
std::uint32_t PatternMask(TPenStyle s) {
  switch (s) {
  case psDash:
    return 0x03FFFF; // 18 on, 6 off
  case psDot:
    return 0x1C71C7; // 3 on, 3 off
  case psDashDot:
    return 0x0381FF; // 9 on, 6 off, 3 on, 6 off
  case psDashDotDot:
    return 0x1C71FF; // 9 on, 3 off, 3 on, 3 off, 3 on, 3 off
  default:
    return 0xFFFFFF;
  }
}

TRect Intersect(const TRect &a, const TRect &b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  return r;
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

// Rounded Num / Den (Den > 0), halves towards +infinity, without overflow for
// the full range of pixel coordinate differences.
std::int64_t RoundDiv(std::int64_t i, std::int64_t d, std::int64_t steps) {
  if (steps <= (std::int64_t(1) << 30)) {
    const std::int64_t num = 2 * i * d + steps;
    const std::int64_t den = 2 * steps;
    std::int64_t q = num / den;
    if ((num % den != 0) && (num < 0)) --q;
    return q;
  }
  __extension__ using i128 = __int128;
  const i128 num = 2 * i128(i) * d + steps;
  const i128 den = 2 * i128(steps);
  i128 q = num / den;
  if ((num % den != 0) && (num < 0)) --q;
  return std::int64_t(q);
}

// The pixels of DrawLine's walk (step i at A + round(i (B - A) / steps) on
// the minor axis, halves up, B left out) for a solid copy-mode line from A
// to B (A != B) whose ends both lie inside the clip, so that every pixel
// does: the same quotient and error term, with the pixel address stepped
// along instead of computed, and no clip or pattern checks.
void SolidLineInside(uchar *Bits, qsizetype Bpl, TPoint A, TPoint B, std::uint32_t Pixel) {
  const std::int64_t dx = std::int64_t(B.X) - A.X, dy = std::int64_t(B.Y) - A.Y;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const std::int64_t steps = xMajor ? adx : ady;
  const std::int64_t dn = xMajor ? dy : dx;
  const qsizetype px = qsizetype(sizeof(std::uint32_t));
  // Bytes from one pixel to the next along the major axis, and for one unit
  // of the minor coordinate.
  const qsizetype majorStep = xMajor ? (dx > 0 ? px : -px) : (dy > 0 ? Bpl : -Bpl);
  const qsizetype minorStep = xMajor ? Bpl : px;
  const std::int64_t den = 2 * steps;
  const std::int64_t qStep = dn > 0 ? 0 : -1; // floor(2 dn / den), |dn| <= steps
  const std::int64_t rStep = 2 * dn - qStep * den;
  std::int64_t rem = steps; // of RoundDiv(0, dn, steps) = 0
  uchar *at = Bits + Bpl * A.Y + px * A.X;
  for (std::int64_t i = 0; i < steps; ++i) {
    *reinterpret_cast<std::uint32_t *>(at) = Pixel;
    std::int64_t dq = qStep;
    rem += rStep;
    if (rem >= den) {
      rem -= den;
      ++dq;
    }
    at += majorStep + qsizetype(dq) * minorStep;
  }
}

// Whole-row fills and copies written with explicit 16-byte vectors: the
// optimiser does not vectorise the plain loops at the project's -O2, and
// these rows are most of a paint's pixel traffic.
using TPixelVector = std::uint32_t __attribute__((vector_size(16)));
constexpr int PixelsPerVector = 4;

// Sets Count pixels from Row on to Pixel.
void FillPixels(std::uint32_t *Row, int Count, std::uint32_t Pixel) {
  int x = 0;
  if (Count >= 2 * PixelsPerVector) {
    const TPixelVector v = {Pixel, Pixel, Pixel, Pixel};
    for (; x + 2 * PixelsPerVector <= Count; x += 2 * PixelsPerVector) {
      std::memcpy(Row + x, &v, sizeof v);
      std::memcpy(Row + x + PixelsPerVector, &v, sizeof v);
    }
  }
  for (; x < Count; ++x)
    Row[x] = Pixel;
}

// Copies Count pixels from Source to Target, made opaque.
void CopyOpaquePixels(std::uint32_t *Target, const std::uint32_t *Source, int Count) {
  const TPixelVector opaque = {0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u};
  int x = 0;
  for (; x + PixelsPerVector <= Count; x += PixelsPerVector) {
    TPixelVector v;
    std::memcpy(&v, Source + x, sizeof v);
    v |= opaque;
    std::memcpy(Target + x, &v, sizeof v);
  }
  for (; x < Count; ++x)
    Target[x] = Source[x] | 0xFF000000u;
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
  return hasClip_ ? Intersect(all, clip_) : all;
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

void TCanvas::DrawLine(TPoint A, TPoint B, unsigned &PatternPos, const TRect &Clip) {
  const std::int64_t dx = std::int64_t(B.X) - A.X;
  const std::int64_t dy = std::int64_t(B.Y) - A.Y;
  const std::int64_t steps = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
  if (steps == 0) return;
  const unsigned startPattern = PatternPos;
  PatternPos = unsigned((PatternPos + std::uint64_t(steps)) % 24u);
  const TRect &clip = Clip;
  if (clip.IsEmpty()) return;

  const bool xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
  const std::int64_t m0 = xMajor ? A.X : A.Y;
  const std::int64_t n0 = xMajor ? A.Y : A.X;
  const std::int64_t dm = xMajor ? dx : dy;
  const std::int64_t dn = xMajor ? dy : dx;
  const std::int64_t mLo = xMajor ? clip.Left : clip.Top;
  const std::int64_t mHi = xMajor ? clip.Right : clip.Bottom;
  const std::int64_t nLo = xMajor ? clip.Top : clip.Left;
  const std::int64_t nHi = xMajor ? clip.Bottom : clip.Right;

  // Range of steps whose major coordinate lies inside the clip.
  std::int64_t lo = 0, hi = steps;
  if (dm > 0) {
    lo = std::max(lo, mLo - m0);
    hi = std::min(hi, mHi - m0);
  } else {
    lo = std::max(lo, m0 - mHi + 1);
    hi = std::min(hi, m0 - mLo + 1);
  }
  // Narrow further by the minor coordinate (generously; pixels are checked).
  if (dn != 0 && lo < hi) {
    const double t1 = double(nLo - 1 - n0) * double(steps) / double(dn);
    const double t2 = double(nHi + 1 - n0) * double(steps) / double(dn);
    const double a = std::min(t1, t2) - 2, b = std::max(t1, t2) + 2;
    if (a > double(lo)) lo = a >= double(hi) ? hi : std::int64_t(a);
    if (b < double(hi)) hi = b <= double(lo) ? lo : std::int64_t(b) + 1;
  } else if (dn == 0 && (n0 < nLo || n0 >= nHi)) {
    return;
  }
  if (lo >= hi) return;

  const std::uint32_t mask = PatternMask(pen_.Style());
  const bool styled = mask != 0xFFFFFF;
  const bool fillGaps = styled && BkMode() == OPAQUE && BrushVisible();
  const std::uint32_t fg = ToPixel(pen_.Color());
  const std::uint32_t bg = ToPixel(brush_.Color());
  const TPenMode mode = pen_.Mode();
  uchar *bits = surface_->bits();
  const qsizetype bpl = surface_->bytesPerLine();
  const std::int64_t mdir = dm > 0 ? 1 : -1;

  // Solid axis-parallel lines in copy mode (grid, axes, frames) are spans.
  if (dn == 0 && !styled && mode == pmCopy) {
    const std::int64_t first = m0 + mdir * (mdir > 0 ? lo : hi - 1);
    const int count = int(hi - lo);
    if (xMajor) {
      FillPixels(reinterpret_cast<std::uint32_t *>(bits + bpl * n0) + first, count, fg);
    } else {
      auto *px = reinterpret_cast<std::uint32_t *>(bits + bpl * first) + n0;
      for (int k = 0; k < count; ++k, px = reinterpret_cast<std::uint32_t *>(
                                          reinterpret_cast<uchar *>(px) + bpl))
        *px = fg;
    }
    return;
  }

  // The minor coordinate n0 + round(i * dn / steps) kept as a quotient and
  // an error term: numerator 2 i dn + steps over 2 steps, advanced by 2 dn a
  // step, so no division is left in the loop.
  const std::int64_t den = 2 * steps;
  std::int64_t q = RoundDiv(lo, dn, steps);
  std::int64_t rem = 0;
  {
    __extension__ using i128 = __int128;
    rem = std::int64_t(2 * i128(lo) * dn + steps - i128(q) * den);
  }
  const std::int64_t qStep = dn > 0 ? 0 : -1; // floor(2 dn / den), |dn| <= steps
  const std::int64_t rStep = 2 * dn - qStep * den;
  for (std::int64_t i = lo; i < hi; ++i) {
    const std::int64_t m = m0 + mdir * i;
    const std::int64_t n = n0 + q;
    q += qStep;
    rem += rStep;
    if (rem >= den) {
      rem -= den;
      ++q;
    }
    if (n < nLo || n >= nHi) continue;
    std::uint32_t color = fg;
    if (styled && !((mask >> ((startPattern + std::uint64_t(i)) % 24u)) & 1u)) {
      if (!fillGaps) continue;
      color = bg;
    }
    const int x = int(xMajor ? m : n);
    const int y = int(xMajor ? n : m);
    auto *px = reinterpret_cast<std::uint32_t *>(bits + bpl * y) + x;
    *px = mode == pmCopy ? color : Rop2(mode, color, *px);
  }
}

void TCanvas::StrokeLines(const TPoint *Points, int Count, bool Closed) {
  if (!PenVisible() || !surface_ || Count < 2) return;
  if (pen_.Width() <= 1 && Scaled()) return ScaledStrokeLines(Points, Count, Closed);
  if (pen_.Width() <= 1) {
    unsigned pattern = 0;
    const TRect clip = EffectiveClip();
    if (pen_.Mode() == pmCopy && pen_.Style() == psSolid && !clip.IsEmpty()) {
      // Solid lines: segments that start and end inside the clip (most of a
      // curve) have every pixel inside and take the short walk; long
      // axis-parallel ones stay spans.
      const std::uint32_t fg = ToPixel(pen_.Color());
      uchar *bits = surface_->bits();
      const qsizetype bpl = surface_->bytesPerLine();
      const auto segment = [&](TPoint A, TPoint B) {
        const std::int64_t length =
            std::abs(std::int64_t(B.X) - A.X) + std::abs(std::int64_t(B.Y) - A.Y);
        const bool walk = (A.X != B.X && A.Y != B.Y) || (length > 0 && length <= 16);
        if (walk && clip.Contains(A) && clip.Contains(B))
          SolidLineInside(bits, bpl, A, B, fg);
        else
          DrawLine(A, B, pattern, clip);
      };
      for (int i = 0; i + 1 < Count; ++i)
        segment(Points[i], Points[i + 1]);
      if (Closed) segment(Points[Count - 1], Points[0]);
      return;
    }
    for (int i = 0; i + 1 < Count; ++i)
      DrawLine(Points[i], Points[i + 1], pattern, clip);
    if (Closed) DrawLine(Points[Count - 1], Points[0], pattern, clip);
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
  const TRect r = Intersect(R, EffectiveClip());
  if (r.IsEmpty()) return;
  const std::uint32_t c = ToPixel(Color);
  uchar *bits = surface_->bits();
  const qsizetype bpl = surface_->bytesPerLine();
  for (int y = r.Top; y < r.Bottom; ++y) {
    auto *row = reinterpret_cast<std::uint32_t *>(bits + bpl * y);
    if (Mode == pmCopy) {
      FillPixels(row + r.Left, r.Right - r.Left, c);
    } else {
      for (int x = r.Left; x < r.Right; ++x)
        row[x] = Rop2(Mode, c, row[x]);
    }
  }
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

// One-pixel outline of the box X1 .. X2-1 x Y1 .. Y2-1, every pixel visited
// once (so XOR outlines are exact), clockwise from the top-left corner.
void TCanvas::StrokeBox(int X1, int Y1, int X2, int Y2) {
  if (Scaled()) return ScaledStrokeBox(X1, Y1, X2, Y2);
  const TRect clip = EffectiveClip();
  if (clip.IsEmpty() || X2 <= X1 || Y2 <= Y1) return;
  const std::uint32_t mask = PatternMask(pen_.Style());
  const bool styled = mask != 0xFFFFFF;
  const bool fillGaps = styled && BkMode() == OPAQUE && BrushVisible();
  const std::uint32_t fg = ToPixel(pen_.Color());
  const std::uint32_t bg = ToPixel(brush_.Color());
  const TPenMode mode = pen_.Mode();
  uchar *bits = surface_->bits();
  const qsizetype bpl = surface_->bytesPerLine();
  auto plot = [&](int x, int y, std::uint64_t pos) {
    if (x < clip.Left || x >= clip.Right || y < clip.Top || y >= clip.Bottom) return;
    std::uint32_t color = fg;
    if (styled && !((mask >> (pos % 24u)) & 1u)) {
      if (!fillGaps) return;
      color = bg;
    }
    auto *px = reinterpret_cast<std::uint32_t *>(bits + bpl * y) + x;
    *px = Rop2(mode, color, *px);
  };
  const std::int64_t w = std::int64_t(X2) - X1, h = std::int64_t(Y2) - Y1;
  // Each side walks only its part inside the clip; pos keeps the pattern phase.
  std::uint64_t base = 0;
  if (Y1 >= clip.Top && Y1 < clip.Bottom)
    for (std::int64_t x = std::max<std::int64_t>(X1, clip.Left);
         x < std::min<std::int64_t>(X2, clip.Right); ++x)
      plot(int(x), Y1, base + std::uint64_t(x - X1));
  base += std::uint64_t(w);
  if (h > 1) {
    const int x = X2 - 1;
    if (x >= clip.Left && x < clip.Right)
      for (std::int64_t y = std::max<std::int64_t>(Y1 + 1, clip.Top);
           y < std::min<std::int64_t>(Y2, clip.Bottom); ++y)
        plot(x, int(y), base + std::uint64_t(y - Y1 - 1));
    base += std::uint64_t(h - 1);
    if (w > 1) {
      const int y = Y2 - 1;
      if (y >= clip.Top && y < clip.Bottom)
        for (std::int64_t x = std::min<std::int64_t>(X2 - 2, clip.Right - 1);
             x >= std::max<std::int64_t>(X1, clip.Left); --x)
          plot(int(x), y, base + std::uint64_t(X2 - 2 - x));
      base += std::uint64_t(w - 1);
      if (h > 2 && X1 >= clip.Left && X1 < clip.Right)
        for (std::int64_t y = std::min<std::int64_t>(Y2 - 2, clip.Bottom - 1);
             y >= std::max<std::int64_t>(Y1 + 1, clip.Top); --y)
          plot(X1, int(y), base + std::uint64_t(Y2 - 2 - y));
    }
  }
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
  reinterpret_cast<std::uint32_t *>(surface_->scanLine(Y))[X] = ToPixel(Value);
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
  if (Clip) clip = Intersect(clip, *Clip);
  if (clip.IsEmpty()) return;
  if (opaque)
    FillBox(Clip ? Intersect(*Clip, clip) : Bounds(left, top, width, height),
            brush_.Color(), pmCopy);
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
  const TRect r = Intersect(Dest, EffectiveClip());
  if (r.IsEmpty()) return;
  const std::uint32_t skip = ToPixel(Skip) & 0xFFFFFFu;
  const std::int64_t dw = Dest.Width(), dh = Dest.Height();
  const std::int64_t sw = SourceRect.Width(), sh = SourceRect.Height();
  uchar *bits = surface_->bits();
  const qsizetype bpl = surface_->bytesPerLine();
  if (dw == sw && dh == sh && !SkipColor) {
    // Unscaled copies go row by row without per-pixel index arithmetic.
    const int dx = SourceRect.Left - Dest.Left, dy = SourceRect.Top - Dest.Top;
    const int x0 = std::max(r.Left, -dx), x1 = std::min(r.Right, conv.width() - dx);
    const int y0 = std::max(r.Top, -dy), y1 = std::min(r.Bottom, conv.height() - dy);
    for (int y = y0; y < y1; ++y) {
      const auto *srow = reinterpret_cast<const std::uint32_t *>(conv.constScanLine(y + dy)) + dx;
      auto *drow = reinterpret_cast<std::uint32_t *>(bits + bpl * y);
      if (Mode == SRCCOPY) {
        if (x1 > x0) CopyOpaquePixels(drow + x0, srow + x0, x1 - x0);
      } else if (Mode == SRCAND) {
        for (int x = x0; x < x1; ++x) drow[x] = (srow[x] & drow[x]) | 0xFF000000u;
      } else {
        for (int x = x0; x < x1; ++x) drow[x] = Rop3(Mode, srow[x], drow[x]);
      }
    }
    return;
  }
  for (int y = r.Top; y < r.Bottom; ++y) {
    const std::int64_t sy = SourceRect.Top + (std::int64_t(y) - Dest.Top) * sh / dh;
    if (sy < 0 || sy >= conv.height()) continue;
    const auto *srow = reinterpret_cast<const std::uint32_t *>(conv.constScanLine(int(sy)));
    auto *drow = reinterpret_cast<std::uint32_t *>(bits + bpl * y);
    for (int x = r.Left; x < r.Right; ++x) {
      const std::int64_t sx = SourceRect.Left + (std::int64_t(x) - Dest.Left) * sw / dw;
      if (sx < 0 || sx >= conv.width()) continue;
      const std::uint32_t s = srow[sx];
      if (SkipColor && (s & 0xFFFFFFu) == skip) continue;
      drow[x] = Rop3(Mode, s, drow[x]);
    }
  }
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
