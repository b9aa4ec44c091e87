#include "chart/mouse_gestures.h"

#include <cmath>
#include <limits>
#include <utility>

const std::vector<std::string> MouseActModeNames{
    "maNone",      "maPan",      "maPanHoriz",    "maPanVert",  "maRubberBand",
    "maZoom",      "maZoomWind", "maZoomWindPos", "maZoomDrag", "maDragCrossH",
    "maDragLabel", "maRotate",   "maRotAndZoom",  "maRotXOnly", "maRotZOnly"};

namespace {

TRangeStep Checked(double Low, double High, bool Logarithmic) {
  TRangeStep s;
  s.Low = Low;
  s.High = High;
  s.Valid = std::isfinite(Low) && std::isfinite(High) && (!Logarithmic || (Low > 0 && High > 0));
  return s;
}

} // namespace

TDataArea DataAreaOf(const TRimGeometry &G) {
  return TDataArea{G.ML, G.MT, G.DataRight(), G.DataBottom()};
}

TRangeStep PanRange(const TAxisRange &Start, const TAxisRange &Current, int Shift, int Span) {
  if (Span <= 0) return {};
  const double f = double(Shift) / Span;
  if (Start.Logarithmic) {
    if (!(Current.Low > 0 && Current.High > 0)) return {};
    const double k = std::pow(Current.High / Current.Low, f);
    return Checked(Start.Low * k, Start.High * k, true);
  }
  const double d = (Current.High - Current.Low) * f;
  return Checked(Start.Low + d, Start.High + d, false);
}

double ZoomDragFactorX(int X0, int X, int Width) {
  if (Width <= 0) return 0;
  return 1 - double(X - X0) / Width;
}

double ZoomDragFactorY(int Y0, int Y, int Height) {
  if (Height <= 0) return 0;
  return 1 + double(Y - Y0) / Height;
}

TRangeStep ZoomRange(const TAxisRange &Start, double Factor) {
  if (!(Factor > 0) || !std::isfinite(Factor)) return {};
  const double c = (Start.Low + Start.High) / 2;
  const double h = (Start.High - Start.Low) * Factor / 2;
  return Checked(c - h, c + h, false);
}

TPoint RubberCorner(const TDataArea &A, TPoint Start, int X, int Y, bool Isometric) {
  auto limit = [](int V, int Lo, int Hi) { return V < Lo ? Lo : (V > Hi ? Hi : V); };
  X = limit(X, A.Left, A.Right);
  if (Isometric) {
    const long long dx = static_cast<long long>(X) - Start.X;
    const long long dy = static_cast<long long>(Y) - Start.Y;
    const long long y = dy * dx < 1 ? Start.Y - dx : Start.Y + dx;
    Y = int(y < A.Top ? A.Top : (y > A.Bottom ? A.Bottom : y));
  }
  return Point(X, limit(Y, A.Top, A.Bottom));
}

void OrderLikeAxis(double &A, double &B, const TAxisRange &Axis) {
  const bool ascending = Axis.Low < Axis.High;
  const bool descending = Axis.Low > Axis.High;
  if ((ascending && B < A) || (descending && B > A)) std::swap(A, B);
}

TWorldRect IsometricWindow(const TWorldRect &R, const TDataArea &A, int AspectX, int AspectY) {
  TWorldRect out = R;
  const double cy = (R.Y0 + R.Y1) / 2;
  const double hy = (R.X1 - R.X0) * (A.SpanY() + 1) / (A.SpanX() + 1) * AspectY / AspectX / 2;
  out.Y0 = cy - hy;
  out.Y1 = cy + hy;
  return out;
}

int NearestCrossHair(const TCrossHairSpot *Spots, int Count, TPoint Mouse) {
  int best = 1;
  double bestDist = 1.7e308;
  for (int i = 0; i < Count; ++i) {
    const TCrossHairSpot &s = Spots[i];
    const double dx = double(s.P.X) - Mouse.X, dy = double(s.P.Y) - Mouse.Y;
    if ((s.Mode == chVert || s.Mode == chBoth) && dx * dx < bestDist) {
      bestDist = dx * dx;
      best = i + 1;
    }
    if ((s.Mode == chHoriz || s.Mode == chBoth) && dy * dy < bestDist) {
      bestDist = dy * dy;
      best = i + 1;
    }
  }
  return best;
}

int NearestLabel(const TLabelSpot *Spots, int Count, TPoint Mouse) {
  int best = 1;
  double bestDist = 1.7e308;
  for (int i = 0; i < Count; ++i) {
    if (!Spots[i].Eligible) continue;
    const double dx = double(Spots[i].P.X) - Mouse.X, dy = double(Spots[i].P.Y) - Mouse.Y;
    if (dx * dx + dy * dy < bestDist) {
      bestDist = dx * dx + dy * dy;
      best = i + 1;
    }
  }
  return best;
}

TLabelPos DraggedLabelPos(TTxtLblAttachMode Mode, TPoint Mouse, double WX, double WY) {
  const bool worldX = Mode == tlamXOnly || Mode == tlamBoth;
  const bool worldY = Mode == tlamYOnly || Mode == tlamBoth;
  return TLabelPos{worldX ? WX : double(Mouse.X), worldY ? WY : double(Mouse.Y)};
}

bool GestureCursor(TMouseActMode Action, bool InDataArea, bool Fixed, TCursor &Cursor) {
  if (!InDataArea || Fixed) {
    Cursor = crDefault;
    return true;
  }
  switch (Action) {
  case maNone:
    Cursor = crCross;
    return true;
  case maPan:
  case maPanHoriz:
  case maPanVert:
    Cursor = crChartHand;
    return true;
  case maRubberBand:
  case maDragCrossH:
  case maDragLabel:
    Cursor = crDefault;
    return true;
  case maZoomWind:
    Cursor = crChartZoomWindow;
    return true;
  case maZoomDrag:
    Cursor = crChartZoomDrag;
    return true;
  case maZoomWindPos:
    Cursor = crChartZoomWindowPos;
    return true;
  default:
    return false; // zoom and rotations: no action here, the cursor stays
  }
}

double FiniteWorld(double V, const TAxisRange &R) {
  if (std::isnan(V)) {
    const double c = R.Low / 2 + R.High / 2;
    return std::isfinite(c) ? c : 0;
  }
  if (std::isinf(V))
    return V > 0 ? std::numeric_limits<double>::max() : std::numeric_limits<double>::lowest();
  return V;
}
