#pragma once
// Cutting shapes to a box before a system's graphics sees them: drawing
// interfaces that keep coordinates in fixed point (GDI past 2^27) go wrong
// for far-away points, while the part of a shape that can show on a surface
// always lies within a small margin around it.
#include <vector>

/// A point with fractional coordinates.
struct TPointF {
  double X = 0;
  double Y = 0;
  bool operator==(const TPointF &) const = default;
};

/// An axis-parallel box, edges included.
struct TBoxF {
  double Left = 0;
  double Top = 0;
  double Right = 0;
  double Bottom = 0;
  bool Contains(const TPointF &P) const {
    return P.X >= Left && P.X <= Right && P.Y >= Top && P.Y <= Bottom;
  }
};

/// The parts of the polyline through Points (closed: back to the first) that
/// lie in Box, each a run of at least two points; points inside Box are kept
/// exactly, the others are replaced by where the lines cross Box's edges.
std::vector<std::vector<TPointF>> ClipPolyline(const std::vector<TPointF> &Points, bool Closed,
                                               const TBoxF &Box);
/// The closed outline through Points cut to Box. Every point strictly inside
/// Box has the winding number (and so the inside under either filling rule)
/// it had in the original; the new edges run along Box's edges. Empty when
/// nothing of the outline reaches Box.
std::vector<TPointF> ClipPolygon(const std::vector<TPointF> &Points, const TBoxF &Box);
/// The closed outline of the ellipse inscribed in Box, with Count vertices.
std::vector<TPointF> EllipseOutline(const TBoxF &Box, int Count);
