#include "platform/icon.h"
#include "platform/bitmap.h"
#include "platform/file_input.h"
#include "platform/streams.h"
#include <QImage>

TIcon::TIcon() : image_(std::make_unique<QImage>()) {}
TIcon::~TIcon() = default;

bool TIcon::Empty() const {
  return image_->isNull();
}
int TIcon::Width() const {
  return image_->width();
}
int TIcon::Height() const {
  return image_->height();
}
const QImage &TIcon::Image() const {
  return *image_;
}

void TIcon::LoadFromFile(const std::string &FileName) {
  const std::string data = ReadRegularFile(FileName, MaxIconFileBytes);
  QImage img;
  if (!img.loadFromData(reinterpret_cast<const uchar *>(data.data()), int(data.size())))
    throw EInvalidGraphic("\"" + FileName + "\" is not a picture");
  *image_ = img;
  if (OnChange) OnChange(this);
}

void TIcon::LoadFromData(const std::string &Data) {
  QImage img;
  if (!img.loadFromData(reinterpret_cast<const uchar *>(Data.data()), int(Data.size())))
    throw EInvalidGraphic("The icon data is not a picture");
  *image_ = img;
  if (OnChange) OnChange(this);
}

void TIcon::Assign(TPersistent *Source) {
  if (auto *src = dynamic_cast<TIcon *>(Source)) {
    if (src != this) {
      *image_ = *src->image_;
      if (OnChange) OnChange(this);
    }
    return;
  }
  TPersistent::Assign(Source);
}
