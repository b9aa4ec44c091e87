// Side-by-side benchmark of the chart against its peers on the same picture:
// the chart's Repaint, the floor (plain QPainter replaying the very calls the
// chart makes) and QCustomPlot when it was found at build time. Every size is
// measured in interleaved rounds (chart, floor, QCustomPlot, chart, ...) so
// that the noise of a shared machine hits all contenders alike; the table
// gives the medians of CPU time per frame and their ratios, and how steady
// single frames are (fastest, median, 90th percentile). Then one temperature
// step of the simulation in its heaviest state against QCustomPlot's.
//
//   bench_peers [--rounds N] [--only CURVESxPOINTS]   the frame table, the step
//   bench_peers --who MASK (1 chart, 2 floor, 4 QCP, 8 reference; for profiling one)
//   bench_peers --step-only | --no-step               one of the two
//   bench_peers --frames                              every single frame too
//   bench_peers --cold                                caches flushed before each frame
//   bench_peers --startup                             window creation and
//                                                     whole-process CPU and memory
//   bench_peers --dump DIR                            the chart's pictures as PNG
//   bench_peers --qcp-picture FILE.png                (used by --startup)
#include "peer_chart.h"

#include <QApplication>
#include <QImage>

#include <sched.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#ifndef SPECTRION_PLOT_TOOL
#define SPECTRION_PLOT_TOOL ""
#endif

namespace {

double ThreadCpuMicros() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e6 + double(t.tv_nsec) / 1e3;
}

// Times the scheduler took this thread off its processor against its will.
long InvoluntarySwitches() {
  rusage u{};
  getrusage(RUSAGE_THREAD, &u);
  return u.ru_nivcsw;
}

// Page faults of this thread so far (fresh pages of new memory fault once each).
long PageFaults() {
  rusage u{};
  getrusage(RUSAGE_THREAD, &u);
  return u.ru_minflt + u.ru_majflt;
}

double Median(std::vector<double> V) {
  std::sort(V.begin(), V.end());
  const std::size_t n = V.size();
  return n == 0 ? 0 : (n % 2 ? V[n / 2] : (V[n / 2 - 1] + V[n / 2]) / 2);
}

// The P-th percentile (0 ... 100) by the nearest rank; 0 for no samples.
double Percentile(std::vector<double> V, double P) {
  if (V.empty()) return 0;
  std::sort(V.begin(), V.end());
  const auto rank = std::size_t(std::ceil(P / 100 * double(V.size())));
  return V[std::clamp<std::size_t>(rank, 1, V.size()) - 1];
}

// Frames in a run: how steady frames are is judged within runs of this many
// consecutive frames of one contender, so that the machine's slower and
// faster stretches (seconds apart) do not count as unsteady frames.
constexpr int kRunFrames = 30;

// Every frame of a contender at one size, each timed on its own, and the
// CPU microseconds per frame of each round.
struct TSamples {
  std::vector<double> Frames, Rounds;
  std::vector<double> RunSpreads; // p90 / fastest of each run of kRunFrames
  std::vector<bool> Preempted; // the thread was switched out during the frame
  std::vector<long> Faults;    // page faults during the frame
  std::vector<int> Cpu;        // the processor the frame ended on
  double RoundMedian() const { return Median(Rounds); }
  double Fastest() const {
    return Frames.empty() ? 0 : *std::min_element(Frames.begin(), Frames.end());
  }
  double Spread() const { return Fastest() > 0 ? Percentile(Frames, 90) / Fastest() : 0; }
  // The median and the largest of the runs' spreads.
  double RunSpread() const { return Median(RunSpreads); }
  double WorstRunSpread() const {
    return RunSpreads.empty() ? 0 : *std::max_element(RunSpreads.begin(), RunSpreads.end());
  }
};

// The spreads of the runs of consecutive frames First ... end of S.Frames:
// runs of kRunFrames, the frames left over joining the last run.
void AddRunSpreads(TSamples &S, std::size_t First) {
  const std::size_t n = S.Frames.size() - First, runs = n / kRunFrames;
  for (std::size_t r = 0; r < runs; ++r) {
    const auto begin = S.Frames.begin() + std::ptrdiff_t(First + r * kRunFrames);
    const auto end = r + 1 == runs ? S.Frames.end() : begin + kRunFrames;
    const std::vector<double> run(begin, end);
    const double fastest = *std::min_element(run.begin(), run.end());
    S.RunSpreads.push_back(fastest > 0 ? Percentile(run, 90) / fastest : 0);
  }
}

// The machine's own steadiness, for scale: a frame of fixed work that
// depends on nothing but the processor and memory (pixels of an 800 x 600
// picture written and read back), as long as the chart's fastest frame of
// the size. Its spread is what the machine adds to any frame of that length.
class TReferenceContender : public TPeerContender {
public:
  void SetWork(std::size_t Pixels) { work_ = std::max<std::size_t>(Pixels, 1); }
  void Frame() override {
    std::uint32_t sum = 0;
    for (std::size_t left = work_, pass = 0; left > 0; ++pass) {
      const std::size_t n = std::min(left, pixels_.size());
      std::fill_n(pixels_.begin(), n, std::uint32_t(0xFF000000u + pass));
      for (std::size_t i = 0; i < n; ++i)
        sum += pixels_[i];
      left -= n;
    }
    sink_ = sum;
  }
  QImage Picture() const override { return QImage(); }

private:
  std::vector<std::uint32_t> pixels_ = std::vector<std::uint32_t>(800 * 600);
  std::size_t work_ = 800 * 600;
  volatile std::uint32_t sink_ = 0;
};

// With --cold every frame starts on caches that hold none of its data: a
// buffer far larger than the last-level cache is written between frames,
// outside the timed part. Shows how much a frame owes to what the caches kept.
bool g_cold = false;

void EvictCaches() {
  static std::vector<unsigned char> junk(std::size_t(96) << 20);
  static unsigned char round = 0;
  ++round;
  for (std::size_t i = 0; i < junk.size(); i += 64)
    junk[i] = round;
}

// One round: frames until about Budget µs have passed, at least MinFrames.
void TimeRound(TPeerContender &C, double Budget, int MinFrames, TSamples &S) {
  const std::size_t first = S.Frames.size();
  int frames = 0;
  double spent = 0;
  do {
    if (g_cold) EvictCaches();
    const long switches = InvoluntarySwitches(), faults = PageFaults();
    const double t0 = ThreadCpuMicros();
    C.Frame();
    const double t = ThreadCpuMicros() - t0;
    ++frames;
    S.Frames.push_back(t);
    S.Preempted.push_back(InvoluntarySwitches() != switches);
    S.Faults.push_back(PageFaults() - faults);
    S.Cpu.push_back(sched_getcpu());
    spent += t;
  } while (spent < Budget || frames < MinFrames);
  S.Rounds.push_back(spent / frames);
  AddRunSpreads(S, first);
}

// Which contenders take part (for profiling one alone): bit 0 chart, 1 floor,
// 2 QCP, 3 the machine's reference.
int g_who = 15;

// The contenders of one size in interleaved rounds, each round at least one
// run of consecutive frames.
std::vector<TSamples> RunRounds(const std::vector<std::unique_ptr<TPeerContender>> &Who,
                                int Rounds) {
  std::vector<TSamples> t(Who.size());
  for (int r = 0; r < Rounds; ++r)
    for (std::size_t i = 0; i < Who.size(); ++i)
      if (Who[i]) TimeRound(*Who[i], 30000, kRunFrames, t[i]);
  return t;
}

void PrintFrames(const char *Who, const TSamples &S) {
  std::printf("%s frames (us; @N processor N, * preempted, /N page faults):", Who);
  for (std::size_t i = 0; i < S.Frames.size(); ++i) {
    std::printf(" %.0f@%d%s", S.Frames[i], S.Cpu[i], S.Preempted[i] ? "*" : "");
    if (S.Faults[i]) std::printf("/%ld", S.Faults[i]);
  }
  std::printf("\n");
}

// The fastest of a few frames of C, in CPU microseconds.
double FastestOf(TPeerContender &C, int Frames) {
  double best = 0;
  for (int i = 0; i < Frames; ++i) {
    const double t0 = ThreadCpuMicros();
    C.Frame();
    const double t = ThreadCpuMicros() - t0;
    best = i == 0 ? t : std::min(best, t);
  }
  return best;
}

// Gives the reference as much work as a chart frame takes (both warmed up).
void MatchReference(TPeerContender &Chart, TReferenceContender &Ref) {
  const double chart = FastestOf(Chart, 9);
  const std::size_t picture = 800 * 600;
  Ref.SetWork(picture);
  const double ref = FastestOf(Ref, 9);
  if (chart > 0 && ref > 0) Ref.SetWork(std::size_t(double(picture) * chart / ref));
}

void FrameTable(int Rounds, int OnlyCurves, int OnlyPoints, bool ListFrames) {
  const std::string qcp = QcpVersion();
  std::printf("CPU time per frame (us): median of %d interleaved rounds; over all single frames "
              "the fastest, median and 90th percentile and p90/fastest; 'run': p90/fastest "
              "within each run of %d consecutive frames, median and worst of the runs; 'ref': "
              "the same for fixed work (the machine's own spread)\n",
              Rounds, kRunFrames);
  std::printf("%15s | %-23s | %-13s | %-41s | %-27s | %-27s\n", "", "median of rounds", "ratios",
              "chart, single frames", qcp.empty() ? "(no QCP)" : "QCP, single frames", "ref, fixed work");
  std::printf("%6s %8s | %7s %7s %7s | %6s %6s | %6s %6s %6s %6s %6s %6s | %6s %6s %6s %6s | %6s "
              "%6s %6s %6s\n",
              "curves", "points", "chart", "floor", "QCP", "ch/flr", "ch/QCP", "min", "p50", "p90",
              "p90/mn", "run", "worst", "min", "p90", "p90/mn", "run", "min", "p90/mn", "run",
              "worst");
  for (int points : {198, 2000, 20000})
    for (int curves : {1, 5, 10, 21}) {
      if (OnlyCurves && (curves != OnlyCurves || points != OnlyPoints)) continue;
      const TPeerScene scene = MakePeerScene(curves, points);
      std::vector<std::unique_ptr<TPeerContender>> who;
      who.push_back(g_who & 1 ? MakeChartContender(scene) : nullptr);
      who.push_back(g_who & 2 ? MakeFloorContender(scene) : nullptr);
      who.push_back(g_who & 4 ? MakeQcpContender(scene) : nullptr);
      if (g_who & 8) {
        auto ref = std::make_unique<TReferenceContender>();
        if (who[0]) MatchReference(*who[0], *ref);
        who.push_back(std::move(ref));
      } else {
        who.push_back(nullptr);
      }
      const std::vector<TSamples> t = RunRounds(who, Rounds);
      const double chart = t[0].RoundMedian(), floor = t[1].RoundMedian(), q = t[2].RoundMedian();
      const auto ratio = [](double A, double B) { return A > 0 && B > 0 ? A / B : 0.0; };
      std::printf("%6d %8d | %7.0f %7.0f %7.0f | %6.2f %6.2f | %6.0f %6.0f %6.0f %6.2f %6.2f %6.2f | "
                  "%6.0f %6.0f %6.2f %6.2f | %6.0f %6.2f %6.2f %6.2f\n",
                  curves, points, chart, floor, q, ratio(chart, floor), ratio(chart, q),
                  t[0].Fastest(), Percentile(t[0].Frames, 50), Percentile(t[0].Frames, 90),
                  t[0].Spread(), t[0].RunSpread(), t[0].WorstRunSpread(), t[2].Fastest(),
                  Percentile(t[2].Frames, 90), t[2].Spread(), t[2].RunSpread(), t[3].Fastest(),
                  t[3].Spread(), t[3].RunSpread(), t[3].WorstRunSpread());
      if (ListFrames) {
        PrintFrames("chart", t[0]);
        if (who[2]) PrintFrames("QCP", t[2]);
      }
      std::fflush(stdout);
    }
}

// One temperature step in the heaviest state, the chart against QCustomPlot.
void StepTable(int Rounds, bool ListFrames) {
  const TPeerScene scene = MakePeerScene(21, 198);
  std::vector<std::unique_ptr<TPeerContender>> who;
  who.push_back(g_who & 1 ? MakeChartStepContender(scene) : nullptr);
  who.push_back(g_who & 4 ? MakeQcpStepContender(scene) : nullptr);
  const std::vector<TSamples> t = RunRounds(who, Rounds);
  const double chart = t[0].RoundMedian(), q = t[1].RoundMedian();
  std::printf("\nOne temperature step, heaviest state (band, peak curve, 20 snapshots, 198 "
              "points a curve): compose and paint, CPU us\n");
  std::printf("%-23s | %-9s | %-27s | %-27s\n", "median of rounds", "ratio", "chart, single steps",
              "QCP, single steps");
  std::printf("%11s %11s | %9s | %6s %6s %6s %6s | %6s %6s %6s %6s\n", "chart", "QCP", "chart/QCP",
              "min", "p90", "p90/mn", "run", "min", "p90", "p90/mn", "run");
  std::printf("%11.0f %11.0f | %9.2f | %6.0f %6.0f %6.2f %6.2f | %6.0f %6.0f %6.2f %6.2f\n", chart,
              q, q > 0 ? chart / q : 0.0, t[0].Fastest(), Percentile(t[0].Frames, 90),
              t[0].Spread(), t[0].RunSpread(), t[1].Fastest(), Percentile(t[1].Frames, 90),
              t[1].Spread(), t[1].RunSpread());
  if (ListFrames) {
    PrintFrames("chart step", t[0]);
    if (who[1]) PrintFrames("QCP step", t[1]);
  }
}

// Runs a program to its end; CPU seconds (user + system) and peak memory (MiB).
bool RunMeasured(const std::vector<std::string> &Args, double &Cpu, double &MiB) {
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    std::vector<char *> argv;
    for (const std::string &a : Args)
      argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage use{};
  if (wait4(pid, &status, 0, &use) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return false;
  Cpu = double(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
        double(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
  MiB = double(use.ru_maxrss) / 1024.0;
  return true;
}

void StartUp(const char *Self) {
  const TPeerScene scene = MakePeerScene(21, 198);
  // Creation of a window with its first picture, in this process; the first
  // one pays for fonts and caches, the median shows the steady cost.
  for (int k = 0; k < 2; ++k) {
    const bool qcp = k == 1;
    if (qcp && QcpVersion().empty()) break;
    std::vector<double> t;
    for (int i = 0; i < 9; ++i) {
      const double start = ThreadCpuMicros();
      auto c = qcp ? MakeQcpContender(scene) : MakeChartContender(scene);
      t.push_back(ThreadCpuMicros() - start);
    }
    std::printf("%-12s window with its first picture: first %.1f ms, median %.1f ms CPU\n",
                qcp ? "QCustomPlot" : "chart", t[0] / 1000, Median(t) / 1000);
  }
  // Whole programs drawing the heaviest picture into a PNG, 5 runs each.
  std::vector<std::string> tool = {SPECTRION_PLOT_TOOL, "-t", "5800", "--band", "--peak-curve",
                                   "-o", "/tmp/bench_peers_tool.png"};
  std::string snaps;
  for (int k = 0; k < 20; ++k)
    snaps += (k ? "," : "") + std::to_string(3000 + k * 130);
  tool.insert(tool.begin() + 3, {"-s", snaps});
  const std::vector<std::string> peer = {Self, "--qcp-picture", "/tmp/bench_peers_qcp.png"};
  std::vector<double> cpu[2], mem[2];
  for (int r = 0; r < 5; ++r)
    for (int k = 0; k < 2; ++k) {
      if (k == 1 && QcpVersion().empty()) continue;
      double c = 0, m = 0;
      if (RunMeasured(k ? peer : tool, c, m)) {
        cpu[k].push_back(c);
        mem[k].push_back(m);
      }
    }
  const char *names[2] = {"plot tool", "QCP program"};
  for (int k = 0; k < 2; ++k)
    if (!cpu[k].empty())
      std::printf("%-12s whole process to PNG: median %.0f ms CPU, peak memory %.1f MiB\n",
                  names[k], Median(cpu[k]) * 1000, Median(mem[k]));
    else
      std::printf("%-12s not measured (%s)\n", names[k],
                  k ? "no QCustomPlot" : "plot tool not found or failed");
}

void Dump(const std::string &Dir) {
  for (int points : {198, 2000, 20000})
    for (int curves : {1, 5, 10, 21}) {
      const TPeerScene scene = MakePeerScene(curves, points);
      const std::string stem =
          Dir + "/chart_" + std::to_string(curves) + "x" + std::to_string(points);
      // Two more frames: the picture of a repaint that reuses what the first kept.
      auto chart = MakeChartContender(scene);
      chart->Frame();
      chart->Frame();
      chart->Picture().save(QString::fromStdString(stem + ".png"));
      if (auto q = MakeQcpContender(scene))
        q->Picture().save(QString::fromStdString(Dir + "/qcp_" + std::to_string(curves) + "x" +
                                                 std::to_string(points) + ".png"));
    }
}

} // namespace

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  int rounds = 7, onlyCurves = 0, onlyPoints = 0;
  bool listFrames = false, frames = true, step = true;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool more = i + 1 < argc;
    if (a == "--rounds" && more) {
      rounds = std::max(1, std::atoi(argv[++i]));
    } else if (a == "--only" && more) {
      if (std::sscanf(argv[++i], "%dx%d", &onlyCurves, &onlyPoints) != 2) return 2;
    } else if (a == "--frames") {
      listFrames = true;
    } else if (a == "--cold") {
      g_cold = true;
    } else if (a == "--step-only") {
      frames = false;
    } else if (a == "--no-step") {
      step = false;
    } else if (a == "--who" && more) {
      g_who = std::atoi(argv[++i]);
    } else if (a == "--startup") {
      StartUp(argv[0]);
      return 0;
    } else if (a == "--dump" && more) {
      Dump(argv[++i]);
      return 0;
    } else if (a == "--qcp-picture" && more) {
      auto q = MakeQcpContender(MakePeerScene(21, 198));
      return q && q->Picture().save(argv[++i]) ? 0 : 1;
    } else {
      std::fprintf(stderr,
                   "usage: %s [--rounds N] [--only CxP] [--who MASK] [--frames] [--step-only | "
                   "--no-step] | --startup | --dump DIR\n",
                   argv[0]);
      return 2;
    }
  }
  if (frames) FrameTable(rounds, onlyCurves, onlyPoints, listFrames);
  if (step && !onlyCurves) StepTable(rounds, listFrames);
  return 0;
}
