// The main window: its start-up state, the snapshots, the energy axis in both
// modes, resizing and the layout read from its description.
#include "helper_main_window.h"

#include "chart/rchart.h"
#include "hostlink/demon_client.h"
#include "simulation/main_window.h"
#include "simulation/plot_composer.h"
#include "widgets/num_lab.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace window_test;

class MainWindow : public ::testing::Test {
protected:
  MainWindow() : w(new TfrmExample(nullptr)) {}
  ~MainWindow() override { w->Free(); }
  TfrmExample *w;
  TRChart &chart() { return *w->RCChart; }
};

TEST_F(MainWindow, StartsAt898KelvinWithTheCurrentCurveAndItsPeakLine) {
  EXPECT_EQ(w->NLTemperature->ValueText(), "898");
  EXPECT_EQ(w->NLTemperature->RightText(), "K");
  EXPECT_EQ(w->NLPeakAt->ValueText(), "3207");
  EXPECT_EQ(w->NLPeakAt->RightText(), "nm");
  EXPECT_NEAR(w->NLPeakAt->Value(), 3207.126948775, 1e-6);
  EXPECT_TRUE(w->BButAdd->Enabled());
  EXPECT_TRUE(w->Snapshots.empty());

  TScalePropsVert *y = chart().Scale1Y();
  EXPECT_FALSE(y->Logarithmic());
  EXPECT_DOUBLE_EQ(y->RangeLow(), 9e-11);
  EXPECT_DOUBLE_EQ(y->RangeHigh(), std::pow(10.0, 2.2));
  EXPECT_DOUBLE_EQ(chart().Scale1X()->RangeLow(), 0.0);
  EXPECT_DOUBLE_EQ(chart().Scale1X()->RangeHigh(), 10000.0);
  EXPECT_EQ(w->SBTemperature->Min(), 80);
  EXPECT_EQ(w->SBTemperature->Max(), 10000);
  EXPECT_EQ(w->TBScaleY->Min(), -40);
  EXPECT_EQ(w->TBScaleY->Max(), 80);
  EXPECT_EQ(w->TBScaleY->Position(), 22);

  // Current curve (199 black items) and the red dotted peak line through the
  // whole energy axis: nothing else.
  ASSERT_EQ(chart().ItemCount(), 201);
  EXPECT_EQ(ItemsOfColour(chart(), CurrentCurveColor), 199);
  const GraphItem &from = chart().Items(199);
  const GraphItem &to = chart().Items(200);
  EXPECT_EQ(from.Kind, ikMoveTo);
  EXPECT_EQ(to.Kind, ikDrawTo);
  for (const GraphItem *item : {&from, &to}) {
    EXPECT_EQ(item->Color, PeakLineColor);
    EXPECT_EQ(item->PenStyle, psDot);
    EXPECT_NEAR(item->X1, 3207.126948775, 1e-6);
  }
  EXPECT_DOUBLE_EQ(from.Y1, 9e-11);
  EXPECT_DOUBLE_EQ(to.Y1, std::pow(10.0, 2.2));
  // The pen is solid again for whatever is drawn next.
  EXPECT_EQ(chart().PenStyle(), psSolid);

  // Labels 1 ... 20 are prepared for the snapshots and hidden.
  for (int i = 1; i <= 20; ++i) {
    EXPECT_EQ(chart().TextLabels(i)->Mode(), tlOff) << i;
    EXPECT_TRUE(chart().TextLabels(i)->Transparent()) << i;
    EXPECT_EQ(chart().TextLabels(i)->Font()->Color(), TColor(0xFF0000)) << i;
    EXPECT_EQ(chart().TextLabels(i)->AttachToData(), tlamBoth) << i;
  }
}

TEST_F(MainWindow, TemperatureMovesTheReadOutsAndTheCurve) {
  w->SBTemperature->SetPosition(5000);
  EXPECT_EQ(w->NLTemperature->ValueText(), "5000");
  EXPECT_EQ(w->NLPeakAt->ValueText(), "576");
  EXPECT_NEAR(chart().Items(199).X1, 576.0, 1e-9);
  // Ends of the range come from the scroll bar's limits.
  w->SBTemperature->SetPosition(20000);
  EXPECT_EQ(w->NLTemperature->ValueText(), "10000");
  w->SBTemperature->SetPosition(1);
  EXPECT_EQ(w->NLTemperature->ValueText(), "80");
  EXPECT_EQ(w->NLPeakAt->ValueText(), "36000");
}

TEST_F(MainWindow, TheTwentyFirstSnapshotDropsTheOldest) {
  for (int T = 100; T <= 2000; T += 100)
    SnapshotAt(*w, T);
  ASSERT_EQ(w->Snapshots.size(), 20u);
  EXPECT_EQ(LabelledCaptions(chart(), 20).front(), 100);
  SnapshotAt(*w, 2100);
  ASSERT_EQ(w->Snapshots.size(), 20u);
  std::vector<int> expected;
  for (int T = 200; T <= 2100; T += 100)
    expected.push_back(T);
  EXPECT_EQ(std::vector<int>(w->Snapshots.begin(), w->Snapshots.end()), expected);
  // Labels 1 ... 20 name the snapshots in the same order and are shown.
  EXPECT_EQ(LabelledCaptions(chart(), 20), expected);
  for (int k = 1; k <= 20; ++k) {
    EXPECT_EQ(chart().TextLabels(k)->Mode(), tlShadow) << k;
    EXPECT_EQ(chart().TextLabels(k)->Caption(),
              std::to_string(expected[std::size_t(k - 1)]) + " K");
  }
  // 20 grey curves of 199 items each, then the current one and the peak line.
  EXPECT_EQ(ItemsOfColour(chart(), SnapshotColor), 20 * 199);
  EXPECT_EQ(chart().ItemCount(), 21 * 199 + 2);
}

TEST_F(MainWindow, AddStaysDisabledUntilTheTemperatureMovesOrClear) {
  w->BButAdd->PerformClick();
  EXPECT_FALSE(w->BButAdd->Enabled());
  ASSERT_EQ(w->Snapshots.size(), 1u);
  EXPECT_EQ(w->Snapshots[0], 898);
  // A second press at the same temperature adds nothing.
  w->BButAdd->PerformClick();
  EXPECT_EQ(w->Snapshots.size(), 1u);
  // Neither do the other controls re-enable it.
  w->CBPeakCurve->SetChecked(true);
  w->CBoxVisRange->SetChecked(true);
  w->TBScaleY->SetPosition(10);
  EXPECT_FALSE(w->BButAdd->Enabled());
  w->SBTemperature->SetPosition(1200);
  EXPECT_TRUE(w->BButAdd->Enabled());
  w->BButAdd->PerformClick();
  EXPECT_EQ(w->Snapshots.size(), 2u);
  EXPECT_FALSE(w->BButAdd->Enabled());
  w->BButClear->PerformClick();
  EXPECT_TRUE(w->BButAdd->Enabled());
  EXPECT_TRUE(w->Snapshots.empty());
}

TEST_F(MainWindow, ClearHidesTheLabelsOfAllSnapshots) {
  for (int T : {500, 1000, 1500, 2000, 2500})
    SnapshotAt(*w, T);
  for (int k = 1; k <= 5; ++k)
    ASSERT_EQ(chart().TextLabels(k)->Mode(), tlShadow);
  w->BButClear->PerformClick();
  EXPECT_TRUE(w->Snapshots.empty());
  for (int k = 1; k <= 20; ++k)
    EXPECT_EQ(chart().TextLabels(k)->Mode(), tlOff) << k;
  EXPECT_EQ(ItemsOfColour(chart(), SnapshotColor), 0);
  EXPECT_EQ(chart().ItemCount(), 201);
}

TEST_F(MainWindow, TrackBarSetsTheTopOfTheLinearEnergyAxis) {
  TScalePropsVert *y = chart().Scale1Y();
  struct {
    int Position;
    double High;
  } cases[] = {{22, std::pow(10.0, 2.2)}, {0, 1.0}, {-40, 1e-4}, {80, 1e8}, {10, 10.0}};
  for (const auto &c : cases) {
    w->TBScaleY->SetPosition(c.Position);
    EXPECT_NEAR(y->RangeHigh(), c.High, c.High * 1e-12) << c.Position;
    EXPECT_DOUBLE_EQ(y->RangeLow(), 9e-11) << c.Position;
    EXPECT_FALSE(y->Logarithmic());
    // The peak line follows the new top.
    EXPECT_DOUBLE_EQ(chart().Items(chart().ItemCount() - 1).Y1, y->RangeHigh());
  }
}

TEST_F(MainWindow, LogarithmicAxisHidesTheTrackBarAndComesBack) {
  TScalePropsVert *y = chart().Scale1Y();
  w->TBScaleY->SetPosition(30);
  const int chartLeft = chart().Left();

  w->CBLogScale->SetChecked(true);
  EXPECT_TRUE(y->Logarithmic());
  EXPECT_DOUBLE_EQ(y->RangeLow(), 9e-11);
  EXPECT_DOUBLE_EQ(y->RangeHigh(), 1e10);
  EXPECT_FALSE(w->PnlTrackbar->Visible());
  EXPECT_EQ(chart().MarginLeft(), 70);
  // The chart takes the track bar's place.
  EXPECT_EQ(chart().Left(), chartLeft - w->PnlTrackbar->Width());
  // The band text stands low on the logarithmic axis.
  w->CBoxVisRange->SetChecked(true);
  ASSERT_EQ(chart().Items(1).Kind, ikText);
  EXPECT_DOUBLE_EQ(chart().Items(1).Y1, 2e9);

  w->CBLogScale->SetChecked(false);
  EXPECT_FALSE(y->Logarithmic());
  EXPECT_DOUBLE_EQ(y->RangeLow(), 9e-11);
  EXPECT_DOUBLE_EQ(y->RangeHigh(), 1000.0); // the track bar's position 30
  EXPECT_TRUE(w->PnlTrackbar->Visible());
  EXPECT_EQ(w->TBScaleY->Height(), w->PnlTrackbar->Height() - 36);
  EXPECT_EQ(chart().MarginLeft(), 64);
  EXPECT_EQ(chart().Left(), chartLeft);
  EXPECT_DOUBLE_EQ(chart().Items(1).Y1, 1000.0 * 0.97);
}

TEST_F(MainWindow, ResizingKeepsTheTrackBarThirtySixPixelsShorterThanItsPanel) {
  // The window fits the track bar as it appears.
  w->Show();
  EXPECT_EQ(w->TBScaleY->Height(), w->PnlTrackbar->Height() - 36);
  for (auto [width, height] : {std::pair{900, 700}, {640, 480}, {1200, 1000}}) {
    w->SetBounds(w->Left(), w->Top(), width, height);
    EXPECT_EQ(w->TBScaleY->Height(), w->PnlTrackbar->Height() - 36) << width << "x" << height;
  }
  // A resize while the axis is logarithmic (track bar hidden) is caught up
  // when the track bar comes back.
  w->CBLogScale->SetChecked(true);
  w->SetBounds(w->Left(), w->Top(), 800, 600);
  w->CBLogScale->SetChecked(false);
  EXPECT_EQ(w->TBScaleY->Height(), w->PnlTrackbar->Height() - 36);
  EXPECT_EQ(w->PnlTrackbar->Height(), 600 - 92 - 55);
}

TEST_F(MainWindow, LayoutFollowsTheDescription) {
  EXPECT_EQ(w->Width(), 800);
  EXPECT_EQ(w->Height(), 600);
  EXPECT_EQ(w->Position(), poScreenCenter);
  EXPECT_FALSE(w->Scaled());
  EXPECT_EQ(w->Constraints()->MinWidth(), 560);
  EXPECT_EQ(w->Constraints()->MinHeight(), 450);
  EXPECT_FALSE(w->Icon()->Empty());
  // Command panel on the right, memo along the bottom, the chart between the
  // track-bar panel and the temperature panel.
  EXPECT_EQ(w->pnlCommand->Width(), 120);
  EXPECT_EQ(w->pnlCommand->Left(), 680);
  EXPECT_EQ(w->MMExplain->Height(), 92);
  EXPECT_EQ(w->MMExplain->Top(), 508);
  EXPECT_TRUE(w->MMExplain->ReadOnly());
  EXPECT_EQ(w->MMExplain->Color(), clInfoBk);
  EXPECT_EQ(w->pnlCommand->Height(), 508);
  EXPECT_EQ(w->PnlTrackbar->Width(), 33);
  EXPECT_EQ(w->Panel1->Height(), 55);
  EXPECT_EQ(w->PnlTrackbar->Height(), 508 - 55);
  EXPECT_EQ(chart().Left(), 33);
  EXPECT_EQ(chart().Width(), 680 - 33);
  EXPECT_EQ(chart().Height(), 508 - 55);
  EXPECT_EQ(w->SBTemperature->Width(), 457);
  EXPECT_EQ(w->Panel3->Width(), 204);
  EXPECT_EQ(w->BButClear->Top(), 440);
  // Chart settings the picture depends on.
  EXPECT_FALSE(chart().AutoRedraw());
  EXPECT_EQ(chart().AllocSize(), 1000);
  EXPECT_EQ(chart().MarginLeft(), 64);
  EXPECT_EQ(chart().MarginRight(), 12);
  EXPECT_EQ(chart().MarginTop(), 20);
  EXPECT_EQ(chart().MarginBottom(), 40);
  EXPECT_EQ(chart().Scale1X()->Caption(), "Wavelength"); // no language file: the key
  EXPECT_EQ(chart().Scale1X()->DecPlaces(), -2);
  EXPECT_EQ(chart().Scale1Y()->MinTicks(), 3);
  EXPECT_TRUE(chart().Scale1Y()->ShortTicks());
  EXPECT_FALSE(chart().Scale2X()->Visible());
  EXPECT_FALSE(chart().Scale4Y()->Visible());
  // The host connection runs stand-alone and translates the window.
  EXPECT_TRUE(w->cliDemon->AutoTranslate());
  EXPECT_FALSE(w->cliDemon->UseTavelinServer());
  EXPECT_FALSE(w->cliDemon->MultiStart());
  EXPECT_FALSE(w->cliDemon->AutoCreateItlFile());
  // Buttons carry their glyphs; the see-through corner is the key colour.
  for (TBitBtn *b : {w->BButExit, w->BButInfo, w->BButAdd, w->BButClear}) {
    EXPECT_EQ(b->Glyph()->Width(), 16) << b->Name();
    EXPECT_EQ(b->Glyph()->TransparentColor(), TColor(0xFF00FF)) << b->Name();
  }
}

TEST_F(MainWindow, BottomAnchoredSnapshotControlsFollowTheWindowHeight) {
  const int addGap = w->pnlCommand->Height() - w->BButAdd->Top();
  w->SetBounds(w->Left(), w->Top(), 800, 700);
  EXPECT_EQ(w->pnlCommand->Height() - w->BButAdd->Top(), addGap);
  EXPECT_EQ(w->BButClear->Top() - w->BButAdd->Top(), 32);
  EXPECT_EQ(w->BButAdd->Top() - w->LSnapShots->Top(), 19);
  // The scroll bar stretches with the temperature panel.
  EXPECT_EQ(w->SBTemperature->Width(), 457);
}

TEST_F(MainWindow, ExitClosesTheWindowAndParametersBringItForward) {
  w->Show();
  EXPECT_TRUE(w->Visible());
  w->cliDemon->ReceiveParams("one\ntwo");
  w->BButInfo->PerformClick(); // no About box in this test: nothing happens
  EXPECT_TRUE(w->Visible());
  w->BButExit->PerformClick();
  EXPECT_FALSE(w->Visible());
}

} // namespace
