#pragma once
// Helpers for pixel tests: a white bitmap and queries over its pixels, in
// logical pixels and in the device pixels behind them. They read pixels
// through the canvas's device only, so they work on every system.
#include "platform/bitmap.h"

#include <functional>
#include <string>

/// Number of pixels of B with colour C inside R (the whole bitmap by default).
int CountColor(const TBitmap &B, TColor C);
int CountColorIn(const TBitmap &B, TColor C, const TRect &R);
/// Number of pixels that differ between A and B (same size).
int CountDifferent(const TBitmap &A, const TBitmap &B);
/// Smallest rectangle holding every pixel of B that is not White; empty when none.
TRect InkBounds(const TBitmap &B, TColor Background = clWhite);

/// Size of B's surface in device pixels.
TSize DeviceSize(const TBitmap &B);
/// Colour (RGB) of device pixel (X, Y) of B.
TColor DevicePixel(const TBitmap &B, int X, int Y);
/// True when A and B have the same device size and every device pixel has
/// the same colour.
bool SameDevicePixels(const TBitmap &A, const TBitmap &B);

/// The bytes of an uncompressed 24-bit BMP file of Width x Height pixels,
/// Pixel giving each pixel's colour.
std::string BmpFile(int Width, int Height, const std::function<TColor(int X, int Y)> &Pixel);
/// A path in the system's temporary folder, unique to this process.
std::string TempPath(const std::string &Name);
