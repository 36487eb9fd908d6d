// Editor timings on a real window (run under xvfb-run):
//  - start of the process to the first frame on screen with the sample;
//  - an arrow step on a 10,000-element selection: the edit alone, and with
//    the frame it ends in;
//  - picking: UnprojectAtPixel and UnprojectToGround per call.
// usage: xvfb-run -a -s "-screen 0 1600x1000x24" bench_editor [elements]
#include <QApplication>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "KeyCodes.h"
#include "SurfaceFormat.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "common/ProgramFolder.h"
#include "controls/FaceColors.h"
#include "document/EditSteps.h"
#include "gl/SceneFrame.h"

namespace {
using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

// Milliseconds since the kernel started this process.
double ProcessAgeMs() {
  std::ifstream stat("/proc/self/stat");
  std::string line;
  std::getline(stat, line);
  std::istringstream fields(line.substr(line.rfind(')') + 2));
  std::string f;
  unsigned long long start = 0;
  for (int i = 3; i <= 22 && fields >> f; ++i)
    if (i == 22) start = std::stoull(f);
  double uptime = 0;
  std::ifstream("/proc/uptime") >> uptime;
  return (uptime - static_cast<double>(start) / sysconf(_SC_CLK_TCK)) * 1000.0;
}
}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  SetEditorSurfaceFormat();
  CorFaceMulfig = CorFaceSpin = clWhite;
  QApplication app(argc, argv);

  TFEditorDeObjetos1 window({QString::fromStdString(ProgramFolder() + "Vist3D/sample.zobj3d")});
  window.resize(1346, 700);
  window.show();
  while (window.scene.sceneList == 0) app.processEvents(QEventLoop::WaitForMoreEvents, 5);
  std::printf("start to first frame (sample document): %.0f ms\n", ProcessAgeMs());

  // Picking against the frame on screen.
  const int picks = 2000;
  double p[3];
  auto t0 = Clock::now();
  for (int i = 0; i < picks; ++i) window.PickAtPixel(100 + i % 500, 100 + i % 300, p);
  auto t1 = Clock::now();
  for (int i = 0; i < picks; ++i) window.PickGround(100 + i % 500, 100 + i % 300, p);
  auto t2 = Clock::now();
  std::printf("UnprojectAtPixel: %.1f us per pick; UnprojectToGround: %.1f us per pick\n",
              Ms(t0, t1) * 1000 / picks, Ms(t1, t2) * 1000 / picks);

  // A large selection of cubes in a grid.
  window.doc.elements.SetCount(0);
  window.doc.ClearSelection();
  for (int i = 0; i < count; ++i) {
    window.doc.templ.kind = kCube;
    window.doc.templ.dx = window.doc.templ.dy = window.doc.templ.dz = 0.8;
    window.doc.templ.x = (i % 100) * 0.4 - 20;
    window.doc.templ.z = (i / 100) * 0.4 - 20;
    window.doc.templ.y = 0.4;
    window.doc.AppendFromTemplate();
    window.doc.SelectElement(i);
  }
  window.RebuildElementList();
  auto t3 = Clock::now();
  ::DropSceneList(window.scene);
  window.RenderNow();
  auto t4 = Clock::now();
  std::printf("%d elements: frame build %.0f ms\n", count, Ms(t3, t4));

  const int steps = 5;
  auto t5 = Clock::now();
  for (int i = 0; i < steps; ++i) {
    window.doc.PushUndo();
    for (int32_t k = 0; k < window.doc.SelectionCount(); ++k)
      ApplyArrowStep(window.doc.Element(window.doc.SelectedIndex(k)), kMove, kAxisX, false, 1, 0.5);
  }
  auto t6 = Clock::now();
  QApplication::setActiveWindow(&window);
  window.FocusTela1();
  app.processEvents();
  if (QApplication::focusWidget() != window.Tela1) std::printf("(the drawing panel has no focus: keys are ignored)\n");
  for (int i = 0; i < steps; ++i) window.FormKeyDown(vk::Right, Qt::NoModifier);
  // The frames are drawn with RenderNow: Qt may defer a repaint to the
  // window's next composition, which would hide the frame's cost.
  double stepMs = 0, replayMs = 0;
  for (int i = 0; i < steps; ++i) {
    const auto a = Clock::now();
    window.FormKeyDown(vk::Right, Qt::NoModifier);
    window.RenderNow();
    const auto b = Clock::now();
    window.RenderNow();
    stepMs += Ms(a, b);
    replayMs += Ms(b, Clock::now());
  }
  std::printf("arrow step on %d selected: edit (undo snapshot + moves) %.2f ms; with its frame %.0f ms; "
              "camera-only frame (replay) %.0f ms\n",
              count, Ms(t5, t6) / steps, stepMs / steps, replayMs / steps);
  return 0;
}
