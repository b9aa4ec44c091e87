// The Qt canvas device: a QImage surface, text through QPainter and
// QFontMetrics, and the shapes the pixel rules leave to the system (wide
// pens, ellipses, polygon fills, hatches), drawn without antialiasing except
// for text.
#include "platform/canvas_device.h"
#include "platform/qt/canvas_qt.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPolygon>
#include <QStaticText>
#include <QString>
#include <cstring>
#include <optional>

namespace {

// Sets up a painter to apply pen mode Mode with colour Color; false when the
// mode leaves the pixels alone.
bool SetupMode(QPainter &p, TPenMode Mode, QColor &Color) {
  using CM = QPainter::CompositionMode;
  CM cm = QPainter::CompositionMode_Source;
  switch (Mode) {
  case pmBlack:
    Color = Qt::black;
    break;
  case pmWhite:
    Color = Qt::white;
    break;
  case pmNop:
    return false;
  case pmNot:
    cm = QPainter::RasterOp_NotDestination;
    break;
  case pmCopy:
    break;
  case pmNotCopy:
    cm = QPainter::RasterOp_NotSource;
    break;
  case pmMergePenNot:
    cm = QPainter::RasterOp_SourceOrNotDestination;
    break;
  case pmMaskPenNot:
    cm = QPainter::RasterOp_SourceAndNotDestination;
    break;
  case pmMergeNotPen:
    cm = QPainter::RasterOp_NotSourceOrDestination;
    break;
  case pmMaskNotPen:
    cm = QPainter::RasterOp_NotSourceAndDestination;
    break;
  case pmMerge:
    cm = QPainter::RasterOp_SourceOrDestination;
    break;
  case pmNotMerge:
    cm = QPainter::RasterOp_NotSourceAndNotDestination;
    break;
  case pmMask:
    cm = QPainter::RasterOp_SourceAndDestination;
    break;
  case pmNotMask:
    cm = QPainter::RasterOp_NotSourceOrNotDestination;
    break;
  case pmXor:
    cm = QPainter::RasterOp_SourceXorDestination;
    break;
  case pmNotXor:
    cm = QPainter::RasterOp_NotSourceXorDestination;
    break;
  }
  p.setCompositionMode(cm);
  return true;
}

QRect ToQRect(const TRect &r) {
  return QRect(r.Left, r.Top, r.Width(), r.Height());
}

Qt::BrushStyle HatchStyle(TBrushStyle s) {
  switch (s) {
  case bsHorizontal:
    return Qt::HorPattern;
  case bsVertical:
    return Qt::VerPattern;
  case bsFDiagonal:
    return Qt::BDiagPattern;
  case bsBDiagonal:
    return Qt::FDiagPattern;
  case bsCross:
    return Qt::CrossPattern;
  case bsDiagCross:
    return Qt::DiagCrossPattern;
  default:
    return Qt::SolidPattern;
  }
}

QString ToQString(const std::string &s) {
  return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QPolygon ToQPolygon(const TPoint *Points, int Count) {
  QPolygon poly(Count);
  for (int i = 0; i < Count; ++i)
    poly.setPoint(i, Points[i].X, Points[i].Y);
  return poly;
}

/// A canvas device on a QImage it does not own.
class TQtCanvasDevice final : public TCanvasDevice {
public:
  explicit TQtCanvasDevice(QImage *Image) : image_(Image) {}
  ~TQtCanvasDevice() override { CloseTextPainter(); }

  void SetImage(QImage *Image) {
    CloseTextPainter();
    image_ = Image;
  }

  bool Attached() const override { return image_ && !image_->isNull(); }
  TSize DeviceSize() const override {
    return image_ ? TSize{image_->width(), image_->height()} : TSize{};
  }
  double PixelRatio() const override { return image_ ? image_->devicePixelRatio() : 1.0; }

  TPixelView WritePixels() override {
    if (!Attached()) return TPixelView{};
    return TPixelView{reinterpret_cast<std::uint32_t *>(image_->bits()), image_->width(),
                      image_->height(), std::ptrdiff_t(image_->bytesPerLine() / 4)};
  }

  TPixelView ReadPixels(std::vector<std::uint32_t> &Scratch) const override {
    if (!Attached()) return TPixelView{};
    const QImage &img = *image_;
    if (img.format() == SurfaceFormat || img.format() == QImage::Format_ARGB32)
      return TPixelView{
          const_cast<std::uint32_t *>(reinterpret_cast<const std::uint32_t *>(img.constBits())),
          img.width(), img.height(), std::ptrdiff_t(img.bytesPerLine() / 4)};
    const QImage conv = img.convertToFormat(SurfaceFormat);
    const int w = conv.width(), h = conv.height();
    Scratch.resize(std::size_t(w) * std::size_t(h));
    for (int y = 0; y < h; ++y)
      std::memcpy(Scratch.data() + std::size_t(y) * std::size_t(w), conv.constScanLine(y),
                  std::size_t(w) * sizeof(std::uint32_t));
    return TPixelView{Scratch.data(), w, h, w};
  }

  int TextWidth(const TFont &Font, const std::string &Text) override {
    return Width(Font, ToQString(Text));
  }
  int TextHeight(const TFont &Font) override { return Metrics(Font).height(); }
  int TextAscent(const TFont &Font) override { return Metrics(Font).ascent(); }

  void DrawText(const TFont &Font, int X, int Y, const std::string &Text,
                const TRect &Clip) override {
    if (!Attached()) return;
    const QFontMetrics &fm = Metrics(Font);
    std::optional<QPainter> own;
    QPainter *p = nullptr;
    if (textPasses_ > 0) {
      if (!textPainter_) textPainter_.emplace(image_);
      p = &*textPainter_;
    } else {
      p = &own.emplace(image_);
    }
    p->setClipRect(ToQRect(Clip));
    p->setFont(*font_);
    p->setPen(ToQColor(Font.Color()));
    const int baseline = SaturateInt(std::int64_t(Y) + fm.ascent());
    const QString text = ToQString(Text);
    if (const QStaticText *laid = LaidOut(Font, text)) {
      // The laid-out text stands by the top of its line, ascent above the
      // baseline: placed so that its baseline is the one drawText would use.
      p->drawStaticText(QPointF(X, double(baseline) - ascentF_), *laid);
    } else {
      p->drawText(X, baseline, text);
    }
  }

  void BeginTextPass() override { ++textPasses_; }
  void EndTextPass() override {
    if (textPasses_ > 0 && --textPasses_ == 0) CloseTextPainter();
  }

  void StrokeWide(const TPoint *Points, int Count, bool Closed, const TPen &Pen,
                  const TRect &Clip) override {
    if (!Attached()) return;
    CloseTextPainter();
    QPainter p(image_);
    p.setClipRect(ToQRect(Clip));
    QColor color = ToQColor(Pen.Color());
    if (!SetupMode(p, Pen.Mode(), color)) return;
    p.setPen(QPen(color, Pen.Width(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPolygon poly = ToQPolygon(Points, Count);
    if (Closed)
      p.drawPolygon(poly);
    else
      p.drawPolyline(poly);
  }

  void Ellipse(const TRect &Box, const TPen *Pen, const TBrush *Brush, TPenMode Mode,
               const TRect &Clip) override {
    if (!Attached() || (!Pen && !Brush)) return;
    CloseTextPainter();
    const TPenMode mode = Mode;
    QPainter p(image_);
    p.setClipRect(ToQRect(Clip));
    p.setRenderHint(QPainter::Antialiasing, false);
    QColor penColor = ToQColor(Pen ? Pen->Color() : clBlack);
    QColor brushColor = ToQColor(Brush ? Brush->Color() : clWhite);
    if (!SetupMode(p, mode, penColor)) return;
    if (mode == pmBlack || mode == pmWhite) brushColor = penColor;
    const int X1 = Box.Left, Y1 = Box.Top, X2 = Box.Right, Y2 = Box.Bottom;
    if (Brush) {
      p.setPen(Qt::NoPen);
      p.setBrush(Brush->Style() == bsSolid ? QBrush(brushColor)
                                           : QBrush(brushColor, HatchStyle(Brush->Style())));
      p.drawEllipse(QRectF(X1, Y1, X2 - X1, Y2 - Y1));
    }
    if (Pen) {
      const int w = Pen->Width();
      p.setBrush(Qt::NoBrush);
      if (w <= 1) {
        const double ratio = PixelRatio();
        QPen qp(penColor, ratio != 1.0 ? ratio : 0); // one logical pixel
        qp.setCosmetic(true);
        p.setPen(qp);
        p.drawEllipse(QRectF(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1));
      } else {
        p.setPen(QPen(penColor, w));
        const double inset = Pen->Style() == psInsideFrame ? w / 2.0 : 0.5;
        p.drawEllipse(QRectF(X1 + inset, Y1 + inset, X2 - X1 - 2 * inset, Y2 - Y1 - 2 * inset));
      }
    }
  }

  void FillPolygon(const TPoint *Points, int Count, const TBrush &Brush, TPenMode Mode,
                   const TRect &Clip) override {
    if (!Attached()) return;
    CloseTextPainter();
    QPainter p(image_);
    p.setClipRect(ToQRect(Clip));
    QColor color = ToQColor(Brush.Color());
    if (!SetupMode(p, Mode, color)) return;
    p.setPen(Qt::NoPen);
    p.setBrush(Brush.Style() == bsSolid ? QBrush(color) : QBrush(color, HatchStyle(Brush.Style())));
    p.drawPolygon(ToQPolygon(Points, Count), Qt::OddEvenFill);
  }

  void FillHatch(const TRect &R, const TBrush &Brush, TPenMode Mode, const TRect &Clip) override {
    if (!Attached()) return;
    CloseTextPainter();
    QPainter p(image_);
    p.setClipRect(ToQRect(Clip));
    QColor color = ToQColor(Brush.Color());
    if (!SetupMode(p, Mode, color)) return;
    p.fillRect(ToQRect(R), QBrush(color, HatchStyle(Brush.Style())));
  }

private:
  void CloseTextPainter() { textPainter_.reset(); }

  // The metrics of Font, created again whenever the font has changed.
  const QFontMetrics &Metrics(const TFont &Font) {
    if (!metrics_ || !metricsFor_.SameAs(Font)) {
      metricsFor_.Assign(Font);
      font_ = ToQFont(Font);
      metrics_.emplace(*font_);
      ascentF_ = QFontMetricsF(*font_).ascent();
      widthsNow_ = -1;
      laidNow_ = -1;
    }
    return *metrics_;
  }

  // Text laid out once in the font of the metrics (see Metrics), for drawing
  // it again unshaped; null for texts drawText has to lay out itself: line
  // breaks and other control characters, which a laid-out text would break
  // into lines, and underlined or struck-out fonts, whose lines a laid-out
  // text leaves off the glyphs of a fallback face.
  const QStaticText *LaidOut(const TFont &Font, const QString &Text) {
    if (Text.isEmpty() || Text.size() > MaxLaidOutLength) return nullptr;
    if (Font.Style().Contains(fsUnderline) || Font.Style().Contains(fsStrikeOut)) return nullptr;
    if (laidNow_ < 0) laidNow_ = TableOf(laid_, Font);
    TLaidOut &t = laid_[std::size_t(laidNow_)];
    if (const auto it = t.Recent.constFind(Text); it != t.Recent.cend()) return &*it;
    // A text found among the older ones moves up; a full table of recent
    // texts becomes the older one, so texts drawn on every paint stay.
    // Only texts without control characters are ever kept.
    QStaticText laid;
    if (const auto it = t.Older.constFind(Text); it != t.Older.cend()) {
      laid = *it;
    } else {
      for (const QChar c : Text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Separator_Line ||
            c.category() == QChar::Separator_Paragraph)
          return nullptr;
      laid.setText(Text);
      laid.setTextFormat(Qt::PlainText);
      laid.prepare(QTransform(), *font_);
    }
    if (t.Recent.size() >= MaxTextsPerFont) {
      t.Older.swap(t.Recent);
      t.Recent.clear();
    }
    return &*t.Recent.insert(Text, laid);
  }

  // The index of Font's table among Tables (texts kept per font), a new one
  // when there is none; a full set of tables starts again.
  template <typename TTable> static int TableOf(std::vector<TTable> &Tables, const TFont &Font) {
    for (std::size_t i = 0; i < Tables.size(); ++i)
      if (Tables[i].Font.SameAs(Font)) return int(i);
    if (Tables.size() >= MaxFontTables) Tables.clear();
    Tables.emplace_back();
    Tables.back().Font.Assign(Font);
    return int(Tables.size()) - 1;
  }

  // Width of Text in Font (see Metrics).
  int Width(const TFont &Font, const QString &Text) {
    const QFontMetrics &fm = Metrics(Font);
    if (widthsNow_ < 0) widthsNow_ = TableOf(widths_, Font);
    QHash<QString, int> &known = widths_[std::size_t(widthsNow_)].Of;
    if (const auto it = known.constFind(Text); it != known.cend()) return *it;
    if (known.size() >= MaxTextsPerFont) known.clear();
    const int w = fm.horizontalAdvance(Text);
    known.insert(Text, w);
    return w;
  }

  QImage *image_ = nullptr;
  // The painter texts share during a text pass, and how deep the passes nest.
  std::optional<QPainter> textPainter_;
  int textPasses_ = 0;
  std::optional<QFont> font_;
  std::optional<QFontMetrics> metrics_;
  TFont metricsFor_;

  // Widths measured so far, per font: every paint measures the same few
  // texts again (captions, tick labels, text labels), and shaping a text for
  // its width is dear. Bounded; a full table starts again.
  struct TWidths {
    TFont Font;
    QHash<QString, int> Of;
  };
  static constexpr std::size_t MaxFontTables = 8;
  static constexpr qsizetype MaxTextsPerFont = 256;
  std::vector<TWidths> widths_;
  int widthsNow_ = -1; // index of the table of the font of the metrics

  // Texts laid out so far, per font: shaping is most of the cost of drawing
  // a short text, and a paint draws the same texts as the last one. Two
  // generations, so that a full table never drops the texts in use.
  struct TLaidOut {
    TFont Font;
    QHash<QString, QStaticText> Recent, Older;
  };
  static constexpr qsizetype MaxLaidOutLength = 256;
  std::vector<TLaidOut> laid_;
  int laidNow_ = -1; // index of the table of the font of the metrics
  qreal ascentF_ = 0; // the unrounded ascent of the font of the metrics
};

} // namespace

std::unique_ptr<TCanvasDevice> NewCanvasDevice() {
  return std::make_unique<TQtCanvasDevice>(nullptr);
}

void AttachImage(TCanvas &Canvas, QImage *Image) {
  if (auto *d = dynamic_cast<TQtCanvasDevice *>(Canvas.Device()))
    d->SetImage(Image);
  else
    Canvas.AttachDevice(std::make_unique<TQtCanvasDevice>(Image));
}
