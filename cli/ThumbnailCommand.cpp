#include "ThumbnailCommand.h"

#include <GL/gl.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <charconv>
#include <cstdlib>

#include "CliCommand.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "common/FileIdentity.h"
#include "common/SafeFiles.h"
#include "common/TIMem32.h"
#include "gl/GLView.h"
#include "gl/HeadlessSurface.h"
#include "gl/SceneFrame.h"
#include "gl/Textures.h"
#include "gl/ViewContext.h"
#include "gl/ViewPresets.h"

namespace {
constexpr char kUsage[] = "usage: objetos3d-cli thumbnail DOC OUT.png [--size N]";
constexpr int kMinSize = 8, kMaxSize = 4096;

bool ParseArgs(const std::vector<std::string>& args, std::string& document, std::string& output, int& size) {
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--size") {
      if (i + 1 >= args.size()) return false;
      const std::string& text = args[++i];
      int v = 0;
      const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
      if (ec != std::errc() || end != text.data() + text.size() || v < kMinSize || v > kMaxSize) return false;
      size = v;
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2) return false;
  document = positional[0];
  output = positional[1];
  return true;
}

// The frame on the surface, top row first.
QImage ReadFrame(int size) {
  QImage image(size, size, QImage::Format_RGBA8888);
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, size, size, GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  // The frame's alpha is whatever blending left; the picture is opaque.
  return image.mirrored().convertToFormat(QImage::Format_RGB888);
}
}  // namespace

int RunThumbnailCommand(const std::vector<std::string>& args) {
  std::string document, output;
  int size = 256;
  if (!ParseArgs(args, document, output, size)) return CliFail("thumbnail", kUsage);

  TIMem32 elements("obj 3d4");
  elements.RecordSize = kElementRecordSize;
  const DocumentResult in = ReadDocument(document, elements);
  if (!in.ok()) return CliFail(document, in.reason);
  // The target is checked and its temporary file made before anything is
  // drawn: a missing folder or a pipe fails at once. The name is used byte
  // for byte, whatever its encoding.
  if (SameFile(output, document)) return CliFail(output, kOutputIsInput);
  ReplacementFile file(output);
  if (!file.ok()) return CliFail(output, file.Error());

  // Label pictures need fonts; Qt paints them without any display.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  static int argc = 1;
  static char name[] = "objetos3d-cli";
  static char* argv[] = {name, nullptr};
  QGuiApplication painting(argc, argv);

  HeadlessSurface surface(size, size);
  if (!surface.IsValid()) return CliFail(output, "no GL context: " + surface.Error());
  GLView* view = NewView();
  view->LightMode = 7;
  for (int i = 0; i < 3; ++i) {
    view->OrthoMin[i] = -20;
    view->OrthoMax[i] = 20;
  }
  CreateContext(*view, &surface, size, size);
  CreateTextures(*view, 8);
  DefaultView(*view);
  ApplyCamera(*view);

  SceneState scene;
  scene.view = view;
  scene.elements = &elements;
  scene.showEditAids = false;
  // A small picture needs only the segments its size shows.
  scene.detail = DrawDetail::Needed;
  QImage picture;
  try {
    Redraw(scene);
    if (surface.MakeCurrent()) picture = ReadFrame(size);
  } catch (const std::exception& e) {
    DropSceneList(scene);
    FreeViews();
    ClearTextureCache();
    return CliFail(output, e.what());
  }
  DropSceneList(scene);
  FreeViews();
  ClearTextureCache();
  if (picture.isNull()) return CliFail(output, "the view could not be read");

  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG"))
    return CliFail(output, "cannot encode the picture");
  // Renamed over the target only when complete, as every other output.
  if (!file.Write(png.constData(), static_cast<size_t>(png.size())) || !file.Commit())
    return CliFail(output, file.Error());
  return 0;
}
