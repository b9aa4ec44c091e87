// Layer coupling of the chart: the range copy of a join and the range update
// with coupling that axis changes and mouse gestures go through.
#include "chart/rchart_layer.h"

void TCustomRChart::JoinRange(TJointAxis Axis, int Layer, int Controller) {
  // While a form is read the ranges are not final; Loaded brings every joined
  // layer to its controller's range.
  if (IsLoading()) return;
  const TCustomRChart::Layer &own = LayerAt(Layer);
  const TCustomRChart::Layer &src = LayerAt(Controller);
  const TScaleProps &px = Axis == jaX ? *src.PropsX : *own.PropsX;
  const TScaleProps &py = Axis == jaY ? *src.PropsY : *own.PropsY;
  // The plain range update: the copied range shows with the repaint request
  // that follows the join, so with AutoRedraw only.
  TSuspendScope applying(applyingAxes_, applyingAxes_);
  LayerRangeUpdate(Layer, px.RangeLow(), px.RangeHigh(), py.RangeLow(), py.RangeHigh());
}

void TCustomRChart::CoupledRangeUpdate(int N, double XLo, double XHi, double YLo, double YHi) {
  if (N < 1 || N > ChartLayerCount) return;
  TPaintBatch batch(*this);
  {
    // The ranges written below report back as axis changes; this update is
    // the reaction to them.
    TSuspendScope applying(applyingAxes_, applyingAxes_);
    const Layer &layer = LayerAt(N);
    // A slaved axis cannot be moved on its own.
    if (joints_->ControlledBy(jaX, N) != N) {
      XLo = layer.PropsX->RangeLow();
      XHi = layer.PropsX->RangeHigh();
    }
    if (joints_->ControlledBy(jaY, N) != N) {
      YLo = layer.PropsY->RangeLow();
      YHi = layer.PropsY->RangeHigh();
    }
    LayerRangeUpdate(N, XLo, XHi, YLo, YHi);
    for (int i = 1; i <= ChartLayerCount; ++i) {
      if (i == N) continue;
      const int cx = joints_->ControlledBy(jaX, i), cy = joints_->ControlledBy(jaY, i);
      if (cx != N && cy != N) continue;
      const TScaleProps &px = *LayerAt(cx).PropsX;
      const TScaleProps &py = *LayerAt(cy).PropsY;
      LayerRangeUpdate(i, px.RangeLow(), px.RangeHigh(), py.RangeLow(), py.RangeHigh());
    }
  }
  batch.Finish();
}

void TCustomRChart::SyncJoinedRanges() {
  TSuspendScope suspend(paintSuspended_, PaintSuspended());
  for (int n = 1; n <= ChartLayerCount; ++n) {
    const Layer &layer = LayerAt(n);
    CoupledRangeUpdate(n, layer.PropsX->RangeLow(), layer.PropsX->RangeHigh(),
                       layer.PropsY->RangeLow(), layer.PropsY->RangeHigh());
  }
}
