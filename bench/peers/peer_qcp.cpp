// QCustomPlot drawing the peer scene: one QCPGraph per curve, the band as a
// rectangle item, captions as text items, fixed tick steps for the 21 + 21
// grid lines, antialiasing off everywhere. A frame is a full render of the
// plot (layout, ticks, mapping, drawing) into an 800 x 600 image through
// toPainter, the nearest thing to the chart's Repaint.
#include "peer_chart.h"

#include <QImage>
#include <qcustomplot.h>

namespace {

QColor Q(std::uint32_t C) {
  return QColor(int(C & 0xFF), int((C >> 8) & 0xFF), int((C >> 16) & 0xFF));
}

class TQcpContender : public TPeerContender {
public:
  explicit TQcpContender(const TPeerScene &S)
      : points_(int(S.Data.back().X.size()) - 1), yLow_(S.YLow), yHigh_(S.YHigh),
        image_(S.Width, S.Height, QImage::Format_RGB32) {
    plot_.resize(S.Width, S.Height);
    plot_.setNotAntialiasedElements(QCP::aeAll);
    plot_.setNoAntialiasingOnDrag(true);
    plot_.setPlottingHint(QCP::phFastPolylines, true);
    plot_.xAxis->setRange(S.XLow, S.XHigh);
    plot_.yAxis->setRange(S.YLow, S.YHigh);
    plot_.xAxis->setLabel(QString::fromStdString(S.XCaption));
    plot_.yAxis->setLabel(QString::fromStdString(S.YCaption));
    for (auto [axis, step] : {std::pair{plot_.xAxis, S.GridDx}, std::pair{plot_.yAxis, S.GridDy}}) {
      QSharedPointer<QCPAxisTickerFixed> ticker(new QCPAxisTickerFixed);
      ticker->setTickStep(step);
      ticker->setScaleStrategy(QCPAxisTickerFixed::ssNone);
      axis->setTicker(ticker);
      axis->grid()->setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 0));
      axis->grid()->setVisible(true);
    }
    auto *band = new QCPItemRect(&plot_);
    band->topLeft->setCoords(S.BandLow, S.YHigh);
    band->bottomRight->setCoords(S.BandHigh, 0);
    band->setPen(QPen(QColor(0xDD, 0xEE, 0xFF)));
    band->setBrush(QColor(0xDD, 0xEE, 0xFF));
    auto *bandText = new QCPItemText(&plot_);
    bandText->position->setCoords(480, S.YHigh * 0.97);
    bandText->setText(QString::fromStdString(S.BandText));
    AddCurve(S.Peaks);
    for (const TPeerCurve &c : S.Data) {
      currentGraph_ = AddCurve(c); // the last one is the current curve
      if (c.Label.empty()) continue;
      auto *label = new QCPItemText(&plot_);
      label->position->setCoords(c.LabelX, c.LabelY);
      label->setText(QString::fromStdString(c.Label));
      label->setColor(Qt::blue);
    }
    peakLine_ = AddCurve(S.PeakLine);
    current_ = S.Current;
    Frame();
  }
  void Frame() override {
    QCPPainter p(&image_);
    plot_.toPainter(&p, image_.width(), image_.height());
  }
  QImage Picture() const override { return image_.copy(); }

  /// One temperature step: the next current curve and its peak line, then
  /// a full render.
  void Step() {
    current_ = NextStepTemperature(current_);
    const TPeerCurve c = PlanckCurve(current_, points_);
    currentGraph_->setData(QVector<double>(c.X.begin(), c.X.end()),
                           QVector<double>(c.Y.begin(), c.Y.end()), true);
    peakLine_->setData(QVector<double>{c.LabelX, c.LabelX}, QVector<double>{yLow_, yHigh_}, true);
    Frame();
  }

private:
  QCPGraph *AddCurve(const TPeerCurve &C) {
    QCPGraph *g = plot_.addGraph();
    QVector<double> x(C.X.begin(), C.X.end()), y(C.Y.begin(), C.Y.end());
    // The curves are not sorted by x everywhere (the peak curve runs back),
    // so they are handed over as they are.
    g->setData(x, y, true);
    g->setPen(QPen(Q(C.Color), 0, C.Dotted ? Qt::DotLine : Qt::SolidLine));
    g->setAdaptiveSampling(true);
    return g;
  }

  int points_;
  double yLow_, yHigh_;
  unsigned current_ = 0;
  QCPGraph *currentGraph_ = nullptr, *peakLine_ = nullptr;
  QCustomPlot plot_;
  QImage image_;
};

class TQcpStepContender : public TPeerContender {
public:
  explicit TQcpStepContender(const TPeerScene &S) : plot_(S) {}
  void Frame() override { plot_.Step(); }
  QImage Picture() const override { return plot_.Picture(); }

private:
  TQcpContender plot_;
};

} // namespace

std::unique_ptr<TPeerContender> MakeQcpStepContender(const TPeerScene &Scene) {
  return std::make_unique<TQcpStepContender>(Scene);
}

std::unique_ptr<TPeerContender> MakeQcpContender(const TPeerScene &Scene) {
  return std::make_unique<TQcpContender>(Scene);
}

std::string QcpVersion() {
  return "QCustomPlot " QCUSTOMPLOT_VERSION_STR;
}
