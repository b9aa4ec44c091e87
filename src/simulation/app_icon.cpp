#include "simulation/app_icon.h"

#include "hostlink/demon_client.h"
#include "localisation/tolkar2000.h"
#include "platform/atomic_file.h"
#include "platform/streams.h"

#include <filesystem>
#include <string_view>
#include <system_error>

bool IsWorkAreaFileName(const std::string &Name) {
  if (Name.empty() || Name.front() == '/' || Name.front() == '\\') return false;
  // A drive letter ("C:") would make the name absolute on the host's side.
  if (Name.size() >= 2 && Name[1] == ':') return false;
  std::size_t start = 0;
  while (start <= Name.size()) {
    std::size_t end = Name.find_first_of("/\\", start);
    if (end == std::string::npos) end = Name.size();
    if (Name.compare(start, end - start, "..") == 0) return false;
    start = end + 1;
  }
  return true;
}

std::string ProvideAppIcon(TkdbCustomDemon &Demon) {
  const std::string iconName = Demon.TranslateText("AppIconName");
  if (iconName == "AppIconName" || !IsWorkAreaFileName(iconName)) return {};
  const std::string workArea = Demon.GetValue("TavelinWorkArea");
  if (workArea.empty()) return {};
  const std::string iconPath = workArea + iconName;
  if (Demon.UseTavelinServer()) {
    std::unique_ptr<TMemoryStream> stream = Demon.GetFile(iconName);
    if (stream && stream->Size() > 0) {
      try {
        WriteFileAtomic(iconPath,
                            std::string_view(stream->Memory(), std::size_t(stream->Size())));
      } catch (const EStreamError &) {
        // The icon is decoration: an unwritable work area keeps the old file.
      }
    }
  }
  std::error_code error;
  return std::filesystem::is_regular_file(iconPath, error) ? iconPath : std::string();
}
