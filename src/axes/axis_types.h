#pragma once
// Enumerations shared by the axis property objects, the tick computation and
// the scale control, each with the names it publishes (by ordinal).
#include <array>

/// Orientation of a scale and the side of its strip the axis line lies on:
/// sctXB horizontal with the line at the bottom (ticks up), sctXT horizontal
/// with the line at the top (ticks down), sctYL vertical with the line at the
/// left (ticks right), sctYR vertical with the line at the right (ticks left).
enum TScaleType { sctXB, sctXT, sctYL, sctYR };
inline constexpr std::array<const char *, 4> ScaleTypeNames{"sctXB", "sctXT", "sctYL", "sctYR"};

/// Kind of tick labels.
enum TFigType { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };
inline constexpr std::array<const char *, 5> FigTypeNames{"ftNoFigs", "ftNum", "ftTime",
                                                          "ftDateTime", "ftUserText"};

/// Anchor of the axis caption along the axis: start, middle or end.
enum TScaleUnitAnchor { uaSclTopLft, uaSclCenter, uaSclBotRgt };
inline constexpr std::array<const char *, 3> ScaleUnitAnchorNames{"uaSclTopLft", "uaSclCenter",
                                                                  "uaSclBotRgt"};

/// What a date/time axis draws in place of ticks it cannot show: nothing to
/// say, "DateTime range is below 1 second" or "invalid DateTime scale".
enum TTickMessage { tmNone, tmBelowOneSecond, tmInvalid };

/// Where a horizontal axis sits relative to the data area of a chart.
enum TScaleLocationHoriz { slTop, slBottom };
inline constexpr std::array<const char *, 2> ScaleLocationHorizNames{"slTop", "slBottom"};

/// Where a vertical axis sits relative to the data area of a chart.
enum TScaleLocationVert { slLeft, slRight };
inline constexpr std::array<const char *, 2> ScaleLocationVertNames{"slLeft", "slRight"};

/// Shading colours of a scale's 3-D frame: fixed grey/white, or the system's
/// button shadow and highlight colours.
enum TColorScheme { csBWG, csSystem };
inline constexpr std::array<const char *, 2> ColorSchemeNames{"csBWG", "csSystem"};

/// True for the two horizontal scale types.
constexpr bool IsHorizontalScale(TScaleType t) {
  return t == sctXB || t == sctXT;
}
