// Drawing of the chart's text labels (onto the data bitmap, over the items)
// and cross-hairs (over the finished picture).
#include "chart/rchart_layer.h"
#include "platform/canvas.h"

#include <algorithm>
#include <string_view>

TPoint TCustomRChart::LabelAnchor(int I) const {
  const TTextLabel &l = *labels_[std::size_t(I - 1)];
  // Anchor in control pixels; world coordinates go through the layer.
  int wx = 0, wy = 0;
  if (l.AttachToData() != tlamNone) WorldToPixel(l.Layer(), l.PosX(), l.PosY(), wx, wy);
  const bool worldX = l.AttachToData() == tlamXOnly || l.AttachToData() == tlamBoth;
  const bool worldY = l.AttachToData() == tlamYOnly || l.AttachToData() == tlamBoth;
  // Far-off anchors are limited like item points, so the box arithmetic of
  // the drawing cannot overflow.
  return Point(LimitPixel(worldX ? wx : RoundPixel(l.PosX())),
               LimitPixel(worldY ? wy : RoundPixel(l.PosY())));
}

void TCustomRChart::DrawTextLabels(TCanvas &C) {
  const TTextPass texts(C);
  std::string line; // reused for each line of a caption
  // Label 30 first, so that label 1 ends on top.
  for (int i = ChartLabelCount; i >= 1; --i) {
    const TTextLabel &l = *labels_[std::size_t(i - 1)];
    if (l.Mode() == tlOff || !l.Visible()) continue;

    const TPoint anchor = LabelAnchor(i);
    const int ax = anchor.X, ay = anchor.Y;

    C.Font().Assign(*l.Font());
    C.Pen().SetColor(l.ColorBorder());
    C.Pen().SetStyle(psSolid);
    C.Brush().SetColor(l.ColorBkg());
    C.Brush().SetStyle(l.Transparent() ? bsClear : bsSolid);

    const std::string &caption = l.Caption();
    const std::string_view text(caption);
    int lines = 1;
    int w = 0;
    for (std::size_t start = 0;;) {
      const std::size_t end = text.find('\n', start);
      line.assign(text.substr(start, end == std::string_view::npos ? end : end - start));
      w = std::max(w, C.TextWidth(line));
      if (end == std::string_view::npos) break;
      ++lines;
      start = end + 1;
    }
    if (w == 0) w = C.TextWidth(caption);
    const int h = C.TextHeight(caption);
    const TLabelLayout lay = LabelLayout(Point(SaturateInt(std::int64_t(ax) - marginLeft_),
                                               SaturateInt(std::int64_t(ay) - marginTop_)),
                                         lines, w, h,
                                         l.VerticalAlignment(), l.Alignment());

    switch (l.Mode()) {
    case tlOff:
      break;
    case tlsimple:
      if (!l.Transparent()) {
        C.Pen().SetColor(l.ColorBkg());
        C.Rectangle(lay.Box);
      }
      break;
    case tlBox:
      C.Rectangle(lay.Box);
      break;
    case tlUnderline:
      if (!l.Transparent()) {
        C.Pen().SetColor(l.ColorBkg());
        C.Rectangle(lay.Box);
      }
      C.Pen().SetColor(l.ColorBorder());
      C.MoveTo(lay.Left, lay.Bottom);
      C.LineTo(lay.Left + w, lay.Bottom);
      break;
    case tlShadow: {
      C.Pen().SetColor(l.ColorShadow());
      C.Brush().SetColor(l.ColorShadow());
      const TRect b = lay.Box;
      C.Rectangle(b.Left + l.ShadowDx(), b.Top + l.ShadowDy(), b.Right + l.ShadowDx(),
                  b.Bottom + l.ShadowDy());
      C.Pen().SetColor(l.ColorBorder());
      C.Brush().SetColor(l.ColorBkg());
      C.Rectangle(b);
      break;
    }
    }

    C.SetTextAlign(TA_LEFT | TA_TOP);
    int k = 0;
    for (std::size_t start = 0;; ++k) {
      const std::size_t end = text.find('\n', start);
      line.assign(text.substr(start, end == std::string_view::npos ? end : end - start));
      const TPoint at = LabelLineOrigin(lay, k, lines > 1 ? C.TextWidth(line) : w, l.Alignment());
      C.TextOut(at.X, at.Y, lines > 1 ? line : caption);
      if (end == std::string_view::npos) break;
      start = end + 1;
    }
  }
}

void TCustomRChart::DrawCrossHairs(TCanvas &C, int OriginX, int OriginY) {
  bool any = false;
  for (const auto &c : crossHairs_)
    any = any || c->Mode() != chOff;
  if (!any) return;
  const TColor penColor = C.Pen().Color();
  const int penWidth = C.Pen().Width();
  const TPenStyle penStyle = C.Pen().Style();
  const TRimGeometry g = Rim();
  for (const auto &c : crossHairs_) {
    if (c->Mode() == chOff) continue;
    int px = 0, py = 0;
    WorldToPixel(c->Layer(), c->PosX(), c->PosY(), px, py);
    C.Pen().SetColor(c->Color());
    C.Pen().SetWidth(c->LineWid());
    C.Pen().SetStyle(c->LineType());
    C.Brush().SetColor(chartColor_);
    const TCrossHairLines lines = CrossHairLines(g, Point(px, py), c->Mode(), c->LineWid());
    if (lines.DrawHoriz) {
      C.MoveTo(lines.H1.X - OriginX, lines.H1.Y - OriginY);
      C.LineTo(lines.H2.X - OriginX, lines.H2.Y - OriginY);
    }
    if (lines.DrawVert) {
      C.MoveTo(lines.V1.X - OriginX, lines.V1.Y - OriginY);
      C.LineTo(lines.V2.X - OriginX, lines.V2.Y - OriginY);
    }
  }
  C.Pen().SetColor(penColor);
  C.Pen().SetWidth(penWidth);
  C.Pen().SetStyle(penStyle);
}
