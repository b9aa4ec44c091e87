// Interim TIcon for the Windows build until its own picture code lands: an
// icon that stays empty. CMake builds this file only while
// src/platform/windows/icon.cpp does not exist.
#include "platform/bitmap.h"
#include "platform/icon.h"

#include "platform/windows/dib_image.h"

TIcon::TIcon() : image_(std::make_unique<TDibImage>()) {}
TIcon::~TIcon() = default;

bool TIcon::Empty() const {
  return image_->Empty();
}

int TIcon::Width() const {
  return image_->Width();
}

int TIcon::Height() const {
  return image_->Height();
}

const TDibImage &TIcon::Image() const {
  return *image_;
}

void TIcon::LoadFromFile(const std::string &FileName) {
  throw EInvalidGraphic("Icons cannot be read on this system yet: " + FileName);
}

void TIcon::LoadFromData(const std::string &) {
  throw EInvalidGraphic("Icons cannot be read on this system yet");
}

void TIcon::Assign(TPersistent *Source) {
  if (auto *icon = dynamic_cast<TIcon *>(Source)) {
    *image_ = *icon->image_;
    if (OnChange) OnChange(this);
    return;
  }
  TPersistent::Assign(Source);
}
