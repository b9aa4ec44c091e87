// The hover read-out's values and text, and where it stands. The densities
// are checked against Planck's law written out here with CODATA constants,
// independent of the model's code.
#include "simulation/hover_readout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double Planck(double LambdaM, double T) {
  const double h = 6.62607015e-34, c = 299792458.0, k = 1.380649e-23;
  return 8 * M_PI * h * c / std::pow(LambdaM, 5) / std::expm1(h * c / (LambdaM * k * T));
}

TEST(HoverReadout, ValuesUnderTheMouse) {
  for (double nm : {380.0, 502.0, 3207.0, 9000.0}) {
    const THoverValues v = HoverValues(true, nm, 42.5, 5772);
    EXPECT_TRUE(v.Visible);
    EXPECT_DOUBLE_EQ(v.WavelengthNm, nm);
    EXPECT_NEAR(v.CurveDensity / Planck(nm * 1e-9, 5772), 1, 0.01) << nm;
    EXPECT_DOUBLE_EQ(v.AxisValue, 42.5);
  }
  // Over the margins there is nothing to show; left of 0 nm no curve.
  EXPECT_FALSE(HoverValues(false, 500, 1, 5772).Visible);
  EXPECT_EQ(HoverValues(true, -20, 1, 5772).CurveDensity, 0);
}

TEST(HoverReadout, TextFormatsLikeTheReadOuts) {
  THoverValues v;
  v.WavelengthNm = 3207.4;
  v.CurveDensity = 99.7182886;
  v.AxisValue = 1.104e6;
  THoverTexts words;
  words.Wavelength = "Wellenlänge";
  words.Density = "Energiedichte";
  words.AxisValue = "Achse an der Maus";
  EXPECT_EQ(HoverText(v, words), "Wellenlänge: 3207 nm\nEnergiedichte: 99.72 J/m\u2074\n"
                                 "Achse an der Maus: 1.104E6 J/m\u2074");
}

TEST(HoverReadout, PlacementTurnsTowardsTheMiddle) {
  const TRect area{64, 20, 664, 420};
  const THoverPlacement topLeft = HoverPlacement({100, 50}, area);
  EXPECT_EQ(topLeft.Horizontal, taLeftJustify);
  EXPECT_FALSE(topLeft.Above);
  EXPECT_GT(topLeft.Anchor.X, 100);
  EXPECT_GT(topLeft.Anchor.Y, 50);
  const THoverPlacement bottomRight = HoverPlacement({600, 400}, area);
  EXPECT_EQ(bottomRight.Horizontal, taRightJustify);
  EXPECT_TRUE(bottomRight.Above);
  EXPECT_LT(bottomRight.Anchor.X, 600);
  EXPECT_LT(bottomRight.Anchor.Y, 400);
  // The swatch sits inside the top right corner, the power read-out left of it.
  const TRect swatch = SwatchBox(area);
  EXPECT_EQ(swatch.Right, area.Right - SwatchGap);
  EXPECT_EQ(swatch.Top, area.Top + SwatchGap);
  EXPECT_LT(PowerAnchor(area).X, swatch.Left);
}

} // namespace
