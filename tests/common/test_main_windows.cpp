// Entry point of the Windows test programs: GoogleTest alone (the core's
// tests need no window, and the Windows back end's tests open none).
#include <gtest/gtest.h>

int main(int argc, char **argv) {
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
