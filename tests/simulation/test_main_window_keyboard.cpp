// The main window by keyboard alone, through synthetic key events: Tab
// visits every control in reading order, each control answers its keys,
// focus is visible, and the Alt+letter accelerators of both shipped
// languages reach their controls without colliding. One test: the language
// file beside the program is shared.
#include "helper_main_window.h"

#include "localisation/tolkar2000.h"
#include "platform/application.h"
#include "platform/bitmap.h"
#include "platform/process_info.h"
#include "simulation/main_window.h"
#include "widgets/num_lab.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <set>

namespace {

namespace fs = std::filesystem;

/// Shows a new window with the language file Name beside the program.
TfrmExample *WindowIn(const char *Name) {
  fs::copy_file(fs::path(SPECTRION_SOURCE_DIR) / "data/lang" / Name,
                LanguageFileName(ProgramPath()), fs::copy_options::overwrite_existing);
  auto *w = new TfrmExample(nullptr);
  w->Show();
  w->Widget()->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(w->Widget()));
  return w;
}

QWidget *Focus() {
  return QApplication::focusWidget();
}

void Key(int K, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
  QTest::keyClick(Focus(), Qt::Key(K), Mods);
}

/// The control's picture with and without the keyboard focus differ.
bool FocusIsVisible(TWinControl &C, TWinControl &Elsewhere) {
  Elsewhere.SetFocus();
  QApplication::processEvents();
  const QImage without = C.Widget()->grab().toImage();
  C.SetFocus();
  QApplication::processEvents();
  return C.Widget()->grab().toImage() != without;
}

TEST(MainWindowKeyboard, EveryControlByKeyboardInBothLanguages) {
  TfrmExample *w = WindowIn("spectrion.itl");

  // Tab order: the chart's own controls, then the command panel, then the text.
  const std::vector<TWinControl *> order{w->TBScaleY,   w->SBTemperature, w->BButExit,
                                         w->BButInfo,   w->CBoxVisRange,  w->CBLogScale,
                                         w->CBPeakCurve, w->BButAdd,      w->BButClear,
                                         w->MMExplain,  w->TBScaleY};
  w->TBScaleY->SetFocus();
  for (std::size_t i = 1; i < order.size(); ++i) {
    Key(Qt::Key_Tab);
    EXPECT_EQ(Focus(), order[i]->Widget()) << "Tab step " << i;
  }
  Key(Qt::Key_Backtab);
  EXPECT_EQ(Focus(), w->MMExplain->Widget());

  // The temperature: Right and Up raise it, the page keys move by 100.
  w->SBTemperature->SetFocus();
  const int T = w->SBTemperature->Position();
  Key(Qt::Key_Right);
  Key(Qt::Key_Up);
  EXPECT_EQ(w->SBTemperature->Position(), T + 2);
  Key(Qt::Key_Left);
  Key(Qt::Key_Down);
  Key(Qt::Key_PageUp);
  EXPECT_EQ(w->SBTemperature->Position(), T + 100);
  EXPECT_EQ(w->NLTemperature->Value(), T + 100);
  Key(Qt::Key_End);
  EXPECT_EQ(w->SBTemperature->Position(), 10000);
  Key(Qt::Key_Home);
  EXPECT_EQ(w->SBTemperature->Position(), 80);

  // The track bar: Down pulls the thumb down, raising the top of the axis.
  w->TBScaleY->SetFocus();
  Key(Qt::Key_Down);
  EXPECT_EQ(w->TBScaleY->Position(), 23);
  EXPECT_NEAR(w->RCChart->Scale1Y()->RangeHigh(), std::pow(10.0, 2.3), 1e-9);

  // Space toggles a check box; Enter and Space press buttons.
  w->CBLogScale->SetFocus();
  Key(Qt::Key_Space);
  EXPECT_TRUE(w->CBLogScale->Checked());
  EXPECT_FALSE(w->PnlTrackbar->Visible());
  Key(Qt::Key_Space);
  EXPECT_FALSE(w->CBLogScale->Checked());
  w->BButAdd->SetFocus();
  Key(Qt::Key_Return);
  EXPECT_EQ(w->Snapshots.size(), 1u);
  w->BButClear->SetFocus();
  Key(Qt::Key_Space);
  EXPECT_TRUE(w->Snapshots.empty());

  // Accelerators: each button and check box answers Alt and its letter.
  const auto shortcut = [](TWinControl *C) {
    return static_cast<QAbstractButton *>(C->Widget())->shortcut();
  };
  EXPECT_EQ(shortcut(w->CBPeakCurve), QKeySequence(Qt::ALT | Qt::Key_P));
  EXPECT_EQ(shortcut(w->BButAdd), QKeySequence(Qt::ALT | Qt::Key_D));
  // The band text in the chart shares the box's entry but shows no mark.
  w->CBoxVisRange->SetChecked(true);
  EXPECT_EQ(std::string(w->RCChart->Items(1).Text.View()), "Visible light");

  // Focus shows on the controls the style leaves plain.
  EXPECT_TRUE(FocusIsVisible(*w->SBTemperature, *w->BButExit));
  EXPECT_TRUE(FocusIsVisible(*w->MMExplain, *w->BButExit));
  EXPECT_EQ(w->Widget()->windowTitle().toStdString(), "Spectrion - black-body radiation");
  w->Free();

  // Each language gives every button and check box its own letter.
  for (const char *name : {"spectrion.itl", "spectrion-de.itl"}) {
    TfrmExample *x = WindowIn(name);
    std::set<char> letters;
    for (TWinControl *c : std::vector<TWinControl *>{x->BButExit, x->BButInfo, x->CBoxVisRange,
                                                     x->CBLogScale, x->CBPeakCurve, x->BButAdd,
                                                     x->BButClear}) {
      const std::string &caption = c->Caption();
      const std::size_t amp = caption.find('&');
      ASSERT_NE(amp, std::string::npos) << name << ": " << caption;
      ASSERT_LT(amp + 1, caption.size());
      const char letter = char(std::tolower(static_cast<unsigned char>(caption[amp + 1])));
      EXPECT_TRUE(letters.insert(letter).second) << name << ": " << caption;
    }
    if (std::string(name) == "spectrion-de.itl") {
      EXPECT_EQ(shortcut(x->CBPeakCurve), QKeySequence(Qt::ALT | Qt::Key_M));
    }
    x->Free();
  }
  std::error_code ignored;
  fs::remove(LanguageFileName(ProgramPath()), ignored);
}

} // namespace
