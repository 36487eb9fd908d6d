#include "ThumbnailCommand.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <charconv>
#include <cstdlib>

#include "CliCommand.h"
#include "OffscreenPainting.h"
#include "common/FileIdentity.h"
#include "common/SafeFiles.h"
#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "gl/FrameReadBack.h"
#include "gl/GLView.h"
#include "gl/HeadlessSurface.h"
#include "gl/SceneFrame.h"
#include "gl/StartingView.h"
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

// The frame on the surface; the frame's alpha is whatever blending left,
// and the picture is opaque.
QImage ReadFrame(int size) {
  const std::vector<uint8_t> rgb = ReadFrameTopDown(size, size);
  return QImage(rgb.data(), size, size, size * 3, QImage::Format_RGB888).copy();
}
}  // namespace

int RunThumbnailCommand(const std::vector<std::string>& args) {
  std::string document, output;
  int size = 256;
  if (!ParseArgs(args, document, output, size)) return CliFail("thumbnail", kUsage);

  TIMem32 elements("obj 3d4");
  elements.RecordSize = kElementRecordSize;
  const Outcome in = ReadDocument(document, elements);
  if (!in.ok()) return CliFail(document, in.reason);
  // The target is checked and its temporary file made before anything is
  // drawn: a missing folder or a pipe fails at once. The name is used byte
  // for byte, whatever its encoding.
  if (SameFile(output, document)) return CliFail(output, kOutputIsInput);
  ReplacementFile file(output);
  if (!file.ok()) return CliFail(output, file.Error());

  // Label pictures need fonts; Qt paints them without any display.
  const std::unique_ptr<QGuiApplication> painting = StartOffscreenPainting();

  HeadlessSurface surface(size, size);
  if (!surface.IsValid()) return CliFail(output, "no GL context: " + surface.Error());
  GLView* view = NewStartingView(&surface, size, size, 0);

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
