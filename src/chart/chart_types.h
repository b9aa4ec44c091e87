#pragma once
// Enumerations of the chart's appearance: grid, shadow, caption anchors,
// standard layouts and the data background.
#include <array>

/// Kind of grid drawn over the data background.
enum GridStyleType {
  gsNone,
  gsPoints,
  gsVertLines,
  gsHorizLines,
  gsLines,
  gsHorizDotLines,
  gsVertDotLines,
  gsDotLines
};
inline constexpr std::array<const char *, 8> GridStyleNames{
    "gsNone",  "gsPoints",        "gsVertLines",    "gsHorizLines",
    "gsLines", "gsHorizDotLines", "gsVertDotLines", "gsDotLines"};

/// Shape of the drop shadow's inner ends: slanted (flying) or square (box).
enum TShadowStyle { ssFlying, ssBox };
inline constexpr std::array<const char *, 2> ShadowStyleNames{"ssFlying", "ssBox"};

/// Horizontal reference point of the chart caption.
enum TCaptionAnchorHoriz {
  cahControlLeft,
  cahChartLeft,
  cahChartCenter,
  cahChartRight,
  cahControlRight
};
inline constexpr std::array<const char *, 5> CaptionAnchorHorizNames{
    "cahControlLeft", "cahChartLeft", "cahChartCenter", "cahChartRight", "cahControlRight"};

/// Vertical reference point of the chart caption.
enum TCaptionAnchorVert {
  cavControlTop,
  cavChartTop,
  cavChartCenter,
  cavChartBottom,
  cavControlBottom
};
inline constexpr std::array<const char *, 5> CaptionAnchorVertNames{
    "cavControlTop", "cavChartTop", "cavChartCenter", "cavChartBottom", "cavControlBottom"};

/// Preset arrangements of margins, chart caption and the axes of layers 1-4.
enum TrcLayout {
  rcl_X1Bottom_Y1Left,
  rcl_X1Bottom_Y2Left,
  rcl_X1Bottom_Y3Left,
  rcl_X1Bottom_Y4Left,
  rcl_X1Bottom_Y2Both,
  rcl_X2Bottom_Y2Left,
  rcl_X2Both_Y2Both
};
inline constexpr std::array<const char *, 7> LayoutNames{
    "rcl_X1Bottom_Y1Left", "rcl_X1Bottom_Y2Left", "rcl_X1Bottom_Y3Left", "rcl_X1Bottom_Y4Left",
    "rcl_X1Bottom_Y2Both", "rcl_X2Bottom_Y2Left", "rcl_X2Both_Y2Both"};

/// How a background picture covers the data area.
enum TBkgFill { bfSimple, bfStretch, bfTile };
inline constexpr std::array<const char *, 3> BkgFillNames{"bfSimple", "bfStretch", "bfTile"};

/// Coloured band drawn on the data background when there is no picture.
enum TBGAreaMode { bamNone, bamLeft, bamRight, bamTop, bamBottom, bamVStripe, bamHStripe, bamRect };
inline constexpr std::array<const char *, 8> BGAreaModeNames{
    "bamNone", "bamLeft", "bamRight", "bamTop", "bamBottom", "bamVStripe", "bamHStripe", "bamRect"};
