// Controls and forms on real Windows windows (Wine's null display driver
// in the test runs): the windows a description makes, the keyboard driven by
// posted key messages, modal display, errors in events, the memo's scroll
// bar, and what a painted control puts into its window's pixels.
#include "platform/application.h"
#include "platform/controls_standard.h"
#include "platform/form.h"
#include "platform/form_loader.h"
#include "platform/key_shortcuts.h"
#include "platform/message_box.h"
#include "platform/resources.h"
#include "platform/windows/system.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::wstring ClassOf(HWND Window) {
  wchar_t name[64] = {};
  GetClassNameW(Window, name, 64);
  return name;
}

std::wstring TextOf(HWND Window) {
  wchar_t text[256] = {};
  GetWindowTextW(Window, text, 256);
  return text;
}

LONG_PTR StyleOf(HWND Window) {
  return GetWindowLongPtrW(Window, GWL_STYLE);
}

/// Posts a key press (down, with the character it types) to Window and runs
/// the messages it causes.
void PressKey(HWND Window, WPARAM Key, wchar_t Typed = 0) {
  PostMessageW(Window, WM_KEYDOWN, Key, 1);
  if (Typed) PostMessageW(Window, WM_CHAR, Typed, 1);
  PostMessageW(Window, WM_KEYUP, Key, LPARAM(0xC0000001u));
  Application->ProcessMessages();
}

/// Holds Shift (as far as GetKeyState tells) while it exists.
class THeldShift {
public:
  THeldShift() {
    GetKeyboardState(saved_);
    BYTE state[256];
    std::copy(std::begin(saved_), std::end(saved_), state);
    state[VK_SHIFT] = 0x80;
    SetKeyboardState(state);
  }
  ~THeldShift() { SetKeyboardState(saved_); }

private:
  BYTE saved_[256] = {};
};

class TfrmLoaded : public TForm {
public:
  explicit TfrmLoaded(const std::string &Name, const std::string &Text) : TForm(nullptr) {
    Handler("Clicked", &TfrmLoaded::Clicked);
    RegisterFormText(Name, Text);
    InitializeForm(Name);
  }
  void Clicked(TObject *) { ++clicks; }
  int clicks = 0;
};

const char *const Description = R"(
object frmWindows: TfrmLoaded
  Left = 40
  Top = 30
  Caption = '&Spectrum'
  ClientWidth = 400
  ClientHeight = 300
  object Panel: TPanel
    Left = 0
    Top = 0
    Width = 400
    Height = 120
    object Box: TCheckBox
      Left = 200
      Top = 10
      Width = 90
      Height = 17
      Caption = '&Peak'
      OnClick = Clicked
    end
    object Bar: TScrollBar
      Left = 10
      Top = 10
      Width = 150
      Height = 17
      Max = 100
      LargeChange = 10
    end
  end
  object Track: TTrackBar
    Left = 10
    Top = 130
    Width = 200
    Height = 40
    Orientation = trVertical
  end
  object Memo: TMemo
    Left = 220
    Top = 130
    Width = 170
    Height = 100
    ReadOnly = True
  end
  object Exit: TBitBtn
    Left = 300
    Top = 260
    Width = 80
    Height = 25
    Caption = 'E&xit'
    OnClick = Clicked
  end
end
)";

template <class T> T *Find(TForm &Form, const char *Name) {
  auto *c = dynamic_cast<T *>(Form.FindComponent(Name));
  EXPECT_NE(c, nullptr) << Name;
  return c;
}

TEST(WindowControls, ADescriptionMakesRealChildWindowsOfTheRightKinds) {
  TfrmLoaded form("frmWindows1", Description);
  auto *panel = Find<TPanel>(form, "Panel");
  auto *box = Find<TCheckBox>(form, "Box");
  auto *bar = Find<TScrollBar>(form, "Bar");
  auto *track = Find<TTrackBar>(form, "Track");
  auto *memo = Find<TMemo>(form, "Memo");
  auto *exit = Find<TBitBtn>(form, "Exit");
  ASSERT_TRUE(panel && box && bar && track && memo && exit);

  // The form is a top-level window titled without its accelerator mark.
  HWND window = form.Widget();
  EXPECT_FALSE(StyleOf(window) & WS_CHILD);
  EXPECT_TRUE(StyleOf(window) & WS_THICKFRAME);
  EXPECT_EQ(TextOf(window), L"Spectrum");
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 400);
  EXPECT_EQ(client.bottom, 300);

  EXPECT_EQ(ClassOf(panel->Widget()), L"SpectrionWindow");
  EXPECT_EQ(ClassOf(box->Widget()), L"Button");
  EXPECT_EQ(StyleOf(box->Widget()) & BS_TYPEMASK, BS_AUTOCHECKBOX);
  EXPECT_EQ(ClassOf(exit->Widget()), L"Button");
  EXPECT_EQ(StyleOf(exit->Widget()) & BS_TYPEMASK, BS_PUSHBUTTON);
  EXPECT_EQ(TextOf(exit->Widget()), L"E&xit");
  EXPECT_EQ(ClassOf(bar->Widget()), L"ScrollBar");
  EXPECT_EQ(ClassOf(track->Widget()), L"msctls_trackbar32");
  EXPECT_TRUE(StyleOf(track->Widget()) & TBS_VERT);
  EXPECT_EQ(ClassOf(memo->Widget()), L"Edit");
  EXPECT_TRUE(StyleOf(memo->Widget()) & ES_MULTILINE);
  EXPECT_TRUE(StyleOf(memo->Widget()) & ES_READONLY);

  // Children sit in their parents' windows, where their bounds say.
  EXPECT_EQ(GetParent(panel->Widget()), window);
  EXPECT_EQ(GetParent(box->Widget()), panel->Widget());
  for (TWinControl *c : {static_cast<TWinControl *>(box), static_cast<TWinControl *>(bar),
                         static_cast<TWinControl *>(exit)}) {
    EXPECT_TRUE(StyleOf(c->Widget()) & WS_CHILD);
    EXPECT_TRUE(StyleOf(c->Widget()) & WS_TABSTOP);
  }
  RECT r{};
  GetWindowRect(box->Widget(), &r);
  MapWindowPoints(nullptr, panel->Widget(), reinterpret_cast<POINT *>(&r), 2);
  EXPECT_EQ(r.left, 200);
  EXPECT_EQ(r.top, 10);
  EXPECT_EQ(r.right - r.left, 90);

  // Moving a control in code moves its window; re-parenting moves it over.
  exit->SetBounds(10, 200, 60, 20);
  GetWindowRect(exit->Widget(), &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT *>(&r), 2);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.bottom - r.top, 20);
  exit->SetParent(panel);
  EXPECT_EQ(GetParent(exit->Widget()), panel->Widget());
}

TEST(WindowControls, ValueControlsFollowTheirWindowsAndBack) {
  TfrmLoaded form("frmWindows2", Description);
  auto *box = Find<TCheckBox>(form, "Box");
  auto *bar = Find<TScrollBar>(form, "Bar");
  auto *track = Find<TTrackBar>(form, "Track");
  ASSERT_TRUE(box && bar && track);
  form.Show();

  // A click the window reports (BM_CLICK) toggles the box once.
  SendMessageW(box->Widget(), BM_CLICK, 0, 0);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(form.clicks, 1);
  box->SetChecked(false);
  EXPECT_EQ(SendMessageW(box->Widget(), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  bar->SetPosition(42);
  EXPECT_EQ(GetScrollPos(bar->Widget(), SB_CTL), 42);
  // The bar's own scroll requests move the control.
  SendMessageW(GetParent(bar->Widget()), WM_HSCROLL, SB_PAGEDOWN,
               reinterpret_cast<LPARAM>(bar->Widget()));
  EXPECT_EQ(bar->Position(), 52);

  track->SetMax(20);
  track->SetPosition(7);
  EXPECT_EQ(SendMessageW(track->Widget(), TBM_GETPOS, 0, 0), 7);
  EXPECT_EQ(SendMessageW(track->Widget(), TBM_GETRANGEMAX, 0, 0), 20);
  SendMessageW(track->Widget(), TBM_SETPOS, TRUE, 12);
  SendMessageW(GetParent(track->Widget()), WM_VSCROLL, TB_THUMBPOSITION,
               reinterpret_cast<LPARAM>(track->Widget()));
  EXPECT_EQ(track->Position(), 12);
}

TEST(WindowKeys, TabFollowsReadingOrderAndShiftTabGoesBack) {
  TfrmLoaded form("frmWindows3", Description);
  auto *box = Find<TCheckBox>(form, "Box");
  auto *bar = Find<TScrollBar>(form, "Bar");
  auto *track = Find<TTrackBar>(form, "Track");
  auto *memo = Find<TMemo>(form, "Memo");
  auto *exit = Find<TBitBtn>(form, "Exit");
  ASSERT_TRUE(box && bar && track && memo && exit);
  form.Show();
  Application->ProcessMessages();
  // The first stop in reading order takes the keyboard when the form shows.
  ASSERT_TRUE(bar->Focused());
  PressKey(GetFocus(), VK_TAB, L'\t');
  EXPECT_TRUE(box->Focused());
  PressKey(GetFocus(), VK_TAB, L'\t');
  EXPECT_TRUE(track->Focused());
  PressKey(GetFocus(), VK_TAB, L'\t');
  EXPECT_TRUE(memo->Focused());
  // The memo passes Tab on and types no tab character.
  PressKey(GetFocus(), VK_TAB, L'\t');
  EXPECT_TRUE(exit->Focused());
  EXPECT_EQ(memo->Lines()->Count(), 0);
  PressKey(GetFocus(), VK_TAB, L'\t');
  EXPECT_TRUE(bar->Focused()); // round again
  {
    THeldShift shift;
    PressKey(GetFocus(), VK_TAB, L'\t');
  }
  EXPECT_TRUE(exit->Focused());
  // Disabled controls are passed over.
  bar->SetEnabled(false);
  PressKey(GetFocus(), VK_TAB, L'\t');
  EXPECT_TRUE(box->Focused());
}

TEST(WindowKeys, BarsMoveWithTheKeysAsOnEverySystem) {
  TfrmLoaded form("frmWindows4", Description);
  auto *bar = Find<TScrollBar>(form, "Bar");
  auto *track = Find<TTrackBar>(form, "Track");
  ASSERT_TRUE(bar && track);
  int changes = 0;
  bar->OnChange = [&](TObject *) { ++changes; };
  form.Show();
  bar->SetFocus();
  PressKey(bar->Widget(), VK_RIGHT);
  EXPECT_EQ(bar->Position(), 1);
  PressKey(bar->Widget(), VK_PRIOR); // Page Up: towards the maximum
  EXPECT_EQ(bar->Position(), 11);
  PressKey(bar->Widget(), VK_END);
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_EQ(GetScrollPos(bar->Widget(), SB_CTL), 100);
  EXPECT_EQ(changes, 3);
  // A vertical track bar counts from the top: Down moves towards the maximum.
  track->SetFocus();
  PressKey(track->Widget(), VK_DOWN);
  EXPECT_EQ(track->Position(), 1);
  EXPECT_EQ(SendMessageW(track->Widget(), TBM_GETPOS, 0, 0), 1);
}

TEST(WindowKeys, EnterEscapeAndAcceleratorsActAsInDialogs) {
  TfrmLoaded form("frmWindows5", Description);
  auto *box = Find<TCheckBox>(form, "Box");
  auto *exit = Find<TBitBtn>(form, "Exit");
  ASSERT_TRUE(box && exit);
  form.Show();
  exit->SetFocus();
  PressKey(exit->Widget(), VK_RETURN, L'\r');
  EXPECT_EQ(form.clicks, 1);
  // Alt+P: the check box with "&Peak" toggles.
  PostMessageW(exit->Widget(), WM_SYSCHAR, L'p', LPARAM(1) << 29);
  Application->ProcessMessages();
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(box->Focused());
  EXPECT_EQ(form.clicks, 2);
  // Alt+X presses the button, whichever control has the keyboard.
  PostMessageW(box->Widget(), WM_SYSCHAR, L'X', LPARAM(1) << 29);
  Application->ProcessMessages();
  EXPECT_EQ(form.clicks, 3);
  // A letter no caption marks does nothing.
  PostMessageW(box->Widget(), WM_SYSCHAR, L'q', LPARAM(1) << 29);
  Application->ProcessMessages();
  EXPECT_EQ(form.clicks, 3);

  // Escape closes a dialog.
  bool closed = false;
  form.OnClose = [&](TObject *, TCloseAction &) { closed = true; };
  form.SetBorderStyle(bsDialog);
  PressKey(box->Widget(), VK_ESCAPE, L'\x1b');
  EXPECT_TRUE(closed);
  EXPECT_FALSE(form.Visible());
}

TEST(WindowKeys, ShortcutsRunWhicheverControlHasTheKeyboard) {
  TfrmLoaded form("frmWindows6", Description);
  auto *memo = Find<TMemo>(form, "Memo");
  ASSERT_TRUE(memo);
  TKeyShortcuts keys(form);
  int fits = 0, menus = 0;
  keys.Add("Ctrl+F", [&] { ++fits; });
  keys.Add("Menu", [&] { ++menus; });
  form.Show();
  memo->SetFocus();
  BYTE saved[256], state[256];
  GetKeyboardState(saved);
  std::copy(std::begin(saved), std::end(saved), state);
  state[VK_CONTROL] = 0x80;
  SetKeyboardState(state);
  PressKey(memo->Widget(), 'F');
  SetKeyboardState(saved);
  EXPECT_EQ(fits, 1);
  PressKey(memo->Widget(), 'F', L'f'); // without Ctrl: typed, no shortcut
  EXPECT_EQ(fits, 1);
  // The Menu key runs the window's binding; its release, of which the
  // system makes the control's own context menu, does not reach the control.
  int menuReleases = 0;
  memo->OnKeyUp = [&](TObject *, std::uint16_t &Key, TShiftState) {
    if (Key == VK_APPS) ++menuReleases;
  };
  PressKey(memo->Widget(), VK_APPS);
  EXPECT_EQ(menus, 1);
  EXPECT_EQ(menuReleases, 0);
}

TEST(WindowModal, TheOwnerIsDisabledWhileTheDialogRunsAndItsResultIsReturned) {
  TForm owner(nullptr);
  owner.Show();
  TForm dialog(nullptr);
  auto *ok = new TBitBtn(&dialog);
  ok->SetParent(&dialog);
  ok->SetModalResult(mrOk);
  bool ownerEnabledDuring = true;
  ok->OnClick = [&](TObject *) { ownerEnabledDuring = IsWindowEnabled(owner.Widget()) != FALSE; };
  PostMessageW(ok->Widget(), BM_CLICK, 0, 0);
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_FALSE(ownerEnabledDuring);
  EXPECT_TRUE(IsWindowEnabled(owner.Widget()));
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(IsWindowVisible(dialog.Widget()));

  // Escape cancels; a second showing works as the first.
  PostMessageW(dialog.Widget(), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  // The close box asks the form, which may refuse once.
  int asked = 0;
  dialog.OnCloseQuery = [&](TObject *, bool &CanClose) { CanClose = ++asked > 1; };
  PostMessageW(dialog.Widget(), WM_CLOSE, 0, 0);
  PostMessageW(dialog.Widget(), WM_CLOSE, 0, 0);
  EXPECT_EQ(dialog.ShowModal(), mrCancel);
  EXPECT_EQ(asked, 2);
  EXPECT_THROW((dialog.Show(), dialog.ShowModal()), EComponentError);
}

TEST(WindowErrors, AnExceptionInAnEventBecomesAnErrorBoxAndTheProgramGoesOn) {
  TMessageBoxRecorder boxes;
  Application->SetTitle("Spectrion");
  TForm form(nullptr);
  auto *button = new TBitBtn(&form);
  button->SetParent(&form);
  button->OnClick = [](TObject *) { throw Exception("disk full"); };
  auto *panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(0, 40, 100, 50);
  panel->OnMouseDown = [](TObject *, TMouseButton, TShiftState, int, int) { throw 42; };
  form.Show();
  PostMessageW(button->Widget(), BM_CLICK, 0, 0);
  Application->ProcessMessages();
  ASSERT_EQ(boxes.Messages.size(), 1u);
  EXPECT_EQ(boxes.Messages[0].Text, "disk full");
  EXPECT_EQ(boxes.Messages[0].Caption, "Spectrion");
  EXPECT_EQ(boxes.Messages[0].Type, mtError);
  // Not even a foreign exception unwinds through the window procedure.
  SendMessageW(panel->Widget(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(panel->Widget(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  ASSERT_EQ(boxes.Messages.size(), 2u);
  EXPECT_EQ(boxes.Messages[1].Type, mtError);
  EXPECT_TRUE(IsWindow(panel->Widget()));
}

TEST(WindowMemo, TheScrollBarShowsOnlyWhileTheTextDoesNotFit) {
  TForm form(nullptr);
  auto *memo = new TMemo(&form);
  memo->SetParent(&form);
  memo->SetBounds(10, 10, 150, 80);
  memo->SetScrollBars(ssAutoVertical);
  form.Show();
  auto shown = [&] { return (StyleOf(memo->Widget()) & WS_VSCROLL) != 0; };
  memo->Lines()->Add("one line");
  EXPECT_FALSE(shown());
  for (int i = 0; i < 30; ++i)
    memo->Lines()->Add("line " + std::to_string(i));
  EXPECT_TRUE(shown());
  // Taller, the text fits again.
  memo->SetHeight(1000);
  EXPECT_FALSE(shown());
  memo->SetHeight(80);
  EXPECT_TRUE(shown());
  memo->Lines()->Clear();
  EXPECT_FALSE(shown());
  // Fixed settings keep it on or off whatever the text.
  memo->SetScrollBars(ssVertical);
  EXPECT_TRUE(shown());
  memo->SetScrollBars(ssNone);
  for (int i = 0; i < 30; ++i)
    memo->Lines()->Add("line");
  EXPECT_FALSE(shown());
  // Lines typed in the window reach Lines, line breaks and all.
  SendMessageW(memo->Widget(), EM_SETSEL, 0, -1);
  SendMessageW(memo->Widget(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"first\r\nsecond"));
  EXPECT_EQ(memo->Lines()->Count(), 2);
  EXPECT_EQ(memo->Lines()->Strings(1), "second");
}

/// The colour of the pixel at (X, Y) of Window's client area on screen.
COLORREF ScreenPixel(HWND Window, int X, int Y) {
  HDC dc = GetDC(Window);
  HDC memory = CreateCompatibleDC(dc);
  TDibImage one(1, 1, 0x00123456u);
  HGDIOBJ old = SelectObject(memory, one.Handle());
  BitBlt(memory, 0, 0, 1, 1, dc, X, Y, SRCCOPY);
  GdiFlush();
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(Window, dc);
  const std::uint32_t p = one.Bits()[0];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

TEST(WindowPainting, APanelsColourReachesTheWindowsPixels) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 200, 150);
  form.SetColor(clWhite);
  auto *panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetBounds(20, 30, 100, 60);
  panel->SetBevelOuter(bvNone);
  panel->SetColor(clRed);
  form.Show();
  UpdateWindow(form.Widget());
  // The back buffer at the window's scale, then the same pixels on screen.
  ASSERT_NE(panel->BackBuffer(), nullptr);
  EXPECT_EQ(panel->BackBuffer()->Width(), 100);
  EXPECT_EQ(panel->BackBuffer()->Bits()[30 * 100 + 50] & 0xFFFFFFu, 0xFF0000u);
  EXPECT_EQ(ScreenPixel(panel->Widget(), 50, 30), RGB(255, 0, 0));
  EXPECT_EQ(ScreenPixel(form.Widget(), 5, 5), RGB(255, 255, 255));
  // A new colour is painted on the next WM_PAINT, without erasing first.
  panel->SetColor(clBlue);
  UpdateWindow(panel->Widget());
  EXPECT_EQ(ScreenPixel(panel->Widget(), 50, 30), RGB(0, 0, 255));
  EXPECT_EQ(SendMessageW(panel->Widget(), WM_ERASEBKGND, 0, 0), 1);
  // Marks on the screen canvas show without touching the back buffer.
  panel->ScreenCanvas().SetPixels(3, 3, clLime);
  panel->ScreenCanvasChanged();
  EXPECT_EQ(ScreenPixel(panel->Widget(), 3, 3), RGB(0, 255, 0));
  EXPECT_EQ(panel->BackBuffer()->Bits()[3 * 100 + 3] & 0xFFFFFFu, 0x0000FFu);
}

TEST(WindowForms, AWindowNeverStartsLargerThanItsWorkArea) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 30000, 20000);
  form.Show();
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromWindow(form.Widget(), MONITOR_DEFAULTTONEAREST), &info);
  RECT frame{};
  GetWindowRect(form.Widget(), &frame);
  EXPECT_LE(frame.right - frame.left, info.rcWork.right - info.rcWork.left);
  EXPECT_LE(frame.bottom - frame.top, info.rcWork.bottom - info.rcWork.top);
  EXPECT_GE(frame.left, info.rcWork.left);
  EXPECT_GE(frame.top, info.rcWork.top);
  // Width and Height say what the window has.
  RECT client{};
  GetClientRect(form.Widget(), &client);
  EXPECT_EQ(client.right, form.Width());
  EXPECT_EQ(client.bottom, form.Height());
}

TEST(WindowForms, TheWindowSystemsResizingReachesTheLayout) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 300, 200);
  auto *panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetAlign(alClient);
  int resized = 0;
  form.OnResize = [&](TObject *) { ++resized; };
  form.Show();
  RECT frame{};
  GetWindowRect(form.Widget(), &frame);
  SetWindowPos(form.Widget(), nullptr, 0, 0, frame.right - frame.left + 50,
               frame.bottom - frame.top + 20, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(form.Width(), 350);
  EXPECT_EQ(form.Height(), 220);
  EXPECT_EQ(panel->Width(), 350);
  EXPECT_GE(resized, 1);
  // Constraints hold for the user's resizing too.
  form.Constraints()->SetMinWidth(320);
  MINMAXINFO limits{};
  SendMessageW(form.Widget(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  RECT border{0, 0, 320, 0};
  AdjustWindowRectEx(&border, DWORD(StyleOf(form.Widget())), FALSE,
                     DWORD(GetWindowLongPtrW(form.Widget(), GWL_EXSTYLE)));
  EXPECT_EQ(limits.ptMinTrackSize.x, border.right - border.left);
}

TEST(WindowAccessibility, WindowsCarryTheNamesTheirControlsDescribe) {
  TForm form(nullptr);
  auto *bar = new TScrollBar(&form);
  bar->SetParent(&form);
  bar->SetAccessibleName("Temperature");
  EXPECT_EQ(TextOf(bar->Widget()), L"Temperature");
  auto *label = new TLabel(&form);
  label->SetParent(&form);
  label->SetCaption("&Peak at");
  EXPECT_EQ(TextOf(label->Widget()), L"Peak at");
  // A button keeps its caption (its accelerator mark is drawn underlined).
  auto *button = new TBitBtn(&form);
  button->SetParent(&form);
  button->SetCaption("&Exit");
  EXPECT_EQ(TextOf(button->Widget()), L"&Exit");
}

/// The face and height of the font Window draws its text with.
LOGFONTW WindowFontOf(HWND Window) {
  LOGFONTW lf{};
  auto font = reinterpret_cast<HFONT>(SendMessageW(Window, WM_GETFONT, 0, 0));
  if (font) GetObjectW(font, sizeof lf, &lf);
  return lf;
}

TEST(WindowFonts, CommonControlsDrawWithTheirControlsFont) {
  TForm form(nullptr);
  form.Font()->SetName("Courier New");
  form.Font()->SetHeight(-15);
  auto *box = new TCheckBox(&form);
  box->SetParent(&form); // takes the form's font
  LOGFONTW lf = WindowFontOf(box->Widget());
  EXPECT_STREQ(lf.lfFaceName, L"Courier New");
  EXPECT_EQ(lf.lfHeight, -15);
  // A font of its own, changed after creation, reaches the window too.
  box->Font()->SetName("Arial");
  box->Font()->SetHeight(-20);
  box->Font()->SetStyle({fsBold});
  lf = WindowFontOf(box->Widget());
  EXPECT_STREQ(lf.lfFaceName, L"Arial");
  EXPECT_EQ(lf.lfHeight, -20);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  auto *memo = new TMemo(&form);
  memo->SetParent(&form);
  EXPECT_STREQ(WindowFontOf(memo->Widget()).lfFaceName, L"Courier New");
}

// Moved to a screen of another density, the window's common controls get a
// font made at the new scale (the override stands in for the new screen).
TEST(WindowFonts, ANewScaleRemakesTheControlsFonts) {
  TForm form(nullptr);
  form.Font()->SetHeight(-12);
  auto *box = new TCheckBox(&form);
  box->SetParent(&form);
  ASSERT_EQ(WindowFontOf(box->Widget()).lfHeight, -12);
  Application->SetPixelRatioOverride(2);
  RECT frame{};
  GetWindowRect(form.Widget(), &frame);
  SendMessageW(form.Widget(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(192, 192),
               reinterpret_cast<LPARAM>(&frame));
  const LOGFONTW lf = WindowFontOf(box->Widget());
  Application->SetPixelRatioOverride(0);
  EXPECT_EQ(lf.lfHeight, -24);
}

TEST(WindowAccessibility, APaintedWindowsTextIsItsCurrentNameCutToTheBuffer) {
  TForm form(nullptr);
  auto *label = new TLabel(&form);
  label->SetParent(&form);
  label->SetCaption("Peak");
  label->SetAccessibleName("Wavelength of the peak");
  EXPECT_EQ(TextOf(label->Widget()), L"Wavelength of the peak");
  EXPECT_EQ(GetWindowTextLengthW(label->Widget()), 22);
  wchar_t small[5] = {L'x', L'x', L'x', L'x', L'x'};
  EXPECT_EQ(GetWindowTextW(label->Widget(), small, 5), 4);
  EXPECT_EQ(std::wstring(small), L"Wave");
  // A form's text stays its caption.
  form.SetCaption("Spectrum");
  form.SetAccessibleName("Main window");
  EXPECT_EQ(TextOf(form.Widget()), L"Spectrum");
}

} // namespace

namespace {

const char *const Cross = R"(/* XPM */
static char *cross[] = {
"4 4 2 1",
". c None",
"# c #000000",
".#..",
"####",
".#..",
".#.."
};)";

TEST(WindowCursors, RegisteredPicturesBecomeCursorsAndBadOnesAreRefused) {
  RegisterResource("TESTCROSS", Cross);
  RegisterResource("TESTBROKEN", "/* XPM */ {\"4 4 1 1\", \"# c #000\", \"##\"};");
  EXPECT_TRUE(Application->SetCursorImage(101, "TESTCROSS", 1, 1));
  EXPECT_TRUE(Application->HasCursor(101));
  EXPECT_FALSE(Application->SetCursorImage(102, "TESTBROKEN", 0, 0));
  EXPECT_FALSE(Application->SetCursorImage(103, "NO SUCH PICTURE", 0, 0));
  EXPECT_FALSE(Application->SetCursorImage(0, "TESTCROSS", 0, 0));
  EXPECT_FALSE(Application->HasCursor(102));
  // A control with the cursor shows it over its window.
  TForm form(nullptr);
  auto *panel = new TPanel(&form);
  panel->SetParent(&form);
  panel->SetCursor(101);
  form.Show();
  SendMessageW(panel->Widget(), WM_SETCURSOR, reinterpret_cast<WPARAM>(panel->Widget()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(GetCursor(), &info));
  EXPECT_EQ(info.xHotspot, 1u);
  EXPECT_FALSE(info.fIcon);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST(WindowForms, ControlsCountAsCreatedOnceTheirWindowShows) {
  TForm form(nullptr);
  auto *panel = new TPanel(&form);
  panel->SetParent(&form);
  EXPECT_FALSE(panel->HandleAllocated());
  form.Show();
  EXPECT_TRUE(panel->HandleAllocated());
  form.Hide();
  EXPECT_TRUE(panel->HandleAllocated()); // once shown, for good
}

} // namespace

namespace {

/// A painted control that records the mouse as its handlers see it.
class TMouseProbe : public TCustomControl {
public:
  using TCustomControl::TCustomControl;
  std::vector<std::string> Seen;
  bool TakeWheel = true;
  void MouseDown(TMouseButton B, TShiftState S, int X, int Y) override {
    Seen.push_back("down " + std::to_string(X) + "," + std::to_string(Y) +
                   (S.Contains(ssDouble) ? " double" : "") + (S.Contains(ssShift) ? " shift" : ""));
    TCustomControl::MouseDown(B, S, X, Y);
  }
  void MouseUp(TMouseButton, TShiftState, int X, int Y) override {
    Seen.push_back("up " + std::to_string(X) + "," + std::to_string(Y));
  }
  void Click() override { Seen.push_back("click"); }
  void DblClick() override { Seen.push_back("dblclick"); }
  void MouseEnter() override { Seen.push_back("enter"); }
  bool DoMouseWheel(TShiftState, int Delta, TPoint) override {
    Seen.push_back("wheel " + std::to_string(Delta));
    return TakeWheel;
  }
};

TEST(WindowMouse, ButtonsMovesAndWheelReachTheHandlersWithCaptureInDrags) {
  TForm form(nullptr);
  auto *probe = new TMouseProbe(&form);
  probe->SetParent(&form);
  probe->SetBounds(10, 10, 100, 80);
  form.Show();
  HWND w = probe->Widget();
  SendMessageW(w, WM_MOUSEMOVE, 0, MAKELPARAM(4, 5));
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(3, 4));
  EXPECT_EQ(GetCapture(), w); // a drag keeps the mouse
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
  EXPECT_NE(GetCapture(), w);
  SendMessageW(w, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(6, 7));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(6, 7));
  // Released outside the control: no click.
  SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
  SendMessageW(w, WM_LBUTTONUP, 0, MAKELPARAM(300, 4));
  ASSERT_GE(probe->Seen.size(), 9u);
  EXPECT_EQ(probe->Seen[0], "enter");
  EXPECT_EQ(probe->Seen[1], "down 3,4");
  EXPECT_EQ(probe->Seen[2], "click");
  EXPECT_EQ(probe->Seen[3], "up 3,4");
  EXPECT_EQ(probe->Seen[4], "down 6,7 double");
  EXPECT_EQ(probe->Seen[5], "dblclick");
  EXPECT_EQ(probe->Seen.back(), "up 300,4");
  EXPECT_EQ(std::count(probe->Seen.begin(), probe->Seen.end(), "click"), 2);
  probe->Seen.clear();
  POINT screen{20, 20};
  ClientToScreen(w, &screen);
  SendMessageW(w, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(screen.x, screen.y));
  EXPECT_EQ(probe->Seen, std::vector<std::string>{"wheel 120"});
}

} // namespace

namespace {

/// A label that takes the keyboard, as links do.
class TLinkProbe : public TLabel {
public:
  explicit TLinkProbe(TComponent *AOwner) : TLabel(AOwner) { SetKeyboardFocusable(true); }
};

TEST(WindowKeys, FocusableLabelsTakeTheirPlaceInTheTabOrder) {
  TForm form(nullptr);
  auto *first = new TBitBtn(&form);
  first->SetParent(&form);
  first->SetBounds(10, 10, 80, 25);
  auto *link = new TLinkProbe(&form);
  link->SetParent(&form);
  link->SetBounds(10, 50, 80, 15);
  auto *last = new TBitBtn(&form);
  last->SetParent(&form);
  last->SetBounds(10, 90, 80, 25);
  int clicks = 0;
  link->OnClick = [&](TObject *) { ++clicks; };
  form.Show();
  first->SetFocus();
  PressKey(GetFocus(), VK_TAB, L'\t');
  EXPECT_TRUE(link->KeyboardFocused());
  PressKey(GetFocus(), VK_RETURN, L'\r');
  PressKey(GetFocus(), VK_SPACE, L' ');
  EXPECT_EQ(clicks, 2);
  PressKey(GetFocus(), VK_TAB, L'\t');
  EXPECT_TRUE(last->Focused());
  {
    THeldShift shift;
    PressKey(GetFocus(), VK_TAB, L'\t');
  }
  EXPECT_TRUE(link->KeyboardFocused());
}

} // namespace

namespace {

// Last in this program: the session's end terminates the application.
TEST(WindowSession, TheSessionsEndDestroysTheFormsAsATerminationRequestWould) {
  TForm *main = nullptr;
  Application->CreateForm(main);
  bool destroyed = false;
  main->OnDestroy = [&](TObject *) { destroyed = true; };
  main->Show();
  HWND window = main->Widget();
  EXPECT_EQ(SendMessageW(window, WM_QUERYENDSESSION, 0, 0), TRUE);
  EXPECT_FALSE(destroyed);
  SendMessageW(window, WM_ENDSESSION, TRUE, 0);
  EXPECT_TRUE(destroyed);
  EXPECT_TRUE(Application->Terminated());
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Application->MainForm(), nullptr);
}

} // namespace
