#pragma once
// What tests do to a control's window as the user or the window system
// would, on every system the suite runs on.
#include "platform/control.h"

#include <cstdint>
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
