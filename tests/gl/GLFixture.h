#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gl/GLView.h"
#include "gl/HeadlessSurface.h"
#include "gl/StartingView.h"
#include "gl/ViewContext.h"

// A view on a fresh headless surface, set up as the editor sets its view.
class GLFixture : public testing::Test {
 protected:
  void SetUp() override { MakeSurface(320, 240); }
  void TearDown() override {
    if (view) DestroyContext(*view);
  }

  void MakeSurface(int w, int h) {
    if (view) DestroyContext(*view);
    surface = std::make_unique<HeadlessSurface>(w, h);
    ASSERT_TRUE(surface->IsValid()) << surface->Error();
    if (!view) view = NewView();
    *view = GLView{};
    ResetToStartingView(*view);
    CreateContext(*view, surface.get(), w, h);
  }

  // RGB of pixel (x, y), y counted from the top, of the current framebuffer.
  std::vector<unsigned char> Pixel(int x, int y) const;
  // RGB of the whole current framebuffer, bottom row first.
  std::vector<unsigned char> Frame() const;

  std::unique_ptr<HeadlessSurface> surface;
  GLView* view = nullptr;
};

// A fresh folder under the test's temporary directory.
std::string MakeTempFolder(const std::string& name);

// The OBJ and MTL text of what `draw` draws through the drawing wrappers
// (drawn into an OBJ canvas, so nothing reaches OpenGL).
std::string RecordedText(const std::function<void()>& draw);
