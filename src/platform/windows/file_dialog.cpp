// The desktop's save dialog on Windows: the common dialog's GetSaveFileNameW,
// which asks before an existing file is replaced.
#include "platform/file_dialog.h"

#include "platform/control.h"
#include "platform/windows/file_filter.h"
#include "platform/windows/wide_string.h"

#include "platform/windows/system.h"
#include <commdlg.h>

#include <vector>

std::wstring SystemFileFilter(const std::string &Filter) {
  std::wstring out;
  std::size_t start = 0;
  while (start <= Filter.size()) {
    std::size_t end = Filter.find(";;", start);
    if (end == std::string::npos) end = Filter.size();
    const std::string entry = Filter.substr(start, end - start);
    start = end + 2;
    if (entry.empty()) continue;
    std::string patterns = "*.*";
    const std::size_t open = entry.rfind('('), close = entry.rfind(')');
    if (open != std::string::npos && close != std::string::npos && close > open + 1) {
      patterns.clear();
      for (char c : entry.substr(open + 1, close - open - 1))
        patterns += c == ' ' ? ';' : c;
    }
    out += WideFromUtf8(entry);
    out += L'\0';
    out += WideFromUtf8(patterns);
    out += L'\0';
  }
  out += L'\0';
  return out;
}

namespace {

class TDesktopSaveDialog : public TSaveDialogService {
public:
  std::optional<std::string> AskSaveFileName(TControl *Owner,
                                             const TSaveDialogRequest &Request) override {
    std::vector<wchar_t> name(32768, L'\0');
    const std::wstring proposed = WideFromUtf8(Request.FileName);
    proposed.copy(name.data(), std::min(proposed.size(), name.size() - 1));
    const std::wstring filter = SystemFileFilter(Request.Filter);
    const std::wstring title = WideFromUtf8(Request.Title);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Owner ? GetAncestor(Owner->Widget(), GA_ROOT) : nullptr;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = DWORD(name.size());
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER |
                OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&ofn)) return std::nullopt;
    return WithDefaultExtension(Utf8FromWide(name.data()), Request.DefaultExtension);
  }
};

} // namespace

TSaveDialogService &DesktopSaveDialogService() {
  static TDesktopSaveDialog desktop;
  return desktop;
}
