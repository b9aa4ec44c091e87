// Rendering of the chart: the full repaint, the data background and the
// display-list items into the data bitmap, and the data-area-only render of
// ShowGraph.
#include "chart/rchart_layer.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace {

// Pen, brush and font attributes as last set on the surface during one pass,
// so that unchanged attributes are not set again.
class TSurfaceState {
public:
  explicit TSurfaceState(TCanvas &C) : c_(C) {}
  void PenColor(TColor V) {
    if (!known_ || V != penColor_) c_.Pen().SetColor(penColor_ = V);
  }
  void PenStyle(TPenStyle V) {
    if (!known_ || V != penStyle_) c_.Pen().SetStyle(penStyle_ = V);
  }
  void PenWidth(int V) {
    if (!known_ || V != penWidth_) c_.Pen().SetWidth(penWidth_ = V);
  }
  void BrushColor(TColor V) {
    if (!known_ || V != brushColor_) c_.Brush().SetColor(brushColor_ = V);
  }
  void BrushStyle(TBrushStyle V) {
    if (!known_ || V != brushStyle_) c_.Brush().SetStyle(brushStyle_ = V);
  }
  void FontColor(TColor V) {
    if (!fontKnown_ || V != fontColor_) c_.Font().SetColor(fontColor_ = V);
  }
  void FontSize(int V) {
    if (!fontKnown_ || V != fontSize_) c_.Font().SetSize(fontSize_ = V);
  }
  void FontStyle(TFontStyles V) {
    if (!fontKnown_ || !(V == fontStyle_)) c_.Font().SetStyle(fontStyle_ = V);
  }
  /// Sets everything once; from then on only changes reach the surface.
  void Init(TColor Pen, TPenStyle Style, int Width, TColor Brush, TBrushStyle BStyle) {
    known_ = false;
    PenColor(Pen);
    PenStyle(Style);
    PenWidth(Width);
    BrushColor(Brush);
    BrushStyle(BStyle);
    known_ = true;
  }
  /// The font colour remembered without touching the surface; size and
  /// style are set by the first text.
  void RememberFontColor(TColor V) {
    fontColor_ = V;
    fontKnown_ = false;
  }
  TColor PenColor() const { return penColor_; }
  TPenStyle PenStyle() const { return penStyle_; }
  int PenWidth() const { return penWidth_; }
  TColor BrushColor() const { return brushColor_; }

private:
  TCanvas &c_;
  bool known_ = false;
  bool fontKnown_ = false;
  TColor penColor_ = 0;
  TPenStyle penStyle_ = psSolid;
  int penWidth_ = 1;
  TColor brushColor_ = 0;
  TBrushStyle brushStyle_ = bsSolid;
  TColor fontColor_ = 0;
  int fontSize_ = 0;
  TFontStyles fontStyle_;
};

// Clears a flag when the pass ends, however it ends.
struct TPassGuard {
  bool &Flag;
  explicit TPassGuard(bool &F) : Flag(F) { Flag = true; }
  ~TPassGuard() { Flag = false; }
  TPassGuard(const TPassGuard &) = delete;
  TPassGuard &operator=(const TPassGuard &) = delete;
};

} // namespace

void TCustomRChart::ClearGraph() {
  // The background is ready in the data bitmap before the new items arrive.
  if (!IsLoading() && !painting_) DrawDataBackground();
  list_.Clear();
}

void TCustomRChart::Paint() {
  if (painting_) return;
  if (IsLoading() || PaintSuspended() || (!Visible() && !IsDesigning())) {
    DeferPaint();
    return;
  }
  TPassGuard pass(painting_);
  fullBitmap_->SetPixelRatio(DevicePixelRatio());
  fullBitmap_->SetSize(Width(), Height());
  TCanvas &full = fullBitmap_->Canvas();
  PaintFrame(full);
  DrawDataBackground();
  RenderData();
  if (!dataBitmap_->Empty()) full.Draw(marginLeft_, marginTop_, *dataBitmap_);
  DrawCrossHairs(full, 0, 0);
  Canvas().Draw(0, 0, *fullBitmap_);
  ++paintCount_;
}

void TCustomRChart::RenderDataArea() {
  if (painting_ || IsLoading() || PaintSuspended()) return;
  if (paintCount_ == 0) {
    // Nothing of the rim is on screen yet: the data area alone would stand
    // on an empty control.
    Repaint();
    return;
  }
  {
    TPassGuard pass(painting_);
    DrawDataBackground();
    RenderData();
    if (dataBitmap_->Empty()) return;
    DrawCrossHairs(dataBitmap_->Canvas(), marginLeft_, marginTop_);
    Canvas().Draw(marginLeft_, marginTop_, *dataBitmap_);
  }
  UpdateScreen();
}

void TCustomRChart::ResizeDataBitmap() {
  const TRimGeometry g = Rim();
  dataBitmap_->SetPixelRatio(DevicePixelRatio());
  dataBitmap_->SetSize(g.DataBitmapWidth(), g.DataBitmapHeight());
}

void TCustomRChart::DrawDataBackground() {
  ResizeDataBitmap();
  if (dataBitmap_->Empty()) return;
  TCanvas &C = dataBitmap_->Canvas();
  const int bw = dataBitmap_->Width(), bh = dataBitmap_->Height();
  C.SetCopyMode(SRCCOPY);
  C.Pen().SetMode(pmCopy);
  C.Pen().SetStyle(psSolid);
  C.Pen().SetWidth(1);
  C.Pen().SetColor(chartFrameColor_);
  C.Brush().SetStyle(bsSolid);
  C.Brush().SetColor(chartColor_);

  const TBakGndImg &img = *bakGndImg_;
  bool havePicture = false;
  if (!img.Name().empty()) {
    try {
      picture_->LoadFromFile(img.Name());
      havePicture = !picture_->Empty();
    } catch (const Exception &) {
      havePicture = false;
    }
    // A picture that cannot be shown is not tried again on later passes.
    if (!havePicture) bakGndImg_->DropName();
  }

  if (!havePicture) {
    C.Rectangle(0, 0, bw, bh);
    if (img.AreaMode() == bamNone) return;
    C.Brush().SetColor(img.AreaColor());
    C.Pen().SetColor(img.AreaColor());
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    WorldToPixel(1, img.AreaLeft(), img.AreaTop(), x1, y1);
    WorldToPixel(1, img.AreaRight(), img.AreaBottom(), x2, y2);
    const TPoint lt = DataPixel(x1, y1);
    const TPoint rb = DataPixel(x2, y2);
    C.Rectangle(BandRect(img.AreaMode(), lt, rb, bw, bh));
    return;
  }

  switch (img.FillMode()) {
  case bfSimple:
    C.Rectangle(0, 0, bw, bh);
    C.Draw(0, 0, *picture_);
    break;
  case bfStretch:
    C.StretchDraw(Rect(0, 0, bw, bh), *picture_);
    break;
  case bfTile: {
    const int pw = picture_->Width(), ph = picture_->Height();
    const TSize tiles = TileCount(bw, bh, pw, ph);
    for (int col = 0; col < tiles.cx; ++col)
      for (int row = 0; row < tiles.cy; ++row)
        C.Draw(col * pw, row * ph, *picture_);
    break;
  }
  }
}

TPoint TCustomRChart::DataPixel(int X, int Y) const {
  return Point(SaturateInt(std::int64_t(LimitPixel(X)) - marginLeft_),
               SaturateInt(std::int64_t(LimitPixel(Y)) - marginTop_));
}

void TCustomRChart::RenderData() {
  if (dataBitmap_->Empty()) return; // no data area: nothing to draw into
  TCanvas &C = dataBitmap_->Canvas();
  const int ml = marginLeft_, mt = marginTop_;

  if (OnBeforeRenderData) {
    const TColor pen = C.Pen().Color(), brush = C.Brush().Color();
    TCanvas *canvas = &C;
    OnBeforeRenderData(this, canvas, mt, ml);
    C.Pen().SetColor(pen);
    C.Brush().SetColor(brush);
  }
  if (gridStyle_ != gsNone) DrawGrid(C);

  TSurfaceState st(C);
  st.Init(chartColor_, psSolid, LineWidth(), chartColor_, C.Brush().Style());
  st.RememberFontColor(chartColor_);
  C.Font().SetName(Font()->Name()); // item texts use the chart's font face
  C.SetTextAlign(TA_LEFT | TA_TOP);
  TPolylineBuffer line;
  line.SetStart(Point(0, 0));
  C.MoveTo(0, 0);

  auto flush = [&] {
    if (line.Count() < 1) return;
    C.Polyline(line.Points(), line.Count());
    const TPoint last = line.Points()[line.Count() - 1];
    C.MoveTo(last.X, last.Y);
    line.Reset();
  };
  auto map = [&](int Layer, double X, double Y) {
    int px = 0, py = 0;
    WorldToPixel(Layer, X, Y, px, py);
    return Point(LimitPixel(px) - ml, LimitPixel(py) - mt);
  };

  const GraphItem *items = list_.Items();
  const std::int32_t count = list_.ItemCount();
  std::string text; // reused for item texts
  for (std::int32_t i = 0; i < count; ++i) {
    const GraphItem &it = items[i];
    if (it.LineWidth != st.PenWidth()) {
      flush();
      st.PenWidth(it.LineWidth);
    }
    switch (it.Kind) {
    case ikMoveTo: {
      const TPoint p = map(it.Layer, it.X1, it.Y1);
      flush();
      line.SetStart(p);
      C.MoveTo(p.X, p.Y);
      break;
    }
    case ikDrawTo: {
      const TPoint p = map(it.Layer, it.X1, it.Y1);
      const auto style = static_cast<TPenStyle>(it.PenStyle);
      if (it.Color != st.PenColor() || style != st.PenStyle() || it.FillColor != st.BrushColor()) {
        flush();
        st.PenColor(it.Color);
        st.PenStyle(style);
        st.BrushColor(it.FillColor);
      }
      if (line.Add(p)) flush();
      break;
    }
    case ikRectangle: {
      flush();
      st.PenColor(it.Color);
      st.BrushColor(it.FillColor);
      st.PenStyle(static_cast<TPenStyle>(it.PenStyle));
      st.BrushStyle(bsSolid);
      const TItemRect r = ItemRectangle(map(it.Layer, it.X1, it.Y1), map(it.Layer, it.X2, it.Y2));
      if (r.OnePixel)
        C.SetPixels(r.Pixel.X, r.Pixel.Y, it.Color);
      else
        C.Rectangle(r.Box);
      break;
    }
    case ikText: {
      flush();
      st.FontColor(it.Color);
      st.FontStyle(textFontStyle_);
      st.FontSize(it.FontSize);
      st.BrushColor(textBkColor_);
      st.BrushStyle(textBkStyle_ == tbSolid ? bsSolid : bsClear);
      const TPoint p = map(it.Layer, it.X1, it.Y1);
      text.assign(it.Text.View());
      const TPoint at =
          TextItemOrigin(p, C.TextExtent(text), static_cast<TAlignment>(it.TextAlign));
      C.TextOut(at.X, at.Y, text);
      break;
    }
    default:
      break; // figure kinds this system never creates
    }
  }
  flush();
  st.PenWidth(1);

  DrawTextLabels(C);
  if (OnDataRendered) {
    TCanvas *canvas = &C;
    OnDataRendered(this, canvas, mt, ml);
  }

  // The frame goes last, over the data.
  const TRimGeometry g = Rim();
  const int wd = SaturateInt(std::int64_t(g.W) - g.ML - g.MR - g.SW);
  const int hd = SaturateInt(std::int64_t(g.H) - g.MT - g.MB - g.SW);
  C.Pen().SetColor(chartFrameColor_);
  C.Pen().SetStyle(psSolid);
  C.Pen().SetWidth(1);
  const TPoint frame[5] = {Point(0, 0), Point(wd, 0), Point(wd, hd), Point(0, hd), Point(0, 0)};
  C.Polyline(frame, 5);
}
