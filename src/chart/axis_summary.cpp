// The chart's shown axes as data, and what the chart tells a screen reader.
#include "chart/axis_summary.h"

#include "chart/rchart.h"

namespace {

TAxisSummary Summary(int Layer, bool Horizontal, const TScaleProps &Props) {
  TAxisSummary s;
  s.Layer = Layer;
  s.Horizontal = Horizontal;
  s.Caption = Props.Caption();
  s.Low = Props.RangeLow();
  s.High = Props.RangeHigh();
  s.Logarithmic = Props.Logarithmic();
  return s;
}

} // namespace

std::vector<TAxisSummary> SummarizeAxes(const TCustomRChart &Chart) {
  std::vector<TAxisSummary> out;
  for (int layer = 1; layer <= ChartLayerCount; ++layer) {
    if (const TScaleProps *x = Chart.ScaleX(layer); x && x->Visible())
      out.push_back(Summary(layer, true, *x));
    if (const TScaleProps *y = Chart.ScaleY(layer); y && y->Visible())
      out.push_back(Summary(layer, false, *y));
  }
  return out;
}

void TCustomRChart::DescribeAccessible(TAccessibleInfo &Info) const {
  TCustomControl::DescribeAccessible(Info);
  // What the picture shows is the program's to say (AccessibleDescription);
  // the chart itself is one object, its axes and items are not read singly.
  Info.Role = arChart;
}
