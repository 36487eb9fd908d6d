#pragma once
#include <memory>
#include <string>

#include "DrawSurface.h"

// A drawing surface without any display: an EGL context on Mesa's
// surfaceless platform drawing into a framebuffer object with an RGBA8
// colour and a 24-bit depth buffer. Used by the batch tool and the tests.
class HeadlessSurface : public DrawSurface {
 public:
  HeadlessSurface(int width, int height);
  ~HeadlessSurface() override;
  HeadlessSurface(const HeadlessSurface&) = delete;
  HeadlessSurface& operator=(const HeadlessSurface&) = delete;

  // False when no context could be made; `Error()` says why.
  bool IsValid() const;
  const std::string& Error() const { return error_; }

  bool MakeCurrent() override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void EndFrame() override;

 private:
  struct Egl;
  bool CreateBuffers();
  void DeleteBuffers();

  std::unique_ptr<Egl> egl_;
  int width_, height_;
  unsigned framebuffer_ = 0, colorBuffer_ = 0, depthBuffer_ = 0;
  std::string error_;
};
