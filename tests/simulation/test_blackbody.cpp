// The black-body model against known values, an independent high-precision
// evaluation and the table of curve maxima.
#include "simulation/blackbody.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

namespace {

TEST(SpectralEnergyDensity, KnownValuesOfTheCurves) {
  EXPECT_NEAR(SpectralEnergyDensity(1e-6, 5000), 296840.7976723, 296840.7976723 * 1e-12);
  EXPECT_NEAR(SpectralEnergyDensity(3.2e-6, 898), 99.718288609, 1e-8);
  EXPECT_NEAR(SpectralEnergyDensity(1.65e-7, 898), 2.4589e-32, 0.0001e-32);
}

TEST(SpectralEnergyDensity, ExponentFromTheLimitOnGivesExactZero) {
  EXPECT_EQ(SpectralEnergyDensity(1e-7, 80), 0.0);    // exponent about 1800
  EXPECT_EQ(SpectralEnergyDensity(1.6e-7, 898), 0.0); // exponent just above 100
  // Just below the cut the value is tiny but not zero.
  EXPECT_GT(SpectralEnergyDensity(1.61e-7, 898), 0.0);
}

TEST(SpectralEnergyDensity, FiniteAndNonNegativeOverTheWholeTemperatureRange) {
  for (int t = 80; t <= 10000; t += 40) {
    for (double lam = 1e-7; lam <= 1e-5; lam += 5e-8) {
      const double u = SpectralEnergyDensity(lam, t);
      ASSERT_TRUE(std::isfinite(u)) << lam << " " << t;
      ASSERT_GE(u, 0.0) << lam << " " << t;
    }
  }
}

// Reference values computed with 50 significant digits by
// data/make_planck_reference.py from the same constants.
TEST(SpectralEnergyDensity, AgreesWithHighPrecisionReference) {
  std::ifstream in(std::string(SPECTRION_TEST_DATA) + "/planck_reference.csv");
  ASSERT_TRUE(in.good());
  std::string line;
  int rows = 0;
  int zeros = 0;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string lam, t, value;
    std::getline(fields, lam, ',');
    std::getline(fields, t, ',');
    std::getline(fields, value, ',');
    const double expected = std::strtod(value.c_str(), nullptr);
    const double got = SpectralEnergyDensity(std::strtod(lam.c_str(), nullptr), std::stod(t));
    if (expected == 0.0) {
      EXPECT_EQ(got, 0.0) << line;
      ++zeros;
    } else {
      EXPECT_NEAR(got / expected, 1.0, 1e-12) << line;
    }
    ++rows;
  }
  EXPECT_GT(rows, 400);
  EXPECT_GT(zeros, 10);
  EXPECT_LT(zeros, rows / 2);
}

TEST(PeakTable, CoversEightyToNineThousandNineHundredEightyKelvin) {
  TPeakTable table{};
  FillPeakTable(table);
  EXPECT_EQ(table.size(), 496u);
  EXPECT_EQ(PeakTableTemperature(0), 80);
  EXPECT_EQ(PeakTableTemperature(495), 9980);
  EXPECT_NEAR(table[0], 5.596e-4, 0.001e-4);
  for (int i = 0; i < PeakTableSize; ++i) {
    const double t = PeakTableTemperature(i);
    EXPECT_EQ(table[std::size_t(i)], SpectralEnergyDensity(0.0144 / (100.0 * i + 400.0), t));
    if (i > 0) { // the maxima grow with the fifth power of the temperature
      EXPECT_GT(table[std::size_t(i)], table[std::size_t(i - 1)]);
    }
  }
}

TEST(PeakWavelength, FollowsWiensLaw) {
  EXPECT_NEAR(PeakWavelength(898) * 1e9, 3207.126948775, 1e-8);
  EXPECT_DOUBLE_EQ(PeakWavelength(80) * 1e9, 36000.0);
}

} // namespace
