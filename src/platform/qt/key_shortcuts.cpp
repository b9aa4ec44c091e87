// Window shortcuts on Qt: one QShortcut per combination on the window's
// widget, active while the window is.
#include "platform/key_shortcuts.h"

#include "platform/control.h"
#include "platform/exceptions.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace {

QString Text(const std::string &S) {
  return QString::fromUtf8(S.data(), qsizetype(S.size()));
}

} // namespace

/// The Menu key reaches a window as a context-menu request for the control
/// with the focus, not as a key combination; when the window binds "Menu",
/// the request runs that binding instead, whichever control has the focus.
class TKeyShortcuts::TOverrideGuard : public QObject {
public:
  explicit TOverrideGuard(TKeyShortcuts &Owner) : owner_(Owner) { qApp->installEventFilter(this); }
  ~TOverrideGuard() override { qApp->removeEventFilter(this); }

protected:
  bool eventFilter(QObject *Target, QEvent *Event) override {
    if (Event->type() != QEvent::ContextMenu) return false;
    if (static_cast<QContextMenuEvent *>(Event)->reason() != QContextMenuEvent::Keyboard) return false;
    auto *widget = qobject_cast<QWidget *>(Target);
    QWidget *window = owner_.window_.Widget();
    if (!widget || !window || widget->window() != window->window()) return false;
    return owner_.Activate("Menu");
  }

private:
  TKeyShortcuts &owner_;
};


std::string NormalisedKeys(const std::string &Keys) {
  const QKeySequence sequence(Text(Keys), QKeySequence::PortableText);
  if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown) return {};
  const QByteArray bytes = sequence.toString(QKeySequence::PortableText).toUtf8();
  return std::string(bytes.constData(), std::size_t(bytes.size()));
}

TKeyShortcuts::TKeyShortcuts(TWinControl &Window)
    : window_(Window), guard_(std::make_unique<TOverrideGuard>(*this)) {}

TKeyShortcuts::~TKeyShortcuts() = default;

void TKeyShortcuts::Add(const std::string &Keys, std::function<void()> Action) {
  TBinding &binding = NewBinding(Keys, std::move(Action));
  if (QWidget *widget = window_.Widget()) {
    auto shortcut = std::make_shared<QShortcut>(
        QKeySequence(Text(binding.Keys), QKeySequence::PortableText), widget);
    shortcut->setContext(Qt::WindowShortcut);
    TBinding *raw = &binding;
    QObject::connect(shortcut.get(), &QShortcut::activated, [raw] { DispatchSafely(raw->Action); });
    binding.Native = std::move(shortcut);
  }
}
