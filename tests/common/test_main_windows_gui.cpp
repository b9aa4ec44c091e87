// Entry point of the Windows test programs that open real windows: the
// application object prepared first, as the program's own start-up does.
#include "platform/application.h"

#include <gtest/gtest.h>

int main(int argc, char **argv) {
  Application->Initialize();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
