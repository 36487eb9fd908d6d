// objetos3d: the 3D object editor.
#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "InterfaceLanguage.h"
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
  QApplication app(argc, argv);  // takes its own options out of argv
  std::vector<std::string> arguments(argv + 1, argv + argc);
  InterfaceLanguage language = InterfaceLanguage::Default;
  std::string languageError;
  if (!TakeLanguageOption(arguments, &language, &languageError)) {
    std::fprintf(stderr, "objetos3d: %s\n", languageError.c_str());
    FreeDictionary();
    return 2;
  }
  ApplyInterfaceLanguage(language);
  InstallQtScriptHost();
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
