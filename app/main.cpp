// objetos3d: the 3D object editor.
#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "InterfaceLanguage.h"
#include "ScriptHostQt.h"
#include "SurfaceFormat.h"
#include "TFEditorDeObjetos1.h"
#include "common/Dictionary.h"
#include "common/InterruptCleanup.h"
#include "controls/FaceColors.h"
#include "controls/WinColor.h"
#include "gl/GLView.h"

int main(int argc, char** argv) {
  const EditorCommandLine line = ParseEditorCommandLine(std::vector<std::string>(argv, argv + argc));
  switch (line.action) {
    case EditorCommandLine::Action::Help:
      PrintEditorUsage(stdout);
      return 0;
    case EditorCommandLine::Action::Version:
      PrintEditorVersion(stdout);
      return 0;
    case EditorCommandLine::Action::Error:
      std::fprintf(stderr, "objetos3d: %s (see objetos3d --help)\n", line.error.c_str());
      return 2;
    case EditorCommandLine::Action::Run:
      break;
  }
  for (const std::string& warning : line.warnings) std::fprintf(stderr, "objetos3d: %s\n", warning.c_str());
  if (!HasGraphicalSession(line)) {
    std::fprintf(stderr,
                 "objetos3d: needs a graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                 "objetos3d-cli works on documents without a window\n");
    return 2;
  }
  SetEditorSurfaceFormat();
  // Ended by SIGINT or SIGTERM, a save in progress leaves no temporary file.
  RemoveTempFilesOnInterrupt();

  LoadDictionary();
  CorFaceMulfig = clWhite;
  CorFaceSpin = clWhite;
  // Qt sees only its own options; documents never reach it.
  std::vector<std::string> qtStorage = line.qtArguments;
  std::vector<char*> qtArgv;
  for (std::string& a : qtStorage) qtArgv.push_back(a.data());
  qtArgv.push_back(nullptr);
  int qtArgc = static_cast<int>(qtStorage.size());
  QApplication app(qtArgc, qtArgv.data());  // takes its own options out of qtArgv
  for (int i = 1; i < qtArgc; ++i)
    std::fprintf(stderr, "objetos3d: unknown option %s ignored (a document of that name goes after --)\n", qtArgv[i]);
  ApplyInterfaceLanguage(LanguageNamed(line.language));
  LoadQtTranslations();
  InstallQtScriptHost();
  int status;
  {
    TFEditorDeObjetos1 window(line.documents);
    window.showMaximized();
    status = app.exec();
  }
  RemoveQtScriptHost();
  FreeViews();
  FreeDictionary();
  return status;
}
