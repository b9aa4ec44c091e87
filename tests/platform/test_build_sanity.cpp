#include <gtest/gtest.h>

// Proves the test harness itself runs: a Qt application exists on the offscreen platform.
#include <QGuiApplication>
TEST(Harness, RunsOnOffscreenPlatform) {
  ASSERT_NE(QGuiApplication::instance(), nullptr);
  EXPECT_EQ(QGuiApplication::platformName(), QString("offscreen"));
}
