#include "plot_options.h"

#include <gtest/gtest.h>

namespace {

TPlotToolOptions Parse(const std::vector<std::string> &Args) {
  const TParsedOptions p = ParsePlotOptions(Args);
  EXPECT_TRUE(p.Options.has_value()) << p.Error;
  return p.Options.value_or(TPlotToolOptions{});
}

std::string Error(const std::vector<std::string> &Args) {
  const TParsedOptions p = ParsePlotOptions(Args);
  EXPECT_FALSE(p.Options.has_value());
  return p.Error;
}

} // namespace

TEST(PlotOptions, DefaultsAreTheWindowsStartState) {
  const TPlotToolOptions o = Parse({"-o", "a.png"});
  EXPECT_EQ(o.Temperature, 898);
  EXPECT_TRUE(o.Snapshots.empty());
  EXPECT_FALSE(o.ShowBand || o.ShowPeakCurve || o.LogScale);
  EXPECT_FALSE(o.TopGiven); // the top fits the curves
  EXPECT_EQ(o.Width, 800);
  EXPECT_EQ(o.Height, 600);
  EXPECT_EQ(o.Scale, 1);
  EXPECT_EQ(o.PngFile, "a.png");
}

TEST(PlotOptions, EveryOptionInBothSpellings) {
  const TPlotToolOptions o = Parse({"--temperature=5800", "-s", "3000,4000", "--snapshot", "5000",
                                    "--band", "--peak-curve", "--top", "1e8", "--size=1024x768",
                                    "--csv", "-", "--output=p.png", "--language", "de.itl"});
  EXPECT_EQ(o.Temperature, 5800);
  EXPECT_EQ(o.Snapshots, (std::vector<int>{3000, 4000, 5000}));
  EXPECT_TRUE(o.ShowBand && o.ShowPeakCurve);
  EXPECT_DOUBLE_EQ(o.Top, 1e8);
  EXPECT_EQ(o.Width, 1024);
  EXPECT_EQ(o.Height, 768);
  EXPECT_EQ(o.CsvFile, "-");
  EXPECT_EQ(o.PngFile, "p.png");
  EXPECT_EQ(o.LanguageFile, "de.itl");
  EXPECT_TRUE(Parse({"--log", "--csv", "x"}).LogScale);
}

TEST(PlotOptions, TemperaturesStayWithinTheScrollBarsRange) {
  EXPECT_EQ(Parse({"-t", "80", "--csv", "-"}).Temperature, 80);
  EXPECT_EQ(Parse({"-t", "10000", "--csv", "-"}).Temperature, 10000);
  for (const char *bad : {"79", "10001", "5800.5", "58OO", "", "-300", "99999999999999"})
    EXPECT_NE(Error({"-t", bad, "--csv", "-"}).find("whole temperature"), std::string::npos) << bad;
  EXPECT_NE(Error({"--snapshot", "3000,,4000", "--csv", "-"}).find("--snapshot"),
            std::string::npos);
  EXPECT_NE(Error({"--snapshot", "3000,", "--csv", "-"}).find("--snapshot"), std::string::npos);
  EXPECT_NE(Error({"-s", "50", "--csv", "-"}).find("\"50\""), std::string::npos);
}

TEST(PlotOptions, AtMostTwentySnapshots) {
  std::vector<std::string> args = {"--csv", "-"};
  for (int i = 0; i < 20; ++i)
    args.insert(args.end(), {"-s", std::to_string(100 + i)});
  EXPECT_EQ(Parse(args).Snapshots.size(), 20u);
  args.insert(args.end(), {"-s", "5000"});
  EXPECT_NE(Error(args).find("at most 20"), std::string::npos);
}

TEST(PlotOptions, SizeAndTopAreChecked) {
  for (const char *bad : {"149x600", "800x79", "8001x600", "800", "x600", "800x", "axb"})
    EXPECT_NE(Error({"--size", bad, "--csv", "-"}).find("WIDTHxHEIGHT"), std::string::npos) << bad;
  EXPECT_EQ(Parse({"--size", "150x80", "--csv", "-"}).Width, 150);
  for (const char *bad : {"0", "9e-11", "-5", "inf", "nan", "1e31", "ten"})
    EXPECT_NE(Error({"--top", bad, "--csv", "-"}).find("--top"), std::string::npos) << bad;
  EXPECT_NE(Error({"--log", "--top", "100", "--csv", "-"}).find("logarithmic"), std::string::npos);
}

TEST(PlotOptions, ScaleIsARatioFromOneToFourWithinThePictureLimit) {
  EXPECT_EQ(Parse({"--scale", "2", "--size", "1500x1000", "-o", "a.png"}).Scale, 2);
  EXPECT_EQ(Parse({"--scale=1.5", "-o", "a.png"}).Scale, 1.5);
  for (const char *bad : {"0", "0.5", "4.01", "-2", "two", "", "nan"})
    EXPECT_NE(Error({"--scale", bad, "-o", "a.png"}).find("--scale"), std::string::npos) << bad;
  // 4000 x 2 is the largest side there is; one pixel more is refused.
  Parse({"--size", "4000x600", "--scale", "2", "-o", "a.png"});
  EXPECT_NE(Error({"--size", "4001x600", "--scale", "2", "-o", "a.png"}).find("8000 pixels"),
            std::string::npos);
}

TEST(PlotOptions, MistakesAreNamed) {
  EXPECT_EQ(Error({"--frobnicate"}), "unknown option \"--frobnicate\"");
  EXPECT_EQ(Error({"stray"}), "unexpected argument \"stray\"");
  EXPECT_NE(Error({"-t"}).find("needs a temperature"), std::string::npos);
  EXPECT_NE(Error({"--band=yes", "--csv", "-"}).find("takes no value"), std::string::npos);
  EXPECT_NE(Error({"-t", "900"}).find("nothing to write"), std::string::npos);
  EXPECT_NE(Error({"--csv", ""}).find("needs a file name"), std::string::npos);
  // Help and the version win over missing outputs.
  EXPECT_TRUE(Parse({"--help"}).Help);
  EXPECT_TRUE(Parse({"--version"}).Version);
  EXPECT_NE(Error({"--version=2"}).find("takes no value"), std::string::npos);
}

TEST(PlotOptions, HelpNamesTheProgramAndEveryOption) {
  const std::string help = PlotToolHelp("spectrion-plot");
  EXPECT_EQ(help.rfind("Usage: spectrion-plot ", 0), 0u);
  for (const char *option : {"--temperature", "--snapshot", "--band", "--peak-curve", "--log",
                             "--top", "--language", "--output", "--size", "--scale", "--csv",
                             "--help"})
    EXPECT_NE(help.find(option), std::string::npos) << option;
}

TEST(PlotOptions, PictureAndTableCannotShareAFile) {
  EXPECT_NE(Error({"-o", "out.png", "--csv", "./sub/../out.png"}).find("same file"),
            std::string::npos);
  Parse({"-o", "out.png", "--csv", "out.csv"});
}
