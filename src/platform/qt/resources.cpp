// The program's Qt resources (":/name").
#include "platform/resources.h"

#include <QFile>

std::optional<std::string> FindEmbeddedResource(const std::string &Name) {
  QFile file(QString::fromStdString(":/" + Name));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray data = file.readAll();
  return std::string(data.constData(), std::size_t(data.size()));
}
