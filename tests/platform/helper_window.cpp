#include "helper_window.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
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
