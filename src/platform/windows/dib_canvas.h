#pragma once
// Platform-internal: a canvas drawing on a TDibImage. The core draws lines,
// outlines, fills and copies on the DIB's pixels; text, wide pens, ellipses,
// polygon fills and hatches need the system's graphics device, which draws
// nothing here until it is written.
#include "platform/canvas.h"

class TDibImage;

/// Makes Canvas draw on Image (not owned; null: draw nothing).
void AttachDib(TCanvas &Canvas, TDibImage *Image);
