#include "platform/form.h"
#include "platform/application.h"
#include "platform/qt/canvas_qt.h"
#include "platform/qt/control_qt.h"
#include "platform/strings.h"
#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>

namespace {

/// The top-level window of a form: closing it from the window system runs
/// the form's Close, which decides whether it really closes.
class TFormWidget : public QWidget {
public:
  explicit TFormWidget(TForm *form) : QWidget(nullptr, Qt::Window), form_(form) {
    setAutoFillBackground(true);
  }

protected:
  void closeEvent(QCloseEvent *event) override {
    event->ignore();
    if (isVisible()) DispatchSafely([&] { form_->Close(); });
  }
  // Keys no control took end here. Escape closes a modal form or a dialog
  // as its cancelling button would.
  void keyPressEvent(QKeyEvent *event) override {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier &&
        (form_->Modal() || form_->BorderStyle() == bsDialog)) {
      event->accept();
      DispatchSafely([&] { form_->Close(); });
      return;
    }
    QWidget::keyPressEvent(event);
  }

private:
  TForm *form_;
};

/// The window frame around W's client area as far as the window system has
/// told it; before W was first shown, the frame of another shown window of
/// the program (the window manager draws them alike), else none.
QMargins FrameMargins(const QWidget *W) {
  auto margins = [](const QWidget *w) {
    const QRect f = w->frameGeometry(), g = w->geometry();
    return QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(),
                    f.bottom() - g.bottom());
  };
  QMargins m = margins(W);
  if (!m.isNull()) return m;
  for (const QWidget *other : QApplication::topLevelWidgets())
    if (other != W && other->isVisible() && other->isWindow() && !margins(other).isNull())
      return margins(other);
  return m;
}

} // namespace

// ---- TForm -------------------------------------------------------------------------

TForm::TForm(TComponent *AOwner) : TWinControl(AOwner) {
  SetWidget(new TFormWidget(this));
  TControl::SetVisible(false);
  Widget()->hide();
  SetBounds(0, 0, 320, 240);
  ConstraintsChanged(); // the window system keeps to the size limit from the start
  ColorChanged();
  icon_.OnChange = [this](TObject *) {
    Widget()->setWindowIcon(QIcon(QPixmap::fromImage(icon_.Image())));
  };
}

void TForm::SetVisible(bool Value) {
  if (Value == Visible()) return;
  if (Value) {
    // The show handler runs before the window appears (it may even show
    // another form modally first).
    DispatchSafely([&] { DoShow(); });
    FitOnScreen(position_ == poScreenCenter || position_ == poDesktopCenter);
    UpdateTabOrder();
    TControl::SetVisible(true);
    Widget()->show();
    if (!shownOnce_) {
      // The window manager tells the real frame only once the window is
      // mapped: fit again with it, keeping the place the window got.
      QPointer<QWidget> widget = Widget();
      QTimer::singleShot(FrameSettleMs, Widget(), [this, widget] {
        if (widget && widget->isVisible()) FitOnScreen(false);
      });
    }
    shownOnce_ = true;
    FocusFirstControl();
  } else {
    TControl::SetVisible(false);
    Widget()->hide();
    DispatchSafely([&] { DoHide(); });
  }
}

void TForm::QuitModalLoop() {
  if (modalLoop_) modalLoop_->quit();
}

void TForm::UpdateTabOrder() {
  std::vector<TWinControl *> stops = TabOrderList();
  for (std::size_t i = 1; i < stops.size(); ++i)
    QWidget::setTabOrder(stops[i - 1]->Widget(), stops[i]->Widget());
}

void TForm::Show() {
  SetVisible(true);
  Widget()->raise();
}

TModalResult TForm::ShowModal() {
  if (Visible() || modal_) throw EComponentError("Cannot make a visible window modal");
  modal_ = true;
  modalResult_ = mrNone;
  Widget()->setWindowModality(Qt::ApplicationModal);
  Show();
  QEventLoop loop;
  modalLoop_ = &loop;
  if (modalResult_ == mrNone && Visible()) loop.exec();
  modalLoop_ = nullptr;
  if (Visible()) {
    SetVisible(false);
  }
  Widget()->setWindowModality(Qt::NonModal);
  modal_ = false;
  TModalResult result = modalResult_;
  modalResult_ = mrNone;
  return result;
}

void TForm::ApplyWindowFlags() {
  Qt::WindowFlags flags = Qt::Window;
  switch (borderStyle_) {
  case bsNone:
    flags |= Qt::FramelessWindowHint;
    break;
  case bsDialog:
    flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    break;
  case bsToolWindow:
  case bsSizeToolWin:
    flags = Qt::Tool;
    break;
  default:
    break;
  }
  bool shown = Widget()->isVisible();
  Widget()->setWindowFlags(flags);
  ConstraintsChanged();
  if (shown) Widget()->show();
}

void TForm::ConstraintsChanged() {
  // The window system keeps to the same limits as SetBounds, so a window
  // dragged by the user never becomes smaller or larger than Width and
  // Height can say.
  QWidget *w = Widget();
  const TSizeConstraints &c = *Constraints();
  bool fixed = FixedBorder();
  if (!fixed) {
    w->setMinimumSize(c.MinWidth(), c.MinHeight());
    w->setMaximumSize(c.MaxWidth() > 0 ? c.MaxWidth() : MaxControlSize,
                      c.MaxHeight() > 0 ? c.MaxHeight() : MaxControlSize);
  }
  TWinControl::ConstraintsChanged();
  if (fixed) w->setFixedSize(Width(), Height());
}

void TForm::BoundsChanged() {
  TWinControl::BoundsChanged();
  if (FixedBorder())
    Widget()->setFixedSize(Width(), Height());
}

void TForm::FitOnScreen(bool Centre) {
  QScreen *screen = Widget()->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  // Some window systems tell the frame as soon as the window exists.
  if (!Widget()->testAttribute(Qt::WA_WState_Created)) Widget()->winId();
  const QMargins m = FrameMargins(Widget());
  const TMargins border{m.left(), m.top(), m.right(), m.bottom()};
  const TRect frame = Bounds(Left(), Top(), Width() + m.left() + m.right(),
                             Height() + m.top() + m.bottom());
  const bool resizable = !(borderStyle_ == bsDialog || borderStyle_ == bsSingle ||
                           borderStyle_ == bsToolWindow);
  const TWindowPlacement p =
      FitWindowIntoArea(frame, border, Bounds(area.x(), area.y(), area.width(), area.height()),
                        TSize{Constraints()->MinWidth(), Constraints()->MinHeight()}, resizable,
                        Centre);
  // A smaller size is a resize like the user's: the layout and OnResize follow.
  SetBounds(p.Left, p.Top, p.Width, p.Height);
}

void TForm::FocusFirstControl() {
  if (activeControl_ && activeControl_->CanFocus()) {
    activeControl_->SetFocus();
    return;
  }
  if (Widget()->focusWidget()) return;
  for (TWinControl *stop : TabOrderList())
    if (stop->CanFocus()) {
      stop->SetFocus();
      return;
    }
}

void TForm::TextChanged() {
  // Window titles have no accelerators; a caption shared with a button
  // (the About box's title) shows without its marks.
  Widget()->setWindowTitle(PlainWindowTitle(StripAccelChars(Caption())));
}

void TForm::ColorChanged() {
  QPalette pal = Widget()->palette();
  pal.setColor(QPalette::Window, ToQColor(Color()));
  Widget()->setPalette(pal);
  TWinControl::ColorChanged();
}
