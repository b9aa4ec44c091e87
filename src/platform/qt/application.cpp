#include "platform/application.h"
#include "platform/form.h"
#include "platform/message_box.h"
#include "platform/property_registry.h"
#include "platform/resources.h"
#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <typeinfo>
#include <vector>

struct TApplication::CursorImage {
  QCursor cursor;
};

TApplication *const Application = new TApplication();

void DispatchSafely(const std::function<void()> &Action) {
  try {
    Action();
  } catch (const std::exception &e) {
    Application->HandleException(e);
  }
}

namespace {
void DestroyApplicationForms() {
  Application->DestroyComponents();
}
} // namespace

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() = default;

void TApplication::Initialize() {
  RegisterPlatformClasses();
  if (initialized_) return;
  initialized_ = true;
  if (qApp) {
    QApplication::setQuitOnLastWindowClosed(false);
    // Forms must go while Qt is still there: destroy them when it ends.
    qAddPostRoutine(DestroyApplicationForms);
  }
}

void TApplication::SetTitle(const std::string &Value) {
  // Kept here only: as Qt's application display name it would be appended
  // to every window title on some window systems.
  title_ = Value;
}

void TApplication::AddForm(TForm *Form) {
  if (!initialized_) Initialize();
  if (!mainForm_) mainForm_ = Form;
}

void TApplication::Run() {
  if (!initialized_) Initialize();
  if (terminated_) return;
  if (mainForm_ && !mainForm_->Visible()) mainForm_->Show();
  if (terminated_ || !mainForm_) return;
  QEventLoop loop;
  loop_ = &loop;
  loop.exec();
  loop_ = nullptr;
}

void TApplication::Terminate() {
  terminated_ = true;
  if (loop_) loop_->quit();
  // A modal form showing now ends with mrCancel, so the application ends
  // even while a dialog is up (a host's quit message may come at any time).
  for (int i = ComponentCount() - 1; i >= 0; --i)
    if (auto *form = dynamic_cast<TForm *>(Components(i)); form && form->Modal())
      form->SetModalResult(mrCancel);
}

void TApplication::FormClosed(TForm *Form) {
  if (Form == mainForm_) Terminate();
}

void TApplication::ProcessMessages() {
  QApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::BringToFront() {
  // Minimised windows count as visible: they are restored first, then
  // raised and activated, a modal window last so it stays on top.
  std::vector<QWidget *> windows;
  for (QWidget *w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->isWindow()) windows.push_back(w);
  QWidget *modal = QApplication::activeModalWidget();
  std::stable_partition(windows.begin(), windows.end(), [modal](QWidget *w) { return w != modal; });
  for (QWidget *w : windows)
    if (w->isMinimized()) w->setWindowState((w->windowState() & ~Qt::WindowMinimized));
  for (QWidget *w : windows) {
    w->raise();
    w->activateWindow();
  }
}

void TApplication::HandleException(const std::exception &E) {
  if (OnException) {
    OnException(this, E);
    return;
  }
  std::string text;
  if (auto *ex = dynamic_cast<const Exception *>(&E))
    text = ex->Message();
  else
    text = E.what();
  ShowMessageBox(text, title_, mtError);
}

int TApplication::MessageBox(const std::string &Text, const std::string &Caption) {
  return ShowMessageBox(Text, Caption.empty() ? title_ : Caption, mtInformation);
}

void TApplication::SetCursor(TCursor Value) {
  if (Value == cursor_) return;
  if (cursor_ != crDefault) QApplication::restoreOverrideCursor();
  cursor_ = Value;
  if (cursor_ != crDefault && qApp) {
    QWidget probe;
    ApplyCursor(&probe, cursor_);
    QApplication::setOverrideCursor(probe.cursor());
  }
}

bool TApplication::SetCursorImage(TCursor Index, const std::string &PictureName, int HotX,
                                  int HotY) {
  QImage img;
  if (auto data = FindResource(PictureName))
    img.loadFromData(reinterpret_cast<const uchar *>(data->data()), int(data->size()));
  else
    img.load(QString::fromStdString(PictureName));
  // Cursors are screen objects: without a GUI application there are none.
  if (img.isNull() || Index <= 0 || !qGuiApp) return false;
  auto entry = std::make_shared<CursorImage>();
  entry->cursor = QCursor(QPixmap::fromImage(img), HotX, HotY);
  cursors_[Index] = entry;
  return true;
}

bool TApplication::HasCursor(TCursor Index) const {
  return Index <= 0 || cursors_.count(Index) > 0;
}

void TApplication::ApplyCursor(QWidget *Widget, TCursor Cursor) const {
  if (auto it = cursors_.find(Cursor); it != cursors_.end()) {
    Widget->setCursor(it->second->cursor);
    return;
  }
  Qt::CursorShape shape;
  switch (Cursor) {
  case crNone:
    shape = Qt::BlankCursor;
    break;
  case crCross:
    shape = Qt::CrossCursor;
    break;
  case crIBeam:
    shape = Qt::IBeamCursor;
    break;
  case crSizeNESW:
    shape = Qt::SizeBDiagCursor;
    break;
  case crSizeNS:
  case crVSplit:
    shape = Qt::SizeVerCursor;
    break;
  case crSizeNWSE:
    shape = Qt::SizeFDiagCursor;
    break;
  case crSizeWE:
  case crHSplit:
    shape = Qt::SizeHorCursor;
    break;
  case crUpArrow:
    shape = Qt::UpArrowCursor;
    break;
  case crHourGlass:
    shape = Qt::WaitCursor;
    break;
  case crDrag:
    shape = Qt::DragCopyCursor;
    break;
  case crNoDrop:
  case crNo:
    shape = Qt::ForbiddenCursor;
    break;
  case crAppStart:
    shape = Qt::BusyCursor;
    break;
  case crHelp:
    shape = Qt::WhatsThisCursor;
    break;
  case crHandPoint:
    shape = Qt::PointingHandCursor;
    break;
  case crSizeAll:
    shape = Qt::SizeAllCursor;
    break;
  case crArrow:
    shape = Qt::ArrowCursor;
    break;
  default:
    Widget->unsetCursor();
    return;
  }
  Widget->setCursor(QCursor(shape));
}

std::string TApplication::ExeName() const {
  return qApp ? QApplication::applicationFilePath().toStdString() : std::string();
}
