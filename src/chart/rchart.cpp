// Construction, display-list commands, labels, cross-hairs and painting of the chart.
#include "chart/rchart.h"

#include "axes/scale.h"
#include "chart/rchart_layer.h"
#include "chart/run_pixels.h"
#include "platform/application.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "support/zelt_errors.h"

#include <algorithm>

const std::array<TColor, ChartLayerCount> LayerScaleColors = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};

TCustomRChart::TCustomRChart(TComponent *AOwner)
    : TCustomControl(AOwner), fullBitmap_(std::make_unique<TBitmap>()),
      sparePicture_(std::make_unique<TBitmap>()), dataBitmap_(std::make_unique<TBitmap>()),
      runPixels_(std::make_unique<TRunPixelCache>()), picture_(std::make_unique<TBitmap>()),
      bakGndImg_(std::make_unique<TBakGndImg>()) {
  {
    // Pixel aspect of the screen, for isometric charts.
    const TCanvas screen;
    aspectX_ = std::max(1, screen.GetDeviceCaps(ASPECTX));
    aspectY_ = std::max(1, screen.GetDeviceCaps(ASPECTY));
  }
  gridX_.reserve(MaxGridLines);
  gridY_.reserve(MaxGridLines);
  for (int n = 1; n <= ChartLayerCount; ++n) {
    auto layer = std::make_unique<Layer>();
    const TColor colour = LayerScaleColors[std::size_t(n - 1)];
    const bool odd = (n % 2) == 1;
    layer->PropsX->SetColorScale(colour);
    layer->PropsX->SetScaleType(odd ? sctXT : sctXB);
    layer->PropsX->SetScalePos(((n - 1) / 2) * 30);
    layer->PropsY->SetColorScale(colour);
    layer->PropsY->SetScaleType(odd ? sctYR : sctYL);
    layer->PropsY->SetScalePos(((n - 1) / 2) * 50);
    const std::string number = std::to_string(n);
    for (TScale *scale : {layer->ScaleX.get(), layer->ScaleY.get()}) {
      scale->SetName((scale == layer->ScaleX.get() ? "RC_FScale_X_" : "RC_FScale_Y_") + number);
      scale->SetChartOwned(true); // transparent by the look of its axis object
      scale->SetColorBackGnd(windColor_);
      scale->SetFrameStyle(fsNone);
      scale->SetTargetCanvas(&fullBitmap_->Canvas(), 0, 0);
      scale->OnScaleTickDrawn = [this](TObject *, TCanvas *&Canvas, TScaleType Type, double Pos,
                                       int X, int Y) {
        if (OnScaleTickDrawn) OnScaleTickDrawn(this, Canvas, Type, Pos, X, Y);
      };
    }
    layers_[std::size_t(n - 1)] = std::move(layer);
  }

  for (auto &slot : labels_) {
    slot = std::make_unique<TTextLabel>();
    TTextLabel &l = *slot;
    l.SetPosX(0);
    l.SetPosY(0);
    l.SetShadowDx(3);
    l.SetShadowDy(3);
    l.SetAttachToData(tlamBoth);
    l.SetColorBkg(0xFFFFFF);
    l.SetFont(Font());
    l.SetMode(tlOff);
    l.SetVisible(false);
    l.OnChange = [this](TObject *) { RepaintRequest(); };
  }
  for (int n = 1; n <= ChartCrossHairCount; ++n) {
    auto &slot = crossHairs_[std::size_t(n - 1)];
    slot = std::make_unique<TCrossHair>();
    slot->SetLayer(n);
    slot->OnChange = [this](TObject *) { RepaintRequest(); };
  }

  bakGndImg_->OnChange = [this](TObject *) { RepaintRequest(); };

  SetBounds(Left(), Top(), 280, 200);
  SetStandardLayout(rcl_X1Bottom_Y1Left);
  for (auto &layer : layers_) {
    layer->PropsX->OnChange = [this](TObject *) { AxisPropsChanged(); };
    layer->PropsY->OnChange = [this](TObject *) { AxisPropsChanged(); };
  }
  joints_ = std::make_unique<TJointLayers>();
  joints_->OnJoin = [this](TJointAxis Axis, int Layer, int Controller) {
    JoinRange(Axis, Layer, Controller);
  };
  joints_->OnChange = [this](TObject *) { RepaintRequest(); };
  RegisterCursors();
  constructing_ = false;
  CalcLayerFactors();
}

TCustomRChart::~TCustomRChart() {
  // Labels, cross-hairs and axis objects may outlive nothing that calls back.
  for (auto &l : labels_)
    l->OnChange = nullptr;
  for (auto &c : crossHairs_)
    c->OnChange = nullptr;
  bakGndImg_->OnChange = nullptr;
  for (auto &layer : layers_) {
    layer->PropsX->OnChange = nullptr;
    layer->PropsY->OnChange = nullptr;
  }
  joints_->OnJoin = nullptr;
  joints_->OnChange = nullptr;
  // No other chart may keep a reference to this one.
  LeaveShareGroup();
  if (cursorSet_) Application->SetCursor(crDefault);
}

TCustomRChart::Layer::Layer()
    : PropsX(std::make_unique<TScalePropsHoriz>()), PropsY(std::make_unique<TScalePropsVert>()),
      ScaleX(std::make_unique<TScale>(nullptr)), ScaleY(std::make_unique<TScale>(nullptr)) {}

TCustomRChart::Layer::~Layer() = default;

// --- display list --------------------------------------------------------------

void TCustomRChart::SetTextAlignment(TAlignment Value) {
  list_.SetTextAlignment(static_cast<std::uint8_t>(Value));
  AppearanceChanged();
}
void TCustomRChart::SetTextFontStyle(TFontStyles Value) {
  textFontStyle_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetTextBkStyle(TTextBkStyle Value) {
  textBkStyle_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetTextBkColor(TColor Value) {
  textBkColor_ = Value;
  AppearanceChanged();
}

void TCustomRChart::ShowGraph() {
  if (Visible()) {
    // Publishing is implicit: the members of a share group hold one storage.
    RepaintFor(TRepaintCause::ListShown);
  }
  if (useDataOf_) {
    useDataOf_->RepaintRequest();
    for (int i = 0; i < useDataOf_->userCount_; ++i)
      useDataOf_->users_[std::size_t(i)]->RepaintRequest();
  }
  for (int i = 0; i < userCount_; ++i)
    users_[std::size_t(i)]->RepaintRequest();
}

// --- labels and cross-hairs ------------------------------------------------------

TTextLabel *TCustomRChart::TextLabels(int Index) const {
  if (Index < 1 || Index > ChartLabelCount)
    throw EZeltRChartError("Component \"" + Name() + "\": invalid index into TextLabel array");
  return labels_[std::size_t(Index - 1)].get();
}

int TCustomRChart::AddTextLabel(double X, double Y, TColor Colour, const std::string &Caption,
                                int Template) {
  const TTextLabel *tmpl = (Template >= 1 && Template <= ChartLabelCount)
                               ? labels_[std::size_t(Template - 1)].get()
                               : nullptr;
  for (int i = 1; i <= ChartLabelCount; ++i) {
    TTextLabel &l = *labels_[std::size_t(i - 1)];
    if (l.Mode() != tlOff) continue;
    l.SetPosX(X);
    l.SetPosY(Y);
    l.SetLayer(list_.CurrentLayer());
    if (tmpl) {
      // Read everything from the template first: it may be this very label.
      const TTxtLblAttachMode attach = tmpl->AttachToData();
      const TAlignment align = tmpl->Alignment();
      const int dx = tmpl->ShadowDx(), dy = tmpl->ShadowDy();
      const TColor shadow = tmpl->ColorShadow(), bkg = tmpl->ColorBkg();
      const TColor border = tmpl->ColorBorder();
      const bool transparent = tmpl->Transparent();
      const TTxtLblMode mode = tmpl->Mode();
      l.SetAttachToData(attach);
      l.SetAlignment(align);
      l.SetShadowDx(dx);
      l.SetShadowDy(dy);
      l.SetColorShadow(shadow);
      l.SetColorBkg(bkg);
      l.SetColorBorder(border);
      l.SetTransparent(transparent);
      l.SetCaption(Caption);
      l.Font()->SetColor(Colour);
      l.SetMode(mode == tlOff ? tlsimple : mode);
    } else {
      l.SetAttachToData(tlamBoth);
      l.SetAlignment(taCenter);
      l.SetShadowDx(0);
      l.SetShadowDy(0);
      l.SetColorShadow(0x808080);
      l.SetColorBkg(chartColor_);
      l.SetColorBorder(chartFrameColor_);
      l.SetTransparent(false);
      l.SetCaption(Caption);
      l.Font()->SetColor(Colour);
      l.SetMode(tlsimple);
    }
    l.SetVisible(true);
    return i;
  }
  return 0;
}

TCrossHair *TCustomRChart::CrossHair(int N) const {
  if (N < 1 || N > ChartCrossHairCount)
    throw EZeltRChartError("Component \"" + Name() + "\": invalid index into CrossHair array");
  return crossHairs_[std::size_t(N - 1)].get();
}

void TCustomRChart::SetCrossHair(int N, TCrossHair *Value) {
  TCrossHair *own = CrossHair(N);
  if (Value && Value != own)
    own->Assign(Value); // raises the cross-hair's OnChange, i.e. a repaint request
}

// --- appearance -------------------------------------------------------------------

void TCustomRChart::AppearanceChanged() {
  RepaintFor(TRepaintCause::Appearance);
}
void TCustomRChart::SetChartColor(TColor Value) {
  chartColor_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetChartFrameColor(TColor Value) {
  chartFrameColor_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetWindColor(TColor Value) {
  windColor_ = Value;
  for (auto &layer : layers_) {
    layer->ScaleX->SetColorBackGnd(Value);
    layer->ScaleY->SetColorBackGnd(Value);
  }
  AppearanceChanged();
}

void TCustomRChart::SetGridStyle(GridStyleType Value) {
  gridStyle_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetGridColor(TColor Value) {
  gridColor_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetGridDx(double Value) {
  if (!(Value >= -3)) return; // below -3 (or not a number) has no meaning
  gridDx_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetGridDy(double Value) {
  if (!(Value >= -3)) return;
  gridDy_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetBackGroundImg(TBakGndImg *Value) {
  if (Value && Value != bakGndImg_.get())
    bakGndImg_->Assign(Value); // raises the object's OnChange, i.e. a repaint request
}

// --- painting -----------------------------------------------------------------------

bool TCustomRChart::PaintSuspended() const {
  // The same answer SettleWindowWait would leave behind, without settling.
  return paintSuspended_ && !(awaitingWindow_ && HandleAllocated());
}

void TCustomRChart::SettleWindowWait() {
  if (awaitingWindow_ && HandleAllocated()) {
    awaitingWindow_ = false;
    paintSuspended_ = false;
  }
}

TSuspendScope TCustomRChart::SuspendPainting() {
  SettleWindowWait();
  return TSuspendScope(paintSuspended_, paintSuspended_);
}

void TCustomRChart::SetPaintSuspended(bool Value) {
  SettleWindowWait();
  const bool was = paintSuspended_;
  paintSuspended_ = Value;
  if (was && !Value) RepaintFor(TRepaintCause::Resumed);
}

void TCustomRChart::RepaintRequest() {
  RepaintFor(TRepaintCause::Request);
}

void TCustomRChart::RepaintFor(TRepaintCause Cause) {
  SettleWindowWait();
  switch (Cause) {
  case TRepaintCause::Appearance:
  case TRepaintCause::Request:
    // Skipping the request while nothing could be painted keeps batches of
    // label changes cheap.
    if (Cause == TRepaintCause::Appearance && constructing_) return;
    if ((autoRedraw_ || IsDesigning()) && !paintSuspended_) Repaint();
    return;
  case TRepaintCause::Layout:
    if (constructing_) return;
    [[fallthrough]];
  case TRepaintCause::AxisChange:
    if (!paintSuspended_) Repaint();
    return;
  case TRepaintCause::Resumed:
  case TRepaintCause::Loaded:
    Repaint();
    return;
  case TRepaintCause::ListShown:
    if (autoRedraw_)
      RenderDataArea();
    else if (!paintSuspended_)
      Repaint();
    return;
  }
}

void TCustomRChart::Loaded() {
  TCustomControl::Loaded();
  for (auto &layer : layers_) {
    layer->PropsX->SetLoading(false);
    layer->PropsY->SetLoading(false);
  }
  ApplyAllScaleProps();
  SyncJoinedRanges(); // joins read from the form take their controllers' ranges
  CalcLayerFactors();
  RepaintFor(TRepaintCause::Loaded);
}
