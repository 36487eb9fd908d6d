#pragma once
// A document of n mixed elements for the drawing and export benchmarks:
// bevelled and plain cubes, cylinders, spheres and panels, some turned,
// some textured (none without `textured`), spread over the grid; every
// `labelEvery`-th a label cube when that is set.
#include "common/TIMem32.h"
#include "document/Element3D.h"

inline void FillMixedScene(TIMem32& store, int n, bool textured = true, int labelEvery = 0) {
  store.RecordSize = kElementRecordSize;
  store.SetCount(n);
  static const char* kTextures[] = {"", "texture1.jpeg", "", "texture3.bmp", "texture2.jpg"};
  for (int i = 0; i < n; ++i) {
    Element3D& e = store.As<Element3D>(i);
    e = Element3D{};
    e.kind = i % 4;
    e.name.assign("element" + std::to_string(i));
    e.dx = 1 + i % 3;
    e.dy = 1 + i % 5;
    e.dz = 1 + i % 2;
    e.x = (i % 40) - 20;
    e.y = (i / 40) % 10;
    e.z = ((i / 400) % 40) - 20;
    e.axy = (i % 7) * 15;
    e.axz = (i % 11) * 10;
    e.color = 0x102030u * (i % 7);
    e.chamfer = (i % 3) * 0.1;
    e.topPercent = (i % 5 == 0) ? 60 : 100;
    if (textured) e.texture.assign(kTextures[i % 5]);
    if (labelEvery > 0 && i % labelEvery == 0) {
      e.kind = kCube;
      e.name.assign("@Room " + std::to_string(i % 300));
    }
  }
}
