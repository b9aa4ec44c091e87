#pragma once
// The application icon: its file name comes from the language file
// ("AppIconName"), its directory is the host's work area, and a host may
// deliver the file itself.
#include <string>

class TkdbCustomDemon;

/// Whether Name may be joined to the work area: a non-empty relative name
/// without a ".." component ("/" and "\" both separate components), so that
/// nothing outside the work area is read or written.
bool IsWorkAreaFileName(const std::string &Name);

/// Finds the application icon: the name the language file gives, in the work
/// area; with UseTavelinServer the host's copy (when it has a non-empty one)
/// first replaces the file there atomically. Returns the icon file's path, or
/// empty when there is no usable name or no such file. A work area that
/// cannot be written leaves an older icon file in use.
std::string ProvideAppIcon(TkdbCustomDemon &Demon);
