#pragma once
// Platform-internal: the Qt message box that ShowMessageBox shows, apart so
// that tests can check what Qt is given without showing it.
#include "platform/message_box.h"

#include <QMessageBox>

#include <memory>

/// A box with an OK button for Request. Its text and caption are plain text:
/// messages carry texts from language files and hosts, which Qt would
/// otherwise take for rich text when they look like markup.
std::unique_ptr<QMessageBox> NewMessageBox(const TMessageBoxRequest &Request);
