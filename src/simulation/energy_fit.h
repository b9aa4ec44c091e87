#pragma once
// Fitting the linear energy axis to the curves: how high a curve reaches in
// the wavelength range on view, the smallest track-bar step that holds every
// curve shown, and the step the automatic mode keeps while the temperature
// moves. Pure functions; the window applies their results.
#include "simulation/blackbody.h"

#include <cstdint>
#include <vector>

/// Highest point of the curve of temperature T as the composer draws it (a
/// line from (100 nm, 0) through the samples at 100, 150, ... 9950 nm)
/// between XLow and XHigh nm, the line interpolated at both ends. 0 when
/// the range misses the curve.
double DrawnCurvePeak(std::uint16_t T, double XLow, double XHigh);

/// What the chart shows, for the fit.
struct TShownCurves {
  std::uint16_t Temperature = 0;
  std::vector<std::uint16_t> Snapshots;
  bool ShowPeakCurve = false;
};

/// Highest point of every curve shown between XLow and XHigh nm: the
/// snapshots, the current curve and, when shown, the peak curve.
double ShownCurvesPeak(const TShownCurves &Curves, const TPeakTable &Peaks, double XLow,
                       double XHigh);

/// The smallest track-bar step whose axis top holds every curve shown.
int FittedTrackBarPosition(const TShownCurves &Curves, const TPeakTable &Peaks, double XLow,
                           double XHigh);

/// A peak must fall this far below a lower step's top before the automatic
/// mode moves down to it, so a curve at a step's edge does not make the axis
/// jump back and forth.
inline constexpr double AutoFitHysteresis = 1.05;

/// The track-bar step the automatic mode chooses for a curve reaching Peak
/// when the axis stands at step Current: up at once to the fitting step when
/// the curve rises above the top, down only when the curve fits a lower step
/// with AutoFitHysteresis to spare, otherwise Current.
int AutoFitPosition(int Current, double Peak);

/// Whether a curve reaching Peak runs above a linear axis whose top is YHigh
/// (never on a logarithmic axis, whose top holds every curve).
bool CurveAboveTop(double Peak, double YHigh, bool LogScale);
