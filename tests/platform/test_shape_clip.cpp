// Cutting shapes to a box before a system's graphics draws them: what lies
// inside the box must be exactly what the uncut shape had there.
#include "platform/shape_clip.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// Crossing-number test: true when P lies inside the outline under the
// alternate (even-odd) rule.
bool InsideEvenOdd(const std::vector<TPointF> &Poly, TPointF P) {
  bool in = false;
  for (std::size_t i = 0, j = Poly.size() - 1; i < Poly.size(); j = i++) {
    const TPointF a = Poly[i], b = Poly[j];
    if ((a.Y > P.Y) != (b.Y > P.Y) && P.X < (b.X - a.X) * (P.Y - a.Y) / (b.Y - a.Y) + a.X)
      in = !in;
  }
  return in;
}

bool OnBoxEdge(const TPointF &P, const TBoxF &B) {
  const auto near = [](double a, double b) { return std::abs(a - b) < 1e-6; };
  return B.Contains(P) && (near(P.X, B.Left) || near(P.X, B.Right) || near(P.Y, B.Top) ||
                           near(P.Y, B.Bottom));
}

const TBoxF Box{-10, -10, 110, 90};

} // namespace

TEST(ShapeClip, PolylineKeepsInnerPointsAndCutsAtTheEdges) {
  // In, far out (beyond what fixed-point graphics can hold), back in, and a
  // stretch wholly outside.
  const std::vector<TPointF> line = {
      {10, 10}, {50, 20}, {3e9, 40}, {60, 60}, {70, 70}, {-5e9, -5e9}, {-6e9, 4e9}};
  const auto runs = ClipPolyline(line, false, Box);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].front(), (TPointF{10, 10}));
  EXPECT_EQ(runs[0][1], (TPointF{50, 20}));
  EXPECT_TRUE(OnBoxEdge(runs[0].back(), Box));
  EXPECT_NEAR(runs[0].back().X, Box.Right, 1e-6);
  EXPECT_TRUE(OnBoxEdge(runs[1].front(), Box));
  EXPECT_EQ(runs[1][1], (TPointF{60, 60}));
  ASSERT_EQ(runs[1].size(), 4u); // one run while the line stays inside
  EXPECT_EQ(runs[1][2], (TPointF{70, 70}));
  EXPECT_TRUE(OnBoxEdge(runs[1].back(), Box));
  for (const auto &run : runs)
    for (const TPointF &p : run)
      EXPECT_TRUE(Box.Contains(p));

  // Closed: the way back to the first point counts too.
  const auto closed = ClipPolyline({{0, 0}, {50, 0}, {50, 1e10}}, true, Box);
  ASSERT_EQ(closed.size(), 2u);
  EXPECT_TRUE(OnBoxEdge(closed[1].front(), Box));
  EXPECT_EQ(closed[1].back(), (TPointF{0, 0}));

  EXPECT_TRUE(ClipPolyline({{-1e9, -1e9}, {-1e9, 1e9}}, false, Box).empty());
  EXPECT_TRUE(ClipPolyline({{5, 5}}, false, Box).empty());
}

TEST(ShapeClip, PolygonKeepsEvenOddInsideForFarAndSelfCrossingOutlines) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> near(-40, 150), far(-4e9, 4e9);
  for (int round = 0; round < 40; ++round) {
    std::vector<TPointF> poly;
    const int n = 3 + round % 9;
    for (int i = 0; i < n; ++i)
      poly.push_back(i % 3 == 2 ? TPointF{far(random), far(random)}
                                : TPointF{near(random), near(random)});
    const std::vector<TPointF> cut = ClipPolygon(poly, Box);
    for (const TPointF &p : cut)
      EXPECT_TRUE(Box.Contains(p));
    for (double y = -9.25; y < 90; y += 3.5)
      for (double x = -9.25; x < 110; x += 3.5) {
        const bool want = InsideEvenOdd(poly, {x, y});
        const bool got = !cut.empty() && InsideEvenOdd(cut, {x, y});
        ASSERT_EQ(got, want) << "round " << round << " at " << x << "," << y;
      }
  }
  // Wholly outside: nothing left to draw.
  EXPECT_TRUE(ClipPolygon({{200, 200}, {300, 200}, {250, 300}}, Box).empty());
}

TEST(ShapeClip, EllipseOutlineRunsAroundTheBox) {
  const TBoxF box{0, 0, 40, 20};
  const std::vector<TPointF> e = EllipseOutline(box, 64);
  ASSERT_EQ(e.size(), 64u);
  for (const TPointF &p : e) {
    const double u = (p.X - 20) / 20, v = (p.Y - 10) / 10;
    EXPECT_NEAR(u * u + v * v, 1.0, 1e-9);
  }
  EXPECT_TRUE(InsideEvenOdd(e, {20, 10}));
  EXPECT_FALSE(InsideEvenOdd(e, {1, 1}));
  EXPECT_TRUE(EllipseOutline(box, 2).empty());
}
