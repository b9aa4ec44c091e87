#pragma once
// The 3-D frame painter of the component suite (used by the stand-alone scale).
#include "platform/canvas.h"
#include "platform/color.h"

#include <array>
#include <cstdint>

enum TFrameStyle { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
/// Published names of TFrameStyle's values, by ordinal.
inline constexpr std::array<const char *, 6> FrameStyleNames{
    "fsNone", "fsSimple", "fsLowered", "fsRaised", "fsEmbossed", "fsEngraved"};

/// Draws a frame whose corners (X1, Y1) top-left and (X2, Y2) bottom-right both
/// lie on the frame. Bit 7 of Style is ignored; fsNone and values above
/// fsEngraved draw nothing. fsSimple draws a ring in ColorE; the other styles
/// draw two rings from ColorA .. ColorD. Leaves the canvas pen colour changed.
void DrawFrame(TCanvas &Canvas, std::uint8_t Style, int X1, int Y1, int X2, int Y2, TColor ColorA,
               TColor ColorB, TColor ColorC, TColor ColorD, TColor ColorE);
