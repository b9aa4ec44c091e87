// Side-by-side benchmark of the chart against its peers on the same picture:
// the chart's Repaint, the floor (plain QPainter replaying the very calls the
// chart makes) and QCustomPlot when it was found at build time. Every size is
// measured in interleaved rounds (chart, floor, QCustomPlot, chart, ...) so
// that the noise of a shared machine hits all contenders alike; the table
// gives the medians of CPU time per frame and their ratios.
//
//   bench_peers [--rounds N] [--only CURVESxPOINTS]   the frame table
//   bench_peers --who MASK (1 chart, 2 floor, 4 QCP; for profiling one)
//   bench_peers --startup                             window creation and
//                                                     whole-process CPU and memory
//   bench_peers --dump DIR                            the chart's pictures as PNG
//   bench_peers --qcp-picture FILE.png                (used by --startup)
#include "peer_chart.h"

#include <QApplication>
#include <QImage>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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

double Median(std::vector<double> V) {
  std::sort(V.begin(), V.end());
  const std::size_t n = V.size();
  return n == 0 ? 0 : (n % 2 ? V[n / 2] : (V[n / 2 - 1] + V[n / 2]) / 2);
}

// CPU microseconds per frame over enough frames to last about Budget µs.
double TimeFrames(TPeerContender &C, double Budget) {
  int frames = 0;
  const double start = ThreadCpuMicros();
  double now = start;
  do {
    C.Frame();
    ++frames;
    now = ThreadCpuMicros();
  } while (now - start < Budget);
  return (now - start) / frames;
}

// Which contenders take part (for profiling one alone): bit 0 chart, 1 floor, 2 QCP.
int g_who = 7;

void FrameTable(int Rounds, int OnlyCurves, int OnlyPoints) {
  std::printf("CPU time per frame, median of %d interleaved rounds (us)\n", Rounds);
  const std::string qcp = QcpVersion();
  std::printf("%7s %7s %9s %9s %9s %11s %11s\n", "curves", "points", "chart", "floor",
              qcp.empty() ? "(no QCP)" : "QCP", "chart/floor", "chart/QCP");
  for (int points : {198, 2000, 20000})
    for (int curves : {1, 5, 10, 21}) {
      if (OnlyCurves && (curves != OnlyCurves || points != OnlyPoints)) continue;
      const TPeerScene scene = MakePeerScene(curves, points);
      std::vector<std::unique_ptr<TPeerContender>> who;
      who.push_back(g_who & 1 ? MakeChartContender(scene) : nullptr);
      who.push_back(g_who & 2 ? MakeFloorContender(scene) : nullptr);
      who.push_back(g_who & 4 ? MakeQcpContender(scene) : nullptr);
      std::vector<std::vector<double>> t(who.size());
      for (int r = 0; r < Rounds; ++r)
        for (std::size_t i = 0; i < who.size(); ++i)
          if (who[i]) t[i].push_back(TimeFrames(*who[i], 30000));
      const double chart = Median(t[0]), floor = Median(t[1]) + (t[1].empty() ? 1e-9 : 0);
      const double q = who[2] ? Median(t[2]) : 0;
      std::printf("%7d %7d %9.0f %9.0f %9.0f %11.2f %11.2f\n", curves, points, chart, floor, q,
                  chart / floor, q > 0 ? chart / q : 0.0);
      std::fflush(stdout);
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
      MakeChartContender(scene)->Picture().save(QString::fromStdString(stem + ".png"));
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
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool more = i + 1 < argc;
    if (a == "--rounds" && more) {
      rounds = std::max(1, std::atoi(argv[++i]));
    } else if (a == "--only" && more) {
      if (std::sscanf(argv[++i], "%dx%d", &onlyCurves, &onlyPoints) != 2) return 2;
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
      std::fprintf(stderr, "usage: %s [--rounds N] [--only CxP] | --startup | --dump DIR\n",
                   argv[0]);
      return 2;
    }
  }
  FrameTable(rounds, onlyCurves, onlyPoints);
  return 0;
}
