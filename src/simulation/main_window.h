#pragma once
// TfrmExample: the simulation's main window. It holds the chart, the
// temperature scroll bar, the track bar that stretches the linear energy axis,
// the check boxes, the snapshot buttons, the two read-outs and the explanation,
// and owns what the plot composer reads: the snapshot list and the peak table.
// Every handler ends in Redraw, which rebuilds the chart's picture.
#include "platform/controls_standard.h"
#include "platform/form.h"
#include "simulation/blackbody.h"
#include "simulation/chart_setup.h"

#include <cstdint>
#include <memory>
#include <vector>

class TRChart;
class TNumLab;
class TkdbDemonClient;
class TMainWindowTools;

class TfrmExample : public TForm {
public:
  /// Reads the window from its description and runs FormCreate.
  explicit TfrmExample(TComponent *AOwner);
  ~TfrmExample() override;

  // Components of the description, bound by name once it is read.
  TPanel *pnlCommand = nullptr;
  TBitBtn *BButExit = nullptr;
  TBitBtn *BButInfo = nullptr;
  TCheckBox *CBoxVisRange = nullptr;
  TCheckBox *CBLogScale = nullptr;
  TCheckBox *CBPeakCurve = nullptr;
  TLabel *LSnapShots = nullptr;
  TBitBtn *BButAdd = nullptr;
  TBitBtn *BButClear = nullptr;
  TPanel *pnlExample = nullptr;
  TPanel *PnlTrackbar = nullptr;
  TTrackBar *TBScaleY = nullptr;
  TPanel *Panel1 = nullptr;
  TLabel *Label1 = nullptr;
  TScrollBar *SBTemperature = nullptr;
  TPanel *Panel3 = nullptr;
  TNumLab *NLTemperature = nullptr;
  TNumLab *NLPeakAt = nullptr;
  TRChart *RCChart = nullptr;
  TMemo *MMExplain = nullptr;
  TkdbDemonClient *cliDemon = nullptr;

  /// Kept snapshot temperatures in K, oldest first, at most MaxSnapshots.
  std::vector<std::uint16_t> Snapshots;
  /// Densities at the peaks of the curves of 80 ... 9980 K, for the peak curve.
  TPeakTable PeakTable{};

  void FormCreate(TObject *Sender);
  void FormDestroy(TObject *Sender);
  void FormResize(TObject *Sender);
  void FormShow(TObject *Sender);
  void SBTemperatureChange(TObject *Sender);
  void TBScaleYChange(TObject *Sender);
  void CBLogScaleClick(TObject *Sender);
  void CBPeakCurveClick(TObject *Sender);
  void CBoxVisRangeClick(TObject *Sender);
  void BBAddSnapShotClick(TObject *Sender);
  void BBSnapShotClearClick(TObject *Sender);
  void BButInfoClick(TObject *Sender);
  void BButExitClick(TObject *Sender);
  void cliDemonParamsChange(TObject *Sender);

  /// Gathers the current inputs and recomposes the chart's picture.
  void Redraw();

  /// The tools beyond the described controls (fitting, zoom, presets,
  /// read-outs in the chart, saving); they exist once FormCreate is done.
  TMainWindowTools *Tools() const { return tools_.get(); }

private:
  std::unique_ptr<TMainWindowTools> tools_;

  /// Keeps the track bar 36 pixels shorter than its panel.
  void FitTrackBar();
};

/// Registers the window's description, its pictures and every class it uses
/// (idempotent). The window's constructor calls it.
void RegisterMainWindow();
