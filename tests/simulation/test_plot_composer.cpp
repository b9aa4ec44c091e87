// The picture the composer builds: item counts, positions, colours and order.
#include "chart/rchart.h"
#include "simulation/blackbody.h"
#include "simulation/label_format.h"
#include "simulation/plot_composer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class Composer : public ::testing::Test {
protected:
  Composer() : chart(nullptr) { FillPeakTable(peaks); }

  TPlotInputs Inputs(std::uint16_t T) const {
    TPlotInputs in;
    in.Temperature = T;
    in.YLow = 0;
    in.YHigh = 158.489;
    in.BandText = "visible light";
    in.LabelFormat = "%d K";
    return in;
  }

  TRChart chart;
  TPeakTable peaks{};
};

TEST_F(Composer, OneCurveIsAMoveToAndOneHundredNinetyEightSamples) {
  chart.SetDataColor(0x445566);
  DrawCurve(chart, 898, 0, "%d K");
  ASSERT_EQ(chart.ItemCount(), 199);
  const GraphItem &start = chart.Items(0);
  EXPECT_EQ(start.Kind, ikMoveTo);
  EXPECT_NEAR(start.X1, 100.0, 1e-9);
  EXPECT_EQ(start.Y1, 0.0);
  double lambda = 1e-7;
  for (int i = 1; i <= 198; ++i) {
    const GraphItem &s = chart.Items(i);
    ASSERT_EQ(s.Kind, ikDrawTo);
    EXPECT_EQ(s.X1, lambda * 1e9);
    EXPECT_EQ(s.Y1, SpectralEnergyDensity(lambda, 898));
    EXPECT_EQ(s.Color, 0x445566u);
    lambda += 5e-8;
  }
  EXPECT_NEAR(chart.Items(198).X1, 9950.0, 1e-6);
  // Samples below the cut are exact zeros.
  EXPECT_EQ(chart.Items(1).Y1, 0.0);
}

TEST_F(Composer, SnapshotLabelSitsAtThePeakWavelengthAndTheLargestSample) {
  DrawCurve(chart, 898, 1, "%d K");
  const TTextLabel &l = *chart.TextLabels(1);
  EXPECT_NEAR(l.PosX(), 3207.126948775, 1e-6);
  EXPECT_NEAR(l.PosY(), 99.73172659, 1e-8);
  // PosY is the largest sample itself, the one at 3250 nm.
  int best = 1;
  for (int i = 2; i < chart.ItemCount(); ++i)
    if (chart.Items(i).Y1 > chart.Items(best).Y1) best = i;
  EXPECT_EQ(l.PosY(), chart.Items(best).Y1);
  EXPECT_NEAR(chart.Items(best).X1, 3250.0, 1e-6);
  EXPECT_EQ(l.Caption(), "898 K");
  EXPECT_TRUE(l.Transparent());
  EXPECT_EQ(l.Mode(), tlShadow);
}

TEST_F(Composer, BareCompositionHasTheCurveAndThePeakLine) {
  TPlotInputs in = Inputs(898);
  in.YLow = 1;
  ComposePlot(chart, in, peaks);
  ASSERT_EQ(chart.ItemCount(), 201);
  EXPECT_EQ(chart.Items(0).Color, CurrentCurveColor);
  const GraphItem &m = chart.Items(199);
  const GraphItem &d = chart.Items(200);
  EXPECT_EQ(m.Kind, ikMoveTo);
  EXPECT_EQ(d.Kind, ikDrawTo);
  EXPECT_NEAR(m.X1, 3207.126948775, 1e-6);
  EXPECT_EQ(m.X1, d.X1);
  EXPECT_EQ(m.Y1, 1.0);
  EXPECT_EQ(d.Y1, 158.489);
  EXPECT_EQ(d.Color, PeakLineColor);
  EXPECT_EQ(d.PenStyle, psDot);
  EXPECT_EQ(chart.PenStyle(), psSolid); // the pen is put back, the colour is not
  EXPECT_EQ(chart.DataColor(), PeakLineColor);
}

TEST_F(Composer, BandAndPeakCurveComeFirst) {
  TPlotInputs in = Inputs(898);
  in.ShowBand = true;
  in.ShowPeakCurve = true;
  in.BandText = "a much longer band text";
  ComposePlot(chart, in, peaks);
  ASSERT_EQ(chart.ItemCount(), 2 + 496 + 199 + 2);
  const GraphItem &band = chart.Items(0);
  EXPECT_EQ(band.Kind, ikRectangle);
  EXPECT_EQ(band.X1, 380.0);
  EXPECT_EQ(band.Y1, 0.0);
  EXPECT_EQ(band.X2, 770.0);
  EXPECT_EQ(band.Y2, 158.489);
  EXPECT_EQ(band.Color, BandColor);
  EXPECT_EQ(band.FillColor, BandColor);
  const GraphItem &text = chart.Items(1);
  EXPECT_EQ(text.Kind, ikText);
  EXPECT_EQ(text.X1, 480.0);
  EXPECT_NEAR(text.Y1, 153.73433, 1e-5);
  EXPECT_EQ(text.FontSize, 10);
  EXPECT_EQ(text.TextAlign, taLeftJustify);
  EXPECT_EQ(text.Color, BandTextColor);
  EXPECT_EQ(text.Text.View(), "a much longer b");

  const GraphItem &first = chart.Items(2);
  EXPECT_EQ(first.Kind, ikMoveTo);
  EXPECT_EQ(first.X1, 36000.0);
  EXPECT_NEAR(first.Y1, 5.596e-4, 0.001e-4);
  EXPECT_EQ(first.Color, PeakCurveColor);
  const GraphItem &last = chart.Items(2 + 495);
  EXPECT_EQ(last.Kind, ikDrawTo);
  EXPECT_NEAR(last.X1, 288.577, 1e-3);
  EXPECT_EQ(last.Y1, peaks[495]);
  EXPECT_EQ(chart.Items(2 + 496).Kind, ikMoveTo); // the current curve follows
}

TEST_F(Composer, BandTextOnALogarithmicAxisSitsAtOneFifthOfTheTop) {
  TPlotInputs in = Inputs(898);
  in.ShowBand = true;
  in.LogScale = true;
  in.YHigh = 1e10;
  ComposePlot(chart, in, peaks);
  EXPECT_EQ(chart.Items(1).Y1, 2e9);
  EXPECT_EQ(chart.Items(1).Text.View(), "visible light");
}

TEST_F(Composer, SnapshotsAreDrawnOldestFirstWithTheirLabels) {
  TPlotInputs in = Inputs(898);
  in.Snapshots = {500, 2000};
  ComposePlot(chart, in, peaks);
  ASSERT_EQ(chart.ItemCount(), 3 * 199 + 2);
  EXPECT_EQ(chart.Items(0).Color, SnapshotColor);
  EXPECT_EQ(chart.Items(199).Color, SnapshotColor);
  EXPECT_EQ(chart.Items(398).Color, CurrentCurveColor);
  double lambda = 1e-7;
  for (int i = 1; i < 50; ++i)
    lambda += 5e-8;
  EXPECT_EQ(chart.Items(50).Y1, SpectralEnergyDensity(lambda, 500)); // the oldest comes first
  EXPECT_EQ(chart.TextLabels(1)->Caption(), "500 K");
  EXPECT_EQ(chart.TextLabels(2)->Caption(), "2000 K");
  EXPECT_EQ(chart.TextLabels(3)->Mode(), tlOff);
  EXPECT_NEAR(chart.Items(597).X1, 3207.127, 1e-3);

  // Twenty snapshots, the heaviest picture.
  in.Snapshots.clear();
  for (int i = 0; i < 20; ++i)
    in.Snapshots.push_back(std::uint16_t(500 + 100 * i));
  in.ShowBand = in.ShowPeakCurve = true;
  ComposePlot(chart, in, peaks);
  EXPECT_EQ(chart.ItemCount(), 4679);
  for (int k = 1; k <= 20; ++k)
    EXPECT_EQ(chart.TextLabels(k)->Caption(), std::to_string(500 + 100 * (k - 1)) + " K");
}

TEST_F(Composer, BadLabelFormatStopsBeforeThePictureIsShown) {
  chart.HandleNeeded();
  chart.SetAutoRedraw(false); // as in the window: only ShowGraph paints
  TPlotInputs in = Inputs(898);
  in.Snapshots = {500};
  in.LabelFormat = "%s K";
  const int paints = chart.PaintCount();
  EXPECT_THROW(ComposePlot(chart, in, peaks), ELabelFormatError);
  EXPECT_EQ(chart.PaintCount(), paints); // no ShowGraph
  EXPECT_EQ(chart.ItemCount(), 199);     // the snapshot curve was appended
  in.LabelFormat = "%d K";
  ComposePlot(chart, in, peaks);
  EXPECT_EQ(chart.PaintCount(), paints + 1);
}

} // namespace
