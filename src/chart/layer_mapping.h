#pragma once
// The pure arithmetic of a chart layer's world-to-pixel mapping: one factor
// and offset per direction, derived from the control size, margins, shadow and
// the axis range. The chart keeps one pair per layer and recomputes them
// whenever any of those inputs changes.

/// What the mapping of one axis reads from its axis object.
struct TAxisRange {
  double Low = 0;
  double High = 1;
  bool Logarithmic = false;
};

/// Pixel = Factor * value (or ln value) + Offset, in extended precision.
struct TAxisFactors {
  long double Factor = 0;
  long double Offset = 0;
  /// True while a logarithmic axis has an end at or below 1e-100: such an axis
  /// (only a form can produce it) is mapped linearly over its range until its
  /// range becomes positive, so the data stays visible instead of failing.
  bool LinearFallback = false;
};

/// Horizontal factors: RangeLow lands on x = ML, RangeHigh on x = W - MR - SW.
/// A data area without extent maps every value to W/2.
TAxisFactors CalcHorizontalFactors(int W, int ML, int MR, int SW, const TAxisRange &R);

/// Vertical factors: RangeHigh lands on y = MT, RangeLow on y = H - MB - SW.
/// A data area without extent maps every value to H/2.
TAxisFactors CalcVerticalFactors(int H, int MT, int MB, int SW, const TAxisRange &R);

/// Limits V to +-2147483647 and rounds to the nearest integer, ties to even.
/// A value that is not a number gives 0.
int RoundPixel(long double V);

/// Pixel of world value V. On a logarithmic axis a value at or below 1e-100
/// gives LowEdge (the control edge on the axis's low side).
int MapWorld(const TAxisFactors &F, const TAxisRange &R, double V, int LowEdge);

/// World value of pixel P; the inverse of MapWorld (no limiting).
double MapPixel(const TAxisFactors &F, const TAxisRange &R, int P);
