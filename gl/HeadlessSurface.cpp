#include "HeadlessSurface.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

struct HeadlessSurface::Egl {
  EGLDisplay display = EGL_NO_DISPLAY;
  EGLContext context = EGL_NO_CONTEXT;
  // Framebuffer objects are newer than the 1.1 entry points the library
  // exports directly, so they are looked up.
  PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
  PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
  PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
  PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
};

namespace {
template <class F>
bool Load(F& f, const char* name) {
  f = reinterpret_cast<F>(eglGetProcAddress(name));
  return f != nullptr;
}
}  // namespace

HeadlessSurface::HeadlessSurface(int width, int height)
    : egl_(std::make_unique<Egl>()), width_(width < 1 ? 1 : width), height_(height < 1 ? 1 : height) {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getPlatformDisplay) {
    error_ = "EGL has no platform displays";
    return;
  }
  egl_->display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  EGLint major = 0, minor = 0;
  if (egl_->display == EGL_NO_DISPLAY || !eglInitialize(egl_->display, &major, &minor)) {
    error_ = "no surfaceless EGL display";
    egl_->display = EGL_NO_DISPLAY;
    return;
  }
  if (!eglBindAPI(EGL_OPENGL_API)) {
    error_ = "EGL cannot bind desktop OpenGL";
    return;
  }
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, 0, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configs = 0;
  eglChooseConfig(egl_->display, configAttributes, &config, 1, &configs);
  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                      EGL_NONE};
  egl_->context =
      eglCreateContext(egl_->display, configs > 0 ? config : EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, contextAttributes);
  if (egl_->context == EGL_NO_CONTEXT ||
      !eglMakeCurrent(egl_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, egl_->context)) {
    error_ = "no OpenGL context";
    egl_->context = EGL_NO_CONTEXT;
    return;
  }
  Egl& e = *egl_;
  if (!(Load(e.genFramebuffers, "glGenFramebuffers") && Load(e.deleteFramebuffers, "glDeleteFramebuffers") &&
        Load(e.bindFramebuffer, "glBindFramebuffer") && Load(e.genRenderbuffers, "glGenRenderbuffers") &&
        Load(e.deleteRenderbuffers, "glDeleteRenderbuffers") && Load(e.bindRenderbuffer, "glBindRenderbuffer") &&
        Load(e.renderbufferStorage, "glRenderbufferStorage") &&
        Load(e.framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
        Load(e.checkFramebufferStatus, "glCheckFramebufferStatus"))) {
    error_ = "OpenGL without framebuffer objects";
    eglDestroyContext(e.display, e.context);
    e.context = EGL_NO_CONTEXT;
    return;
  }
  if (!CreateBuffers()) {
    eglDestroyContext(e.display, e.context);
    e.context = EGL_NO_CONTEXT;
  }
}

HeadlessSurface::~HeadlessSurface() {
  if (egl_->context != EGL_NO_CONTEXT) {
    eglMakeCurrent(egl_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, egl_->context);
    DeleteBuffers();
    eglMakeCurrent(egl_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(egl_->display, egl_->context);
  }
  // The display is shared by every surface of the process; it stays up.
}

bool HeadlessSurface::IsValid() const { return egl_->context != EGL_NO_CONTEXT; }

bool HeadlessSurface::CreateBuffers() {
  Egl& e = *egl_;
  e.genFramebuffers(1, &framebuffer_);
  e.bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  e.genRenderbuffers(1, &colorBuffer_);
  e.bindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
  e.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width_, height_);
  e.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
  e.genRenderbuffers(1, &depthBuffer_);
  e.bindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
  e.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width_, height_);
  e.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
  if (e.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    error_ = "incomplete framebuffer";
    DeleteBuffers();
    return false;
  }
  glDrawBuffer(GL_COLOR_ATTACHMENT0);
  glReadBuffer(GL_COLOR_ATTACHMENT0);
  glViewport(0, 0, width_, height_);
  return true;
}

void HeadlessSurface::DeleteBuffers() {
  Egl& e = *egl_;
  e.bindFramebuffer(GL_FRAMEBUFFER, 0);
  if (colorBuffer_) e.deleteRenderbuffers(1, &colorBuffer_);
  if (depthBuffer_) e.deleteRenderbuffers(1, &depthBuffer_);
  if (framebuffer_) e.deleteFramebuffers(1, &framebuffer_);
  framebuffer_ = colorBuffer_ = depthBuffer_ = 0;
}

bool HeadlessSurface::MakeCurrent() {
  if (!IsValid()) return false;
  if (!eglMakeCurrent(egl_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, egl_->context)) return false;
  egl_->bindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
  return true;
}

void HeadlessSurface::EndFrame() {
  if (IsValid()) glFinish();
}
