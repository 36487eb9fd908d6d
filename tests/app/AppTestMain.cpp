// The window tests need a QApplication on a real display and the editor's
// GL surface format, made once before any window.
#include <gtest/gtest.h>

#include <QApplication>

#include <cstring>

#include "SurfaceFormat.h"
#include "controls/FaceColors.h"
#include "controls/WinColor.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i)
    if (std::strstr(argv[i], "gtest_list_tests")) return RUN_ALL_TESTS();
  SetEditorSurfaceFormat();
  CorFaceMulfig = clWhite;
  CorFaceSpin = clWhite;
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
