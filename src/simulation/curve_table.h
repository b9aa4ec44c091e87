#pragma once
// The curves a chart shows as a table of numbers (CSV): a header line naming
// the columns, then one line per wavelength of the curves' sample grid. The
// plot tool and the window write the same table.
#include <cstdint>
#include <ostream>
#include <vector>

class TRChart;

/// One line of a display list as drawn, in world coordinates.
struct TCurvePolyline {
  std::uint32_t Color = 0;
  std::vector<double> X, Y;
};

/// The display list's lines as drawn: a MoveTo starts a line, DrawTo items
/// continue it across texts and rectangles in between.
std::vector<TCurvePolyline> CurvePolylines(const TRChart &Chart);

/// What the composed picture holds, to name the columns.
struct TCurveTableColumns {
  std::vector<std::uint16_t> Snapshots; // oldest first, as composed
  std::uint16_t Temperature = 0;        // the current curve
  bool ShowPeakCurve = false;
};

/// Writes the curves of Chart's display list: "wavelength_nm", one column
/// per snapshot ("snapshot_K_T" + "K"), the current curve ("current_T" +
/// "K") and, when shown, the peak curve interpolated at each wavelength
/// ("peak_curve", empty beyond its extent). Raises Exception when the list
/// does not hold the curves Columns describe.
void WriteCurveTable(const TRChart &Chart, const TCurveTableColumns &Columns, std::ostream &Out);
