// The main window on a 1920 x 1080 screen scaled to 200 %, where its
// described size does not fit: it starts as large as fits, centred, with its
// layout following. Also where the keyboard starts, the explanation's scroll
// bar and the return of a minimised window when the host hands over.
#include "helper_main_window.h"

#include "platform/application.h"
#include "simulation/main_window.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <cstdlib>

const char *TestScreenDescription() {
  return SPECTRION_TEST_DATA "/screen_1920x1080.json";
}
const char *TestScreenScaleFactor() {
  return "2";
}

namespace {

TfrmExample *ShownWindow() {
  auto *w = new TfrmExample(nullptr);
  w->Show();
  w->Widget()->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(w->Widget()));
  return w;
}

QScrollBar *MemoScrollBar(TfrmExample &W) {
  return static_cast<QPlainTextEdit *>(W.MMExplain->Widget())->verticalScrollBar();
}

TEST(MainWindowOnScreen, TooLargeForTheScreenStartsAsLargeAsFitsCentred) {
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_EQ(area.size(), QSize(960, 540)) << "the screen is not 1920 x 1080 at 200 %";
  TfrmExample *w = ShownWindow();
  for (int check = 0; check < 2; ++check) {
    const QRect frame = w->Widget()->frameGeometry();
    const QRect client = w->Widget()->geometry();
    EXPECT_TRUE(area.contains(frame)) << "frame " << frame.x() << "," << frame.y() << " "
                                      << frame.width() << "x" << frame.height();
    // The width fits and stays; the height is all the screen has.
    EXPECT_EQ(w->Width(), 800);
    EXPECT_EQ(frame.height(), area.height());
    EXPECT_EQ(client.height(), w->Height());
    EXPECT_LE(std::abs(frame.left() - area.left() - (area.width() - frame.width()) / 2), 1);
    // The layout followed: fixed panels keep their sizes, the track bar its slack.
    EXPECT_EQ(w->pnlCommand->Width(), 120);
    EXPECT_EQ(w->MMExplain->Height(), 92);
    EXPECT_EQ(w->TBScaleY->Height(), w->PnlTrackbar->Height() - 36);
    // Once the window system has settled the frame, the window still fits.
    QTest::qWait(400);
  }
  w->Free();
}

TEST(MainWindowOnScreen, KeyboardStartsOnTheTemperature) {
  TfrmExample *w = ShownWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w->Widget()));
  EXPECT_EQ(QApplication::focusWidget(), w->SBTemperature->Widget());
  // The arrow keys move the temperature at once.
  const int T = w->SBTemperature->Position();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
  EXPECT_EQ(w->SBTemperature->Position(), T + 1);
  w->Free();
}

TEST(MainWindowOnScreen, ExplanationScrollsWhenAndOnlyWhenItDoesNotFit) {
  TfrmExample *w = ShownWindow();
  QScrollBar *bar = MemoScrollBar(*w);
  // Without a language file the text is its one-word key: it fits.
  w->MMExplain->Lines()->SetText("MMExplain");
  QApplication::processEvents();
  EXPECT_FALSE(bar->isVisible());
  std::string longText;
  for (int i = 0; i < 40; ++i)
    longText += "A line of explanation that wraps in a narrow window. ";
  w->MMExplain->Lines()->SetText(longText);
  QApplication::processEvents();
  EXPECT_TRUE(bar->isVisible());
  EXPECT_GT(bar->maximum(), 0);
  w->MMExplain->Lines()->SetText("Short again.");
  QApplication::processEvents();
  EXPECT_FALSE(bar->isVisible());
  w->Free();
}

TEST(MainWindowOnScreen, NewParametersBringBackAMinimisedWindow) {
  TfrmExample *w = ShownWindow();
  w->Widget()->showMinimized();
  QApplication::processEvents();
  ASSERT_TRUE(w->Widget()->isMinimized());
  // What the host connection calls when a second start hands over.
  w->cliDemonParamsChange(nullptr);
  QApplication::processEvents();
  EXPECT_FALSE(w->Widget()->isMinimized());
  EXPECT_TRUE(w->Widget()->isVisible());
  w->Free();
}

} // namespace
