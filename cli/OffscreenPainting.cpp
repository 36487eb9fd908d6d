#include "OffscreenPainting.h"

#include <QGuiApplication>
#include <cstdlib>

std::unique_ptr<QGuiApplication> StartOffscreenPainting() {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  static int argc = 1;
  static char name[] = "objetos3d-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}
