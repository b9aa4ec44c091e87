#include "platform/message_window.h"

#include <QString>

bool SameWindowName(const std::string &A, const std::string &B) {
  if (A.size() == B.size() && A == B) return true;
  return QString::fromUtf8(A.data(), qsizetype(A.size()))
             .compare(QString::fromUtf8(B.data(), qsizetype(B.size())), Qt::CaseInsensitive) == 0;
}
