// The item walk's fast mapping must give exactly MapWorld's pixels: random
// ranges and values, exact halves (ties to even) and values whose pixel lies
// a hair beside a half, far-off and non-finite values, logarithmic axes.
#include "chart/rchart_layer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace {

TEST(LayerPixelMap, GivesMapWorldsPixelForEveryValue) {
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> unit(0, 1);
  for (int round = 0; round < 2000; ++round) {
    const bool log = round % 7 == 3;
    TAxisRange r;
    r.Logarithmic = log;
    const double scale = std::pow(10.0, unit(rng) * 40 - 20);
    r.Low = log ? scale : (unit(rng) - 0.5) * scale;
    r.High = r.Low + (unit(rng) + 1e-9) * scale * (round % 2 ? 1 : -1);
    if (log && r.High <= 0) r.High = scale * 3;
    const int w = 100 + int(unit(rng) * 2000);
    const TAxisFactors f = round % 3 ? CalcHorizontalFactors(w, 50, 20, round % 5, r)
                                     : CalcVerticalFactors(w, 20, 40, round % 5, r);
    const TAxisPixelMap m(f, r, w);
    for (int k = 0; k < 200; ++k) {
      double v = r.Low + (r.High - r.Low) * (unit(rng) * 3 - 1);
      if (k % 10 == 1) {
        // A value whose exact pixel is a half, and its neighbours.
        const double half = std::floor(double(f.Factor) * v + double(f.Offset)) + 0.5;
        v = (half - double(f.Offset)) / double(f.Factor);
        if (k % 20 == 1) v = std::nextafter(v, v + 1);
      }
      ASSERT_EQ(m.Pixel(v), MapWorld(f, r, v, w)) << "round " << round << " value " << v;
    }
  }
  // Exact halves in a simple mapping go to the even pixel, as MapWorld does.
  TAxisRange r{0, 100, false};
  const TAxisFactors f = CalcHorizontalFactors(201, 0, 1, 0, r); // 2 pixels per unit
  const TAxisPixelMap m(f, r, 0);
  for (double v : {0.25, 0.75, 1.25, 49.75, -0.25, 1e300, -1e300,
                   std::numeric_limits<double>::quiet_NaN(),
                   std::numeric_limits<double>::infinity()})
    EXPECT_EQ(m.Pixel(v), MapWorld(f, r, v, 0)) << v;
}

} // namespace
