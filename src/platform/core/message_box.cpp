// What message boxes do on every system: the sink tests install, the
// recorder, and the information box with the application's title. Showing
// a box is the back end's (qt/message_box.cpp, windows/message_box.cpp).
#include "platform/message_box.h"

#include "platform/application.h"

namespace {
TMessageBoxSink &Sink() {
  static TMessageBoxSink sink;
  return sink;
}
} // namespace

const TMessageBoxSink &MessageBoxSink() {
  return Sink();
}

TMessageBoxSink SetMessageBoxSink(TMessageBoxSink NewSink) {
  TMessageBoxSink old = std::move(Sink());
  Sink() = std::move(NewSink);
  return old;
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
