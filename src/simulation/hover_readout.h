#pragma once
// The read-out that follows the mouse over the chart: the wavelength under
// it, the current curve's energy density there and the energy axis's value
// at the mouse, with where the read-out stands so it stays inside the data
// area. Computed from the mouse position alone; the window shows the result.
#include "platform/geometry.h"
#include "platform/control.h"

#include <cstdint>
#include <string>

/// Values under the mouse.
struct THoverValues {
  bool Visible = false;      // the mouse is over the data area
  double WavelengthNm = 0;   // wavelength under the mouse
  double CurveDensity = 0;   // the current curve's energy density there, J/m^4
  double AxisValue = 0;      // the energy axis's value at the mouse
};

/// The values for a mouse at world (MouseX, MouseY) on the chart's first
/// layer, InChart telling whether it is over the data area; the density is
/// Planck's law at that wavelength for temperature T (0 at and below 0 nm).
THoverValues HoverValues(bool InChart, double MouseX, double MouseY, std::uint16_t T);

/// The translated words of the read-out.
struct THoverTexts {
  std::string Wavelength = "Wavelength";
  std::string Density = "Curve at the mouse";
  std::string AxisValue = "Axis at the mouse";
};

/// Three lines "word: value unit", the wavelength as a whole number of nm
/// and both densities with four significant digits, as the read-outs
/// format them.
std::string HoverText(const THoverValues &V, const THoverTexts &Words);

/// Where the read-out's label stands: a pixel anchor and the side of the
/// anchor the text goes to.
struct THoverPlacement {
  TPoint Anchor;
  TAlignment Horizontal = taLeftJustify;
  bool Above = false; // the text ends at the anchor instead of starting there
};

/// Beside the mouse at pixel Mouse, offset by a few pixels, and turned
/// towards the middle of DataArea (control pixels) so the text stays inside.
THoverPlacement HoverPlacement(TPoint Mouse, const TRect &DataArea);

/// Side of the colour swatch in pixels, and its gap to the data area's edge.
inline constexpr int SwatchSide = 28;
inline constexpr int SwatchGap = 6;

/// The colour swatch's box in the top right corner of DataArea.
TRect SwatchBox(const TRect &DataArea);

/// Anchor of the radiated-power read-out: left of the swatch, its text
/// right-aligned and starting at the swatch's top.
TPoint PowerAnchor(const TRect &DataArea);

/// Anchor of the hint that the curve runs above the axis: centred, a third
/// of the way down the data area.
TPoint HintAnchor(const TRect &DataArea);
