#include "ExportCommand.h"

#include <QGuiApplication>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>

#include "CliCommand.h"
#include "OffscreenPainting.h"
#include "OutputLimit.h"
#include "common/FileIdentity.h"
#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "document/ElementSanity.h"
#include "gl/GLView.h"
#include "gl/HeadlessSurface.h"
#include "gl/SceneFrame.h"
#include "gl/StartingView.h"
#include "gl/Textures.h"
#include "gl/ViewContext.h"
#include "gl/ViewPresets.h"
#include "output/DocumentSave.h"
#include "output/OutputFormats.h"

namespace {
constexpr char kUsage[] = "usage: objetos3d-cli export DOC OUT [--width W] [--height H] [--view 0..3] [--no-limit]";

// The editor writes a document under any name it does not know; a batch
// run that names something else ("X.png") is more likely a mistake than a
// wish for a document under that name.
std::string OutputNameProblem(const std::string& output) {
  if (output.empty()) return "no file name";
  if (BatchFormatFor(output)) return {};
  return "unknown kind of output: the name must end in " + BatchExtensionsText();
}

bool ReadInt(const std::string& text, int low, int high, int& out) {
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < low || v > high) return false;
  out = v;
  return true;
}

struct Options {
  std::string document, output;
  int width = 1024, height = 768, view = 0;
  bool noLimit = false;
};

bool ParseOptions(std::vector<std::string> args, Options& o) {
  o.noLimit = OutputLimit::TakeNoLimitOption(args);
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--width" || a == "--height" || a == "--view") {
      if (i + 1 >= args.size()) return false;
      const std::string& value = args[++i];
      const bool ok = a == "--width"    ? ReadInt(value, 1, 16384, o.width)
                      : a == "--height" ? ReadInt(value, 1, 16384, o.height)
                                        : ReadInt(value, 0, 3, o.view);
      if (!ok) return false;
    } else {
      positional.push_back(a);
    }
  }
  if (positional.size() != 2) return false;
  o.document = positional[0];
  o.output = positional[1];
  return true;
}

// ".jpg" is a picture too, written under the very name given (the save
// command's own pictures are always ".jpeg").
Outcome SavePictureAs(SceneState& scene, const std::string& output) {
  scene.showEditAids = false;
  try {
    Redraw(scene);
  } catch (const std::exception& e) {
    return Outcome::Error(Outcome::Failed, e.what());
  }
  return WriteViewJpeg(*scene.view, output);
}
}  // namespace

int RunExportCommand(const std::vector<std::string>& args) {
  Options o;
  if (!ParseOptions(args, o)) return CliFail("export", kUsage);

  if (const std::string problem = OutputNameProblem(o.output); !problem.empty()) return CliFail(o.output, problem);
  const OutputFormat& format = *BatchFormatFor(o.output);

  TIMem32 elements("obj 3d4");
  elements.RecordSize = kElementRecordSize;
  const Outcome in = ReadDocument(o.document, elements);
  if (!in.ok()) return CliFail(o.document, in.reason);
  // A target that cannot be written fails before the drawing is set up;
  // so does one that is the document itself, whatever it is written as.
  if (SameFile(o.output, o.document)) return CliFail(o.output, kOutputIsInput);
  if (const Outcome target = CheckSaveTarget(o.output, o.document); !target.ok())
    return CliFail(o.output, target.reason);
  const OutputLimit limit(
      format.writer == OutputWriter::Document ? OutputLimit::Kind::Document : OutputLimit::Kind::Export, o.document,
      o.noLimit);

  // Only a picture is drawn: the OBJ, glTF and STL exports record the frame
  // without drawing it, and a document copy draws nothing.
  const bool picture = format.drawsFrame;
  // Label pictures need fonts, and glTF re-encodes textures; Qt does both
  // without any display. An OBJ needs neither.
  std::unique_ptr<QGuiApplication> painting;
  if (format.writer != OutputWriter::Obj) painting = StartOffscreenPainting();

  SceneState scene;
  scene.elements = &elements;
  std::unique_ptr<HeadlessSurface> surface;
  if (picture) {
    surface = std::make_unique<HeadlessSurface>(o.width, o.height);
    if (!surface->IsValid())
      return CliFail(o.output, "a picture needs OpenGL, and there is no GL context: " + surface->Error());
    scene.view = NewStartingView(surface.get(), o.width, o.height, o.view);
  }
  // A picture the save command does not name (".jpg") is written as it is.
  const Outcome out =
      picture && !format.saveCommand ? SavePictureAs(scene, o.output) : SaveDocument(scene, o.output, o.document);
  if (scene.view) {
    DropSceneList(scene);
    FreeViews();
  }
  ClearTextureCache();
  if (!out.failedFiles.empty()) {
    // One line per texture that could not be copied.
    for (const auto& failure : out.failedFiles) CliFail(failure.file, limit.Explain(failure.reason));
    return 2;
  }
  if (!out.ok()) return CliFail(o.output, limit.Explain(out.reason));
  // A picture or an OBJ leaves out elements that cannot be drawn; say so,
  // without failing: everything else was written.
  const int32_t leftOut = CountUndrawableElements(elements);
  if (leftOut > 0 && (format.writer == OutputWriter::Obj || picture))
    CliNote(o.document, std::to_string(leftOut) + (leftOut == 1 ? " element" : " elements") +
                            " left out (value not finite or too large)");
  return 0;
}
