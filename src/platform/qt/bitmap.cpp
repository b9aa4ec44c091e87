// The Qt side of TBitmap: its pixels are a QImage in the surface format,
// decoded and encoded by Qt's image readers and writers.
#include "platform/bitmap.h"

#include "platform/bitmap_image.h"
#include "platform/qt/canvas_qt.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>

TBitmap::TBitmap() : image_(std::make_unique<QImage>()) {
  canvas_ = std::make_unique<TCanvas>();
  AttachImage(*canvas_, image_.get());
}

TBitmap::~TBitmap() = default;

void AttachBitmapCanvas(TCanvas &Canvas, QImage *Image) {
  AttachImage(Canvas, Image);
}

bool ImageEmpty(const QImage &Image) {
  return Image.isNull();
}

TSize ImageDeviceSize(const QImage &Image) {
  return TSize{Image.width(), Image.height()};
}

double ImageRatio(const QImage &Image) {
  return Image.devicePixelRatio();
}

void ClearImage(QImage &Image) {
  Image = QImage();
}

void ResizeImage(QImage &Image, int DeviceWidth, int DeviceHeight, double Ratio) {
  QImage next(DeviceWidth, DeviceHeight, SurfaceFormat);
  if (next.isNull())
    throw EInvalidGraphic("Bitmap of " + std::to_string(DeviceWidth) + " x " +
                          std::to_string(DeviceHeight) + " pixels cannot be created");
  next.setDevicePixelRatio(Ratio);
  next.fill(Qt::white);
  if (!Image.isNull()) {
    QPainter p(&next);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, Image);
  }
  Image = std::move(next);
}

void CopyImage(QImage &Into, const QImage &From) {
  Into = From.copy();
}

void SwapImages(QImage &A, QImage &B) {
  A.swap(B);
}

void ViewImageArea(QImage &Into, QImage &Source, const TRect &Area) {
  const qsizetype bpl = Source.bytesPerLine();
  uchar *first = Source.bits() + bpl * Area.Top + qsizetype(Area.Left) * 4;
  Into = QImage(first, Area.Width(), Area.Height(), bpl, SurfaceFormat);
}

bool ImageShared(const QImage &Image) {
  return !Image.isDetached();
}

bool DecodePicture(QImage &Image, const std::string &Bytes) {
  const QByteArray data = QByteArray::fromRawData(Bytes.data(), qsizetype(Bytes.size()));
  QImage loaded;
  if (!loaded.loadFromData(data, "PNG") && !loaded.loadFromData(data, "BMP")) return false;
  Image = loaded.convertToFormat(SurfaceFormat);
  return true;
}

std::string EncodePng(const QImage &Image) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!Image.save(&buffer, "PNG")) return std::string();
  return std::string(png.constData(), std::size_t(png.size()));
}
