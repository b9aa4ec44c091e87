// Arithmetic of the shared axis map: factors, rounding and both directions.
#include "axes/axis_map.h"

#include <cmath>

namespace {

constexpr long double kPixelLimit = 2147483647.0L;

bool UsesLog(const TAxisRange &R) {
  return R.Logarithmic && R.Low >= LogFloor && R.High >= LogFloor;
}

// Shared by both directions: the range end Lo lands on pixel PLo, Hi on PHi.
TAxisFactors Solve(const TAxisRange &R, long double PLo, long double PHi, long double Centre) {
  TAxisFactors f;
  f.LinearFallback = R.Logarithmic && !UsesLog(R);
  long double lo = R.Low;
  long double hi = R.High;
  if (UsesLog(R)) {
    lo = std::log(lo);
    hi = std::log(hi);
  }
  const long double span = hi - lo;
  if (span != 0) {
    f.Factor = (PHi - PLo) / span;
    f.Offset = (PLo * hi - PHi * lo) / span;
  }
  if (span == 0 || !std::isfinite(f.Factor) || !std::isfinite(f.Offset)) {
    // An empty or unusable range: every value sits in the middle.
    f.Factor = 0;
    f.Offset = Centre;
  }
  return f;
}

} // namespace

TAxisFactors CalcHorizontalFactors(int W, int ML, int MR, int SW, const TAxisRange &R) {
  const long double a = static_cast<long double>(W) - ML - MR - SW;
  if (a <= 0) {
    TAxisFactors f;
    f.Offset = static_cast<long double>(W) / 2;
    f.LinearFallback = R.Logarithmic && !UsesLog(R);
    return f;
  }
  return Solve(R, ML, static_cast<long double>(W) - MR - SW, static_cast<long double>(W) / 2);
}

TAxisFactors CalcVerticalFactors(int H, int MT, int MB, int SW, const TAxisRange &R) {
  const long double b = static_cast<long double>(H) - MT - MB - SW;
  if (b <= 0) {
    TAxisFactors f;
    f.Offset = static_cast<long double>(H) / 2;
    f.LinearFallback = R.Logarithmic && !UsesLog(R);
    return f;
  }
  return Solve(R, static_cast<long double>(H) - MB - SW, MT, static_cast<long double>(H) / 2);
}

int RoundPixel(long double V) {
  if (std::isnan(V)) return 0;
  if (V > kPixelLimit)
    V = kPixelLimit;
  else if (V < -kPixelLimit)
    V = -kPixelLimit;
  // Ties to even by hand: the library's rounding of extended values saves and
  // restores the floating-point environment and dominated item mapping. Within
  // +-2^31 the difference to the truncated value is exact.
  long long t = static_cast<long long>(V); // towards zero
  const long double frac = V - static_cast<long double>(t);
  if (frac > 0.5L || (frac == 0.5L && (t & 1) != 0))
    ++t;
  else if (frac < -0.5L || (frac == -0.5L && (t & 1) != 0))
    --t;
  return static_cast<int>(t);
}

int MapWorld(const TAxisFactors &F, const TAxisRange &R, double V, int LowEdge) {
  if (R.Logarithmic && !F.LinearFallback) {
    if (V <= LogFloor) return LowEdge;
    return RoundPixel(std::log(static_cast<long double>(V)) * F.Factor + F.Offset);
  }
  return RoundPixel(F.Factor * V + F.Offset);
}

double MapPixel(const TAxisFactors &F, const TAxisRange &R, int P) {
  const long double q = (static_cast<long double>(P) - F.Offset) / F.Factor;
  if (R.Logarithmic && !F.LinearFallback) return static_cast<double>(std::exp(q));
  return static_cast<double>(q);
}

TAxisMap HorizontalAxisMap(int W, int ML, int MR, int SW, const TAxisRange &R) {
  return TAxisMap{R, CalcHorizontalFactors(W, ML, MR, SW, R), R.High >= R.Low ? 0 : W};
}

TAxisMap VerticalAxisMap(int H, int MT, int MB, int SW, const TAxisRange &R) {
  return TAxisMap{R, CalcVerticalFactors(H, MT, MB, SW, R), R.High >= R.Low ? H : 0};
}
