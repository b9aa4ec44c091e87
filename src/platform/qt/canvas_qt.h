#pragma once
// Platform-internal bridge between the graphics types and Qt. Only code inside
// src/platform includes this header.
//
// To paint a control's back buffer through the suite's drawing API:
//   QImage buffer(w, h, QImage::Format_RGB32);
//   TCanvas canvas;
//   AttachImage(canvas, &buffer);
//   ... component Paint code draws on canvas ...
// The canvas keeps no painter open between calls (outside a text pass), so
// the image may be shown, resized or replaced (attach again after replacing)
// at any time.
#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/graphics.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <string>

/// The pixel format every canvas surface uses.
inline constexpr QImage::Format SurfaceFormat = QImage::Format_RGB32;

/// Makes Canvas draw on Image (not owned; null: draw nothing), closing any
/// painter still open on the old surface. The canvas keeps its device, and
/// with it the text measurements made so far.
void AttachImage(TCanvas &Canvas, QImage *Image);

/// Opaque Qt colour for a TColor; system colours resolved by ColorToRGB.
QColor ToQColor(TColor Color);
/// The TColor (RGB, 0x00BBGGRR) of a Qt pixel value.
TColor FromQRgb(QRgb Pixel);
/// The installed face used for a font family name ("MS Sans Serif" and
/// "Arial" give "Liberation Sans", "Courier New" gives "Liberation Mono").
std::string FontFaceFor(const std::string &Name);
/// The Qt font drawing Font: pixel-sized, fully hinted, smoothed the usual way.
QFont ToQFont(const TFont &Font);
