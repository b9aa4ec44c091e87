// Interim TBitmap for the Windows build until its own picture code lands:
// pixels in a TDibImage the canvas draws on, no file formats. CMake builds
// this file only while src/platform/windows/bitmap.cpp does not exist.
#include "platform/bitmap.h"

#include "platform/windows/dib_canvas.h"
#include "platform/windows/dib_image.h"

#include <algorithm>
#include <cstdlib>

TBitmap::TBitmap() : image_(std::make_unique<TDibImage>()), canvas_(std::make_unique<TCanvas>()) {
  AttachDib(*canvas_, image_.get());
}

TBitmap::TBitmap(int Width, int Height) : TBitmap() {
  SetSize(Width, Height);
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
  return int(image_->Width() / ratio_);
}

int TBitmap::Height() const {
  return int(image_->Height() / ratio_);
}

double TBitmap::PixelRatio() const {
  return ratio_;
}

void TBitmap::SetPixelRatio(double Value) {
  const int w = Width(), h = Height();
  ratio_ = Value > 0 ? Value : 1.0;
  TDibImage fresh(int(w * ratio_ + 0.5), int(h * ratio_ + 0.5));
  fresh.SetPixelRatio(ratio_);
  image_->Swap(fresh);
}

bool TBitmap::Empty() const {
  return image_->Empty();
}

void TBitmap::SetWidth(int Value) {
  SetSize(Value, Height());
}

void TBitmap::SetHeight(int Value) {
  SetSize(Width(), Value);
}

void TBitmap::SetSize(int Width, int Height) {
  Width = std::max(Width, 0);
  Height = std::max(Height, 0);
  const int w = int(Width * ratio_ + 0.5), h = int(Height * ratio_ + 0.5);
  if (w == image_->Width() && h == image_->Height()) return;
  if (w == 0 || h == 0) {
    TDibImage none;
    image_->Swap(none);
    return;
  }
  TDibImage fresh(w, h);
  fresh.SetPixelRatio(ratio_);
  for (int y = 0; y < std::min(h, image_->Height()); ++y)
    std::copy_n(image_->Bits() + std::size_t(y) * std::size_t(image_->Width()),
                std::min(w, image_->Width()), fresh.Bits() + std::size_t(y) * std::size_t(w));
  image_->Swap(fresh);
}

TColor TBitmap::TransparentColor() const {
  if (hasTransparentColor_) return transparentColor_;
  return Pixel(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
  transparentColor_ = Value;
  hasTransparentColor_ = true;
}

TColor TBitmap::Pixel(int X, int Y) const {
  if (X < 0 || Y < 0 || X >= Width() || Y >= Height()) return CLR_INVALID;
  const std::uint32_t p = image_->Bits()[std::size_t(int(Y * ratio_)) * std::size_t(image_->Width()) +
                                         std::size_t(int(X * ratio_))];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

void TBitmap::LoadFromFile(const std::string &FileName) {
  throw EInvalidGraphic("Pictures cannot be read on this system yet: " + FileName);
}

void TBitmap::LoadFromStream(TStream &) {
  throw EInvalidGraphic("Pictures cannot be read on this system yet");
}

void TBitmap::SaveToFile(const std::string &FileName) const {
  throw EInvalidGraphic("Pictures cannot be written on this system yet: " + FileName);
}

void TBitmap::Assign(const TBitmap &Source) {
  if (&Source == this) return;
  *image_ = *Source.image_;
  ratio_ = Source.ratio_;
  transparent_ = Source.transparent_;
  hasTransparentColor_ = Source.hasTransparentColor_;
  transparentColor_ = Source.transparentColor_;
}

bool TBitmap::ViewArea(TBitmap &, const TRect &) {
  return false;
}

void TBitmap::SwapPixels(TBitmap &Other) {
  image_->Swap(*Other.image_);
  std::swap(ratio_, Other.ratio_);
}

bool TBitmap::SharesPixels() const {
  return false;
}

double DifferingPixelShare(const TBitmap &A, const TBitmap &B, int ChannelTolerance) {
  const TDibImage &a = A.Image(), &b = B.Image();
  if (a.Width() != b.Width() || a.Height() != b.Height()) return 1.0;
  const std::size_t n = std::size_t(a.Width()) * std::size_t(a.Height());
  if (n == 0) return 0.0;
  std::size_t differing = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t p = a.Bits()[i], q = b.Bits()[i];
    for (int shift : {0, 8, 16})
      if (std::abs(int((p >> shift) & 0xFF) - int((q >> shift) & 0xFF)) > ChannelTolerance) {
        ++differing;
        break;
      }
  }
  return double(differing) / double(n);
}
