// objetos3d: the 3D object editor.
#include <QApplication>

#include "ScriptHostQt.h"
#include "SurfaceFormat.h"
#include "TFEditorDeObjetos1.h"
#include "common/Dictionary.h"
#include "controls/FaceColors.h"
#include "controls/WinColor.h"
#include "gl/GLView.h"

int main(int argc, char** argv) {
  SetEditorSurfaceFormat();

  LoadDictionary();
  CorFaceMulfig = clWhite;
  CorFaceSpin = clWhite;
  QApplication app(argc, argv);
  InstallQtScriptHost();
  QStringList arguments = app.arguments();
  arguments.removeFirst();
  int status;
  {
    TFEditorDeObjetos1 window(arguments);
    window.showMaximized();
    status = app.exec();
  }
  RemoveQtScriptHost();
  FreeViews();
  FreeDictionary();
  return status;
}
