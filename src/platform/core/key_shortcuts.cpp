// The window shortcuts' bookkeeping, the same on every system: the bound
// combinations and running one by its text. Binding the keys to the window
// is the back end's (Add).
#include "platform/key_shortcuts.h"

#include "platform/control.h"
#include "platform/exceptions.h"

TKeyShortcuts::TBinding &TKeyShortcuts::NewBinding(const std::string &Keys,
                                                   std::function<void()> Action) {
  const std::string keys = NormalisedKeys(Keys);
  if (keys.empty()) throw Exception("\"" + Keys + "\" is not a key combination");
  for (const auto &b : bindings_)
    if (b->Keys == keys) throw Exception("The key combination " + keys + " is bound already");
  auto binding = std::make_unique<TBinding>();
  binding->Keys = keys;
  binding->Action = std::move(Action);
  bindings_.push_back(std::move(binding));
  return *bindings_.back();
}

std::vector<std::string> TKeyShortcuts::Keys() const {
  std::vector<std::string> keys;
  for (const auto &b : bindings_)
    keys.push_back(b->Keys);
  return keys;
}

bool TKeyShortcuts::Activate(const std::string &Keys) const {
  const std::string keys = NormalisedKeys(Keys);
  for (const auto &b : bindings_)
    if (b->Keys == keys) {
      DispatchSafely(b->Action);
      return true;
    }
  return false;
}
