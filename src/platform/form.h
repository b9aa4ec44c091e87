#pragma once
// TForm: a top-level window. A form class of the program binds its event
// handlers and component fields by name, then reads its description:
//
//   TfrmMain::TfrmMain(TComponent *AOwner) : TForm(AOwner) {
//     Handler("FormCreate", &TfrmMain::FormCreate);
//     Field("BButExit", BButExit);
//     InitializeForm("TfrmMain");      // loads, binds, then runs OnCreate
//   }
#include "platform/control.h"
#include "platform/form_loader.h"
#include "platform/icon.h"
#include "platform/message_box.h"
#include <any>
#include <functional>
#include <string>
#include <vector>

enum TPosition {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject *Sender, TCloseAction &Action)>;
using TCloseQueryEvent = std::function<void(TObject *Sender, bool &CanClose)>;

/// Sizes of a window frame around its client area.
struct TMargins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

/// Where a window starts: its frame's top left corner and its client size.
struct TWindowPlacement {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

/// Fits a window whose frame is Frame (with Border around the client area)
/// into a screen's available Area: a resizable window larger than the area
/// gets the largest client size that fits (never below Minimum), then the
/// frame is centred when Centre is set and kept inside the area. A window
/// that still does not fit keeps its top left corner, title bar included,
/// on the screen.
TWindowPlacement FitWindowIntoArea(const TRect &Frame, const TMargins &Border, const TRect &Area,
                                  TSize Minimum, bool Resizable, bool Centre);

/// A top-level window; its size is its client size, its Left and Top the
/// place of its frame.
class TForm : public TWinControl {
public:
  explicit TForm(TComponent *AOwner);
  ~TForm() override;

  TPosition Position() const { return position_; }
  void SetPosition(TPosition Value) { position_ = Value; }
  bool Scaled() const { return scaled_; }
  void SetScaled(bool Value) { scaled_ = Value; }
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle Value);
  TIcon *Icon() { return &icon_; }
  /// The control that takes the keyboard when the form is shown; without one
  /// the first Tab stop does. Setting it on a shown form focuses it at once.
  TWinControl *ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl *Value);

  /// Shows the form (OnShow runs before it becomes visible).
  void Show();
  void SetVisible(bool Value) override;
  /// Shows the form modally and returns its ModalResult once it closes.
  TModalResult ShowModal();
  bool Modal() const { return modal_; }
  /// Closes the form: OnCloseQuery may refuse, OnClose may change the action.
  /// Closing the main form ends the application's Run; closing a modal form
  /// ends ShowModal with mrCancel unless a result was set.
  void Close();
  TModalResult ModalResult() const { return modalResult_; }
  /// Setting a result other than mrNone closes a modal form.
  void SetModalResult(TModalResult Value);

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnActivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  /// Runs OnDestroy once (owners and Free call it before destroying).
  void BeforeDestruction() override;
  /// Handlers this form offers to its description.
  THandlerTable &Handlers() { return handlers_; }
  /// A window, or a dialog for a dialog border, named by its caption.
  void DescribeAccessible(TAccessibleInfo &Info) const override;

protected:
  /// Reads the description registered under DescriptionName, binds the
  /// fields named with Field, then runs OnCreate.
  void InitializeForm(const std::string &DescriptionName);
  /// Offers a member function as the handler called Name.
  template <class C, class... A> void Handler(const std::string &Name, void (C::*Method)(A...)) {
    C *self = static_cast<C *>(this);
    handlers_.Add(Name, std::function<void(A...)>([self, Method](A... args) {
                    (self->*Method)(std::forward<A>(args)...);
                  }));
  }
  /// Binds Reference to the owned component called Name once the form is read.
  template <class T> void Field(const std::string &Name, T *&Reference) {
    fields_.push_back({Name, [&Reference](TComponent *c) {
                         Reference = dynamic_cast<T *>(c);
                         return Reference != nullptr;
                       }});
  }

  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoDestroy();
  void TextChanged() override;
  void ColorChanged() override;
  void BoundsChanged() override;
  void ConstraintsChanged() override;
  TSize ConstrainedSize(int AWidth, int AHeight) const override;

private:
  void ApplyWindowFlags();
  /// Ends the modal loop, if one runs (the back end's).
  void QuitModalLoop();
  /// True for borders that fix the window's size (dialogs, single, tool windows).
  bool FixedBorder() const;
  /// Keeps the window within its screen's available area (centring it when
  /// Centre is set), shrinking it to the largest size that fits.
  void FitOnScreen(bool Centre);
  void FocusFirstControl();
  /// How long after its first showing a window's frame is checked again.
  static constexpr int FrameSettleMs = 300;
  /// Gives the window the Tab order of TabOrderList.
  void UpdateTabOrder();
  struct FieldBinding {
    std::string Name;
    std::function<bool(TComponent *)> Bind;
  };
  THandlerTable handlers_;
  std::vector<FieldBinding> fields_;
  TPosition position_ = poDesigned;
  bool scaled_ = true;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TIcon icon_;
  bool modal_ = false;
  TModalResult modalResult_ = mrNone;
  bool destroyed_ = false;
  bool shownOnce_ = false;
  TWinControl *activeControl_ = nullptr;
  TNativeEventLoop *modalLoop_ = nullptr;
};
