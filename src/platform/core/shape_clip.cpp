#include "platform/shape_clip.h"

#include <cmath>
#include <numbers>

namespace {

// Cuts the segment A-B to Box (Liang-Barsky); false when none of it is inside.
bool ClipSegment(TPointF &A, TPointF &B, const TBoxF &Box) {
  const double dx = B.X - A.X, dy = B.Y - A.Y;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {A.X - Box.Left, Box.Right - A.X, A.Y - Box.Top, Box.Bottom - A.Y};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      if (t > t0) t0 = t;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t;
    }
  }
  const TPointF a = A;
  if (t1 < 1) B = TPointF{a.X + t1 * dx, a.Y + t1 * dy};
  if (t0 > 0) A = TPointF{a.X + t0 * dx, a.Y + t0 * dy};
  return true;
}

// One step of Sutherland-Hodgman: the outline cut to the half-plane where
// Inside holds; Cross gives the point where an edge meets its border.
template <class TInside, class TCross>
std::vector<TPointF> CutBy(const std::vector<TPointF> &In, TInside Inside, TCross Cross) {
  std::vector<TPointF> out;
  if (In.empty()) return out;
  out.reserve(In.size() + 4);
  TPointF prev = In.back();
  bool prevIn = Inside(prev);
  for (const TPointF &p : In) {
    const bool in = Inside(p);
    if (in != prevIn) out.push_back(Cross(prev, p));
    if (in) out.push_back(p);
    prev = p;
    prevIn = in;
  }
  return out;
}

TPointF AtX(const TPointF &A, const TPointF &B, double X) {
  const double t = (X - A.X) / (B.X - A.X);
  return TPointF{X, A.Y + t * (B.Y - A.Y)};
}

TPointF AtY(const TPointF &A, const TPointF &B, double Y) {
  const double t = (Y - A.Y) / (B.Y - A.Y);
  return TPointF{A.X + t * (B.X - A.X), Y};
}

} // namespace

std::vector<std::vector<TPointF>> ClipPolyline(const std::vector<TPointF> &Points, bool Closed,
                                               const TBoxF &Box) {
  std::vector<std::vector<TPointF>> runs;
  const std::size_t n = Points.size();
  if (n < 2) return runs;
  const std::size_t segments = Closed ? n : n - 1;
  std::vector<TPointF> run;
  for (std::size_t i = 0; i < segments; ++i) {
    TPointF a = Points[i], b = Points[(i + 1) % n];
    const TPointF end = b;
    if (!ClipSegment(a, b, Box)) {
      if (run.size() >= 2) runs.push_back(std::move(run));
      run.clear();
      continue;
    }
    if (run.empty() || !(run.back() == a)) {
      if (run.size() >= 2) runs.push_back(std::move(run));
      run.assign(1, a);
    }
    run.push_back(b);
    if (!(b == end)) { // the line leaves the box here
      runs.push_back(std::move(run));
      run.clear();
    }
  }
  if (run.size() >= 2) runs.push_back(std::move(run));
  return runs;
}

std::vector<TPointF> ClipPolygon(const std::vector<TPointF> &Points, const TBoxF &Box) {
  std::vector<TPointF> p = Points;
  p = CutBy(p, [&](const TPointF &q) { return q.X >= Box.Left; },
            [&](const TPointF &a, const TPointF &b) { return AtX(a, b, Box.Left); });
  p = CutBy(p, [&](const TPointF &q) { return q.X <= Box.Right; },
            [&](const TPointF &a, const TPointF &b) { return AtX(a, b, Box.Right); });
  p = CutBy(p, [&](const TPointF &q) { return q.Y >= Box.Top; },
            [&](const TPointF &a, const TPointF &b) { return AtY(a, b, Box.Top); });
  p = CutBy(p, [&](const TPointF &q) { return q.Y <= Box.Bottom; },
            [&](const TPointF &a, const TPointF &b) { return AtY(a, b, Box.Bottom); });
  if (p.size() < 3) p.clear();
  return p;
}

std::vector<TPointF> EllipseOutline(const TBoxF &Box, int Count) {
  std::vector<TPointF> out;
  if (Count < 3) return out;
  const double cx = (Box.Left + Box.Right) / 2, cy = (Box.Top + Box.Bottom) / 2;
  const double rx = (Box.Right - Box.Left) / 2, ry = (Box.Bottom - Box.Top) / 2;
  out.reserve(std::size_t(Count));
  for (int i = 0; i < Count; ++i) {
    const double a = 2 * std::numbers::pi * i / Count;
    out.push_back(TPointF{cx + rx * std::cos(a), cy + ry * std::sin(a)});
  }
  return out;
}
