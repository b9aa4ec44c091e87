#pragma once
// Drawing of one axis onto a canvas: the ticks of the tick list, their
// labels, the caption and the base line. Used by the scale control for both
// its opaque (bitmap) and its transparent painting.
#include "axes/scale_geometry.h"
#include "platform/canvas.h"
#include "platform/control.h"
#include "platform/persistent.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

/// Fired for every tick drawn: its world value and the canvas position of
/// its foot. The handler may hand back another canvas to draw on.
using TScaleTickDrawnEvent =
    std::function<void(TObject *Sender, TCanvas *&Canvas, TScaleType ScaleType,
                       double CurrentTickPos, int ChartX, int ChartY)>;

/// Fired before and after a scale draws, with the canvas it draws on.
using TScaleRenderedEvent = std::function<void(TObject *Sender, TCanvas *Canvas)>;

/// Number of tick values a scale records per drawing.
inline constexpr int MaxTickPositions = 250;

/// The tick values recorded while drawing (for a chart's grid lines).
struct TTickPositions {
  std::array<double, MaxTickPositions> Values{};
  int Count = 0;
  void Clear() { Count = 0; }
  /// Appends while there is room; later values are dropped silently.
  void Add(double V) {
    if (Count < MaxTickPositions) Values[static_cast<std::size_t>(Count++)] = V;
  }
};

/// The look of an axis besides its numeric state: colour, caption and its
/// placement, base line and transparency. Copied as a whole, like TAxisSettings.
struct TAxisLook {
  TColor ColorScale = clBlack;
  bool Transparent = false;
  bool ShowBaseLine = true;
  std::string Caption;
  int CaptionPosX = 4;
  int CaptionPosY = 4;
  TAlignment CaptionAlignment = taCenter;
  TScaleUnitAnchor CaptionAnchor = uaSclTopLft;
};

/// Top-left corner of the caption of width CaptionWidth in the scale's own
/// coordinates.
TPoint CaptionOrigin(const TScaleState &S, const TAxisLook &L, int CaptionWidth);

/// Everything one drawing of an axis reports back.
struct TAxisDrawContext {
  TObject *Sender = nullptr;
  const TScaleTickDrawnEvent *OnTick = nullptr;
  TTickPositions *Positions = nullptr;
  /// Reused between drawings so that a repaint does not reallocate.
  std::vector<TTick> *Scratch = nullptr;
};

/// Draws ticks, labels, caption and (with ShowBaseLine) the base line of the
/// axis with the scale's origin at Origin on Canvas. The canvas font must
/// already be the scale's font; pen, brush style and font colour are set
/// here. Returns the canvas drawn on last (a tick handler may switch it).
TCanvas *DrawAxis(TCanvas &Canvas, const TScaleState &S, const TAxisLook &L, TPoint Origin,
                  const TAxisDrawContext &Ctx);
