#pragma once
// The drawing tools a canvas holds: font, pen and brush. Each notifies its
// owner through OnChange when a property changes, so a control can repaint or
// a canvas can re-derive state (the text background follows the brush).
#include "platform/color.h"

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

/// Common base of TFont, TPen and TBrush: carries the change notification.
class TGraphicsObject {
public:
  virtual ~TGraphicsObject() = default;
  /// Raised after any property changed; Sender is the object itself.
  std::function<void(TGraphicsObject *Sender)> OnChange;

protected:
  void Changed() {
    if (OnChange) OnChange(this);
  }
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
/// Published names of TFontStyle's values, by ordinal.
inline constexpr std::array<const char *, 4> FontStyleNames{"fsBold", "fsItalic", "fsUnderline",
                                                            "fsStrikeOut"};

/// A set of TFontStyle values.
class TFontStyles {
public:
  TFontStyles() = default;
  TFontStyles(std::initializer_list<TFontStyle> styles) {
    for (TFontStyle s : styles)
      Include(s);
  }
  bool Contains(TFontStyle s) const { return (bits_ & Bit(s)) != 0; }
  void Include(TFontStyle s) { bits_ = std::uint8_t(bits_ | Bit(s)); }
  void Exclude(TFontStyle s) { bits_ = std::uint8_t(bits_ & ~Bit(s)); }
  bool Empty() const { return bits_ == 0; }
  std::uint8_t Bits() const { return bits_; }
  static TFontStyles FromBits(std::uint8_t bits) {
    TFontStyles r;
    r.bits_ = std::uint8_t(bits & 0x0F);
    return r;
  }
  friend bool operator==(const TFontStyles &, const TFontStyles &) = default;

private:
  static std::uint8_t Bit(TFontStyle s) { return std::uint8_t(1u << unsigned(s)); }
  std::uint8_t bits_ = 0;
};

enum TFontPitch { fpDefault, fpVariable, fpFixed };

/// Screen resolution the whole suite assumes when converting points to pixels.
inline constexpr int ScreenPixelsPerInch = 96;

/// A text font. Height < 0 is the character height in pixels (without internal
/// leading), Height > 0 the cell height; Size is the same in points at 96 dpi.
/// Family names of the classic desktop fonts are mapped to metric-compatible
/// installed faces when drawing (see FontFaceFor in font_qt.h).
class TFont : public TGraphicsObject {
public:
  TFont();

  const std::string &Name() const { return name_; }
  void SetName(const std::string &Value);
  int Height() const { return height_; }
  void SetHeight(int Value);
  /// Point size derived from Height: -Height * 72 / 96, rounded.
  int Size() const;
  void SetSize(int Value);
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles Value);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch Value);

  /// Copies every property (not OnChange) and raises OnChange once.
  void Assign(const TFont &Source);
  /// True when all properties equal those of Other.
  bool SameAs(const TFont &Other) const;

private:
  std::string name_;
  int height_;
  TColor color_;
  TFontStyles style_;
  TFontPitch pitch_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
/// Published names of TPenStyle's values, by ordinal.
inline constexpr std::array<const char *, 7> PenStyleNames{
    "psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear", "psInsideFrame"};

/// Binary raster operation combining the pen or brush colour (P) with the
/// pixel already there (D).
enum TPenMode {
  pmBlack,       // 0
  pmWhite,       // 1
  pmNop,         // D
  pmNot,         // ~D
  pmCopy,        // P
  pmNotCopy,     // ~P
  pmMergePenNot, // P | ~D
  pmMaskPenNot,  // P & ~D
  pmMergeNotPen, // ~P | D
  pmMaskNotPen,  // ~P & D
  pmMerge,       // P | D
  pmNotMerge,    // ~(P | D)
  pmMask,        // P & D
  pmNotMask,     // ~(P & D)
  pmXor,         // P ^ D
  pmNotXor       // ~(P ^ D)
};

/// Outline tool: colour, style, width in pixels and raster mode.
class TPen : public TGraphicsObject {
public:
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle Value);
  /// Width in pixels, at least 1.
  int Width() const { return width_; }
  void SetWidth(int Value);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode Value);
  void Assign(const TPen &Source);

private:
  TColor color_ = clBlack;
  TPenStyle style_ = psSolid;
  int width_ = 1;
  TPenMode mode_ = pmCopy;
};

enum TBrushStyle {
  bsSolid,
  bsClear,
  bsHorizontal,
  bsVertical,
  bsFDiagonal,
  bsBDiagonal,
  bsCross,
  bsDiagCross
};

/// Fill tool: colour and style. Its colour is also the opaque text background
/// and fills the gaps of styled pens.
class TBrush : public TGraphicsObject {
public:
  TColor Color() const { return color_; }
  void SetColor(TColor Value);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle Value);
  void Assign(const TBrush &Source);

private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
};
