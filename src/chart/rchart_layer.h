#pragma once
// Internal: what the chart keeps per layer. Included only by the chart's own
// source files.
#include "axes/scale.h"
#include "chart/rchart.h"

#include <cmath>

/// Saves a flag, sets it, and puts the saved value back on every exit.
class TSuspendScope {
public:
  explicit TSuspendScope(bool &Flag, bool Saved) : flag_(Flag), saved_(Saved) { flag_ = true; }
  ~TSuspendScope() { flag_ = saved_; }
  TSuspendScope(const TSuspendScope &) = delete;
  TSuspendScope &operator=(const TSuspendScope &) = delete;

private:
  bool &flag_;
  bool saved_;
};

/// A batch update of the chart: saves PaintSuspended and sets it; Finish
/// restores the saved value, and the chart paints when that clears it. When
/// the batch is left by an exception the flag is restored all the same and
/// the picture is only marked stale, so painting never stays suspended.
class TCustomRChart::TPaintBatch {
public:
  explicit TPaintBatch(TCustomRChart &Chart) : chart_(Chart), saved_(Chart.PaintSuspended()) {
    chart_.paintSuspended_ = true;
  }
  ~TPaintBatch() {
    if (done_) return;
    chart_.paintSuspended_ = saved_;
    if (!saved_) chart_.Invalidate();
  }
  void Finish() {
    if (done_) return;
    done_ = true;
    chart_.SetPaintSuspended(saved_);
  }
  TPaintBatch(const TPaintBatch &) = delete;
  TPaintBatch &operator=(const TPaintBatch &) = delete;

private:
  TCustomRChart &chart_;
  bool saved_;
  bool done_ = false;
};

struct TCustomRChart::Layer {
  Layer();
  ~Layer();
  std::unique_ptr<TScalePropsHoriz> PropsX;
  std::unique_ptr<TScalePropsVert> PropsY;
  std::unique_ptr<TScale> ScaleX;
  std::unique_ptr<TScale> ScaleY;
  /// The maps of the data; the internal scales draw their ticks through copies.
  TAxisMap MapX;
  TAxisMap MapY;
};

/// One axis of a layer mapped for a pass over many items: the same pixels as
/// MapWorld, with the common case worked out in double precision. Where the
/// double result lies too close to a rounding boundary for its error bound to
/// decide the pixel (or the axis is logarithmic, or the value far off), the
/// exact MapWorld decides.
struct TAxisPixelMap {
  TAxisFactors F;
  TAxisRange R;
  int LowEdge = 0;
  bool Linear = false; // false: always MapWorld
  double Factor = 0, Offset = 0;
  // Both the double and the extended result lie within a few units in the
  // last place of the largest term, which is below 1e9 + 2 |Offset| wherever
  // the double path is taken; 2^-40 of that bound is far more than enough.
  double Margin = 0;

  TAxisPixelMap() = default;
  TAxisPixelMap(const TAxisFactors &Factors, const TAxisRange &Range, int Edge);
  int Pixel(double V) const {
    if (Linear) {
      const double d = Factor * V + Offset;
      // Adding and taking away 1.5 * 2^52 rounds to the nearest integer
      // (ties to even) for every |d| below 2^51; d - r is then exact.
      const double r = (d + 0x1.8p52) - 0x1.8p52;
      if (std::fabs(d - r) < 0.5 - Margin && std::fabs(d) < 1e9) return int(r);
    }
    return MapWorld(F, R, V, LowEdge);
  }
};

/// Both axes of a layer (see TAxisPixelMap).
struct TLayerPixelMap {
  TAxisPixelMap X, Y;
};
