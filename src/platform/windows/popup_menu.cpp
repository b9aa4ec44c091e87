// The desktop's pop-up menu on Windows: a menu built from the entries and
// run with TrackPopupMenuEx, which returns the chosen command.
#include "platform/popup_menu.h"

#include "platform/control.h"
#include "platform/windows/wide_string.h"

#include "platform/windows/system.h"

namespace {

/// Appends Items to Menu; Commands collects the entries' commands, an
/// entry's menu identifier being its index there plus one.
void AddItems(HMENU Menu, const std::vector<TPopupMenuItem> &Items, std::vector<int> &Commands) {
  for (const TPopupMenuItem &item : Items) {
    if (item.Separator) {
      AppendMenuW(Menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    const UINT state = item.Enabled ? MF_ENABLED : MF_GRAYED;
    if (!item.Submenu.empty()) {
      HMENU sub = CreatePopupMenu();
      AddItems(sub, item.Submenu, Commands);
      AppendMenuW(Menu, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(sub),
                  WideFromUtf8(item.Caption).c_str());
      continue;
    }
    Commands.push_back(item.Command);
    // The keys follow a tab, where menus show them.
    const std::string text = item.Shortcut.empty() ? item.Caption : item.Caption + "\t" + item.Shortcut;
    AppendMenuW(Menu, MF_STRING | state | (item.Checkable && item.Checked ? MF_CHECKED : 0),
                UINT_PTR(Commands.size()), WideFromUtf8(text).c_str());
  }
}

class TDesktopPopupMenu : public TPopupMenuService {
public:
  int Popup(TControl &Owner, TPoint At, const std::vector<TPopupMenuItem> &Items) override {
    HMENU menu = CreatePopupMenu();
    std::vector<int> commands;
    AddItems(menu, Items, commands);
    const TPoint screen = Owner.ClientToScreen(At);
    HWND owner = GetAncestor(Owner.Widget(), GA_ROOT);
    const int chosen = int(TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                            screen.X, screen.Y, owner, nullptr));
    DestroyMenu(menu);
    if (chosen <= 0 || std::size_t(chosen) > commands.size()) return -1;
    return commands[std::size_t(chosen - 1)];
  }
};

} // namespace

TPopupMenuService &DesktopPopupMenuService() {
  static TDesktopPopupMenu desktop;
  return desktop;
}
