#pragma once
// TNumLab: a read-out control showing a fixed text on the left, a framed value
// box with a number in one of fifteen display formats, and a unit text on the
// right. It composes its picture off screen and transfers it in one step, so
// it does not flicker while its value changes quickly.
#include "axes/axis_types.h"
#include "platform/control.h"
#include "support/frame_painter.h"
#include "widgets/num_lab_text.h"

#include <functional>
#include <string>

class TBitmap;

/// May replace the value text just before it is drawn.
using TBeforeDisplayEvent = std::function<void(TObject *Sender, std::string &Text)>;

class TNumLab : public TGraphicControl {
public:
  explicit TNumLab(TComponent *AOwner);
  ~TNumLab() override;

  /// From another TNumLab: copies the layout, texts, value, colours, frame
  /// settings and display type (not Comma, ForcePlusSign, DTFormat, Enabled),
  /// then paints. Other sources go to the inherited assignment.
  void Assign(TPersistent *Source) override;
  void AssignTo(TPersistent *Dest) override;

  /// The value text built from the current settings (before OnBeforeDisplay
  /// and before the width check), computed without painting.
  std::string ValueText() const;
  /// The text the value box would show now: empty when Empty, otherwise the
  /// value text after OnBeforeDisplay and the width check in the current font.
  std::string BoxText();

  double Value() const { return value_; }
  void SetValue(double V);
  TDisplay DisplayType() const { return text_.DisplayType; }
  void SetDisplayType(TDisplay V);
  int Precision() const { return text_.Precision; }
  void SetPrecision(int V);
  bool Comma() const { return text_.Comma; }
  void SetComma(bool V);
  bool ForcePlusSign() const { return text_.ForcePlusSign; }
  void SetForcePlusSign(bool V);
  bool Empty() const { return empty_; }
  void SetEmpty(bool V);
  const std::string &OverflowIndicator() const { return text_.OverflowIndicator; }
  void SetOverflowIndicator(const std::string &V);
  const std::string &StateText() const { return text_.StateText; }
  void SetStateText(const std::string &V);
  const std::string &DTFormat() const { return text_.DTFormat; }
  void SetDTFormat(const std::string &V);
  const std::string &LeftText() const { return leftText_; }
  void SetLeftText(const std::string &V);
  const std::string &RightText() const { return rightText_; }
  void SetRightText(const std::string &V);
  int LeftSpace() const { return leftSpace_; }
  void SetLeftSpace(int V);
  int LabelWidth() const { return labelWidth_; }
  void SetLabelWidth(int V);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment V);
  TAlignment LeftTextAlignment() const { return leftTextAlignment_; }
  void SetLeftTextAlignment(TAlignment V);
  TAlignment RightTextAlignment() const { return rightTextAlignment_; }
  void SetRightTextAlignment(TAlignment V);
  TFrameStyle FrameStyle() const { return frameStyle_; }
  void SetFrameStyle(TFrameStyle V);
  TColorScheme ColorScheme() const { return colorScheme_; }
  void SetColorScheme(TColorScheme V);
  TColor ColorLabBakG() const { return colorLabBakG_; }
  void SetColorLabBakG(TColor V);
  TColor ColorLabText() const { return colorLabText_; }
  void SetColorLabText(TColor V);
  TColor ColorOutBakG() const { return colorOutBakG_; }
  void SetColorOutBakG(TColor V);
  TColor ColorOutText() const { return colorOutText_; }
  void SetColorOutText(TColor V);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool V);
  /// Disabled read-outs draw engraved grey texts.
  void SetEnabled(bool V) override;

  TBeforeDisplayEvent OnBeforeDisplay;

  void Paint() override;
  /// A text that reads as one: the left text, the value as shown and the
  /// right text ("Temperature 898 K").
  void DescribeAccessible(TAccessibleInfo &Info) const override;

protected:
  void Loaded() override;

private:
  void Changed();
  /// Draws the left and right texts (engraved when disabled) on Canvas.
  void DrawSideTexts(TCanvas &Canvas, int Y);
  void DrawValueBox(TCanvas &Canvas, int Y);

  double value_ = 0;
  TNumLabTextSettings text_;
  bool empty_ = false;
  std::string leftText_;
  std::string rightText_;
  int leftSpace_ = 35;
  int labelWidth_ = 80;
  TAlignment alignment_ = taCenter;
  TAlignment leftTextAlignment_ = taRightJustify;
  TAlignment rightTextAlignment_ = taLeftJustify;
  TFrameStyle frameStyle_ = fsLowered;
  TColorScheme colorScheme_ = csBWG;
  TColor colorLabBakG_ = clBtnFace;
  TColor colorLabText_ = clBlack;
  TColor colorOutBakG_ = clBtnFace;
  TColor colorOutText_ = clBlack;
  bool transparent_ = false;
  // Frame colours, following ColorScheme.
  TColor colorDark_ = clBlack;
  TColor colorShadow_ = clGray;
  TColor colorHighlight_ = clWhite;
};

/// Registers TNumLab and its published properties with the class registry
/// (idempotent).
void RegisterNumLab();
