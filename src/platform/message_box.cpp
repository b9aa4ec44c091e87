#include "platform/message_box.h"
#include "platform/application.h"
#include "platform/control_qt.h"
#include "platform/message_box_qt.h"
#include <QGuiApplication>
#include <QMessageBox>
#include <cstdio>

namespace {
TMessageBoxSink &Sink() {
  static TMessageBoxSink sink;
  return sink;
}
} // namespace

TMessageBoxSink SetMessageBoxSink(TMessageBoxSink NewSink) {
  TMessageBoxSink old = std::move(Sink());
  Sink() = std::move(NewSink);
  return old;
}

TModalResult ShowMessageBox(const std::string &Text, const std::string &Caption, TMsgDlgType Type) {
  TMessageBoxRequest request{Text, Caption, Type};
  if (Sink()) return Sink()(request);
  if (!QGuiApplication::instance() || QGuiApplication::platformName() == "offscreen") {
    std::fprintf(stderr, "%s: %s\n", Caption.c_str(), Text.c_str());
    return mrOk;
  }
  NewMessageBox(request)->exec();
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
