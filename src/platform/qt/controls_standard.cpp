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

/// Draws one 3-D bevel ring inside R and shrinks R by it.
void Bevel(TCanvas &c, TRect &r, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  TColor topLeft = cut == bvLowered ? clBtnShadow : clBtnHighlight;
  TColor bottomRight = cut == bvLowered ? clBtnHighlight : clBtnShadow;
  for (int i = 0; i < width; ++i) {
    if (cut != bvSpace) {
      c.Pen().SetColor(topLeft);
      c.MoveTo(r.Left, r.Bottom - 1);
      c.LineTo(r.Left, r.Top);
      c.LineTo(r.Right - 1, r.Top);
      c.Pen().SetColor(bottomRight);
      c.LineTo(r.Right - 1, r.Bottom - 1);
      c.LineTo(r.Left - 1, r.Bottom - 1);
    }
    r = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
  }
}

} // namespace

// ---- TPanel ------------------------------------------------------------------------

TPanel::TPanel(TComponent *AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 185, 41);
}

void TPanel::SetBevelInner(TBevelCut Value) {
  bevelInner_ = Value;
  Realign();
  Invalidate();
}
void TPanel::SetBevelOuter(TBevelCut Value) {
  bevelOuter_ = Value;
  Realign();
  Invalidate();
}
void TPanel::SetBevelWidth(int Value) {
  bevelWidth_ = std::max(Value, 1);
  Realign();
  Invalidate();
}
void TPanel::SetBorderWidth(int Value) {
  borderWidth_ = std::max(Value, 0);
  Realign();
  Invalidate();
}
void TPanel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Invalidate();
}

TRect TPanel::AdjustedClientRect() const {
  int inset = borderWidth_;
  if (bevelOuter_ != bvNone) inset += bevelWidth_;
  if (bevelInner_ != bvNone) inset += bevelWidth_;
  TRect r = ClientRect();
  return Rect(r.Left + inset, r.Top + inset, std::max(r.Right - inset, r.Left + inset),
              std::max(r.Bottom - inset, r.Top + inset));
}

void TPanel::Paint() {
  TCanvas &c = Canvas();
  TRect r = ClientRect();
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(Color());
  c.FillRect(r);
  c.Pen().SetWidth(1);
  c.Pen().SetStyle(psSolid);
  Bevel(c, r, bevelOuter_, bevelWidth_);
  r = Rect(r.Left + borderWidth_, r.Top + borderWidth_, r.Right - borderWidth_,
           r.Bottom - borderWidth_);
  Bevel(c, r, bevelInner_, bevelWidth_);
  if (Caption().empty()) return;
  c.Font().Assign(*Font());
  if (!Enabled()) c.Font().SetColor(clGrayText);
  c.Brush().SetStyle(bsClear);
  int w = c.TextWidth(Caption()), h = c.TextHeight(Caption());
  int x = alignment_ == taLeftJustify    ? r.Left + 2
          : alignment_ == taRightJustify ? r.Right - w - 2
                                         : (Width() - w) / 2;
  c.TextRect(r, x, (Height() - h) / 2, Caption());
}

// ---- TLabel --------------------------------------------------------------------------

TLabel::TLabel(TComponent *AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 65, 17);
}

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

void TLabel::SetAlignment(TAlignment Value) {
  alignment_ = Value;
  Invalidate();
}
void TLabel::SetWordWrap(bool Value) {
  wordWrap_ = Value;
  AdjustBounds();
  Invalidate();
}
void TLabel::SetShowAccelChar(bool Value) {
  showAccelChar_ = Value;
  AdjustBounds();
  Invalidate();
}
void TLabel::SetAutoSize(bool Value) {
  autoSize_ = Value;
  AdjustBounds();
}
void TLabel::SetTransparent(bool Value) {
  transparent_ = Value;
  Invalidate();
}
void TLabel::SetLayout(TTextLayout Value) {
  layout_ = Value;
  Invalidate();
}
void TLabel::TextChanged() {
  AdjustBounds();
  TGraphicControl::TextChanged();
}
void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}
void TLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

std::vector<std::string> TLabel::TextLines() const {
  TCanvas measure;
  measure.Font().Assign(*Font());
  std::vector<std::string> out;
  // Explicit line breaks always start a new line; word wrap breaks further
  // at spaces so that each line fits the width where possible.
  std::size_t start = 0;
  // Labels show accelerator marks as they are shown on buttons: "&&" is a
  // literal "&", a single "&" is left out.
  const std::string text = showAccelChar_ ? StripAccelChars(Caption()) : Caption();
  do {
    std::size_t nl = text.find('\n', start);
    std::string para = text.substr(start, nl == std::string::npos ? std::string::npos : nl - start);
    if (!para.empty() && para.back() == '\r') para.pop_back();
    start = nl == std::string::npos ? text.size() + 1 : nl + 1;
    if (!wordWrap_) {
      out.push_back(para);
      continue;
    }
    std::string line;
    std::size_t p = 0;
    while (p <= para.size()) {
      std::size_t sp = para.find(' ', p);
      std::string word = para.substr(p, sp == std::string::npos ? std::string::npos : sp - p);
      std::string candidate = line.empty() ? word : line + " " + word;
      if (!line.empty() && measure.TextWidth(candidate) > Width()) {
        out.push_back(line);
        line = word;
      } else {
        line = candidate;
      }
      if (sp == std::string::npos) break;
      p = sp + 1;
    }
    out.push_back(line);
  } while (start <= text.size());
  return out;
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || IsLoading()) return;
  TCanvas measure;
  measure.Font().Assign(*Font());
  std::vector<std::string> lines = TextLines();
  int lineHeight = measure.TextHeight("Wg");
  int h = lineHeight * int(std::max<std::size_t>(lines.size(), 1));
  if (wordWrap_) {
    SetBounds(Left(), Top(), Width(), h);
    return;
  }
  int w = 0;
  for (const std::string &l : lines)
    w = std::max(w, measure.TextWidth(l));
  // Right-aligned labels keep their right edge, centred ones their centre.
  int left = Left();
  if (alignment_ == taRightJustify)
    left += Width() - w;
  else if (alignment_ == taCenter)
    left += (Width() - w) / 2;
  SetBounds(left, Top(), w, h);
}

void TLabel::Paint() {
  TCanvas &c = Canvas();
  if (!transparent_) {
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(Color());
    c.FillRect(ClientRect());
  }
  c.Font().Assign(*Font());
  c.Brush().SetStyle(bsClear);
  std::vector<std::string> lines = TextLines();
  int lineHeight = c.TextHeight("Wg");
  int total = lineHeight * int(lines.size());
  int y = layout_ == tlTop ? 0 : layout_ == tlBottom ? Height() - total : (Height() - total) / 2;
  for (const std::string &line : lines) {
    int w = c.TextWidth(line);
    int x = alignment_ == taLeftJustify    ? 0
            : alignment_ == taRightJustify ? Width() - w
                                           : (Width() - w) / 2;
    if (!Enabled()) {
      c.Font().SetColor(clBtnHighlight);
      c.TextRect(ClientRect(), x + 1, y + 1, line);
      c.Font().SetColor(clBtnShadow);
    }
    c.TextRect(ClientRect(), x, y, line);
    y += lineHeight;
  }
  if (KeyboardFocused()) {
    // The frame takes the brush colour.
    c.Brush().SetStyle(bsSolid);
    c.Brush().SetColor(clHighlight);
    c.FrameRect(ClientRect());
  }
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

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetGlyph(const TBitmap *Value) {
  if (Value)
    glyph_->Assign(*Value);
  else
    glyph_->SetSize(0, 0);
  GlyphChanged();
}

void TBitBtn::SetNumGlyphs(int Value) {
  numGlyphs_ = std::clamp(Value, 1, 4);
  GlyphChanged();
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

void TBitBtn::Loaded() {
  TWinControl::Loaded();
  GlyphChanged();
}

void TBitBtn::TextChanged() {
  static_cast<QPushButton *>(Widget())->setText(QString::fromStdString(Caption()));
}

void TBitBtn::Click() {
  if (modalResult_ != mrNone) {
    TWinControl *p = Parent();
    while (p && !dynamic_cast<TForm *>(p))
      p = p->Parent();
    if (auto *form = dynamic_cast<TForm *>(p)) form->SetModalResult(modalResult_);
  }
  TWinControl::Click();
}

void TBitBtn::KeyDown(std::uint16_t &Key, TShiftState Shift) {
  TWinControl::KeyDown(Key, Shift);
  // Enter presses the focused button, as Space does.
  if (Key == 0x0D && Shift.Empty()) {
    Key = 0;
    PerformClick();
  }
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

// ---- TRangeControl --------------------------------------------------------------------

void TRangeControl::SetParams(int APosition, int AMin, int AMax) {
  if (IsLoading()) {
    // A description may name minimum, maximum and position in any order:
    // they are kept as written and Loaded puts them in order once.
    min_ = AMin;
    max_ = AMax;
    position_ = APosition;
    return;
  }
  ApplyRange(APosition, AMin, AMax, true);
}

void TRangeControl::ApplyRange(int APosition, int AMin, int AMax, bool Notify) {
  if (AMax < AMin) AMax = AMin;
  const int newPos = std::clamp(APosition, AMin, AMax);
  const bool changed = newPos != position_;
  min_ = AMin;
  max_ = AMax;
  position_ = newPos;
  Sync();
  if (changed && Notify) PositionChanged();
}

void TRangeControl::SetMin(int Value) {
  if (IsLoading())
    min_ = Value;
  else
    SetParams(position_, Value, std::max(max_, Value));
}
void TRangeControl::SetMax(int Value) {
  if (IsLoading())
    max_ = Value;
  else
    SetParams(position_, std::min(min_, Value), Value);
}
void TRangeControl::SetPosition(int Value) {
  SetParams(Value, min_, max_);
}

void TRangeControl::Loaded() {
  TWinControl::Loaded();
  // The form's handlers are not ready yet: putting the values in order
  // raises no change event.
  ApplyRange(position_, min_, std::max(min_, max_), false);
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

void TScrollBar::SetKind(TScrollBarKind Value) {
  if (Value == kind_) return;
  kind_ = Value;
  if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
  Sync();
}

void TScrollBar::SetSmallChange(int Value) {
  smallChange_ = std::max(Value, 1);
  Sync();
}
void TScrollBar::SetLargeChange(int Value) {
  largeChange_ = std::max(Value, 1);
  Sync();
}
void TScrollBar::Change() {
  if (OnChange) OnChange(this);
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

void TTrackBar::SetOrientation(TTrackBarOrientation Value) {
  if (Value == orientation_) return;
  orientation_ = Value;
  if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
  Sync();
}

void TTrackBar::SetFrequency(int Value) {
  frequency_ = std::max(Value, 1);
  Sync();
}
void TTrackBar::SetTickMarks(TTickMark Value) {
  tickMarks_ = Value;
  Sync();
}
void TTrackBar::SetTickStyle(TTickStyle Value) {
  tickStyle_ = Value;
  Sync();
}
void TTrackBar::SetLineSize(int Value) {
  lineSize_ = std::max(Value, 1);
  Sync();
}
void TTrackBar::SetPageSize(int Value) {
  pageSize_ = std::max(Value, 1);
  Sync();
}
void TTrackBar::Changed() {
  if (OnChange) OnChange(this);
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

TMemo::~TMemo() = default;

TStrings *TMemo::Lines() {
  return lines_.get();
}

void TMemo::SetLines(TStrings *Value) {
  if (Value) lines_->Assign(Value);
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

void TMemo::SetAlignment(TAlignment Value) {
  alignment_ = Value;
}

void TMemo::ColorChanged() {
  auto *edit = static_cast<QPlainTextEdit *>(Widget());
  QPalette pal = edit->palette();
  pal.setColor(QPalette::Base, ToQColor(Color()));
  pal.setColor(QPalette::Text, ToQColor(Font()->Color()));
  edit->setPalette(pal);
}
