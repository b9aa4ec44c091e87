// The hyperlink label: what a click hands to the desktop, the errors it
// raises, the cursor it shows meanwhile, and the font it shows under the
// pointer.
#include "widgets/url_lab.h"

#include "platform/controls_standard.h"
#include "platform/form.h"
#include "platform/form_loader.h"
#include "platform/message_box.h"
#include "platform/shell_launcher.h"
#include "support/zelt_errors.h"

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <cerrno>
#include <stdexcept>

namespace {

/// Records what would reach the desktop.
struct TRecordingLauncher : TShellLauncher {
  struct Call {
    std::string Kind, Target;
    std::vector<std::string> Arguments;
    TCursor CursorMeanwhile;
  };
  std::vector<Call> *Calls;
  TControl *Watched;
  int StartResult = 0;
  bool ThrowOnOpen = false;
  bool OpenResult = true;
  TRecordingLauncher(std::vector<Call> *calls, TControl *watched) : Calls(calls), Watched(watched) {}
  bool OpenUrl(const std::string &Url) override {
    Calls->push_back({"open", Url, {}, Watched->Cursor()});
    if (ThrowOnOpen) throw std::runtime_error("no desktop");
    return OpenResult;
  }
  int StartProgram(const std::string &Path, const std::vector<std::string> &Args) override {
    Calls->push_back({"start", Path, Args, Watched->Cursor()});
    return StartResult;
  }
};

class UrlLab : public ::testing::Test {
protected:
  void SetUp() override {
    RegisterUrlLab();
    form = new TForm(nullptr);
    lab = new TUrlLab(form);
    lab->SetName("UrlLab1");
    lab->SetParent(form);
    lab->SetCursor(crHandPoint);
    lab->OnClick = [this](TObject *) { ++clicks; };
    auto launcher = std::make_unique<TRecordingLauncher>(&calls, lab);
    recorder = launcher.get();
    previous = SetShellLauncher(std::move(launcher));
  }
  void TearDown() override {
    SetShellLauncher(std::move(previous));
    form->Free();
  }
  /// Clicks and returns the error message, or "" when there was none.
  std::string ClickError() {
    try {
      lab->Click();
    } catch (const EZeltURLLabError &E) {
      return E.Message();
    }
    return {};
  }

  TForm *form = nullptr;
  TUrlLab *lab = nullptr;
  TRecordingLauncher *recorder = nullptr;
  std::unique_ptr<TShellLauncher> previous;
  std::vector<TRecordingLauncher::Call> calls;
  int clicks = 0;
};

TEST_F(UrlLab, AddressesAreTrimmedAndWebAddressesOpenUnderTheStartCursor) {
  lab->SetURL("  HTTP://Example.org/a b  ");
  lab->SetTaskParams("  -x  ");
  EXPECT_EQ(lab->URL(), "HTTP://Example.org/a b");
  EXPECT_EQ(lab->TaskParams(), "-x");
  EXPECT_EQ(ClickError(), "");
  lab->SetURL("https://en.wikipedia.org/wiki/Planck%27s_law?a=1&b=$(x)");
  EXPECT_EQ(ClickError(), "");
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].Kind, "open");
  EXPECT_EQ(calls[0].Target, "HTTP://Example.org/a b");
  EXPECT_EQ(calls[1].Target, "https://en.wikipedia.org/wiki/Planck%27s_law?a=1&b=$(x)");
  EXPECT_EQ(calls[0].CursorMeanwhile, crAppStart);
  EXPECT_EQ(lab->Cursor(), crHandPoint);
  EXPECT_EQ(clicks, 2);
}

TEST_F(UrlLab, CursorComesBackWhenOpeningFails) {
  recorder->ThrowOnOpen = true;
  lab->SetURL("http://example.org");
  EXPECT_THROW(lab->Click(), std::runtime_error);
  EXPECT_EQ(lab->Cursor(), crHandPoint);
  EXPECT_EQ(clicks, 0);
}

TEST_F(UrlLab, NoBrowserIsShownInAMessageBoxWithTheAddress) {
  recorder->OpenResult = false;
  lab->SetURL("https://example.org/page");
  lab->SetOpenFailedText("Keine Adresse geöffnet.");
  EXPECT_EQ(ClickError(), "Keine Adresse geöffnet.\n\nhttps://example.org/page");
  EXPECT_EQ(clicks, 0);
  EXPECT_EQ(lab->Cursor(), crHandPoint);
  // Opened by the user, the failure ends in the program's error box.
  TMessageBoxRecorder boxes;
  form->Show();
  QTest::keyClick(lab->Widget(), Qt::Key_Return);
  ASSERT_EQ(boxes.Messages.size(), 1u);
  EXPECT_EQ(boxes.Messages[0].Type, mtError);
  EXPECT_NE(boxes.Messages[0].Text.find("https://example.org/page"), std::string::npos);
}

TEST_F(UrlLab, TabReachesTheLinkWithAVisibleFocusAndEnterOrSpaceOpenIt) {
  // The link, a hidden link that Tab passes over, and a button.
  lab->SetBounds(0, 40, 120, 16);
  auto *hidden = new TUrlLab(form);
  hidden->SetParent(form);
  hidden->SetBounds(0, 60, 120, 16);
  hidden->SetVisible(false);
  auto *after = new TBitBtn(form);
  after->SetParent(form);
  after->SetBounds(0, 80, 80, 25);
  lab->SetURL("https://example.org/");
  form->Show();
  form->Widget()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form->Widget()));

  after->SetFocus();
  QApplication::processEvents();
  const QImage unfocused = lab->Widget()->grab().toImage();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), lab->Widget());
  EXPECT_TRUE(lab->KeyboardFocused());
  QApplication::processEvents();
  EXPECT_NE(lab->Widget()->grab().toImage(), unfocused) << "no visible focus";

  QTest::keyClick(lab->Widget(), Qt::Key_Return);
  QTest::keyClick(lab->Widget(), Qt::Key_Space);
  QTest::keyClick(lab->Widget(), Qt::Key_Enter, Qt::KeypadModifier);
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[2].Target, "https://example.org/");
  EXPECT_EQ(clicks, 3);
  // Other keys do nothing; Tab goes on to the next visible stop.
  QTest::keyClick(lab->Widget(), Qt::Key_A);
  EXPECT_EQ(calls.size(), 3u);
  QTest::keyClick(lab->Widget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), after->Widget());
}

TEST_F(UrlLab, EmptyAddressOnlyClicks) {
  lab->SetURL("   ");
  EXPECT_EQ(ClickError(), "");
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(clicks, 1);
}

TEST_F(UrlLab, ProgramsStartWithTheirParametersVerbatim) {
  lab->SetURL(" /opt/tools/Viewer.EXE ");
  lab->SetTaskParams(R"(-a "two  words" $HOME;rm *|x `id` 'q')");
  EXPECT_EQ(ClickError(), "");
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].Kind, "start");
  EXPECT_EQ(calls[0].Target, "/opt/tools/Viewer.EXE");
  EXPECT_EQ(calls[0].Arguments,
            (std::vector<std::string>{"-a", "two  words", "$HOME;rm", "*|x", "`id`", "'q'"}));
  EXPECT_EQ(clicks, 1);
}

TEST_F(UrlLab, OtherAddressesAndFailedStartsRaiseWithoutClicking) {
  for (const char *url : {"ftp://example.org/x.exe.txt", "mailto:someone@example.org",
                          "/opt/dir.exe/program", "www.example.org", "http:/one-slash"}) {
    lab->SetURL(url);
    EXPECT_EQ(ClickError(), "Component \"UrlLab1\": URL of URLLab is invalid") << url;
  }
  EXPECT_TRUE(calls.empty());
  recorder->StartResult = ENOENT;
  lab->SetURL("/nowhere/x.exe");
  EXPECT_EQ(ClickError(), "Component \"UrlLab1\": Cannot start executable (errnum=2)");
  EXPECT_EQ(clicks, 0);
}

TEST_F(UrlLab, ActiveFontOnlyWhileThePointerIsOverAnEnabledLabel) {
  // Not loaded from a form: the creation font is the one to return to.
  const TFont original = *lab->Font();
  TFont active;
  active.Assign(original);
  active.SetColor(clRed);
  active.SetStyle({fsUnderline});
  lab->SetFontActive(&active);
  lab->MouseEnter();
  EXPECT_TRUE(lab->Font()->SameAs(active));
  lab->MouseLeave();
  EXPECT_TRUE(lab->Font()->SameAs(original));

  lab->SetEnabled(false);
  lab->MouseEnter();
  EXPECT_TRUE(lab->Font()->SameAs(original));
  lab->SetEnabled(true);
  lab->MouseEnter();
  lab->SetEnabled(false);
  lab->MouseLeave(); // a disabled label keeps what it shows
  EXPECT_TRUE(lab->Font()->SameAs(active));
}

TEST(UrlLabForm, LoadedLabelReturnsToItsStreamedFontAndShowsAmpersands) {
  RegisterUrlLab();
  TForm *form = new TForm(nullptr);
  ReadComponentText(form, R"(
object F: TForm
  object L: TUrlLab
    Caption = 'Tom & Jerry'
    URL = '  http://example.org  '
    Font.Name = 'Courier New'
    Font.Color = clBlue
    FontActive.Name = 'Courier New'
    FontActive.Color = clRed
    FontActive.Style = [fsUnderline]
  end
end)");
  auto *lab = dynamic_cast<TUrlLab *>(form->FindComponent("L"));
  ASSERT_NE(lab, nullptr);
  EXPECT_EQ(lab->URL(), "http://example.org");
  EXPECT_EQ(lab->TextLines(), std::vector<std::string>{"Tom & Jerry"});
  lab->MouseEnter();
  EXPECT_EQ(lab->Font()->Color(), clRed);
  EXPECT_TRUE(lab->Font()->Style().Contains(fsUnderline));
  lab->MouseLeave();
  EXPECT_EQ(lab->Font()->Color(), clBlue);
  EXPECT_EQ(lab->Font()->Name(), "Courier New");
  form->Free();
}

} // namespace
