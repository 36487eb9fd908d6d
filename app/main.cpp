// objetos3d: the 3D object editor.
#include <QApplication>
#include <QSurfaceFormat>

#include "ScriptHostQt.h"
#include "TFEditorDeObjetos1.h"
#include "common/Dictionary.h"
#include "controls/FaceColors.h"
#include "controls/WinColor.h"
#include "gl/GLView.h"

int main(int argc, char** argv) {
  // Fixed-function drawing and display lists need a compatibility context;
  // multisampling would make the depth buffer unreadable for picking.
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setVersion(2, 1);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setDepthBufferSize(24);
  format.setStencilBufferSize(8);
  format.setSamples(0);
  QSurfaceFormat::setDefaultFormat(format);

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
