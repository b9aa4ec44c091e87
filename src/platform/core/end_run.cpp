#include "platform/application.h"
#include "platform/form.h"
#include "platform/message_box.h"
#include "platform/termination_signals.h"

void EndRunFromOutside() {
  // A modal window or message box runs its own loop; closing it lets the
  // start-up (or the handler that showed it) return to Run, which then ends.
  // No box opened after this waits for anybody.
  EndMessageBoxes();
  for (int i = 0; i < Application->ComponentCount(); ++i)
    if (auto *form = dynamic_cast<TForm *>(Application->Components(i)); form && form->Modal())
      form->Close();
  Application->Terminate();
}
