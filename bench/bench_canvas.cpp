// Drawing speed of the canvas: the chart flushes curves as 200-point polylines.
#include "platform/bitmap.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

namespace {

std::vector<TPoint> Curve(int count) {
  std::vector<TPoint> pts;
  pts.reserve(std::size_t(count));
  for (int i = 0; i < count; ++i)
    pts.push_back({i * 4, 300 + int(std::lround(250 * std::sin(i * 0.05)))});
  return pts;
}

void BM_Polyline200(benchmark::State &state) {
  TBitmap bitmap(800, 600);
  TCanvas &canvas = bitmap.Canvas();
  canvas.Pen().SetColor(clRed);
  canvas.Pen().SetStyle(TPenStyle(state.range(0)));
  const std::vector<TPoint> pts = Curve(200);
  for (auto _ : state) {
    canvas.Polyline(pts.data(), int(pts.size()));
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * 200);
}
BENCHMARK(BM_Polyline200)->Arg(psSolid)->Arg(psDot);

void BM_Polyline200Wide(benchmark::State &state) {
  TBitmap bitmap(800, 600);
  TCanvas &canvas = bitmap.Canvas();
  canvas.Pen().SetWidth(2);
  const std::vector<TPoint> pts = Curve(200);
  for (auto _ : state) {
    canvas.Polyline(pts.data(), int(pts.size()));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_Polyline200Wide);

void BM_FillRect800x600(benchmark::State &state) {
  TBitmap bitmap(800, 600);
  TCanvas &canvas = bitmap.Canvas();
  canvas.Brush().SetColor(clBtnFace);
  for (auto _ : state) {
    canvas.FillRect(Rect(0, 0, 800, 600));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FillRect800x600);

void BM_TextOut(benchmark::State &state) {
  TBitmap bitmap(800, 600);
  TCanvas &canvas = bitmap.Canvas();
  canvas.Brush().SetStyle(bsClear);
  for (auto _ : state) {
    canvas.TextOut(100, 100, "4.70k");
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_TextOut);

} // namespace
