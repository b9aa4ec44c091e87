#pragma once
// Pop-up menus: a list of commands shown at a point of a control, which
// returns the one the user chose. Tests install a recording menu in place of
// the desktop's.
#include "platform/geometry.h"

#include <memory>
#include <string>
#include <vector>

class TControl;

/// One entry of a pop-up menu. Entries with a non-empty Submenu open it
/// instead of being chosen themselves.
struct TPopupMenuItem {
  std::string Caption;  // may carry an accelerator mark "&"
  std::string Shortcut; // shown beside the caption, for example "Ctrl+F"
  bool Checkable = false;
  bool Checked = false;
  bool Enabled = true;
  bool Separator = false; // a dividing line; the other fields are ignored
  /// Returned when the entry is chosen; entries of submenus have their own.
  int Command = 0;
  std::vector<TPopupMenuItem> Submenu;
};

/// The desktop's side of showing a pop-up menu.
class TPopupMenuService {
public:
  virtual ~TPopupMenuService() = default;
  /// Shows Items at the client point At of Owner and waits for the choice.
  /// Returns the Command of the chosen entry, or nothing (-1) when the menu
  /// was closed without a choice.
  virtual int Popup(TControl &Owner, TPoint At, const std::vector<TPopupMenuItem> &Items) = 0;
};

/// Platform-internal: the desktop's own menu service (the back end's).
TPopupMenuService &DesktopPopupMenuService();
/// The menu service in use: the desktop's unless a test installed another.
TPopupMenuService &PopupMenuService();
/// Installs Service (null: the desktop's again) and returns the previous one.
std::unique_ptr<TPopupMenuService> SetPopupMenuService(std::unique_ptr<TPopupMenuService> Service);
