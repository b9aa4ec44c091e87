#include "simulation/hover_readout.h"

#include "simulation/blackbody.h"
#include "widgets/num_lab_text.h"

namespace {

/// Pixels between the mouse and the read-out.
constexpr int kHoverOffset = 12;

std::string Formatted(double Value, TDisplay Display, int Precision) {
  TNumLabTextSettings s;
  s.DisplayType = Display;
  s.Precision = Precision;
  return NumLabValueText(Value, s);
}

} // namespace

THoverValues HoverValues(bool InChart, double MouseX, double MouseY, std::uint16_t T) {
  THoverValues v;
  if (!InChart) return v;
  v.Visible = true;
  v.WavelengthNm = MouseX;
  v.CurveDensity = MouseX > 0 ? SpectralEnergyDensity(MouseX * 1e-9, T) : 0;
  v.AxisValue = MouseY;
  return v;
}

std::string HoverText(const THoverValues &V, const THoverTexts &Words) {
  return Words.Wavelength + ": " + Formatted(V.WavelengthNm, dtInt, 0) + " nm\n" + Words.Density +
         ": " + Formatted(V.CurveDensity, dtFloat, 4) + " J/m\u2074\n" + Words.AxisValue + ": " +
         Formatted(V.AxisValue, dtFloat, 4) + " J/m\u2074";
}

THoverPlacement HoverPlacement(TPoint Mouse, const TRect &DataArea) {
  THoverPlacement p;
  const bool rightHalf = 2 * (Mouse.X - DataArea.Left) > DataArea.Width();
  const bool lowerHalf = 2 * (Mouse.Y - DataArea.Top) > DataArea.Height();
  p.Horizontal = rightHalf ? taRightJustify : taLeftJustify;
  p.Above = lowerHalf;
  p.Anchor = {Mouse.X + (rightHalf ? -kHoverOffset : kHoverOffset),
              Mouse.Y + (lowerHalf ? -kHoverOffset : kHoverOffset)};
  return p;
}

TRect SwatchBox(const TRect &DataArea) {
  const int right = DataArea.Right - SwatchGap;
  const int top = DataArea.Top + SwatchGap;
  return {right - SwatchSide, top, right, top + SwatchSide};
}

TPoint PowerAnchor(const TRect &DataArea) {
  const TRect swatch = SwatchBox(DataArea);
  return {swatch.Left - SwatchGap, swatch.Top};
}

TPoint HintAnchor(const TRect &DataArea) {
  return {DataArea.Left + DataArea.Width() / 2, DataArea.Top + DataArea.Height() / 3};
}
