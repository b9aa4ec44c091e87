// The standard controls' windows on Windows: buttons and check boxes are
// BUTTON windows, the scroll bar a SCROLLBAR, the track bar the common
// controls' track bar, the memo a multi-line EDIT. Their keys move them as
// on every other system (see range_keys.h); their notifications reach the
// controls through the parent's window procedure.
#include "platform/controls_standard.h"

#include "platform/canvas.h"
#include "platform/form.h"
#include "platform/windows/control_window.h"
#include "platform/windows/dib_image.h"
#include "platform/windows/range_keys.h"
#include "platform/windows/wide_string.h"

#include <commctrl.h>

#include <algorithm>

namespace {

void SetStyleBits(HWND Window, DWORD Bits, DWORD Mask) {
  const LONG_PTR old = GetWindowLongPtrW(Window, GWL_STYLE);
  const LONG_PTR style = (old & ~LONG_PTR(Mask)) | LONG_PTR(Bits);
  if (style == old) return;
  SetWindowLongPtrW(Window, GWL_STYLE, style);
  SetWindowPos(Window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  InvalidateRect(Window, nullptr, TRUE);
}

void SetWindowCaption(HWND Window, const std::string &Caption) {
  SetWindowTextW(Window, WideFromUtf8(Caption).c_str());
}

/// The key handling of a range control: the position after Key, or nothing.
std::function<bool(WPARAM)> RangeKeys(TRangeControl *Control, std::function<bool()> Inverted,
                                      std::function<int()> Line, std::function<int()> Page) {
  return [=](WPARAM Key) {
    const std::optional<int> to =
        PositionAfterKey(int(Key), Control->Position(), Control->Min(), Control->Max(), Line(),
                         Page(), Inverted());
    if (!to) return false;
    DispatchSafely([&] { Control->SetPosition(*to); });
    return true;
  };
}

std::wstring MemoText(TStrings &Lines) {
  std::string text;
  for (int i = 0; i < Lines.Count(); ++i) {
    if (i) text += "\r\n";
    text += Lines.Strings(i);
  }
  return WideFromUtf8(text);
}

} // namespace

// ---- TLabel --------------------------------------------------------------------------

void TLabel::SetKeyboardFocusable(bool Value) {
  HWND w = Widget();
  TWindowData *data = WindowDataOf(w);
  if (!data) return;
  data->ClickFocus = Value;
  if (Value)
    data->OwnKey = [this](WPARAM Key) {
      if (Key != VK_RETURN && Key != VK_SPACE) return false;
      if (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return false;
      if (Enabled()) DispatchSafely([this] { Click(); });
      return true;
    };
  else
    data->OwnKey = nullptr;
  SetStyleBits(w, Value ? WS_TABSTOP : 0, WS_TABSTOP);
  Invalidate();
}

bool TLabel::KeyboardFocused() const {
  return GetFocus() == Widget();
}

// ---- TBitBtn -------------------------------------------------------------------------

TBitBtn::TBitBtn(TComponent *AOwner) : TWinControl(AOwner), glyph_(std::make_unique<TBitmap>()) {
  SetWidget(NewControlWindow(L"BUTTON", WS_CHILD | BS_PUSHBUTTON, 0, this));
  WidgetReportsClicks();
  WindowDataOf(Widget())->OnCommand = [this](WORD Code) {
    if (Code == BN_CLICKED) DispatchSafely([this] { Click(); });
  };
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TBitBtn::GlyphChanged() {
  HWND button = Widget();
  HBITMAP old = reinterpret_cast<HBITMAP>(SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0));
  HBITMAP fresh = nullptr;
  if (!glyph_->Empty()) {
    // The first image, its background (the bottom-left pixel's colour) in
    // the button's face colour.
    const TDibImage &all = glyph_->Image();
    const int w = std::max(1, all.Width() / numGlyphs_), h = all.Height();
    TDibImage first(w, h);
    const std::uint32_t key = all.Bits()[std::size_t(h - 1) * std::size_t(all.Width())] & 0xFFFFFFu;
    const TColor face = ColorToRGB(clBtnFace);
    const std::uint32_t faceBits =
        (std::uint32_t(GetRValue(face)) << 16) | (std::uint32_t(GetGValue(face)) << 8) |
        GetBValue(face);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint32_t p = all.Bits()[std::size_t(y) * std::size_t(all.Width()) + std::size_t(x)];
        first.Bits()[std::size_t(y) * std::size_t(w) + std::size_t(x)] =
            (p & 0xFFFFFFu) == key ? faceBits : p;
      }
    fresh = static_cast<HBITMAP>(CopyImage(first.Handle(), IMAGE_BITMAP, 0, 0, 0));
  }
  SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(fresh));
  if (old) DeleteObject(old);
}

void TBitBtn::TextChanged() {
  SetWindowCaption(Widget(), Caption());
}

void TBitBtn::PerformClick() {
  if (Enabled()) DispatchSafely([this] { Click(); });
}

// ---- TCheckBox -----------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent *AOwner) : TWinControl(AOwner) {
  SetWidget(NewControlWindow(L"BUTTON", WS_CHILD | BS_AUTOCHECKBOX, 0, this));
  WidgetReportsClicks();
  WindowDataOf(Widget())->OnCommand = [this](WORD Code) {
    if (Code != BN_CLICKED) return;
    const bool on = SendMessageW(Widget(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    if (on != checked_) DispatchSafely([&] { SetChecked(on); });
  };
  SetBounds(0, 0, 97, 17);
  SetTabStop(true);
}

void TCheckBox::SetChecked(bool Value) {
  if (Value == checked_) return;
  checked_ = Value;
  SendMessageW(Widget(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!IsLoading()) Click();
}

void TCheckBox::TextChanged() {
  SetWindowCaption(Widget(), Caption());
}

// ---- TScrollBar ----------------------------------------------------------------------

TScrollBar::TScrollBar(TComponent *AOwner) : TRangeControl(AOwner, 0, 100) {
  SetWidget(NewControlWindow(L"SCROLLBAR", WS_CHILD | SBS_HORZ, 0, this));
  TWindowData *data = WindowDataOf(Widget());
  data->OnScroll = [this](WORD Request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(Widget(), SB_CTL, &info);
    int to = Position();
    switch (Request) {
    case SB_LINEUP:
      to -= smallChange_;
      break;
    case SB_LINEDOWN:
      to += smallChange_;
      break;
    case SB_PAGEUP:
      to -= largeChange_;
      break;
    case SB_PAGEDOWN:
      to += largeChange_;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      to = info.nTrackPos;
      break;
    case SB_TOP:
      to = Min();
      break;
    case SB_BOTTOM:
      to = Max();
      break;
    default:
      return;
    }
    if (!syncing_) DispatchSafely([&] { SetPosition(to); });
  };
  data->OwnKey = RangeKeys(
      this, [this] { return kind_ == sbVertical; }, [this] { return smallChange_; },
      [this] { return largeChange_; });
  SetBounds(0, 0, 121, 17);
  SetTabStop(true);
  Sync();
}

void TScrollBar::Sync() {
  HWND bar = Widget();
  syncing_ = true;
  SetStyleBits(bar, kind_ == sbHorizontal ? SBS_HORZ : SBS_VERT, SBS_HORZ | SBS_VERT);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE | SIF_DISABLENOSCROLL;
  info.nMin = Min();
  info.nMax = Max();
  info.nPage = 0;
  info.nPos = Position();
  SetScrollInfo(bar, SB_CTL, &info, TRUE);
  syncing_ = false;
}

// ---- TTrackBar -----------------------------------------------------------------------

TTrackBar::TTrackBar(TComponent *AOwner) : TRangeControl(AOwner, 0, 10) {
  SetWidget(NewControlWindow(TRACKBAR_CLASSW, WS_CHILD | TBS_HORZ | TBS_AUTOTICKS, 0, this));
  TWindowData *data = WindowDataOf(Widget());
  data->OnScroll = [this](WORD) {
    const int to = int(SendMessageW(Widget(), TBM_GETPOS, 0, 0));
    if (!syncing_ && to != Position()) DispatchSafely([&] { SetPosition(to); });
  };
  data->OwnKey = RangeKeys(
      this, [this] { return orientation_ == trVertical; }, [this] { return lineSize_; },
      [this] { return pageSize_; });
  SetBounds(0, 0, 150, 45);
  SetTabStop(true);
  Sync();
}

void TTrackBar::Sync() {
  HWND bar = Widget();
  syncing_ = true;
  DWORD style = orientation_ == trVertical ? TBS_VERT : TBS_HORZ;
  if (tickStyle_ == tsNone)
    style |= TBS_NOTICKS;
  else {
    if (tickStyle_ == tsAuto) style |= TBS_AUTOTICKS;
    style |= tickMarks_ == tmBoth ? TBS_BOTH : tickMarks_ == tmTopLeft ? TBS_TOP : TBS_BOTTOM;
  }
  SetStyleBits(bar, style, TBS_VERT | TBS_HORZ | TBS_NOTICKS | TBS_AUTOTICKS | TBS_BOTH | TBS_TOP |
                               TBS_BOTTOM);
  SendMessageW(bar, TBM_SETRANGEMIN, FALSE, Min());
  SendMessageW(bar, TBM_SETRANGEMAX, FALSE, Max());
  SendMessageW(bar, TBM_SETPOS, TRUE, Position());
  SendMessageW(bar, TBM_SETLINESIZE, 0, lineSize_);
  SendMessageW(bar, TBM_SETPAGESIZE, 0, pageSize_);
  if (tickStyle_ != tsNone)
    SendMessageW(bar, TBM_SETTICFREQ, tickStyle_ == tsAuto ? frequency_ : Max() - Min(), 0);
  syncing_ = false;
}

// ---- TMemo ---------------------------------------------------------------------------

namespace {

/// Shows the memo's vertical scroll bar exactly when its text does not fit
/// (ssAutoVertical, ssAutoBoth) or always (ssVertical, ssBoth).
void UpdateMemoScrollBar(HWND Edit, TScrollStyle Style) {
  const bool always = Style == ssVertical || Style == ssBoth;
  const bool automatic = Style == ssAutoVertical || Style == ssAutoBoth;
  if (!automatic) {
    ShowScrollBar(Edit, SB_VERT, always);
    return;
  }
  // Showing the bar narrows the text, which may wrap into more lines: try
  // without it first, then with it.
  auto overflows = [Edit] {
    const int lines = int(SendMessageW(Edit, EM_GETLINECOUNT, 0, 0));
    RECT r{};
    SendMessageW(Edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    HDC dc = GetDC(Edit);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(Edit, WM_GETFONT, 0, 0)));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(Edit, dc);
    const int lineHeight = std::max<int>(1, tm.tmHeight);
    return lines * lineHeight > r.bottom - r.top;
  };
  ShowScrollBar(Edit, SB_VERT, FALSE);
  if (overflows()) ShowScrollBar(Edit, SB_VERT, TRUE);
}

HWND NewMemoWindow(TMemo *Memo, bool WordWrap, bool ReadOnly) {
  DWORD style = WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | WS_VSCROLL;
  if (!WordWrap) style |= ES_AUTOHSCROLL | WS_HSCROLL;
  if (ReadOnly) style |= ES_READONLY;
  return NewControlWindow(L"EDIT", style, WS_EX_CLIENTEDGE, Memo);
}

} // namespace

TMemo::TMemo(TComponent *AOwner) : TWinControl(AOwner), lines_(std::make_unique<TStringList>()) {
  SetWidget(NewMemoWindow(this, wordWrap_, readOnly_));
  lines_->OnChange = [this](TObject *) { LinesChanged(); };
  SetColor(clWindow);
  SetBounds(0, 0, 185, 89);
  SetTabStop(true);
  SetScrollBars(ssNone);
  SetWordWrap(true);
}

void TMemo::LinesChanged() {
  updating_ = true;
  SetWindowTextW(Widget(), MemoText(*lines_).c_str());
  updating_ = false;
  UpdateMemoScrollBar(Widget(), scrollBars_);
  if (OnChange && !IsLoading()) OnChange(this);
}

void TMemo::WidgetEdited() {
  HWND edit = Widget();
  std::wstring wide(std::size_t(GetWindowTextLengthW(edit)) + 1, L'\0');
  wide.resize(std::size_t(GetWindowTextW(edit, wide.data(), int(wide.size()))));
  std::string text = Utf8FromWide(wide);
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  updating_ = true;
  lines_->OnChange = nullptr;
  lines_->SetText(text);
  lines_->OnChange = [this](TObject *) { LinesChanged(); };
  updating_ = false;
  UpdateMemoScrollBar(edit, scrollBars_);
  if (OnChange) OnChange(this);
}

void TMemo::SetReadOnly(bool Value) {
  readOnly_ = Value;
  SendMessageW(Widget(), EM_SETREADONLY, Value, 0);
}

void TMemo::SetScrollBars(TScrollStyle Value) {
  scrollBars_ = Value;
  HWND edit = Widget();
  TWindowData *data = WindowDataOf(edit);
  data->OnCommand = [this](WORD Code) {
    if (Code == EN_CHANGE && !updating_) DispatchSafely([this] { WidgetEdited(); });
  };
  data->OnColor = [this](HDC Dc) {
    static HBRUSH brush = nullptr;
    if (brush) DeleteObject(brush);
    const TColor back = ColorToRGB(Color()), fore = ColorToRGB(Font()->Color());
    SetBkColor(Dc, RGB(GetRValue(back), GetGValue(back), GetBValue(back)));
    SetTextColor(Dc, RGB(GetRValue(fore), GetGValue(fore), GetBValue(fore)));
    brush = CreateSolidBrush(RGB(GetRValue(back), GetGValue(back), GetBValue(back)));
    return brush;
  };
  data->OnSize = [this] { UpdateMemoScrollBar(Widget(), scrollBars_); };
  UpdateMemoScrollBar(edit, Value);
}

void TMemo::SetWordWrap(bool Value) {
  if (Value == wordWrap_ && WindowDataOf(Widget())->OnCommand) return;
  wordWrap_ = Value;
  // An edit control takes its wrapping only when it is made: a new one
  // replaces the old with the same text.
  updating_ = true;
  SetWidget(NewMemoWindow(this, wordWrap_, readOnly_));
  SetWindowTextW(Widget(), MemoText(*lines_).c_str());
  if (TabStop()) SetTabStop(true);
  updating_ = false;
  SetScrollBars(scrollBars_);
}

void TMemo::ColorChanged() {
  InvalidateRect(Widget(), nullptr, TRUE);
}
