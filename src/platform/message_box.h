#pragma once
// Message boxes: the one way the framework talks to the user outside forms.
// Tests install a sink that records the boxes instead of showing them.
#include <functional>
#include <string>
#include <vector>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

/// Results of modal forms and message boxes.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;

/// What a message box would show.
struct TMessageBoxRequest {
  std::string Text;
  std::string Caption;
  TMsgDlgType Type = mtInformation;
};

/// Receives message boxes instead of the screen; returns the button pressed.
using TMessageBoxSink = std::function<TModalResult(const TMessageBoxRequest &)>;

/// Installs Sink (empty: show on screen again) and returns the previous one.
TMessageBoxSink SetMessageBoxSink(TMessageBoxSink Sink);
/// Platform-internal: the sink installed now (empty when none is).
const TMessageBoxSink &MessageBoxSink();

/// Shows a box with an OK button and waits for it. Without a sink and without
/// a display (offscreen platform) the text goes to standard error instead.
TModalResult ShowMessageBox(const std::string &Text, const std::string &Caption, TMsgDlgType Type);
/// An information box captioned with the application title.
void ShowMessage(const std::string &Text);

/// The program is asked to end: every box on screen closes as if OK was
/// pressed, and later boxes go to standard error instead of waiting.
void EndMessageBoxes();

/// Records every message box while it exists (for tests).
class TMessageBoxRecorder {
public:
  TMessageBoxRecorder();
  ~TMessageBoxRecorder();
  TMessageBoxRecorder(const TMessageBoxRecorder &) = delete;
  TMessageBoxRecorder &operator=(const TMessageBoxRecorder &) = delete;
  std::vector<TMessageBoxRequest> Messages;

private:
  TMessageBoxSink previous_;
};
