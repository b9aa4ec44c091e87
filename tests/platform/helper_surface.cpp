#include "helper_surface.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <vector>

int CountColorIn(const TBitmap &B, TColor C, const TRect &R) {
  int n = 0;
  for (int y = std::max(0, R.Top); y < std::min(B.Height(), R.Bottom); ++y)
    for (int x = std::max(0, R.Left); x < std::min(B.Width(), R.Right); ++x)
      n += B.Pixel(x, y) == C;
  return n;
}

int CountColor(const TBitmap &B, TColor C) {
  return CountColorIn(B, C, Rect(0, 0, B.Width(), B.Height()));
}

int CountDifferent(const TBitmap &A, const TBitmap &B) {
  int n = 0;
  for (int y = 0; y < A.Height(); ++y)
    for (int x = 0; x < A.Width(); ++x)
      n += A.Pixel(x, y) != B.Pixel(x, y);
  return n;
}

TRect InkBounds(const TBitmap &B, TColor Background) {
  TRect r{B.Width(), B.Height(), 0, 0};
  for (int y = 0; y < B.Height(); ++y)
    for (int x = 0; x < B.Width(); ++x)
      if (B.Pixel(x, y) != Background) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x + 1);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r.IsEmpty() ? TRect{} : r;
}

TSize DeviceSize(const TBitmap &B) {
  const TCanvasDevice *d = B.Canvas().Device();
  return d && d->Attached() ? d->DeviceSize() : TSize{};
}

TColor DevicePixel(const TBitmap &B, int X, int Y) {
  const TCanvasDevice *d = B.Canvas().Device();
  if (!d) return CLR_INVALID;
  std::vector<std::uint32_t> scratch;
  const TPixelView v = d->ReadPixels(scratch);
  if (!v.Bounds().Contains({X, Y})) return CLR_INVALID;
  return ColorOfPixel(v.Row(Y)[X]);
}

bool SameDevicePixels(const TBitmap &A, const TBitmap &B) {
  const TSize size = DeviceSize(A);
  if (size.cx != DeviceSize(B).cx || size.cy != DeviceSize(B).cy) return false;
  for (int y = 0; y < size.cy; ++y)
    for (int x = 0; x < size.cx; ++x)
      if (DevicePixel(A, x, y) != DevicePixel(B, x, y)) return false;
  return true;
}

std::string BmpFile(int Width, int Height, const std::function<TColor(int X, int Y)> &Pixel) {
  const int row = (Width * 3 + 3) / 4 * 4;
  const std::uint32_t size = std::uint32_t(54 + row * Height);
  std::string f(size, '\0');
  const auto put = [&f](std::size_t At, std::uint32_t V, int Bytes) {
    for (int i = 0; i < Bytes; ++i)
      f[At + std::size_t(i)] = char((V >> (8 * i)) & 0xFF);
  };
  f[0] = 'B';
  f[1] = 'M';
  put(2, size, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, std::uint32_t(Width), 4);
  put(22, std::uint32_t(Height), 4); // bottom-up rows
  put(26, 1, 2);
  put(28, 24, 2);
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      const TColor c = Pixel(x, y);
      const std::size_t at = 54 + std::size_t(Height - 1 - y) * std::size_t(row) + 3 * std::size_t(x);
      f[at] = char(GetBValue(c));
      f[at + 1] = char(GetGValue(c));
      f[at + 2] = char(GetRValue(c));
    }
  return f;
}

std::string TempPath(const std::string &Name) {
  // Tests run in processes of their own, side by side.
  static const std::string stamp =
      std::to_string(std::random_device{}()) + "_" +
      std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
  return (std::filesystem::temp_directory_path() / ("spectrion_" + stamp + "_" + Name))
      .string();
}
