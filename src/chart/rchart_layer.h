#pragma once
// Internal: what the chart keeps per layer. Included only by the chart's own
// source files.
#include "axes/scale.h"
#include "chart/rchart.h"

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
