#include "helper_surface.h"

#include <algorithm>

int CountColorIn(const TBitmap &B, TColor C, const TRect &R) {
  int n = 0;
  for (int y = std::max(0, R.Top); y < std::min(B.Height(), R.Bottom); ++y)
    for (int x = std::max(0, R.Left); x < std::min(B.Width(), R.Right); ++x)
      n += B.Pixel(x, y) == C;
  return n;
}

int CountColor(const TBitmap &B, TColor C) {
  return CountColorIn(B, C, Rect(0, 0, B.Width(), B.Height()));
}

int CountDifferent(const TBitmap &A, const TBitmap &B) {
  int n = 0;
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x)
      n += A.Pixel(x, y) != B.Pixel(x, y);
  return n;
}

TRect InkBounds(const TBitmap &B, TColor Background) {
  TRect r{B.Width(), B.Height(), 0, 0};
  for (int y = 0; y < B.Height(); ++y)
    for (int x = 0; x < B.Width(); ++x)
      if (B.Pixel(x, y) != Background) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r.IsEmpty() ? TRect{} : r;
}
