#pragma once
// Platform-internal: the save dialog's file types in the form the system's
// dialog takes them.
#include <string>

/// "PNG picture (*.png);;CSV table (*.csv *.txt)" as the pairs of names and
/// patterns GetSaveFileNameW takes ("PNG picture (*.png)\0*.png\0...\0\0");
/// a type without a pattern in brackets matches every file.
std::wstring SystemFileFilter(const std::string &Filter);
