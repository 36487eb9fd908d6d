#pragma once
// The seeded documents of the editor and export benchmarks: cubes with every
// tenth a cylinder, in rows of a hundred 0.4 apart, in a few sizes, as the
// palette makes them.
#include <string>
#include <vector>

#include "document/EditorDocument.h"
#include "document/Element3D.h"
#include "document/ElementNames.h"

inline std::vector<Element3D> SeededElements(int count) {
  EditorDocument doc;
  doc.ResetTemplateForKind(kCube, 0x3060A0, "");
  const Element3D cube = doc.templ;
  doc.ResetTemplateForKind(kCylinder, 0x20A040, "");
  const Element3D cylinder = doc.templ;
  const std::string cubeWord = TypeWord(kCube), cylinderWord = TypeWord(kCylinder);
  std::vector<Element3D> elements(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    Element3D& e = elements[static_cast<size_t>(i)];
    const bool round = i % 10 == 9;
    e = round ? cylinder : cube;
    e.name.assign((round ? cylinderWord : cubeWord) + std::to_string(i + 1));
    e.dx = e.dz = 0.2 + 0.05 * (i % 4);
    e.dy = 0.4 + 0.1 * (i % 3);
    e.x = (i % 100) * 0.4 - 20;
    e.z = (i / 100) * 0.4 - 20;
    e.y = e.dy / 2;
  }
  return elements;
}
