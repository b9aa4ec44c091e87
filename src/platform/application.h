#pragma once
// TApplication: the program's single application object. It owns the forms
// created through CreateForm, runs the message loop until the main form
// closes, shows exceptions that reach the event loop, and keeps the
// application-wide cursor and the list of registered cursors.
#include "platform/component.h"
#include "platform/control.h"
#include "platform/icon.h"
#include "platform/native.h"
#include <exception>
#include <functional>
#include <map>
#include <string>

class TForm;

class TApplication : public TComponent {
public:
  TApplication();
  ~TApplication() override;

  /// Prepares the application; a Qt application object must exist. Forms
  /// still owned when the Qt application ends are destroyed (with OnDestroy)
  /// at that moment.
  void Initialize();
  const std::string &Title() const { return title_; }
  void SetTitle(const std::string &Value);
  TIcon *Icon() { return &icon_; }

  /// Creates a form of class T owned by the application and stores it in
  /// Reference; the first form created becomes the main form.
  template <class T> void CreateForm(T *&Reference) {
    Reference = new T(this);
    AddForm(Reference);
  }
  TForm *MainForm() const { return mainForm_; }
  void SetMainForm(TForm *Value) { mainForm_ = Value; }

  /// Shows the main form and processes events until it closes or Terminate
  /// is called. Returns at once when Terminate came first.
  void Run();
  /// Ends Run (now, or as soon as it starts) and any modal form showing.
  void Terminate();
  bool Terminated() const { return terminated_; }
  /// Handles the events waiting now and returns.
  void ProcessMessages();
  /// Restores the application's minimised windows and raises its visible
  /// ones above other programs, activating them as far as the window system
  /// lets a program do that.
  void BringToFront();

  /// Shows an exception's message in an error box, or passes it to
  /// OnException when that is set.
  void HandleException(const std::exception &E);
  std::function<void(TObject *Sender, const std::exception &E)> OnException;
  /// Shows a message box captioned with the title.
  int MessageBox(const std::string &Text, const std::string &Caption);

  /// The application-wide cursor; anything but crDefault overrides every
  /// control's own cursor.
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor Value);
  /// Registers a cursor at Index (> 0) from a picture resource (see
  /// RegisterResource) or file; returns false when the picture cannot be read.
  bool SetCursorImage(TCursor Index, const std::string &PictureName, int HotX, int HotY);
  bool HasCursor(TCursor Index) const;

  /// Path of the running program.
  std::string ExeName() const;

  /// Device pixels per logical pixel of every control, whatever its screen
  /// says: for pictures drawn without a screen at a chosen density (the
  /// plot tool). 0, the default, takes each screen's own.
  void SetPixelRatioOverride(double Value) { pixelRatioOverride_ = Value > 0 ? Value : 0; }
  double PixelRatioOverride() const { return pixelRatioOverride_; }

  /// Platform-internal: gives a widget the shape of Cursor.
  void ApplyCursor(TNativeWidget *Widget, TCursor Cursor) const;
  /// Platform-internal: a form was closed (ends Run when it is the main form).
  void FormClosed(TForm *Form);

  struct CursorImage;
  /// Platform-internal: the cursor registered at Index, or null.
  const CursorImage *RegisteredCursor(TCursor Index) const;

private:
  void AddForm(TForm *Form);
  /// Ends the running main loop, if one runs (the back end's).
  void QuitMainLoop();
  std::string title_;
  TIcon icon_;
  TForm *mainForm_ = nullptr;
  bool terminated_ = false;
  bool initialized_ = false;
  TNativeEventLoop *loop_ = nullptr;
  TCursor cursor_ = crDefault;
  double pixelRatioOverride_ = 0;
  std::map<TCursor, std::shared_ptr<CursorImage>> cursors_;
};

/// The application object of the program.
extern TApplication *const Application;
