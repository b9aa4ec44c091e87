// The radiated power and the colour of a black body. The chromaticities are
// the published Planckian locus of the CIE 1931 2-degree observer (the table
// of Wyszecki & Stiles, "Color Science", 2nd ed., also reproduced in the
// colour-science literature to four decimals); the model's radiation
// constant differs from CODATA's by 0.1 %, which moves them by at most 3e-4.
#include "simulation/body_colour.h"
#include "simulation/cie1931_cmf.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(BodyColour, RadiatedPowerIsSigmaTToTheFourth) {
  // The Sun's surface: about 6.3e7 W/m^2.
  EXPECT_NEAR(RadiatedPower(5772), 6.2938e7, 0.0001e7);
  EXPECT_NEAR(RadiatedPower(310), 523.6, 0.1);
  EXPECT_DOUBLE_EQ(RadiatedPower(1000) * 16, RadiatedPower(2000));
}

TEST(BodyColour, ChromaticityFollowsThePublishedPlanckianLocus) {
  struct Row {
    double T, x, y;
  };
  const Row table[] = {{1000, 0.6528, 0.3444}, {1500, 0.5857, 0.3931}, {2000, 0.5267, 0.4133},
                       {2500, 0.4770, 0.4137}, {3000, 0.4369, 0.4041}, {4000, 0.3805, 0.3768},
                       {5000, 0.3451, 0.3516}, {6000, 0.3221, 0.3318}, {6500, 0.3135, 0.3236},
                       {7000, 0.3064, 0.3166}, {8000, 0.2952, 0.3048}, {10000, 0.2807, 0.2884}};
  for (const Row &r : table) {
    const TChromaticity c = ChromaticityOf(BlackBodyXyz(r.T));
    EXPECT_NEAR(c.x, r.x, 5e-4) << r.T;
    EXPECT_NEAR(c.y, r.y, 5e-4) << r.T;
  }
}

TEST(BodyColour, ColoursStudentsCheckLookRightOnAnSrgbScreen) {
  // The D65 white of the sRGB standard is white.
  EXPECT_EQ(DisplayedSrgb({0.95047, 1.0, 1.08883}), (TRgb8{255, 255, 255}));
  // About 6500 K: white to the eye.
  const TRgb8 white = BlackBodySrgb(6500);
  EXPECT_GE(std::min({white.R, white.G, white.B}), 245);
  // 1500 K: deep orange, full red, about two fifths green, no blue.
  const TRgb8 orange = BlackBodySrgb(1500);
  EXPECT_EQ(orange.R, 255);
  EXPECT_GE(orange.G, 85);
  EXPECT_LE(orange.G, 120);
  EXPECT_LE(orange.B, 10);
  // 10000 K: pale blue.
  const TRgb8 blue = BlackBodySrgb(10000);
  EXPECT_EQ(blue.B, 255);
  EXPECT_GE(blue.R, 190);
  EXPECT_LE(blue.R, 215);
  EXPECT_GT(blue.G, blue.R);
  EXPECT_LT(blue.G, 235);
  // Warmer is redder all the way.
  for (double t = 1000; t < 10000; t += 500)
    EXPECT_GE(BlackBodySrgb(t).R, BlackBodySrgb(t + 500).R) << t;
  // A body the model gives no visible light is black, not a guess.
  EXPECT_EQ(BlackBodySrgb(100), (TRgb8{0, 0, 0}));
}

TEST(BodyColour, MatchingFunctionTableIsTheStandardObserver) {
  // Spot values of the CIE table and its shape: y-bar is 1 at 555 nm, the
  // grid is 5 nm from 360 to 830.
  EXPECT_EQ(Cie1931Cmf.front().WavelengthNm, 360);
  EXPECT_EQ(Cie1931Cmf.back().WavelengthNm, 830);
  for (std::size_t i = 1; i < Cie1931Cmf.size(); ++i)
    EXPECT_EQ(Cie1931Cmf[i].WavelengthNm - Cie1931Cmf[i - 1].WavelengthNm, CmfStepNm);
  const TCmfSample &at555 = Cie1931Cmf[(555 - 360) / 5];
  EXPECT_DOUBLE_EQ(at555.Y, 1.0);
  EXPECT_DOUBLE_EQ(Cie1931Cmf[(600 - 360) / 5].X, 1.0622);
  EXPECT_DOUBLE_EQ(Cie1931Cmf[(450 - 360) / 5].Z, 1.77211);
}

} // namespace
