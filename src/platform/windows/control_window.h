#pragma once
// Platform-internal: the windows behind controls. Every control's window
// carries a TWindowData (a window property) that ties it to its control;
// our own window class serves forms and custom-painted controls, and the
// common controls (buttons, bars, the memo) are subclassed so that the same
// message handling reaches their controls. Only the Windows back end
// includes this header.
#include "platform/control.h"

#include "platform/windows/system.h"

#include <functional>

class TForm;

/// What the back end keeps beside a control's window.
struct TWindowData {
  TControl *Control = nullptr;
  /// The common control's own window procedure (null for our class).
  WNDPROC Original = nullptr;
  /// Buttons and check boxes report clicks themselves (WM_COMMAND).
  bool OwnClicks = false;
  /// A click on the window gives it the keyboard.
  bool ClickFocus = false;
  bool PressedInside = false;
  /// A TrackMouseEvent is pending: the mouse is inside.
  bool MouseInside = false;
  /// The window has been shown at least once.
  bool ShownOnce = false;
  /// The shape set for the control (null: the class's arrow).
  HCURSOR Cursor = nullptr;
  /// The font a common control draws its text with (owned; null: none set).
  HFONT Font = nullptr;
  /// Notifications the parent receives for this window: WM_COMMAND codes,
  /// WM_HSCROLL/WM_VSCROLL requests.
  std::function<void(WORD Code)> OnCommand;
  std::function<void(WORD Request)> OnScroll;
  /// The brush a WM_CTLCOLOR... request gets (the memo's background).
  std::function<HBRUSH(HDC Dc)> OnColor;
  /// Messages the control's kind handles itself (forms), before the rest;
  /// true when consumed, with the result set.
  std::function<bool(UINT Message, WPARAM W, LPARAM L, LRESULT &Result)> OnMessage;
  /// Called after the window's size changed (common controls).
  std::function<void()> OnSize;
  bool InSize = false;
  /// Set while the back end places the window itself: the size messages
  /// that causes are not the window system's changes.
  bool Placing = false;
  /// The control's own handling of a key (a WM_KEYDOWN code) after its key
  /// events and before focus navigation; true when it used the key.
  std::function<bool(WPARAM Key)> OwnKey;
};

/// The name of our window class for forms and painted controls.
inline constexpr wchar_t ControlWindowClass[] = L"SpectrionWindow";

/// Registers our window class and the common controls (once).
void RegisterWindowClasses();
/// A new window of Class for Control: a child of the hidden parking window
/// for controls, a top-level window when Style has no WS_CHILD. Common
/// controls are subclassed.
HWND NewControlWindow(const wchar_t *Class, DWORD Style, DWORD ExStyle, TControl *Control);
/// The hidden top-level window controls without a parent live in.
HWND ParkingWindow();
/// The data of one of our windows, or null.
TWindowData *WindowDataOf(HWND Window);
/// The control of one of our windows, or null.
TControl *ControlOf(HWND Window);
/// The form whose window holds Window (itself included), or null.
TForm *FormOf(HWND Window);

/// Device pixels per logical pixel of Window's screen (GetDpiForWindow / 96
/// where the system has it, else 1).
double WindowScale(HWND Window);
/// Logical to device pixels and back at Scale.
int ToDevice(int Logical, double Scale);
int ToLogical(int Device, double Scale);

/// Places the top-level Window: its frame's top left corner at (Left, Top)
/// in screen pixels, its client area Width x Height logical pixels.
void PlaceTopLevel(HWND Window, int Left, int Top, int Width, int Height);

/// The shift state of the keyboard now, plus the mouse buttons in MouseKeys
/// (the MK_... flags of a mouse message).
TShiftState ShiftNow(WPARAM MouseKeys);

/// Draws the control's picture (back buffer, screen marks or colour) and its
/// children's into Dc at device origin (X, Y): painting and grabbing share it.
void PrintControl(TControl &Control, HDC Dc, int X, int Y);

/// Moves the keyboard to the next (or previous) Tab stop of Form after From.
void FocusNextStop(TForm &Form, TControl *From, bool Backwards);
/// Runs the accelerator "&Letter" of a control in Form: a button clicks, a
/// check box toggles, a label passes the keyboard to the next stop. False
/// when no control of Form has that accelerator.
bool RunAccelerator(TForm &Form, wchar_t Letter);

/// The system cursor for Cursor (registered pictures included); null for
/// crDefault, which leaves the window class's arrow.
HCURSOR CursorHandleOf(TCursor Cursor);

/// Sends Window a key press (down, the character Typed unless 0, up) as the
/// keyboard would and returns whether the key down was taken by the control
/// or the focus navigation.
bool DeliverKeyPress(HWND Window, WPARAM Key, wchar_t Typed);

/// Runs Action in a window procedure: nothing escapes it, whatever is thrown
/// is shown through the application's exception handling.
void GuardWindowProcedure(const std::function<void()> &Action) noexcept;
