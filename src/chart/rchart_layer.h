#pragma once
// Internal: what the chart keeps per layer. Included only by the chart's own
// source files.
#include "axes/scale.h"
#include "chart/rchart.h"

struct TCustomRChart::Layer {
  Layer();
  ~Layer();
  std::unique_ptr<TScalePropsHoriz> PropsX;
  std::unique_ptr<TScalePropsVert> PropsY;
  std::unique_ptr<TScale> ScaleX;
  std::unique_ptr<TScale> ScaleY;
  TAxisFactors FX; // horizontal mapping
  TAxisFactors FY; // vertical mapping
};
