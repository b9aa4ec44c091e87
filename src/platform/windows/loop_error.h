#pragma once
// How the Windows back end's message windows show an error a copy-data
// handler raised: like any error reaching the event loop. loop_error.cpp
// hands it to the application object; a test program that has none defines
// this function itself.
#include <exception>

/// Shows Error the way the event loop shows an error that reached it.
void ShowLoopError(const std::exception &Error);
