#include "SurfaceFormat.h"

#include <QSurfaceFormat>

void SetEditorSurfaceFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setVersion(2, 1);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setDepthBufferSize(24);
  format.setStencilBufferSize(8);
  format.setSamples(0);
  QSurfaceFormat::setDefaultFormat(format);
}
