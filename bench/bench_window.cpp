// The main window at work, offscreen: one step of the temperature scroll bar
// in the heaviest state (20 snapshots, the band and the peak curve), from the
// position change to the finished full paint of the chart; and the creation
// of the window from its description through FormCreate and its first paint.
#include "chart/rchart.h"
#include "platform/application.h"
#include "simulation/main_window.h"

#include <benchmark/benchmark.h>

namespace {

/// Shows the window and brings its chart's first full paint about: the
/// offscreen platform delivers no paint events while nothing flushes the
/// screen, so a chart that has not painted yet is asked to.
bool ShowAndPaint(TfrmExample &w) {
  w.Show();
  Application->ProcessMessages();
  if (w.RCChart->PaintCount() == 0) w.RCChart->Repaint();
  return w.RCChart->PaintCount() > 0;
}

void BM_TemperatureStepHeaviest(benchmark::State &state) {
  auto *w = new TfrmExample(nullptr);
  if (!ShowAndPaint(*w)) {
    state.SkipWithError("the chart never painted");
    w->Free();
    return;
  }
  for (int T = 500; T <= 10000 && w->Snapshots.size() < MaxSnapshots; T += 450) {
    w->SBTemperature->SetPosition(T);
    w->BButAdd->PerformClick();
  }
  w->CBoxVisRange->SetChecked(true);
  w->CBPeakCurve->SetChecked(true);
  if (w->Snapshots.size() != MaxSnapshots) {
    state.SkipWithError("snapshots missing");
    w->Free();
    return;
  }
  int position = 5000;
  const int paintsBefore = w->RCChart->PaintCount();
  for (auto _ : state) {
    // Each step a temperature not composed recently, as a drag of the bar
    // gives: the current curve is evaluated every time.
    position = position >= 5999 ? 5000 : position + 1;
    // The change handler composes the picture; ShowGraph paints the whole
    // chart synchronously because AutoRedraw is off.
    w->SBTemperature->SetPosition(position);
  }
  const int paints = w->RCChart->PaintCount() - paintsBefore;
  if (paints < int(state.iterations())) state.SkipWithError("a step did not paint the chart");
  state.counters["items"] = double(w->RCChart->ItemCount());
  w->Free();
}
BENCHMARK(BM_TemperatureStepHeaviest)->Unit(benchmark::kMillisecond);

void BM_CreateMainWindowToFirstPaint(benchmark::State &state) {
  for (auto _ : state) {
    auto *w = new TfrmExample(nullptr);
    const bool painted = ShowAndPaint(*w);
    state.PauseTiming();
    w->Free();
    if (!painted) {
      state.SkipWithError("the chart never painted");
      break;
    }
    state.ResumeTiming();
  }
}
BENCHMARK(BM_CreateMainWindowToFirstPaint)->Unit(benchmark::kMillisecond);

} // namespace
