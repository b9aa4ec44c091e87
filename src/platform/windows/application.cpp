// The application object on Windows: the main message loop, exceptions that
// reach it shown in a message box, the cursor list (the program's CURSOR
// resources, else cursors built from the registered XPM pictures) and the
// per-monitor DPI awareness.
#include "platform/application.h"
#include "platform/bitmap.h"

#include "platform/exceptions.h"
#include "platform/form.h"
#include "platform/message_box.h"
#include "platform/property_registry.h"
#include "platform/resources.h"
#include "platform/streams.h"
#include "platform/xpm_picture.h"
#include "platform/windows/control_window.h"
#include "platform/windows/dib_image.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/wide_string.h"

#include <algorithm>
#include <vector>

// The system's macros for its W functions would rename ours.
#undef FindResource

struct TApplication::CursorImage {
  HCURSOR cursor = nullptr;
  bool owned = false; // built here (DestroyCursor), not loaded from resources
  ~CursorImage() {
    if (owned && cursor) DestroyCursor(cursor);
  }
};

namespace {

/// Makes the process aware of each monitor's DPI where the system offers it
/// (older systems, and Wine, may not: the program then runs at 96 DPI).
void BecomeDpiAware() {
  using SetContextFn = BOOL(WINAPI *)(HANDLE);
  const auto fn = reinterpret_cast<SetContextFn>(reinterpret_cast<void *>(
      GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
  if (fn) fn(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4)));
}

/// A cursor from an XPM picture: a 32-bit colour bitmap with its alpha and
/// the mask of its transparent pixels.
/// A BMP or PNG picture as the pixels of an opaque cursor; nothing for data
/// that is no picture or one too large for a cursor.
std::optional<TXpmPicture> OpaquePicture(const std::string &Data) {
  TBitmap bitmap;
  try {
    TStringStream stream(Data);
    bitmap.LoadFromStream(stream);
  } catch (const Exception &) {
    return std::nullopt;
  }
  const TDibImage &image = bitmap.Image();
  if (image.Width() <= 0 || image.Height() <= 0 || image.Width() > MaxXpmSize ||
      image.Height() > MaxXpmSize)
    return std::nullopt;
  TXpmPicture picture;
  picture.Width = image.Width();
  picture.Height = image.Height();
  const std::size_t count = std::size_t(picture.Width) * std::size_t(picture.Height);
  picture.Pixels.assign(image.Bits(), image.Bits() + count);
  for (std::uint32_t &p : picture.Pixels) p |= 0xFF000000u;
  return picture;
}

HCURSOR CursorFromXpm(const TXpmPicture &Picture, int HotX, int HotY) {
  TDibImage colour(Picture.Width, Picture.Height, 0);
  const int maskStride = ((Picture.Width + 15) / 16) * 2; // rows of whole words
  std::vector<unsigned char> mask(std::size_t(maskStride) * std::size_t(Picture.Height), 0);
  for (int y = 0; y < Picture.Height; ++y)
    for (int x = 0; x < Picture.Width; ++x) {
      const std::uint32_t p = Picture.Pixels[std::size_t(y) * std::size_t(Picture.Width) + std::size_t(x)];
      colour.Bits()[std::size_t(y) * std::size_t(Picture.Width) + std::size_t(x)] = p;
      if ((p >> 24) == 0)
        mask[std::size_t(y) * std::size_t(maskStride) + std::size_t(x / 8)] |=
            static_cast<unsigned char>(0x80 >> (x % 8));
    }
  HBITMAP maskBitmap = CreateBitmap(Picture.Width, Picture.Height, 1, 1, mask.data());
  ICONINFO info{};
  info.fIcon = FALSE;
  info.xHotspot = DWORD(std::max(0, HotX));
  info.yHotspot = DWORD(std::max(0, HotY));
  info.hbmMask = maskBitmap;
  info.hbmColor = colour.Handle();
  HCURSOR cursor = CreateIconIndirect(&info);
  DeleteObject(maskBitmap);
  return cursor;
}

LPCWSTR SystemCursorName(TCursor Cursor) {
  switch (Cursor) {
  case crCross:
    return MAKEINTRESOURCEW(32515);
  case crIBeam:
    return MAKEINTRESOURCEW(32513);
  case crSizeNESW:
    return MAKEINTRESOURCEW(32643);
  case crSizeNS:
  case crVSplit:
    return MAKEINTRESOURCEW(32645);
  case crSizeNWSE:
    return MAKEINTRESOURCEW(32642);
  case crSizeWE:
  case crHSplit:
    return MAKEINTRESOURCEW(32644);
  case crUpArrow:
    return MAKEINTRESOURCEW(32516);
  case crHourGlass:
    return MAKEINTRESOURCEW(32514);
  case crDrag:
  case crArrow:
    return MAKEINTRESOURCEW(32512);
  case crNoDrop:
  case crNo:
    return MAKEINTRESOURCEW(32648);
  case crAppStart:
    return MAKEINTRESOURCEW(32650);
  case crHelp:
    return MAKEINTRESOURCEW(32651);
  case crHandPoint:
    return MAKEINTRESOURCEW(32649);
  case crSizeAll:
    return MAKEINTRESOURCEW(32646);
  default:
    return nullptr;
  }
}

} // namespace

void TApplication::Initialize() {
  RegisterPlatformClasses();
  if (initialized_) return;
  initialized_ = true;
  BecomeDpiAware();
  RegisterWindowClasses();
}

void TApplication::Run() {
  if (!initialized_) Initialize();
  if (terminated_) return;
  if (mainForm_ && !mainForm_->Visible()) mainForm_->Show();
  if (terminated_ || !mainForm_) return;
  TMessageLoop loop;
  loop_ = &loop;
  loop.Run();
  loop_ = nullptr;
}

void TApplication::QuitMainLoop() {
  if (loop_) loop_->Quit();
}

void TApplication::ProcessMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Left for the loop that runs the program.
      PostQuitMessage(int(message.wParam));
      return;
    }
    DispatchLoopMessage(message);
  }
}

void TApplication::BringToFront() {
  std::vector<HWND> windows;
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto *form = dynamic_cast<TForm *>(Components(i)); form && form->Visible())
      windows.push_back(form->Widget());
  // A modal window last, so it stays on top.
  std::stable_partition(windows.begin(), windows.end(), [](HWND w) { return IsWindowEnabled(w); });
  for (HWND w : windows) {
    if (IsIconic(w)) ShowWindow(w, SW_RESTORE);
    SetWindowPos(w, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(w);
  }
}

void TApplication::SetCursor(TCursor Value) {
  if (Value == cursor_) return;
  cursor_ = Value;
  // The window under the mouse asks again (WM_SETCURSOR).
  POINT p;
  if (GetCursorPos(&p)) SetCursorPos(p.x, p.y);
  if (cursor_ != crDefault) ::SetCursor(CursorHandleOf(cursor_));
}

bool TApplication::SetCursorImage(TCursor Index, const std::string &PictureName, int HotX,
                                  int HotY) {
  if (Index <= 0) return false;
  auto entry = std::make_shared<CursorImage>();
  // The program's own cursor resource of that name comes first.
  if (auto wide = StrictWideFromUtf8(PictureName))
    entry->cursor = static_cast<HCURSOR>(
        LoadImageW(GetModuleHandleW(nullptr), wide->c_str(), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE));
  if (!entry->cursor) {
    const std::optional<std::string> data = FindResource(PictureName);
    if (!data) return false;
    std::optional<TXpmPicture> picture = ReadXpm(*data);
    if (!picture) picture = OpaquePicture(*data);
    if (!picture) return false;
    entry->cursor = CursorFromXpm(*picture, HotX, HotY);
    entry->owned = true;
  }
  if (!entry->cursor) return false;
  cursors_[Index] = entry;
  return true;
}

HCURSOR CursorHandleOf(TCursor Cursor) {
  if (Cursor > 0) {
    const auto *image = Application->RegisteredCursor(Cursor);
    return image ? image->cursor : nullptr;
  }
  if (Cursor == crNone) return nullptr;
  LPCWSTR name = SystemCursorName(Cursor);
  return name ? LoadCursorW(nullptr, name) : nullptr;
}

void TApplication::ApplyCursor(HWND Widget, TCursor Cursor) const {
  TWindowData *data = WindowDataOf(Widget);
  if (!data) return;
  data->Cursor = Cursor == crNone ? nullptr : CursorHandleOf(Cursor);
  if (Cursor == crNone) {
    static HCURSOR blank = [] {
      const unsigned char and_[4] = {0xFF, 0xFF, 0xFF, 0xFF}, xor_[4] = {0, 0, 0, 0};
      return CreateCursor(GetModuleHandleW(nullptr), 0, 0, 1, 1, and_, xor_);
    }();
    data->Cursor = blank;
  }
  POINT p;
  if (GetCursorPos(&p) && WindowFromPoint(p) == Widget && data->Cursor) ::SetCursor(data->Cursor);
}

std::string TApplication::ExeName() const {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      path.resize(n);
      return Utf8FromWide(path);
    }
    path.resize(path.size() * 2);
  }
}
