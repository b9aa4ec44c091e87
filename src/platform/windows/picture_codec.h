#pragma once
// Reading and writing picture files for the Windows back end's pictures:
// PNG and BMP in, PNG out, icon files (ICO, with BMP or PNG entries) in.
// Pixels come and go as 0xAARRGGBB words; pictures without transparency
// have alpha 255 everywhere.
#include "platform/windows/dib_image.h"

#include <optional>
#include <string>

/// The picture in the bytes of a PNG or BMP file; nothing when they are
/// neither, are damaged, or describe more than MaxPixels pixels (checked
/// before anything is decoded).
std::optional<TDibImage> DecodePngOrBmp(const std::string &Bytes, long long MaxPixels);
/// The best picture of an ICO file's bytes (the largest, then the deepest
/// entry; PNG entries too); nothing when they are not an icon file.
std::optional<TDibImage> DecodeIcoFile(const std::string &Bytes, long long MaxPixels);
/// The PNG file of Image (its top bytes as alpha when WithAlpha, else opaque);
/// empty when it cannot be encoded.
std::string EncodePngFile(const TDibImage &Image, bool WithAlpha);
