// TIcon on Windows: the best entry of an ICO file (BMP or PNG inside), or a
// PNG or BMP picture, kept as 0xAARRGGBB words in a TDibImage; and icon
// handles made from it.
#include "platform/icon.h"

#include "platform/bitmap_image.h"
#include "platform/windows/dib_image.h"
#include "platform/windows/icon_handle.h"
#include "platform/windows/picture_codec.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// Icons are small; this bounds what a crafted file may make us decode.
constexpr long long MaxIconPixels = 1LL << 24;

// Icon scaled to Size x Size by averaging the source pixels each target
// pixel covers (colours weighted by their alpha), centred with its aspect
// kept; straight alpha in the top byte.
std::vector<std::uint32_t> Scaled(const TDibImage &Icon, int Size) {
  std::vector<std::uint32_t> out(std::size_t(Size) * std::size_t(Size), 0);
  const int sw = Icon.Width(), sh = Icon.Height();
  const double scale = double(Size) / std::max(sw, sh);
  const int tw = std::max(1, int(sw * scale + 0.5)), th = std::max(1, int(sh * scale + 0.5));
  const int ox = (Size - tw) / 2, oy = (Size - th) / 2;
  const TPixelView src = Icon.View();
  for (int y = 0; y < th; ++y) {
    const int y0 = int(std::int64_t(y) * sh / th), y1 = std::max(y0 + 1, int(std::int64_t(y + 1) * sh / th));
    for (int x = 0; x < tw; ++x) {
      const int x0 = int(std::int64_t(x) * sw / tw), x1 = std::max(x0 + 1, int(std::int64_t(x + 1) * sw / tw));
      double a = 0, r = 0, g = 0, b = 0;
      for (int sy = y0; sy < y1; ++sy)
        for (int sx = x0; sx < x1; ++sx) {
          const std::uint32_t p = src.Row(sy)[sx];
          const double pa = double(p >> 24);
          a += pa;
          r += pa * double((p >> 16) & 0xFF);
          g += pa * double((p >> 8) & 0xFF);
          b += pa * double(p & 0xFF);
        }
      const double n = double(y1 - y0) * double(x1 - x0);
      std::uint32_t pixel = 0;
      if (a > 0)
        pixel = std::uint32_t(a / n + 0.5) << 24 | std::uint32_t(r / a + 0.5) << 16 |
                std::uint32_t(g / a + 0.5) << 8 | std::uint32_t(b / a + 0.5);
      out[std::size_t(oy + y) * std::size_t(Size) + std::size_t(ox + x)] = pixel;
    }
  }
  return out;
}

} // namespace

TIcon::TIcon() : image_(std::make_unique<TDibImage>()) {}
TIcon::~TIcon() = default;

bool DecodeIconPicture(TDibImage &Image, const std::string &Bytes) {
  std::optional<TDibImage> decoded = DecodeIcoFile(Bytes, MaxIconPixels);
  if (!decoded) decoded = DecodePngOrBmp(Bytes, MaxIconPixels);
  if (!decoded) return false;
  Image = std::move(*decoded);
  return true;
}

HICON NewIconHandle(const TIcon &Icon, int Size) {
  if (Icon.Empty() || Size < 1 || Size > 1024) return nullptr;
  const std::vector<std::uint32_t> pixels = Scaled(Icon.Image(), Size);
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof(header);
  header.bV5Width = Size;
  header.bV5Height = -Size; // top-down rows
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void *bits = nullptr;
  HBITMAP colour = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO *>(&header),
                                    DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!colour || !bits) {
    if (colour) DeleteObject(colour);
    return nullptr;
  }
  std::copy(pixels.begin(), pixels.end(), static_cast<std::uint32_t *>(bits));
  GdiFlush();
  // The mask is ignored where the colour bitmap has alpha, but must exist.
  HBITMAP mask = CreateBitmap(Size, Size, 1, 1, nullptr);
  HICON icon = nullptr;
  if (mask) {
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = mask;
    info.hbmColor = colour;
    icon = CreateIconIndirect(&info);
    DeleteObject(mask);
  }
  DeleteObject(colour);
  return icon;
}
