#include "platform/bitmap.h"

#include "platform/canvas_qt.h"
#include "platform/streams.h"

#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

TBitmap::TBitmap() : image_(std::make_unique<QImage>()) {
  canvas_ = std::make_unique<TCanvas>(image_.get());
}

TBitmap::TBitmap(int Width, int Height) : TBitmap() {
  SetSize(Width, Height);
}

TBitmap::~TBitmap() = default;

int TBitmap::Width() const {
  return image_->width();
}
int TBitmap::Height() const {
  return image_->height();
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
  canvas_->Attach(image_.get()); // no painter may stay on the pixels that go
  if (Width == 0 || Height == 0) {
    *image_ = QImage();
    return;
  }
  QImage next(Width, Height, SurfaceFormat);
  if (next.isNull())
    throw EInvalidGraphic("Bitmap of " + std::to_string(Width) + " x " + std::to_string(Height) +
                          " pixels cannot be created");
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
  return FromQRgb(image_->pixel(X, Y));
}

namespace {
void AdoptImage(QImage &target, const QImage &loaded) {
  target = loaded.convertToFormat(SurfaceFormat);
}
} // namespace

void TBitmap::LoadFromFile(const std::string &FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
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
  canvas_->Attach(image_.get());
  AdoptImage(*image_, loaded);
}

void TBitmap::SaveToFile(const std::string &FileName) const {
  if (Empty()) throw EInvalidGraphic("Cannot save an empty bitmap to \"" + FileName + "\"");
  if (!image_->save(QString::fromStdString(FileName), "PNG"))
    throw EFCreateError("Cannot create file \"" + FileName + "\"");
}

void TBitmap::Assign(const TBitmap &Source) {
  if (&Source == this) return;
  canvas_->Attach(image_.get());
  *image_ = Source.image_->copy();
  transparent_ = Source.transparent_;
  hasTransparentColor_ = Source.hasTransparentColor_;
  transparentColor_ = Source.transparentColor_;
}

bool TBitmap::ViewArea(TBitmap &Source, const TRect &Area) {
  if (&Source == this || Source.Empty() || Area.IsEmpty() || Area.Left < 0 || Area.Top < 0 ||
      Area.Right > Source.Width() || Area.Bottom > Source.Height() || Source.SharesPixels())
    return false;
  canvas_->Attach(image_.get());
  Source.canvas_->Attach(Source.image_.get());
  QImage &src = *Source.image_;
  const qsizetype bpl = src.bytesPerLine();
  uchar *first = src.bits() + bpl * Area.Top + qsizetype(Area.Left) * 4;
  *image_ = QImage(first, Area.Width(), Area.Height(), bpl, SurfaceFormat);
  return true;
}

void TBitmap::SwapPixels(TBitmap &Other) {
  canvas_->Attach(image_.get());
  Other.canvas_->Attach(Other.image_.get());
  image_->swap(*Other.image_);
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
