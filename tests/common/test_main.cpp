// Entry point of every test program: tests draw with Qt on the offscreen
// platform, so no display is ever needed.
#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

int main(int argc, char **argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
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
