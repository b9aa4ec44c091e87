#include "widgets/url_lab.h"

#include "platform/application.h"
#include "platform/property_registry.h"
#include "platform/shell_launcher.h"
#include "support/string_utils.h"
#include "support/zelt_errors.h"

namespace {

/// The file name's extension from its last ".", or empty when it has none.
std::string FileExtension(const std::string &Path) {
  const std::size_t dot = Path.find_last_of('.');
  const std::size_t separator = Path.find_last_of("/\\");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return {};
  return Path.substr(dot);
}

bool IsWebAddress(const std::string &Url) {
  const std::string lower = LowerAscii(Url);
  return StartsWith(lower, "http://") || StartsWith(lower, "https://");
}

} // namespace

TUrlLab::TUrlLab(TComponent *AOwner) : TLabel(AOwner) {
  // A link shows its caption exactly as written: an address or a name with
  // "&" in it is not an accelerator.
  SetShowAccelChar(false);
  SetKeyboardFocusable(true);
  fontActive_.Assign(*Font());
  normalFont_.Assign(*Font());
}

void TUrlLab::RepaintIfVisible() {
  if (Visible()) Repaint();
}

void TUrlLab::SetURL(const std::string &Value) {
  const std::string trimmed = TrimBlanks(Value);
  if (trimmed == url_) return;
  url_ = trimmed;
  RepaintIfVisible();
  AccessibleChanged(acDescription);
}

void TUrlLab::SetTaskParams(const std::string &Value) {
  const std::string trimmed = TrimBlanks(Value);
  if (trimmed == taskParams_) return;
  taskParams_ = trimmed;
  RepaintIfVisible();
}

void TUrlLab::SetFontActive(const TFont *Value) {
  if (!Value || Value == &fontActive_ || fontActive_.SameAs(*Value)) return;
  fontActive_.Assign(*Value);
  RepaintIfVisible();
}

void TUrlLab::Loaded() {
  TLabel::Loaded();
  normalFont_.Assign(*Font());
}

void TUrlLab::MouseEnter() {
  TLabel::MouseEnter();
  if (Enabled()) Font()->Assign(fontActive_);
}

void TUrlLab::MouseLeave() {
  TLabel::MouseLeave();
  if (Enabled()) Font()->Assign(normalFont_);
}

void TUrlLab::OpenWebAddress() {
  // The browser may take a moment to appear; the application-start cursor
  // says that something is on its way. It goes back even when opening throws.
  struct CursorRestorer {
    TUrlLab *Label;
    TCursor Saved;
    ~CursorRestorer() { Label->SetCursor(Saved); }
  } restorer{this, Cursor()};
  SetCursor(crAppStart);
  Application->ProcessMessages();
  if (!ShellLauncher().OpenUrl(url_))
    throw EZeltURLLabError(openFailedText_ + "\n\n" + url_);
}

void TUrlLab::StartProgram() {
  if (LowerAscii(FileExtension(url_)) != ".exe")
    throw EZeltURLLabError("Component \"" + Name() + "\": URL of URLLab is invalid");
  const int error = ShellLauncher().StartProgram(url_, SplitParameters(taskParams_));
  if (error != 0)
    throw EZeltURLLabError("Component \"" + Name() + "\": Cannot start executable (errnum=" +
                           std::to_string(error) + ")");
}

void TUrlLab::Click() {
  if (!url_.empty()) {
    if (IsWebAddress(url_))
      OpenWebAddress();
    else
      StartProgram();
  }
  TLabel::Click();
}

void RegisterUrlLab() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterPlatformClasses();
  RegisterClass<TUrlLab, TLabel>("TUrlLab")
      .Text("URL", &TUrlLab::URL, &TUrlLab::SetURL)
      .Text("TaskParams", &TUrlLab::TaskParams, &TUrlLab::SetTaskParams)
      .Text("OpenFailedText", &TUrlLab::OpenFailedText, &TUrlLab::SetOpenFailedText)
      .Object("FontActive", [](TUrlLab *l) { return l->FontActive(); });
}
