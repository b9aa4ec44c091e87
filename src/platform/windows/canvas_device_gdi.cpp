// The Windows canvas device: GDI on a memory device context with a
// TDibImage's section selected. GDI draws text (smoothed as the desktop
// smooths it), wide pens with round ends and joins, ellipses, polygon fills
// and hatches, under the pen mode as a binary raster operation, at the
// picture's pixel ratio. The picture is selected only while GDI draws (and
// through a text pass); GDI writes 0 into the top byte of the pixels it
// touches, so each drawing ends by giving them back the surface's opaque top
// byte, after GdiFlush, before the core reads them.
#include "platform/canvas_device.h"
#include "platform/color.h"
#include "platform/font_face.h"
#include "platform/shape_clip.h"
#include "platform/windows/canvas_gdi.h"
#include "platform/windows/gdi_font.h"
#include "platform/windows/dib_image.h"
#include "platform/windows/wide_string.h"

#include <windows.h>
// The device's member of that name, not the Windows macro.
#undef DrawText

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace {

// GDI keeps coordinates in fixed point and goes wrong past 2^27; every
// coordinate it gets stays well inside this.
constexpr double SafeCoordinate = double(1 << 26);

int RopOf(TPenMode Mode) {
  switch (Mode) {
  case pmBlack:
    return R2_BLACK;
  case pmWhite:
    return R2_WHITE;
  case pmNop:
    return R2_NOP;
  case pmNot:
    return R2_NOT;
  case pmCopy:
    return R2_COPYPEN;
  case pmNotCopy:
    return R2_NOTCOPYPEN;
  case pmMergePenNot:
    return R2_MERGEPENNOT;
  case pmMaskPenNot:
    return R2_MASKPENNOT;
  case pmMergeNotPen:
    return R2_MERGENOTPEN;
  case pmMaskNotPen:
    return R2_MASKNOTPEN;
  case pmMerge:
    return R2_MERGEPEN;
  case pmNotMerge:
    return R2_NOTMERGEPEN;
  case pmMask:
    return R2_MASKPEN;
  case pmNotMask:
    return R2_NOTMASKPEN;
  case pmXor:
    return R2_XORPEN;
  case pmNotXor:
    return R2_NOTXORPEN;
  }
  return R2_COPYPEN;
}

int HatchOf(TBrushStyle Style) {
  switch (Style) {
  case bsHorizontal:
    return HS_HORIZONTAL;
  case bsVertical:
    return HS_VERTICAL;
  case bsFDiagonal:
    return HS_FDIAGONAL;
  case bsBDiagonal:
    return HS_BDIAGONAL;
  case bsCross:
    return HS_CROSS;
  default:
    return HS_DIAGCROSS;
  }
}

COLORREF ColorRefOf(TColor Color) {
  return COLORREF(ColorToRGB(Color) & 0xFFFFFFu);
}

/// A GDI object deleted when it goes.
class TGdiObject {
public:
  explicit TGdiObject(HGDIOBJ Object) : object_(Object) {}
  ~TGdiObject() {
    if (object_) DeleteObject(object_);
  }
  TGdiObject(const TGdiObject &) = delete;
  TGdiObject &operator=(const TGdiObject &) = delete;
  HGDIOBJ Get() const { return object_; }

private:
  HGDIOBJ object_;
};

HGDIOBJ NewBrush(const TBrush *Brush) {
  if (!Brush) return GetStockObject(NULL_BRUSH);
  if (Brush->Style() == bsSolid) return CreateSolidBrush(ColorRefOf(Brush->Color()));
  return CreateHatchBrush(HatchOf(Brush->Style()), ColorRefOf(Brush->Color()));
}

/// A GDI device on a TDibImage it does not own.
class TGdiCanvasDevice final : public TCanvasDevice {
public:
  explicit TGdiCanvasDevice(TDibImage *Image) : image_(Image) {}
  ~TGdiCanvasDevice() override {
    Deselect();
    if (dc_) {
      SelectObject(dc_, GetStockObject(SYSTEM_FONT));
      DeleteDC(dc_);
    }
    if (font_) DeleteObject(font_);
  }

  void SetImage(TDibImage *Image) {
    textPasses_ = 0;
    Deselect();
    image_ = Image;
  }

  bool Attached() const override { return image_ && !image_->Empty(); }
  TSize DeviceSize() const override {
    return image_ ? TSize{image_->Width(), image_->Height()} : TSize{};
  }
  double PixelRatio() const override { return image_ ? image_->PixelRatio() : 1.0; }

  TPixelView WritePixels() override {
    if (!Attached()) return TPixelView{};
    GdiFlush();
    return image_->View();
  }

  TPixelView ReadPixels(std::vector<std::uint32_t> &) const override {
    if (!Attached()) return TPixelView{};
    GdiFlush();
    return image_->View();
  }

  int TextWidth(const TFont &Font, const std::string &Text) override {
    if (Text.empty() || !UseFont(Font)) return 0;
    const std::wstring wide = WideFromUtf8(Text);
    SIZE size{};
    if (!GetTextExtentPoint32W(dc_, wide.data(), int(wide.size()), &size)) return 0;
    return Logical(size.cx);
  }

  int TextHeight(const TFont &Font) override {
    return UseFont(Font) ? Logical(metrics_.tmHeight) : 0;
  }

  int TextAscent(const TFont &Font) override {
    return UseFont(Font) ? int(std::lround(metrics_.tmAscent / Ratio())) : 0;
  }

  void DrawText(const TFont &Font, int X, int Y, const std::string &Text,
                const TRect &Clip) override {
    if (!Attached() || !UseFont(Font)) return;
    const double x = Device(X), y = Device(Y);
    // Text whose cell starts this far off cannot reach the surface.
    if (std::abs(x) > SafeCoordinate || std::abs(y) > SafeCoordinate) return;
    const TRect clip = DeviceClip(Clip);
    if (y >= clip.Bottom || y + metrics_.tmHeight <= clip.Top || x >= clip.Right) return;
    if (!Begin(clip)) return;
    const std::wstring wide = WideFromUtf8(Text);
    SetTextColor(dc_, ColorRefOf(Font.Color()));
    SetBkMode(dc_, TRANSPARENT);
    SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    ExtTextOutW(dc_, int(x), int(y), 0, nullptr, wide.data(), UINT(wide.size()), nullptr);
    End(clip, Rect(clip.Left, int(y), clip.Right, int(y) + metrics_.tmHeight));
  }

  void BeginTextPass() override { ++textPasses_; }
  void EndTextPass() override {
    if (textPasses_ > 0 && --textPasses_ == 0) Deselect();
  }

  void StrokeWide(const TPoint *Points, int Count, bool Closed, const TPen &Pen,
                  const TRect &Clip) override {
    if (!Attached() || Count < 2) return;
    const int width = std::max(1, int(std::lround(Pen.Width() * Ratio())));
    LOGBRUSH lb{BS_SOLID, ColorRefOf(Pen.Color()), 0};
    TGdiObject pen(ExtCreatePen(PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                                DWORD(width), &lb, 0, nullptr));
    if (!pen.Get()) return;
    const TRect clip = DeviceClip(Clip);
    const std::vector<TPointF> points = DevicePoints(Points, Count);
    const TBoxF box = Margin(clip, width);
    if (!Begin(clip)) return;
    SelectObject(dc_, pen.Get());
    SelectObject(dc_, GetStockObject(NULL_BRUSH));
    SetROP2(dc_, RopOf(Pen.Mode()));
    if (AllInside(points, box)) {
      const std::vector<POINT> pts = ToPoints(points);
      if (Closed)
        ::Polygon(dc_, pts.data(), int(pts.size()));
      else
        ::Polyline(dc_, pts.data(), int(pts.size()));
    } else {
      for (const std::vector<TPointF> &run : ClipPolyline(points, Closed, box)) {
        const std::vector<POINT> pts = ToPoints(run);
        ::Polyline(dc_, pts.data(), int(pts.size()));
      }
    }
    End(clip, Around(points, width));
  }

  void Ellipse(const TRect &Box, const TPen *Pen, const TBrush *Brush, TPenMode Mode,
               const TRect &Clip) override {
    if (!Attached() || (!Pen && !Brush)) return;
    const double r = Ratio();
    const int width = Pen ? std::max(1, int(std::lround(Pen->Width() * r))) : 0;
    std::optional<TGdiObject> pen;
    if (Pen && Pen->Width() <= 1 && r == 1.0) {
      pen.emplace(CreatePen(PS_SOLID, 1, ColorRefOf(Pen->Color())));
    } else if (Pen) {
      LOGBRUSH lb{BS_SOLID, ColorRefOf(Pen->Color()), 0};
      const DWORD style = Pen->Style() == psInsideFrame || Pen->Width() <= 1 ? PS_INSIDEFRAME
                                                                            : PS_SOLID;
      pen.emplace(ExtCreatePen(PS_GEOMETRIC | style | PS_ENDCAP_ROUND | PS_JOIN_ROUND,
                               DWORD(width), &lb, 0, nullptr));
    }
    TGdiObject brush(NewBrush(Brush));
    // Without a pen some GDIs leave out one more row and column of the box:
    // the box grows by one, and the clip keeps the fill inside the box. (A
    // wide pen that is not inside the frame is centred on the box's edge.)
    const TRect clip =
        Pen ? DeviceClip(Clip) : IntersectRects(DeviceClip(Clip), DeviceRect(Box));
    const int grow = Pen ? 0 : 1;
    const TBoxF box{Device(Box.Left), Device(Box.Top), Device(Box.Right) + grow,
                    Device(Box.Bottom) + grow};
    const TBoxF safe = Margin(clip, width);
    if (!Begin(clip)) return;
    SelectObject(dc_, pen ? pen->Get() : GetStockObject(NULL_PEN));
    SelectObject(dc_, brush.Get());
    SetROP2(dc_, RopOf(Mode));
    SetBkMode(dc_, TRANSPARENT);
    if (safe.Contains({box.Left, box.Top}) && safe.Contains({box.Right, box.Bottom})) {
      ::Ellipse(dc_, int(box.Left), int(box.Top), int(box.Right), int(box.Bottom));
    } else {
      // A far larger ellipse than the surface: its outline as a fine polygon,
      // cut to the surface.
      const std::vector<TPointF> outline = ClipPolygon(EllipseOutline(box, 4096), safe);
      if (outline.size() >= 3) {
        SetPolyFillMode(dc_, ALTERNATE);
        const std::vector<POINT> pts = ToPoints(outline);
        ::Polygon(dc_, pts.data(), int(pts.size()));
      }
    }
    End(clip, clip);
  }

  void FillPolygon(const TPoint *Points, int Count, const TBrush &Brush, TPenMode Mode,
                   const TRect &Clip) override {
    if (!Attached() || Count < 3) return;
    TGdiObject brush(NewBrush(&Brush));
    const TRect clip = DeviceClip(Clip);
    std::vector<TPointF> points = DevicePoints(Points, Count);
    const TBoxF box = Margin(clip, 2);
    if (!AllInside(points, box)) points = ClipPolygon(points, box);
    if (points.size() < 3 || !Begin(clip)) return;
    SelectObject(dc_, GetStockObject(NULL_PEN));
    SelectObject(dc_, brush.Get());
    SetROP2(dc_, RopOf(Mode));
    SetBkMode(dc_, TRANSPARENT);
    SetPolyFillMode(dc_, ALTERNATE);
    const std::vector<POINT> pts = ToPoints(points);
    ::Polygon(dc_, pts.data(), int(pts.size()));
    End(clip, Around(points, 1));
  }

  void FillHatch(const TRect &R, const TBrush &Brush, TPenMode Mode, const TRect &Clip) override {
    if (!Attached()) return;
    const TRect clip = DeviceClip(Clip);
    const TRect area = IntersectRects(DeviceRect(R), clip);
    if (area.IsEmpty()) return;
    TGdiObject brush(NewBrush(&Brush));
    if (!Begin(area)) return;
    SelectObject(dc_, GetStockObject(NULL_PEN));
    SelectObject(dc_, brush.Get());
    SetROP2(dc_, RopOf(Mode));
    SetBkMode(dc_, TRANSPARENT);
    // With no pen GDI leaves out the last row and column of the box; the
    // clip (area) keeps the grown box from reaching past it.
    ::Rectangle(dc_, area.Left, area.Top, area.Right + 1, area.Bottom + 1);
    End(area, area);
  }

private:
  double Ratio() const { return image_ ? image_->PixelRatio() : 1.0; }
  /// The device coordinate of a logical one.
  double Device(int V) const { return std::floor(double(V) * Ratio() + 1e-9); }
  /// A device length in logical pixels, rounded up.
  int Logical(long V) const {
    const double r = Ratio();
    return r == 1.0 ? int(V) : int(std::ceil(double(V) / r - 1e-9));
  }
  TRect DeviceRect(const TRect &R) const {
    const auto c = [](double v) { return int(std::clamp(v, -2147483648.0, 2147483647.0)); };
    return Rect(c(Device(R.Left)), c(Device(R.Top)), c(Device(R.Right)), c(Device(R.Bottom)));
  }
  /// The clip in device pixels, inside the surface.
  TRect DeviceClip(const TRect &Clip) const {
    return IntersectRects(DeviceRect(Clip), Rect(0, 0, image_->Width(), image_->Height()));
  }
  /// The clip grown by a margin wider than any pen end, as a box for cutting shapes.
  static TBoxF Margin(const TRect &Clip, int PenWidth) {
    const double m = PenWidth + 4.0;
    return TBoxF{Clip.Left - m, Clip.Top - m, Clip.Right + m, Clip.Bottom + m};
  }
  std::vector<TPointF> DevicePoints(const TPoint *Points, int Count) const {
    std::vector<TPointF> out(static_cast<std::size_t>(Count));
    for (int i = 0; i < Count; ++i)
      out[std::size_t(i)] = TPointF{Device(Points[i].X), Device(Points[i].Y)};
    return out;
  }
  /// The pixels a shape through Points drawn Width wide may touch.
  static TRect Around(const std::vector<TPointF> &Points, int Width) {
    if (Points.empty()) return TRect{};
    TBoxF b{Points[0].X, Points[0].Y, Points[0].X, Points[0].Y};
    for (const TPointF &p : Points) {
      b.Left = std::min(b.Left, p.X);
      b.Top = std::min(b.Top, p.Y);
      b.Right = std::max(b.Right, p.X);
      b.Bottom = std::max(b.Bottom, p.Y);
    }
    const double m = Width / 2.0 + 2;
    const auto c = [](double v) { return int(std::clamp(v, -2147483648.0, 2147483647.0)); };
    return Rect(c(std::floor(b.Left - m)), c(std::floor(b.Top - m)), c(std::ceil(b.Right + m)),
                c(std::ceil(b.Bottom + m)));
  }
  static bool AllInside(const std::vector<TPointF> &Points, const TBoxF &Box) {
    return std::all_of(Points.begin(), Points.end(),
                       [&](const TPointF &p) { return Box.Contains(p); });
  }
  static std::vector<POINT> ToPoints(const std::vector<TPointF> &Points) {
    std::vector<POINT> out(Points.size());
    for (std::size_t i = 0; i < Points.size(); ++i)
      out[i] = POINT{LONG(std::lround(Points[i].X)), LONG(std::lround(Points[i].Y))};
    return out;
  }

  // The memory device context, made on first use (compatible with the screen).
  HDC Dc() {
    if (!dc_) dc_ = CreateCompatibleDC(nullptr);
    return dc_;
  }

  // Selects the picture and limits drawing to Clip (device pixels); false
  // when there is nothing to draw on.
  bool Begin(const TRect &Clip) {
    if (Clip.IsEmpty() || !Attached() || !Dc()) return false;
    HBITMAP section = image_->Handle();
    if (selected_ != section) {
      HGDIOBJ old = SelectObject(dc_, section);
      if (!old) return false;
      if (!selected_) unselected_ = old;
      selected_ = section;
    }
    SetViewportOrgEx(dc_, image_->OriginX(), image_->OriginY(), nullptr);
    SetBrushOrgEx(dc_, image_->OriginX(), image_->OriginY(), nullptr);
    SelectClipRgn(dc_, nullptr);
    IntersectClipRect(dc_, Clip.Left, Clip.Top, Clip.Right, Clip.Bottom);
    return true;
  }

  // Ends a drawing: GDI's writes reach the pixels, those in Touched (inside
  // Clip) get their top byte back, the tools go back to the stock ones and
  // the picture is let go of unless a text pass holds it.
  void End(const TRect &Clip, const TRect &Touched) {
    GdiFlush();
    const TPixelView view = image_->View();
    const TRect area = IntersectRects(IntersectRects(Touched, Clip), view.Bounds());
    for (int y = area.Top; y < area.Bottom; ++y) {
      std::uint32_t *row = view.Row(y);
      for (int x = area.Left; x < area.Right; ++x)
        row[x] |= 0xFF000000u;
    }
    SelectObject(dc_, GetStockObject(BLACK_PEN));
    SelectObject(dc_, GetStockObject(WHITE_BRUSH));
    SelectClipRgn(dc_, nullptr);
    if (textPasses_ == 0) Deselect();
  }

  void Deselect() {
    if (dc_ && selected_) SelectObject(dc_, unselected_);
    selected_ = nullptr;
  }

  // Selects the GDI font for Font at the device's ratio, made again when
  // either changed; false when the system gives no font.
  bool UseFont(const TFont &Font) {
    if (!Dc()) return false;
    const double r = Ratio();
    if (!font_ || !fontFor_.SameAs(Font) || fontRatio_ != r) {
      const LOGFONTW lf = LogFontOf(Font, r);
      HFONT next = CreateFontIndirectW(&lf);
      if (!next) return false;
      SelectObject(dc_, next);
      if (font_) DeleteObject(font_);
      font_ = next;
      fontFor_.Assign(Font);
      fontRatio_ = r;
      if (!GetTextMetricsW(dc_, &metrics_)) metrics_ = TEXTMETRICW{};
    }
    SelectObject(dc_, font_);
    return true;
  }

  TDibImage *image_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP selected_ = nullptr;   // the section selected into dc_, if any
  HGDIOBJ unselected_ = nullptr; // what was selected before it
  int textPasses_ = 0;
  HFONT font_ = nullptr;
  TFont fontFor_;
  double fontRatio_ = 1.0;
  TEXTMETRICW metrics_{};
};

} // namespace

std::string GdiFaceFor(const std::string &Name) {
  // Raster faces draw only a few sizes and are never smoothed.
  static constexpr std::array<TFaceReplacement, 3> Map = {{
      {"ms sans serif", "Microsoft Sans Serif"},
      {"ms serif", "Times New Roman"},
      {"courier", "Courier New"},
  }};
  return ReplaceFace(Name, Map);
}

std::unique_ptr<TCanvasDevice> NewCanvasDevice() {
  return std::make_unique<TGdiCanvasDevice>(nullptr);
}

void AttachDib(TCanvas &Canvas, TDibImage *Image) {
  if (auto *d = dynamic_cast<TGdiCanvasDevice *>(Canvas.Device()))
    d->SetImage(Image);
  else
    Canvas.AttachDevice(std::make_unique<TGdiCanvasDevice>(Image));
}
