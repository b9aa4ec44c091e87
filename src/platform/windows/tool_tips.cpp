#include "platform/windows/tool_tips.h"

#include "platform/windows/wide_string.h"

#include <commctrl.h>

#include <map>

namespace {

HWND ToolTipWindow() {
  static HWND tip = nullptr;
  if (!tip) {
    tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX |
                          TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    // Multi-line hints: any width up to a screen third wraps no line of ours.
    if (tip) SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 600);
  }
  return tip;
}

/// The texts, kept alive for the tooltip window, which holds pointers to them.
std::map<HWND, std::wstring> &Texts() {
  static std::map<HWND, std::wstring> texts;
  return texts;
}

TOOLINFOW ToolOf(HWND Window) {
  TOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  info.hwnd = GetParent(Window) ? GetParent(Window) : Window;
  info.uId = reinterpret_cast<UINT_PTR>(Window);
  return info;
}

} // namespace

void SetToolTip(HWND Window, const std::string &Text) {
  if (!Window) return;
  HWND tip = ToolTipWindow();
  auto &texts = Texts();
  const bool had = texts.count(Window) > 0;
  if (Text.empty()) {
    if (had && tip) {
      TOOLINFOW info = ToolOf(Window);
      SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    texts.erase(Window);
    return;
  }
  std::wstring wide = WideFromUtf8(Text);
  // Tooltips show "\r\n" as a line break only.
  std::wstring lines;
  for (std::size_t i = 0; i < wide.size(); ++i) {
    if (wide[i] == L'\r' && i + 1 < wide.size() && wide[i + 1] == L'\n') continue;
    if (wide[i] == L'\n' || wide[i] == L'\r')
      lines += L"\r\n";
    else
      lines += wide[i];
  }
  texts[Window] = std::move(lines);
  if (!tip) return;
  TOOLINFOW info = ToolOf(Window);
  info.lpszText = texts[Window].data();
  SendMessageW(tip, had ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void RemoveToolTip(HWND Window) {
  SetToolTip(Window, std::string());
}

std::string ToolTipOf(HWND Window) {
  auto it = Texts().find(Window);
  return it == Texts().end() ? std::string() : Utf8FromWide(it->second);
}
