// A temperature step with the window's tools at work (automatic fit of the
// energy axis on, the hover read-out showing under a resting mouse) against
// the step as the window took it before the tools: the described handler's
// read-outs and composition alone. Both run on one window, in interleaved
// rounds, so a busy machine slows both alike; the counters give each side's
// median step and the spread between its quartiles, in milliseconds, and
// the ratio of the medians.
#include "chart/rchart.h"
#include "hostlink/demon_client.h"
#include "localisation/tolkar2000.h"
#include "platform/application.h"
#include "simulation/main_window.h"
#include "simulation/main_window_tools.h"
#include "simulation/plot_composer.h"
#include "widgets/num_lab.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

/// The temperature step as the described handler takes it, without tools:
/// the scroll bar moves (its own handler detached), then the handler's work.
void PlainStep(TfrmExample &w, int T) {
  TNotifyEvent handler = std::move(w.SBTemperature->OnChange);
  w.SBTemperature->OnChange = nullptr;
  w.SBTemperature->SetPosition(T);
  w.SBTemperature->OnChange = std::move(handler);
  w.BButAdd->SetEnabled(true);
  w.NLTemperature->SetValue(T);
  w.NLPeakAt->SetValue(PeakWavelength(unsigned(T)) * 1e9);
  TPlotInputs in;
  in.Temperature = std::uint16_t(T);
  in.Snapshots = w.Snapshots;
  in.ShowPeakCurve = w.CBPeakCurve->Checked();
  in.ShowBand = w.CBoxVisRange->Checked();
  in.LogScale = w.CBLogScale->Checked();
  in.YLow = w.RCChart->Scale1Y()->RangeLow();
  in.YHigh = w.RCChart->Scale1Y()->RangeHigh();
  in.BandText = w.cliDemon->Translator()->Translate("visible light");
  in.LabelFormat = w.cliDemon->TranslateText("%d K");
  ComposePlot(*w.RCChart, in, w.PeakTable);
}

double Quantile(std::vector<double> V, double Q) {
  std::sort(V.begin(), V.end());
  return V[std::size_t(Q * double(V.size() - 1) + 0.5)];
}

double Ms(Clock::duration D) {
  return std::chrono::duration<double, std::milli>(D).count();
}

void BM_TemperatureStepWithTools(benchmark::State &state) {
  auto *w = new TfrmExample(nullptr);
  w->Show();
  Application->ProcessMessages();
  TMainWindowTools &tools = *w->Tools();
  const int rounds = int(state.range(0)), perRound = 10;
  std::vector<double> plain, withTools;
  for (auto _ : state) {
    plain.clear();
    withTools.clear();
    int t = 5000;
    for (int r = 0; r < rounds; ++r) {
      // The plain side: no automatic fit, no mouse over the chart.
      tools.SetAutoFit(false);
      w->RCChart->MouseLeave();
      for (int i = 0; i < perRound; ++i) {
        t = t == 5000 ? 5001 : 5000;
        const Clock::time_point a = Clock::now();
        PlainStep(*w, t);
        plain.push_back(Ms(Clock::now() - a));
      }
      // The tools' side: automatic fit on, the read-out under the mouse.
      tools.SetAutoFit(true);
      const TDataArea area = DataAreaOf(w->RCChart->Rim());
      w->RCChart->MouseMove({}, (area.Left + area.Right) / 2, (area.Top + area.Bottom) / 2);
      for (int i = 0; i < perRound; ++i) {
        t = t == 5000 ? 5001 : 5000;
        const Clock::time_point a = Clock::now();
        w->SBTemperature->SetPosition(t);
        withTools.push_back(Ms(Clock::now() - a));
      }
    }
  }
  if (!tools.Hover().Visible || !tools.AutoFit()) state.SkipWithError("the tools were not at work");
  const double p50 = Quantile(plain, 0.5), t50 = Quantile(withTools, 0.5);
  state.counters["plain_median_ms"] = p50;
  state.counters["plain_iqr_ms"] = Quantile(plain, 0.75) - Quantile(plain, 0.25);
  state.counters["tools_median_ms"] = t50;
  state.counters["tools_iqr_ms"] = Quantile(withTools, 0.75) - Quantile(withTools, 0.25);
  state.counters["ratio"] = t50 / p50;
  w->Free();
}
BENCHMARK(BM_TemperatureStepWithTools)->Arg(40)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
