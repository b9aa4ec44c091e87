// TIcon's rules, the same on every system; the back end decodes the files
// (bitmap_image.h) and makes the picture.
#include "platform/icon.h"

#include "platform/bitmap.h"
#include "platform/bitmap_image.h"
#include "platform/file_input.h"

bool TIcon::Empty() const {
  return ImageEmpty(*image_);
}
int TIcon::Width() const {
  return ImageDeviceSize(*image_).cx;
}
int TIcon::Height() const {
  return ImageDeviceSize(*image_).cy;
}
const TNativeImage &TIcon::Image() const {
  return *image_;
}

void TIcon::LoadFromFile(const std::string &FileName) {
  const std::string data = ReadRegularFile(FileName, MaxIconFileBytes);
  if (!DecodeIconPicture(*image_, data)) throw EInvalidGraphic("\"" + FileName + "\" is not a picture");
  if (OnChange) OnChange(this);
}

void TIcon::LoadFromData(const std::string &Data) {
  if (!DecodeIconPicture(*image_, Data)) throw EInvalidGraphic("The icon data is not a picture");
  if (OnChange) OnChange(this);
}

void TIcon::Assign(TPersistent *Source) {
  if (auto *src = dynamic_cast<TIcon *>(Source)) {
    if (src != this) {
      CopyImage(*image_, *src->image_);
      if (OnChange) OnChange(this);
    }
    return;
  }
  TPersistent::Assign(Source);
}
