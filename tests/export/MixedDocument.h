#pragma once
// The large mixed document the export comparisons use: the benchmarks' mixed
// scene with every 20th element a label (some with a colour of their own,
// some textured, one a scale ruler) and every 97th hidden.
#include <string>

#include "bench/gl/MixedScene.h"
#include "document/DocumentFile.h"

inline void FillMixedDocument(TIMem32& store, int n) {
  FillMixedScene(store, n);
  for (int i = 0; i < n; ++i) {
    Element3D& e = store.As<Element3D>(i);
    if (i % 20 == 0) {
      e.kind = kCube;
      e.name.assign(i % 60 == 0 ? "@Sala " + std::to_string(i / 60) + "=" : "@Sala " + std::to_string(i % 7));
    }
    if (i % 97 == 0) e.invisible = 1;
  }
  if (n > 40) store.As<Element3D>(40).name.assign("@escala|v|100|0|10|10|");
}

inline bool WriteMixedDocument(const std::string& path, int n) {
  TIMem32 store("mixed");
  FillMixedDocument(store, n);
  return WriteDocument(path, store).ok();
}
