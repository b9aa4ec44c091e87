#include "platform/controls_standard.h"
#include "platform/canvas.h"
#include "platform/qt/canvas_qt.h"
#include "platform/qt/control_qt.h"
#include "platform/form.h"
#include <QCheckBox>
#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QPainter>
#include <QSlider>
#include <algorithm>

namespace {

/// Draws a focus frame in the highlight colour just inside Area of Target,
/// the painting surface of widget W.
void PaintFocusFrame(QWidget *W, QPaintDevice *Target, const QRect &Area) {
  QPainter p(Target);
  QPen pen(W->palette().color(QPalette::Highlight), 2);
  pen.setJoinStyle(Qt::MiterJoin);
  p.setPen(pen);
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(Area).adjusted(1, 1, -1, -1));
}

/// A scroll bar that shows where the keyboard is: the style draws no (or a
/// barely visible) focus on scroll bars.
class TFocusScrollBar : public QScrollBar {
public:
  using QScrollBar::QScrollBar;

protected:
  void paintEvent(QPaintEvent *event) override {
    QScrollBar::paintEvent(event);
    if (hasFocus()) PaintFocusFrame(this, this, rect());
  }
};

/// A memo that shows a focus frame inside its border while it has the
/// keyboard, read-only or not.
class TFocusTextEdit : public QPlainTextEdit {
protected:
  void paintEvent(QPaintEvent *event) override {
    QPlainTextEdit::paintEvent(event);
    if (hasFocus()) PaintFocusFrame(this, viewport(), viewport()->rect());
  }
  void focusInEvent(QFocusEvent *event) override {
    QPlainTextEdit::focusInEvent(event);
    viewport()->update();
  }
  void focusOutEvent(QFocusEvent *event) override {
    QPlainTextEdit::focusOutEvent(event);
    viewport()->update();
  }
};

/// The keyboard side of a focusable label: focus changes repaint it (for its
/// focus frame), Enter and Space click it. As a control's event filter it is
/// taken off the widget when the control goes, like the control's own one,
/// whose mouse and other events it leaves alone.
class TLabelKeyboard : public TControlEventFilter {
public:
  TLabelKeyboard(TLabel *label, QWidget *widget)
      : TControlEventFilter(label, widget), label_(label) {}
  bool eventFilter(QObject *, QEvent *event) override {
    switch (event->type()) {
    case QEvent::FocusIn:
    case QEvent::FocusOut:
      label_->Invalidate();
      return false;
    case QEvent::KeyPress: {
      auto *e = static_cast<QKeyEvent *>(event);
      const bool activate = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter ||
                            e->key() == Qt::Key_Space;
      if (!activate || (e->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier ||
          e->isAutoRepeat())
        return false;
      if (label_->Enabled()) DispatchSafely([this] { label_->Click(); });
      return true;
    }
    default:
      return false;
    }
  }

private:
  TLabel *label_;
};

} // namespace

// ---- TLabel --------------------------------------------------------------------------

void TLabel::SetKeyboardFocusable(bool Value) {
  QWidget *w = Widget();
  TLabelKeyboard *keyboard = nullptr;
  for (QObject *child : w->children())
    if (auto *k = dynamic_cast<TLabelKeyboard *>(child)) keyboard = k;
  if (Value && !keyboard) w->installEventFilter(new TLabelKeyboard(this, w));
  if (!Value && keyboard) delete keyboard;
  w->setFocusPolicy(Value ? Qt::StrongFocus : Qt::NoFocus);
  Invalidate();
}

bool TLabel::KeyboardFocused() const {
  return Widget()->hasFocus();
}

// ---- TBitBtn -------------------------------------------------------------------------

TBitBtn::TBitBtn(TComponent *AOwner) : TWinControl(AOwner), glyph_(std::make_unique<TBitmap>()) {
  auto *button = new QPushButton();
  SetWidget(button);
  WidgetReportsClicks();
  QObject::connect(button, &QPushButton::clicked, [this] { DispatchSafely([this] { Click(); }); });
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TBitBtn::GlyphChanged() {
  auto *button = static_cast<QPushButton *>(Widget());
  if (glyph_->Empty()) {
    button->setIcon(QIcon());
    return;
  }
  int w = glyph_->Width() / numGlyphs_;
  QImage first =
      glyph_->Image().copy(0, 0, w, glyph_->Height()).convertToFormat(QImage::Format_ARGB32);
  // The colour of the bottom-left pixel is the glyph's background.
  QRgb key = first.pixel(0, first.height() - 1);
  for (int y = 0; y < first.height(); ++y)
    for (int x = 0; x < first.width(); ++x)
      if ((first.pixel(x, y) & 0xFFFFFF) == (key & 0xFFFFFF)) first.setPixel(x, y, 0);
  button->setIcon(QIcon(QPixmap::fromImage(first)));
  button->setIconSize(first.size());
}

void TBitBtn::TextChanged() {
  static_cast<QPushButton *>(Widget())->setText(QString::fromStdString(Caption()));
}

void TBitBtn::PerformClick() {
  if (Enabled()) static_cast<QPushButton *>(Widget())->click();
}

// ---- TCheckBox -----------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent *AOwner) : TWinControl(AOwner) {
  auto *box = new QCheckBox();
  SetWidget(box);
  WidgetReportsClicks();
  QObject::connect(box, &QCheckBox::toggled, [this](bool on) {
    if (on != checked_) DispatchSafely([&] { SetChecked(on); });
  });
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCheckBox::SetChecked(bool Value) {
  if (Value == checked_) return;
  checked_ = Value;
  {
    QSignalBlocker block(Widget());
    static_cast<QCheckBox *>(Widget())->setChecked(Value);
  }
  if (!IsLoading()) Click();
}

void TCheckBox::TextChanged() {
  static_cast<QCheckBox *>(Widget())->setText(QString::fromStdString(Caption()));
}

// ---- TScrollBar ----------------------------------------------------------------------

TScrollBar::TScrollBar(TComponent *AOwner) : TRangeControl(AOwner, 0, 100) {
  auto *bar = new TFocusScrollBar(Qt::Horizontal);
  SetWidget(bar);
  QObject::connect(bar, &QScrollBar::valueChanged, [this](int v) {
    if (!syncing_) DispatchSafely([&] { SetPosition(v); });
  });
  SetBounds(0, 0, 121, 17);
  SetTabStop(true);
  Sync();
}

void TScrollBar::Sync() {
  auto *bar = static_cast<QScrollBar *>(Widget());
  syncing_ = true;
  bar->setOrientation(kind_ == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
  // Right, Up and Page Up move a horizontal bar towards its maximum; a
  // vertical one grows downwards, so there Down and Page Down do.
  bar->setInvertedControls(kind_ == sbVertical);
  bar->setRange(Min(), Max());
  bar->setValue(Position());
  bar->setSingleStep(smallChange_);
  bar->setPageStep(largeChange_);
  syncing_ = false;
}

// ---- TTrackBar -----------------------------------------------------------------------

TTrackBar::TTrackBar(TComponent *AOwner) : TRangeControl(AOwner, 0, 10) {
  auto *slider = new QSlider(Qt::Horizontal);
  SetWidget(slider);
  QObject::connect(slider, &QSlider::valueChanged, [this](int v) {
    if (!syncing_) DispatchSafely([&] { SetPosition(v); });
  });
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
  Sync();
}

void TTrackBar::Sync() {
  auto *s = static_cast<QSlider *>(Widget());
  syncing_ = true;
  bool vertical = orientation_ == trVertical;
  s->setOrientation(vertical ? Qt::Vertical : Qt::Horizontal);
  // Track bars count from the top: a vertical one has its minimum there.
  s->setInvertedAppearance(vertical);
  s->setInvertedControls(vertical);
  s->setRange(Min(), Max());
  s->setValue(Position());
  s->setSingleStep(lineSize_);
  s->setPageStep(pageSize_);
  if (tickStyle_ == tsNone) {
    s->setTickPosition(QSlider::NoTicks);
  } else {
    s->setTickPosition(tickMarks_ == tmBoth      ? QSlider::TicksBothSides
                       : tickMarks_ == tmTopLeft ? QSlider::TicksAbove
                                                 : QSlider::TicksBelow);
    s->setTickInterval(tickStyle_ == tsAuto ? frequency_ : Max() - Min());
  }
  syncing_ = false;
}

// ---- TMemo ---------------------------------------------------------------------------

TMemo::TMemo(TComponent *AOwner) : TWinControl(AOwner), lines_(std::make_unique<TStringList>()) {
  auto *edit = new TFocusTextEdit();
  // Tab moves on to the next control; it never types a tab.
  edit->setTabChangesFocus(true);
  SetWidget(edit);
  lines_->OnChange = [this](TObject *) { LinesChanged(); };
  QObject::connect(edit, &QPlainTextEdit::textChanged, [this] {
    if (!updating_) DispatchSafely([this] { WidgetEdited(); });
  });
  SetColor(clWindow);
  SetBounds(0, 0, 185, 89);
  SetTabStop(true);
  SetScrollBars(ssNone);
  SetWordWrap(true);
}

void TMemo::LinesChanged() {
  std::string text;
  for (int i = 0; i < lines_->Count(); ++i) {
    if (i) text += '\n';
    text += lines_->Strings(i);
  }
  updating_ = true;
  static_cast<QPlainTextEdit *>(Widget())->setPlainText(QString::fromStdString(text));
  updating_ = false;
  if (OnChange && !IsLoading()) OnChange(this);
}

void TMemo::WidgetEdited() {
  std::string text = static_cast<QPlainTextEdit *>(Widget())->toPlainText().toStdString();
  updating_ = true;
  lines_->OnChange = nullptr;
  lines_->SetText(text);
  lines_->OnChange = [this](TObject *) { LinesChanged(); };
  updating_ = false;
  if (OnChange) OnChange(this);
}

void TMemo::SetReadOnly(bool Value) {
  readOnly_ = Value;
  auto *edit = static_cast<QPlainTextEdit *>(Widget());
  edit->setReadOnly(Value);
  // A read-only memo keeps a cursor for the keyboard, so it can be read
  // (and its text selected) without the mouse.
  if (Value)
    edit->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  scrollBars_ = Value;
  auto *edit = static_cast<QPlainTextEdit *>(Widget());
  auto policy = [Value](TScrollStyle Always, TScrollStyle Auto) {
    if (Value == Always || Value == ssBoth) return Qt::ScrollBarAlwaysOn;
    if (Value == Auto || Value == ssAutoBoth) return Qt::ScrollBarAsNeeded;
    return Qt::ScrollBarAlwaysOff;
  };
  edit->setHorizontalScrollBarPolicy(policy(ssHorizontal, ssAutoHorizontal));
  edit->setVerticalScrollBarPolicy(policy(ssVertical, ssAutoVertical));
}

void TMemo::SetWordWrap(bool Value) {
  wordWrap_ = Value;
  static_cast<QPlainTextEdit *>(Widget())->setLineWrapMode(Value ? QPlainTextEdit::WidgetWidth
                                                                 : QPlainTextEdit::NoWrap);
}

void TMemo::ColorChanged() {
  auto *edit = static_cast<QPlainTextEdit *>(Widget());
  QPalette pal = edit->palette();
  pal.setColor(QPalette::Base, ToQColor(Color()));
  pal.setColor(QPalette::Text, ToQColor(Font()->Color()));
  edit->setPalette(pal);
}
