#include "platform/pixel_rules.h"

#include <algorithm>
#include <cstring>

namespace {

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

std::uint32_t PixelOf(TColor c) {
  c = ColorToRGB(c);
  return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

std::uint32_t ApplyPenMode(TPenMode m, std::uint32_t P, std::uint32_t D) {
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

std::uint32_t ApplyCopyMode(TCopyMode m, std::uint32_t S, std::uint32_t D) {
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

std::uint32_t PenPatternMask(TPenStyle s) {
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

TRect IntersectRects(const TRect &a, const TRect &b) {
  TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
          std::min(a.Bottom, b.Bottom)};
  if (r.Right < r.Left) r.Right = r.Left;
  if (r.Bottom < r.Top) r.Bottom = r.Top;
  return r;
}

void RasterFill(const TPixelView &Surface, const TRect &R, const TRect &Clip, std::uint32_t Pixel,
                TPenMode Mode) {
  const TRect r = IntersectRects(R, Clip);
  if (r.IsEmpty()) return;
  for (int y = r.Top; y < r.Bottom; ++y) {
    std::uint32_t *row = Surface.Row(y);
    if (Mode == pmCopy) {
      FillPixels(row + r.Left, r.Right - r.Left, Pixel);
    } else {
      for (int x = r.Left; x < r.Right; ++x)
        row[x] = ApplyPenMode(Mode, Pixel, row[x]);
    }
  }
}

void RasterLine(const TPixelView &Surface, TPoint A, TPoint B, unsigned &PatternPos,
                const TRect &Clip, const TStrokeRule &Rule) {
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

  const std::uint32_t mask = Rule.Mask;
  const bool styled = mask != 0xFFFFFF;
  const bool fillGaps = styled && Rule.FillGaps;
  const std::uint32_t fg = Rule.Pen;
  const std::uint32_t bg = Rule.Gap;
  const TPenMode mode = Rule.Mode;
  const std::int64_t mdir = dm > 0 ? 1 : -1;

  // Solid axis-parallel lines in copy mode (grid, axes, frames) are spans.
  if (dn == 0 && !styled && mode == pmCopy) {
    const std::int64_t first = m0 + mdir * (mdir > 0 ? lo : hi - 1);
    const int count = int(hi - lo);
    if (xMajor) {
      FillPixels(Surface.Row(int(n0)) + first, count, fg);
    } else {
      std::uint32_t *px = Surface.Row(int(first)) + n0;
      for (int k = 0; k < count; ++k, px += Surface.Stride)
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
    std::uint32_t *px = Surface.Row(y) + x;
    *px = mode == pmCopy ? color : ApplyPenMode(mode, color, *px);
  }
}

void RasterBox(const TPixelView &Surface, int X1, int Y1, int X2, int Y2, const TRect &Clip,
               const TStrokeRule &Rule) {
  const TRect &clip = Clip;
  if (clip.IsEmpty() || X2 <= X1 || Y2 <= Y1) return;
  const std::uint32_t mask = Rule.Mask;
  const bool styled = mask != 0xFFFFFF;
  const bool fillGaps = styled && Rule.FillGaps;
  const std::uint32_t fg = Rule.Pen;
  const std::uint32_t bg = Rule.Gap;
  const TPenMode mode = Rule.Mode;
  const std::int64_t w = std::int64_t(X2) - X1, h = std::int64_t(Y2) - Y1;
  if (!styled && mode == pmCopy) {
    // Solid outlines in copy mode (frames, label boxes): the same four sides
    // as below, written as spans.
    const auto across = [&](int y, std::int64_t from, std::int64_t to) {
      from = std::max<std::int64_t>(from, clip.Left);
      to = std::min<std::int64_t>(to, clip.Right);
      if (y >= clip.Top && y < clip.Bottom && from < to)
        FillPixels(Surface.Row(y) + from, int(to - from), fg);
    };
    const auto down = [&](int x, std::int64_t from, std::int64_t to) {
      if (x < clip.Left || x >= clip.Right) return;
      for (std::int64_t y = std::max<std::int64_t>(from, clip.Top),
                        end = std::min<std::int64_t>(to, clip.Bottom);
           y < end; ++y)
        Surface.Row(int(y))[x] = fg;
    };
    across(Y1, X1, X2);
    if (h > 1) {
      down(X2 - 1, std::int64_t(Y1) + 1, Y2);
      if (w > 1) {
        across(Y2 - 1, X1, std::int64_t(X2) - 1);
        if (h > 2) down(X1, std::int64_t(Y1) + 1, std::int64_t(Y2) - 1);
      }
    }
    return;
  }
  auto plot = [&](int x, int y, std::uint64_t pos) {
    if (x < clip.Left || x >= clip.Right || y < clip.Top || y >= clip.Bottom) return;
    std::uint32_t color = fg;
    if (styled && !((mask >> (pos % 24u)) & 1u)) {
      if (!fillGaps) return;
      color = bg;
    }
    std::uint32_t *px = Surface.Row(y) + x;
    *px = ApplyPenMode(mode, color, *px);
  };
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

void RasterBlit(const TPixelView &Surface, const TRect &Dest, const TPixelView &Source,
                const TRect &SourceRect, const TRect &Clip, TCopyMode Mode, bool SkipColor,
                TColor Skip) {
  if (Surface.Empty() || Source.Empty() || Dest.IsEmpty() || SourceRect.IsEmpty()) return;
  const TRect r = IntersectRects(Dest, Clip);
  if (r.IsEmpty()) return;
  const std::uint32_t skip = PixelOf(Skip) & 0xFFFFFFu;
  const std::int64_t dw = Dest.Width(), dh = Dest.Height();
  const std::int64_t sw = SourceRect.Width(), sh = SourceRect.Height();
  if (dw == sw && dh == sh && !SkipColor) {
    // Unscaled copies go row by row without per-pixel index arithmetic.
    const int dx = SourceRect.Left - Dest.Left, dy = SourceRect.Top - Dest.Top;
    const int x0 = std::max(r.Left, -dx), x1 = std::min(r.Right, Source.Width - dx);
    const int y0 = std::max(r.Top, -dy), y1 = std::min(r.Bottom, Source.Height - dy);
    for (int y = y0; y < y1; ++y) {
      const auto *srow = Source.Row(y + dy) + dx;
      std::uint32_t *drow = Surface.Row(y);
      if (Mode == SRCCOPY) {
        if (x1 > x0) CopyOpaquePixels(drow + x0, srow + x0, x1 - x0);
      } else if (Mode == SRCAND) {
        for (int x = x0; x < x1; ++x)
          drow[x] = (srow[x] & drow[x]) | 0xFF000000u;
      } else {
        for (int x = x0; x < x1; ++x)
          drow[x] = ApplyCopyMode(Mode, srow[x], drow[x]);
      }
    }
    return;
  }
  for (int y = r.Top; y < r.Bottom; ++y) {
    const std::int64_t sy = SourceRect.Top + (std::int64_t(y) - Dest.Top) * sh / dh;
    if (sy < 0 || sy >= Source.Height) continue;
    const auto *srow = Source.Row(int(sy));
    std::uint32_t *drow = Surface.Row(y);
    for (int x = r.Left; x < r.Right; ++x) {
      const std::int64_t sx = SourceRect.Left + (std::int64_t(x) - Dest.Left) * sw / dw;
      if (sx < 0 || sx >= Source.Width) continue;
      const std::uint32_t s = srow[sx];
      if (SkipColor && (s & 0xFFFFFFu) == skip) continue;
      drow[x] = ApplyCopyMode(Mode, s, drow[x]);
    }
  }
}

void RasterSolidLineInside(const TPixelView &Surface, TPoint A, TPoint B, std::uint32_t Pixel) {
  const std::int64_t dx = std::int64_t(B.X) - A.X, dy = std::int64_t(B.Y) - A.Y;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const std::int64_t steps = xMajor ? adx : ady;
  const std::int64_t dn = xMajor ? dy : dx;
  // Pixels from one to the next along the major axis, and for one unit of
  // the minor coordinate.
  const std::ptrdiff_t majorStep =
      xMajor ? (dx > 0 ? 1 : -1) : (dy > 0 ? Surface.Stride : -Surface.Stride);
  const std::ptrdiff_t minorStep = xMajor ? Surface.Stride : 1;
  const std::int64_t den = 2 * steps;
  const std::int64_t qStep = dn > 0 ? 0 : -1; // floor(2 dn / den), |dn| <= steps
  const std::int64_t rStep = 2 * dn - qStep * den;
  std::int64_t rem = steps; // the walk's rounding term at its first pixel
  std::uint32_t *at = Surface.Row(A.Y) + A.X;
  for (std::int64_t i = 0; i < steps; ++i) {
    *at = Pixel;
    std::int64_t dq = qStep;
    rem += rStep;
    if (rem >= den) {
      rem -= den;
      ++dq;
    }
    at += majorStep + std::ptrdiff_t(dq) * minorStep;
  }
}
