#pragma once
// Platform-internal: the GDI font description of a TFont, shared by the
// canvas's text device and the common controls' window fonts.
#include "platform/graphics.h"

#include <windows.h>

/// The LOGFONTW drawing Font at Ratio device pixels per logical pixel (a
/// height of 0 gives the suite's default of 11 pixels).
LOGFONTW LogFontOf(const TFont &Font, double Ratio);
