// The desktop's pop-up menu: a QMenu built from the entries and run modally.
#include "platform/popup_menu.h"

#include "platform/control.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace {

QString Text(const std::string &S) {
  return QString::fromUtf8(S.data(), qsizetype(S.size()));
}

void AddItems(QMenu &Menu, const std::vector<TPopupMenuItem> &Items) {
  for (const TPopupMenuItem &item : Items) {
    if (item.Separator) {
      Menu.addSeparator();
      continue;
    }
    if (!item.Submenu.empty()) {
      QMenu *sub = Menu.addMenu(Text(item.Caption));
      sub->setEnabled(item.Enabled);
      AddItems(*sub, item.Submenu);
      continue;
    }
    // The keys follow a tab, where menus show them; they are not bound here,
    // the window's own shortcuts carry out the commands.
    QAction *action = Menu.addAction(
        Text(item.Shortcut.empty() ? item.Caption : item.Caption + "\t" + item.Shortcut));
    action->setData(item.Command);
    action->setEnabled(item.Enabled);
    action->setCheckable(item.Checkable);
    action->setChecked(item.Checked);
  }
}

class TDesktopPopupMenu : public TPopupMenuService {
public:
  int Popup(TControl &Owner, TPoint At, const std::vector<TPopupMenuItem> &Items) override {
    QWidget *widget = Owner.Widget();
    QMenu menu(widget);
    AddItems(menu, Items);
    const QPoint global = widget ? widget->mapToGlobal(QPoint(At.X, At.Y)) : QPoint(At.X, At.Y);
    QAction *chosen = menu.exec(global);
    return chosen ? chosen->data().toInt() : -1;
  }
};

} // namespace

TPopupMenuService &DesktopPopupMenuService() {
  static TDesktopPopupMenu desktop;
  return desktop;
}
