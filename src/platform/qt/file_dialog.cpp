// The desktop's save dialog: Qt's, which hands over to the desktop's own file
// chooser where the desktop offers one.
#include "platform/file_dialog.h"

#include "platform/control.h"

#include <QFileDialog>
#include <QWidget>


namespace {

QString Text(const std::string &S) {
  return QString::fromUtf8(S.data(), qsizetype(S.size()));
}

class TDesktopSaveDialog : public TSaveDialogService {
public:
  std::optional<std::string> AskSaveFileName(TControl *Owner,
                                             const TSaveDialogRequest &Request) override {
    QWidget *parent = Owner ? Owner->Widget() : nullptr;
    if (parent) parent = parent->window();
    const QString chosen = QFileDialog::getSaveFileName(parent, Text(Request.Title),
                                                        Text(Request.FileName), Text(Request.Filter));
    if (chosen.isEmpty()) return std::nullopt;
    const QByteArray bytes = chosen.toUtf8();
    return WithDefaultExtension(std::string(bytes.constData(), std::size_t(bytes.size())),
                                Request.DefaultExtension);
  }
};

} // namespace

TSaveDialogService &DesktopSaveDialogService() {
  static TDesktopSaveDialog desktop;
  return desktop;
}
