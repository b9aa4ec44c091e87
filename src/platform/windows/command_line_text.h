#pragma once
// Writing arguments into one Windows command line, quoted so that the
// started program's C runtime (CommandLineToArgvW rules) splits it back
// into exactly these arguments.
#include <string>
#include <vector>

/// Arguments joined with blanks; an argument that is empty or holds a
/// blank, tab or double quote is quoted, backslashes doubled where the
/// rules need it.
std::wstring CommandLineText(const std::vector<std::string> &Arguments);
