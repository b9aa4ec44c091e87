#pragma once
// Asking the user for the name of a file to save, through the desktop's own
// file dialog. Tests install an answering dialog in place of the desktop's.
#include <memory>
#include <optional>
#include <string>

class TControl;

/// What a save dialog asks.
struct TSaveDialogRequest {
  std::string Title;
  /// File types offered, in the desktop's filter form: "PNG picture (*.png)".
  std::string Filter;
  /// Proposed file name (no directory: the dialog starts in its usual place).
  std::string FileName;
  /// Appended when the chosen name has no extension, for example "png".
  std::string DefaultExtension;
};

/// The desktop's side of a save dialog.
class TSaveDialogService {
public:
  virtual ~TSaveDialogService() = default;
  /// Shows the dialog over Owner's window and waits; the chosen path, or
  /// nothing when the user cancelled. The dialog itself asks before an
  /// existing file is replaced.
  virtual std::optional<std::string> AskSaveFileName(TControl *Owner,
                                                     const TSaveDialogRequest &Request) = 0;
};

/// Platform-internal: the desktop's own dialog (the back end's).
TSaveDialogService &DesktopSaveDialogService();
/// The dialog in use: the desktop's unless a test installed another.
TSaveDialogService &SaveDialogService();
/// Installs Service (null: the desktop's again) and returns the previous one.
std::unique_ptr<TSaveDialogService> SetSaveDialogService(std::unique_ptr<TSaveDialogService> Service);

/// Path with ".Extension" appended when its file name has no extension.
std::string WithDefaultExtension(const std::string &Path, const std::string &Extension);
