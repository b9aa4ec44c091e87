// The desktop's launcher on Linux: Qt's desktop services for addresses, a
// direct start without a shell for programs.
#include "platform/shell_launcher.h"

#include "platform/posix/start_program.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace {

class TDesktopLauncher : public TShellLauncher {
public:
  bool OpenUrl(const std::string &Url) override {
    return QDesktopServices::openUrl(QUrl(QString::fromUtf8(Url.data(), qsizetype(Url.size()))));
  }

  int StartProgram(const std::string &Path, const std::vector<std::string> &Arguments) override {
    return StartDetachedProgram(Path, Arguments);
  }
};

} // namespace

std::unique_ptr<TShellLauncher> NewDesktopLauncher() {
  return std::make_unique<TDesktopLauncher>();
}
