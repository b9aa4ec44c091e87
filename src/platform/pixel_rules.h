#pragma once
// The canvas's own pixel rules on a plain pixel buffer: one-pixel lines
// (end point left out, dash patterns), box outlines, fills, raster
// operations and copies. Every back end's surface hands its pixels to these
// routines, so what they draw is the same to the byte on every system; the
// back ends draw only text and the shapes listed in canvas.h as theirs.
#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/graphics.h"

#include <cstddef>
#include <cstdint>

/// Raster operations for CopyRect (CopyMode).
using TCopyMode = std::uint32_t;
inline constexpr TCopyMode SRCCOPY = 0x00CC0020;
inline constexpr TCopyMode SRCPAINT = 0x00EE0086;
inline constexpr TCopyMode SRCAND = 0x008800C6;
inline constexpr TCopyMode SRCINVERT = 0x00660046;
inline constexpr TCopyMode NOTSRCCOPY = 0x00330008;
inline constexpr TCopyMode DSTINVERT = 0x00550009;
inline constexpr TCopyMode BLACKNESS = 0x00000042;
inline constexpr TCopyMode WHITENESS = 0x00FF0062;

/// Pixels of a surface: 32-bit words 0xFFRRGGBB (alpha always set), row y
/// starting at Bits + y * Stride. Not owned.
struct TPixelView {
  std::uint32_t *Bits = nullptr;
  int Width = 0;
  int Height = 0;
  /// Distance between rows, in pixels.
  std::ptrdiff_t Stride = 0;

  bool Empty() const { return !Bits || Width <= 0 || Height <= 0; }
  std::uint32_t *Row(int Y) const { return Bits + Stride * Y; }
  /// The whole surface as a rectangle.
  TRect Bounds() const { return TRect{0, 0, Width, Height}; }
};

/// The surface word of a colour (system colours resolved).
std::uint32_t PixelOf(TColor Color);
/// The colour (RGB) of a surface word.
inline TColor ColorOfPixel(std::uint32_t Pixel) {
  return TColor(((Pixel >> 16) & 0xFFu) | (Pixel & 0xFF00u) | ((Pixel & 0xFFu) << 16));
}

/// Pen mode Mode applied to pen pixel P over destination D.
std::uint32_t ApplyPenMode(TPenMode Mode, std::uint32_t P, std::uint32_t D);
/// Copy mode Mode applied to source pixel S over destination D.
std::uint32_t ApplyCopyMode(TCopyMode Mode, std::uint32_t S, std::uint32_t D);
/// Dash pattern of a one-pixel pen as a 24-pixel mask (bit i: pixel i is
/// drawn); 0xFFFFFF for solid pens.
std::uint32_t PenPatternMask(TPenStyle Style);
/// The overlap of A and B (empty, never inverted, when they do not meet).
TRect IntersectRects(const TRect &A, const TRect &B);

/// How a one-pixel stroke colours its pixels.
struct TStrokeRule {
  std::uint32_t Pen = 0xFF000000u;
  /// Colour of the pattern's gaps when FillGaps is set.
  std::uint32_t Gap = 0xFFFFFFFFu;
  TPenMode Mode = pmCopy;
  std::uint32_t Mask = 0xFFFFFF;
  bool FillGaps = false;
};

/// The line from A to B without B, clipped to Clip (which lies inside
/// Surface). PatternPos is the dash phase at A and becomes the phase at B.
void RasterLine(const TPixelView &Surface, TPoint A, TPoint B, unsigned &PatternPos,
                const TRect &Clip, const TStrokeRule &Rule);
/// One-pixel outline of the box X1 .. X2-1 x Y1 .. Y2-1, every pixel once
/// (so XOR outlines are exact), clockwise from the top-left corner.
/// The pixels RasterLine gives a solid copy-mode line from A to B (A != B)
/// whose ends both lie inside the clip, so that every pixel does: the same
/// walk with the pixel address stepped along and no clip or pattern checks.
void RasterSolidLineInside(const TPixelView &Surface, TPoint A, TPoint B, std::uint32_t Pixel);

void RasterBox(const TPixelView &Surface, int X1, int Y1, int X2, int Y2, const TRect &Clip,
               const TStrokeRule &Rule);
/// Fills R inside Clip with Pixel under pen mode Mode.
void RasterFill(const TPixelView &Surface, const TRect &R, const TRect &Clip, std::uint32_t Pixel,
                TPenMode Mode);
/// Combines SourceRect of Source into Dest (scaled to the nearest pixel when
/// the sizes differ) inside Clip with copy mode Mode; with SkipColor, source
/// pixels of colour Skip are left out. Source must not share pixels with
/// Surface (copy them first).
void RasterBlit(const TPixelView &Surface, const TRect &Dest, const TPixelView &Source,
                const TRect &SourceRect, const TRect &Clip, TCopyMode Mode, bool SkipColor,
                TColor Skip);
