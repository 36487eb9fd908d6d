// The window tests need a QApplication on a real display and the editor's
// GL surface format, made once before any window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include "SurfaceFormat.h"
#include "controls/FaceColors.h"
#include "controls/WinColor.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // Listing the tests needs no display.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  // The window keeps settings (recent documents) and recovery copies:
  // never in the user's own.
  QTemporaryDir config, data;
  qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
  qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
  SetEditorSurfaceFormat();
  CorFaceMulfig = clWhite;
  CorFaceSpin = clWhite;
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);  // Quit closes a window, not the tests
  return RUN_ALL_TESTS();
}
