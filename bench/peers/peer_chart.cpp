#include "peer_chart.h"

#include "chart/rchart.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "simulation/chart_setup.h"
#include "simulation/plot_composer.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <cstdio>
#include <cstdlib>
#include <variant>
#include <vector>

namespace {

// The simulation window's chart settings plus a 21 + 21 line grid.
void SetUpChart(TRChart &Chart, const TPeerScene &S) {
  Chart.HandleNeeded();
  Chart.SetAutoRedraw(false);
  Chart.SetBounds(0, 0, S.Width, S.Height);
  Chart.SetMarginLeft(S.MarginLeft);
  Chart.SetMarginRight(S.MarginRight);
  Chart.SetMarginTop(S.MarginTop);
  Chart.SetMarginBottom(S.MarginBottom);
  Chart.SetShadowStyle(ssFlying);
  Chart.SetGridStyle(gsLines);
  Chart.SetGridColor(0xC0C0C0);
  Chart.SetGridDx(S.GridDx);
  Chart.SetGridDy(S.GridDy);
  TScalePropsHoriz &x = *Chart.Scale1X();
  x.SetCaption(S.XCaption);
  x.SetRangeLow(S.XLow);
  x.SetRangeHigh(S.XHigh);
  TScalePropsVert &y = *Chart.Scale1Y();
  y.SetCaption(S.YCaption);
  y.SetRangeLow(S.YLow);
  y.SetRangeHigh(S.YHigh);
}

void AddCurve(TRChart &Chart, const TPeerCurve &C) {
  Chart.SetDataColor(C.Color);
  Chart.SetPenStyle(C.Dotted ? psDot : psSolid);
  Chart.MoveTo(C.X[0], C.Y[0]);
  for (std::size_t i = 1; i < C.X.size(); ++i)
    Chart.DrawTo(C.X[i], C.Y[i]);
  Chart.SetPenStyle(psSolid);
}

// The composition of the simulation window, with the scene's curves.
void Compose(TRChart &Chart, const TPeerScene &S) {
  Chart.ClearGraph();
  Chart.SetDataColor(0xFFEEDD);
  Chart.SetFillColor(0xFFEEDD);
  Chart.Rectangle(S.BandLow, 0, S.BandHigh, S.YHigh);
  Chart.SetTextAlignment(taLeftJustify);
  Chart.SetDataColor(0x998877);
  Chart.Text(480, S.YHigh * 0.97, 10, S.BandText);
  AddCurve(Chart, S.Peaks);
  int label = 0;
  for (const TPeerCurve &c : S.Data) {
    AddCurve(Chart, c);
    if (c.Label.empty()) continue;
    TTextLabel *l = Chart.TextLabels(++label);
    l->SetPosX(c.LabelX);
    l->SetPosY(c.LabelY);
    l->SetCaption(c.Label);
    l->Font()->SetColor(0xFF0000);
    l->SetTransparent(true);
    l->SetMode(tlShadow);
    l->SetVisible(true);
  }
  AddCurve(Chart, S.PeakLine);
}

class TChartContender : public TPeerContender {
public:
  explicit TChartContender(const TPeerScene &S) : chart_(nullptr) {
    SetUpChart(chart_, S);
    Compose(chart_, S);
    chart_.Repaint();
  }
  void Frame() override { chart_.Repaint(); }
  QImage Picture() const override {
    return const_cast<TRChart &>(chart_).FullBitmap().Image().copy();
  }
  TRChart &Chart() { return chart_; }

private:
  TRChart chart_;
};

// The simulation's step: the window's composer rebuilds the display list for
// the next temperature, and showing it paints the chart (AutoRedraw is off).
class TChartStepContender : public TPeerContender {
public:
  explicit TChartStepContender(const TPeerScene &S) : chart_(nullptr) {
    SetUpChart(chart_, S);
    PrepareSnapshotLabels(chart_);
    FillPeakTable(peaks_);
    in_.Temperature = std::uint16_t(S.Current);
    for (unsigned t : S.SnapshotTemperatures)
      in_.Snapshots.push_back(std::uint16_t(t));
    in_.ShowPeakCurve = true;
    in_.ShowBand = true;
    in_.YLow = S.YLow;
    in_.YHigh = S.YHigh;
    in_.BandText = S.BandText;
    in_.LabelFormat = "%d K";
    Frame();
  }
  void Frame() override {
    in_.Temperature = std::uint16_t(NextStepTemperature(in_.Temperature));
    const int before = chart_.PaintCount();
    ComposePlot(chart_, in_, peaks_);
    if (chart_.PaintCount() == before) {
      std::fprintf(stderr, "bench_peers: a step did not paint the chart\n");
      std::exit(1);
    }
  }
  QImage Picture() const override {
    return const_cast<TRChart &>(chart_).FullBitmap().Image().copy();
  }

private:
  TRChart chart_;
  TPeakTable peaks_{};
  TPlotInputs in_;
};

QColor Q(TColor C) {
  return QColor(int(C & 0xFF), int((C >> 8) & 0xFF), int((C >> 16) & 0xFF));
}

// One drawing call of the chart in QPainter terms, in picture pixels.
struct TOp {
  enum Kind { Rect, Fill, Line, Lines, Poly, Point, Text } K = Rect;
  QColor Pen, Brush;
  Qt::PenStyle Style = Qt::SolidLine;
  int Width = 1;
  bool NoBrush = false, NoPen = false;
  QRect Box;
  QPolygon Points;
  QString Label;
};

class TFloorContender : public TPeerContender {
public:
  explicit TFloorContender(const TPeerScene &S) : image_(S.Width, S.Height, QImage::Format_RGB32) {
    TChartContender chart(S);
    TRChart &c = chart.Chart();
    TCanvasRecorder full, data;
    c.FullBitmap().Canvas().SetRecorder(&full);
    c.DataBitmap().Canvas().SetRecorder(&data);
    c.Repaint();
    c.FullBitmap().Canvas().SetRecorder(nullptr);
    c.DataBitmap().Canvas().SetRecorder(nullptr);
    font_ = QFont(QString::fromStdString(c.Font()->Name()), c.Font()->Size());
    Capture(full, 0, 0);
    Capture(data, c.MarginLeft(), c.MarginTop());
  }
  void Frame() override {
    QPainter p(&image_);
    p.setFont(font_);
    for (const TOp &op : ops_) {
      if (op.K == TOp::Fill) {
        p.fillRect(op.Box, op.Brush);
        continue;
      }
      QPen pen(op.Pen, op.Width > 1 ? op.Width : 0, op.NoPen ? Qt::NoPen : op.Style);
      p.setPen(pen);
      switch (op.K) {
      case TOp::Rect:
        p.setBrush(op.NoBrush ? QBrush() : QBrush(op.Brush));
        p.drawRect(op.Box.adjusted(0, 0, -1, -1));
        break;
      case TOp::Line:
        p.drawLine(op.Points[0], op.Points[1]);
        break;
      case TOp::Lines:
        p.drawPolyline(op.Points);
        break;
      case TOp::Poly:
        p.setBrush(QBrush(op.Brush));
        p.drawPolygon(op.Points);
        break;
      case TOp::Point:
        p.drawPoint(op.Points[0]);
        break;
      case TOp::Text:
        p.drawText(op.Points[0], op.Label);
        break;
      default:
        break;
      }
    }
  }
  QImage Picture() const override { return image_.copy(); }

private:
  void Capture(const TCanvasRecorder &R, int DX, int DY) {
    QPoint pos;
    for (const TCanvasRecord &r : R.Records) {
      TOp op;
      op.Pen = Q(r.PenColor);
      op.Brush = Q(r.BrushColor);
      op.Width = r.PenWidth;
      op.Style = r.PenStyle == psDot ? Qt::DotLine : Qt::SolidLine;
      op.NoBrush = r.BrushStyle == bsClear;
      op.NoPen = r.PenStyle == psClear;
      op.Box = QRect(r.Rect.Left + DX, r.Rect.Top + DY, r.Rect.Width(), r.Rect.Height());
      for (TPoint p : r.Points)
        op.Points << QPoint(p.X + DX, p.Y + DY);
      switch (r.Kind) {
      case coMoveTo:
        pos = op.Points[0];
        continue;
      case coLineTo:
        op.K = TOp::Line;
        op.Points.prepend(pos);
        pos = op.Points[1];
        break;
      case coPolyline:
        op.K = TOp::Lines;
        break;
      case coPolygon:
        op.K = TOp::Poly;
        break;
      case coRectangle:
        op.K = TOp::Rect;
        break;
      case coFillRect:
        op.K = TOp::Fill;
        break;
      case coSetPixel:
        op.K = TOp::Point;
        op.Pen = Q(r.Value);
        break;
      case coTextOut:
      case coTextRect:
        op.K = TOp::Text;
        op.Pen = Q(r.FontColor);
        op.Label = QString::fromStdString(r.Text);
        op.Points[0].ry() += 10; // the chart places text by its top
        break;
      default:
        continue; // the copy of the data area: the floor draws in place
      }
      ops_.push_back(std::move(op));
    }
  }

  QImage image_;
  QFont font_;
  std::vector<TOp> ops_;
};

} // namespace

std::unique_ptr<TPeerContender> MakeChartContender(const TPeerScene &Scene) {
  return std::make_unique<TChartContender>(Scene);
}

std::unique_ptr<TPeerContender> MakeFloorContender(const TPeerScene &Scene) {
  return std::make_unique<TFloorContender>(Scene);
}

std::unique_ptr<TPeerContender> MakeChartStepContender(const TPeerScene &Scene) {
  return std::make_unique<TChartStepContender>(Scene);
}

unsigned NextStepTemperature(unsigned T) {
  return T >= 5999 ? 5800 : T + 1;
}
