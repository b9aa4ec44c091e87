// The Qt side of TIcon: the picture is a QImage, read by Qt's image readers.
#include "platform/icon.h"

#include "platform/bitmap_image.h"

#include <QImage>

TIcon::TIcon() : image_(std::make_unique<QImage>()) {}
TIcon::~TIcon() = default;

bool DecodeIconPicture(QImage &Image, const std::string &Bytes) {
  QImage img;
  if (!img.loadFromData(reinterpret_cast<const uchar *>(Bytes.data()), int(Bytes.size())))
    return false;
  Image = img;
  return true;
}
