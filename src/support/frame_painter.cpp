#include "support/frame_painter.h"

void DrawFrame(TCanvas &Canvas, std::uint8_t Style, int X1, int Y1, int X2, int Y2, TColor ColorA,
               TColor ColorB, TColor ColorC, TColor ColorD, TColor ColorE) {
  const unsigned style = Style & 0x7Fu;
  if (style == fsNone || style > fsEngraved) return;
  TPen &pen = Canvas.Pen();
  if (style == fsSimple) {
    pen.SetColor(ColorE);
    Canvas.MoveTo(X1, Y1);
    Canvas.LineTo(X1, Y2);
    Canvas.LineTo(X2, Y2);
    Canvas.LineTo(X2, Y1);
    Canvas.LineTo(X1, Y1);
    return;
  }
  // Outer ring top/left, outer ring right/bottom, inner ring top/left, inner
  // ring right/bottom.
  TColor c1 = ColorA, c2 = ColorD, c3 = ColorB, c4 = ColorC;
  switch (style) {
  case fsRaised:
    c1 = ColorC, c2 = ColorA, c3 = ColorD, c4 = ColorB;
    break;
  case fsEmbossed:
    c1 = ColorA, c2 = ColorC, c3 = ColorC, c4 = ColorA;
    break;
  case fsEngraved:
    c1 = ColorC, c2 = ColorA, c3 = ColorA, c4 = ColorC;
    break;
  default: // fsLowered
    break;
  }
  pen.SetColor(c1);
  Canvas.MoveTo(X1, Y2);
  Canvas.LineTo(X1, Y1);
  Canvas.LineTo(X2 + 1, Y1);
  Canvas.MoveTo(X2, Y1 + 1);
  pen.SetColor(c2);
  Canvas.LineTo(X2, Y2);
  Canvas.LineTo(X1 - 1, Y2);
  pen.SetColor(c3);
  Canvas.MoveTo(X1 + 1, Y2 - 1);
  Canvas.LineTo(X1 + 1, Y1 + 1);
  Canvas.LineTo(X2, Y1 + 1);
  Canvas.MoveTo(X2 - 1, Y1 + 2);
  pen.SetColor(c4);
  Canvas.LineTo(X2 - 1, Y2 - 1);
  Canvas.LineTo(X1, Y2 - 1);
}
