#pragma once
// The main window's tools beyond its described controls: fitting the energy
// axis (at a command or automatically), zooming and panning the wavelength
// axis, temperature presets, the read-outs inside the chart (the values
// under the mouse, a hint when the curve runs above the axis, the radiated
// power and the colour of the body), saving the picture and the curves, and
// the keyboard shortcuts and context menu that reach all of them. It adds to
// the window without moving any of its controls: everything it shows is
// drawn inside the chart.
#include "platform/geometry.h"
#include "simulation/body_colour.h"
#include "simulation/hover_readout.h"
#include "simulation/wavelength_view.h"

#include <memory>
#include <string>
#include <vector>

class TfrmExample;
class TKeyShortcuts;
class TTextLabel;
class TCanvas;
struct TPlotInputs;
struct TPopupMenuItem;

/// The commands of the tools, in menu order (an int underneath, so each
/// preset has a value of its own beyond the names).
enum TToolCommand : int {
  tcFitEnergyAxis,
  tcAutoFit,
  tcZoomIn,
  tcZoomOut,
  tcPanShorter,
  tcPanLonger,
  tcFullWavelengths,
  tcSavePicture,
  tcSaveCurves,
  tcContextMenu,
  tcPresetFirst // tcPresetFirst + i chooses preset i
};

/// A command's name (a translation key) and its keys in portable text.
struct TToolCommandKeys {
  TToolCommand Command;
  const char *NameKey;
  const char *Keys;
};

/// Every command with a shortcut, the presets last; the help text and the
/// context menu name the keys from here.
const std::vector<TToolCommandKeys> &ToolCommandKeys();

/// Text labels of the chart the tools use (1 ... 20 are the snapshots').
inline constexpr int HoverLabelIndex = 21;
inline constexpr int HintLabelIndex = 22;
inline constexpr int PowerLabelIndex = 23;

class TMainWindowTools {
public:
  /// Hooks into the window's chart and binds the shortcuts. Window's
  /// components must exist; the tools live no longer than the window.
  explicit TMainWindowTools(TfrmExample &Window);
  ~TMainWindowTools();
  TMainWindowTools(const TMainWindowTools &) = delete;
  TMainWindowTools &operator=(const TMainWindowTools &) = delete;

  // --- hooks of the window ------------------------------------------------
  /// Called by the window's redraw before it composes: the automatic fit
  /// (which may move the track bar and so In's axis top), and the read-outs
  /// for In's temperature.
  void BeforeCompose(TPlotInputs &In);
  /// True while the tools themselves move the track bar; the window then
  /// sets the axis but leaves the redraw to the tools.
  bool MovingTrackBar() const { return movingTrackBar_; }
  /// The user moved the track bar: the automatic mode ends.
  void TrackBarMovedByHand() { autoFit_ = false; }

  // --- commands -----------------------------------------------------------
  void Run(int Command);
  /// Sets the track bar to the smallest step that holds every curve shown
  /// in the wavelength range on view (nothing on a logarithmic axis).
  void FitEnergyAxis();
  bool AutoFit() const { return autoFit_; }
  /// Turns the automatic fit on (fitting at once) or off.
  void SetAutoFit(bool On);
  TWavelengthView WavelengthView() const;
  /// Shows View (limited to 0 ... 10000 nm) on the wavelength axis.
  void SetWavelengthView(TWavelengthView View);
  /// Sets the temperature to preset Index as dragging there would.
  void ChoosePreset(std::size_t Index);
  /// Ask for a file name and write the picture (PNG) or the curves (CSV);
  /// a failure is shown in a message box and leaves any old file whole.
  void SavePicture();
  void SaveCurves();
  /// Writes the picture or the curves to Path; raises Exception on failure.
  void WritePicture(const std::string &Path);
  void WriteCurves(const std::string &Path);
  /// Shows the context menu at the client point At of the chart and runs
  /// the chosen command.
  void ShowContextMenu(TPoint At);
  /// The menu's entries as they would be shown now.
  std::vector<TPopupMenuItem> ContextMenuItems() const;
  /// The keys, with their modifier names in the user's language.
  std::string KeysText(const std::string &Keys) const;
  /// The line of the explanation that names the keys and mouse gestures.
  std::string HelpText() const;

  TKeyShortcuts &Shortcuts() { return *shortcuts_; }
  /// The colour the swatch shows now.
  TRgb8 SwatchColour() const { return swatch_; }
  /// Whether the hint that the curve runs above the axis is shown.
  bool HintShown() const;
  /// What the hover read-out shows now.
  const THoverValues &Hover() const { return hover_; }

private:
  std::string Tr(const std::string &Key) const;
  TRect DataRect() const;
  void PrepareLabels();
  /// Puts the hint and the power read-out where the data area now is.
  void PlaceReadouts();
  void BindShortcuts();
  void HookChart();
  void UpdateHint(double CurrentPeak, const TPlotInputs &In);
  void UpdatePower(std::uint16_t T);
  void UpdateHover(std::uint16_t T);
  void MoveTrackBar(int Position);
  /// Hides the hover read-out; true when it was shown.
  bool HideHover();
  void DrawSwatch(TCanvas &C, int Top, int Left) const;
  void MouseDown(int Button, bool Shift, int X, int Y);
  void ZoomPanDone();

  TfrmExample &w_;
  std::unique_ptr<TKeyShortcuts> shortcuts_;
  bool autoFit_ = false;
  bool movingTrackBar_ = false;
  // The mouse over the chart: pixel and world position of its last move.
  bool mouseInChart_ = false;
  TPoint mousePixel_{};
  double mouseX_ = 0, mouseY_ = 0;
  // The energy axis as it was when a mouse gesture began; the gestures
  // change only the wavelength axis.
  double gestureYLow_ = 0, gestureYHigh_ = 1;
  THoverValues hover_;
  TRgb8 swatch_{};
  THoverTexts hoverWords_;
  std::string powerWord_, colourWord_, hintText_;
};
