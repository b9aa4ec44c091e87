#pragma once
// The pure geometry of chart painting: where the shadow, the caption, item
// rectangles and texts, bands, labels and cross-hairs go, the grid values of
// an axis and the polyline buffer. Painting code computes with these and then
// draws; tests check them as plain data.
#include "chart/chart_types.h"
#include "chart/text_label.h"
#include "platform/control.h"
#include "platform/geometry.h"

#include <array>
#include <vector>

/// Pixel coordinates of items, bands and labels are limited to this before
/// drawing, so far-off points give lines running to the limit in the right
/// direction instead of overflowing the drawing code.
inline constexpr int ItemPixelLimit = 30000;

/// V limited to -ItemPixelLimit ... ItemPixelLimit.
int LimitPixel(int V);

/// Largest side of the data bitmap: what a screen can show. Margins far
/// outside the control would otherwise ask for gigabytes.
inline constexpr int MaxDataBitmapSide = 32767;

/// Size of the control and its rim.
struct TRimGeometry {
  int W = 0, H = 0;
  int ML = 0, MR = 0, MT = 0, MB = 0;
  int SW = 0;
  /// Right and bottom ends of the data area in control pixels (inclusive).
  int DataRight() const { return SaturateInt(std::int64_t(W) - MR - SW); }
  int DataBottom() const { return SaturateInt(std::int64_t(H) - MB - SW); }
  /// Size of the data bitmap; each side 0 to MaxDataBitmapSide.
  int DataBitmapWidth() const;
  int DataBitmapHeight() const;
};

/// The drop shadow: two corner squares in the shadow's background colour,
/// the bottom and right bands, and the outline of the face.
struct TShadowShape {
  TRect TopRightSquare;
  TRect BottomLeftSquare;
  std::array<TPoint, 4> BottomBand;
  std::array<TPoint, 4> RightBand;
  std::array<TPoint, 5> Outline;
};
TShadowShape ShadowShape(int W, int H, int SW, TShadowStyle Style);

/// Top-left corner of the chart caption of width TextWidth.
TPoint ChartCaptionOrigin(const TRimGeometry &G, int PosX, int PosY, TAlignment Align,
                          TCaptionAnchorHoriz AnchorH, TCaptionAnchorVert AnchorV, int TextWidth);

/// A rectangle item in pixels: either one pixel, or a box whose larger
/// corner is moved out by one so that both corner pixels are covered.
struct TItemRect {
  bool OnePixel = false;
  TPoint Pixel;
  TRect Box;
};
TItemRect ItemRectangle(TPoint A, TPoint B);

/// Top-left corner of an item text of size Text centred vertically on P.
TPoint TextItemOrigin(TPoint P, TSize Text, TAlignment Align);

/// The band of the data background in data-bitmap pixels. LeftTop is the
/// mapped (AreaLeft, AreaTop), RightBottom the mapped (AreaRight, AreaBottom).
TRect BandRect(TBGAreaMode Mode, TPoint LeftTop, TPoint RightBottom, int BitmapW, int BitmapH);

/// Number of picture copies across and down that tile a bitmap (0 for an
/// empty picture).
TSize TileCount(int BitmapW, int BitmapH, int PictureW, int PictureH);

/// Where a text label goes, from its anchor in pixels.
struct TLabelLayout {
  TRect Box;      // the box around the text block
  int Left = 0;   // left edge of the text block
  int Bottom = 0; // bottom edge of the text block (the underline's y)
  int Width = 0;  // width of the text block
  int LineHeight = 0;
  int Lines = 1;
};
TLabelLayout LabelLayout(TPoint Anchor, int Lines, int Width, int LineHeight,
                         TVerticalAlignment VAlign, TAlignment Align);
/// Top-left corner of line K (0 for the first) of width LineWidth.
TPoint LabelLineOrigin(const TLabelLayout &L, int K, int LineWidth, TAlignment Align);

/// The lines of a cross-hair through control pixel P (start and end, the end
/// pixel left out as lines always do); Draw* false when the point lies
/// outside the data area or within half a line width of its edge.
struct TCrossHairLines {
  bool DrawHoriz = false;
  TPoint H1, H2;
  bool DrawVert = false;
  TPoint V1, V2;
};
TCrossHairLines CrossHairLines(const TRimGeometry &G, TPoint P, TCrossHMode Mode, int LineWid);

/// Half the vertical range that keeps world units square, for a layer with
/// horizontal range XL ... XH on the given rim and pixel aspect.
double IsometricHalfRange(const TRimGeometry &G, double XL, double XH, int AspectX, int AspectY);

/// What the grid of one direction reads from its axis.
struct TGridAxis {
  double Low = 0; // ordered so that Low <= High
  double High = 1;
  bool Logarithmic = false;
  /// The spacing rule: 0 follows the axis ticks; on logarithmic axes -1
  /// decades, -2 the 1-2-5 sequence, -3 and other negatives 1 ... 9 per decade.
  double D = 0;
  /// Tick values of the axis (used when D is 0).
  const double *Ticks = nullptr;
  int TickCount = 0;
};

/// Most grid lines (or points) drawn in one direction.
inline constexpr int MaxGridLines = 1000;

/// Fills Out (cleared first) with the grid values of one direction: from the
/// first value while below High, at most MaxGridLines.
void GridValues(const TGridAxis &A, std::vector<double> &Out);

/// The polyline being collected while items are drawn: a start point plus
/// up to Capacity points. Consecutive DrawTo items with equal attributes
/// become one polyline call.
class TPolylineBuffer {
public:
  static constexpr int Capacity = 200;
  /// Makes P the start point of the next line (the buffer must be empty).
  void SetStart(TPoint P) { start_ = P; }
  TPoint Start() const { return start_; }
  /// The point a next Add would connect to: the last one added, or the start.
  TPoint Last() const { return count_ > 0 ? points_[std::size_t(count_ - 1)] : start_; }
  /// Appends P (preceded by the start point when empty); true when the
  /// buffer is full and must be flushed now.
  bool Add(TPoint P);
  int Count() const { return count_; }
  const TPoint *Points() const { return points_.data(); }
  /// Empties the buffer; the last point becomes the start point.
  void Reset();

private:
  TPoint start_;
  int count_ = 0;
  std::array<TPoint, Capacity> points_{};
};
