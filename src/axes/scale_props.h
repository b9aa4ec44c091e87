#pragma once
// The axis property objects a chart publishes for each of its layers. Every
// setter enforces its rule and then fires OnChange, on which the chart
// re-applies all its axes and repaints.
#include "axes/axis_painter.h"
#include "axes/axis_map.h"
#include "axes/axis_types.h"
#include "axes/dt_label.h"
#include "axes/scale_geometry.h"
#include "platform/color.h"
#include "platform/control.h"
#include "platform/graphics.h"

#include <string>

/// Settings of one chart axis: range, logarithmic mode, ticks, labels and
/// caption. Owned by the chart; the chart hands Settings() and Look() as a
/// whole to its internal scale. A new axis setting is a field of TAxisSettings
/// or TAxisLook, its accessors here and its registration.
class TScaleProps : public TPersistent {
public:
  TScaleProps();
  ~TScaleProps() override;

  /// The numeric settings and the look, as the chart's scale takes them over.
  const TAxisSettings &Settings() const { return settings_; }
  const TAxisLook &Look() const { return look_; }

  const std::string &Caption() const { return look_.Caption; }
  void SetCaption(const std::string &Value) { Store(look_.Caption, Value); }
  int CaptionPosX() const { return look_.CaptionPosX; }
  void SetCaptionPosX(int Value) { Store(look_.CaptionPosX, Value); }
  int CaptionPosY() const { return look_.CaptionPosY; }
  void SetCaptionPosY(int Value) { Store(look_.CaptionPosY, Value); }
  TAlignment CaptionAlignment() const { return look_.CaptionAlignment; }
  void SetCaptionAlignment(TAlignment Value) { Store(look_.CaptionAlignment, Value); }
  TScaleUnitAnchor CaptionAnchor() const { return look_.CaptionAnchor; }
  void SetCaptionAnchor(TScaleUnitAnchor Value) { Store(look_.CaptionAnchor, Value); }
  TColor ColorScale() const { return look_.ColorScale; }
  void SetColorScale(TColor Value) { Store(look_.ColorScale, Value); }
  /// The axis's own date/time settings; its changes fire OnChange.
  TDTLabel *DateFormat() { return &dateFormat_; }
  const TDTLabel *DateFormat() const { return &dateFormat_; }
  /// Copies the settings of Value into the axis's own object.
  void SetDateFormat(const TDTLabel *Value);
  int DecPlaces() const { return settings_.DecPlaces; }
  /// Clamped to -3 .. 12.
  void SetDecPlaces(int Value);
  /// The axis's own label font; any change of it fires OnChange.
  TFont *Font() { return &font_; }
  const TFont *Font() const { return &font_; }
  /// Copies the settings of Value into the axis's own font.
  void SetFont(const TFont *Value);
  bool Logarithmic() const { return settings_.Logarithmic; }
  /// The range and mode a map of this axis is derived from.
  TAxisRange AxisRange() const { return {settings_.RangeLow, settings_.RangeHigh, settings_.Logarithmic}; }
  /// False is always taken. True only while loading, or when both range ends
  /// are at least LogFloor and the labels are not dates; else the old value
  /// stays. OnChange fires either way.
  void SetLogarithmic(bool Value);
  TFigType LabelType() const { return settings_.LabelType; }
  /// Date labels also switch the logarithmic mode off; time labels set four
  /// decimals.
  void SetLabelType(TFigType Value);
  /// Stored as given; the scale clamps it.
  int MinTicks() const { return settings_.MinTicks; }
  void SetMinTicks(int Value) { Store(settings_.MinTicks, Value); }
  double MinRange() const { return minRange_; }
  /// Ignored (no event) at or below LogFloor. A narrower range is widened
  /// about its centre (OnChange fires); otherwise nothing else happens and no
  /// event fires.
  void SetMinRange(double Value);
  double RangeLow() const { return settings_.RangeLow; }
  /// Closer than MinRange to RangeHigh moves RangeHigh to Value + MinRange.
  /// On a logarithmic axis a change that would leave an end below LogFloor is
  /// ignored. The ends are not ordered: low above high is a reversed axis.
  void SetRangeLow(double Value);
  double RangeHigh() const { return settings_.RangeHigh; }
  /// Mirror of SetRangeLow: too close moves RangeLow to Value - MinRange.
  void SetRangeHigh(double Value);
  bool ShortTicks() const { return settings_.ShortTicks; }
  void SetShortTicks(bool Value) { Store(settings_.ShortTicks, Value); }
  const std::string &ScaleInscript() const { return settings_.ScaleInscript; }
  void SetScaleInscript(const std::string &Value) { Store(settings_.ScaleInscript, Value); }
  /// Distance of the axis line outward from the data area, in pixels.
  int ScalePos() const { return scalePos_; }
  void SetScalePos(int Value) { Store(scalePos_, Value); }
  const std::string &UserTickText() const { return settings_.UserTickText; }
  void SetUserTickText(const std::string &Value) { Store(settings_.UserTickText, Value); }
  bool Visible() const { return visible_; }
  void SetVisible(bool Value) { Store(visible_, Value); }

  /// Placement of the axis line on its scale strip (set by ScaleLocation or
  /// directly by the owning chart).
  TScaleType ScaleType() const { return settings_.ScaleType; }
  void SetScaleType(TScaleType Value) { Store(settings_.ScaleType, Value); }
  /// Set at construction; the owning chart clears it when its form has been
  /// read. While set, Logarithmic is accepted without checks; clearing it
  /// switches a date axis's logarithmic mode off (no event: the chart
  /// applies all axes right after).
  bool Loading() const { return loading_; }
  void SetLoading(bool Value);

  TNotifyEvent OnChange;

protected:
  void Changed();

private:
  /// The plain setter: stores and fires OnChange.
  template <class T> void Store(T &Field, const T &Value) {
    Field = Value;
    Changed();
  }
  bool LogRangeRefused(double Low, double High) const;

  TAxisSettings settings_;
  TAxisLook look_;
  TDTLabel dateFormat_;
  TFont font_;
  double minRange_ = 1e-10;
  int scalePos_ = 0;
  bool visible_ = false;
  bool loading_ = true;
};

/// A horizontal axis: adds where it sits relative to the data area.
class TScalePropsHoriz : public TScaleProps {
public:
  TScalePropsHoriz();
  TScaleLocationHoriz ScaleLocation() const { return location_; }
  /// slTop puts the line at the bottom of a strip above the data (sctXB),
  /// slBottom at the top of a strip below it (sctXT).
  void SetScaleLocation(TScaleLocationHoriz Value);

private:
  TScaleLocationHoriz location_ = slBottom;
};

/// A vertical axis: adds where it sits relative to the data area.
class TScalePropsVert : public TScaleProps {
public:
  TScalePropsVert();
  TScaleLocationVert ScaleLocation() const { return location_; }
  /// slLeft puts the line at the right edge of a strip left of the data
  /// (sctYR), slRight at the left edge of a strip right of it (sctYL).
  void SetScaleLocation(TScaleLocationVert Value);

private:
  TScaleLocationVert location_ = slLeft;
};
