#include "simulation/curve_table.h"

#include "chart/rchart.h"
#include "platform/exceptions.h"
#include "simulation/plot_composer.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

using Polyline = TCurvePolyline;

// Linear interpolation of a line at X, as the chart connects its points;
// false outside the line's extent.
bool InterpolateAt(const Polyline &Line, double X, double &Y) {
  for (std::size_t i = 1; i < Line.X.size(); ++i) {
    const double x0 = Line.X[i - 1], x1 = Line.X[i];
    if (X < std::min(x0, x1) || X > std::max(x0, x1)) continue;
    Y = x1 == x0 ? Line.Y[i] : Line.Y[i - 1] + (Line.Y[i] - Line.Y[i - 1]) * (X - x0) / (x1 - x0);
    return true;
  }
  return false;
}

std::string Number(double V) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.10g", V);
  return buffer;
}

} // namespace

std::vector<TCurvePolyline> CurvePolylines(const TRChart &Chart) {
  std::vector<TCurvePolyline> lines;
  for (std::int32_t i = 0; i < Chart.ItemCount(); ++i) {
    const GraphItem &item = Chart.Items(i);
    if (item.Kind == ikMoveTo) {
      lines.push_back({item.Color, {item.X1}, {item.Y1}});
    } else if (item.Kind == ikDrawTo && !lines.empty()) {
      lines.back().X.push_back(item.X1);
      lines.back().Y.push_back(item.Y1);
    }
  }
  return lines;
}

void WriteCurveTable(const TRChart &Chart, const TCurveTableColumns &Columns, std::ostream &Out) {
  std::vector<Polyline> curves;
  const Polyline *peak = nullptr;
  const std::vector<Polyline> lines = CurvePolylines(Chart);
  for (const Polyline &l : lines) {
    if (l.Color == PeakCurveColor && Columns.ShowPeakCurve && !peak)
      peak = &l;
    else if (l.Color != PeakLineColor)
      curves.push_back(l);
  }
  // Snapshots oldest first, then the current curve, as composed.
  if (curves.size() != Columns.Snapshots.size() + 1)
    throw Exception("The composed picture does not hold the expected curves");
  Out << "wavelength_nm";
  for (std::size_t k = 0; k < Columns.Snapshots.size(); ++k)
    Out << ",snapshot_" << k + 1 << "_" << Columns.Snapshots[k] << "K";
  Out << ",current_" << Columns.Temperature << "K";
  if (peak) Out << ",peak_curve";
  Out << "\n";
  // Every curve starts on the wavelength axis; its samples follow.
  const Polyline &current = curves.back();
  for (std::size_t i = 1; i < current.X.size(); ++i) {
    const double x = current.X[i];
    Out << Number(x);
    for (const Polyline &c : curves)
      Out << "," << (i < c.Y.size() ? Number(c.Y[i]) : "");
    if (peak) {
      double y = 0;
      Out << "," << (InterpolateAt(*peak, x, y) ? Number(y) : "");
    }
    Out << "\n";
  }
}
