// Entry point of every test program: tests draw with Qt on the offscreen
// platform, so no display is ever needed.
#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

const char *TestScreenScaleFactor();

/// A test program that needs a high-density screen defines its own
/// TestScreenScaleFactor returning the factor (for example "2"); the screen
/// is then scaled as a desktop set to that factor scales it.
__attribute__((weak)) const char *TestScreenScaleFactor() {
  return nullptr;
}

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (const char *factor = TestScreenScaleFactor()) setenv("QT_SCALE_FACTOR", factor, 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
