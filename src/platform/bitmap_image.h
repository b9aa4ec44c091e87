#pragma once
// Platform-internal: what TBitmap (core/bitmap.cpp) and TIcon (core/icon.cpp)
// ask of the back end's picture type, TNativeImage. The core keeps the bitmap's rules (logical
// sizes, transparency, the pixel ratio, the conditions of views and swaps,
// the size limits); each back end defines these few operations on its
// pictures, next to TBitmap's and TIcon's constructors and destructors.
#include "platform/geometry.h"
#include "platform/native.h"

#include <string>

class TCanvas;

/// Largest picture a bitmap holds, in device pixels; larger sizes are
/// refused before any memory is asked for.
inline constexpr long long MaxBitmapDevicePixels = 1LL << 28;
/// Largest picture a file may decode to, in pixels.
inline constexpr long long MaxDecodedPicturePixels = 1LL << 26;

/// Makes Canvas draw on Image (null: on nothing), letting go of anything the
/// canvas's device still holds of the old pixels.
void AttachBitmapCanvas(TCanvas &Canvas, TNativeImage *Image);
/// True when Image holds no pixels.
bool ImageEmpty(const TNativeImage &Image);
/// Size in device pixels.
TSize ImageDeviceSize(const TNativeImage &Image);
/// Device pixels per logical pixel the picture was made or loaded at.
double ImageRatio(const TNativeImage &Image);
/// Drops the pixels.
void ClearImage(TNativeImage &Image);
/// Gives Image DeviceWidth x DeviceHeight pixels (both > 0) at Ratio, keeping
/// the overlapping pixels of the old ones and making the rest white. Raises
/// EInvalidGraphic when the system has no memory for them.
void ResizeImage(TNativeImage &Image, int DeviceWidth, int DeviceHeight, double Ratio);
/// Into becomes a copy of From with pixels of its own.
void CopyImage(TNativeImage &Into, const TNativeImage &From);
void SwapImages(TNativeImage &A, TNativeImage &B);
/// Into becomes a window onto Area (device pixels, inside Source) of
/// Source's pixels, without a copy.
void ViewImageArea(TNativeImage &Into, TNativeImage &Source, const TRect &Area);
/// True while another picture holds Image's pixels too.
bool ImageShared(const TNativeImage &Image);
/// Decodes a PNG or BMP file's bytes into Image; false (Image unchanged)
/// when they are neither, or the picture is larger than
/// MaxDecodedPicturePixels.
bool DecodePicture(TNativeImage &Image, const std::string &Bytes);
/// The PNG file of Image; empty when it cannot be encoded.
std::string EncodePng(const TNativeImage &Image);

/// Decodes an icon file's bytes (the system's icon formats, PNG, BMP) into
/// Image for TIcon (core/icon.cpp); false (Image unchanged) when they are
/// not a picture.
bool DecodeIconPicture(TNativeImage &Image, const std::string &Bytes);
