// Writes the bundled sample document: a small room scene that shows every
// kind of element (bevelled and tapered cubes, cylinders, a cone, a tube, a
// sphere, panels, a label and a scale ruler).
// usage: make-sample OUT.zobj3d
#include <cstdio>
#include <cstring>
#include <string>

#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"

namespace {
struct Shape {
  int32_t kind;
  const char* name;
  double dx, dy, dz, x, y, z, axy, ayz, axz;
  uint32_t color;  // 0x00BBGGRR
  double chamfer, topPercent;
  const char* texture;
};

const Shape kShapes[] = {
    {kPanel, "piso", 24, 0.2, 16, 0, -0.1, 0, 0, 0, 0, 0xC0C0C0, 0, 100, "texture2.jpg"},
    {kPanel, "parede", 24, 10, 0.4, 0, 5, -8, 0, 0, 0, 0xE0E8F0, 0, 100, "texture1.jpeg"},
    {kCube, "tampo", 10, 0.6, 6, 0, 4.3, 0, 0, 0, 0, 0x3A6EA5, 0.15, 100, "texture3.bmp"},
    {kCylinder, "perna1", 0.6, 4, 0.6, -4.4, 2, -2.4, 0, 0, 0, 0x2F4F6F, 0, 100, ""},
    {kCylinder, "perna2", 0.6, 4, 0.6, 4.4, 2, -2.4, 0, 0, 0, 0x2F4F6F, 0, 100, ""},
    {kCylinder, "perna3", 0.6, 4, 0.6, -4.4, 2, 2.4, 0, 0, 0, 0x2F4F6F, 0, 100, ""},
    {kCylinder, "perna4", 0.6, 4, 0.6, 4.4, 2, 2.4, 0, 0, 0, 0x2F4F6F, 0, 100, ""},
    {kSphere, "bola", 2, 2, 2, 2.5, 5.6, 0.5, 0, 0, 0, 0x2020D0, 0, 100, ""},
    {kCylinder, "abajur", 2.4, 2, 2.4, -3, 6.4, -1, 0, 0, 0, 0x40C0F0, 0, 40, ""},
    {kCylinder, "vaso", 1.6, 2.2, 1.6, -0.5, 5.7, 1.5, 0, 0, 0, 0x3080E0, 0.15, 120, ""},
    {kCube, "piramide", 3, 3, 3, 8, 1.5, 4, 30, 0, 0, 0x60B060, 0, 0, ""},
    {kCube, "caixa", 3, 2, 3, -8, 1, 4, 0, 0, 25, 0x5080A0, 0.3, 70, "texture5.jpeg"},
    {kCube, "bloco girado", 2, 2, 2, 8, 1, -3, 20, 35, 45, 0xA050A0, 0.1, 100, ""},
    {kPanel, "quadro", 6, 4, 0.2, 0, 6.5, -7.7, 0, 0, 0, 0xFFFFFF, 0, 100, "texture3.bmp"},
    {kCube, "@Objetos 3D", 8, 1.5, 0.2, 0, 9, -7.6, 0, 0, 0, 0x704020, 0, 100, ""},
    {kCube, "@escala|v|100|0|10|5|", 1.5, 6, 0.2, -10, 3.5, -7.6, 0, 0, 0, 0x202020, 0, 100, ""},
};
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-sample OUT.zobj3d\n");
    return 2;
  }
  TIMem32 elements("obj 3d4");
  elements.RecordSize = kElementRecordSize;
  const int32_t n = static_cast<int32_t>(sizeof kShapes / sizeof kShapes[0]);
  elements.SetCount(n);
  for (int32_t i = 0; i < n; ++i) {
    const Shape& s = kShapes[i];
    Element3D& e = elements.As<Element3D>(i);
    std::memset(&e, 0, sizeof e);
    e.kind = s.kind;
    e.name.assign(s.name);
    e.dx = s.dx, e.dy = s.dy, e.dz = s.dz;
    e.x = s.x, e.y = s.y, e.z = s.z;
    e.axy = s.axy, e.ayz = s.ayz, e.axz = s.axz;
    e.color = s.color;
    e.chamfer = s.chamfer;
    e.topPercent = s.topPercent;
    e.texture.assign(s.texture);
  }
  const Outcome r = WriteDocument(argv[1], elements);
  if (!r.ok()) {
    std::fprintf(stderr, "make-sample: %s: %s\n", argv[1], r.reason.c_str());
    return 2;
  }
  return 0;
}
