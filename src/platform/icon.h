#pragma once
// TIcon: a window or application icon.
#include "platform/persistent.h"
#include <memory>
#include <string>

#include "platform/native.h"

/// A picture used as a window icon; empty until loaded.
class TIcon : public TPersistent {
public:
  TIcon();
  ~TIcon() override;
  bool Empty() const;
  int Width() const;
  int Height() const;
  /// Loads an icon, PNG or BMP file; raises EInvalidGraphic (or EFOpenError
  /// for a missing file, one that is not a regular file or one larger than
  /// MaxIconFileBytes) and keeps the old picture on failure.
  void LoadFromFile(const std::string &FileName);
  /// Loads from the bytes of a picture file.
  void LoadFromData(const std::string &Data);
  void Assign(TPersistent *Source) override;

  /// Raised after the picture changed.
  TNotifyEvent OnChange;
  /// Platform-internal: the pixels.
  const TNativeImage &Image() const;

private:
  std::unique_ptr<TNativeImage> image_;
};
