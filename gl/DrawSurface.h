#pragma once

// What the view layer draws on: something that can make its GL context
// current, knows its size in pixels and ends a frame. The editor's panel and
// the headless surface of the batch tool and the tests implement it; the
// view layer never assumes which one it has.
class DrawSurface {
 public:
  virtual ~DrawSurface() = default;
  // Makes the surface's context current with its framebuffer bound for
  // drawing and reading. False when there is no usable context.
  virtual bool MakeCurrent() = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Ends the frame (a swap, a flush, or nothing when the toolkit composes
  // the frame itself after its paint call).
  virtual void EndFrame() = 0;
};
