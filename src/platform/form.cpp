#include "platform/form.h"
#include "platform/application.h"
#include "platform/canvas_qt.h"
#include "platform/control_qt.h"
#include "platform/strings.h"
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
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

private:
  TForm *form_;
};

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

TForm::~TForm() {
  if (modalLoop_) modalLoop_->quit();
  // The components go while this is still the main form: a component that
  // speaks for the whole program (the host connection ends the application)
  // asks whether its owner is the main form as it goes.
  DestroyComponents();
  if (Application->MainForm() == this) Application->SetMainForm(nullptr);
}

void TForm::BeforeDestruction() {
  if (destroyed_) return;
  destroyed_ = true;
  DispatchSafely([&] { DoDestroy(); });
}

void TForm::InitializeForm(const std::string &DescriptionName) {
  std::optional<std::string> text = FindFormText(DescriptionName);
  if (!text) throw EFormError(0, "No form description named " + DescriptionName);
  ReadComponentText(this, *text, &handlers_);
  for (const FieldBinding &f : fields_)
    if (!f.Bind(FindComponent(f.Name)))
      throw EComponentError("Form " + DescriptionName + " has no component " + f.Name +
                            " of the expected class");
  DispatchSafely([&] { DoCreate(); });
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}
void TForm::DoShow() {
  if (OnShow) OnShow(this);
}
void TForm::DoHide() {
  if (OnHide) OnHide(this);
}
void TForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}

void TForm::SetVisible(bool Value) {
  if (Value == Visible()) return;
  if (Value) {
    // The show handler runs before the window appears (it may even show
    // another form modally first).
    DispatchSafely([&] { DoShow(); });
    if (position_ == poScreenCenter || position_ == poDesktopCenter) CenterOnScreen();
    UpdateTabOrder();
    TControl::SetVisible(true);
    Widget()->show();
    shownOnce_ = true;
  } else {
    TControl::SetVisible(false);
    Widget()->hide();
    DispatchSafely([&] { DoHide(); });
  }
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

void TForm::SetModalResult(TModalResult Value) {
  modalResult_ = Value;
  if (modal_ && Value != mrNone) Close();
}

void TForm::Close() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  if (!canClose) {
    if (modal_) modalResult_ = mrNone;
    return;
  }
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) {
    if (modal_) modalResult_ = mrNone;
    return;
  }
  if (modal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    if (modalLoop_) modalLoop_->quit();
    return;
  }
  SetVisible(false);
  Application->FormClosed(this);
}

void TForm::SetBorderStyle(TFormBorderStyle Value) {
  borderStyle_ = Value;
  ApplyWindowFlags();
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
  bool fixed = borderStyle_ == bsDialog || borderStyle_ == bsSingle || borderStyle_ == bsToolWindow;
  if (!fixed) {
    w->setMinimumSize(c.MinWidth(), c.MinHeight());
    w->setMaximumSize(c.MaxWidth() > 0 ? c.MaxWidth() : MaxControlSize,
                      c.MaxHeight() > 0 ? c.MaxHeight() : MaxControlSize);
  }
  TWinControl::ConstraintsChanged();
  if (fixed) w->setFixedSize(Width(), Height());
}

TSize TForm::ConstrainedSize(int AWidth, int AHeight) const {
  // A fixed border fixes the window at the size code gives it.
  if (borderStyle_ == bsDialog || borderStyle_ == bsSingle || borderStyle_ == bsToolWindow)
    return TSize{AWidth, AHeight};
  return TControl::ConstrainedSize(AWidth, AHeight);
}

void TForm::BoundsChanged() {
  TWinControl::BoundsChanged();
  if (borderStyle_ == bsDialog || borderStyle_ == bsSingle || borderStyle_ == bsToolWindow)
    Widget()->setFixedSize(Width(), Height());
}

void TForm::CenterOnScreen() {
  QScreen *screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect area = screen->availableGeometry();
  SetBounds(area.x() + (area.width() - Width()) / 2, area.y() + (area.height() - Height()) / 2,
            Width(), Height());
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
