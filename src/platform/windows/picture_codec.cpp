#include "platform/windows/picture_codec.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wconversion"
#pragma GCC diagnostic ignored "-Wdouble-promotion"
#pragma GCC diagnostic ignored "-Wcast-qual"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wold-style-cast"
#pragma GCC diagnostic ignored "-Wuseless-cast"
#endif
#define STBI_ONLY_PNG
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#include <stb_image.h>
#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

std::uint16_t Le16(const unsigned char *P) {
  return std::uint16_t(P[0] | (P[1] << 8));
}

std::uint32_t Le32(const unsigned char *P) {
  return std::uint32_t(P[0]) | std::uint32_t(P[1]) << 8 | std::uint32_t(P[2]) << 16 |
         std::uint32_t(P[3]) << 24;
}

void PutLe32(unsigned char *P, std::uint32_t V) {
  for (int i = 0; i < 4; ++i)
    P[i] = static_cast<unsigned char>(V >> (8 * i));
}

// The decoded RGBA bytes as a picture of 0xAARRGGBB words.
TDibImage FromRgba(const unsigned char *Rgba, int Width, int Height) {
  TDibImage image(Width, Height);
  std::uint32_t *bits = image.Bits();
  for (long long i = 0; i < static_cast<long long>(Width) * Height; ++i) {
    const unsigned char *p = Rgba + 4 * i;
    bits[i] = std::uint32_t(p[3]) << 24 | std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 |
              std::uint32_t(p[2]);
  }
  return image;
}

std::optional<TDibImage> Decode(const unsigned char *Data, std::size_t Size, long long MaxPixels) {
  if (Size == 0 || Size > 0x7FFFFFFF) return std::nullopt;
  int w = 0, h = 0, channels = 0;
  if (!stbi_info_from_memory(Data, int(Size), &w, &h, &channels)) return std::nullopt;
  if (w <= 0 || h <= 0 || static_cast<long long>(w) * h > MaxPixels) return std::nullopt;
  unsigned char *rgba = stbi_load_from_memory(Data, int(Size), &w, &h, &channels, 4);
  if (!rgba) return std::nullopt;
  std::optional<TDibImage> image;
  try {
    image = FromRgba(rgba, w, h);
  } catch (...) {
    stbi_image_free(rgba);
    throw;
  }
  stbi_image_free(rgba);
  return image;
}

bool IsPng(const unsigned char *Data, std::size_t Size) {
  static const unsigned char Signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return Size >= 8 && std::memcmp(Data, Signature, 8) == 0;
}

// A BMP entry of an icon: a bitmap info header and pixels of twice the
// icon's height, the colour rows followed by the transparency mask. Decoded
// as a BMP file of the colour rows, then the mask applied.
std::optional<TDibImage> DecodeIconDib(const unsigned char *Data, std::size_t Size,
                                       long long MaxPixels) {
  if (Size < 40) return std::nullopt;
  const std::uint32_t headerSize = Le32(Data);
  const std::int32_t width = std::int32_t(Le32(Data + 4));
  const std::int32_t doubled = std::int32_t(Le32(Data + 8));
  const int bits = Le16(Data + 14);
  const std::uint32_t compression = Le32(Data + 16);
  std::uint32_t colours = Le32(Data + 32);
  if (headerSize < 40 || headerSize > Size || width <= 0 || doubled <= 1 || width > 1024 ||
      doubled > 2048 || compression != 0)
    return std::nullopt;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return std::nullopt;
  const int height = doubled / 2;
  if (static_cast<long long>(width) * height > MaxPixels) return std::nullopt;
  if (colours == 0 && bits <= 8) colours = 1u << bits;
  if (bits > 8) colours = 0;
  const std::size_t palette = std::size_t(colours) * 4;
  const std::size_t colourRow = ((std::size_t(width) * std::size_t(bits) + 31) / 32) * 4;
  const std::size_t maskRow = ((std::size_t(width) + 31) / 32) * 4;
  const std::size_t pixels = headerSize + palette;
  if (pixels + colourRow * std::size_t(height) > Size) return std::nullopt;
  const bool hasMask = pixels + (colourRow + maskRow) * std::size_t(height) <= Size;

  // A BMP file: file header, the info header with the true height, palette, colour rows.
  std::vector<unsigned char> file(14 + pixels + colourRow * std::size_t(height));
  file[0] = 'B';
  file[1] = 'M';
  PutLe32(&file[2], std::uint32_t(file.size()));
  PutLe32(&file[10], std::uint32_t(14 + pixels));
  std::memcpy(&file[14], Data, pixels + colourRow * std::size_t(height));
  PutLe32(&file[14 + 8], std::uint32_t(height));
  std::optional<TDibImage> image = Decode(file.data(), file.size(), MaxPixels);
  if (!image || image->Width() != width || image->Height() != height) return std::nullopt;

  std::uint32_t *out = image->Bits();
  bool anyAlpha = false;
  if (bits == 32) {
    for (long long i = 0; i < static_cast<long long>(width) * height && !anyAlpha; ++i)
      anyAlpha = (out[i] >> 24) != 0xFF;
  }
  if (!anyAlpha && hasMask) {
    // Rows of the mask are stored bottom-up; a set bit is a transparent pixel.
    const unsigned char *mask = Data + pixels + colourRow * std::size_t(height);
    for (int y = 0; y < height; ++y) {
      const unsigned char *row = mask + maskRow * std::size_t(height - 1 - y);
      for (int x = 0; x < width; ++x)
        if (row[x / 8] & (0x80 >> (x % 8))) out[std::size_t(y) * std::size_t(width) + x] &= 0x00FFFFFFu;
    }
  }
  return image;
}

} // namespace

std::optional<TDibImage> DecodePngOrBmp(const std::string &Bytes, long long MaxPixels) {
  const auto *data = reinterpret_cast<const unsigned char *>(Bytes.data());
  if (!IsPng(data, Bytes.size()) && !(Bytes.size() >= 2 && Bytes[0] == 'B' && Bytes[1] == 'M'))
    return std::nullopt;
  return Decode(data, Bytes.size(), MaxPixels);
}

std::optional<TDibImage> DecodeIcoFile(const std::string &Bytes, long long MaxPixels) {
  const auto *data = reinterpret_cast<const unsigned char *>(Bytes.data());
  const std::size_t size = Bytes.size();
  if (size < 6 || Le16(data) != 0 || Le16(data + 2) != 1) return std::nullopt;
  const int count = Le16(data + 4);
  if (count == 0 || 6 + std::size_t(count) * 16 > size) return std::nullopt;
  // Entries from the best down: the largest, then the deepest.
  struct TEntry {
    long long Area;
    int Bits;
    std::uint32_t Offset, Length;
  };
  std::vector<TEntry> entries;
  for (int i = 0; i < count; ++i) {
    const unsigned char *e = data + 6 + 16 * i;
    const int w = e[0] ? e[0] : 256, h = e[1] ? e[1] : 256;
    const std::uint32_t length = Le32(e + 8), offset = Le32(e + 12);
    if (offset > size || length > size - offset || length == 0) continue;
    entries.push_back({static_cast<long long>(w) * h, Le16(e + 6), offset, length});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const TEntry &a, const TEntry &b) {
    return a.Area != b.Area ? a.Area > b.Area : a.Bits > b.Bits;
  });
  for (const TEntry &e : entries) {
    const unsigned char *p = data + e.Offset;
    std::optional<TDibImage> image = IsPng(p, e.Length) ? Decode(p, e.Length, MaxPixels)
                                                        : DecodeIconDib(p, e.Length, MaxPixels);
    if (image) return image;
  }
  return std::nullopt;
}

std::string EncodePngFile(const TDibImage &Image, bool WithAlpha) {
  if (Image.Empty()) return std::string();
  const int w = Image.Width(), h = Image.Height();
  const int channels = WithAlpha ? 4 : 3;
  std::vector<unsigned char> bytes(std::size_t(w) * std::size_t(h) * std::size_t(channels));
  const TPixelView view = Image.View();
  for (int y = 0; y < h; ++y) {
    const std::uint32_t *row = view.Row(y);
    unsigned char *out = &bytes[std::size_t(y) * std::size_t(w) * std::size_t(channels)];
    for (int x = 0; x < w; ++x, out += channels) {
      const std::uint32_t p = row[x];
      out[0] = static_cast<unsigned char>(p >> 16);
      out[1] = static_cast<unsigned char>(p >> 8);
      out[2] = static_cast<unsigned char>(p);
      if (WithAlpha) out[3] = static_cast<unsigned char>(p >> 24);
    }
  }
  std::string png;
  const auto sink = [](void *Context, void *Data, int Size) {
    static_cast<std::string *>(Context)->append(static_cast<const char *>(Data), std::size_t(Size));
  };
  if (!stbi_write_png_to_func(sink, &png, w, h, channels, bytes.data(), w * channels))
    return std::string();
  return png;
}
