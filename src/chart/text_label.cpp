#include "chart/text_label.h"

#include "platform/property_registry.h"

TCustomTextLabel::TCustomTextLabel() : font_(std::make_unique<TFont>()) {
  font_->OnChange = [this](TGraphicsObject *) { Changed(); };
}

TCustomTextLabel::~TCustomTextLabel() {
  font_->OnChange = nullptr;
}

void TCustomTextLabel::Changed() {
  if (OnChange) OnChange(this);
}

void TCustomTextLabel::SetPosX(double Value) {
  posX_ = Value;
  Changed();
}
void TCustomTextLabel::SetPosY(double Value) {
  posY_ = Value;
  Changed();
}
void TCustomTextLabel::SetLayer(int Value) {
  if (Value < 1 || Value > 16) return;
  layer_ = Value;
  Changed();
}
void TCustomTextLabel::SetShadowDx(int Value) {
  shadowDx_ = Value;
  Changed();
}
void TCustomTextLabel::SetShadowDy(int Value) {
  shadowDy_ = Value;
  Changed();
}
void TCustomTextLabel::SetColorShadow(TColor Value) {
  colorShadow_ = Value;
  Changed();
}
void TCustomTextLabel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Changed();
}
void TCustomTextLabel::SetVerticalAlignment(TVerticalAlignment Value) {
  verticalAlignment_ = Value;
  Changed();
}
void TCustomTextLabel::SetAttachToData(TTxtLblAttachMode Value) {
  attachToData_ = Value;
  Changed();
}
void TCustomTextLabel::SetColorBkg(TColor Value) {
  colorBkg_ = Value;
  Changed();
}
void TCustomTextLabel::SetColorBorder(TColor Value) {
  colorBorder_ = Value;
  Changed();
}
void TCustomTextLabel::SetTransparent(bool Value) {
  transparent_ = Value;
  Changed();
}
void TCustomTextLabel::SetFont(TFont *Value) {
  if (Value && Value != font_.get()) font_->Assign(*Value); // raises OnChange through the font
}
void TCustomTextLabel::SetCaption(const std::string &Value) {
  std::string clean = Value;
  for (char &c : clean) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 && u != 10) c = ' ';
  }
  caption_ = std::move(clean);
  Changed();
}
void TCustomTextLabel::SetMode(TTxtLblMode Value) {
  mode_ = Value;
  Changed();
}
void TCustomTextLabel::SetVisible(bool Value) {
  visible_ = Value;
  Changed();
}

void TCrossHair::Changed() {
  if (OnChange) OnChange(this);
}
void TCrossHair::SetPosX(double Value) {
  posX_ = Value;
  Changed();
}
void TCrossHair::SetPosY(double Value) {
  posY_ = Value;
  Changed();
}
void TCrossHair::SetColor(TColor Value) {
  color_ = Value;
  Changed();
}
void TCrossHair::SetMode(TCrossHMode Value) {
  mode_ = Value;
  Changed();
}
void TCrossHair::SetLineType(TPenStyle Value) {
  lineType_ = Value;
  Changed();
}
void TCrossHair::SetLineWid(int Value) {
  lineWid_ = Value;
  Changed();
}
void TCrossHair::SetLayer(int Value) {
  layer_ = Value < 1 ? 1 : (Value > 16 ? 16 : Value);
  Changed();
}

void TCrossHair::Assign(TPersistent *Source) {
  auto *src = dynamic_cast<TCrossHair *>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  if (src == this) return;
  posX_ = src->posX_;
  posY_ = src->posY_;
  color_ = src->color_;
  mode_ = src->mode_;
  lineType_ = src->lineType_;
  lineWid_ = src->lineWid_;
  layer_ = src->layer_;
  Changed();
}
