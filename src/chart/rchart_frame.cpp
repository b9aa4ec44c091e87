// The chart's rim: face, drop shadow, chart caption and axes (the first stage
// of every paint), the standard layouts and the isometric ranges.
#include "axes/scale.h"
#include "chart/rchart_layer.h"
#include "platform/canvas.h"

#include <cmath>

namespace {

/// Placement of one axis of layers 1-4 in a standard layout.
struct TAxisPreset {
  bool Visible = false;
  bool Far = false; // top (horizontal) or right (vertical) instead of bottom / left
  int PosX = 10;
  int PosY = 100;
  TAlignment Align = taCenter;
  TScaleUnitAnchor Anchor = uaSclCenter;
  int ScalePos = 0;
};

struct TLayoutPreset {
  int ML, MR, MT, MB;
  int CaptionPosX, CaptionPosY;
  TAlignment CaptionAlign;
  TCaptionAnchorHoriz AnchorH;
  TCaptionAnchorVert AnchorV;
  std::array<TAxisPreset, 4> X;
  std::array<TAxisPreset, 4> Y;
};

constexpr TAxisPreset HiddenX{false, false, 10, 100, taCenter, uaSclCenter, 0};
constexpr TAxisPreset HiddenY{false, false, 10, 100, taRightJustify, uaSclTopLft, 0};
constexpr TAxisPreset BottomX{true, false, 0, 22, taCenter, uaSclCenter, 0};
// Horizontal axes stacked below the data area, captions at their left ends.
constexpr TAxisPreset StackedX(int ScalePos) {
  return {true, false, -20, 7, taRightJustify, uaSclTopLft, ScalePos};
}
// Vertical axes side by side left of the data area, captions above them.
constexpr TAxisPreset LeftY(int ScalePos, int PosY = -23) {
  return {true, false, 0, PosY, taRightJustify, uaSclTopLft, ScalePos};
}
constexpr TAxisPreset RightY(int PosY) {
  return {true, true, 0, PosY, taLeftJustify, uaSclTopLft, 0};
}

const TLayoutPreset &Preset(TrcLayout L) {
  static const std::array<TLayoutPreset, 7> presets = {{
      // rcl_X1Bottom_Y1Left
      {50,
       20,
       20,
       40,
       0,
       -16,
       taRightJustify,
       cahChartRight,
       cavChartTop,
       {BottomX, HiddenX, HiddenX, HiddenX},
       {TAxisPreset{true, false, 0, -16, taLeftJustify, uaSclTopLft, 0}, HiddenY, HiddenY,
        HiddenY}},
      // rcl_X1Bottom_Y2Left
      {100,
       20,
       24,
       40,
       0,
       -16,
       taRightJustify,
       cahChartRight,
       cavChartTop,
       {BottomX, HiddenX, HiddenX, HiddenX},
       {LeftY(0), LeftY(50), HiddenY, HiddenY}},
      // rcl_X1Bottom_Y3Left
      {150,
       20,
       24,
       40,
       0,
       -16,
       taRightJustify,
       cahChartRight,
       cavChartTop,
       {BottomX, HiddenX, HiddenX, HiddenX},
       {LeftY(0), LeftY(50), LeftY(100), HiddenY}},
      // rcl_X1Bottom_Y4Left
      {200,
       20,
       24,
       40,
       0,
       -16,
       taRightJustify,
       cahChartRight,
       cavChartTop,
       {BottomX, HiddenX, HiddenX, HiddenX},
       {LeftY(0), LeftY(50), LeftY(100), LeftY(150)}},
      // rcl_X1Bottom_Y2Both
      {50,
       50,
       24,
       40,
       0,
       -20,
       taCenter,
       cahChartCenter,
       cavChartTop,
       {BottomX, HiddenX, HiddenX, HiddenX},
       {LeftY(0), RightY(-23), HiddenY, HiddenY}},
      // rcl_X2Bottom_Y2Left
      {100,
       20,
       24,
       70,
       0,
       -16,
       taRightJustify,
       cahChartRight,
       cavChartTop,
       {StackedX(0), StackedX(30), HiddenX, HiddenX},
       {LeftY(0), LeftY(50), HiddenY, HiddenY}},
      // rcl_X2Both_Y2Both
      {50,
       50,
       48,
       40,
       0,
       -46,
       taCenter,
       cahChartCenter,
       cavChartTop,
       {StackedX(0), TAxisPreset{true, true, -20, -24, taRightJustify, uaSclTopLft, 0}, HiddenX,
        HiddenX},
       {LeftY(0, -40), RightY(-40),
        TAxisPreset{false, false, 0, -23, taRightJustify, uaSclTopLft, 0},
        TAxisPreset{false, false, 0, -23, taRightJustify, uaSclTopLft, 0}}},
  }};
  const int i = (L >= rcl_X1Bottom_Y1Left && L <= rcl_X2Both_Y2Both) ? int(L) : 0;
  return presets[std::size_t(i)];
}

void ApplyAxisPreset(TScaleProps &P, const TAxisPreset &A) {
  P.SetCaptionPosX(A.PosX);
  P.SetCaptionPosY(A.PosY);
  P.SetCaptionAlignment(A.Align);
  P.SetCaptionAnchor(A.Anchor);
  P.SetScalePos(A.ScalePos);
  P.SetVisible(A.Visible);
}

} // namespace

TRimGeometry TCustomRChart::Rim() const {
  TRimGeometry g;
  g.W = Width();
  g.H = Height();
  g.ML = marginLeft_;
  g.MR = marginRight_;
  g.MT = marginTop_;
  g.MB = marginBottom_;
  g.SW = shadowWidth_;
  return g;
}

// --- layout -----------------------------------------------------------------------

void TCustomRChart::SetStandardLayout(TrcLayout Value) {
  const TLayoutPreset &p = Preset(Value);
  layout_ = Value;
  {
    const TSuspendScope suspend = SuspendPainting();
    SetMarginLeft(p.ML);
    SetMarginRight(p.MR);
    SetMarginTop(p.MT);
    SetMarginBottom(p.MB);
    captionPosX_ = p.CaptionPosX;
    captionPosY_ = p.CaptionPosY;
    captionAlignment_ = p.CaptionAlign;
    captionAnchorHoriz_ = p.AnchorH;
    captionAnchorVert_ = p.AnchorV;
    {
      // Each axis setting reports a change; the axes are applied once below.
      TSuspendScope applying(applyingAxes_, applyingAxes_);
      for (int n = 1; n <= ChartLayerCount; ++n) {
        TScalePropsHoriz &x = *ScaleX(n);
        TScalePropsVert &y = *ScaleY(n);
        if (n <= 4) {
          const TAxisPreset &ax = p.X[std::size_t(n - 1)];
          const TAxisPreset &ay = p.Y[std::size_t(n - 1)];
          x.SetScaleLocation(ax.Far ? slTop : slBottom);
          ApplyAxisPreset(x, ax);
          y.SetScaleLocation(ay.Far ? slRight : slLeft);
          ApplyAxisPreset(y, ay);
        } else {
          x.SetVisible(false);
          y.SetVisible(false);
        }
      }
    }
    ApplyAllScaleProps();
    SizeScales();
    CalcLayerFactors();
  }
  RepaintFor(TRepaintCause::Layout);
}

// --- isometric ----------------------------------------------------------------------

void TCustomRChart::IsometricRange(int N) {
  TScalePropsHoriz &x = *ScaleX(N);
  TScalePropsVert &y = *ScaleY(N);
  const double half = IsometricHalfRange(Rim(), x.RangeLow(), x.RangeHigh(), aspectX_, aspectY_);
  if (!std::isfinite(half)) return; // no data area across: nothing to keep square
  const double c = (y.RangeHigh() + y.RangeLow()) / 2;
  y.SetRangeHigh(c + half);
  y.SetRangeLow(c - half);
}

void TCustomRChart::SetIsometric(bool Value) {
  isometric_ = Value;
  if (!Value) return;
  {
    const TSuspendScope suspend = SuspendPainting();
    for (int n = 1; n <= ChartLayerCount; ++n)
      IsometricRange(n);
  }
  AppearanceChanged();
}

// --- appearance of the rim ------------------------------------------------------------

void TCustomRChart::SetShadowStyle(TShadowStyle Value) {
  shadowStyle_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetShadowColor(TColor Value) {
  shadowColor_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetShadowBakColor(TColor Value) {
  shadowBakColor_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetCaptionPosX(int Value) {
  captionPosX_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetCaptionPosY(int Value) {
  captionPosY_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetCaptionAlignment(TAlignment Value) {
  captionAlignment_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetCaptionAnchorHoriz(TCaptionAnchorHoriz Value) {
  captionAnchorHoriz_ = Value;
  AppearanceChanged();
}
void TCustomRChart::SetCaptionAnchorVert(TCaptionAnchorVert Value) {
  captionAnchorVert_ = Value;
  AppearanceChanged();
}
void TCustomRChart::TextChanged() {
  TCustomControl::TextChanged();
  AppearanceChanged();
}

// --- frame painting -------------------------------------------------------------------

// Face around the data area (the data area itself is painted over anyway),
// drop shadow and chart caption.
void TCustomRChart::PaintRim(TCanvas &C) {
  const TRimGeometry g = Rim();
  C.SetCopyMode(SRCCOPY);
  C.Pen().SetMode(pmCopy);
  C.Pen().SetStyle(psSolid);
  C.Pen().SetWidth(1);
  C.Pen().SetColor(windColor_);
  C.Brush().SetStyle(bsSolid);
  C.Brush().SetColor(windColor_);
  if (dataIsView_) {
    const int right = g.ML + g.DataBitmapWidth(), bottom = g.MT + g.DataBitmapHeight();
    C.FillRect(Rect(0, 0, g.W, g.MT));
    C.FillRect(Rect(0, g.MT, g.ML, bottom));
    C.FillRect(Rect(right, g.MT, g.W, bottom));
    C.FillRect(Rect(0, bottom, g.W, g.H));
  } else {
    C.Rectangle(0, 0, g.W, g.H);
  }

  if (g.SW > 0) {
    const TShadowShape s = ShadowShape(g.W, g.H, g.SW, shadowStyle_);
    C.Brush().SetColor(shadowBakColor_);
    C.FillRect(s.TopRightSquare);
    C.FillRect(s.BottomLeftSquare);
    C.Brush().SetColor(shadowColor_);
    C.Pen().SetColor(shadowStyle_ == ssFlying ? shadowColor_ : clBlack);
    C.Polygon(s.BottomBand.data(), int(s.BottomBand.size()));
    C.Polygon(s.RightBand.data(), int(s.RightBand.size()));
    C.Pen().SetColor(clBlack);
    C.Polyline(s.Outline.data(), int(s.Outline.size()));
  }

  if (!Caption().empty()) {
    C.Pen().SetColor(chartFrameColor_);
    C.Brush().SetStyle(bsClear);
    C.Font().Assign(*Font());
    C.SetTextAlign(TA_LEFT | TA_TOP);
    C.SetBkMode(TRANSPARENT);
    const TPoint at =
        ChartCaptionOrigin(g, captionPosX_, captionPosY_, captionAlignment_, captionAnchorHoriz_,
                           captionAnchorVert_, C.TextWidth(Caption()));
    C.TextOut(at.X, at.Y, Caption());
  }
}

// The 32 axes draw themselves onto the full picture; each records the ticks
// it drew, which the grid of the data area follows.
void TCustomRChart::PaintAxes(TCanvas &C) {
  for (auto &layer : layers_)
    layer->ScaleX->ForcePaint();
  for (auto &layer : layers_)
    layer->ScaleY->ForcePaint();
  if (OnScalesRendered) {
    TCanvas *canvas = &C;
    OnScalesRendered(this, canvas, 0, 0);
  }
}
