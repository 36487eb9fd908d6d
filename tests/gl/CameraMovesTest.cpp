#include <gtest/gtest.h>

#include <QPointF>
#include <algorithm>
#include <cmath>

#include "GLFixture.h"
#include "gl/CameraMoves.h"
#include "gl/Picking.h"
#include "gl/ViewPresets.h"

namespace {
class CameraMoves : public GLFixture {
 protected:
  // The camera and projection as the frame will draw them.
  void Apply(int w, int h) {
    SetProjection(*view, w, h);
    ApplyCamera(*view);
    CaptureFrameMatrices(*view);
  }
  // The share of the panel's width or height (the larger) the box takes;
  // `middle` gets the middle of its picture.
  double Share(const double min[3], const double max[3], int w, int h, QPointF* middle = nullptr) {
    double lo[2] = {1e9, 1e9}, hi[2] = {-1e9, -1e9};
    for (int c = 0; c < 8; ++c) {
      const double corner[3] = {c & 1 ? max[0] : min[0], c & 2 ? max[1] : min[1], c & 4 ? max[2] : min[2]};
      double px = 0, py = 0;
      EXPECT_TRUE(ProjectToPixel(*view, corner, px, py));
      lo[0] = std::min(lo[0], px), hi[0] = std::max(hi[0], px);
      lo[1] = std::min(lo[1], py), hi[1] = std::max(hi[1], py);
    }
    if (middle) *middle = QPointF((lo[0] + hi[0]) / 2, (lo[1] + hi[1]) / 2);
    return std::max((hi[0] - lo[0]) / w, (hi[1] - lo[1]) / h);
  }
};

// Framing fills 85% of the narrower fit of the panel, from any direction,
// for flat and tall boxes, on wide and tall panels, in both projections.
TEST_F(CameraMoves, FramingFillsTheSameShareFromEveryDirection) {
  const struct {
    double min[3], max[3];
  } boxes[] = {{{-1, 0, -3}, {7, 2.5, 1}}, {{30, 0, -62}, {31, 9, -61}}, {{-0.5, 0, -0.5}, {0.5, 1, 0.5}}};
  const int panels[][2] = {{320, 240}, {200, 360}};
  for (const auto& panel : panels) {
    MakeSurface(panel[0], panel[1]);
    for (bool perspective : {true, false})
      for (int preset : {0, 1, 2})
        for (const auto& b : boxes) {
          *view = GLView{};
          for (int i = 0; i < 3; ++i) view->OrthoMin[i] = -20, view->OrthoMax[i] = 20;
          view->Perspective = perspective;
          ApplyViewPreset(*view, preset);
          FrameBox(*view, b.min, b.max, panel[0], panel[1], 0.85);
          Apply(panel[0], panel[1]);
          QPointF middle;
          EXPECT_NEAR(Share(b.min, b.max, panel[0], panel[1], &middle), 0.85, 0.01)
              << panel[0] << "x" << panel[1] << " perspective " << perspective << " preset " << preset;
          // In the middle of the view, so that the share is all inside it.
          EXPECT_NEAR(middle.x(), panel[0] / 2.0, 0.01 * panel[0]);
          EXPECT_NEAR(middle.y(), panel[1] / 2.0, 0.01 * panel[1]);
        }
  }
}
}  // namespace
