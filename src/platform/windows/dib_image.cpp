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
  Fill(FillPixel);
}

TDibImage::~TDibImage() { Release(); }

TDibImage::TDibImage(const TDibImage &Other) : ratio_(Other.ratio_) {
  if (Other.Empty()) return;
  bitmap_ = NewSection(Other.width_, Other.height_, &bits_);
  width_ = Other.width_;
  height_ = Other.height_;
  GdiFlush(); // GDI may still be drawing on the source
  std::memcpy(bits_, Other.bits_, sizeof(std::uint32_t) * width_ * height_);
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
}

void TDibImage::Fill(std::uint32_t Pixel) {
  if (!bits_) return;
  GdiFlush();
  std::fill(bits_, bits_ + static_cast<std::size_t>(width_) * height_, Pixel);
}

void TDibImage::Release() noexcept {
  if (bitmap_) DeleteObject(bitmap_);
  bitmap_ = nullptr;
  bits_ = nullptr;
  width_ = height_ = 0;
}
