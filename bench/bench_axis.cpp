// Drawing one 0 .. 10000 axis with labels: the tick computation alone, the
// transparent drawing onto a bitmap, and the full opaque paint of a scale
// (background, axis, frame, copy to the target).
#include "axes/axis_painter.h"
#include "axes/scale.h"
#include "platform/bitmap.h"

#include <benchmark/benchmark.h>

namespace {

TScaleState AxisState() {
  TScaleState s;
  s.ScaleType = sctXT;
  s.Width = 600;
  s.Height = 60;
  s.RangeLow = 0;
  s.RangeHigh = 10000;
  CalcScaleFactors(s);
  return s;
}

void BM_ComputeTicks(benchmark::State &state) {
  const TScaleState s = AxisState();
  std::vector<TTick> ticks;
  for (auto _ : state) {
    ComputeTicks(s, ticks);
    benchmark::DoNotOptimize(ticks.data());
  }
}
BENCHMARK(BM_ComputeTicks);

void BM_DrawAxisTransparent(benchmark::State &state) {
  const TScaleState s = AxisState();
  TAxisLook look;
  look.Transparent = true;
  look.Caption = "nm";
  TBitmap bmp(600, 60);
  TTickPositions positions;
  std::vector<TTick> scratch;
  const TAxisDrawContext ctx{nullptr, nullptr, &positions, &scratch};
  for (auto _ : state) {
    DrawAxis(bmp.Canvas(), s, look, {0, 0}, ctx);
    benchmark::DoNotOptimize(positions.Count);
  }
}
BENCHMARK(BM_DrawAxisTransparent);

void BM_ScaleOpaquePaint(benchmark::State &state) {
  TScale scale(nullptr);
  scale.SetBounds(0, 0, 600, 60);
  scale.SetScaleType(sctXT);
  scale.SetRangeHigh(10000);
  scale.SetCaption("nm");
  TBitmap bmp(600, 60);
  scale.SetTargetCanvas(&bmp.Canvas(), 0, 0);
  for (auto _ : state) {
    scale.ForcePaint();
    benchmark::DoNotOptimize(scale.NumTicks());
  }
}
BENCHMARK(BM_ScaleOpaquePaint);

} // namespace
