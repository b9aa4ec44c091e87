#pragma once
// Annotation objects of the chart that live outside the display list: text
// labels (captions placed in pixels or world coordinates) and cross-hairs.
// Every property change raises OnChange, which the owning chart turns into a
// repaint request.
#include "platform/color.h"
#include "platform/control.h"
#include "platform/graphics.h"
#include "platform/persistent.h"
#include <array>

#include <memory>
#include <string>

/// Appearance of a text label; tlOff hides it and marks it free.
enum TTxtLblMode { tlOff, tlsimple, tlBox, tlUnderline, tlShadow };
inline constexpr std::array<const char *, 5> TxtLblModeNames{"tlOff", "tlsimple", "tlBox",
                                                             "tlUnderline", "tlShadow"};

/// Which coordinates of a label's anchor are world coordinates (the others are pixels).
enum TTxtLblAttachMode { tlamNone, tlamXOnly, tlamYOnly, tlamBoth };
inline constexpr std::array<const char *, 4> TxtLblAttachModeNames{"tlamNone", "tlamXOnly",
                                                                   "tlamYOnly", "tlamBoth"};

/// Vertical placement of a label's text block relative to its anchor.
enum TVerticalAlignment { vaTop, vaCenter, vaBottom };
inline constexpr std::array<const char *, 3> VerticalAlignmentNames{"vaTop", "vaCenter",
                                                                    "vaBottom"};

/// Which lines a cross-hair draws.
enum TCrossHMode { chOff, chHoriz, chVert, chBoth };
inline constexpr std::array<const char *, 4> CrossHModeNames{"chOff", "chHoriz", "chVert",
                                                             "chBoth"};

/// A text label: one or more lines (separated by line feeds) anchored at
/// (PosX, PosY), plain, boxed, underlined or with a shadow.
class TCustomTextLabel : public TPersistent {
public:
  TCustomTextLabel();
  ~TCustomTextLabel() override;

  double PosX() const { return posX_; }
  void SetPosX(double Value);
  double PosY() const { return posY_; }
  void SetPosY(double Value);
  int Layer() const { return layer_; }
  /// Only 1 ... 16 are taken; other values are ignored without notification.
  void SetLayer(int Value);
  int ShadowDx() const { return shadowDx_; }
  void SetShadowDx(int Value);
  int ShadowDy() const { return shadowDy_; }
  void SetShadowDy(int Value);
  TColor ColorShadow() const { return colorShadow_; }
  void SetColorShadow(TColor Value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment Value);
  TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
  void SetVerticalAlignment(TVerticalAlignment Value);
  TTxtLblAttachMode AttachToData() const { return attachToData_; }
  void SetAttachToData(TTxtLblAttachMode Value);
  TColor ColorBkg() const { return colorBkg_; }
  void SetColorBkg(TColor Value);
  TColor ColorBorder() const { return colorBorder_; }
  void SetColorBorder(TColor Value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool Value);
  /// The label's own font; changing it raises OnChange.
  TFont *Font() const { return font_.get(); }
  /// Copies the attributes of Value into the label's own font.
  void SetFont(TFont *Value);
  const std::string &Caption() const { return caption_; }
  /// Control characters other than line feed are stored as spaces.
  void SetCaption(const std::string &Value);
  TTxtLblMode Mode() const { return mode_; }
  void SetMode(TTxtLblMode Value);
  bool Visible() const { return visible_; }
  void SetVisible(bool Value);

  /// Raised after every property change.
  TNotifyEvent OnChange;

protected:
  void Changed();

private:
  double posX_ = 100;
  double posY_ = 10;
  int layer_ = 1;
  int shadowDx_ = 0;
  int shadowDy_ = 0;
  TColor colorShadow_ = 0x808080;
  TAlignment alignment_ = taCenter;
  TVerticalAlignment verticalAlignment_ = vaBottom;
  TTxtLblAttachMode attachToData_ = tlamNone;
  TColor colorBkg_ = 0xC0C0C0;
  TColor colorBorder_ = 0;
  bool transparent_ = false;
  std::unique_ptr<TFont> font_;
  std::string caption_;
  TTxtLblMode mode_ = tlsimple;
  bool visible_ = true;
};

/// The text label with its properties published.
class TTextLabel : public TCustomTextLabel {};

/// Horizontal and/or vertical lines through a world point, drawn over the
/// finished chart image.
class TCrossHair : public TPersistent {
public:
  double PosX() const { return posX_; }
  void SetPosX(double Value);
  double PosY() const { return posY_; }
  void SetPosY(double Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TCrossHMode Mode() const { return mode_; }
  void SetMode(TCrossHMode Value);
  TPenStyle LineType() const { return lineType_; }
  void SetLineType(TPenStyle Value);
  int LineWid() const { return lineWid_; }
  void SetLineWid(int Value);
  int Layer() const { return layer_; }
  /// Limited to 1 ... 16.
  void SetLayer(int Value);

  /// Copies every setting of Source (a cross-hair) and raises OnChange once.
  void Assign(TPersistent *Source) override;

  /// Raised after every property change.
  TNotifyEvent OnChange;

private:
  void Changed();

  double posX_ = 0;
  double posY_ = 0;
  TColor color_ = 0;
  TCrossHMode mode_ = chOff;
  TPenStyle lineType_ = psSolid;
  int lineWid_ = 1;
  int layer_ = 1;
};
