// The grid over the data background, laid out by GridDx / GridDy on the axes
// of layer 1.
#include "axes/scale.h"
#include "chart/rchart_layer.h"
#include "platform/canvas.h"

#include <algorithm>

void TCustomRChart::LayerGridValues(bool Horizontal, std::vector<double> &Out) const {
  const Layer &layer = LayerAt(1);
  const TScaleProps &props =
      Horizontal ? static_cast<const TScaleProps &>(*layer.PropsX) : *layer.PropsY;
  const TScale &scale = Horizontal ? *layer.ScaleX : *layer.ScaleY;
  // The ticks the axis recorded when it was last drawn.
  std::array<double, MaxTickPositions> ticks{};
  const int tickCount = std::min(scale.NumTicks(), MaxTickPositions);
  for (int k = 0; k < tickCount; ++k)
    ticks[std::size_t(k)] = scale.TickPosition(k + 1);
  TGridAxis a;
  a.Low = std::min(props.RangeLow(), props.RangeHigh());
  a.High = std::max(props.RangeLow(), props.RangeHigh());
  a.Logarithmic = props.Logarithmic();
  a.D = Horizontal ? gridDx_ : gridDy_;
  a.Ticks = ticks.data();
  a.TickCount = tickCount;
  GridValues(a, Out);
}

void TCustomRChart::DrawGridLines(TCanvas &C, bool Vertical, bool Dotted) {
  const std::vector<double> &values = Vertical ? gridX_ : gridY_;
  const TScaleProps &px = *ScaleX(1), &py = *ScaleY(1);
  const double xl = std::min(px.RangeLow(), px.RangeHigh());
  const double xh = std::max(px.RangeLow(), px.RangeHigh());
  const double yl = std::min(py.RangeLow(), py.RangeHigh());
  const double yh = std::max(py.RangeLow(), py.RangeHigh());
  if (Dotted) C.Pen().SetStyle(psDot);
  for (double v : values) {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (Vertical) {
      WorldToPixel(1, v, yl, x1, y1);
      WorldToPixel(1, v, yh, x2, y2);
    } else {
      WorldToPixel(1, xl, v, x1, y1);
      WorldToPixel(1, xh, v, x2, y2);
    }
    const TPoint a = DataPixel(x1, y1), b = DataPixel(x2, y2);
    C.MoveTo(a.X, a.Y);
    C.LineTo(b.X, b.Y);
  }
  if (Dotted) C.Pen().SetStyle(psSolid);
}

void TCustomRChart::DrawGrid(TCanvas &C) {
  C.Brush().SetColor(chartColor_);
  C.Pen().SetColor(gridColor_);
  C.Pen().SetStyle(psSolid);
  const GridStyleType s = gridStyle_;
  const bool vertical =
      s == gsPoints || s == gsVertLines || s == gsVertDotLines || s == gsLines || s == gsDotLines;
  const bool horizontal =
      s == gsPoints || s == gsHorizLines || s == gsHorizDotLines || s == gsLines || s == gsDotLines;
  if (vertical) LayerGridValues(true, gridX_);
  if (horizontal) LayerGridValues(false, gridY_);

  if (s == gsPoints) {
    int drawn = 0;
    for (double x : gridX_)
      for (double y : gridY_) {
        if (drawn++ >= MaxGridLines) return;
        int px = 0, py = 0;
        WorldToPixel(1, x, y, px, py);
        const TPoint p = DataPixel(px, py);
        C.SetPixels(p.X, p.Y, gridColor_);
      }
    return;
  }
  const bool dotted = s == gsVertDotLines || s == gsHorizDotLines || s == gsDotLines;
  if (vertical) DrawGridLines(C, true, dotted);
  if (horizontal) DrawGridLines(C, false, dotted);
}
