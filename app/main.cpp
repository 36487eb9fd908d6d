// objetos3d: the 3D object editor.
#include <QApplication>
#include <string>
#include <vector>

#include "ScriptHostQt.h"
#include "SurfaceFormat.h"
#include "TFEditorDeObjetos1.h"
#include "common/Dictionary.h"
#include "common/InterruptCleanup.h"
#include "controls/FaceColors.h"
#include "controls/WinColor.h"
#include "gl/GLView.h"

int main(int argc, char** argv) {
  SetEditorSurfaceFormat();
  // Ended by SIGINT or SIGTERM, a save in progress leaves no temporary file.
  RemoveTempFilesOnInterrupt();

  LoadDictionary();
  CorFaceMulfig = clWhite;
  CorFaceSpin = clWhite;
  QApplication app(argc, argv);  // takes its own options out of argv
  InstallQtScriptHost();
  int status;
  {
    TFEditorDeObjetos1 window(std::vector<std::string>(argv + 1, argv + argc));
    window.showMaximized();
    status = app.exec();
  }
  RemoveQtScriptHost();
  FreeViews();
  FreeDictionary();
  return status;
}
