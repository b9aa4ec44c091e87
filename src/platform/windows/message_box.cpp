// Message boxes on Windows: MessageBoxW owned by the active window of the
// program, or a test's sink instead.
#include "platform/message_box.h"

#include "platform/application.h"
#include "platform/windows/wide_string.h"

#include "platform/windows/system.h"

#include <cstdio>

namespace {
int g_open = 0;
bool g_ended = false;
} // namespace

void EndMessageBoxes() {
  g_ended = true;
  if (g_open == 0) return;
  // The boxes on screen are this thread's dialog windows: each one is
  // answered as if OK was pressed.
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND w, LPARAM) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(w, name, 16);
        if (std::wstring_view(name) == L"#32770") PostMessageW(w, WM_COMMAND, IDOK, 0);
        return TRUE;
      },
      0);
}

TModalResult ShowMessageBox(const std::string &Text, const std::string &Caption, TMsgDlgType Type) {
  TMessageBoxRequest request{Text, Caption, Type};
  if (const TMessageBoxSink &sink = MessageBoxSink()) return sink(request);
  if (g_ended) {
    std::fprintf(stderr, "%s: %s\n", Caption.c_str(), Text.c_str());
    return mrOk;
  }
  UINT flags = MB_OK | MB_SETFOREGROUND;
  switch (Type) {
  case mtError:
    flags |= MB_ICONERROR;
    break;
  case mtWarning:
    flags |= MB_ICONWARNING;
    break;
  case mtConfirmation:
    flags |= MB_ICONQUESTION;
    break;
  default:
    flags |= MB_ICONINFORMATION;
    break;
  }
  HWND owner = GetActiveWindow();
  ++g_open;
  // MessageBoxW shows its text as plain text: no markup is read from it.
  MessageBoxW(owner, WideFromUtf8(Text).c_str(), WideFromUtf8(Caption).c_str(), flags);
  --g_open;
  return mrOk;
}
