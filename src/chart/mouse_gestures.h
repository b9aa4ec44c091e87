#pragma once
// The pure arithmetic of the chart's mouse gestures: the data area the mouse
// acts in, the new axis ranges of a pan or zoom step, the corners of a rubber
// band and a zoom window, the nearest cross-hair or label, and the cursor of
// each action. Gestures compute new ranges here as values; the chart then
// applies them once through its coupled range update. A step that would give
// a non-finite or accidentally reversed range comes back invalid and leaves
// the axis alone.
#include "axes/axis_map.h"
#include "chart/paint_geometry.h"
#include "chart/text_label.h"
#include "platform/control.h"
#include "platform/geometry.h"

#include <string>
#include <vector>

/// What a drag with the left mouse button does in the chart.
enum TMouseActMode {
  maNone,
  maPan,
  maPanHoriz,
  maPanVert,
  maRubberBand,
  maZoom,
  maZoomWind,
  maZoomWindPos,
  maZoomDrag,
  maDragCrossH,
  maDragLabel,
  maRotate,
  maRotAndZoom,
  maRotXOnly,
  maRotZOnly
};
/// Published names of TMouseActMode, in code order.
extern const std::vector<std::string> MouseActModeNames;

/// Application cursor indices the chart registers its pictures at.
inline constexpr TCursor crChartHand = 1;          // panning
inline constexpr TCursor crChartZoomWindow = 2;    // zoom to a window as dragged
inline constexpr TCursor crChartZoomDrag = 3;      // zoom by dragging
inline constexpr TCursor crChartZoomWindowPos = 4; // zoom to a window keeping directions

/// The data area in control pixels, both ends included.
struct TDataArea {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  /// W' and H': the spans the mouse arithmetic divides by (may be 0 or less).
  int SpanX() const { return Right - Left; }
  int SpanY() const { return Bottom - Top; }
  bool Contains(int X, int Y) const { return X >= Left && X <= Right && Y >= Top && Y <= Bottom; }
};
TDataArea DataAreaOf(const TRimGeometry &G);

/// A new range for one axis; Valid false means the step leaves the axis alone.
struct TRangeStep {
  bool Valid = false;
  double Low = 0;
  double High = 0;
};

/// One pan step of an axis: the range Start recorded when the gesture began
/// moved by Shift / Span of the current range's extent (linear) or by the
/// current ratio High / Low raised to Shift / Span (logarithmic). Shift is
/// x0 - x for horizontal axes and y - y0 for vertical ones. Invalid when Span
/// is not positive or the result is not finite (or not positive on a
/// logarithmic axis).
TRangeStep PanRange(const TAxisRange &Start, const TAxisRange &Current, int Shift, int Span);

/// Zoom-drag factors: 1 - (X - X0) / Width and 1 + (Y - Y0) / Height; 0 (no
/// zoom possible) for a control without width or height.
double ZoomDragFactorX(int X0, int X, int Width);
double ZoomDragFactorY(int Y0, int Y, int Height);
/// Start scaled by Factor about its centre (linear arithmetic on every axis).
/// Invalid when Factor is not above 0 or the result is not finite.
TRangeStep ZoomRange(const TAxisRange &Start, double Factor);

/// The moving corner of a rubber band for the mouse at (X, Y): x limited to
/// the data area; with Isometric the rectangle is made square (y = y0 - dx
/// when (y - y0) * dx < 1, else y0 + dx); then y limited to the data area.
TPoint RubberCorner(const TDataArea &A, TPoint Start, int X, int Y, bool Isometric);

/// Swaps A and B when their order runs against the axis's direction.
void OrderLikeAxis(double &A, double &B, const TAxisRange &Axis);

/// A rectangle in world coordinates, corners as dragged.
struct TWorldRect {
  double X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
};
/// The isometric zoom window: y keeps its centre and gets the height that
/// makes world units square on the data area and the screen's pixel aspect.
TWorldRect IsometricWindow(const TWorldRect &R, const TDataArea &A, int AspectX, int AspectY);

/// A cross-hair as the nearest-one search sees it.
struct TCrossHairSpot {
  TCrossHMode Mode = chOff;
  TPoint P; // its mapped point
};
/// Index (1-based) of the cross-hair nearest to Mouse: vertical lines count
/// their x distance, horizontal lines their y distance; ties keep the
/// earlier one; 1 when no cross-hair draws a line.
int NearestCrossHair(const TCrossHairSpot *Spots, int Count, TPoint Mouse);

/// A text label as the nearest-one search sees it.
struct TLabelSpot {
  bool Eligible = false; // visible and not tlOff
  TPoint P;              // its anchor
};
/// Index (1-based) of the eligible label whose anchor is nearest to Mouse;
/// ties keep the earlier one; 1 when none is eligible.
int NearestLabel(const TLabelSpot *Spots, int Count, TPoint Mouse);

/// New PosX and PosY of a dragged label: the pixel coordinates of the mouse
/// for the axes the label keeps in pixels, the world ones (WX, WY) for the
/// axes attached to the data.
struct TLabelPos {
  double X = 0, Y = 0;
};
TLabelPos DraggedLabelPos(TTxtLblAttachMode Mode, TPoint Mouse, double WX, double WY);

/// The cursor a mouse move sets; false when the action leaves it unchanged.
bool GestureCursor(TMouseActMode Action, bool InDataArea, bool Fixed, TCursor &Cursor);

/// V made reportable: not a number becomes the centre of R, an infinity the
/// largest finite value of its sign.
double FiniteWorld(double V, const TAxisRange &R);
