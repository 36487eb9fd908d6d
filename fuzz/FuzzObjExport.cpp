// Any document exported as OBJ + MTL + textures into a temporary folder:
// the drawing pass that records the export must neither crash nor hang,
// whatever the numbers, names and texture names hold.
#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "gl/GLView.h"
#include "gl/HeadlessSurface.h"
#include "gl/SceneFrame.h"
#include "gl/StartingView.h"
#include "gl/Textures.h"
#include "gl/ViewContext.h"
#include "gl/ViewPresets.h"
#include "output/DocumentSave.h"

namespace {
struct ExportBench {
  std::string folder;
  HeadlessSurface* surface = nullptr;
  GLView* view = nullptr;
};

ExportBench& Bench() {
  static ExportBench bench;
  return bench;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  static int argc = 1;
  static char name[] = "fuzz_obj_export";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);

  ExportBench& b = Bench();
  std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-export-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) std::abort();
  b.folder = pattern;
  b.surface = new HeadlessSurface(64, 48);
  if (!b.surface->IsValid()) std::abort();
  b.view = NewStartingView(b.surface, 64, 48, 0);
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(Bench().folder, ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIMem32 elements("fuzz export");
  elements.RecordSize = kElementRecordSize;
  if (!ReadDocumentBytes(data, size, elements).ok()) return 0;
  ExportBench& b = Bench();
  SceneState scene;
  scene.view = b.view;
  scene.elements = &elements;
  (void)SaveDocument(scene, b.folder + "/x.obj", std::string());
  DropSceneList(scene);
  ClearTextureCache();
  return 0;
}
