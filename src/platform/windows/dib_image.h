#pragma once
// TDibImage: the Windows back end's picture. Its pixels are a top-down 32-bit
// device-independent bitmap (one 0x00RRGGBB word per pixel, rows without
// padding), which the core's canvas draws on directly, GDI draws text and
// shapes on through Handle(), and a window shows with one copy per paint.
// Copies own their pixels; moving and swapping are constant time. A view
// (ViewOf) is a window onto an area of another picture's pixels: its rows are
// that picture's rows (Stride), and GDI reaches it through the other
// picture's bitmap at Origin.
#include "platform/pixel_rules.h"

#include <cstddef>
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

  /// The first pixel; row y starts Stride() pixels after row y - 1.
  std::uint32_t *Bits() { return bits_; }
  const std::uint32_t *Bits() const { return bits_; }
  /// Distance between rows in pixels: Width() unless a view.
  std::ptrdiff_t Stride() const { return stride_; }
  /// The pixels as the core's raster routines take them (empty when Empty()).
  TPixelView View() const { return TPixelView{bits_, width_, height_, stride_}; }
  void Fill(std::uint32_t Pixel);

  /// The DIB section, to select into a memory device context; null when empty.
  /// A view gives the bitmap it looks into (not its own).
  HBITMAP__ *Handle() const { return bitmap_; }

  /// A picture showing Width x Height pixels of Source from (X, Y) on, without
  /// a copy; the area must lie inside Source. Valid while Source keeps its
  /// pixels. Empty when the area is empty or does not fit.
  static TDibImage ViewOf(TDibImage &Source, int X, int Y, int Width, int Height);
  bool IsView() const { return view_; }
  /// Where this picture's first pixel lies in Handle()'s bitmap.
  int OriginX() const { return originX_; }
  int OriginY() const { return originY_; }

private:
  void Release() noexcept;
  HBITMAP__ *bitmap_ = nullptr;
  std::uint32_t *bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
  double ratio_ = 1.0;
  std::ptrdiff_t stride_ = 0;
  int originX_ = 0;
  int originY_ = 0;
  bool view_ = false; // bitmap_ belongs to another picture
};
