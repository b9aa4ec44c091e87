#pragma once
// The axis property objects a chart publishes for each of its layers. Every
// setter enforces its rule and then fires OnChange, on which the chart
// re-applies all its axes and repaints.
#include "axes/axis_types.h"
#include "axes/dt_label.h"
#include "platform/color.h"
#include "platform/control.h"
#include "platform/graphics.h"

#include <string>

/// Settings of one chart axis: range, logarithmic mode, ticks, labels and
/// caption. Owned by the chart; the chart copies them onto its internal scale.
class TScaleProps : public TPersistent {
public:
  TScaleProps();
  ~TScaleProps() override;

  const std::string &Caption() const { return caption_; }
  void SetCaption(const std::string &Value);
  int CaptionPosX() const { return captionPosX_; }
  void SetCaptionPosX(int Value);
  int CaptionPosY() const { return captionPosY_; }
  void SetCaptionPosY(int Value);
  TAlignment CaptionAlignment() const { return captionAlignment_; }
  void SetCaptionAlignment(TAlignment Value);
  TScaleUnitAnchor CaptionAnchor() const { return captionAnchor_; }
  void SetCaptionAnchor(TScaleUnitAnchor Value);
  TColor ColorScale() const { return colorScale_; }
  void SetColorScale(TColor Value);
  /// The axis's own date/time settings; its changes fire OnChange.
  TDTLabel *DateFormat() { return &dateFormat_; }
  const TDTLabel *DateFormat() const { return &dateFormat_; }
  /// Copies the settings of Value into the axis's own object.
  void SetDateFormat(const TDTLabel *Value);
  int DecPlaces() const { return decPlaces_; }
  /// Clamped to -3 .. 12.
  void SetDecPlaces(int Value);
  /// The axis's own label font; any change of it fires OnChange.
  TFont *Font() { return &font_; }
  const TFont *Font() const { return &font_; }
  /// Copies the settings of Value into the axis's own font.
  void SetFont(const TFont *Value);
  bool Logarithmic() const { return logarithmic_; }
  /// False is always taken. True only while loading, or when both range ends
  /// are at least 1e-100 and the labels are not dates; else the old value
  /// stays. OnChange fires either way.
  void SetLogarithmic(bool Value);
  TFigType LabelType() const { return labelType_; }
  /// Date labels also switch the logarithmic mode off; time labels set four
  /// decimals.
  void SetLabelType(TFigType Value);
  /// Stored as given; the scale clamps it.
  int MinTicks() const { return minTicks_; }
  void SetMinTicks(int Value);
  double MinRange() const { return minRange_; }
  /// Ignored (no event) at or below 1e-100. A narrower range is widened
  /// about its centre (OnChange fires); otherwise nothing else happens and no
  /// event fires.
  void SetMinRange(double Value);
  double RangeLow() const { return rangeLow_; }
  /// Closer than MinRange to RangeHigh moves RangeHigh to Value + MinRange.
  /// On a logarithmic axis a change that would leave an end below 1e-100 is
  /// ignored. The ends are not ordered: low above high is a reversed axis.
  void SetRangeLow(double Value);
  double RangeHigh() const { return rangeHigh_; }
  /// Mirror of SetRangeLow: too close moves RangeLow to Value - MinRange.
  void SetRangeHigh(double Value);
  bool ShortTicks() const { return shortTicks_; }
  void SetShortTicks(bool Value);
  const std::string &ScaleInscript() const { return scaleInscript_; }
  void SetScaleInscript(const std::string &Value);
  /// Distance of the axis line outward from the data area, in pixels.
  int ScalePos() const { return scalePos_; }
  void SetScalePos(int Value);
  const std::string &UserTickText() const { return userTickText_; }
  void SetUserTickText(const std::string &Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);

  /// Placement of the axis line on its scale strip (set by ScaleLocation or
  /// directly by the owning chart).
  TScaleType ScaleType() const { return scaleType_; }
  void SetScaleType(TScaleType Value);
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
  bool LogRangeRefused(double Low, double High) const;

  std::string caption_;
  int captionPosX_ = 0;
  int captionPosY_ = 0;
  TAlignment captionAlignment_ = taCenter;
  TScaleUnitAnchor captionAnchor_ = uaSclTopLft;
  TColor colorScale_ = clBlack;
  TDTLabel dateFormat_;
  int decPlaces_ = -2;
  TFont font_;
  bool logarithmic_ = false;
  TFigType labelType_ = ftNum;
  int minTicks_ = 3;
  double minRange_ = 1e-10;
  double rangeLow_ = 0;
  double rangeHigh_ = 1;
  bool shortTicks_ = true;
  std::string scaleInscript_;
  int scalePos_ = 0;
  std::string userTickText_;
  bool visible_ = false;
  TScaleType scaleType_ = sctXB;
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
