// Tests of the view layer draw on a headless EGL surface; label pictures
// need fonts, so a QGuiApplication runs on the offscreen platform (painting
// only, no GL through Qt).
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
