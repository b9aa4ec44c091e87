#include "platform/bitmap.h"

#include "platform/atomic_file.h"
#include "platform/file_input.h"
#include "platform/qt/canvas_qt.h"
#include "platform/streams.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>

TBitmap::TBitmap() : image_(std::make_unique<QImage>()) {
  canvas_ = std::make_unique<TCanvas>();
  AttachImage(*canvas_, image_.get());
}

TBitmap::TBitmap(int Width, int Height) : TBitmap() {
  SetSize(Width, Height);
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
  const double r = image_->devicePixelRatio();
  return r == 1.0 ? image_->width() : int(image_->width() / r + 1e-6);
}
int TBitmap::Height() const {
  const double r = image_->devicePixelRatio();
  return r == 1.0 ? image_->height() : int(image_->height() / r + 1e-6);
}
double TBitmap::PixelRatio() const {
  return ratio_;
}

void TBitmap::SetPixelRatio(double Value) {
  if (!(Value > 0) || Value == ratio_) return;
  const int w = Width(), h = Height();
  *image_ = QImage();
  ratio_ = Value;
  SetSize(w, h);
}
bool TBitmap::Empty() const {
  return image_->isNull() || Width() == 0 || Height() == 0;
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
  const double ratio = ratio_;
  AttachImage(*canvas_, image_.get()); // no painter may stay on the pixels that go
  if (Width == 0 || Height == 0) {
    *image_ = QImage();
    return;
  }
  QImage next(int(std::ceil(Width * ratio)), int(std::ceil(Height * ratio)), SurfaceFormat);
  if (next.isNull())
    throw EInvalidGraphic("Bitmap of " + std::to_string(Width) + " x " + std::to_string(Height) +
                          " pixels cannot be created");
  next.setDevicePixelRatio(ratio);
  next.fill(Qt::white);
  if (!image_->isNull()) {
    QPainter p(&next);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, *image_);
  }
  *image_ = std::move(next);
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
  const double r = image_->devicePixelRatio();
  if (r != 1.0) {
    X = std::min(int(X * r), image_->width() - 1);
    Y = std::min(int(Y * r), image_->height() - 1);
  }
  return FromQRgb(image_->pixel(X, Y));
}

namespace {
void AdoptImage(QImage &target, const QImage &loaded) {
  target = loaded.convertToFormat(SurfaceFormat);
}
} // namespace

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
  QByteArray data(qsizetype(std::max<std::int64_t>(size, 0)), Qt::Uninitialized);
  if (size > 0) Stream.ReadBuffer(data.data(), size);
  QImage loaded;
  if (!loaded.loadFromData(data, "PNG") && !loaded.loadFromData(data, "BMP"))
    throw EInvalidGraphic("Stream does not hold a BMP or PNG picture");
  AttachImage(*canvas_, image_.get());
  AdoptImage(*image_, loaded);
  ratio_ = image_->devicePixelRatio();
}

void TBitmap::SaveToFile(const std::string &FileName) const {
  if (Empty()) throw EInvalidGraphic("Cannot save an empty bitmap to \"" + FileName + "\"");
  // Encoded in memory first, so that the file is replaced only by a whole
  // picture.
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image_->save(&buffer, "PNG"))
    throw EFCreateError("Cannot write file \"" + FileName + "\": the picture cannot be encoded");
  WriteFileAtomic(FileName, std::string_view(png.constData(), std::size_t(png.size())));
}

void TBitmap::Assign(const TBitmap &Source) {
  if (&Source == this) return;
  AttachImage(*canvas_, image_.get());
  *image_ = Source.image_->copy();
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
  AttachImage(*canvas_, image_.get());
  AttachImage(*Source.canvas_, Source.image_.get());
  QImage &src = *Source.image_;
  const qsizetype bpl = src.bytesPerLine();
  uchar *first = src.bits() + bpl * Area.Top + qsizetype(Area.Left) * 4;
  *image_ = QImage(first, Area.Width(), Area.Height(), bpl, SurfaceFormat);
  ratio_ = 1;
  return true;
}

void TBitmap::SwapPixels(TBitmap &Other) {
  AttachImage(*canvas_, image_.get());
  AttachImage(*Other.canvas_, Other.image_.get());
  image_->swap(*Other.image_);
  std::swap(ratio_, Other.ratio_);
}

bool TBitmap::SharesPixels() const {
  return !image_->isNull() && !image_->isDetached();
}

double DifferingPixelShare(const TBitmap &A, const TBitmap &B, int ChannelTolerance) {
  if (A.Width() != B.Width() || A.Height() != B.Height()) return 1.0;
  if (A.Empty()) return 0.0;
  const auto off = [ChannelTolerance](int a, int b) { return std::abs(a - b) > ChannelTolerance; };
  long differing = 0;
  for (int y = 0; y < A.Height(); ++y) {
    const QRgb *pa = reinterpret_cast<const QRgb *>(A.Image().constScanLine(y));
    const QRgb *pb = reinterpret_cast<const QRgb *>(B.Image().constScanLine(y));
    for (int x = 0; x < A.Width(); ++x)
      if (off(qRed(pa[x]), qRed(pb[x])) || off(qGreen(pa[x]), qGreen(pb[x])) ||
          off(qBlue(pa[x]), qBlue(pb[x])))
        ++differing;
  }
  return double(differing) / (double(A.Width()) * double(A.Height()));
}
