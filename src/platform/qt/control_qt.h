#pragma once
// Platform-internal: the Qt side of controls. The event filter turns widget
// events into calls of the control's virtual handlers; TPaintWidget shows a
// control's back buffer.
#include <QObject>
#include <QString>
#include <QWidget>

#include <string>

class TControl;

/// The tooltip text that shows Text exactly as written, blanks and line
/// breaks included. Qt takes a tooltip that looks like markup for rich text
/// (and loads the pictures it names), so hints always go to it escaped.
QString PlainToolTip(const std::string &Text);
/// The window title that shows Text exactly as written: Qt reads "[*]" in a
/// title as the place of its modified mark, and shows it only doubled.
QString PlainWindowTitle(const std::string &Text);

/// Forwards mouse, keyboard, resize and show events of a widget to its control.
class TControlEventFilter : public QObject {
public:
  TControlEventFilter(TControl *control, QObject *parent);
  bool eventFilter(QObject *watched, QEvent *event) override;
  /// Set for widgets that report clicks themselves (buttons, check boxes).
  bool OwnClicks = false;
  /// The control whose widget this filter watches.
  TControl *Control() const { return control_; }

private:
  TControl *control_;
  bool pressedInside_ = false;
};

/// A widget that shows its control's back buffer, painting it first when stale.
class TPaintWidget : public QWidget {
public:
  explicit TPaintWidget(TControl *control);

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  TControl *control_;
};
