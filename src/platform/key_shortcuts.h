#pragma once
// Keyboard shortcuts of a window: a key combination anywhere in the window
// runs a command, whichever control has the focus. Combinations are written
// in portable text ("Ctrl+F", "Ctrl+Shift+S", "Menu", "Shift+F10"); "Menu",
// the key that asks for a context menu, also takes that request from any
// control of the window. Tests run
// a shortcut by its text, as the desktop does when the keys are pressed.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TWinControl;

/// The shortcuts of one window; they last as long as this object.
class TKeyShortcuts {
public:
  /// Shortcuts of Window (usually a form), which must outlive this object.
  explicit TKeyShortcuts(TWinControl &Window);
  ~TKeyShortcuts();
  TKeyShortcuts(const TKeyShortcuts &) = delete;
  TKeyShortcuts &operator=(const TKeyShortcuts &) = delete;

  /// Binds Keys to Action; the action runs through the event dispatch, so an
  /// exception is shown in a message box. Raises Exception for a text that
  /// is not a key combination or one bound already.
  void Add(const std::string &Keys, std::function<void()> Action);
  /// The bound combinations, in the order they were added.
  std::vector<std::string> Keys() const;
  /// Runs the action bound to Keys as a key press would; false when none is.
  bool Activate(const std::string &Keys) const;

private:
  /// One combination, its action, and what the back end made for it.
  struct TBinding {
    std::string Keys;
    std::function<void()> Action;
    std::shared_ptr<void> Native; // the system's shortcut object, if it needs one
  };
  class TOverrideGuard;
  /// Checks and normalises Keys, then appends its binding; raises as Add says.
  TBinding &NewBinding(const std::string &Keys, std::function<void()> Action);
  TWinControl &window_;
  std::vector<std::unique_ptr<TBinding>> bindings_;
  std::unique_ptr<TOverrideGuard> guard_;
};

/// Keys in the portable text form, normalised ("ctrl+f" gives "Ctrl+F");
/// empty for a text that is not one key combination.
std::string NormalisedKeys(const std::string &Keys);
