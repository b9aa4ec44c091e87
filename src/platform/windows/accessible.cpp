// What screen readers learn on Windows: the system's own accessibility
// proxies name a window by its text and give its role by its class, so every
// window's text carries the name its control describes (our own windows
// describe it when the text is read). A window whose text is its content
// (the memo) or its visible caption (buttons) keeps it.
#include "platform/accessible.h"
#include "platform/control.h"
#include "platform/controls_standard.h"
#include "platform/form.h"
#include "platform/windows/control_window.h"
#include "platform/windows/wide_string.h"

void TControl::AccessibleChanged(TAccessibleChange What) {
  if (!widget_ || IsDestroying()) return;
  const bool ownText = dynamic_cast<TMemo *>(this) || dynamic_cast<TBitBtn *>(this) ||
                       dynamic_cast<TCheckBox *>(this) || dynamic_cast<TForm *>(this);
  // Our own windows answer their text from DescribeAccessible when asked;
  // the common controls hold it.
  const TWindowData *data = WindowDataOf(widget_);
  if (What == acName && !ownText && data && data->Original) {
    TAccessibleInfo info;
    DescribeAccessible(info);
    SetWindowTextW(widget_, WideFromUtf8(info.Name).c_str());
  }
  const DWORD event = What == acName    ? EVENT_OBJECT_NAMECHANGE
                      : What == acValue ? EVENT_OBJECT_VALUECHANGE
                                        : EVENT_OBJECT_DESCRIPTIONCHANGE;
  NotifyWinEvent(event, widget_, OBJID_CLIENT, CHILDID_SELF);
}
