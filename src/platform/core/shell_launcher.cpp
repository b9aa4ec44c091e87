#include "platform/shell_launcher.h"

namespace {

std::unique_ptr<TShellLauncher> &Installed() {
  static std::unique_ptr<TShellLauncher> launcher = NewDesktopLauncher();
  return launcher;
}

} // namespace

TShellLauncher &ShellLauncher() {
  return *Installed();
}

std::unique_ptr<TShellLauncher> SetShellLauncher(std::unique_ptr<TShellLauncher> Launcher) {
  std::unique_ptr<TShellLauncher> previous = std::move(Installed());
  Installed() = Launcher ? std::move(Launcher) : NewDesktopLauncher();
  return previous;
}

std::vector<std::string> SplitParameters(const std::string &Text) {
  std::vector<std::string> out;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (char c : Text) {
    if (c == '"') {
      quoted = !quoted;
      inArgument = true;
    } else if (!quoted && (c == ' ' || c == '\t')) {
      if (inArgument) out.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) out.push_back(current);
  return out;
}
