#include "platform/message_box.h"
#include "platform/application.h"
#include "platform/qt/control_qt.h"
#include "platform/qt/message_box_qt.h"
#include <QGuiApplication>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>

namespace {
// Boxes on screen now, innermost last.
std::vector<QMessageBox *> g_open;
bool g_ended = false;
} // namespace

void EndMessageBoxes() {
  g_ended = true;
  for (auto it = g_open.rbegin(); it != g_open.rend(); ++it)
    (*it)->done(QMessageBox::Ok);
}

TModalResult ShowMessageBox(const std::string &Text, const std::string &Caption, TMsgDlgType Type) {
  TMessageBoxRequest request{Text, Caption, Type};
  if (const TMessageBoxSink &sink = MessageBoxSink()) return sink(request);
  if (g_ended || !QGuiApplication::instance() || QGuiApplication::platformName() == "offscreen") {
    std::fprintf(stderr, "%s: %s\n", Caption.c_str(), Text.c_str());
    return mrOk;
  }
  const std::unique_ptr<QMessageBox> box = NewMessageBox(request);
  g_open.push_back(box.get());
  box->exec();
  g_open.erase(std::find(g_open.begin(), g_open.end(), box.get()));
  return mrOk;
}

std::unique_ptr<QMessageBox> NewMessageBox(const TMessageBoxRequest &Request) {
  QMessageBox::Icon icon = QMessageBox::Information;
  if (Request.Type == mtError)
    icon = QMessageBox::Critical;
  else if (Request.Type == mtWarning)
    icon = QMessageBox::Warning;
  else if (Request.Type == mtConfirmation)
    icon = QMessageBox::Question;
  auto box = std::make_unique<QMessageBox>(icon, PlainWindowTitle(Request.Caption), QString(),
                                           QMessageBox::Ok);
  box->setTextFormat(Qt::PlainText);
  box->setText(QString::fromStdString(Request.Text));
  return box;
}
