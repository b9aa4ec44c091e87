#include "platform/graphics.h"

#include <cmath>

namespace {
// Rounded a * b / c with halves away from zero, as the classic MulDiv.
int MulDivRound(int a, int b, int c) {
  const long long p = static_cast<long long>(a) * b;
  const long long q = p >= 0 ? (p + c / 2) / c : -((-p + c / 2) / c);
  return static_cast<int>(q);
}
} // namespace

TFont::TFont() : name_("MS Sans Serif"), height_(-11), color_(clWindowText), pitch_(fpDefault) {}

void TFont::SetName(const std::string &Value) {
  if (Value.empty() || Value == name_) return;
  name_ = Value;
  Changed();
}

void TFont::SetHeight(int Value) {
  if (Value == height_) return;
  height_ = Value;
  Changed();
}

int TFont::Size() const {
  return -MulDivRound(height_, 72, ScreenPixelsPerInch);
}

void TFont::SetSize(int Value) {
  SetHeight(-MulDivRound(Value, ScreenPixelsPerInch, 72));
}

void TFont::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  Changed();
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value == style_) return;
  style_ = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value == pitch_) return;
  pitch_ = Value;
  Changed();
}

void TFont::Assign(const TFont &Source) {
  if (&Source == this) return;
  name_ = Source.name_;
  height_ = Source.height_;
  color_ = Source.color_;
  style_ = Source.style_;
  pitch_ = Source.pitch_;
  Changed();
}

bool TFont::SameAs(const TFont &Other) const {
  return name_ == Other.name_ && height_ == Other.height_ && color_ == Other.color_ &&
         style_ == Other.style_ && pitch_ == Other.pitch_;
}

void TPen::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  Changed();
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  Changed();
}

void TPen::SetWidth(int Value) {
  if (Value < 1) Value = 1;
  if (Value == width_) return;
  width_ = Value;
  Changed();
}

void TPen::SetMode(TPenMode Value) {
  if (Value == mode_) return;
  mode_ = Value;
  Changed();
}

void TPen::Assign(const TPen &Source) {
  if (&Source == this) return;
  color_ = Source.color_;
  style_ = Source.style_;
  width_ = Source.width_;
  mode_ = Source.mode_;
  Changed();
}

void TBrush::SetColor(TColor Value) {
  if (Value == color_) return;
  color_ = Value;
  Changed();
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value == style_) return;
  style_ = Value;
  Changed();
}

void TBrush::Assign(const TBrush &Source) {
  if (&Source == this) return;
  color_ = Source.color_;
  style_ = Source.style_;
  Changed();
}
