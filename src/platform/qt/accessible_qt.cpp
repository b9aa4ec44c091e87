// The Qt back end of accessibility: one interface class for the suite's own
// widgets (forms, panels, labels, read-outs, links, sliders, the chart), the
// factory that hands it out, names for the widgets Qt describes itself, and
// the throttled change notifications.
#include "platform/qt/accessible_qt.h"

#include "platform/control.h"
#include "platform/qt/control_qt.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <memory>

namespace {

QAccessible::Role QtRole(TAccessibleRole Role) {
  switch (Role) {
  case arLayout:
    return QAccessible::Client;
  case arGrouping:
    return QAccessible::Grouping;
  case arWindow:
    return QAccessible::Window;
  case arDialog:
    return QAccessible::Dialog;
  case arStaticText:
    return QAccessible::StaticText;
  case arLink:
    return QAccessible::Link;
  case arPushButton:
    return QAccessible::PushButton;
  case arCheckBox:
    return QAccessible::CheckBox;
  case arSlider:
    return QAccessible::Slider;
  case arEditableText:
    return QAccessible::EditableText;
  case arChart:
    return QAccessible::Chart;
  case arGraphic:
    return QAccessible::Graphic;
  }
  return QAccessible::Client;
}

QString Q(const std::string &Text) {
  return QString::fromStdString(Text);
}

/// Milliseconds on a clock that never goes back.
std::int64_t NowMs() {
  static QElapsedTimer clock = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return clock.elapsed();
}

/// Widgets whose interface Qt provides (with their actions, states and text):
/// they only take the names the control gives them.
bool DescribedByQt(QWidget *W) {
  return qobject_cast<QAbstractButton *>(W) || qobject_cast<QPlainTextEdit *>(W);
}

void PushNames(TControl &Control, QWidget *W) {
  TAccessibleInfo info;
  Control.DescribeAccessible(info);
  // Qt sends the name and description changes of these widgets itself.
  if (W->accessibleName() != Q(info.Name)) W->setAccessibleName(Q(info.Name));
  if (W->accessibleDescription() != Q(info.Description))
    W->setAccessibleDescription(Q(info.Description));
}

/// What a screen reader sees of one of the suite's own widgets: everything
/// comes from the control's DescribeAccessible at the moment it is asked.
class TControlAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
  TControlAccessible(QWidget *W, TControl *C) : QAccessibleWidget(W), control_(C) {
    for (std::size_t i = 0; i < throttles_.size(); ++i)
      throttles_[i] = std::make_unique<TNotifyThrottle>(
          AccessibleNotifyInterval(static_cast<TAccessibleChange>(i)));
  }

  void *interface_cast(QAccessible::InterfaceType Type) override {
    if (Type == QAccessible::ValueInterface && Info().Range)
      return static_cast<QAccessibleValueInterface *>(this);
    return QAccessibleWidget::interface_cast(Type);
  }

  QAccessible::Role role() const override { return QtRole(Info().Role); }

  QString text(QAccessible::Text T) const override {
    switch (T) {
    case QAccessible::Name:
      return Q(Info().Name);
    case QAccessible::Description:
      return Q(Info().Description);
    case QAccessible::Value:
      return Q(Info().Value);
    default:
      return QAccessibleWidget::text(T);
    }
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    const TAccessibleInfo info = Info();
    if (info.Silent) s.invisible = true;
    if (info.Role == arStaticText || info.Role == arChart || info.Role == arLink)
      s.readOnly = true;
    if (info.Role == arLink) s.linked = true;
    return s;
  }

  QStringList actionNames() const override {
    QStringList names = QAccessibleWidget::actionNames();
    if (Info().Role == arLink) names.prepend(pressAction());
    return names;
  }

  void doAction(const QString &Name) override {
    if (Name == pressAction() && Info().Role == arLink && Alive()) {
      TControl *c = control_;
      if (c->Enabled()) DispatchSafely([c] { c->Click(); });
      return;
    }
    QAccessibleWidget::doAction(Name);
  }

  // Value interface: the control's value in the user's units.
  QVariant currentValue() const override { return Range().Current; }
  void setCurrentValue(const QVariant &Value) override {
    if (!Alive() || !widget()->isEnabled()) return;
    bool ok = false;
    const double v = Value.toDouble(&ok);
    if (!ok) return;
    TControl *c = control_;
    DispatchSafely([c, v] { c->AccessibleSetValue(v); });
  }
  QVariant maximumValue() const override { return Range().Maximum; }
  QVariant minimumValue() const override { return Range().Minimum; }
  QVariant minimumStepSize() const override { return Range().Step; }

  /// Notes a change; sends it now or once the throttle's interval has passed.
  void Changed(TAccessibleChange What) {
    TNotifyThrottle &throttle = *throttles_[std::size_t(What)];
    const TNotifyThrottle::TDecision d = throttle.Note(NowMs());
    if (d.SendNow) {
      Send(What);
      return;
    }
    if (d.DeferMs <= 0) return; // a deferred send is already due
    QTimer *&timer = timers_[std::size_t(What)];
    if (!timer) {
      timer = new QTimer();
      timer->setSingleShot(true);
      QObject::connect(timer, &QTimer::timeout, [this, What] {
        throttles_[std::size_t(What)]->Fired(NowMs());
        Send(What);
      });
    }
    timer->start(int(d.DeferMs));
  }

  ~TControlAccessible() override {
    for (QTimer *t : timers_)
      delete t;
  }

private:
  /// False once the control is being destroyed: nothing is asked of it then.
  bool Alive() const { return isValid() && !control_->IsDestroying(); }

  TAccessibleInfo Info() const {
    TAccessibleInfo info;
    if (Alive()) control_->DescribeAccessible(info);
    return info;
  }

  TAccessibleRange Range() const { return Info().Range.value_or(TAccessibleRange{}); }

  void Send(TAccessibleChange What) {
    if (!Alive() || !QAccessible::isActive()) return;
    QWidget *w = widget();
    switch (What) {
    case acName: {
      QAccessibleEvent e(w, QAccessible::NameChanged);
      QAccessible::updateAccessibility(&e);
      break;
    }
    case acDescription: {
      QAccessibleEvent e(w, QAccessible::DescriptionChanged);
      QAccessible::updateAccessibility(&e);
      break;
    }
    case acValue: {
      QAccessibleValueChangeEvent e(w, Range().Current);
      QAccessible::updateAccessibility(&e);
      break;
    }
    }
  }

  TControl *control_;
  std::array<std::unique_ptr<TNotifyThrottle>, 3> throttles_;
  std::array<QTimer *, 3> timers_{};
};

QAccessibleInterface *ControlFactory(const QString & /*ClassName*/, QObject *Object) {
  if (!Object || !Object->isWidgetType()) return nullptr;
  auto *w = static_cast<QWidget *>(Object);
  TControl *c = ControlOfWidget(w);
  if (!c || c->IsDestroying()) return nullptr;
  if (DescribedByQt(w)) {
    PushNames(*c, w);
    return nullptr;
  }
  return new TControlAccessible(w, c);
}

} // namespace

void InstallAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(ControlFactory);
}

TControl *ControlOfWidget(QWidget *Widget) {
  if (!Widget) return nullptr;
  for (QObject *child : Widget->children())
    if (auto *filter = dynamic_cast<TControlEventFilter *>(child)) return filter->Control();
  return nullptr;
}

std::int64_t AccessibleNotifyInterval(TAccessibleChange What) {
  return What == acDescription ? 1000 : 250;
}

void TControl::AccessibleChanged(TAccessibleChange What) {
  if (!widget_ || IsDestroying()) return;
  if (DescribedByQt(widget_)) {
    if (What != acValue) PushNames(*this, widget_);
    return;
  }
  // Without a listener no interface is made just to be told.
  if (!QAccessible::isActive()) return;
  if (auto *iface = dynamic_cast<TControlAccessible *>(QAccessible::queryAccessibleInterface(widget_)))
    iface->Changed(What);
}
