#include "simulation/main_window_tools.h"

#include "chart/rchart.h"
#include "hostlink/demon_client.h"
#include "localisation/tolkar2000.h"
#include "platform/atomic_file.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/file_dialog.h"
#include "platform/key_shortcuts.h"
#include "platform/message_box.h"
#include "platform/popup_menu.h"
#include "platform/strings.h"
#include "simulation/curve_table.h"
#include "simulation/energy_axis.h"
#include "simulation/energy_fit.h"
#include "simulation/main_window.h"
#include "simulation/plot_composer.h"
#include "simulation/presets.h"
#include "widgets/num_lab_text.h"

#include <cmath>
#include <sstream>

namespace {

/// How much one zoom command or one wheel notch magnifies.
constexpr double kZoomStep = 1.5;
constexpr double kWheelZoomStep = 1.25;
/// How far one pan command moves, as a share of the view.
constexpr double kPanStep = 0.2;

constexpr TColor kHintText = 0x000090;  // dark red
constexpr TColor kHintBack = 0xE1FFFF;  // pale yellow
constexpr TColor kReadoutBack = 0xFFFFFF;

/// Key names the language files translate (the others are the same in
/// every language).
bool IsNamedKey(const std::string &Token) {
  return Token == "Ctrl" || Token == "Shift" || Token == "Alt" || Token == "Left" ||
         Token == "Right" || Token == "Menu";
}

TColor ColorOf(TRgb8 C) {
  return TColor(C.R) | TColor(C.G) << 8 | TColor(C.B) << 16;
}

/// Sets a flag for the lifetime of the scope.
class TFlagScope {
public:
  explicit TFlagScope(bool &Flag) : flag_(Flag) { flag_ = true; }
  ~TFlagScope() { flag_ = false; }
  TFlagScope(const TFlagScope &) = delete;
  TFlagScope &operator=(const TFlagScope &) = delete;

private:
  bool &flag_;
};

} // namespace

const std::vector<TToolCommandKeys> &ToolCommandKeys() {
  static const std::vector<TToolCommandKeys> keys = [] {
    std::vector<TToolCommandKeys> k{
        {tcFitEnergyAxis, "Fit energy axis", "Ctrl+F"},
        {tcAutoFit, "Fit energy axis automatically", "Ctrl+Shift+F"},
        {tcZoomIn, "Zoom into the wavelengths", "Ctrl++"},
        {tcZoomOut, "Zoom out of the wavelengths", "Ctrl+-"},
        {tcPanShorter, "Move to shorter wavelengths", "Ctrl+Left"},
        {tcPanLonger, "Move to longer wavelengths", "Ctrl+Right"},
        {tcFullWavelengths, "All wavelengths (0 - 10000 nm)", "Ctrl+0"},
        {tcSavePicture, "Save picture...", "Ctrl+S"},
        {tcSaveCurves, "Save curves...", "Ctrl+Shift+S"},
        {tcContextMenu, "Menu of the chart", "Menu"},
    };
    static const char *const presetKeys[] = {"Ctrl+1", "Ctrl+2", "Ctrl+3", "Ctrl+4",
                                             "Ctrl+5", "Ctrl+6", "Ctrl+7"};
    static_assert(std::size(presetKeys) == TemperaturePresets.size());
    for (std::size_t i = 0; i < TemperaturePresets.size(); ++i)
      k.push_back({TToolCommand(tcPresetFirst + int(i)), TemperaturePresets[i].NameKey,
                   presetKeys[i]});
    return k;
  }();
  return keys;
}

TMainWindowTools::TMainWindowTools(TfrmExample &Window)
    : w_(Window), shortcuts_(std::make_unique<TKeyShortcuts>(Window)) {
  // The language does not change while the window lives: the read-outs'
  // words are looked up once.
  hoverWords_.Wavelength = Tr(hoverWords_.Wavelength);
  hoverWords_.Density = Tr(hoverWords_.Density);
  hoverWords_.AxisValue = Tr(hoverWords_.AxisValue);
  powerWord_ = Tr("Radiated power");
  colourWord_ = Tr("Colour of the body");
  hintText_ = w_.cliDemon->Translator()->Translate(
      "The curve runs above the axis: press <%1%> to fit it", {KeysText("Ctrl+F")});
  PrepareLabels();
  BindShortcuts();
  HookChart();
  w_.MMExplain->Lines()->Add(HelpText());
}

TMainWindowTools::~TMainWindowTools() {
  TRChart &c = *w_.RCChart;
  c.OnMouseDown = nullptr;
  c.OnMouseUp = nullptr;
  c.OnMouseMove = nullptr;
  c.OnMouseLeave = nullptr;
  c.OnMouseWheel = nullptr;
  c.OnMouseMoveInChart = nullptr;
  c.OnZoomPan = nullptr;
  c.OnResize = nullptr;
  c.OnDataRendered = nullptr;
}

std::string TMainWindowTools::Tr(const std::string &Key) const {
  return w_.cliDemon->Translator()->Translate(Key);
}

TRect TMainWindowTools::DataRect() const {
  const TDataArea a = DataAreaOf(w_.RCChart->Rim());
  return {a.Left, a.Top, a.Right + 1, a.Bottom + 1};
}

void TMainWindowTools::PrepareLabels() {
  // In pixels, boxed, hidden until there is something to show.
  for (int i : {HoverLabelIndex, HintLabelIndex, PowerLabelIndex}) {
    TTextLabel *l = w_.RCChart->TextLabels(i);
    l->SetAttachToData(tlamNone);
    l->SetTransparent(false);
    l->SetColorBkg(i == HintLabelIndex ? kHintBack : kReadoutBack);
    l->SetColorBorder(i == HintLabelIndex ? kHintText : TColor(0x808080));
    l->Font()->SetColor(i == HintLabelIndex ? kHintText : TColor(0));
    l->SetVisible(true);
    l->SetMode(tlOff);
  }
  w_.RCChart->TextLabels(HintLabelIndex)->SetAlignment(taCenter);
  w_.RCChart->TextLabels(HintLabelIndex)->SetVerticalAlignment(vaCenter);
  w_.RCChart->TextLabels(PowerLabelIndex)->SetAlignment(taRightJustify);
  w_.RCChart->TextLabels(PowerLabelIndex)->SetVerticalAlignment(vaTop);
}

void TMainWindowTools::BindShortcuts() {
  for (const TToolCommandKeys &k : ToolCommandKeys()) {
    const int command = k.Command;
    shortcuts_->Add(k.Keys, [this, command] { Run(command); });
  }
  // Second keys: "=" shares its key with "+" on many keyboards, and the
  // desktop's other way to open a context menu.
  shortcuts_->Add("Ctrl+=", [this] { Run(tcZoomIn); });
  shortcuts_->Add("Shift+F10", [this] { Run(tcContextMenu); });
}

void TMainWindowTools::HookChart() {
  TRChart &c = *w_.RCChart;
  c.OnMouseDown = [this](TObject *, TMouseButton Button, TShiftState Shift, int X, int Y) {
    MouseDown(int(Button), Shift.Contains(ssShift), X, Y);
  };
  c.OnMouseUp = [this](TObject *, TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbRight && !Shift.Contains(ssLeft)) ShowContextMenu({X, Y});
  };
  c.OnMouseMove = [this](TObject *, TShiftState, int X, int Y) { mousePixel_ = {X, Y}; };
  c.OnMouseMoveInChart = [this](TObject *, bool InChart, TShiftState Shift, double X, double Y) {
    // While a button is held the chart draws its gesture on the screen; a
    // repaint for the read-out would wipe it. The read-out comes back with
    // the next move after the release.
    if (Shift.Contains(ssLeft)) return;
    const bool wasShown = hover_.Visible;
    mouseInChart_ = InChart;
    mouseX_ = X;
    mouseY_ = Y;
    UpdateHover(std::uint16_t(w_.SBTemperature->Position()));
    if (wasShown || hover_.Visible) w_.RCChart->ShowGraph();
  };
  c.OnMouseLeave = [this](TObject *) {
    if (HideHover()) w_.RCChart->ShowGraph();
  };
  c.OnMouseWheel = [this](TObject *, TShiftState, int WheelDelta, TPoint, bool &Handled) {
    const TWavelengthView v = WavelengthView();
    const double centre = mouseInChart_ ? mouseX_ : (v.Low + v.High) / 2;
    SetWavelengthView(ZoomWavelengthView(v, std::pow(kWheelZoomStep, WheelDelta / 120.0), centre));
    Handled = true;
  };
  c.OnZoomPan = [this](TObject *) { ZoomPanDone(); };
  // The read-outs stand in pixels: a new size moves them with the data area.
  c.OnResize = [this](TObject *) { PlaceReadouts(); };
  c.OnDataRendered = [this](TObject *, TCanvas *&Canvas, int Top, int Left) {
    if (Canvas) DrawSwatch(*Canvas, Top, Left);
  };
}

void TMainWindowTools::MouseDown(int Button, bool Shift, int /*X*/, int /*Y*/) {
  if (Button != int(mbLeft)) return;
  if (HideHover()) w_.RCChart->ShowGraph();
  // Dragging draws a window to zoom the wavelengths into; with Shift it
  // moves them. Either way the energy axis stays as it is.
  gestureYLow_ = w_.RCChart->Scale1Y()->RangeLow();
  gestureYHigh_ = w_.RCChart->Scale1Y()->RangeHigh();
  w_.RCChart->SetMouseAction(Shift ? maPanHoriz : maZoomWindPos);
}

void TMainWindowTools::ZoomPanDone() {
  const TWavelengthView v = LimitWavelengthView(
      {w_.RCChart->Scale1X()->RangeLow(), w_.RCChart->Scale1X()->RangeHigh()});
  TRChart &c = *w_.RCChart;
  const bool suspended = c.PaintSuspended();
  c.SetPaintSuspended(true);
  c.CoupledRangeUpdate(1, v.Low, v.High, gestureYLow_, gestureYHigh_);
  w_.Redraw();
  c.SetPaintSuspended(suspended);
}

void TMainWindowTools::BeforeCompose(TPlotInputs &In) {
  const TWavelengthView v = WavelengthView();
  const double peak = DrawnCurvePeak(In.Temperature, v.Low, v.High);
  if (autoFit_ && !In.LogScale) {
    const int current = w_.TBScaleY->Position();
    const int fitted = AutoFitPosition(current, peak);
    if (fitted != current) {
      MoveTrackBar(fitted);
      In.YHigh = w_.RCChart->Scale1Y()->RangeHigh();
    }
  }
  UpdateHint(peak, In);
  UpdatePower(In.Temperature);
  UpdateHover(In.Temperature);
}

void TMainWindowTools::MoveTrackBar(int Position) {
  const TFlagScope moving(movingTrackBar_);
  w_.TBScaleY->SetPosition(Position);
}

void TMainWindowTools::PlaceReadouts() {
  const TRect area = DataRect();
  const TPoint hint = HintAnchor(area), power = PowerAnchor(area);
  TTextLabel *h = w_.RCChart->TextLabels(HintLabelIndex);
  h->SetPosX(hint.X);
  h->SetPosY(hint.Y);
  TTextLabel *p = w_.RCChart->TextLabels(PowerLabelIndex);
  p->SetPosX(power.X);
  p->SetPosY(power.Y);
  // The mouse stands elsewhere over a resized chart: its read-out waits for
  // the next move.
  HideHover();
}

void TMainWindowTools::UpdateHint(double CurrentPeak, const TPlotInputs &In) {
  TTextLabel *l = w_.RCChart->TextLabels(HintLabelIndex);
  if (!CurveAboveTop(CurrentPeak, In.YHigh, In.LogScale)) {
    l->SetMode(tlOff);
    return;
  }
  const TPoint at = HintAnchor(DataRect());
  l->SetPosX(at.X);
  l->SetPosY(at.Y);
  l->SetCaption(hintText_);
  l->SetMode(tlBox);
}

void TMainWindowTools::UpdatePower(std::uint16_t T) {
  swatch_ = BlackBodySrgb(T);
  TNumLabTextSettings s;
  s.DisplayType = dtFloat;
  s.Precision = 4;
  TTextLabel *l = w_.RCChart->TextLabels(PowerLabelIndex);
  const TPoint at = PowerAnchor(DataRect());
  l->SetPosX(at.X);
  l->SetPosY(at.Y);
  l->SetCaption(powerWord_ + " \u03c3T\u2074: " + NumLabValueText(RadiatedPower(T), s) +
                " W/m\u00b2\n" + colourWord_);
  l->SetMode(tlBox);
}

void TMainWindowTools::UpdateHover(std::uint16_t T) {
  // From the pixel, so a read-out under a resting mouse follows a changed axis.
  if (mouseInChart_) w_.RCChart->PixelToWorld(1, mousePixel_.X, mousePixel_.Y, mouseX_, mouseY_);
  hover_ = HoverValues(mouseInChart_, mouseX_, mouseY_, T);
  TTextLabel *l = w_.RCChart->TextLabels(HoverLabelIndex);
  if (!hover_.Visible) {
    l->SetMode(tlOff);
    return;
  }
  const THoverPlacement p = HoverPlacement(mousePixel_, DataRect());
  l->SetPosX(p.Anchor.X);
  l->SetPosY(p.Anchor.Y);
  l->SetAlignment(p.Horizontal);
  l->SetVerticalAlignment(p.Above ? vaBottom : vaTop);
  l->SetCaption(HoverText(hover_, hoverWords_));
  l->SetMode(tlBox);
}

bool TMainWindowTools::HideHover() {
  mouseInChart_ = false;
  const bool shown = hover_.Visible;
  hover_ = {};
  w_.RCChart->TextLabels(HoverLabelIndex)->SetMode(tlOff);
  return shown;
}

bool TMainWindowTools::HintShown() const {
  return w_.RCChart->TextLabels(HintLabelIndex)->Mode() != tlOff;
}

void TMainWindowTools::DrawSwatch(TCanvas &C, int Top, int Left) const {
  TRect box = SwatchBox(DataRect());
  box = {box.Left - Left, box.Top - Top, box.Right - Left, box.Bottom - Top};
  const TColor pen = C.Pen().Color(), brush = C.Brush().Color();
  const TBrushStyle brushStyle = C.Brush().Style();
  C.Pen().SetColor(0x808080);
  C.Brush().SetColor(ColorOf(swatch_));
  C.Brush().SetStyle(bsSolid);
  C.Rectangle(box.Left, box.Top, box.Right, box.Bottom);
  C.Pen().SetColor(pen);
  C.Brush().SetColor(brush);
  C.Brush().SetStyle(brushStyle);
}

// --- commands -------------------------------------------------------------

void TMainWindowTools::Run(int Command) {
  switch (Command) {
  case tcFitEnergyAxis: FitEnergyAxis(); break;
  case tcAutoFit: SetAutoFit(!autoFit_); break;
  case tcZoomIn: {
    const TWavelengthView v = WavelengthView();
    SetWavelengthView(ZoomWavelengthView(v, kZoomStep, (v.Low + v.High) / 2));
    break;
  }
  case tcZoomOut: {
    const TWavelengthView v = WavelengthView();
    SetWavelengthView(ZoomWavelengthView(v, 1 / kZoomStep, (v.Low + v.High) / 2));
    break;
  }
  case tcPanShorter: SetWavelengthView(PanWavelengthView(WavelengthView(), -kPanStep)); break;
  case tcPanLonger: SetWavelengthView(PanWavelengthView(WavelengthView(), kPanStep)); break;
  case tcFullWavelengths: SetWavelengthView(FullWavelengthView); break;
  case tcSavePicture: SavePicture(); break;
  case tcSaveCurves: SaveCurves(); break;
  case tcContextMenu: {
    // At the mouse when it is over the chart, else in the data area's middle.
    const TRect r = DataRect();
    ShowContextMenu(mouseInChart_ ? mousePixel_
                                  : TPoint{r.Left + r.Width() / 2, r.Top + r.Height() / 2});
    break;
  }
  default:
    if (Command >= tcPresetFirst && Command < tcPresetFirst + int(TemperaturePresets.size()))
      ChoosePreset(std::size_t(Command - tcPresetFirst));
  }
}

void TMainWindowTools::FitEnergyAxis() {
  // The logarithmic axis holds every curve already.
  if (w_.CBLogScale->Checked()) return;
  TShownCurves shown;
  shown.Temperature = std::uint16_t(w_.SBTemperature->Position());
  shown.Snapshots = w_.Snapshots;
  shown.ShowPeakCurve = w_.CBPeakCurve->Checked();
  const TWavelengthView v = WavelengthView();
  MoveTrackBar(FittedTrackBarPosition(shown, w_.PeakTable, v.Low, v.High));
  w_.Redraw();
}

void TMainWindowTools::SetAutoFit(bool On) {
  autoFit_ = On;
  if (On) w_.Redraw();
}

TWavelengthView TMainWindowTools::WavelengthView() const {
  return {w_.RCChart->Scale1X()->RangeLow(), w_.RCChart->Scale1X()->RangeHigh()};
}

void TMainWindowTools::SetWavelengthView(TWavelengthView View) {
  const TWavelengthView v = LimitWavelengthView(View);
  TRChart &c = *w_.RCChart;
  const bool suspended = c.PaintSuspended();
  c.SetPaintSuspended(true);
  c.CoupledRangeUpdate(1, v.Low, v.High, c.Scale1Y()->RangeLow(), c.Scale1Y()->RangeHigh());
  w_.Redraw();
  c.SetPaintSuspended(suspended);
}

void TMainWindowTools::ChoosePreset(std::size_t Index) {
  if (Index >= TemperaturePresets.size()) return;
  w_.SBTemperature->SetPosition(TemperaturePresets[Index].Kelvin);
}

void TMainWindowTools::SavePicture() {
  const std::string title = Tr("Save picture");
  TSaveDialogRequest r;
  r.Title = title;
  r.Filter = Tr("PNG picture") + " (*.png)";
  r.FileName = "spectrion-" + std::to_string(w_.SBTemperature->Position()) + "K.png";
  r.DefaultExtension = "png";
  const std::optional<std::string> path = SaveDialogService().AskSaveFileName(&w_, r);
  if (!path) return;
  try {
    WritePicture(*path);
  } catch (const std::exception &e) {
    ShowMessageBox(Tr("The file could not be saved.") + "\n" + e.what(), title, mtError);
  }
}

void TMainWindowTools::SaveCurves() {
  const std::string title = Tr("Save curves");
  TSaveDialogRequest r;
  r.Title = title;
  r.Filter = Tr("CSV table") + " (*.csv)";
  r.FileName = "spectrion-" + std::to_string(w_.SBTemperature->Position()) + "K.csv";
  r.DefaultExtension = "csv";
  const std::optional<std::string> path = SaveDialogService().AskSaveFileName(&w_, r);
  if (!path) return;
  try {
    WriteCurves(*path);
  } catch (const std::exception &e) {
    ShowMessageBox(Tr("The file could not be saved.") + "\n" + e.what(), title, mtError);
  }
}

void TMainWindowTools::WritePicture(const std::string &Path) {
  // The picture as it stands, without the read-out of a mouse that has
  // moved on to the menu or the dialog.
  HideHover();
  w_.RCChart->ShowGraph();
  w_.RCChart->FullBitmap().SaveToFile(Path);
}

void TMainWindowTools::WriteCurves(const std::string &Path) {
  TCurveTableColumns columns;
  columns.Snapshots = w_.Snapshots;
  columns.Temperature = std::uint16_t(w_.SBTemperature->Position());
  columns.ShowPeakCurve = w_.CBPeakCurve->Checked();
  // Made whole in memory, then written in one checked step.
  std::ostringstream table;
  WriteCurveTable(*w_.RCChart, columns, table);
  WriteFileAtomic(Path, table.str());
}

std::vector<TPopupMenuItem> TMainWindowTools::ContextMenuItems() const {
  std::vector<TPopupMenuItem> items;
  std::vector<TPopupMenuItem> presets;
  const bool log = w_.CBLogScale->Checked();
  for (const TToolCommandKeys &k : ToolCommandKeys()) {
    if (k.Command == tcContextMenu) continue;
    TPopupMenuItem item;
    item.Command = k.Command;
    item.Shortcut = KeysText(k.Keys);
    if (k.Command >= tcPresetFirst) {
      const int kelvin = TemperaturePresets[std::size_t(k.Command - tcPresetFirst)].Kelvin;
      item.Caption = Tr(k.NameKey) + " (" + std::to_string(kelvin) + " K)";
      item.Checkable = true;
      item.Checked = w_.SBTemperature->Position() == kelvin;
      presets.push_back(std::move(item));
      continue;
    }
    item.Caption = Tr(k.NameKey);
    if (k.Command == tcFitEnergyAxis) item.Enabled = !log;
    if (k.Command == tcAutoFit) {
      item.Checkable = true;
      item.Checked = autoFit_;
    }
    if (k.Command == tcZoomIn || k.Command == tcSavePicture) {
      TPopupMenuItem separator;
      separator.Separator = true;
      items.push_back(separator);
    }
    items.push_back(std::move(item));
  }
  TPopupMenuItem separator;
  separator.Separator = true;
  items.push_back(separator);
  TPopupMenuItem presetMenu;
  presetMenu.Caption = Tr("Presets");
  presetMenu.Submenu = std::move(presets);
  items.push_back(std::move(presetMenu));
  return items;
}

void TMainWindowTools::ShowContextMenu(TPoint At) {
  // The mouse is on its way to the menu: its read-out goes.
  if (HideHover()) w_.RCChart->ShowGraph();
  const int chosen = PopupMenuService().Popup(*w_.RCChart, At, ContextMenuItems());
  if (chosen >= 0 && chosen != tcContextMenu) Run(chosen);
}

std::string TMainWindowTools::KeysText(const std::string &Keys) const {
  std::string out;
  std::size_t i = 0;
  while (i < Keys.size()) {
    // Searching from i + 1 keeps a "+" key ("Ctrl++") as a token of its own.
    const std::size_t plus = Keys.find('+', i + 1);
    const std::string token = Keys.substr(i, plus == std::string::npos ? plus : plus - i);
    out += IsNamedKey(token) ? Tr(token) : token;
    if (plus == std::string::npos) break;
    out += '+';
    i = plus + 1;
  }
  return out;
}

std::string TMainWindowTools::HelpText() const {
  std::string text = Tr("Keys:");
  bool first = true;
  for (const TToolCommandKeys &k : ToolCommandKeys()) {
    if (k.Command >= tcPresetFirst) continue;
    text += (first ? " " : "; ") + StripAccelChars(Tr(k.NameKey)) + " (" + KeysText(k.Keys) + ")";
    first = false;
  }
  const std::vector<TToolCommandKeys> &all = ToolCommandKeys();
  text += "; " + Tr("Presets") + " (" + KeysText(all[all.size() - TemperaturePresets.size()].Keys) +
          " ... " + KeysText(all.back().Keys) + "). " +
          Tr("Drag over the chart to zoom into the wavelengths, drag with Shift to move them, or turn the wheel; the right button opens the chart's menu.");
  return text;
}
