#include "helper_window.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace {

int QtKeyOf(std::uint16_t Key) {
  switch (Key) {
  case 0x09:
    return Qt::Key_Tab;
  case 0x0D:
    return Qt::Key_Return;
  case 0x1B:
    return Qt::Key_Escape;
  case 0x20:
    return Qt::Key_Space;
  case 0x25:
    return Qt::Key_Left;
  case 0x26:
    return Qt::Key_Up;
  case 0x27:
    return Qt::Key_Right;
  case 0x28:
    return Qt::Key_Down;
  case 0x5D:
    return Qt::Key_Menu;
  default:
    return Key;
  }
}

} // namespace

bool SendKeyPress(TControl &C, std::uint16_t Key, const std::string &Text) {
  QKeyEvent press(QEvent::KeyPress, QtKeyOf(Key), Qt::NoModifier, QString::fromStdString(Text));
  QCoreApplication::sendEvent(C.Widget(), &press);
  return press.isAccepted();
}

void ResizeWindow(TControl &C, int Width, int Height) {
  C.Widget()->resize(Width, Height);
}

int WindowWidth(TControl &C) {
  return C.Widget()->width();
}

std::string WindowTitle(TControl &C) {
  return C.Widget()->windowTitle().toStdString();
}

std::string SystemApplicationName() {
  return QGuiApplication::applicationDisplayName().toStdString();
}

TRect WindowBounds(TControl &C) {
  const QRect g = C.Widget()->geometry();
  return Bounds(g.x(), g.y(), g.width(), g.height());
}

void UserSetsValue(TControl &C, int Value) {
  if (qobject_cast<QAbstractButton *>(C.Widget()))
    C.Widget()->setProperty("checked", Value != 0);
  else
    C.Widget()->setProperty("value", Value);
}

void UserPages(TControl &C, bool Forward) {
  if (auto *slider = qobject_cast<QAbstractSlider *>(C.Widget()))
    slider->triggerAction(Forward ? QAbstractSlider::SliderPageStepAdd
                                  : QAbstractSlider::SliderPageStepSub);
}

bool ShowsMinimumFirst(TControl &C) {
  auto *slider = qobject_cast<QAbstractSlider *>(C.Widget());
  if (!slider) return false;
  // Qt shows a vertical slider's minimum at the bottom unless inverted.
  return slider->invertedAppearance() == (slider->orientation() == Qt::Vertical);
}

std::string ShownText(TControl &C) {
  const QVariant plain = C.Widget()->property("plainText");
  return (plain.isValid() ? plain : C.Widget()->property("text")).toString().toStdString();
}

std::string ShownHint(TControl &C) {
  return C.Widget()->toolTip().toStdString();
}

void RunLater(int Milliseconds, std::function<void()> Action) {
  QTimer::singleShot(Milliseconds, std::move(Action));
}

bool ShowActive(TControl &C) {
  C.Show();
  C.Widget()->activateWindow();
  return QTest::qWaitForWindowActive(C.Widget());
}

void ProcessPendingEvents() {
  QApplication::processEvents();
}

void SendKeyClick(TControl &C, std::uint16_t Key, TShiftState Shift) {
  Qt::KeyboardModifiers mods;
  if (Shift.Contains(ssCtrl)) mods |= Qt::ControlModifier;
  if (Shift.Contains(ssShift)) mods |= Qt::ShiftModifier;
  if (Shift.Contains(ssAlt)) mods |= Qt::AltModifier;
  QTest::keyClick(C.Widget(), Qt::Key(QtKeyOf(Key)), mods);
}

void RequestContextMenu(TControl &C, bool FromKeyboard) {
  QContextMenuEvent request(FromKeyboard ? QContextMenuEvent::Keyboard : QContextMenuEvent::Mouse,
                            QPoint(5, 5), C.Widget()->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(C.Widget(), &request);
}

void SendMouse(TControl &C, TMouseAction Action, TMouseButton Button, int X, int Y,
               TShiftState Shift) {
  const Qt::MouseButton b = Button == mbLeft    ? Qt::LeftButton
                            : Button == mbRight ? Qt::RightButton
                                                : Qt::MiddleButton;
  const QEvent::Type type = Action == maPress     ? QEvent::MouseButtonPress
                            : Action == maRelease ? QEvent::MouseButtonRelease
                                                  : QEvent::MouseButtonDblClick;
  Qt::KeyboardModifiers mods;
  if (Shift.Contains(ssShift)) mods |= Qt::ShiftModifier;
  if (Shift.Contains(ssCtrl)) mods |= Qt::ControlModifier;
  if (Shift.Contains(ssAlt)) mods |= Qt::AltModifier;
  QWidget *w = C.Widget();
  const QPointF p(X, Y);
  QMouseEvent e(type, p, w->mapToGlobal(p), b, Action == maRelease ? Qt::NoButton : b, mods);
  QCoreApplication::sendEvent(w, &e);
}

TPoint CursorHotSpot(TControl &C) {
  const QPoint spot = C.Widget()->cursor().hotSpot();
  return Point(spot.x(), spot.y());
}

bool ShowsHandCursor(TControl &C) {
  return C.Widget()->cursor().shape() == Qt::PointingHandCursor;
}

int MinimumWindowWidth(TControl &C) {
  return C.Widget()->minimumWidth();
}

int MaximumWindowWidth(TControl &C) {
  return C.Widget()->maximumWidth();
}

bool WindowVisible(TControl &C) {
  return C.Widget()->isVisible();
}
