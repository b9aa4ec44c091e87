#pragma once
// Platform-internal: the Qt side of accessibility. The controls' descriptions
// (TControl::DescribeAccessible) reach Qt's accessibility, and through it the
// desktop's screen readers (AT-SPI on Linux): an interface factory serves the
// suite's own widgets, while buttons, check boxes and the memo keep Qt's own
// interfaces with the names the controls give them.
#include "platform/accessible.h"

#include <cstdint>

class QWidget;
class TControl;

/// Installs the interface factory; idempotent. Called when the first control
/// gets its widget, after the application object exists, so that the factory
/// is asked before Qt's own.
void InstallAccessibility();

/// The control a widget shows, or null for a widget that is not a control's.
TControl *ControlOfWidget(QWidget *Widget);

/// Shortest time between two notifications of one kind for one control, in
/// milliseconds: names and values follow a drag a few times a second, a
/// description (a sentence or more) once a second at most.
std::int64_t AccessibleNotifyInterval(TAccessibleChange What);
