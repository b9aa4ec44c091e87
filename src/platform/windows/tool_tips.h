#pragma once
// Platform-internal: hints shown as tooltips. One tooltip window serves
// every control's window; a control with an empty hint has no tool.
#include "platform/windows/system.h"

#include <string>

/// Shows Text (UTF-8, line breaks kept) as Window's tooltip; empty removes it.
void SetToolTip(HWND Window, const std::string &Text);
/// Forgets Window's tool (its window is going).
void RemoveToolTip(HWND Window);
/// The tooltip text Window has now (empty when none).
std::string ToolTipOf(HWND Window);
