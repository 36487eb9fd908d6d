#pragma once
#include <cstdint>
#include <string>

#include "GLFixture.h"
#include "common/TIMem32.h"
#include "document/Element3D.h"
#include "gl/SceneFrame.h"
#include "gl/ViewContext.h"
#include "gl/ViewPresets.h"

// A headless view in the editor's default pose with an element store wired
// into a scene, ready to draw, record or save.
class SceneFixture : public GLFixture {
 protected:
  void SetUp() override {
    GLFixture::SetUp();
    store.RecordSize = kElementRecordSize;
    scene.view = view;
    scene.elements = &store;
    DefaultView(*view);
    ApplyCamera(*view);
  }

  // Appends a 2 x 2 x 2 element of `kind` at (x, y, z).
  Element3D& Add(const std::string& name, int kind, double x = 0, double y = 0, double z = 0,
                 uint32_t color = 0x0000FF) {
    store.SetCount(store.Count() + 1);
    Element3D& e = store.As<Element3D>(store.Count() - 1);
    e = Element3D{};
    e.name.assign(name);
    e.kind = kind;
    e.dx = e.dy = e.dz = 2;
    e.x = x;
    e.y = y;
    e.z = z;
    e.color = color;
    e.topPercent = 100;
    return e;
  }

  TIMem32 store{"scene"};
  SceneState scene;
};
