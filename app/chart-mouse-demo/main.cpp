// chart-mouse-demo: a window for trying the chart's mouse actions by hand.
// The track bar picks MouseAction (its name shows beside it); the check boxes
// switch MouseCursorFixed and Isometric. Layer 2's x axis is joined to layer 1, and the small chart
// on the right shows the big one's display list through UseDataOf. The memo lists the events.
#include "chart/rchart.h"
#include "platform/application.h"
#include "platform/controls_standard.h"
#include "platform/form.h"
#include "platform/form_loader.h"
#include "platform/property_registry.h"

#include <QApplication>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

const char *const kDescription = R"(
object frmMouseDemo: TfrmMouseDemo
  Left = 40
  Top = 40
  Caption = 'Chart mouse actions'
  ClientWidth = 900
  ClientHeight = 560
  OnCreate = FormCreate
  object pnlTop: TPanel
    Align = alTop
    Height = 70
    object TBAction: TTrackBar
      Left = 8
      Top = 8
      Width = 300
      Height = 30
      Min = 0
      Max = 14
      OnChange = TBActionChange
    end
    object LAction: TLabel
      Left = 316
      Top = 14
      Caption = 'maNone'
    end
    object CBFixed: TCheckBox
      Left = 460
      Top = 8
      Width = 170
      Height = 22
      Caption = 'MouseCursorFixed'
      Checked = False
      OnClick = CBFixedClick
    end
    object CBIso: TCheckBox
      Left = 640
      Top = 8
      Width = 120
      Height = 22
      Caption = 'Isometric'
      OnClick = CBIsoClick
    end
    object LPos: TLabel
      Left = 8
      Top = 44
      Caption = 'move the mouse over the chart'
    end
  end
  object MMLog: TMemo
    Align = alBottom
    Height = 110
    ReadOnly = True
    ScrollBars = ssVertical
  end
  object RCUser: TRChart
    Align = alRight
    Width = 260
    AutoRedraw = True
    UseDataOf = RCMain
    Caption = 'UseDataOf = RCMain'
    Scale1X.RangeLow = 0
    Scale1X.RangeHigh = 10
    Scale1Y.RangeLow = -1.5
    Scale1Y.RangeHigh = 1.5
  end
  object RCMain: TRChart
    Align = alClient
    AutoRedraw = True
    MouseCursorFixed = False
    StandardLayout = rcl_X1Bottom_Y2Left
    Caption = 'drag with the left button'
    GridStyle = gsDotLines
    GridColor = clSilver
    JointLayers.L02xControlledBy = 1
    Scale1X.RangeLow = 0
    Scale1X.RangeHigh = 10
    Scale1X.Caption = 'x (layers 1 and 2)'
    Scale1Y.RangeLow = -1.5
    Scale1Y.RangeHigh = 1.5
    Scale1Y.Caption = 'sin x'
    Scale2Y.RangeLow = 0
    Scale2Y.RangeHigh = 100
    Scale2Y.Caption = 'layer 2'
    CrossHair1.Mode = chBoth
    CrossHair1.Color = clRed
    CrossHair1.PosX = 2
    CrossHair1.PosY = 0.5
    CrossHair2.Mode = chVert
    CrossHair2.Layer = 1
    CrossHair2.Color = clBlue
    CrossHair2.PosX = 7
    OnMouseMoveInChart = RCMainMouseMoveInChart
    OnRubberBand = RCMainRubberBand
    OnCrossHairMove = RCMainCrossHairMove
    OnTextLabelMove = RCMainTextLabelMove
    OnDblClick = RCMainDblClick
  end
end
)";

std::string Format(const char *Pattern, double A, double B = 0, double C = 0, double D = 0) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, Pattern, A, B, C, D);
  return buffer;
}

/// The demonstration window.
class TfrmMouseDemo : public TForm {
public:
  explicit TfrmMouseDemo(TComponent *AOwner) : TForm(AOwner) {
    Handler("FormCreate", &TfrmMouseDemo::FormCreate);
    Handler("TBActionChange", &TfrmMouseDemo::TBActionChange);
    Handler("CBFixedClick", &TfrmMouseDemo::CBFixedClick);
    Handler("CBIsoClick", &TfrmMouseDemo::CBIsoClick);
    Handler("RCMainMouseMoveInChart", &TfrmMouseDemo::RCMainMouseMoveInChart);
    Handler("RCMainRubberBand", &TfrmMouseDemo::RCMainRubberBand);
    Handler("RCMainCrossHairMove", &TfrmMouseDemo::RCMainCrossHairMove);
    Handler("RCMainTextLabelMove", &TfrmMouseDemo::RCMainTextLabelMove);
    Handler("RCMainDblClick", &TfrmMouseDemo::RCMainDblClick);
    Field("TBAction", TBAction);
    Field("LAction", LAction);
    Field("CBFixed", CBFixed);
    Field("CBIso", CBIso);
    Field("LPos", LPos);
    Field("MMLog", MMLog);
    Field("RCMain", RCMain);
    Field("RCUser", RCUser);
    InitializeForm("TfrmMouseDemo");
  }

private:
  void FormCreate(TObject *) {
    RCMain->OnZoomPan = [this](TObject *) {
      LPos->SetCaption(Format("x %.4g .. %.4g   y %.4g .. %.4g", RCMain->Scale1X()->RangeLow(),
                              RCMain->Scale1X()->RangeHigh(), RCMain->Scale1Y()->RangeLow(),
                              RCMain->Scale1Y()->RangeHigh()));
    };
    // A sine curve with some points marked, drawn once; both charts show it.
    RCMain->ClearGraph();
    RCMain->SetDataColor(clNavy);
    RCMain->MoveTo(0, 0);
    for (int i = 1; i <= 400; ++i)
      RCMain->DrawTo(i / 40.0, std::sin(i / 40.0));
    RCMain->SetFillColor(clYellow);
    for (int k = 1; k <= 3; ++k)
      RCMain->Rectangle(k * M_PI - 0.1, -0.1, k * M_PI + 0.1, 0.1);
    RCMain->ShowGraph();
    // One label per attach mode.
    const char *captions[] = {"tlamNone", "tlamXOnly", "tlamYOnly", "tlamBoth"};
    const TTxtLblAttachMode modes[] = {tlamNone, tlamXOnly, tlamYOnly, tlamBoth};
    const double xs[] = {120, 4, 420, 8};
    const double ys[] = {60, 80, -0.5, -1.0};
    for (int i = 0; i < 4; ++i) {
      const int n = RCMain->AddTextLabel(xs[i], ys[i], clBlack, captions[i]);
      RCMain->TextLabels(n)->SetMode(tlBox);
      RCMain->TextLabels(n)->SetAttachToData(modes[i]);
    }
  }
  void TBActionChange(TObject *) {
    const int code = TBAction->Position();
    RCMain->SetMouseAction(static_cast<TMouseActMode>(code));
    LAction->SetCaption(MouseActModeNames[std::size_t(code)]);
    Log("MouseAction = " + MouseActModeNames[std::size_t(code)]);
  }
  void CBFixedClick(TObject *) { RCMain->SetMouseCursorFixed(CBFixed->Checked()); }
  void CBIsoClick(TObject *) { RCMain->SetIsometric(CBIso->Checked()); }
  void RCMainMouseMoveInChart(TObject *, bool InChart, TShiftState, double X, double Y) {
    LPos->SetCaption(
        Format(InChart ? "in chart: x %.4g  y %.4g" : "outside: x %.4g  y %.4g", X, Y));
  }
  void RCMainRubberBand(TObject *, int Layer, double LoX, double LoY, double HiX, double HiY) {
    Log("OnRubberBand layer " + std::to_string(Layer) +
        Format(": x %.4g .. %.4g, y %.4g .. %.4g", LoX, HiX, LoY, HiY));
  }
  void RCMainCrossHairMove(TObject *, TCrossHair *C) {
    Log(Format("OnCrossHairMove: %.4g, %.4g", C->PosX(), C->PosY()));
  }
  void RCMainTextLabelMove(TObject *, TTextLabel *L) {
    Log(L->Caption() + Format(" moved to %.4g, %.4g", L->PosX(), L->PosY()));
  }
  void RCMainDblClick(TObject *) { Log("OnDblClick"); }
  // Events go to the memo and to standard output (for scripted checks).
  void Log(const std::string &Text) {
    std::printf("%s\n", Text.c_str());
    std::fflush(stdout);
    MMLog->Lines()->Add(Text);
    while (MMLog->Lines()->Count() > 200)
      MMLog->Lines()->Delete(0);
  }

  TTrackBar *TBAction = nullptr;
  TLabel *LAction = nullptr;
  TCheckBox *CBFixed = nullptr;
  TCheckBox *CBIso = nullptr;
  TLabel *LPos = nullptr;
  TMemo *MMLog = nullptr;
  TRChart *RCMain = nullptr;
  TRChart *RCUser = nullptr;
};

} // namespace

int main(int argc, char **argv) {
  QApplication qtApplication(argc, argv);
  Application->Initialize();
  Application->SetTitle("Chart mouse actions");
  RegisterChartClasses();
  RegisterClass<TfrmMouseDemo, TForm>("TfrmMouseDemo");
  RegisterFormText("TfrmMouseDemo", kDescription);
  TfrmMouseDemo *form = nullptr;
  Application->CreateForm(form);
  Application->Run();
  return 0;
}
