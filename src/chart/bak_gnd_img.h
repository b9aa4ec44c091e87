#pragma once
// TBakGndImg: the chart's data background settings - a picture file with its
// fill mode, or, without a picture, a coloured band in world coordinates.
#include "chart/chart_types.h"
#include "platform/color.h"
#include "platform/control.h"
#include "platform/persistent.h"

#include <string>

class TBakGndImg : public TPersistent {
public:
  /// Picture file; empty means no picture. Without IncludePath only the file
  /// name is kept, so the file is looked up in the current directory.
  const std::string &Name() const { return name_; }
  void SetName(const std::string &Value);
  bool IncludePath() const { return includePath_; }
  /// Switching it off also strips the directory from Name.
  void SetIncludePath(bool Value);
  TBkgFill FillMode() const { return fillMode_; }
  void SetFillMode(TBkgFill Value);
  TBGAreaMode AreaMode() const { return areaMode_; }
  void SetAreaMode(TBGAreaMode Value);
  TColor AreaColor() const { return areaColor_; }
  void SetAreaColor(TColor Value);
  /// Band limits in world coordinates of layer 1.
  double AreaLeft() const { return areaLeft_; }
  void SetAreaLeft(double Value);
  double AreaRight() const { return areaRight_; }
  void SetAreaRight(double Value);
  double AreaTop() const { return areaTop_; }
  void SetAreaTop(double Value);
  double AreaBottom() const { return areaBottom_; }
  void SetAreaBottom(double Value);

  /// Forgets a picture that could not be loaded, without a change
  /// notification (the painting that found out is still running).
  void DropName() { name_.clear(); }

  /// Copies every setting of Source (a TBakGndImg) and raises OnChange once.
  void Assign(TPersistent *Source) override;

  /// Raised after every change; the chart turns it into a repaint request.
  TNotifyEvent OnChange;

private:
  void Changed();

  std::string name_;
  bool includePath_ = false;
  TBkgFill fillMode_ = bfStretch;
  TBGAreaMode areaMode_ = bamNone;
  TColor areaColor_ = 0xDDDDDD;
  double areaLeft_ = -1;
  double areaRight_ = 1;
  double areaTop_ = 1;
  double areaBottom_ = -1;
};
