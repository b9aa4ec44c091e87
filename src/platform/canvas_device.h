#pragma once
// TCanvasDevice: what a canvas needs from the system it runs on. The canvas
// itself (core/canvas.cpp) keeps the tools, the clip and the pen position and
// draws one-pixel lines, outlines, solid fills, pixels and copies with the
// pixel rules on the device's pixels; the device adds what only the system's
// graphics can do: text, wide pens, ellipses, polygon fills and hatches.
// Every coordinate handed to a device is logical; the device draws at its
// own pixel ratio. Clip rectangles are logical and already lie inside the
// surface.
#include "platform/geometry.h"
#include "platform/graphics.h"
#include "platform/pixel_rules.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TCanvasDevice {
public:
  virtual ~TCanvasDevice() = default;

  /// True while the device has pixels to draw on.
  virtual bool Attached() const = 0;
  /// Size of the surface in device pixels.
  virtual TSize DeviceSize() const = 0;
  /// Device pixels per logical pixel.
  virtual double PixelRatio() const = 0;
  /// The pixels for writing; a surface sharing its pixels with another
  /// picture gets pixels of its own first. Empty without a surface.
  virtual TPixelView WritePixels() = 0;
  /// The pixels for reading; a surface stored in another format is converted
  /// into Scratch, which then holds the pixels the view shows.
  virtual TPixelView ReadPixels(std::vector<std::uint32_t> &Scratch) const = 0;

  virtual int TextWidth(const TFont &Font, const std::string &Text) = 0;
  /// Height of the text cell of Font.
  virtual int TextHeight(const TFont &Font) = 0;
  /// Distance from the top of the text cell to the baseline.
  virtual int TextAscent(const TFont &Font) = 0;
  /// Text in the font colour with its cell's top-left at (X, Y); no background.
  virtual void DrawText(const TFont &Font, int X, int Y, const std::string &Text,
                        const TRect &Clip) = 0;
  /// Between these calls (nested calls count) texts may share one open
  /// painter; every other drawing of the device closes it first.
  virtual void BeginTextPass() = 0;
  virtual void EndTextPass() = 0;

  /// Connected lines through Points (closed: back to the first) with a pen
  /// wider than one pixel, round ends and joins.
  virtual void StrokeWide(const TPoint *Points, int Count, bool Closed, const TPen &Pen,
                          const TRect &Clip) = 0;
  /// The ellipse in Box (the box's right and bottom edges left out): interior
  /// in Brush, outline in Pen, both combined under pen mode Mode; a null tool
  /// draws nothing of its part.
  virtual void Ellipse(const TRect &Box, const TPen *Pen, const TBrush *Brush, TPenMode Mode,
                       const TRect &Clip) = 0;
  /// Interior of the closed outline through Points (alternate filling rule)
  /// in Brush, combined under pen mode Mode.
  virtual void FillPolygon(const TPoint *Points, int Count, const TBrush &Brush, TPenMode Mode,
                           const TRect &Clip) = 0;
  /// The hatch lines of a hatched Brush over R (gaps stay) under pen mode Mode.
  virtual void FillHatch(const TRect &R, const TBrush &Brush, TPenMode Mode, const TRect &Clip) = 0;
};

/// This system's device for a canvas that has no surface of its own yet: it
/// measures text and draws nothing. Null where the system has no text yet.
std::unique_ptr<TCanvasDevice> NewCanvasDevice();
