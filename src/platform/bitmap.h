#pragma once
// TBitmap: an off-screen RGB picture with its own canvas. New pixels are white.
#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/exceptions.h"

#include <memory>
#include <string>

#include "platform/native.h"
class TStream;

/// Raised when a picture file cannot be decoded.
class EInvalidGraphic : public Exception {
public:
  using Exception::Exception;
};

class TBitmap {
public:
  TBitmap();
  TBitmap(int Width, int Height);
  ~TBitmap();
  TBitmap(const TBitmap &) = delete;
  TBitmap &operator=(const TBitmap &) = delete;

  int Width() const;
  int Height() const;
  void SetWidth(int Value);
  void SetHeight(int Value);
  /// Resizes, keeping the overlapping pixels; new pixels are white.
  void SetSize(int Width, int Height);
  /// True when the bitmap has no pixels.
  bool Empty() const;
  /// Device pixels per logical pixel. A bitmap drawn onto a canvas takes that
  /// canvas's PixelRatio, so it is as sharp as the screen; Width and Height
  /// stay logical. Changing it keeps the size and makes every pixel white.
  double PixelRatio() const;
  void SetPixelRatio(double Value);

  TCanvas &Canvas() { return *canvas_; }
  const TCanvas &Canvas() const { return *canvas_; }

  /// When set, Draw skips pixels of TransparentColor().
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value) { transparent_ = Value; }
  /// The colour left out when drawn transparently: the one set, or else the
  /// bottom-left pixel.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor Value);

  /// Loads a BMP or PNG file; EFOpenError for a missing file, one that is not
  /// a regular file or one larger than MaxPictureFileBytes, EInvalidGraphic
  /// for a file that is not a picture.
  void LoadFromFile(const std::string &FileName);
  void LoadFromStream(TStream &Stream);
  /// Writes a PNG file, replacing any old one atomically; EFCreateError
  /// (EFileWriteError naming the reason) when it cannot be written.
  void SaveToFile(const std::string &FileName) const;

  /// Copies size, pixels and transparency of Source.
  void Assign(const TBitmap &Source);

  /// Pixel colour (RGB) of logical pixel (X, Y), CLR_INVALID outside the bitmap.
  TColor Pixel(int X, int Y) const;

  /// Makes this bitmap a window onto Area of Source's pixels, without a copy:
  /// drawing on either shows in both, and this canvas is clipped to Area by
  /// the bitmap's own size. Area must lie inside Source. The window stays
  /// valid while Source keeps its pixels (no resize, no swap, no load); a
  /// later SetSize to another size gives this bitmap pixels of its own again.
  /// Returns false (and changes nothing) when Area does not fit or Source
  /// shares its pixels with another picture.
  bool ViewArea(TBitmap &Source, const TRect &Area);
  /// Exchanges the pixels (size included) of the two bitmaps in constant
  /// time; both canvases stay where they are and draw on the new pixels.
  void SwapPixels(TBitmap &Other);
  /// True while another picture (a control's screen buffer, say) holds these
  /// pixels too, so that drawing would first have to copy them.
  bool SharesPixels() const;

  /// Platform-internal: the pixel store.
  TNativeImage &Image() { return *image_; }
  const TNativeImage &Image() const { return *image_; }

private:
  friend void GrabControl(class TControl &Control, TBitmap &Into);
  std::unique_ptr<TNativeImage> image_;
  std::unique_ptr<TCanvas> canvas_;
  double ratio_ = 1.0; // kept here too: an empty image holds no ratio
  bool transparent_ = false;
  bool hasTransparentColor_ = false;
  TColor transparentColor_ = clWhite;
};

/// Share (0 ... 1) of pixels whose red, green or blue differs by more than
/// ChannelTolerance between A and B; 1 when the sizes differ. Picture
/// comparisons use it so that text antialiasing of another machine's fonts
/// does not count while a moved curve or fill does.
double DifferingPixelShare(const TBitmap &A, const TBitmap &B, int ChannelTolerance);
