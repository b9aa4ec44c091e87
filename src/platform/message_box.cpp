#include "platform/message_box.h"
#include "platform/application.h"
#include <QGuiApplication>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>

namespace {
TMessageBoxSink &Sink() {
  static TMessageBoxSink sink;
  return sink;
}
// Boxes on screen now, innermost last.
std::vector<QMessageBox *> g_open;
bool g_ended = false;
} // namespace

void EndMessageBoxes() {
  g_ended = true;
  for (auto it = g_open.rbegin(); it != g_open.rend(); ++it)
    (*it)->done(QMessageBox::Ok);
}

TMessageBoxSink SetMessageBoxSink(TMessageBoxSink NewSink) {
  TMessageBoxSink old = std::move(Sink());
  Sink() = std::move(NewSink);
  return old;
}

TModalResult ShowMessageBox(const std::string &Text, const std::string &Caption, TMsgDlgType Type) {
  TMessageBoxRequest request{Text, Caption, Type};
  if (Sink()) return Sink()(request);
  if (g_ended || !QGuiApplication::instance() || QGuiApplication::platformName() == "offscreen") {
    std::fprintf(stderr, "%s: %s\n", Caption.c_str(), Text.c_str());
    return mrOk;
  }
  QMessageBox::Icon icon = QMessageBox::Information;
  if (Type == mtError)
    icon = QMessageBox::Critical;
  else if (Type == mtWarning)
    icon = QMessageBox::Warning;
  else if (Type == mtConfirmation)
    icon = QMessageBox::Question;
  QMessageBox box(icon, QString::fromStdString(Caption), QString::fromStdString(Text),
                  QMessageBox::Ok);
  g_open.push_back(&box);
  box.exec();
  g_open.erase(std::find(g_open.begin(), g_open.end(), &box));
  return mrOk;
}

void ShowMessage(const std::string &Text) {
  ShowMessageBox(Text, Application->Title(), mtInformation);
}

TMessageBoxRecorder::TMessageBoxRecorder() {
  previous_ = SetMessageBoxSink([this](const TMessageBoxRequest &r) {
    Messages.push_back(r);
    return mrOk;
  });
}

TMessageBoxRecorder::~TMessageBoxRecorder() {
  SetMessageBoxSink(std::move(previous_));
}
