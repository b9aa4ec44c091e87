// Entry point of every test program: tests draw with Qt on the offscreen
// platform, so no display is ever needed.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

const char *TestScreenScaleFactor();

/// A test program that needs a high-density screen defines its own
/// TestScreenScaleFactor returning the factor (for example "2"); the screen
/// is then scaled as a desktop set to that factor scales it.
__attribute__((weak)) const char *TestScreenScaleFactor() {
  return nullptr;
}

/// A test program that needs another screen than the offscreen platform's
/// 800 x 600 one defines TestScreenDescription returning the path of an
/// offscreen screen description (JSON: screens with their geometry).
const char *TestScreenDescription();
__attribute__((weak)) const char *TestScreenDescription() {
  return nullptr;
}

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (const char *screens = TestScreenDescription())
    setenv("QT_QPA_PLATFORM", (std::string("offscreen:configfile=") + screens).c_str(), 1);
  if (const char *factor = TestScreenScaleFactor()) setenv("QT_SCALE_FACTOR", factor, 1);
  // A private per-user directory for message windows and single-instance
  // locks: test programs running side by side never meet each other (or a
  // real instance) there.
  char runtime[] = "/tmp/spt-XXXXXX";
  const bool privateRuntime = ::mkdtemp(runtime) != nullptr;
  if (privateRuntime) setenv("XDG_RUNTIME_DIR", runtime, 1);
  int result;
  {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    result = RUN_ALL_TESTS();
  }
  if (privateRuntime) {
    std::error_code ec;
    std::filesystem::remove_all(runtime, ec);
  }
  return result;
}
