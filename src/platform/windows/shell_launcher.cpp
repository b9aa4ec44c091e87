// The desktop's launcher on Windows: the shell's default action for web
// addresses, its "open" verb for program files.
#include "platform/shell_launcher.h"

#include "platform/windows/command_line_text.h"
#include "platform/windows/wide_string.h"

#include <windows.h>

#include <shellapi.h>

namespace {

// The shell's error for a failed ShellExecuteExW: its own code when it gave
// one (2 for a missing file), otherwise the thread's last error.
int ShellError(const SHELLEXECUTEINFOW &Info) {
  const auto code = static_cast<int>(reinterpret_cast<INT_PTR>(Info.hInstApp));
  if (code > 0 && code <= 32) return code;
  const DWORD error = GetLastError();
  return error != 0 ? int(error) : ERROR_FILE_NOT_FOUND;
}

class TDesktopLauncher : public TShellLauncher {
public:
  bool OpenUrl(const std::string &Url) override {
    const std::wstring url = WideFromUtf8(Url);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpFile = url.c_str();
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) != FALSE;
  }

  int StartProgram(const std::string &Path, const std::vector<std::string> &Arguments) override {
    const std::optional<std::wstring> path = StrictWideFromUtf8(Path);
    if (!path || path->empty()) return ERROR_INVALID_NAME;
    const std::wstring parameters = CommandLineText(Arguments);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = path->c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    SetLastError(ERROR_SUCCESS);
    if (ShellExecuteExW(&info)) return 0;
    return ShellError(info);
  }
};

} // namespace

std::unique_ptr<TShellLauncher> NewDesktopLauncher() {
  return std::make_unique<TDesktopLauncher>();
}
