#include "chart/paint_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

int LimitPixel(int V) {
  return std::clamp(V, -ItemPixelLimit, ItemPixelLimit);
}

int TRimGeometry::DataBitmapWidth() const {
  return int(std::clamp<std::int64_t>(std::int64_t(W) - ML - MR - SW + 1, 0, MaxDataBitmapSide));
}
int TRimGeometry::DataBitmapHeight() const {
  return int(std::clamp<std::int64_t>(std::int64_t(H) - MT - MB - SW + 1, 0, MaxDataBitmapSide));
}

TShadowShape ShadowShape(int W, int H, int SW, TShadowStyle Style) {
  const int e = Style == ssFlying ? SW - 1 : 0;
  TShadowShape s;
  s.TopRightSquare = Rect(W - SW, 0, W, SW);
  s.BottomLeftSquare = Rect(0, H - SW, SW, H);
  s.BottomBand = {Point(e, H - SW), Point(SW - 1, H - 1), Point(W - 1, H - 1),
                  Point(W - SW, H - SW)};
  s.RightBand = {Point(W - SW, H - SW), Point(W - 1, H - 1), Point(W - 1, SW - 1),
                 Point(W - SW, e)};
  s.Outline = {Point(0, 0), Point(W - SW, 0), Point(W - SW, H - SW), Point(0, H - SW), Point(0, 0)};
  return s;
}

TPoint ChartCaptionOrigin(const TRimGeometry &G, int PosX, int PosY, TAlignment Align,
                          TCaptionAnchorHoriz AnchorH, TCaptionAnchorVert AnchorV, int TextWidth) {
  using W = std::int64_t;
  W x = PosX;
  switch (AnchorH) {
  case cahControlLeft:
    break;
  case cahChartLeft:
    x += G.ML;
    break;
  case cahChartCenter:
    x += G.ML + (W(G.W) - G.ML - G.MR - G.SW) / 2;
    break;
  case cahChartRight:
    x += W(G.W) - G.MR - G.SW;
    break;
  case cahControlRight:
    x += G.W;
    break;
  }
  W y = PosY;
  switch (AnchorV) {
  case cavControlTop:
    break;
  case cavChartTop:
    y += G.MT;
    break;
  case cavChartCenter:
    y += G.MT + (W(G.H) - G.MT - G.MB - G.SW) / 2;
    break;
  case cavChartBottom:
    y += W(G.H) - G.MB; // the caption sits below the axis, beside any shadow
    break;
  case cavControlBottom:
    y += G.H;
    break;
  }
  if (Align == taRightJustify)
    x -= TextWidth;
  else if (Align == taCenter)
    x -= TextWidth / 2;
  return Point(SaturateInt(x), SaturateInt(y));
}

TItemRect ItemRectangle(TPoint A, TPoint B) {
  TItemRect r;
  if (A == B) {
    r.OnePixel = true;
    r.Pixel = A;
    return r;
  }
  r.Box = Rect(std::min(A.X, B.X), std::min(A.Y, B.Y),
               SaturateInt(std::int64_t(std::max(A.X, B.X)) + 1),
               SaturateInt(std::int64_t(std::max(A.Y, B.Y)) + 1));
  return r;
}

TPoint TextItemOrigin(TPoint P, TSize Text, TAlignment Align) {
  std::int64_t x = P.X;
  if (Align == taRightJustify)
    x -= Text.cx;
  else if (Align == taCenter)
    x -= Text.cx / 2;
  return Point(SaturateInt(x), SaturateInt(std::int64_t(P.Y) - Text.cy / 2));
}

TRect BandRect(TBGAreaMode Mode, TPoint LeftTop, TPoint RightBottom, int BitmapW, int BitmapH) {
  const int xl = LeftTop.X, yt = LeftTop.Y, xr = RightBottom.X, yb = RightBottom.Y;
  switch (Mode) {
  case bamNone:
    break;
  case bamLeft:
    return Rect(0, 0, xl, BitmapH);
  case bamRight:
    return Rect(xr, 0, BitmapW, BitmapH);
  case bamTop:
    return Rect(0, 0, BitmapW, yt);
  case bamBottom:
    return Rect(0, yb, BitmapW, BitmapH);
  case bamVStripe:
    return Rect(xl, 0, xr, BitmapH);
  case bamHStripe:
    return Rect(0, yt, BitmapW, yb);
  case bamRect:
    return Rect(xl, yt, xr, yb);
  }
  return TRect{};
}

TSize TileCount(int BitmapW, int BitmapH, int PictureW, int PictureH) {
  if (PictureW <= 0 || PictureH <= 0 || BitmapW <= 0 || BitmapH <= 0) return TSize{0, 0};
  return TSize{(BitmapW - 1) / PictureW + 1, (BitmapH - 1) / PictureH + 1};
}

TLabelLayout LabelLayout(TPoint Anchor, int Lines, int Width, int LineHeight,
                         TVerticalAlignment VAlign, TAlignment Align) {
  TLabelLayout l;
  l.Lines = std::max(1, Lines);
  l.Width = Width;
  l.LineHeight = LineHeight;
  using W = std::int64_t;
  const W block = W(LineHeight) * l.Lines;
  W x = Anchor.X, y = Anchor.Y;
  if (VAlign == vaTop)
    y += block;
  else if (VAlign == vaCenter)
    y += block / 2;
  if (Align == taRightJustify)
    x -= Width;
  else if (Align == taCenter)
    x -= Width / 2;
  l.Left = SaturateInt(x);
  l.Bottom = SaturateInt(y);
  l.Box = Rect(SaturateInt(x - 4), SaturateInt(y - block - 2), SaturateInt(x + Width + 4),
               SaturateInt(y + 2));
  return l;
}

TPoint LabelLineOrigin(const TLabelLayout &L, int K, int LineWidth, TAlignment Align) {
  using W = std::int64_t;
  W dx = 0;
  if (L.Lines > 1) {
    if (Align == taRightJustify)
      dx = W(L.Width) - LineWidth;
    else if (Align == taCenter)
      dx = (W(L.Width) - LineWidth) / 2;
  }
  return Point(SaturateInt(L.Left + dx), SaturateInt(L.Bottom - W(L.LineHeight) * (L.Lines - K)));
}

TCrossHairLines CrossHairLines(const TRimGeometry &G, TPoint P, TCrossHMode Mode, int LineWid) {
  TCrossHairLines c;
  using W = std::int64_t;
  const W d = LineWid / 2;
  const W r = G.DataRight(), b = G.DataBottom();
  if ((Mode == chHoriz || Mode == chBoth) && G.MT + d < P.Y && P.Y < b - d) {
    c.DrawHoriz = true;
    c.H1 = Point(SaturateInt(G.ML + d + 1), P.Y);
    c.H2 = Point(SaturateInt(r - d), P.Y);
  }
  if ((Mode == chVert || Mode == chBoth) && G.ML + d < P.X && P.X < r - d) {
    c.DrawVert = true;
    c.V1 = Point(P.X, SaturateInt(G.MT + d + 1));
    c.V2 = Point(P.X, SaturateInt(b - d));
  }
  return c;
}

double IsometricHalfRange(const TRimGeometry &G, double XL, double XH, int AspectX, int AspectY) {
  const std::int64_t across = std::int64_t(G.W) - G.ML - G.MR - G.SW + 1;
  const std::int64_t down = std::int64_t(G.H) - G.MT - G.MB - G.SW + 1;
  if (across <= 0 || AspectX <= 0) return std::numeric_limits<double>::quiet_NaN();
  return (XH - XL) * double(down) / double(across) * AspectY / AspectX / 2;
}

// --- grid ---------------------------------------------------------------------

namespace {

// Decade exponent m and rounded mantissa t of a positive value; log10 values
// within 1e-14 of an integer count as that integer so 1000 is 1 x 10^3.
void DecadeAndMantissa(double V, double &M, double &T) {
  double lg = std::log10(V);
  const double near = std::round(lg);
  if (std::fabs(lg - near) < 1e-14) lg = near;
  M = std::floor(lg);
  T = std::round(std::pow(10.0, lg - M));
}

double FirstGridValue(const TGridAxis &A) {
  const double d = A.D;
  if (d == 0) return A.TickCount > 0 ? A.Ticks[0] : A.Low;
  if (!A.Logarithmic || d > 0) return std::ceil(A.Low / d) * d;
  if (d == -1) return std::pow(10.0, std::ceil(std::log10(A.Low)));
  if (d == -2 || d == -3) {
    const double m = std::floor(std::log10(A.Low));
    const double t = std::round(std::pow(10.0, std::log10(A.Low) - m));
    const double scale = std::pow(10.0, m);
    if (d == -3) return t * scale;
    if (t <= 2) return 2 * scale;
    if (t <= 5) return 5 * scale;
    return 10 * scale;
  }
  return A.Low;
}

double NextGridValue(const TGridAxis &A, double V, int K) {
  const double d = A.D;
  if (d == 0) return (K < 1 || K > A.TickCount) ? A.High : A.Ticks[K - 1];
  if (!A.Logarithmic || d > 0) return V + std::fabs(d);
  if (d == -1) return V * 10;
  double m = 0, t = 0;
  DecadeAndMantissa(V, m, t);
  const double scale = std::pow(10.0, m);
  if (d == -2) {
    // The start value keeps t at 1, 2 or 5; anything else steps to the next of them.
    if (t < 2) return 2 * scale;
    if (t < 5) return 5 * scale;
    return 10 * scale;
  }
  return (t + 1) * scale;
}

} // namespace

void GridValues(const TGridAxis &A, std::vector<double> &Out) {
  Out.clear();
  // A logarithmic axis reaching zero (possible only from a form) has no
  // decades to draw.
  if (A.Logarithmic && !(A.Low > 0)) return;
  double v = FirstGridValue(A);
  int k = 1;
  while (v < A.High && int(Out.size()) < MaxGridLines) {
    Out.push_back(v);
    v = NextGridValue(A, v, ++k);
  }
}

// --- polyline buffer --------------------------------------------------------------

bool TPolylineBuffer::Add(TPoint P) {
  if (count_ >= Capacity) Reset(); // a caller that did not flush starts a new line here
  if (count_ == 0) points_[std::size_t(count_++)] = start_;
  points_[std::size_t(count_++)] = P;
  return count_ >= Capacity;
}

void TPolylineBuffer::Reset() {
  if (count_ > 0) start_ = points_[std::size_t(count_ - 1)];
  count_ = 0;
}
