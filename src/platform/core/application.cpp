// What the application object does on every system: the event dispatch
// that shows exceptions, the main form, ending the program (with any modal
// form showing), error boxes and the list of registered cursors. The loop,
// cursors and windows themselves are the back end's (qt/application.cpp,
// windows/application.cpp).
#include "platform/application.h"

#include "platform/exceptions.h"
#include "platform/form.h"
#include "platform/message_box.h"

TApplication *const Application = new TApplication();

void DispatchSafely(const std::function<void()> &Action) {
  try {
    Action();
  } catch (const std::exception &e) {
    Application->HandleException(e);
  }
}

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() = default;

void TApplication::SetTitle(const std::string &Value) {
  // Kept here only: as the system's application name it would be appended
  // to every window title on some window systems.
  title_ = Value;
}

void TApplication::AddForm(TForm *Form) {
  if (!initialized_) Initialize();
  if (!mainForm_) mainForm_ = Form;
}

void TApplication::Terminate() {
  terminated_ = true;
  QuitMainLoop();
  // A modal form showing now ends with mrCancel, so the application ends
  // even while a dialog is up (a host's quit message may come at any time).
  for (int i = ComponentCount() - 1; i >= 0; --i)
    if (auto *form = dynamic_cast<TForm *>(Components(i)); form && form->Modal())
      form->SetModalResult(mrCancel);
}

void TApplication::FormClosed(TForm *Form) {
  if (Form == mainForm_) Terminate();
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

bool TApplication::HasCursor(TCursor Index) const {
  return Index <= 0 || cursors_.count(Index) > 0;
}

const TApplication::CursorImage *TApplication::RegisteredCursor(TCursor Index) const {
  auto it = cursors_.find(Index);
  return it == cursors_.end() ? nullptr : it->second.get();
}
