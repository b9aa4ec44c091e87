#pragma once
// Helpers for pixel tests: a white bitmap and queries over its pixels.
#include "platform/bitmap.h"

#include <functional>

/// Number of pixels of B with colour C inside R (the whole bitmap by default).
int CountColor(const TBitmap &B, TColor C);
int CountColorIn(const TBitmap &B, TColor C, const TRect &R);
/// Number of pixels that differ between A and B (same size).
int CountDifferent(const TBitmap &A, const TBitmap &B);
/// Smallest rectangle holding every pixel of B that is not White; empty when none.
TRect InkBounds(const TBitmap &B, TColor Background = clWhite);
