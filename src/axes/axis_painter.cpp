#include "axes/axis_painter.h"

#include "axes/dt_ticks.h"

namespace {

// A point of the scale's own coordinates moved by the drawing origin.
int Shift(int Origin, std::int64_t V) {
  return SaturateInt(Origin + V);
}

void DrawLabel(TCanvas &C, const TScaleState &S, const TTick &t, TPoint origin, int zeroHeight) {
  if (!t.Label.empty()) {
    const TSize ext = C.TextExtent(t.Label);
    const TPoint p = TickLabelOrigin(S, t, ext, t.OwnTextHeight ? ext.cy : zeroHeight);
    C.TextOut(Shift(origin.X, p.X), Shift(origin.Y, p.Y), t.Label);
  }
  if (!t.DateLine.empty()) {
    const TPoint p = DateLineOrigin(S, t, C.TextExtent(t.DateLine));
    C.TextOut(Shift(origin.X, p.X), Shift(origin.Y, p.Y), t.DateLine);
  }
}

// The words a date/time axis shows instead of ticks it cannot draw.
void DrawMessage(TCanvas &C, const TScaleState &S, TTickMessage m, TPoint origin) {
  const auto lines = TickMessageLines(m, IsHorizontalScale(S.ScaleType));
  if (lines.empty()) return;
  const int tHeight = C.TextHeight("T");
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const TPoint p = TickMessageOrigin(S, int(i), C.TextExtent(lines[i]), tHeight);
    C.TextOut(Shift(origin.X, p.X), Shift(origin.Y, p.Y), lines[i]);
  }
}

} // namespace

TPoint CaptionOrigin(const TScaleState &S, const TAxisLook &L, int CaptionWidth) {
  using W = std::int64_t;
  const W axis = AxisLinePosition(S);
  W x;
  W y;
  if (IsHorizontalScale(S.ScaleType)) {
    x = L.CaptionPosX;
    switch (L.CaptionAnchor) {
    case uaSclTopLft:
      x += S.MarginLeft;
      break;
    case uaSclCenter:
      x += S.MarginLeft + (W(S.Width) - S.MarginLeft - S.MarginRight) / 2;
      break;
    case uaSclBotRgt:
      x += W(S.Width) - S.MarginRight;
      break;
    }
    y = axis + L.CaptionPosY;
  } else {
    y = L.CaptionPosY;
    switch (L.CaptionAnchor) {
    case uaSclTopLft:
      y += S.MarginTop;
      break;
    case uaSclCenter:
      y += S.MarginTop + (W(S.Height) - S.MarginTop - S.MarginBottom) / 2;
      break;
    case uaSclBotRgt:
      y += W(S.Height) - S.MarginBottom;
      break;
    }
    x = axis + L.CaptionPosX;
  }
  if (L.CaptionAlignment == taRightJustify)
    x -= CaptionWidth;
  else if (L.CaptionAlignment == taCenter)
    x -= CaptionWidth / 2;
  return {SaturateInt(x), SaturateInt(y)};
}

TCanvas *DrawAxis(TCanvas &Canvas, const TScaleState &S, const TAxisLook &L, TPoint Origin,
                  const TAxisDrawContext &Ctx) {
  TCanvas *c = &Canvas;
  auto prepare = [&](TCanvas &cv) {
    cv.Pen().SetColor(L.ColorScale);
    cv.Pen().SetStyle(psSolid);
    cv.Pen().SetMode(pmCopy);
    cv.Brush().SetStyle(L.Transparent ? bsClear : bsSolid);
    cv.Font().SetColor(L.ColorScale);
    cv.SetTextAlign(TA_LEFT | TA_TOP);
  };
  prepare(*c);
  if (Ctx.Positions) Ctx.Positions->Clear();

  std::vector<TTick> local;
  std::vector<TTick> &ticks = Ctx.Scratch ? *Ctx.Scratch : local;
  const TTickMessage message = ComputeTicks(S, ticks);

  const bool horizontal = IsHorizontalScale(S.ScaleType);
  const int zeroHeight = horizontal ? 0 : c->TextHeight("0");
  for (const TTick &t : ticks) {
    c->MoveTo(Shift(Origin.X, t.Foot.X), Shift(Origin.Y, t.Foot.Y));
    c->LineTo(Shift(Origin.X, t.Tip.X), Shift(Origin.Y, t.Tip.Y));
    if (t.Recorded && Ctx.Positions) Ctx.Positions->Add(t.Value);
    const bool labelFirst = t.Labelled && !t.NotifyFirst;
    if (labelFirst) DrawLabel(*c, S, t, Origin, zeroHeight);
    if (t.Notify && Ctx.OnTick && *Ctx.OnTick) {
      TCanvas *target = c;
      (*Ctx.OnTick)(Ctx.Sender, target, S.ScaleType, t.Value, Shift(Origin.X, t.Foot.X),
                    Shift(Origin.Y, t.Foot.Y));
      if (target != nullptr && target != c) {
        c = target;
        prepare(*c);
      }
    }
    if (t.Labelled && !labelFirst) DrawLabel(*c, S, t, Origin, zeroHeight);
  }
  DrawMessage(*c, S, message, Origin);

  if (!L.Caption.empty()) {
    const TPoint p = CaptionOrigin(S, L, c->TextWidth(L.Caption));
    c->TextOut(Shift(Origin.X, p.X), Shift(Origin.Y, p.Y), L.Caption);
  }

  if (L.ShowBaseLine) {
    const int axis = AxisLinePosition(S);
    if (horizontal) {
      c->MoveTo(Shift(Origin.X, S.MarginLeft), Shift(Origin.Y, axis));
      c->LineTo(Shift(Origin.X, std::int64_t(S.Width) - S.MarginRight), Shift(Origin.Y, axis));
    } else {
      c->MoveTo(Shift(Origin.X, axis), Shift(Origin.Y, S.MarginTop));
      c->LineTo(Shift(Origin.X, axis), Shift(Origin.Y, std::int64_t(S.Height) - S.MarginBottom));
    }
  }
  return c;
}
