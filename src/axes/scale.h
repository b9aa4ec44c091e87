#pragma once
// TScale: a control that draws one axis (base line, ticks, labels, caption),
// either on its own filled and framed background or transparently. Placed on
// a form it is a ruler in its own right; a chart owns 32 of them as its axes
// and lets them draw onto its off-screen bitmap.
#include "axes/axis_painter.h"
#include "axes/axis_types.h"
#include "axes/dt_label.h"
#include "axes/scale_geometry.h"
#include "platform/bitmap.h"
#include "platform/control.h"
#include "support/frame_painter.h"

#include <memory>
#include <string>
#include <vector>

class TScale : public TCustomControl {
public:
  explicit TScale(TComponent *AOwner);
  ~TScale() override;

  // The axis caption is the control's Caption (placement below).
  int CaptionPosX() const { return look_.CaptionPosX; }
  void SetCaptionPosX(int Value);
  int CaptionPosY() const { return look_.CaptionPosY; }
  void SetCaptionPosY(int Value);
  TAlignment CaptionAlignment() const { return look_.CaptionAlignment; }
  void SetCaptionAlignment(TAlignment Value);
  TScaleUnitAnchor CaptionAnchor() const { return look_.CaptionAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor Value);

  /// Background of an opaque scale.
  TColor ColorBackGnd() const { return colorBackGnd_; }
  void SetColorBackGnd(TColor Value);
  /// Colour of line, ticks, labels and caption.
  TColor ColorScale() const { return look_.ColorScale; }
  void SetColorScale(TColor Value);
  /// Shading colours of the frame: csBWG grey/white, csSystem the system's
  /// button shadow/highlight.
  TColorScheme ColorScheme() const { return colorScheme_; }
  void SetColorScheme(TColorScheme Value);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle Value);
  /// Frame colours handed to the frame painter.
  TColor FrameColor() const { return frameColor_; }
  TColor FrameDarkColor() const { return darkColor_; }
  TColor FrameLightColor() const { return lightColor_; }

  /// The scale's own date/time settings; their changes repaint the scale.
  TDTLabel *DateFormat() { return &dateFormat_; }
  const TDTLabel *DateFormat() const { return &dateFormat_; }
  /// Copies the seven settings of Value.
  void SetDateFormat(const TDTLabel *Value);

  int DecPlaces() const { return state_.DecPlaces; }
  /// Clamped to -3 .. 12.
  void SetDecPlaces(int Value);
  TFigType LabelType() const { return state_.LabelType; }
  /// Date labels switch the logarithmic mode off; time labels set four decimals.
  void SetLabelType(TFigType Value);
  bool Logarithmic() const { return state_.Logarithmic; }
  /// False is always taken; True only while loading, or with both range
  /// ends at least 1e-100 and labels that are not dates.
  void SetLogarithmic(bool Value);

  int MarginTop() const { return state_.MarginTop; }
  int MarginBottom() const { return state_.MarginBottom; }
  int MarginLeft() const { return state_.MarginLeft; }
  int MarginRight() const { return state_.MarginRight; }
  /// Margins are clamped at 0.
  void SetMarginTop(int Value);
  void SetMarginBottom(int Value);
  void SetMarginLeft(int Value);
  void SetMarginRight(int Value);

  int MinTicks() const { return state_.MinTicks; }
  /// 0 stays 0; anything else is clamped to 2 .. 10.
  void SetMinTicks(int Value);

  double RangeLow() const { return state_.RangeLow; }
  /// Equal to RangeHigh moves RangeHigh to Value + 1.
  void SetRangeLow(double Value);
  double RangeHigh() const { return state_.RangeHigh; }
  /// Equal to RangeLow moves RangeLow to Value + 1 (a reversed axis).
  void SetRangeHigh(double Value);

  const std::string &ScaleInscript() const { return state_.ScaleInscript; }
  void SetScaleInscript(const std::string &Value);
  const std::string &UserTickText() const { return state_.UserTickText; }
  void SetUserTickText(const std::string &Value);

  TScaleType ScaleType() const { return state_.ScaleType; }
  void SetScaleType(TScaleType Value);
  bool ShortTicks() const { return state_.ShortTicks; }
  void SetShortTicks(bool Value);
  bool ShowBaseLine() const { return look_.ShowBaseLine; }
  void SetShowBaseLine(bool Value);
  /// Drawn without background and frame straight onto the target.
  bool Transparent() const { return look_.Transparent; }
  void SetTransparent(bool Value);

  /// Tick values recorded by the last drawing (at most 250).
  int NumTicks() const { return positions_.Count; }
  /// Entry i (1-based) of the recorded tick values, 0 outside 1 .. NumTicks.
  double TickPosition(int i) const;

  /// Mapping of world values to pixels (x on horizontal, y on vertical types).
  void CalcScaleFactors();
  int ValueToPixel(double V) const;
  double Factor() const { return state_.Factor; }
  double Offset() const { return state_.Offset; }
  /// Draws the ticks through Map, the map of the data the axis belongs to,
  /// from now on (a chart hands each of its scales its layer's map whenever
  /// it recomputes them). Does not repaint.
  void SetDataMap(const TAxisMap &Map) { state_.DataMap = Map; }
  /// The numeric state the drawing works from.
  const TScaleState &State() const { return state_; }
  /// The look the drawing works from.
  const TAxisLook &Look() const { return look_; }
  /// Takes over settings, margins and look as a whole, as a chart applies its
  /// axis objects: the rules of the single setters hold as if each value had
  /// been set (clamps, range ends, logarithmic acceptance against the new
  /// range and label type), the map is recomputed once and the scale repaints
  /// once. Size and maps in State stay the scale's own.
  void SetState(const TScaleState &State, const TAxisLook &Look);

  /// While set nothing is drawn; clearing it repaints. Set until the scale's
  /// window exists.
  bool PaintSuspended() const { return paintSuspended_; }
  void SetPaintSuspended(bool Value);
  /// Marks the scale as one of a chart's axes (repaints on change).
  bool ChartOwned() const { return chartOwned_; }
  void SetChartOwned(bool Value);
  /// Draws onto Canvas with the scale's origin at (X0, Y0) instead of the
  /// scale's own canvas; null returns to the own canvas.
  void SetTargetCanvas(TCanvas *Canvas, int X0, int Y0);
  TCanvas *TargetCanvas() const { return target_; }
  /// Paints once even while PaintSuspended is set.
  void ForcePaint();

  void Assign(TPersistent *Source) override;
  void AssignTo(TPersistent *Dest) override;

  TScaleTickDrawnEvent OnScaleTickDrawn;
  TScaleRenderedEvent OnBeforeScaleRendered;
  TScaleRenderedEvent OnAfterScaleRendered;

  void Paint() override;
  /// A picture of an axis for screen readers, named by its caption.
  void DescribeAccessible(TAccessibleInfo &Info) const override;
  void Loaded() override;

protected:
  void BoundsChanged() override;
  void FontChanged() override;
  void TextChanged() override;
  void VisibleChanged() override;

private:
  bool IsScaleLoading() const;
  void RecalcAndRepaint();
  /// Paints at once or invalidates, by the repaint rule.
  void RepaintScale();
  void PaintScale();
  void ApplyColorScheme();

  TScaleState state_;
  TAxisLook look_;
  TColor colorBackGnd_ = clBtnFace;
  TColorScheme colorScheme_ = csBWG;
  TFrameStyle frameStyle_ = fsLowered;
  TColor frameColor_ = clBlack;
  TColor darkColor_ = 0x808080;
  TColor lightColor_ = 0xFFFFFF;
  TDTLabel dateFormat_;
  TTickPositions positions_;
  std::vector<TTick> ticks_;
  std::unique_ptr<TBitmap> buffer_;
  bool paintSuspended_ = true;
  bool windowSeen_ = false;
  bool chartOwned_ = false;
  TCanvas *target_ = nullptr;
  int targetX_ = 0;
  int targetY_ = 0;
  bool painting_ = false;
};

/// Registers TDTLabel, the axis property classes and TScale with their
/// published properties (idempotent; the platform's classes come first).
void RegisterAxesClasses();
