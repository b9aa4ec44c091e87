// The main window's handlers: start-up state, the temperature, the energy
// axis, the snapshots, and the redraw that all of them end in.
#include "simulation/main_window.h"

#include "chart/rchart.h"
#include "hostlink/demon_client.h"
#include "localisation/tolkar2000.h"
#include "platform/application.h"
#include "platform/property_registry.h"
#include "platform/streams.h"
#include "simulation/about_box.h"
#include "simulation/app_icon.h"
#include "chart/axis_summary.h"
#include "simulation/blackbody.h"
#include "simulation/energy_axis.h"
#include "simulation/chart_description.h"
#include "simulation/main_window_tools.h"
#include "simulation/plot_composer.h"
#include "widgets/num_lab.h"

namespace {

/// The track bar is this much shorter than its panel.
constexpr int TrackBarSlack = 36;

void RegisterFormClass() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterClass<TfrmExample, TForm>("TfrmExample");
}

} // namespace

TfrmExample::TfrmExample(TComponent *AOwner) : TForm(AOwner) {
  RegisterMainWindow();
  RegisterFormClass();
  Handler("FormCreate", &TfrmExample::FormCreate);
  Handler("FormDestroy", &TfrmExample::FormDestroy);
  Handler("FormResize", &TfrmExample::FormResize);
  Handler("FormShow", &TfrmExample::FormShow);
  Handler("SBTemperatureChange", &TfrmExample::SBTemperatureChange);
  Handler("TBScaleYChange", &TfrmExample::TBScaleYChange);
  Handler("CBLogScaleClick", &TfrmExample::CBLogScaleClick);
  Handler("CBPeakCurveClick", &TfrmExample::CBPeakCurveClick);
  Handler("CBoxVisRangeClick", &TfrmExample::CBoxVisRangeClick);
  Handler("BBAddSnapShotClick", &TfrmExample::BBAddSnapShotClick);
  Handler("BBSnapShotClearClick", &TfrmExample::BBSnapShotClearClick);
  Handler("BButInfoClick", &TfrmExample::BButInfoClick);
  Handler("BButExitClick", &TfrmExample::BButExitClick);
  Handler("cliDemonParamsChange", &TfrmExample::cliDemonParamsChange);
  Field("pnlCommand", pnlCommand);
  Field("BButExit", BButExit);
  Field("BButInfo", BButInfo);
  Field("CBoxVisRange", CBoxVisRange);
  Field("CBLogScale", CBLogScale);
  Field("CBPeakCurve", CBPeakCurve);
  Field("LSnapShots", LSnapShots);
  Field("BButAdd", BButAdd);
  Field("BButClear", BButClear);
  Field("pnlExample", pnlExample);
  Field("PnlTrackbar", PnlTrackbar);
  Field("TBScaleY", TBScaleY);
  Field("Panel1", Panel1);
  Field("Label1", Label1);
  Field("SBTemperature", SBTemperature);
  Field("Panel3", Panel3);
  Field("NLTemperature", NLTemperature);
  Field("NLPeakAt", NLPeakAt);
  Field("RCChart", RCChart);
  Field("MMExplain", MMExplain);
  Field("cliDemon", cliDemon);
  InitializeForm("TfrmExample");
}

TfrmExample::~TfrmExample() = default;

void TfrmExample::FormCreate(TObject * /*Sender*/) {
  // Screen readers read the scroll bar in kelvin and the track bar as the
  // top of the energy axis it sets, not as its index.
  SBTemperature->SetAccessibleValueMap({nullptr, "K"});
  TBScaleY->SetAccessibleValueMap({TrackBarRangeHigh, ""});
  FillPeakTable(PeakTable);
  PrepareSnapshotLabels(*RCChart);
  Snapshots.clear();
  TBScaleY->SetMin(EnergyStepMin);
  TBScaleY->SetMax(EnergyStepMax);
  RCChart->Scale1X()->SetRangeLow(0);
  RCChart->Scale1X()->SetRangeHigh(10000);
  // Raising the minimum pulls the position to 80, then it moves to 898: the
  // change handler runs for both.
  SBTemperature->SetMin(80);
  SBTemperature->SetMax(10000);
  SBTemperature->SetPosition(898);
  TBScaleY->SetPosition(22);
  RCChart->Scale1Y()->SetRangeLow(EnergyRangeLow);
  RCChart->Scale1Y()->SetRangeHigh(TrackBarRangeHigh(22));
  // The temperature is what a student changes first.
  SetActiveControl(SBTemperature);
  tools_ = std::make_unique<TMainWindowTools>(*this);
  Redraw();
}

void TfrmExample::FormDestroy(TObject * /*Sender*/) {
  Snapshots.clear();
  Snapshots.shrink_to_fit();
}

void TfrmExample::FormResize(TObject * /*Sender*/) {
  FitTrackBar();
}

void TfrmExample::FitTrackBar() {
  // Resizes can arrive while the description is still being read.
  if (!TBScaleY || !PnlTrackbar) return;
  TBScaleY->SetHeight(PnlTrackbar->Height() - TrackBarSlack);
}

void TfrmExample::FormShow(TObject * /*Sender*/) {
  // Appearing on screen gives the window its size without a resize event, so
  // the track bar is fitted here as well.
  FitTrackBar();
  // The program, this window and the About box take the icon the language
  // file names, from the work area.
  const std::string iconPath = ProvideAppIcon(*cliDemon);
  if (!iconPath.empty()) {
    try {
      Application->Icon()->LoadFromFile(iconPath);
      Icon()->LoadFromFile(iconPath);
      if (FrmAbout) FrmAbout->Icon()->LoadFromFile(iconPath);
    } catch (const Exception &) {
      // A file that is not a picture leaves the icons as they were.
    }
  }
  if (!FrmAbout) return;
  FrmAbout->UpdateTexts(*cliDemon->Translator());
  // The About box comes first; this window appears when it is closed.
  FrmAbout->ShowModal();
}

void TfrmExample::SBTemperatureChange(TObject * /*Sender*/) {
  BButAdd->SetEnabled(true);
  const int T = SBTemperature->Position();
  NLTemperature->SetValue(T);
  NLPeakAt->SetValue(PeakWavelength(unsigned(T)) * 1e9);
  Redraw();
}

void TfrmExample::TBScaleYChange(TObject *Sender) {
  RCChart->Scale1Y()->SetRangeHigh(TrackBarRangeHigh(TBScaleY->Position()));
  RCChart->Scale1Y()->SetLogarithmic(CBLogScale->Checked());
  // A fit moves the track bar and redraws itself; the user's move ends the
  // automatic fit.
  if (tools_ && tools_->MovingTrackBar()) return;
  if (tools_ && Sender == TBScaleY) tools_->TrackBarMovedByHand();
  Redraw();
}

void TfrmExample::CBLogScaleClick(TObject *Sender) {
  RCChart->Scale1Y()->SetLogarithmic(CBLogScale->Checked());
  if (CBLogScale->Checked()) {
    RCChart->Scale1Y()->SetRangeHigh(LogEnergyRangeHigh);
    RCChart->ShowGraph();
    PnlTrackbar->Hide();
    RCChart->SetMarginLeft(LogMarginLeft);
  } else {
    TBScaleYChange(Sender);
    PnlTrackbar->Show();
    FitTrackBar();
    RCChart->SetMarginLeft(LinearMarginLeft);
  }
  Redraw();
}

void TfrmExample::CBPeakCurveClick(TObject * /*Sender*/) {
  Redraw();
}

void TfrmExample::CBoxVisRangeClick(TObject * /*Sender*/) {
  Redraw();
}

void TfrmExample::BBAddSnapShotClick(TObject * /*Sender*/) {
  BButAdd->SetEnabled(false);
  if (Snapshots.size() >= MaxSnapshots) Snapshots.erase(Snapshots.begin());
  Snapshots.push_back(std::uint16_t(SBTemperature->Position()));
  Redraw();
}

void TfrmExample::BBSnapShotClearClick(TObject * /*Sender*/) {
  BButAdd->SetEnabled(true);
  for (std::size_t k = 1; k <= Snapshots.size(); ++k)
    RCChart->TextLabels(int(k))->SetMode(tlOff);
  Snapshots.clear();
  Redraw();
}

void TfrmExample::BButInfoClick(TObject * /*Sender*/) {
  if (FrmAbout) FrmAbout->ShowModal();
}

void TfrmExample::BButExitClick(TObject * /*Sender*/) {
  Close();
}

void TfrmExample::cliDemonParamsChange(TObject * /*Sender*/) {
  Application->BringToFront();
}

void TfrmExample::Redraw() {
  TPlotInputs in;
  in.Temperature = std::uint16_t(SBTemperature->Position());
  in.Snapshots = Snapshots;
  in.ShowPeakCurve = CBPeakCurve->Checked();
  in.ShowBand = CBoxVisRange->Checked();
  in.LogScale = CBLogScale->Checked();
  in.YLow = RCChart->Scale1Y()->RangeLow();
  in.YHigh = RCChart->Scale1Y()->RangeHigh();
  in.BandText = cliDemon->Translator()->Translate("visible light");
  in.LabelFormat = cliDemon->TranslateText("%d K");
  if (tools_) tools_->BeforeCompose(in);
  ComposePlot(*RCChart, in, PeakTable);
  // What the picture now shows, for screen readers.
  TTolkar2000 *translator = cliDemon->Translator();
  RCChart->SetAccessibleDescription(
      DescribeChart(in, SummarizeAxes(*RCChart),
                    [translator](const std::string &Key, const std::vector<std::string> &Args) {
                      return translator->Translate(Key, Args);
                    }));
}
