// Formatting speed of the numeric label's prefix format.
#include "support/number_format.h"

#include <benchmark/benchmark.h>

namespace {

void BM_FormatWithPrefix(benchmark::State &state) {
  const double values[] = {4700, 0.0047, -470000, 4.7, 1e15, 3.3e-20, 0};
  const int digits = int(state.range(0));
  for (auto _ : state)
    for (double v : values)
      benchmark::DoNotOptimize(FormatWithPrefix(digits, v));
  state.SetItemsProcessed(state.iterations() * 7);
}
BENCHMARK(BM_FormatWithPrefix)->Arg(3)->Arg(-3);

} // namespace
