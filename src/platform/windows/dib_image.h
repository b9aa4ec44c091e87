#pragma once
// TDibImage: the Windows back end's picture. Its pixels are a top-down 32-bit
// device-independent bitmap (one 0x00RRGGBB word per pixel, rows without
// padding), which the core's canvas draws on directly, GDI draws text and
// shapes on through Handle(), and a window shows with one copy per paint.
// Copies own their pixels; moving and swapping are constant time.
#include "platform/pixel_rules.h"

#include <cstdint>

struct HBITMAP__;

class TDibImage {
public:
  TDibImage() = default;
  /// Width x Height device pixels, all of them Fill (white by default).
  TDibImage(int Width, int Height, std::uint32_t Fill = 0x00FFFFFFu);
  ~TDibImage();
  TDibImage(const TDibImage &Other);
  TDibImage &operator=(const TDibImage &Other);
  TDibImage(TDibImage &&Other) noexcept;
  TDibImage &operator=(TDibImage &&Other) noexcept;
  void Swap(TDibImage &Other) noexcept;

  bool Empty() const { return !bits_; }
  /// Size in device pixels.
  int Width() const { return width_; }
  int Height() const { return height_; }
  /// Device pixels per logical pixel.
  double PixelRatio() const { return ratio_; }
  void SetPixelRatio(double Value) { ratio_ = Value > 0 ? Value : 1.0; }

  std::uint32_t *Bits() { return bits_; }
  const std::uint32_t *Bits() const { return bits_; }
  /// The pixels as the core's raster routines take them (empty when Empty()).
  TPixelView View() const { return TPixelView{bits_, width_, height_, width_}; }
  void Fill(std::uint32_t Pixel);

  /// The DIB section, to select into a memory device context; null when empty.
  HBITMAP__ *Handle() const { return bitmap_; }

private:
  void Release() noexcept;
  HBITMAP__ *bitmap_ = nullptr;
  std::uint32_t *bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  double ratio_ = 1.0;
};
