#pragma once
// What tests do to a control's window as the user or the window system
// would, on every system the suite runs on.
#include "platform/control.h"

#include <cstdint>
#include <functional>
#include <string>

/// Delivers a key press (virtual key Key, typing Text) to C's window and
/// returns whether the control or the window's focus handling took it.
bool SendKeyPress(TControl &C, std::uint16_t Key, const std::string &Text = {});
/// Resizes C's window as the window system would (a user dragging its
/// frame); Width and Height are the client size.
void ResizeWindow(TControl &C, int Width, int Height);
/// The client width C's window has now.
int WindowWidth(TControl &C);
/// The title C's window shows.
std::string WindowTitle(TControl &C);
/// The program's name as the window system shows it.
std::string SystemApplicationName();
/// Where C's window is in its parent's client area (logical pixels).
TRect WindowBounds(TControl &C);
/// Sets the value C's window shows as the user would (dragging a bar's
/// thumb, ticking a check box with Value 1), so that the window tells C.
void UserSetsValue(TControl &C, int Value);
/// Pages a scroll bar or track bar as a click beside its thumb would.
void UserPages(TControl &C, bool Forward);
/// Whether a bar's window shows its minimum first (left, or at the top).
bool ShowsMinimumFirst(TControl &C);
/// The text C's window shows (a memo's lines, one line break each).
std::string ShownText(TControl &C);
/// The tooltip C's window has now, as the window system was given it.
std::string ShownHint(TControl &C);
/// Runs Action from the event loop after Milliseconds, once.
void RunLater(int Milliseconds, std::function<void()> Action);
/// Shows C's window, makes it the active one and waits until the window
/// system says so; false when it never became active.
bool ShowActive(TControl &C);
/// Runs the events and messages waiting in the event loop.
void ProcessPendingEvents();
/// Presses and releases Key with the modifiers of Shift held, through the
/// event loop as the keyboard would, with C's window focused.
void SendKeyClick(TControl &C, std::uint16_t Key, TShiftState Shift);
/// Asks C's window for its context menu: from the keyboard (the Menu key)
/// or by a right click.
void RequestContextMenu(TControl &C, bool FromKeyboard);
/// What a mouse button does in SendMouse.
enum TMouseAction { maPress, maRelease, maDoubleClick };
/// Delivers a mouse button event at (X, Y) of C's client area, with the
/// modifiers of Shift held, as the window system would.
void SendMouse(TControl &C, TMouseAction Action, TMouseButton Button, int X, int Y,
               TShiftState Shift = {});
/// The hot spot of the mouse cursor C's window shows.
TPoint CursorHotSpot(TControl &C);
/// Whether C's window shows the system's pointing-hand cursor.
bool ShowsHandCursor(TControl &C);
/// The narrowest and widest client area the user may give C's window by
/// dragging its frame (a large number when there is no upper limit).
int MinimumWindowWidth(TControl &C);
int MaximumWindowWidth(TControl &C);
/// Whether the window system shows C's window now.
bool WindowVisible(TControl &C);
