#pragma once
// The numeric state of one axis (size, margins, range, mapping and tick
// settings) and the pure computations on it: the value-to-pixel mapping,
// the position of the axis line, and the list of ticks to draw.
#include "axes/axis_map.h"
#include "axes/axis_types.h"
#include "axes/dt_settings.h"
#include "platform/geometry.h"

#include <optional>
#include <string>
#include <vector>

/// The settings of one axis: placement type, range, mode, ticks and labels.
/// A chart's axis object keeps one, and its internal scale takes it over as a
/// whole; a new axis setting is one more field here (or in TAxisLook).
struct TAxisSettings {
  TScaleType ScaleType = sctXB;
  double RangeLow = 0;
  double RangeHigh = 100;
  bool Logarithmic = false;
  int MinTicks = 3;
  bool ShortTicks = true;
  int DecPlaces = -2;
  TFigType LabelType = ftNum;
  std::string UserTickText;
  std::string ScaleInscript;
  /// How date and time labels are written (ftDateTime and ftTime axes).
  TDTSettings DateFormat;
};

/// Everything the mapping and the tick computation read: the settings plus
/// the scale's size, margins and maps. The scale control keeps one of these as
/// its own state; tests and benchmarks fill it directly.
struct TScaleState : TAxisSettings {
  int Width = 400;
  int Height = 400;
  int MarginLeft = 20;
  int MarginTop = 20;
  int MarginRight = 20;
  int MarginBottom = 20;
  /// The scale's own map, from its size, margins and range:
  /// pixel = Factor * value (or ln value) + Offset.
  double Factor = 0;
  double Offset = 0;
  /// The map of the data this axis is drawn against, when an owner (a chart)
  /// hands one over. The ticks then go through it instead of Factor and
  /// Offset, so they sit on the data by construction.
  std::optional<TAxisMap> DataMap;
};

/// Recomputes Factor and Offset from size, margins and range. An empty
/// range leaves them as they are; so does a logarithmic range with an end
/// at or below 0. A drawable length of 0 or less maps everything to the
/// middle of the control.
void CalcScaleFactors(TScaleState &S);

/// Pixel coordinate (x on horizontal, y on vertical scales) of a world
/// value, limited to +-2147483647 and rounded to nearest, ties to even:
/// through DataMap when there is one, else through Factor and Offset. On a
/// logarithmic scale a value at or below LogFloor maps to the low end of the
/// control.
int ValueToPixel(const TScaleState &S, double V);

/// Position of the axis line in the scale's own coordinates: y for
/// horizontal, x for vertical scales.
int AxisLinePosition(const TScaleState &S);

/// Unit vector from a tick's foot towards its tip for a scale type.
TPoint TickDirection(TScaleType T);

/// One tick to draw, in the scale's own coordinates.
struct TTick {
  double Value = 0;
  bool Major = false;
  /// Length in pixels, counted from the foot (the foot pixel included).
  int Length = 0;
  /// Point on the axis line and the end point of the tick line (not drawn).
  TPoint Foot;
  TPoint Tip;
  /// Appended to the scale's tick positions (while there is room).
  bool Recorded = false;
  /// Reported through the tick-drawn event.
  bool Notify = false;
  /// The event comes before the label (vertical linear axes and all
  /// logarithmic ticks) rather than after it (horizontal linear axes).
  bool NotifyFirst = true;
  /// Carries a label (the text may still be empty).
  bool Labelled = false;
  std::string Label;
  /// Vertical scales centre the label on its own height rather than on the
  /// height of "0" (calendar and clock labels).
  bool OwnTextHeight = false;
  /// Date drawn beside a clock label, one text height further out; empty
  /// for none.
  std::string DateLine;
};

/// Upper bound of ticks one loop produces. A scale is never wider than a
/// few thousand pixels, so anything beyond this is unreadable anyway; the
/// bound keeps absurd settings (MinTicks 0 over a huge range) from hanging.
inline constexpr int MaxTicksPerLoop = 10000;

/// The ticks of an axis in drawing order. Numeric axes: short ticks first,
/// then the major ticks on linear axes; ascending values on logarithmic
/// axes. ftDateTime axes get calendar and clock ticks, ftTime axes time
/// ticks (numeric ones when those decline); see dt_ticks.h. A logarithmic
/// axis with an end at or below 0 has no ticks.
std::vector<TTick> ComputeTicks(const TScaleState &S);
/// Same, filling Out (cleared first) so that a caller can reuse its storage.
/// Returns the message a date/time axis draws instead of ticks.
TTickMessage ComputeTicks(const TScaleState &S, std::vector<TTick> &Out);

/// A tick at world value V with its foot on the axis line and its tip
/// Length pixels towards the tick side; nothing else filled in.
TTick PlaceTick(const TScaleState &S, double V, bool Major, int Length);

/// Label text of a numeric major tick (zero snapping, 14-character cut,
/// decimals rules, user texts and inscript). Decimals comes from
/// AutoDecimals (linear) or LogDecimals (logarithmic ticks); DecadeTick says
/// whether a logarithmic tick is a power of ten. MajorIndex counts the major
/// ticks of this drawing, 1 for the first.
std::string NumericTickLabel(const TScaleState &S, double Value, int Decimals, bool LogTicks,
                             bool DecadeTick, int MajorIndex);

/// Top-left corner of a tick label of the given text size. ZeroHeight is the
/// height of the text "0" in the label font (vertical scales centre on it).
TPoint TickLabelOrigin(const TScaleState &S, const TTick &Tick, TSize Text, int ZeroHeight);
