#pragma once
// Records of the event loop's hooks the test programs define themselves.
#include <string>
#include <vector>

/// Texts of the handler errors the message windows had shown, in order.
extern std::vector<std::string> g_shownLoopErrors;
/// How often a termination request ended the run.
extern int g_endRunRequests;
