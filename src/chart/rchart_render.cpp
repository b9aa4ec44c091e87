// Rendering of the chart: the phases of a full repaint, the data background,
// the display-list items (one small function per item kind) and the
// data-area-only render of ShowGraph.
//
// Where the pixels go: the full picture is the whole control; the data bitmap
// is a window onto the full picture's data area (no pixels of its own), so
// the data area is drawn straight into the finished picture and nothing is
// copied across. The finished picture is handed to the control by sharing
// its pixels; the next paint draws into a second picture, so neither is
// copied while the screen still shows the other.
#include "chart/rchart_layer.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

#include <cmath>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

// Both axes of a layer mapped at once: with SSE2 and two linear axes the x
// and y lanes run the very operations of TAxisPixelMap::Pixel side by side
// (multiply, add, round by the 1.5 * 2^52 trick, the same two checks), and
// where either lane fails a check both axes go through Pixel, which leaves
// the decision to MapWorld as before.
class TPairMap {
public:
  explicit TPairMap(const TLayerPixelMap &M) : m_(M) {
#if defined(__SSE2__)
    both_ = M.X.Linear && M.Y.Linear;
    f_ = _mm_set_pd(M.Y.Factor, M.X.Factor);
    o_ = _mm_set_pd(M.Y.Offset, M.X.Offset);
    lim_ = _mm_set_pd(0.5 - M.Y.Margin, 0.5 - M.X.Margin);
#endif
  }
  TPoint Pixel(const TItemPoint &P) const {
#if defined(__SSE2__)
    if (both_) {
      const __m128d magic = _mm_set1_pd(0x1.8p52);
      const __m128d abs = _mm_castsi128_pd(_mm_set1_epi64x(0x7FFFFFFFFFFFFFFF));
      const __m128d d = _mm_add_pd(_mm_mul_pd(f_, _mm_set_pd(P.Y, P.X)), o_);
      const __m128d r = _mm_sub_pd(_mm_add_pd(d, magic), magic);
      const __m128d ok =
          _mm_and_pd(_mm_cmplt_pd(_mm_and_pd(_mm_sub_pd(d, r), abs), lim_),
                     _mm_cmplt_pd(_mm_and_pd(d, abs), _mm_set1_pd(1e9)));
      if (_mm_movemask_pd(ok) == 3) {
        const __m128i i = _mm_cvtpd_epi32(r); // r is a whole number below 1e9
        return Point(_mm_cvtsi128_si32(i), _mm_cvtsi128_si32(_mm_shuffle_epi32(i, 1)));
      }
    }
#endif
    return Point(m_.X.Pixel(P.X), m_.Y.Pixel(P.Y));
  }

private:
  const TLayerPixelMap &m_;
#if defined(__SSE2__)
  bool both_ = false;
  __m128d f_, o_, lim_;
#endif
};

} // namespace

// The item walk: the surface state, the line being batched and the mapping
// of each layer, shared by the functions that draw one kind of item each.
class TCustomRChart::TItemWalk {
public:
  TItemWalk(TCustomRChart &Chart, TCanvas &C) : chart_(Chart), c_(C), st_(C) {
    for (int n = 1; n <= ChartLayerCount; ++n)
      maps_[std::size_t(n - 1)] = Chart.PixelMapOf(n);
    st_.Init(Chart.chartColor_, psSolid, Chart.LineWidth(), Chart.chartColor_, C.Brush().Style());
    st_.RememberFontColor(Chart.chartColor_);
    C.Font().SetName(Chart.Font()->Name()); // item texts use the chart's font face
    C.SetTextAlign(TA_LEFT | TA_TOP);
    line_.SetStart(Point(0, 0));
    C.MoveTo(0, 0);
  }

  void Item(const GraphItem &It) {
    if (It.LineWidth != st_.PenWidth()) {
      Flush();
      st_.PenWidth(It.LineWidth);
    }
    switch (It.Kind) {
    case ikMoveTo:
      MoveToItem(It);
      break;
    case ikDrawTo:
      DrawToItem(It);
      break;
    case ikRectangle:
      RectangleItem(It);
      break;
    case ikText:
      TextItem(It);
      break;
    default:
      break; // figure kinds this system never creates
    }
  }

  /// A draw-to run (see TDrawToRun): First is its first item, Points its
  /// Count world points. The pen is settled once; the same-pixel rule and
  /// the batching are those of DrawToItem, point by point.
  void DrawRun(const GraphItem &First, const TItemPoint *Points, std::int32_t Count) {
    if (First.LineWidth != st_.PenWidth()) {
      Flush();
      st_.PenWidth(First.LineWidth);
    }
    const auto style = static_cast<TPenStyle>(First.PenStyle);
    if (First.Color != st_.PenColor() || style != st_.PenStyle() ||
        First.FillColor != st_.BrushColor()) {
      Flush();
      st_.PenColor(First.Color);
      st_.PenStyle(style);
      st_.BrushColor(First.FillColor);
    }
    const bool skipSame = st_.PenStyle() == psSolid && st_.PenWidth() <= 1;
    const TLayerPixelMap &m = maps_[std::size_t(std::clamp(First.Layer, 1, ChartLayerCount) - 1)];
    const int left = chart_.marginLeft_, top = chart_.marginTop_;
    TPoint last = line_.Last();
    const TPairMap pair(m);
    for (std::int32_t k = 0; k < Count; ++k) {
      TPoint p = pair.Pixel(Points[k]);
      p = Point(std::clamp(p.X, -ItemPixelLimit, ItemPixelLimit) - left,
                std::clamp(p.Y, -ItemPixelLimit, ItemPixelLimit) - top);
      if (skipSame && p == last) continue;
      last = p;
      if (line_.Add(p)) Flush();
    }
  }

  void Finish() {
    Flush();
    st_.PenWidth(1);
  }

private:
  // Data-bitmap pixel of a world point on the item's layer.
  TPoint Map(int Layer, double X, double Y) const {
    const TLayerPixelMap &m = maps_[std::size_t(std::clamp(Layer, 1, ChartLayerCount) - 1)];
    // LimitPixel, spelt out so that it is inlined in this hot path.
    return Point(std::clamp(m.X.Pixel(X), -ItemPixelLimit, ItemPixelLimit) - chart_.marginLeft_,
                 std::clamp(m.Y.Pixel(Y), -ItemPixelLimit, ItemPixelLimit) - chart_.marginTop_);
  }

  void Flush() {
    if (line_.Count() < 1) return;
    c_.Polyline(line_.Points(), line_.Count());
    const TPoint last = line_.Points()[line_.Count() - 1];
    c_.MoveTo(last.X, last.Y);
    line_.Reset();
  }

  void MoveToItem(const GraphItem &It) {
    const TPoint p = Map(It.Layer, It.X1, It.Y1);
    Flush();
    line_.SetStart(p);
    c_.MoveTo(p.X, p.Y);
  }

  void DrawToItem(const GraphItem &It) {
    const TPoint p = Map(It.Layer, It.X1, It.Y1);
    const auto style = static_cast<TPenStyle>(It.PenStyle);
    if (It.Color != st_.PenColor() || style != st_.PenStyle() || It.FillColor != st_.BrushColor()) {
      Flush();
      st_.PenColor(It.Color);
      st_.PenStyle(style);
      st_.BrushColor(It.FillColor);
    }
    // A solid one-pixel segment that starts and ends on the same pixel
    // draws nothing, wherever the batches are split; styled pens restart
    // their pattern with each batch, so they keep every point.
    if (p == line_.Last() && st_.PenStyle() == psSolid && st_.PenWidth() <= 1) return;
    if (line_.Add(p)) Flush();
  }

  void RectangleItem(const GraphItem &It) {
    Flush();
    st_.PenColor(It.Color);
    st_.BrushColor(It.FillColor);
    st_.PenStyle(static_cast<TPenStyle>(It.PenStyle));
    st_.BrushStyle(bsSolid);
    const TItemRect r = ItemRectangle(Map(It.Layer, It.X1, It.Y1), Map(It.Layer, It.X2, It.Y2));
    if (r.OnePixel)
      c_.SetPixels(r.Pixel.X, r.Pixel.Y, It.Color);
    else
      c_.Rectangle(r.Box);
  }

  void TextItem(const GraphItem &It) {
    Flush();
    st_.FontColor(It.Color);
    st_.FontStyle(chart_.textFontStyle_);
    st_.FontSize(It.FontSize);
    st_.BrushColor(chart_.textBkColor_);
    st_.BrushStyle(chart_.textBkStyle_ == tbSolid ? bsSolid : bsClear);
    const TPoint p = Map(It.Layer, It.X1, It.Y1);
    text_.assign(It.Text.View());
    const TPoint at =
        TextItemOrigin(p, c_.TextExtent(text_), static_cast<TAlignment>(It.TextAlign));
    c_.TextOut(at.X, at.Y, text_);
  }

  TCustomRChart &chart_;
  TCanvas &c_;
  TSurfaceState st_;
  TPolylineBuffer line_;
  std::array<TLayerPixelMap, ChartLayerCount> maps_;
  std::string text_; // reused for item texts
};

void TCustomRChart::ClearGraph() {
  // The background is drawn again by the next render; only someone looking
  // at the data bitmap before that needs it now (see DataBitmap).
  if (!IsLoading() && !painting_) dataBackgroundStale_ = true;
  list_.Clear();
}

TBitmap &TCustomRChart::DataBitmap() {
  if (painting_) return *dataBitmap_;
  // Outside a paint the data bitmap must not draw into what the control
  // shows: the window is made again onto a picture of the chart's own.
  TPassGuard pass(painting_);
  PreparePictures(true);
  if (dataBackgroundStale_) DrawDataBackground();
  return *dataBitmap_;
}

// A full repaint, phase by phase.
void TCustomRChart::Paint() {
  if (painting_) return;
  SettleWindowWait();
  if (IsLoading() || paintSuspended_ || (!Visible() && !IsDesigning())) {
    DeferPaint();
    return;
  }
  TPassGuard pass(painting_);
  PreparePictures(false);
  TCanvas &full = fullBitmap_->Canvas();
  CalcLayerFactors(); // mapping: every layer from the current size, margins and ranges
  {
    const TTextPass texts(full); // caption and axis labels share one painter
    PaintRim(full);              // face around the data area, shadow, chart caption
    PaintAxes(full);             // the axes; they record the ticks the grid follows
  }
  PaintDataArea(); // background, grid, items, labels, frame
  DrawCrossHairs(full, 0, 0);
  ShowBitmap(*fullBitmap_); // hand-over: the control shares the finished picture
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
    PreparePictures(true);
    DrawDataBackground();
    RenderData();
    if (dataBitmap_->Empty()) return;
    DrawCrossHairs(dataBitmap_->Canvas(), marginLeft_, marginTop_);
    Canvas().Draw(marginLeft_, marginTop_, *dataBitmap_);
  }
  UpdateScreen();
}

void TCustomRChart::PreparePictures(bool KeepPicture) {
  if (fullBitmap_->SharesPixels()) {
    // The control still shows this picture: draw into the other one.
    if (KeepPicture) sparePicture_->Assign(*fullBitmap_);
    fullBitmap_->SwapPixels(*sparePicture_);
    if (fullBitmap_->SharesPixels()) fullBitmap_->Assign(*sparePicture_);
  }
  fullBitmap_->SetPixelRatio(DevicePixelRatio());
  fullBitmap_->SetSize(Width(), Height());
  const TRimGeometry g = Rim();
  const TRect area = Bounds(g.ML, g.MT, g.DataBitmapWidth(), g.DataBitmapHeight());
  dataIsView_ = !area.IsEmpty() && dataBitmap_->ViewArea(*fullBitmap_, area);
  if (!dataIsView_) {
    // A data area reaching past the control keeps pixels of its own.
    dataBitmap_->SetSize(0, 0);
    dataBitmap_->SetPixelRatio(DevicePixelRatio());
    dataBitmap_->SetSize(area.Width(), area.Height());
  }
}

void TCustomRChart::PaintDataArea() {
  DrawDataBackground();
  RenderData();
  if (!dataIsView_ && !dataBitmap_->Empty())
    fullBitmap_->Canvas().Draw(marginLeft_, marginTop_, *dataBitmap_);
}

void TCustomRChart::DrawDataBackground() {
  dataBackgroundStale_ = false;
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
    if (!havePicture) {
      // A picture that cannot be shown leaves the plain background for this
      // pass, and is not tried again on later ones; the band belongs to a
      // chart without a picture, so it waits for the next pass.
      bakGndImg_->DropName();
      C.Rectangle(0, 0, bw, bh);
      return;
    }
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

// Grid, items, labels and frame over the data background.
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
  DrawItems(C);
  DrawTextLabels(C);
  if (OnDataRendered) {
    TCanvas *canvas = &C;
    OnDataRendered(this, canvas, mt, ml);
  }
  DrawDataFrame(C);
}

void TCustomRChart::DrawItems(TCanvas &C) {
  TItemWalk walk(*this, C);
  const GraphItem *items = list_.Items();
  const TItemPoint *points = list_.Points();
  const TDrawToRun *runs = list_.Runs();
  const std::int32_t count = list_.ItemCount(), runCount = list_.RunCount();
  std::int32_t r = 0;
  for (std::int32_t i = 0; i < count;) {
    if (r < runCount && runs[r].First == i) { // draw-to items come in runs
      walk.DrawRun(items[i], points + i, runs[r].Count);
      i += runs[r++].Count;
    } else {
      walk.Item(items[i++]);
    }
  }
  walk.Finish();
}

// The frame goes last, over the data.
void TCustomRChart::DrawDataFrame(TCanvas &C) {
  const TRimGeometry g = Rim();
  const int wd = SaturateInt(std::int64_t(g.W) - g.ML - g.MR - g.SW);
  const int hd = SaturateInt(std::int64_t(g.H) - g.MT - g.MB - g.SW);
  C.Pen().SetColor(chartFrameColor_);
  C.Pen().SetStyle(psSolid);
  C.Pen().SetWidth(1);
  const TPoint frame[5] = {Point(0, 0), Point(wd, 0), Point(wd, hd), Point(0, hd), Point(0, 0)};
  C.Polyline(frame, 5);
}
