// TBitmap's rules, the same on every system: logical sizes over device
// pixels, transparency, the pixel ratio, views, swaps, files. The pixels
// themselves are the back end's picture (bitmap_image.h); they are read
// through the canvas's device, so that reading works alike everywhere.
#include "platform/bitmap.h"

#include "platform/atomic_file.h"
#include "platform/bitmap_image.h"
#include "platform/file_input.h"
#include "platform/streams.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Logical size of a picture of Device pixels at Ratio.
int LogicalLength(int Device, double Ratio) {
  return Ratio == 1.0 ? Device : int(Device / Ratio + 1e-6);
}

// The pixels of B for reading (empty for an empty bitmap).
TPixelView ReadView(const TBitmap &B, std::vector<std::uint32_t> &Scratch) {
  const TCanvasDevice *device = B.Canvas().Device();
  return device ? device->ReadPixels(Scratch) : TPixelView{};
}

} // namespace

TBitmap::TBitmap(int Width, int Height) : TBitmap() {
  SetSize(Width, Height);
}

int TBitmap::Width() const {
  return ImageEmpty(*image_) ? 0 : LogicalLength(ImageDeviceSize(*image_).cx, ImageRatio(*image_));
}

int TBitmap::Height() const {
  return ImageEmpty(*image_) ? 0 : LogicalLength(ImageDeviceSize(*image_).cy, ImageRatio(*image_));
}

double TBitmap::PixelRatio() const {
  return ratio_;
}

void TBitmap::SetPixelRatio(double Value) {
  if (!(Value > 0) || Value == ratio_) return;
  const int w = Width(), h = Height();
  AttachBitmapCanvas(*canvas_, image_.get());
  ClearImage(*image_);
  ratio_ = Value;
  SetSize(w, h);
}

bool TBitmap::Empty() const {
  return ImageEmpty(*image_) || Width() == 0 || Height() == 0;
}

void TBitmap::SetWidth(int Value) {
  SetSize(Value, Height());
}

void TBitmap::SetHeight(int Value) {
  SetSize(Width(), Value);
}

void TBitmap::SetSize(int Width, int Height) {
  Width = std::max(0, Width);
  Height = std::max(0, Height);
  if (Width == this->Width() && Height == this->Height()) return;
  AttachBitmapCanvas(*canvas_, image_.get()); // nothing may stay on the pixels that go
  if (Width == 0 || Height == 0) {
    ClearImage(*image_);
    return;
  }
  const double w = std::ceil(Width * ratio_), h = std::ceil(Height * ratio_);
  if (w * h > double(MaxBitmapDevicePixels))
    throw EInvalidGraphic("Bitmap of " + std::to_string(Width) + " x " + std::to_string(Height) +
                          " pixels is too large");
  ResizeImage(*image_, int(w), int(h), ratio_);
}

TColor TBitmap::TransparentColor() const {
  if (hasTransparentColor_ || Empty()) return transparentColor_;
  return Pixel(0, Height() - 1);
}

void TBitmap::SetTransparentColor(TColor Value) {
  transparentColor_ = Value;
  hasTransparentColor_ = true;
}

TColor TBitmap::Pixel(int X, int Y) const {
  if (Empty() || X < 0 || Y < 0 || X >= Width() || Y >= Height()) return CLR_INVALID;
  std::vector<std::uint32_t> scratch;
  const TPixelView view = ReadView(*this, scratch);
  if (view.Empty()) return CLR_INVALID;
  const double r = ImageRatio(*image_);
  if (r != 1.0) {
    X = std::min(int(X * r), view.Width - 1);
    Y = std::min(int(Y * r), view.Height - 1);
  }
  return ColorOfPixel(view.Row(Y)[X]);
}

void TBitmap::LoadFromFile(const std::string &FileName) {
  TMemoryStream stream;
  stream.LoadFromFile(FileName, MaxPictureFileBytes);
  try {
    LoadFromStream(stream);
  } catch (const EInvalidGraphic &) {
    throw EInvalidGraphic("File \"" + FileName + "\" is not a BMP or PNG picture");
  }
}

void TBitmap::LoadFromStream(TStream &Stream) {
  const std::int64_t size = Stream.Size() - Stream.Position();
  std::string data(std::size_t(std::max<std::int64_t>(size, 0)), '\0');
  if (size > 0) Stream.ReadBuffer(data.data(), size);
  AttachBitmapCanvas(*canvas_, image_.get());
  if (!DecodePicture(*image_, data))
    throw EInvalidGraphic("Stream does not hold a BMP or PNG picture");
  ratio_ = ImageRatio(*image_);
}

void TBitmap::SaveToFile(const std::string &FileName) const {
  if (Empty()) throw EInvalidGraphic("Cannot save an empty bitmap to \"" + FileName + "\"");
  // Encoded in memory first, so that the file is replaced only by a whole
  // picture.
  const std::string png = EncodePng(*image_);
  if (png.empty())
    throw EFCreateError("Cannot write file \"" + FileName + "\": the picture cannot be encoded");
  WriteFileAtomic(FileName, png);
}

void TBitmap::Assign(const TBitmap &Source) {
  if (&Source == this) return;
  AttachBitmapCanvas(*canvas_, image_.get());
  CopyImage(*image_, *Source.image_);
  ratio_ = Source.ratio_;
  transparent_ = Source.transparent_;
  hasTransparentColor_ = Source.hasTransparentColor_;
  transparentColor_ = Source.transparentColor_;
}

bool TBitmap::ViewArea(TBitmap &Source, const TRect &Area) {
  // A view addresses pixels one to one: pictures at another ratio keep their own.
  if (&Source == this || Source.ratio_ != 1 || Source.Empty() || Area.IsEmpty() || Area.Left < 0 ||
      Area.Top < 0 || Area.Right > Source.Width() || Area.Bottom > Source.Height() ||
      Source.SharesPixels())
    return false;
  AttachBitmapCanvas(*canvas_, image_.get());
  AttachBitmapCanvas(*Source.canvas_, Source.image_.get());
  ViewImageArea(*image_, *Source.image_, Area);
  ratio_ = 1;
  return true;
}

void TBitmap::SwapPixels(TBitmap &Other) {
  AttachBitmapCanvas(*canvas_, image_.get());
  AttachBitmapCanvas(*Other.canvas_, Other.image_.get());
  SwapImages(*image_, *Other.image_);
  std::swap(ratio_, Other.ratio_);
}

bool TBitmap::SharesPixels() const {
  return !ImageEmpty(*image_) && ImageShared(*image_);
}

double DifferingPixelShare(const TBitmap &A, const TBitmap &B, int ChannelTolerance) {
  if (A.Width() != B.Width() || A.Height() != B.Height()) return 1.0;
  if (A.Empty()) return 0.0;
  std::vector<std::uint32_t> scratchA, scratchB;
  const TPixelView pa = ReadView(A, scratchA), pb = ReadView(B, scratchB);
  const auto off = [ChannelTolerance](std::uint32_t a, std::uint32_t b, int shift) {
    return std::abs(int((a >> shift) & 0xFFu) - int((b >> shift) & 0xFFu)) > ChannelTolerance;
  };
  // Compared over the logical size, as the pictures are compared.
  const int w = std::min({A.Width(), pa.Width, pb.Width});
  const int h = std::min({A.Height(), pa.Height, pb.Height});
  long differing = 0;
  for (int y = 0; y < h; ++y) {
    const std::uint32_t *ra = pa.Row(y), *rb = pb.Row(y);
    for (int x = 0; x < w; ++x)
      if (off(ra[x], rb[x], 16) || off(ra[x], rb[x], 8) || off(ra[x], rb[x], 0)) ++differing;
  }
  return double(differing) / (double(A.Width()) * double(A.Height()));
}
