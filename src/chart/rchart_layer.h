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
