// Editor timings on a real window (run under xvfb-run):
//  - start of the process to the first frame on screen with the sample,
//    beside a bare QOpenGLWidget window's first frame (each in fresh
//    processes of this program, alternated, medians);
//  - an arrow step on a 10,000-element selection: the edit alone, and the
//    frame it ends in beside a camera-only frame;
//  - picking: UnprojectAtPixel and UnprojectToGround per call.
// usage: xvfb-run -a -s "-screen 0 1600x1000x24" bench_editor [elements [start-up runs]]
#include <QApplication>
#include <QItemSelectionModel>
#include <QListWidget>
#include <QOpenGLWidget>

#include <spawn.h>
#include <time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <vector>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "KeyCodes.h"
#include "SurfaceFormat.h"
#include "TFEditorDeObjetos1.h"
#include "ScriptHostQt.h"
#include "TGLPanel.h"
#include "common/Dictionary.h"
#include "common/ProgramFolder.h"
#include "controls/FaceColors.h"
#include "document/EditSteps.h"
#include "gl/Camera.h"
#include "gl/GLView.h"
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
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  const double uptime = static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
  return (uptime - static_cast<double>(start) / sysconf(_SC_CLK_TCK)) * 1000.0;
}

// The baseline of start-up: the least a Qt OpenGL window of the same size
// and surface format costs until its first frame.
class BareWindow : public QOpenGLWidget {
 public:
  bool painted = false;

 protected:
  void paintGL() override {
    glClearColor(0.57f, 0.57f, 0.57f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    painted = true;
  }
};

// Child process: start a window, print the process's age when its first
// frame has been composed into the window and swapped to the screen.
int FirstFrameChild(int argc, char** argv, bool bare) {
  SetEditorSurfaceFormat();
  if (!bare) LoadDictionary();
  CorFaceMulfig = CorFaceSpin = clWhite;
  QApplication app(argc, argv);
  if (!bare) InstallQtScriptHost();
  if (bare) {
    BareWindow window;
    double swapped = 0;
    QObject::connect(&window, &QOpenGLWidget::frameSwapped, [&] {
      if (window.painted && swapped == 0) swapped = ProcessAgeMs();
    });
    window.resize(1346, 700);
    window.show();
    while (swapped == 0) app.processEvents(QEventLoop::WaitForMoreEvents, 5);
    std::printf("%.1f\n", swapped);
    return 0;
  }
  TFEditorDeObjetos1 window({QString::fromStdString(ProgramFolder() + "Vist3D/sample.zobj3d")});
  double swapped = 0;
  QObject::connect(window.Tela1, &QOpenGLWidget::frameSwapped, [&] {
    if (!window.scene.edited && swapped == 0) swapped = ProcessAgeMs();
  });
  window.resize(1346, 700);
  window.show();
  while (swapped == 0) app.processEvents(QEventLoop::WaitForMoreEvents, 5);
  std::printf("%.1f\n", swapped);
  std::fflush(stdout);
  // The window's teardown is not part of start-up.
  std::_Exit(0);
}

// Runs this program again as a first-frame child; its figure in ms, or -1.
double RunChild(const char* mode) {
  int out[2];
  if (pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  char self[] = "/proc/self/exe";
  char flag[] = "--first-frame";
  std::string modeText = mode;
  char* args[] = {self, flag, modeText.data(), nullptr};
  pid_t pid = 0;
  const int failed = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, args, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(out[1]);
  std::string text;
  char buf[256];
  for (ssize_t n; (n = read(out[0], buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(n));
  close(out[0]);
  if (failed) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return text.empty() ? -1 : std::atof(text.c_str());
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}
}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 && std::string(argv[1]) == "--first-frame") return FirstFrameChild(argc, argv, std::string(argv[2]) == "bare");
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int startRuns = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;

  // Start-up, alternating the two windows so that both meet the same load.
  std::vector<double> bareMs, editorMs;
  for (int i = 0; i < startRuns; ++i) {
    bareMs.push_back(RunChild("bare"));
    editorMs.push_back(RunChild("editor"));
  }
  const double bare = Median(bareMs), editor = Median(editorMs);
  std::printf("start to first frame, median of %d: editor with the sample %.0f ms; bare QOpenGLWidget window %.0f ms; "
              "ratio %.2f\n",
              startRuns, editor, bare, bare > 0 ? editor / bare : 0.0);

  SetEditorSurfaceFormat();
  CorFaceMulfig = CorFaceSpin = clWhite;
  QApplication app(argc, argv);

  TFEditorDeObjetos1 window({QString::fromStdString(ProgramFolder() + "Vist3D/sample.zobj3d")});
  window.resize(1346, 700);
  window.show();
  while (window.scene.edited) app.processEvents(QEventLoop::WaitForMoreEvents, 5);

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
  // Both frames are what the editor draws itself: the step ends in a
  // redraw, a camera move in DrawScene, each a repaint of the panel. Qt may
  // defer a repaint to the window's next composition, which would hide the
  // frame's cost: a frame not drawn by then is drawn with RenderNow.
  std::vector<double> stepMs, cameraMs;
  for (int i = 0; i < steps; ++i) {
    const auto a = Clock::now();
    window.FormKeyDown(vk::Right, Qt::NoModifier);
    if (window.scene.edited) window.RenderNow();
    const auto b = Clock::now();
    const double before = window.view->FrameModelView[0] + window.view->FrameModelView[2];
    OrbitCamera(*window.view, 0, i % 2 ? 1 : -1, 0);
    window.DrawScene();
    if (window.view->FrameModelView[0] + window.view->FrameModelView[2] == before) window.RenderNow();
    stepMs.push_back(Ms(a, b));
    cameraMs.push_back(Ms(b, Clock::now()));
  }
  const double step = Median(stepMs), camera = Median(cameraMs);
  std::printf("arrow step on %d selected: edit (undo snapshot + moves) %.2f ms; median frames: after the step %.0f ms, "
              "camera-only %.0f ms, ratio %.2f\n",
              count, Ms(t5, t6) / steps, step, camera, camera > 0 ? step / camera : 0.0);

  // Edits of 1,000 elements, each with the frame it ends in, beside the
  // camera-only frame above: the list selection of 1,000 rows, a paste of
  // 1,000 elements and its undo.
  auto timed = [&](const std::function<void()>& edit) {
    const auto a = Clock::now();
    edit();
    if (window.scene.edited) window.RenderNow();
    return Ms(a, Clock::now());
  };
  const int some = std::min(count, 1000);
  const double listMs = timed([&] {
    QItemSelection rows(window.Lista1->model()->index(0, 0), window.Lista1->model()->index(some - 1, 0));
    window.Lista1->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    window.Lista1->setCurrentRow(some - 1, QItemSelectionModel::Select);
    window.Lista1Click();
  });
  window.Copiar1Click();
  const double pasteMs = timed([&] { window.Colar1Click(); });
  const double undoMs = timed([&] { window.FormKeyDown('Z', Qt::ControlModifier); });
  std::printf("with the frame each ends in (camera-only frame %.0f ms): list selection of %d rows %.0f ms; "
              "paste of %d elements %.0f ms; its undo %.0f ms\n",
              camera, some, listMs, some, pasteMs, undoMs);
  return 0;
}
