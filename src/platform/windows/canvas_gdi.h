#pragma once
// Platform-internal bridge between the canvas and the Windows back end's
// pictures. To paint a control's back buffer through the suite's drawing API:
//   TDibImage buffer(w, h);
//   TCanvas canvas;
//   AttachDib(canvas, &buffer);
//   ... component Paint code draws on canvas ...
// The canvas holds the picture in a device context only while it draws
// (and through a text pass), so the picture may be shown, resized or replaced
// at any time outside a text pass; attach again after replacing it.
#include "platform/canvas.h"

#include <string>

class TDibImage;

/// Makes Canvas draw on Image (not owned; null: draw nothing), letting go of
/// the old picture. The canvas keeps its device and with it its fonts.
void AttachDib(TCanvas &Canvas, TDibImage *Image);

/// The installed face drawing a font family name: the classic raster face
/// names give their scalable successors, every other name is kept.
std::string GdiFaceFor(const std::string &Name);
