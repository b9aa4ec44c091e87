#pragma once
// The system objects behind the layer's controls, pictures and event loops,
// named without their headers. Interface headers use these names in their
// platform-internal members only; code above the platform layer never sees
// what they stand for. Each back end defines them as its own types: Qt
// widgets, images and event loops on Linux, window handles, device-independent
// bitmaps and nested message loops on Windows.
#if defined(_WIN32)
struct HWND__;
class TDibImage;
struct TMessageLoop;
/// The window that shows a control (an HWND).
using TNativeWidget = HWND__;
/// The pixels of a bitmap, a back buffer or an icon.
using TNativeImage = TDibImage;
/// A running (nested) event loop: the main loop or a modal form's.
using TNativeEventLoop = TMessageLoop;
#else
class QWidget;
class QImage;
class QEventLoop;
using TNativeWidget = QWidget;
using TNativeImage = QImage;
using TNativeEventLoop = QEventLoop;
#endif
