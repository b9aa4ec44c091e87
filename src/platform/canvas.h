#pragma once
// TCanvas: the drawing surface every component paints on, with the pixel rules
// of the classic desktop graphics interface the suite was designed against:
//  - a line from A to B colours A but leaves out B;
//  - Rectangle / Ellipse with the box (X1, Y1, X2, Y2) cover X1 .. X2-1 and
//    Y1 .. Y2-1: outline in the pen, interior in the brush;
//  - the pen mode is a raster operation applied to lines and fills alike, so
//    drawing twice with pmXor restores the pixels;
//  - text background is opaque in the brush colour unless the brush is clear
//    or SetBkMode(TRANSPARENT) was called after the last brush change;
//  - styled (dashed, dotted) one-pixel pens fill their gaps with the brush
//    colour while the background is opaque and leave them alone otherwise.
// Lines and fills are never antialiased, so every rule holds to the pixel;
// text is smoothed as the desktop smooths it. At a device pixel ratio other
// than 1 (see PixelRatio) the rules hold for logical pixels.
//
// Where the pixels live: a canvas draws on the surface of its device
// (canvas_device.h), which the system's back end provides; the canvas itself
// draws every line, outline, fill and copy with the pixel rules and hands the
// device only text, wide pens, ellipses, polygon fills and hatches.
// TBitmap gives its own canvas a surface; platform code that keeps a control's
// back buffer attaches it through the back end's helpers (qt/canvas_qt.h);
// code outside src/platform only ever receives a ready TCanvas. A canvas
// without a surface still measures text and records calls, but draws nothing.
//
// Tests can observe drawing through SetRecorder: every public drawing call
// appends a TCanvasRecord (kind, points, text, tool state) while still drawing.
#include "platform/canvas_device.h"
#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/graphics.h"
#include "platform/pixel_rules.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TBitmap;

// Text alignment flags (combine one horizontal with one vertical flag).
inline constexpr unsigned TA_NOUPDATECP = 0;
inline constexpr unsigned TA_UPDATECP = 1;
inline constexpr unsigned TA_LEFT = 0;
inline constexpr unsigned TA_RIGHT = 2;
inline constexpr unsigned TA_CENTER = 6;
inline constexpr unsigned TA_TOP = 0;
inline constexpr unsigned TA_BOTTOM = 8;
inline constexpr unsigned TA_BASELINE = 24;

// Text background modes.
inline constexpr int TRANSPARENT = 1;
inline constexpr int OPAQUE = 2;

inline constexpr TCopyMode cmSrcCopy = SRCCOPY;
inline constexpr TCopyMode cmSrcPaint = SRCPAINT;
inline constexpr TCopyMode cmSrcAnd = SRCAND;
inline constexpr TCopyMode cmSrcInvert = SRCINVERT;
inline constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
inline constexpr TCopyMode cmDstInvert = DSTINVERT;
inline constexpr TCopyMode cmBlackness = BLACKNESS;
inline constexpr TCopyMode cmWhiteness = WHITENESS;

// GetDeviceCaps indices.
inline constexpr int HORZRES = 8;
inline constexpr int VERTRES = 10;
inline constexpr int ASPECTX = 40;
inline constexpr int ASPECTY = 42;
inline constexpr int ASPECTXY = 44;
inline constexpr int LOGPIXELSX = 88;
inline constexpr int LOGPIXELSY = 90;

/// Value Pixels() returns outside the surface.
inline constexpr TColor CLR_INVALID = 0xFFFFFFFF;

/// What a recorded drawing call was.
enum TCanvasOp {
  coMoveTo,
  coLineTo,
  coPolyline,
  coPolygon,
  coRectangle,
  coEllipse,
  coFillRect,
  coSetPixel,
  coTextOut,
  coTextRect,
  coDraw,
  coStretchDraw,
  coCopyRect
};

/// One recorded drawing call with the tool state at the time of the call.
/// Points holds the call's points (MoveTo/LineTo: the target; Polyline and
/// Polygon: all points; SetPixel: the pixel; TextOut: the reference point;
/// Draw: the destination corner). Rect holds the box of Rectangle, Ellipse,
/// FillRect, TextRect, StretchDraw and the destination of CopyRect.
struct TCanvasRecord {
  TCanvasOp Kind = coMoveTo;
  std::vector<TPoint> Points;
  TRect Rect;
  std::string Text;
  TColor PenColor = clBlack;
  TPenStyle PenStyle = psSolid;
  int PenWidth = 1;
  TPenMode PenMode = pmCopy;
  TColor BrushColor = clWhite;
  TBrushStyle BrushStyle = bsSolid;
  TColor FontColor = clBlack;
  /// SetPixel: the colour; CopyRect: the copy mode.
  std::uint32_t Value = 0;
};

/// Collects the drawing calls of the canvases it is attached to.
class TCanvasRecorder {
public:
  std::vector<TCanvasRecord> Records;
  void Clear() { Records.clear(); }
  /// Number of records of the given kind.
  int Count(TCanvasOp Kind) const;
};

class TCanvas {
public:
  TCanvas();
  virtual ~TCanvas();
  TCanvas(const TCanvas &) = delete;
  TCanvas &operator=(const TCanvas &) = delete;

  /// Platform-internal: draw through Device from now on (null: the system's
  /// surface-less device, which draws nothing).
  void AttachDevice(std::unique_ptr<TCanvasDevice> Device);
  /// Platform-internal: the device drawn through (null before the first use).
  TCanvasDevice *Device() const { return device_; }

  /// Device pixels per logical pixel of the surface: 1 on ordinary screens
  /// and off screen, 2 on a screen scaled to 200 %. Every coordinate of the
  /// canvas is logical; at a ratio other than 1 one-pixel lines, outlines and
  /// fills cover the whole device pixels of their logical pixels, and text,
  /// curves and copies are drawn at the device's resolution.
  double PixelRatio() const;

  TPen &Pen() { return pen_; }
  TBrush &Brush() { return brush_; }
  TFont &Font() { return font_; }
  const TPen &Pen() const { return pen_; }
  const TBrush &Brush() const { return brush_; }
  const TFont &Font() const { return font_; }

  TPoint PenPos() const { return penPos_; }
  void SetPenPos(TPoint Value) { penPos_ = Value; }
  void MoveTo(int X, int Y);
  /// Line from PenPos to (X, Y), leaving out (X, Y); PenPos becomes (X, Y).
  void LineTo(int X, int Y);
  /// Connected lines through Points; only the very last point is left out.
  /// Does not move PenPos.
  void Polyline(const TPoint *Points, int Count);
  void Polyline(const std::vector<TPoint> &Points) { Polyline(Points.data(), int(Points.size())); }
  /// Closed filled outline (alternate filling rule).
  void Polygon(const TPoint *Points, int Count);
  void Polygon(const std::vector<TPoint> &Points) { Polygon(Points.data(), int(Points.size())); }
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect &R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect &R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
  /// Fills R with the brush (no outline, pen mode ignored).
  void FillRect(const TRect &R);
  /// One-pixel outline of R in the brush colour.
  void FrameRect(const TRect &R);

  /// Pixel colour (RGB); CLR_INVALID outside the surface or the clip.
  TColor Pixels(int X, int Y) const;
  void SetPixels(int X, int Y, TColor Value);

  /// Text in the font colour at (X, Y) interpreted by TextAlign().
  void TextOut(int X, int Y, const std::string &Text);
  /// Text with its top-left at (X, Y), clipped to R; an opaque background
  /// fills all of R.
  void TextRect(const TRect &R, int X, int Y, const std::string &Text);
  int TextWidth(const std::string &Text) const;
  int TextHeight(const std::string &Text) const;
  TSize TextExtent(const std::string &Text) const;
  /// Distance from the top of the text cell to the baseline.
  int TextAscent() const;

  /// Sets the alignment flags used by TextOut; returns the previous flags.
  unsigned SetTextAlign(unsigned Flags);
  unsigned TextAlign() const { return textAlign_; }
  /// TRANSPARENT or OPAQUE; returns the previous mode. Holds until the brush
  /// changes; after that the background is transparent for a clear brush and
  /// opaque otherwise.
  int SetBkMode(int Mode);
  int BkMode() const;

  /// Copies Graphic with its top-left at (X, Y), skipping its transparent
  /// colour when the bitmap is Transparent.
  void Draw(int X, int Y, const TBitmap &Graphic);
  /// Scales Graphic into R (nearest pixel).
  void StretchDraw(const TRect &R, const TBitmap &Graphic);
  /// Combines Source of Canvas into Dest of this canvas with CopyMode()
  /// (scaled when the sizes differ).
  void CopyRect(const TRect &Dest, const TCanvas &Canvas, const TRect &Source);
  TCopyMode CopyMode() const { return copyMode_; }
  void SetCopyMode(TCopyMode Value) { copyMode_ = Value; }

  /// Drawing is limited to ClipRect (and the surface).
  TRect ClipRect() const;
  void SetClipRect(const TRect &R);
  void ResetClip();
  bool HasClip() const { return hasClip_; }

  /// Device properties: ASPECTX/ASPECTY/ASPECTXY 36, LOGPIXELSX/LOGPIXELSY 96,
  /// HORZRES/VERTRES the surface size; 0 for anything else.
  int GetDeviceCaps(int Index) const;

  /// Between these calls (nested calls count) the texts drawn share one
  /// painter instead of opening one each; drawing through other painters
  /// (curves, wide pens, hatches) closes it and the next text opens it again.
  /// Use TTextPass rather than calling them directly.
  void BeginTextPass();
  void EndTextPass();

  /// Attaches a recorder (not owned; null detaches).
  void SetRecorder(TCanvasRecorder *Recorder) { recorder_ = Recorder; }
  TCanvasRecorder *Recorder() const { return recorder_; }

private:
  void Record(TCanvasOp Kind, const TPoint *Points, int Count, const TRect &R,
              const std::string &Text, std::uint32_t Value);
  TRect EffectiveClip() const;
  /// How one-pixel lines and outlines colour their pixels with the current tools.
  TStrokeRule StrokeRule() const;
  bool PenVisible() const;
  bool BrushVisible() const;
  void StrokeLines(const TPoint *Points, int Count, bool Closed);
  void DrawLine(TPoint A, TPoint B, unsigned &PatternPos) {
    DrawLine(A, B, PatternPos, EffectiveClip());
  }
  /// Clip is EffectiveClip(), worked out once for a whole polyline.
  void DrawLine(TPoint A, TPoint B, unsigned &PatternPos, const TRect &Clip);
  void StrokeBox(int X1, int Y1, int X2, int Y2);
  void FillBox(const TRect &R, TColor Color, TPenMode Mode);
  void DrawText(int X, int Y, const std::string &Text, const TRect *Clip);
  /// The device, the system's surface-less one made when there is none yet.
  TCanvasDevice *TextDevice() const;
  bool HasSurface() const { return device_ && device_->Attached(); }
  void Blit(const TRect &Dest, const TCanvasDevice &Source, const TRect &SourceRect, TCopyMode Mode,
            bool SkipColor, TColor Skip);

  // Drawing at a pixel ratio other than 1 (canvas_scaled.cpp): each
  // operation is carried out in device pixels by a second canvas on the same
  // surface that ignores the ratio.
  bool Scaled() const;
  /// The surface in logical pixels.
  TRect SurfaceRect() const;
  TCanvas &DeviceCanvas() const;
  void ScaledStrokeLines(const TPoint *Points, int Count, bool Closed);
  void ScaledStrokeBox(int X1, int Y1, int X2, int Y2);
  void ScaledFillBox(const TRect &R, TColor Color, TPenMode Mode);
  TColor ScaledPixel(int X, int Y) const;
  void ScaledBlit(const TRect &Dest, const TCanvasDevice &Source, const TRect &SourceRect,
                  TCopyMode Mode, bool SkipColor, TColor Skip);
  mutable std::unique_ptr<TCanvas> scaled_;
  bool deviceUnits_ = false;

  mutable std::unique_ptr<TCanvasDevice> ownDevice_;
  /// ownDevice_, or the device of the canvas this one draws in device pixels for.
  mutable TCanvasDevice *device_ = nullptr;
  TPen pen_;
  TBrush brush_;
  TFont font_;
  TPoint penPos_;
  unsigned textAlign_ = TA_LEFT | TA_TOP;
  int bkMode_ = OPAQUE;
  mutable bool bkExplicit_ = false;
  TColor bkBrushColor_ = clWhite;
  TBrushStyle bkBrushStyle_ = bsSolid;
  TCopyMode copyMode_ = SRCCOPY;
  TRect clip_;
  bool hasClip_ = false;
  TCanvasRecorder *recorder_ = nullptr;
};

/// A stretch of drawing whose texts share one painter (see BeginTextPass).
class TTextPass {
public:
  explicit TTextPass(TCanvas &C) : c_(C) { c_.BeginTextPass(); }
  ~TTextPass() { c_.EndTextPass(); }
  TTextPass(const TTextPass &) = delete;
  TTextPass &operator=(const TTextPass &) = delete;

private:
  TCanvas &c_;
};
