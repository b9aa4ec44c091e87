// What forms do on every system: reading their description and binding its
// handlers and fields, the order of the create/show/hide/destroy events,
// closing with its queries, modal results, and the rule that keeps a window
// inside the screen's work area. The window itself is the back end's
// (qt/form.cpp, windows/form.cpp).
#include "platform/application.h"
#include "platform/form.h"

#include <algorithm>
#include <optional>
#include <string>

TWindowPlacement FitWindowIntoArea(const TRect &Frame, const TMargins &Border, const TRect &Area,
                                  TSize Minimum, bool Resizable, bool Centre) {
  const int borderW = Border.Left + Border.Right, borderH = Border.Top + Border.Bottom;
  int w = Frame.Width() - borderW, h = Frame.Height() - borderH;
  if (Resizable) {
    // The largest size that fits; a minimum larger than the screen wins.
    w = std::max(std::min(w, Area.Width() - borderW), Minimum.cx);
    h = std::max(std::min(h, Area.Height() - borderH), Minimum.cy);
  }
  const int outerW = w + borderW, outerH = h + borderH;
  int x = Frame.Left, y = Frame.Top;
  if (Centre) {
    x = Area.Left + (Area.Width() - outerW) / 2;
    y = Area.Top + (Area.Height() - outerH) / 2;
  }
  // Within the area; a window larger than it keeps its top left corner (and
  // with it the title bar) on the screen.
  x = std::max(std::min(x, Area.Right - outerW), Area.Left);
  y = std::max(std::min(y, Area.Bottom - outerH), Area.Top);
  return {x, y, w, h};
}

// ---- TForm -------------------------------------------------------------------------

TForm::~TForm() {
  QuitModalLoop();
  // The components go while this is still the main form: a component that
  // speaks for the whole program (the host connection ends the application)
  // asks whether its owner is the main form as it goes.
  DestroyComponents();
  if (Application->MainForm() == this) Application->SetMainForm(nullptr);
}

void TForm::BeforeDestruction() {
  if (destroyed_) return;
  destroyed_ = true;
  DispatchSafely([&] { DoDestroy(); });
}

void TForm::InitializeForm(const std::string &DescriptionName) {
  std::optional<std::string> text = FindFormText(DescriptionName);
  if (!text) throw EFormError(0, "No form description named " + DescriptionName);
  ReadComponentText(this, *text, &handlers_);
  for (const FieldBinding &f : fields_)
    if (!f.Bind(FindComponent(f.Name)))
      throw EComponentError("Form " + DescriptionName + " has no component " + f.Name +
                            " of the expected class");
  DispatchSafely([&] { DoCreate(); });
}

void TForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide) OnHide(this);
}

void TForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}

void TForm::SetModalResult(TModalResult Value) {
  modalResult_ = Value;
  if (modal_ && Value != mrNone) Close();
}

void TForm::Close() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  if (!canClose) {
    if (modal_) modalResult_ = mrNone;
    return;
  }
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) {
    if (modal_) modalResult_ = mrNone;
    return;
  }
  if (modal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;
    QuitModalLoop();
    return;
  }
  SetVisible(false);
  Application->FormClosed(this);
}

void TForm::SetBorderStyle(TFormBorderStyle Value) {
  borderStyle_ = Value;
  ApplyWindowFlags();
}

bool TForm::FixedBorder() const {
  return borderStyle_ == bsDialog || borderStyle_ == bsSingle || borderStyle_ == bsToolWindow;
}

TSize TForm::ConstrainedSize(int AWidth, int AHeight) const {
  // A fixed border fixes the window at the size code gives it.
  if (FixedBorder())
    return TSize{AWidth, AHeight};
  return TControl::ConstrainedSize(AWidth, AHeight);
}

void TForm::SetActiveControl(TWinControl *Value) {
  activeControl_ = Value;
  if (Value && Visible() && Value->CanFocus()) Value->SetFocus();
}
