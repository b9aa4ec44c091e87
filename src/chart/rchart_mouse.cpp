// Mouse interaction of the chart: panning, zooming, rubber bands, dragging of
// cross-hairs and labels, the world position of the mouse and the cursor.
// The arithmetic lives in mouse_gestures.*; here the chart reads its state,
// applies the computed ranges once per step and raises the events.
#include "chart/rchart_layer.h"
#include "platform/application.h"
#include "platform/canvas.h"

#include <cmath>

namespace {

/// Whether mouse gestures change a layer directly. Only layer 1 does; layers
/// joined to it follow through the coupling.
bool FollowsMouse(int Layer) {
  return Layer == 1;
}

bool IsRubberMode(TMouseActMode M) {
  return M == maRubberBand || M == maZoomWind || M == maZoomWindPos;
}

} // namespace

// --- buttons ------------------------------------------------------------------------

void TCustomRChart::DblClick() {
  // The flag swallows the press (or release) that follows. When the
  // platform delivered the completing press before this call, that press
  // was swallowed already and nothing more is.
  if (dblPressIgnored_)
    dblPressIgnored_ = false;
  else
    afterDblClick_ = true;
  TCustomControl::DblClick();
}

void TCustomRChart::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (afterDblClick_) {
    afterDblClick_ = false;
    return;
  }
  if (Button == mbLeft && Shift.Contains(ssDouble)) {
    dblPressIgnored_ = true; // the press completing a double click
    return;
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (IsRubberMode(mouseAction_) && !dragging_ && Button == mbLeft && DataArea().Contains(X, Y)) {
    dragging_ = true;
    rubberShown_ = false;
    dragStart_ = dragCorner_ = Point(X, Y);
  }
}

void TCustomRChart::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (afterDblClick_) {
    afterDblClick_ = false;
    return;
  }
  TCustomControl::MouseUp(Button, Shift, X, Y);
  if (IsRubberMode(mouseAction_) && dragging_) EndRubberDrag(Button);
}

// --- moves --------------------------------------------------------------------------

void TCustomRChart::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const bool left = Shift.Contains(ssLeft);
  switch (mouseAction_) {
  case maPan:
  case maPanHoriz:
  case maPanVert:
  case maZoomDrag:
    if (!left)
      gestureStarted_ = false;
    else if (!gestureStarted_)
      StartGesture(X, Y);
    else if (DataArea().Contains(X, Y)) {
      if (mouseAction_ == maZoomDrag)
        ZoomDragStep(X, Y);
      else
        PanStep(X, Y);
    }
    break;
  case maRubberBand:
  case maZoomWind:
  case maZoomWindPos:
    if (dragging_) RubberMove(X, Y);
    break;
  case maDragCrossH:
  case maDragLabel:
    if (!left) {
      gestureStarted_ = false;
    } else if (!gestureStarted_) {
      StartGesture(X, Y);
      const TPoint mouse = Point(X, Y);
      if (mouseAction_ == maDragCrossH) {
        std::array<TCrossHairSpot, ChartCrossHairCount> spots{};
        for (int i = 0; i < ChartCrossHairCount; ++i) {
          const TCrossHair &c = *crossHairs_[std::size_t(i)];
          spots[std::size_t(i)].Mode = c.Mode();
          WorldToPixel(c.Layer(), c.PosX(), c.PosY(), spots[std::size_t(i)].P.X,
                       spots[std::size_t(i)].P.Y);
        }
        dragIndex_ = NearestCrossHair(spots.data(), ChartCrossHairCount, mouse);
      } else {
        std::array<TLabelSpot, ChartLabelCount> spots{};
        for (int i = 0; i < ChartLabelCount; ++i) {
          const TTextLabel &l = *labels_[std::size_t(i)];
          spots[std::size_t(i)].Eligible = l.Visible() && l.Mode() != tlOff;
          if (spots[std::size_t(i)].Eligible) spots[std::size_t(i)].P = LabelAnchor(i + 1);
        }
        dragIndex_ = NearestLabel(spots.data(), ChartLabelCount, mouse);
      }
    } else if (mouseAction_ == maDragCrossH) {
      DragCrossHairStep(X, Y);
    } else {
      DragLabelStep(X, Y);
    }
    break;
  default:
    break; // no action, zoom and the rotations
  }

  // Where the mouse is, in world coordinates of the current layer.
  const int layer = list_.CurrentLayer();
  const bool inChart = DataArea().Contains(X, Y);
  double wx = 0, wy = 0;
  PixelToWorld(layer, X, Y, wx, wy);
  wx = FiniteWorld(wx, ScaleX(layer)->AxisRange());
  wy = FiniteWorld(wy, ScaleY(layer)->AxisRange());
  if (inChart) {
    lastMouseX_ = wx;
    lastMouseY_ = wy;
  }
  TCursor cursor = crDefault;
  if (GestureCursor(mouseAction_, inChart, mouseCursorFixed_, cursor)) {
    Application->SetCursor(cursor);
    cursorSet_ = cursor != crDefault;
  }
  if (OnMouseMoveInChart) OnMouseMoveInChart(this, inChart, Shift, wx, wy);
}

void TCustomRChart::MouseLeave() {
  // A cursor this chart set application-wide does not stay over other controls.
  if (cursorSet_) {
    Application->SetCursor(crDefault);
    cursorSet_ = false;
  }
  TCustomControl::MouseLeave();
}

void TCustomRChart::StartGesture(int X, int Y) {
  for (int n = 1; n <= ChartLayerCount; ++n) {
    TLayerStart &s = gestureStart_[std::size_t(n - 1)];
    s.Mouse = Point(X, Y);
    s.X = ScaleX(n)->AxisRange();
    s.Y = ScaleY(n)->AxisRange();
  }
  gestureStarted_ = true;
}

// --- pan and zoom steps -----------------------------------------------------------

void TCustomRChart::PanStep(int X, int Y) {
  const TDataArea area = DataArea();
  if (area.SpanX() <= 0 || area.SpanY() <= 0) return; // nothing to divide by
  TPaintBatch batch(*this);
  for (int n = 1; n <= ChartLayerCount; ++n) {
    if (!FollowsMouse(n)) continue;
    const TLayerStart &s = gestureStart_[std::size_t(n - 1)];
    const TAxisRange cx = ScaleX(n)->AxisRange(), cy = ScaleY(n)->AxisRange();
    TRangeStep sx, sy;
    if (mouseAction_ != maPanVert) sx = PanRange(s.X, cx, s.Mouse.X - X, area.SpanX());
    if (mouseAction_ != maPanHoriz) sy = PanRange(s.Y, cy, Y - s.Mouse.Y, area.SpanY());
    CoupledRangeUpdate(n, sx.Valid ? sx.Low : cx.Low, sx.Valid ? sx.High : cx.High,
                       sy.Valid ? sy.Low : cy.Low, sy.Valid ? sy.High : cy.High);
  }
  batch.Finish();
  if (OnZoomPan) OnZoomPan(this);
}

void TCustomRChart::ZoomDragStep(int X, int Y) {
  TPaintBatch batch(*this);
  for (int n = 1; n <= ChartLayerCount; ++n) {
    if (!FollowsMouse(n)) continue;
    const TLayerStart &s = gestureStart_[std::size_t(n - 1)];
    const double fx = ZoomDragFactorX(s.Mouse.X, X, Width());
    const double fy = isometric_ ? fx : ZoomDragFactorY(s.Mouse.Y, Y, Height());
    const TRangeStep sx = ZoomRange(s.X, fx), sy = ZoomRange(s.Y, fy);
    const TAxisRange cx = ScaleX(n)->AxisRange(), cy = ScaleY(n)->AxisRange();
    CoupledRangeUpdate(n, sx.Valid ? sx.Low : cx.Low, sx.Valid ? sx.High : cx.High,
                       sy.Valid ? sy.Low : cy.Low, sy.Valid ? sy.High : cy.High);
  }
  batch.Finish();
  if (OnZoomPan) OnZoomPan(this);
}

// --- dragging annotations ---------------------------------------------------------

void TCustomRChart::DragCrossHairStep(int X, int Y) {
  // A gesture that selected a label before the action changed holds no cross-hair.
  if (dragIndex_ > ChartCrossHairCount) return;
  TCrossHair &c = *crossHairs_[std::size_t(dragIndex_ - 1)];
  double wx = 0, wy = 0;
  PixelToWorld(c.Layer(), X, Y, wx, wy);
  if (!std::isfinite(wx) || !std::isfinite(wy)) return; // a data area without extent
  TPaintBatch batch(*this);
  c.SetPosX(wx);
  c.SetPosY(wy);
  batch.Finish();
  if (OnCrossHairMove) OnCrossHairMove(this, &c);
}

void TCustomRChart::DragLabelStep(int X, int Y) {
  TTextLabel &l = *labels_[std::size_t(dragIndex_ - 1)];
  double wx = 0, wy = 0;
  PixelToWorld(l.Layer(), X, Y, wx, wy);
  const TLabelPos p = DraggedLabelPos(l.AttachToData(), Point(X, Y), wx, wy);
  if (!std::isfinite(p.X) || !std::isfinite(p.Y)) return;
  TPaintBatch batch(*this);
  l.SetPosX(p.X);
  l.SetPosY(p.Y);
  batch.Finish();
  if (OnTextLabelMove) OnTextLabelMove(this, &l);
}

// --- rubber band and zoom window ---------------------------------------------------

void TCustomRChart::XorRubber(TPoint A, TPoint B) {
  TCanvas &c = ScreenCanvas();
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(1);
  c.Brush().SetStyle(bsClear);
  c.Rectangle(A.X, A.Y, B.X, B.Y);
  c.Pen().SetMode(pmCopy);
  c.Brush().SetStyle(bsSolid);
}

void TCustomRChart::RubberMove(int X, int Y) {
  const TPoint corner = RubberCorner(DataArea(), dragStart_, X, Y, isometric_);
  // A paint since the last move has replaced the old rectangle already.
  if (rubberShown_ && ScreenCanvasActive()) XorRubber(dragStart_, dragCorner_);
  XorRubber(dragStart_, corner);
  dragCorner_ = corner;
  rubberShown_ = true;
  ScreenCanvasChanged();
}

void TCustomRChart::EndRubberDrag(TMouseButton Button) {
  dragging_ = false;
  // The rectangle goes first, whatever follows: a release that zooms nothing
  // must not leave it behind, and a zoom repaints anyway.
  if (rubberShown_ && ScreenCanvasActive()) {
    XorRubber(dragStart_, dragCorner_);
    ScreenCanvasChanged();
  }
  rubberShown_ = false;
  if (Button != mbLeft || dragStart_.X == dragCorner_.X || dragStart_.Y == dragCorner_.Y) return;

  const TDataArea area = DataArea();
  const TMouseActMode mode = mouseAction_;
  TPaintBatch batch(*this);
  for (int n = 1; n <= ChartLayerCount; ++n) {
    if (!FollowsMouse(n)) continue;
    const TAxisRange cx = ScaleX(n)->AxisRange(), cy = ScaleY(n)->AxisRange();
    TWorldRect r;
    PixelToWorld(n, dragStart_.X, dragStart_.Y, r.X0, r.Y0);
    PixelToWorld(n, dragCorner_.X, dragCorner_.Y, r.X1, r.Y1);
    if (mode == maRubberBand || mode == maZoomWindPos) {
      OrderLikeAxis(r.X0, r.X1, cx);
      OrderLikeAxis(r.Y0, r.Y1, cy);
    }
    if (isometric_) r = IsometricWindow(r, area, aspectX_, aspectY_);
    if (mode == maRubberBand) {
      if (OnRubberBand) OnRubberBand(this, n, r.X0, r.Y0, r.X1, r.Y1);
      continue;
    }
    const bool xOk = std::isfinite(r.X0) && std::isfinite(r.X1);
    const bool yOk = std::isfinite(r.Y0) && std::isfinite(r.Y1);
    CoupledRangeUpdate(n, xOk ? r.X0 : cx.Low, xOk ? r.X1 : cx.High, yOk ? r.Y0 : cy.Low,
                       yOk ? r.Y1 : cy.High);
  }
  if (OnZoomPan) OnZoomPan(this);
  batch.Finish();
}
