#pragma once
// Integer pixel geometry shared by every drawing routine: points, sizes and
// rectangles whose right and bottom edges lie just outside the area they cover.
#include <cstdint>
#include <limits>

/// V limited to the range of int. Geometry that adds margins, positions and
/// sizes (any of which a form may set near the limits of int) computes in 64
/// bits and saturates, so extreme settings give far-off pixels instead of
/// wrapping around.
constexpr int SaturateInt(std::int64_t V) {
  return V < std::numeric_limits<int>::min()   ? std::numeric_limits<int>::min()
         : V > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max()
                                               : int(V);
}

/// A pixel position.
struct TPoint {
  int X = 0;
  int Y = 0;
  friend bool operator==(const TPoint &, const TPoint &) = default;
};

/// A width and height in pixels (text extents, bitmap sizes).
struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize &, const TSize &) = default;
};

/// A rectangle covering Left .. Right - 1 and Top .. Bottom - 1.
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return SaturateInt(std::int64_t(Right) - Left); }
  int Height() const { return SaturateInt(std::int64_t(Bottom) - Top); }
  TPoint TopLeft() const { return {Left, Top}; }
  TPoint BottomRight() const { return {Right, Bottom}; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  /// True when the pixel at P lies inside the covered area.
  bool Contains(TPoint P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }
  friend bool operator==(const TRect &, const TRect &) = default;
};

inline TPoint Point(int X, int Y) {
  return TPoint{X, Y};
}
inline TRect Rect(int Left, int Top, int Right, int Bottom) {
  return TRect{Left, Top, Right, Bottom};
}
/// A rectangle from its top-left corner and its size.
inline TRect Bounds(int Left, int Top, int Width, int Height) {
  return TRect{Left, Top, SaturateInt(std::int64_t(Left) + Width),
               SaturateInt(std::int64_t(Top) + Height)};
}
