// Any element name painted as a label, scale rulers above all: the name is
// read by the label's own parser and drawn, which must end quickly and
// without a crash. The first byte picks the face the picture is stretched
// over; names are cut to the 63 characters a document can hold.
#include <QGuiApplication>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "gl/LabelBitmap.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  static int argc = 1;
  static char name[] = "fuzz_label_text";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static const double faces[][2] = {{2, 2},  {4, 1},    {1, 4},      {0, 2},   {2, 0},
                                    {-3, 2}, {1e10, 1}, {1, 1e-300}, {NAN, 2}, {INFINITY, 1}};
  const auto& face = faces[data[0] % (sizeof faces / sizeof faces[0])];
  std::string name(reinterpret_cast<const char*>(data + 1), size - 1 < 63 ? size - 1 : 63);
  if (data[0] & 0x80) name = ("@escala|" + name).substr(0, 63);
  const TextureBitmap* picture = DrawLabelBitmap(name, 0x336699, std::string(), face[0], face[1]);
  if (picture && !picture->empty() &&
      picture->pixels.size() != static_cast<size_t>(picture->rowBytes()) * static_cast<size_t>(picture->height))
    std::abort();
  return 0;
}
