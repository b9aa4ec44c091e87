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

namespace {
void DestroyApplicationForms() {
  Application->DestroyComponents();
}
} // namespace

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

void TApplication::QuitMainLoop() {
  if (loop_) loop_->quit();
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
