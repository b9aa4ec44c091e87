#include "peer_scene.h"

#include "simulation/blackbody.h"
#include "simulation/plot_composer.h"

#include <cmath>
#include <cstdio>

namespace {
constexpr double kFirst = 1e-7, kLast = 9.95e-6, kToNm = 1e9;
constexpr unsigned kCurrent = 5800;
} // namespace

TPeerCurve PlanckCurve(unsigned T, int Points) {
  TPeerCurve c;
  c.X.reserve(std::size_t(Points) + 1);
  c.Y.reserve(std::size_t(Points) + 1);
  c.X.push_back(kFirst * kToNm); // the curve starts on the x axis
  c.Y.push_back(0);
  for (int i = 0; i < Points; ++i) {
    const double lambda = kFirst + (kLast - kFirst) * i / std::max(1, Points - 1);
    const double u = SpectralEnergyDensity(lambda, T);
    c.X.push_back(lambda * kToNm);
    c.Y.push_back(u);
    if (u > c.LabelY) c.LabelY = u;
  }
  c.LabelX = PeakWavelength(T) * kToNm;
  return c;
}

TPeerScene MakePeerScene(int Curves, int Points) {
  TPeerScene s;
  double peak = 0;
  for (double lambda = 1e-7; lambda <= 1e-5; lambda += 5e-8)
    peak = std::max(peak, SpectralEnergyDensity(lambda, kCurrent));
  s.YHigh = std::pow(10.0, std::ceil(10 * std::log10(peak)) / 10);
  s.GridDy = s.YHigh / 20;
  TPeakTable table{};
  FillPeakTable(table);
  s.Peaks.Color = PeakCurveColor;
  s.Peaks.X.push_back(36000);
  s.Peaks.Y.push_back(table[0]);
  for (int i = 1; i < PeakTableSize; ++i) {
    s.Peaks.X.push_back(0.0144 / (100.0 * i + 400.0) * kToNm);
    s.Peaks.Y.push_back(table[std::size_t(i)]);
  }
  for (int k = 0; k + 1 < Curves; ++k) {
    const unsigned t = 3000 + unsigned(k * 2600 / std::max(1, Curves - 1));
    TPeerCurve c = PlanckCurve(t, Points);
    c.Color = SnapshotColor;
    char caption[16];
    std::snprintf(caption, sizeof caption, "%u K", t);
    c.Label = caption;
    s.Data.push_back(std::move(c));
    s.SnapshotTemperatures.push_back(t);
  }
  TPeerCurve current = PlanckCurve(kCurrent, Points);
  current.Color = CurrentCurveColor;
  s.Current = kCurrent;
  s.PeakLine.Color = PeakLineColor;
  s.PeakLine.Dotted = true;
  s.PeakLine.X = {current.LabelX, current.LabelX};
  s.PeakLine.Y = {s.YLow, s.YHigh};
  s.Data.push_back(std::move(current));
  return s;
}
