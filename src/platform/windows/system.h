#pragma once
// Platform-internal: the Windows API for the back end's window code. The
// suite's own names that the system's headers also define as macros (the
// raster operations, RGB) are declared first, so the macros that follow
// stand for the same values.
#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/pixel_rules.h"
#include "platform/windows/dib_image.h"

#include <windows.h>
