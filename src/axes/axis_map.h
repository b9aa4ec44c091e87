#pragma once
// The map of one axis from world values to pixels, held as one value that the
// axis's ticks and the data drawn against it share. A chart derives one map per
// axis and layer from its size, margins, shadow and the axis range, maps its
// data through it and hands it to the scale that draws the axis, so ticks sit
// on the data by construction. A stand-alone scale maps with factors of its
// own (scale_geometry.h).

/// Smallest value a logarithmic axis maps to a pixel of its own and accepts as
/// a range end; values at or below it go to the axis's low edge.
inline constexpr double LogFloor = 1e-100;

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
  /// True while a logarithmic axis has an end below LogFloor: such an axis
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

/// Pixel of world value V. On a logarithmic axis a value at or below LogFloor
/// gives LowEdge (the control edge on the axis's low side).
int MapWorld(const TAxisFactors &F, const TAxisRange &R, double V, int LowEdge);

/// World value of pixel P; the inverse of MapWorld (no limiting).
double MapPixel(const TAxisFactors &F, const TAxisRange &R, int P);

/// One axis's map as a value: the range it was derived from, its factors and
/// the pixel that values at or below LogFloor take on a logarithmic axis.
struct TAxisMap {
  TAxisRange Range;
  TAxisFactors Factors;
  int LowEdge = 0;

  int ToPixel(double V) const { return MapWorld(Factors, Range, V, LowEdge); }
  double ToWorld(int P) const { return MapPixel(Factors, Range, P); }
};

/// Map of a horizontal axis of a W pixels wide control over the data area
/// ML ... W - MR - SW. The low edge is x = 0, or x = W on a reversed axis.
TAxisMap HorizontalAxisMap(int W, int ML, int MR, int SW, const TAxisRange &R);

/// Map of a vertical axis of an H pixels high control over the data area
/// MT ... H - MB - SW. The low edge is y = H, or y = 0 on a reversed axis.
TAxisMap VerticalAxisMap(int H, int MT, int MB, int SW, const TAxisRange &R);
