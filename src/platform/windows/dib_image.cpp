#include "platform/windows/dib_image.h"

#include "platform/exceptions.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

namespace {
// Pictures larger than this are refused rather than left to fail in GDI.
constexpr long long MaxDibPixels = 64LL * 1024 * 1024;

HBITMAP NewSection(int Width, int Height, std::uint32_t **Bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = Width;
  info.bmiHeader.biHeight = -Height; // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void *pixels = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!section || !pixels) {
    if (section) DeleteObject(section);
    throw Exception("Out of system resources: no picture of " + std::to_string(Width) + " x " +
                    std::to_string(Height) + " pixels");
  }
  *Bits = static_cast<std::uint32_t *>(pixels);
  return section;
}
} // namespace

TDibImage::TDibImage(int Width, int Height, std::uint32_t FillPixel) {
  if (Width <= 0 || Height <= 0) return;
  if (static_cast<long long>(Width) * Height > MaxDibPixels)
    throw Exception("A picture of " + std::to_string(Width) + " x " + std::to_string(Height) +
                    " pixels is too large");
  bitmap_ = NewSection(Width, Height, &bits_);
  width_ = Width;
  height_ = Height;
  stride_ = Width;
  Fill(FillPixel);
}

TDibImage::~TDibImage() { Release(); }

TDibImage::TDibImage(const TDibImage &Other) : ratio_(Other.ratio_) {
  if (Other.Empty()) return;
  bitmap_ = NewSection(Other.width_, Other.height_, &bits_);
  width_ = Other.width_;
  height_ = Other.height_;
  stride_ = width_;
  GdiFlush(); // GDI may still be drawing on the source
  for (int y = 0; y < height_; ++y)
    std::memcpy(bits_ + std::ptrdiff_t(y) * stride_, Other.bits_ + std::ptrdiff_t(y) * Other.stride_,
                sizeof(std::uint32_t) * width_);
}

TDibImage TDibImage::ViewOf(TDibImage &Source, int X, int Y, int Width, int Height) {
  TDibImage view;
  if (Source.Empty() || Width <= 0 || Height <= 0 || X < 0 || Y < 0 ||
      static_cast<long long>(X) + Width > Source.width_ ||
      static_cast<long long>(Y) + Height > Source.height_)
    return view;
  view.bitmap_ = Source.bitmap_;
  view.bits_ = Source.bits_ + std::ptrdiff_t(Y) * Source.stride_ + X;
  view.width_ = Width;
  view.height_ = Height;
  view.stride_ = Source.stride_;
  view.originX_ = Source.originX_ + X;
  view.originY_ = Source.originY_ + Y;
  view.view_ = true;
  return view;
}

TDibImage &TDibImage::operator=(const TDibImage &Other) {
  if (this != &Other) {
    TDibImage copy(Other);
    Swap(copy);
  }
  return *this;
}

TDibImage::TDibImage(TDibImage &&Other) noexcept { Swap(Other); }

TDibImage &TDibImage::operator=(TDibImage &&Other) noexcept {
  if (this != &Other) {
    Release();
    Swap(Other);
  }
  return *this;
}

void TDibImage::Swap(TDibImage &Other) noexcept {
  std::swap(bitmap_, Other.bitmap_);
  std::swap(bits_, Other.bits_);
  std::swap(width_, Other.width_);
  std::swap(height_, Other.height_);
  std::swap(ratio_, Other.ratio_);
  std::swap(stride_, Other.stride_);
  std::swap(originX_, Other.originX_);
  std::swap(originY_, Other.originY_);
  std::swap(view_, Other.view_);
}

void TDibImage::Fill(std::uint32_t Pixel) {
  if (!bits_) return;
  GdiFlush();
  for (int y = 0; y < height_; ++y)
    std::fill_n(bits_ + std::ptrdiff_t(y) * stride_, width_, Pixel);
}

void TDibImage::Release() noexcept {
  if (bitmap_ && !view_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
  stride_ = 0;
  originX_ = originY_ = 0;
  view_ = false;
}
