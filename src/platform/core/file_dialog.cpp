// The save dialog in use (the desktop's, the back end's, unless a test
// installed its own) and the default extension rule.
#include "platform/file_dialog.h"

#include <filesystem>

namespace {
std::unique_ptr<TSaveDialogService> &Installed() {
  static std::unique_ptr<TSaveDialogService> service;
  return service;
}
} // namespace

TSaveDialogService &SaveDialogService() {
  return Installed() ? *Installed() : DesktopSaveDialogService();
}

std::unique_ptr<TSaveDialogService> SetSaveDialogService(std::unique_ptr<TSaveDialogService> Service) {
  std::unique_ptr<TSaveDialogService> previous = std::move(Installed());
  Installed() = std::move(Service);
  return previous;
}

std::string WithDefaultExtension(const std::string &Path, const std::string &Extension) {
  if (Extension.empty() || Path.empty()) return Path;
  // The path is UTF-8 on every system.
  const std::filesystem::path path(std::u8string(Path.begin(), Path.end()));
  if (path.filename().has_extension()) return Path;
  return Path + "." + Extension;
}
