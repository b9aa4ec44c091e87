// The Windows side of TBitmap: its pixels are a TDibImage (0xFFRRGGBB words,
// as the pixel rules keep them), read and written through picture_codec.
#include "platform/bitmap.h"

#include "platform/bitmap_image.h"
#include "platform/windows/canvas_gdi.h"
#include "platform/windows/dib_image.h"
#include "platform/windows/picture_codec.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {
constexpr std::uint32_t OpaqueWhite = 0xFFFFFFFFu;
} // namespace

TBitmap::TBitmap() : image_(std::make_unique<TDibImage>()) {
  canvas_ = std::make_unique<TCanvas>();
  AttachDib(*canvas_, image_.get());
}

TBitmap::~TBitmap() {
  AttachDib(*canvas_, nullptr);
}

void AttachBitmapCanvas(TCanvas &Canvas, TDibImage *Image) {
  AttachDib(Canvas, Image);
}

bool ImageEmpty(const TDibImage &Image) {
  return Image.Empty();
}

TSize ImageDeviceSize(const TDibImage &Image) {
  return TSize{Image.Width(), Image.Height()};
}

double ImageRatio(const TDibImage &Image) {
  return Image.PixelRatio();
}

void ClearImage(TDibImage &Image) {
  Image = TDibImage();
}

void ResizeImage(TDibImage &Image, int DeviceWidth, int DeviceHeight, double Ratio) {
  std::optional<TDibImage> next;
  try {
    next.emplace(DeviceWidth, DeviceHeight, OpaqueWhite);
  } catch (const EInvalidGraphic &) {
    throw;
  } catch (const Exception &e) {
    throw EInvalidGraphic("Bitmap of " + std::to_string(DeviceWidth) + " x " +
                          std::to_string(DeviceHeight) + " pixels cannot be created: " +
                          e.Message());
  }
  next->SetPixelRatio(Ratio);
  if (!Image.Empty()) {
    const TPixelView from = Image.View(), to = next->View();
    const int w = std::min(from.Width, to.Width), h = std::min(from.Height, to.Height);
    for (int y = 0; y < h; ++y)
      std::memcpy(to.Row(y), from.Row(y), std::size_t(w) * sizeof(std::uint32_t));
  }
  Image = std::move(*next);
}

void CopyImage(TDibImage &Into, const TDibImage &From) {
  Into = From;
}

void SwapImages(TDibImage &A, TDibImage &B) {
  A.Swap(B);
}

void ViewImageArea(TDibImage &Into, TDibImage &Source, const TRect &Area) {
  Into = TDibImage::ViewOf(Source, Area.Left, Area.Top, Area.Width(), Area.Height());
}

bool ImageShared(const TDibImage &) {
  return false; // copies of a TDibImage always own their pixels
}

bool DecodePicture(TDibImage &Image, const std::string &Bytes) {
  std::optional<TDibImage> decoded = DecodePngOrBmp(Bytes, MaxDecodedPicturePixels);
  if (!decoded) return false;
  // A bitmap has no transparency of its own: every pixel opaque.
  std::uint32_t *bits = decoded->Bits();
  for (long long i = 0; i < static_cast<long long>(decoded->Width()) * decoded->Height(); ++i)
    bits[i] |= 0xFF000000u;
  Image = std::move(*decoded);
  return true;
}

std::string EncodePng(const TDibImage &Image) {
  return EncodePngFile(Image, false);
}
