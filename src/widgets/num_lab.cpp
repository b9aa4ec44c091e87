#include "widgets/num_lab.h"

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/property_registry.h"

#include <cmath>

namespace {

// Sample whose height covers ascenders, descenders and accented capitals.
const char *const kHeightSample = "(8g]}\xC3\x9C\xC3\x84\xC2\xA7";
constexpr TColor kEngravedGrey = 0x808080;

} // namespace

TNumLab::TNumLab(TComponent *AOwner) : TGraphicControl(AOwner) {
  SetBounds(Left(), Top(), 160, 28);
}

TNumLab::~TNumLab() = default;

void TNumLab::Changed() {
  Repaint();
  AccessibleChanged(acName);
}

std::string TNumLab::ValueText() const {
  return NumLabValueText(value_, text_);
}

void TNumLab::SetValue(double V) {
  // A NaN compares unequal to everything, so it is refused explicitly.
  if (std::isnan(V) || V == value_) return;
  value_ = V;
  Changed();
}

void TNumLab::SetDisplayType(TDisplay V) {
  if (V == text_.DisplayType) return;
  text_.DisplayType = V;
  Changed();
}

void TNumLab::SetPrecision(int V) {
  if (V < 0 || V == text_.Precision) return;
  if (V > 15) V = 15;
  if (V == text_.Precision) return;
  text_.Precision = V;
  Changed();
}

void TNumLab::SetComma(bool V) {
  if (V == text_.Comma) return;
  text_.Comma = V;
  Changed();
}

void TNumLab::SetForcePlusSign(bool V) {
  if (V == text_.ForcePlusSign) return;
  text_.ForcePlusSign = V;
  Changed();
}

void TNumLab::SetEmpty(bool V) {
  if (V == empty_) return;
  empty_ = V;
  Changed();
}

void TNumLab::SetOverflowIndicator(const std::string &V) {
  if (V == text_.OverflowIndicator) return;
  text_.OverflowIndicator = V;
  Changed();
}

void TNumLab::SetStateText(const std::string &V) {
  if (V == text_.StateText) return;
  text_.StateText = V;
  Changed();
}

void TNumLab::SetDTFormat(const std::string &V) {
  if (V == text_.DTFormat) return;
  text_.DTFormat = V;
  Changed();
}

void TNumLab::SetLeftText(const std::string &V) {
  if (V == leftText_) return;
  leftText_ = V;
  Changed();
}

void TNumLab::SetRightText(const std::string &V) {
  if (V == rightText_) return;
  rightText_ = V;
  Changed();
}

void TNumLab::SetLeftSpace(int V) {
  if (V < 0 || V == leftSpace_) return;
  // While a form is read the width may not be set yet; Loaded limits it.
  if (V > Width() && !ComponentState().Contains(csLoading)) V = Width();
  if (V == leftSpace_) return;
  leftSpace_ = V;
  Changed();
}

void TNumLab::Loaded() {
  TGraphicControl::Loaded();
  if (leftSpace_ > Width()) leftSpace_ = Width();
}

void TNumLab::SetLabelWidth(int V) {
  if (V == labelWidth_) return;
  labelWidth_ = V;
  Changed();
}

void TNumLab::SetAlignment(TAlignment V) {
  if (V == alignment_) return;
  alignment_ = V;
  Changed();
}

void TNumLab::SetLeftTextAlignment(TAlignment V) {
  if (V == leftTextAlignment_) return;
  leftTextAlignment_ = V;
  Changed();
}

void TNumLab::SetRightTextAlignment(TAlignment V) {
  if (V == rightTextAlignment_) return;
  rightTextAlignment_ = V;
  Changed();
}

void TNumLab::SetFrameStyle(TFrameStyle V) {
  if (V == frameStyle_) return;
  frameStyle_ = V;
  Changed();
}

void TNumLab::SetColorScheme(TColorScheme V) {
  if (V == colorScheme_) return;
  colorScheme_ = V;
  colorShadow_ = V == csSystem ? clBtnShadow : clGray;
  colorHighlight_ = V == csSystem ? clBtnHighlight : clWhite;
  Changed();
}

void TNumLab::SetColorLabBakG(TColor V) {
  if (V == colorLabBakG_) return;
  colorLabBakG_ = V;
  Changed();
}

void TNumLab::SetColorLabText(TColor V) {
  if (V == colorLabText_) return;
  colorLabText_ = V;
  Changed();
}

void TNumLab::SetColorOutBakG(TColor V) {
  if (V == colorOutBakG_) return;
  colorOutBakG_ = V;
  Changed();
}

void TNumLab::SetColorOutText(TColor V) {
  if (V == colorOutText_) return;
  colorOutText_ = V;
  Changed();
}

void TNumLab::SetTransparent(bool V) {
  if (V == transparent_) return;
  transparent_ = V;
  // Switching on needs the parent's picture behind the control first.
  if (V)
    Invalidate();
  else
    Changed();
}

void TNumLab::SetEnabled(bool V) {
  if (V == Enabled()) return;
  TGraphicControl::SetEnabled(V);
  Changed();
}

void TNumLab::Assign(TPersistent *Source) {
  auto *src = dynamic_cast<TNumLab *>(Source);
  if (!src) {
    TGraphicControl::Assign(Source);
    return;
  }
  leftSpace_ = src->leftSpace_;
  empty_ = src->empty_;
  labelWidth_ = src->labelWidth_;
  text_.Precision = src->text_.Precision;
  leftText_ = src->leftText_;
  rightText_ = src->rightText_;
  frameStyle_ = src->frameStyle_;
  alignment_ = src->alignment_;
  rightTextAlignment_ = src->rightTextAlignment_;
  leftTextAlignment_ = src->leftTextAlignment_;
  text_.OverflowIndicator = src->text_.OverflowIndicator;
  value_ = src->value_;
  text_.StateText = src->text_.StateText;
  transparent_ = src->transparent_;
  colorLabBakG_ = src->colorLabBakG_;
  colorLabText_ = src->colorLabText_;
  colorOutBakG_ = src->colorOutBakG_;
  colorOutText_ = src->colorOutText_;
  colorDark_ = src->colorDark_;
  colorShadow_ = src->colorShadow_;
  colorHighlight_ = src->colorHighlight_;
  colorScheme_ = src->colorScheme_;
  text_.DisplayType = src->text_.DisplayType;
  Changed();
}

void TNumLab::AssignTo(TPersistent *Dest) {
  if (auto *dest = dynamic_cast<TNumLab *>(Dest)) {
    dest->Assign(this);
    return;
  }
  TGraphicControl::AssignTo(Dest);
}

std::string TNumLab::BoxText() {
  if (empty_) return {};
  std::string text = ValueText();
  if (OnBeforeDisplay) OnBeforeDisplay(this, text);
  TBitmap measure(1, 1);
  measure.Canvas().Font().Assign(*Font());
  if (measure.Canvas().TextWidth(text) > labelWidth_ - 6 && text_.DisplayType != dtState)
    text = text_.OverflowIndicator;
  return text;
}

void TNumLab::DrawSideTexts(TCanvas &C, int Y) {
  const int W = Width(), LS = leftSpace_, LW = labelWidth_;
  const bool enabled = Enabled();
  // x of the text itself and of its white engraving copy, by alignment.
  auto leftX = [&](int w, bool copy) {
    switch (leftTextAlignment_) {
    case taLeftJustify:
      return copy ? 8 : 7;
    case taRightJustify:
      return LS - w - (copy ? 4 : 5);
    case taCenter:
      break;
    }
    return (LS - w) / 2 + (copy ? 1 : 0);
  };
  auto rightX = [&](int w, bool copy) {
    switch (rightTextAlignment_) {
    case taLeftJustify:
      return LS + LW + (copy ? 8 : 7);
    case taRightJustify:
      return W - w - (copy ? 7 : 6);
    case taCenter:
      break;
    }
    return (W - LS - LW - w) / 2 + LS + LW + (copy ? 2 : 1);
  };
  if (!enabled) C.SetBkMode(TRANSPARENT);
  for (int side = 0; side < 2; ++side) {
    const std::string &text = side == 0 ? leftText_ : rightText_;
    const int w = C.TextWidth(text);
    const int x = side == 0 ? leftX(w, false) : rightX(w, false);
    if (enabled) {
      C.Font().SetColor(colorOutText_);
      C.TextOut(x, Y, text);
      continue;
    }
    C.Font().SetColor(clWhite);
    C.TextOut(side == 0 ? leftX(w, true) : rightX(w, true), Y + 1, text);
    C.Font().SetColor(kEngravedGrey);
    C.TextOut(x, Y, text);
  }
}

void TNumLab::DrawValueBox(TCanvas &C, int Y) {
  const int H = Height(), LS = leftSpace_, LW = labelWidth_;
  TColor pen = colorShadow_;
  if (frameStyle_ == fsNone)
    pen = colorLabBakG_;
  else if (frameStyle_ == fsEmbossed)
    pen = colorHighlight_;
  C.Pen().SetColor(pen);
  C.Brush().SetColor(colorLabBakG_);
  C.Brush().SetStyle(bsSolid);
  if (frameStyle_ == fsNone || frameStyle_ == fsSimple) {
    C.Rectangle(LS, 0, LS + LW + 2, H);
  } else {
    C.Rectangle(LS, 0, LS + LW + 2, H - 1);
    TColor topLeft = colorHighlight_, bottomRight = colorHighlight_;
    switch (frameStyle_) {
    case fsLowered:
      topLeft = colorDark_;
      break;
    case fsRaised:
      bottomRight = colorDark_;
      break;
    case fsEmbossed:
      topLeft = bottomRight = colorShadow_;
      break;
    default:
      break;
    }
    C.Pen().SetColor(topLeft);
    C.Polyline({{LS + 1, H - 3}, {LS + 1, 1}, {LS + LW + 1, 1}});
    C.Pen().SetColor(bottomRight);
    C.Polyline({{LS + 1, H - 1}, {LS + LW + 2, H - 1}, {LS + LW + 2, 0}});
  }
  if (empty_) return;

  std::string text = ValueText();
  if (OnBeforeDisplay) OnBeforeDisplay(this, text);
  int w = C.TextWidth(text);
  // The indicator is measured itself, so that it is placed like any other
  // text instead of starting left of the box.
  if (w > LW - 6 && text_.DisplayType != dtState) {
    text = text_.OverflowIndicator;
    w = C.TextWidth(text);
  }
  C.Font().SetColor(Enabled() ? colorLabText_ : kEngravedGrey);
  C.Brush().SetColor(colorLabBakG_);
  int x = LS + 2 + (LW - w) / 2;
  if (alignment_ == taLeftJustify)
    x = LS + 4;
  else if (alignment_ == taRightJustify)
    x = LS + LW - 2 - w;
  C.TextRect(Rect(LS + 3, 2, LS + LW - 1, H - 3), x, Y, text);
}

void TNumLab::Paint() {
  if (!Visible() && !ComponentState().Contains(csDesigning)) return;
  const int W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  TCanvas &screen = Canvas();
  screen.Font().Assign(*Font());
  const int th = screen.TextHeight(kHeightSample);
  const int y = (H - th) / 2;

  TBitmap bitmap;
  bitmap.SetPixelRatio(screen.PixelRatio());
  bitmap.SetSize(W, H);
  TCanvas &C = bitmap.Canvas();
  C.Font().Assign(*Font());
  const TColor fill = transparent_ ? clWhite : colorOutBakG_;
  C.Pen().SetColor(fill);
  C.Brush().SetColor(fill);
  C.Brush().SetStyle(bsSolid);
  C.Rectangle(0, 0, W, H);
  DrawSideTexts(C, y);
  DrawValueBox(C, y);

  const TRect all = Rect(0, 0, W, H);
  if (transparent_) {
    // White in the bitmap lets the parent show through; the value box itself
    // is prepared so that ANDing leaves its own colours.
    screen.Brush().SetStyle(bsSolid);
    screen.Brush().SetColor(colorLabText_ != clBlack ? clWhite : colorLabBakG_);
    screen.FillRect(Rect(leftSpace_ + 2, 2, leftSpace_ + labelWidth_, H - 2));
    screen.SetCopyMode(SRCAND);
  } else {
    screen.SetCopyMode(SRCCOPY);
  }
  screen.CopyRect(all, C, all);
}

void RegisterNumLab() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterPlatformClasses();
  // Enabled and the other inherited properties are published by TControl;
  // Enabled reaches SetEnabled here through the virtual setter.
  RegisterClass<TNumLab, TGraphicControl>("TNumLab")
      .Float("Value", &TNumLab::Value, &TNumLab::SetValue)
      .Enum("DisplayType", &TNumLab::DisplayType, &TNumLab::SetDisplayType, DisplayNames)
      .Integer("Precision", &TNumLab::Precision, &TNumLab::SetPrecision)
      .Boolean("Comma", &TNumLab::Comma, &TNumLab::SetComma)
      .Boolean("ForcePlusSign", &TNumLab::ForcePlusSign, &TNumLab::SetForcePlusSign)
      .Boolean("Empty", &TNumLab::Empty, &TNumLab::SetEmpty)
      .Text("OverflowIndicator", &TNumLab::OverflowIndicator, &TNumLab::SetOverflowIndicator)
      .Text("StateText", &TNumLab::StateText, &TNumLab::SetStateText)
      .Text("DTFormat", &TNumLab::DTFormat, &TNumLab::SetDTFormat)
      .Text("LeftText", &TNumLab::LeftText, &TNumLab::SetLeftText)
      .Text("RightText", &TNumLab::RightText, &TNumLab::SetRightText)
      .Integer("LeftSpace", &TNumLab::LeftSpace, &TNumLab::SetLeftSpace)
      .Integer("LabelWidth", &TNumLab::LabelWidth, &TNumLab::SetLabelWidth)
      .Enum("Alignment", &TNumLab::Alignment, &TNumLab::SetAlignment, AlignmentNames)
      .Enum("LeftTextAlignment", &TNumLab::LeftTextAlignment, &TNumLab::SetLeftTextAlignment,
            AlignmentNames)
      .Enum("RightTextAlignment", &TNumLab::RightTextAlignment, &TNumLab::SetRightTextAlignment,
            AlignmentNames)
      .Enum("FrameStyle", &TNumLab::FrameStyle, &TNumLab::SetFrameStyle, FrameStyleNames)
      .Enum("ColorScheme", &TNumLab::ColorScheme, &TNumLab::SetColorScheme, ColorSchemeNames)
      .Color("ColorLabBakG", &TNumLab::ColorLabBakG, &TNumLab::SetColorLabBakG)
      .Color("ColorLabText", &TNumLab::ColorLabText, &TNumLab::SetColorLabText)
      .Color("ColorOutBakG", &TNumLab::ColorOutBakG, &TNumLab::SetColorOutBakG)
      .Color("ColorOutText", &TNumLab::ColorOutText, &TNumLab::SetColorOutText)
      .Boolean("Transparent", &TNumLab::Transparent, &TNumLab::SetTransparent)
      .Event("OnBeforeDisplay", &TNumLab::OnBeforeDisplay);
}
