// The menu service in use: the desktop's (the back end's) unless a test
// installed its own.
#include "platform/popup_menu.h"

namespace {
std::unique_ptr<TPopupMenuService> &Installed() {
  static std::unique_ptr<TPopupMenuService> service;
  return service;
}
} // namespace

TPopupMenuService &PopupMenuService() {
  return Installed() ? *Installed() : DesktopPopupMenuService();
}

std::unique_ptr<TPopupMenuService> SetPopupMenuService(std::unique_ptr<TPopupMenuService> Service) {
  std::unique_ptr<TPopupMenuService> previous = std::move(Installed());
  Installed() = std::move(Service);
  return previous;
}
