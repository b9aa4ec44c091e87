// Window shortcuts on Windows: every message loop offers a key press to the
// shortcuts of the window it is for before the window sees it, as an
// accelerator table would; the Menu key and Shift+F10 (the system's context
// menu keys) run a binding of "Menu".
#include "platform/key_shortcuts.h"

#include "platform/control.h"
#include "platform/exceptions.h"
#include "platform/windows/control_window.h"
#include "platform/windows/message_loop.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace {

struct TNamedKey {
  const char *Name;
  int Key;
};

// Key names of the portable text form, with their virtual key codes.
constexpr std::array<TNamedKey, 24> NamedKeys{{
    {"Esc", VK_ESCAPE},      {"Tab", VK_TAB},        {"Backspace", VK_BACK},
    {"Return", VK_RETURN},   {"Enter", VK_RETURN},   {"Ins", VK_INSERT},
    {"Del", VK_DELETE},      {"Pause", VK_PAUSE},    {"Print", VK_SNAPSHOT},
    {"Home", VK_HOME},       {"End", VK_END},        {"Left", VK_LEFT},
    {"Up", VK_UP},           {"Right", VK_RIGHT},    {"Down", VK_DOWN},
    {"PgUp", VK_PRIOR},      {"PgDown", VK_NEXT},    {"Space", VK_SPACE},
    {"Menu", VK_APPS},       {"+", VK_OEM_PLUS},     {"-", VK_OEM_MINUS},
    {",", VK_OEM_COMMA},     {".", VK_OEM_PERIOD},   {"=", VK_OEM_PLUS},
}};

std::string Lower(std::string S) {
  for (char &c : S)
    c = char(std::tolower(static_cast<unsigned char>(c)));
  return S;
}

/// The key's own name in the portable form, or empty when it has none.
std::string KeyName(const std::string &Token) {
  if (Token.size() == 1) {
    const unsigned char c = static_cast<unsigned char>(Token[0]);
    if (std::isalnum(c)) return std::string(1, char(std::toupper(c)));
    if (std::ispunct(c)) return Token;
    return {};
  }
  const std::string lower = Lower(Token);
  if (lower.size() >= 2 && lower[0] == 'f') {
    bool digits = true;
    for (std::size_t i = 1; i < lower.size(); ++i)
      digits = digits && std::isdigit(static_cast<unsigned char>(lower[i]));
    if (digits && lower.size() <= 3) {
      const int n = std::stoi(lower.substr(1));
      if (n >= 1 && n <= 35) {
        std::string name(1, 'F');
        name.append(std::to_string(n));
        return name;
      }
    }
  }
  if (lower == "escape") return "Esc";
  if (lower == "delete") return "Del";
  if (lower == "insert") return "Ins";
  if (lower == "pgdn" || lower == "pagedown") return "PgDown";
  if (lower == "pageup") return "PgUp";
  for (const TNamedKey &k : NamedKeys)
    if (Lower(k.Name) == lower && std::string(k.Name).size() > 1) return k.Name;
  return {};
}

/// The portable text of the key press Key with the modifiers held now.
std::vector<std::string> TextsOfKey(WPARAM Key) {
  std::string mods;
  if (GetKeyState(VK_CONTROL) < 0) mods += "Ctrl+";
  if (GetKeyState(VK_MENU) < 0) mods += "Alt+";
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  std::vector<std::string> texts;
  std::string name;
  if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9'))
    name = std::string(1, char(Key));
  else if (Key >= VK_F1 && Key <= VK_F24)
    name.assign(1, 'F').append(std::to_string(int(Key - VK_F1 + 1)));
  else if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9)
    name = std::string(1, char('0' + (Key - VK_NUMPAD0)));
  else if (Key == VK_ADD)
    name = "+";
  else if (Key == VK_SUBTRACT)
    name = "-";
  else
    for (const TNamedKey &k : NamedKeys)
      if (WPARAM(k.Key) == Key && std::string(k.Name).size() > 1) {
        name = k.Name;
        break;
      }
  if (name.empty()) {
    // A character key: the character it types unshifted, and with Shift the
    // character it types then ("Ctrl++" on a keyboard with "+" over "=").
    const UINT plain = MapVirtualKeyW(UINT(Key), 2) & 0xFFFF; // MAPVK_VK_TO_CHAR
    if (plain > 0x20 && plain < 0x7F) name = std::string(1, char(plain));
    if (shift) {
      BYTE state[256] = {};
      GetKeyboardState(state);
      state[VK_CONTROL] = state[VK_MENU] = 0;
      wchar_t typed[4] = {};
      if (ToUnicode(UINT(Key), 0, state, typed, 4, 0) == 1 && typed[0] > 0x20 && typed[0] < 0x7F)
        texts.push_back(mods + std::string(1, char(typed[0])));
    }
  }
  if (name.empty()) return texts;
  texts.insert(texts.begin(), mods + (shift ? "Shift+" : "") + name);
  return texts;
}

} // namespace

std::string NormalisedKeys(const std::string &Keys) {
  if (Keys.empty() || Keys.find(", ") != std::string::npos) return {};
  // Modifiers, then one key; "+" is a key when it comes last ("Ctrl++").
  std::vector<std::string> tokens;
  std::size_t start = 0;
  while (start < Keys.size()) {
    std::size_t plus = Keys.find('+', start);
    if (plus == start) plus = Keys.find('+', start + 1);
    if (plus == std::string::npos) plus = Keys.size();
    tokens.push_back(Keys.substr(start, plus - start));
    start = plus + 1;
  }
  if (tokens.empty()) return {};
  bool ctrl = false, alt = false, shift = false, meta = false;
  for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
    const std::string m = Lower(tokens[i]);
    if (m == "ctrl")
      ctrl = true;
    else if (m == "alt")
      alt = true;
    else if (m == "shift")
      shift = true;
    else if (m == "meta")
      meta = true;
    else
      return {};
  }
  const std::string key = KeyName(tokens.back());
  if (key.empty()) return {};
  return std::string(ctrl ? "Ctrl+" : "") + (alt ? "Alt+" : "") + (shift ? "Shift+" : "") +
         (meta ? "Meta+" : "") + key;
}

namespace {
/// The translators of the shortcuts that exist now, oldest first.
std::vector<const std::function<bool(const MSG &)> *> &LiveTranslators() {
  static std::vector<const std::function<bool(const MSG &)> *> live;
  return live;
}
} // namespace

/// Keeps the shortcuts known to the message loops while they exist.
class TKeyShortcuts::TOverrideGuard {
public:
  explicit TOverrideGuard(TKeyShortcuts &Owner) : owner_(Owner) {
    translate_ = [this](const MSG &Message) { return Translate(Message); };
    LiveTranslators().push_back(&translate_);
  }
  ~TOverrideGuard() {
    auto &live = LiveTranslators();
    live.erase(std::find(live.begin(), live.end(), &translate_));
  }
  TOverrideGuard(const TOverrideGuard &) = delete;
  TOverrideGuard &operator=(const TOverrideGuard &) = delete;

private:
  /// Runs the binding Message presses when it is for a window of these shortcuts.
  bool Translate(const MSG &Message) const {
    HWND window = owner_.window_.Widget();
    if (!window || !IsWindowVisible(window)) return false;
    if (Message.hwnd != window && !IsChild(window, Message.hwnd)) return false;
    if (!IsWindowEnabled(window)) return false; // a modal window is up
    const bool menu = Message.wParam == VK_APPS ||
                      (Message.wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0 &&
                       GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0);
    if (menu && owner_.Activate("Menu")) return true;
    for (const std::string &text : TextsOfKey(Message.wParam))
      if (owner_.Activate(text)) return true;
    return false;
  }
  TKeyShortcuts &owner_;
  std::function<bool(const MSG &)> translate_;
};

bool TranslateShortcut(const MSG &Message) {
  // The system makes a context-menu request of the Menu key's release (and
  // of Shift+F10): after a binding of "Menu" ran, the control must not show
  // its own menu too.
  static WPARAM menuKeyDown = 0;
  if ((Message.message == WM_KEYUP || Message.message == WM_SYSKEYUP) && menuKeyDown &&
      Message.wParam == menuKeyDown) {
    menuKeyDown = 0;
    return true;
  }
  if (Message.message != WM_KEYDOWN && Message.message != WM_SYSKEYDOWN) return false;
  const bool menuKey = Message.wParam == VK_APPS || (Message.wParam == VK_F10 && GetKeyState(VK_SHIFT) < 0);
  // Newest first: a window's later shortcuts are its dialogs'.
  const auto live = LiveTranslators();
  for (auto it = live.rbegin(); it != live.rend(); ++it)
    if ((**it)(Message)) {
      if (menuKey) menuKeyDown = Message.wParam;
      return true;
    }
  return false;
}

TKeyShortcuts::TKeyShortcuts(TWinControl &Window)
    : window_(Window), guard_(std::make_unique<TOverrideGuard>(*this)) {}

TKeyShortcuts::~TKeyShortcuts() = default;

void TKeyShortcuts::Add(const std::string &Keys, std::function<void()> Action) {
  // The window's message loop looks the keys up (the translator above).
  NewBinding(Keys, std::move(Action));
}
