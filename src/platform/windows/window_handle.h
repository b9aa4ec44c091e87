#pragma once
// A window handle as the message windows carry it: 32 bits. Window handles
// are 32-bit significant on 64-bit Windows too (so that 32- and 64-bit
// programs can share them), and a handle travels sign-extended, as the
// system converts it, so every handle the system gives out survives the
// round trip.
#include "platform/message_window.h"

#include <windows.h>

inline HWND WindowFromHandle(TMessageWindowHandle Handle) {
  return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<std::int32_t>(Handle)));
}

inline TMessageWindowHandle HandleOfWindow(HWND Window) {
  return static_cast<TMessageWindowHandle>(reinterpret_cast<ULONG_PTR>(Window));
}
