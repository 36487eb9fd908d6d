// Editor timings on a real window (run under xvfb-run):
//  - start of the process to the first frame on screen with the sample and
//    with a seeded document of `elements` elements, beside a bare
//    QOpenGLWidget window's first frame, and beside the least the seeded
//    document's first frame costs: a bare window that reads it and draws
//    its triangles once (each in fresh processes of this program,
//    alternated, medians);
//  - an arrow step on a 10,000-element selection: the edit alone, and the
//    frame it ends in beside a camera-only frame; an arrow step and a drag
//    step (pointer pressed on a selected element and moved) on 1,000
//    selected elements, each with its frame, beside a camera-only frame;
//  - picking: UnprojectAtPixel and UnprojectToGround per call;
//  - select-all, list selection, paste, undo and delete, each with its frame;
//  - camera steps on the seeded document as a key event through Qt: the
//    key with its frame, what it leaves queued, and the whole frame once
//    input rests, each with the window's compositions;
//  - start-up with the seeded document of `large` elements: start to the
//    first frame and to quiet (the whole frame after it), peak memory (goal:
//    4 s, 700 MB);
//  - scale, in a fresh process: a document of `large` elements opened,
//    drawn, and a step on one element beside a camera-only frame; memory
//    beside the document's records plus its cached shapes, and the undo
//    copies' share of it.
// usage: xvfb-run -a -s "-screen 0 1600x1000x24" bench_editor [elements [start-up runs [large]]]
// One start-up alone, e.g. under callgrind, which counts the same in every
// run where the clock does not: bench_editor --first-frame editor DOCUMENT
// prints the process's age at its first frame and ends there;
// bench_editor --seeded elements PATH writes the seeded document.
#include <malloc.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListView>
#include <QOpenGLWidget>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "KeyCodes.h"
#include "ScriptHostQt.h"
#include "SurfaceFormat.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "bench/ProcessMemory.h"
#include "bench/core/SeededDocument.h"
#include "bench/export/BenchFolder.h"
#include "bench/gl/LimitElement.h"
#include "common/Dictionary.h"
#include "common/ProgramFolder.h"
#include "controls/FaceColors.h"
#include "document/DocumentFile.h"
#include "document/EditSteps.h"
#include "document/EditorDocument.h"
#include "document/ElementNames.h"
#include "document/SelectionTools.h"
#include "gl/Camera.h"
#include "gl/DrawSurface.h"
#include "gl/GLView.h"
#include "gl/Picking.h"
#include "gl/SceneFrame.h"
#include "gl/ShapeLists.h"
#include "gl/ViewContext.h"
#include "gl/ViewPresets.h"

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

bool WriteElements(const std::string& path, const std::vector<Element3D>& elements) {
  TIMem32 store("obj 3d4");
  store.RecordSize = kElementRecordSize;
  store.SetCount(static_cast<int32_t>(elements.size()));
  for (size_t i = 0; i < elements.size(); ++i) store.As<Element3D>(static_cast<int32_t>(i)) = elements[i];
  if (WriteDocument(path, store).ok()) return true;
  std::fprintf(stderr, "could not write %s\n", path.c_str());
  return false;
}

// One element of each distinct shape: what the shape cache holds for all.
std::vector<Element3D> OneOfEachShape(const std::vector<Element3D>& elements) {
  std::unordered_set<ShapeKey, ShapeKeyHash> seen;
  std::vector<Element3D> shapes;
  for (const Element3D& e : elements)
    if (seen.insert(ShapeKeyOf(e)).second) shapes.push_back(e);
  return shapes;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// Medians of `steps` arrow steps on the selection, each with the frame it
// ends in, and of camera-only frames between them. Both frames are what
// the editor draws itself: the step ends in a redraw, a camera move in
// DrawScene, each a repaint of the panel. Qt may defer a repaint to the
// window's next composition, which would hide the frame's cost: a frame not
// drawn by then is drawn with RenderNow.
std::pair<double, double> StepAndCameraFrames(TFEditorDeObjetos1& window, int steps) {
  std::vector<double> stepMs, cameraMs;
  for (int i = 0; i < steps; ++i) {
    const auto a = Clock::now();
    window.FormKeyDown(vk::Right, Qt::NoModifier);
    if (window.Probe().FramePending()) window.RenderNow();
    const auto b = Clock::now();
    const double before = window.Probe().View().FrameModelView[0] + window.Probe().View().FrameModelView[2];
    window.OrbitView(i % 2 ? 1 : -1);
    window.DrawScene();
    if (window.Probe().View().FrameModelView[0] + window.Probe().View().FrameModelView[2] == before) window.RenderNow();
    stepMs.push_back(Ms(a, b));
    cameraMs.push_back(Ms(b, Clock::now()));
  }
  return {Median(stepMs), Median(cameraMs)};
}

// The median of drag steps on the selection, each with the frame it ends
// in: the pointer pressed on a selected element and moved sideways and back
// as a user drags; -1 when no selected element can be picked on screen.
// `moved` counts the steps that moved the selection.
double DragStepFrames(TFEditorDeObjetos1& window, int steps, int& moved) {
  int px = -1, py = -1;
  for (int32_t k = 0; k < window.Document().SelectionCount() && px < 0; ++k) {
    const Element3D& e = window.Document().Element(window.Document().SelectedIndex(k));
    int x = 0, y = 0;
    ProjectPoint(window.Probe().View(), +e.x, +e.y, +e.z, x, y);
    double p[3];
    window.PickAtPixel(x, y, p);
    if (window.Document().IsSelected(window.Document().FindElementAt(p[0], p[1], p[2]))) px = x, py = y;
  }
  moved = 0;
  if (px < 0) return -1;
  window.Tela1MouseDown(Qt::LeftButton, Qt::NoModifier, px, py);
  window.RenderNow();
  std::vector<double> ms;
  for (int i = 0; i < steps; ++i) {
    const double before = window.Document().Element(window.Document().SelectedIndex(0)).x;
    const auto a = Clock::now();
    window.Tela1MouseMove(Qt::NoModifier, i % 2 ? px : px + 40, py);
    if (window.Probe().FramePending()) window.RenderNow();
    ms.push_back(Ms(a, Clock::now()));
    moved += window.Document().Element(window.Document().SelectedIndex(0)).x != before;
  }
  window.Tela1MouseUp();
  return Median(ms);
}

// Keys reach the window's handler only while the drawing panel has the focus.
void FocusPanel(QApplication& app, TFEditorDeObjetos1& window) {
  QApplication::setActiveWindow(&window);
  window.FocusTela1();
  app.processEvents();
  if (QApplication::focusWidget() != window.findChild<TGLPanel*>("Tela1"))
    std::printf("(the drawing panel has no focus: keys are ignored)\n");
}

void WaitForFirstFrame(QApplication& app, TFEditorDeObjetos1& window) {
  window.resize(1346, 700);
  window.show();
  while (window.Probe().FramePending()) app.processEvents(QEventLoop::WaitForMoreEvents, 5);
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

// What a window showing the document needs at the least: the bare window,
// plus reading the records and drawing each element's triangles once, in the
// editor's context set-up and camera, with nothing cached for later frames.
class LimitWindow : public QOpenGLWidget, public DrawSurface {
 public:
  explicit LimitWindow(std::string document) : document_(std::move(document)) {}
  bool painted = false;
  bool MakeCurrent() override { return true; }  // paintGL runs with the context current
  int Width() const override { return width() * devicePixelRatio(); }
  int Height() const override { return height() * devicePixelRatio(); }
  void EndFrame() override {}

 protected:
  void paintGL() override {
    // Qt also paints when the panel is sized before its window is on
    // screen; such a frame is never shown.
    if (!window()->windowHandle() || !window()->windowHandle()->isExposed()) return;
    GLView& view = *NewView();
    CreateContext(view, this, Width(), Height());
    DefaultView(view);
    ApplyCamera(view);
    glClearColor(0.57f, 0.57f, 0.57f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    TIMem32 store("limit");
    store.RecordSize = kElementRecordSize;
    if (ReadDocument(document_, store).ok())
      for (int32_t i = 0; i < store.Count(); ++i) {
        Element3D e;
        std::memcpy(&e, &store.As<Element3D>(i), sizeof e);
        DrawLimitElement(e);
      }
    painted = true;
  }

 private:
  std::string document_;
};

// Shows `window` at the editor's size and prints the process's age when
// `panel` has swapped a frame it drew (`drawn`) to the screen; then ends
// the process, whose teardown is no part of start-up.
template <class Drawn>
[[noreturn]] void PrintFirstSwap(QApplication& app, QWidget& window, QOpenGLWidget& panel, Drawn drawn) {
  double swapped = 0;
  QObject::connect(&panel, &QOpenGLWidget::frameSwapped, [&] {
    if (drawn() && swapped == 0) swapped = ProcessAgeMs();
  });
  window.resize(1346, 700);
  window.show();
  while (swapped == 0) app.processEvents(QEventLoop::WaitForMoreEvents, 5);
  std::printf("%.1f\n", swapped);
  std::fflush(stdout);
  std::_Exit(0);
}

// What a child process sets before its QApplication, as the editor's main
// does (the dictionary only where an editor window will open).
void BeforeTheApplication(bool editor) {
  SetEditorSurfaceFormat();
  if (editor) LoadDictionary();
  CorFaceMulfig = CorFaceSpin = clWhite;
}

// Child process: start a window, print the process's age when its first
// frame has been composed into the window and swapped to the screen.
int FirstFrameChild(int argc, char** argv, const std::string& mode, const std::string& document) {
  const bool bare = mode != "editor";
  BeforeTheApplication(!bare);
  QApplication app(argc, argv);
  if (!bare) InstallQtScriptHost();
  if (mode == "limit") {
    // A panel of the editor's panel's size in a window of the editor's size.
    QWidget window;
    auto* panel = new LimitWindow(document);
    panel->setParent(&window);
    panel->setGeometry(0, 0, 1191, 389);
    PrintFirstSwap(app, window, *panel, [panel] { return panel->painted; });
  }
  if (bare) {
    BareWindow window;
    PrintFirstSwap(app, window, window, [&window] { return window.painted; });
  }
  TFEditorDeObjetos1 window({QString::fromStdString(document)});
  PrintFirstSwap(app, window, *window.findChild<TGLPanel*>("Tela1"),
                 [&window] { return !window.Probe().FramePending(); });
}

// Child process: the editor started on a document, until it is quiet (the
// first frame may be cheap; quiet is the first whole frame on screen after
// it, and nothing left to draw); prints the process's age then and its peak
// resident memory.
[[noreturn]] int QuietChild(int argc, char** argv, const std::string& document) {
  BeforeTheApplication(true);
  QApplication app(argc, argv);
  InstallQtScriptHost();
  TFEditorDeObjetos1 window({QString::fromStdString(document)});
  auto* panel = window.findChild<TGLPanel*>("Tela1");
  double firstMs = 0, quietMs = 0;
  QObject::connect(panel, &QOpenGLWidget::frameSwapped, [&] {
    if (window.Probe().FramePending()) return;
    if (firstMs == 0) firstMs = ProcessAgeMs();
    if (!panel->Moving()) quietMs = ProcessAgeMs();
  });
  window.resize(1346, 700);
  window.show();
  while (quietMs == 0) app.processEvents(QEventLoop::WaitForMoreEvents, 5);
  std::printf(
      "editor with %d seeded elements: start to first frame %.0f ms, to quiet (whole frame) %.0f ms; peak %.0f MB\n",
      window.Document().Count(), firstMs, quietMs, StatusBytes("VmHWM:") / 1e6);
  std::fflush(stdout);
  std::_Exit(0);
}

// Calls `onPaint` as a paint event reaches the watched widget.
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(std::function<void()> onPaint) : onPaint_(std::move(onPaint)) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) onPaint_();
    return false;
  }

 private:
  std::function<void()> onPaint_;
};

// Child process: camera steps (Left, nothing selected) as the window meets
// them, a key event through Qt, on the editor once it is quiet: the key
// handled (its frame drawn and composed), the rest of the event loop's work
// after it (what the key left queued), and the whole frame that follows once
// input rests; with the window's compositions (swaps) in each.
[[noreturn]] void CameraStepChild(int argc, char** argv, const std::string& document) {
  BeforeTheApplication(true);
  QApplication app(argc, argv);
  InstallQtScriptHost();
  TFEditorDeObjetos1 window({QString::fromStdString(document)});
  auto* panel = window.findChild<TGLPanel*>("Tela1");
  int swaps = 0;
  // The panel's paints (start to the composition's start) and compositions
  // (to the swap), in ms, as they happen.
  Clock::time_point paintStart, composeStart;
  double painting = 0, composing = 0;
  PaintWatch watch([&] { paintStart = Clock::now(); });
  panel->installEventFilter(&watch);
  QObject::connect(panel, &QOpenGLWidget::aboutToCompose, [&] {
    composeStart = Clock::now();
    painting += Ms(paintStart, composeStart);
  });
  QObject::connect(panel, &QOpenGLWidget::frameSwapped, [&] {
    ++swaps;
    composing += Ms(composeStart, Clock::now());
  });
  WaitForFirstFrame(app, window);
  while (panel->Moving() || window.Probe().FramePending()) app.processEvents(QEventLoop::WaitForMoreEvents, 5);
  FocusPanel(app, window);
  painting = composing = 0;
  constexpr int kSteps = 4;
  double handled = 0, queued = 0, rest = 0;
  int handledSwaps = 0, queuedSwaps = 0, restSwaps = 0;
  double handledPaint = 0, handledCompose = 0, restPaint = 0;
  for (int step = 0; step < kSteps; ++step) {
    const int before = swaps;
    const auto a = Clock::now();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier),
        release(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(panel, &press);
    QApplication::sendEvent(panel, &release);
    handled += Ms(a, Clock::now());
    handledSwaps += swaps - before;
    const auto b = Clock::now();
    const int afterKey = swaps;
    app.processEvents();  // what the key left for the event loop
    app.processEvents();
    queued += Ms(b, Clock::now());
    queuedSwaps += swaps - afterKey;
    handledPaint += painting;
    handledCompose += composing;
    painting = composing = 0;
    const auto c = Clock::now();
    const int afterQueue = swaps;
    while (panel->Moving() || window.Probe().FramePending()) app.processEvents(QEventLoop::WaitForMoreEvents, 5);
    app.processEvents();
    rest += Ms(c, Clock::now());
    restSwaps += swaps - afterQueue;
    restPaint += painting;
    painting = composing = 0;
  }
  std::printf(
      "camera step: of the key's time, the panel's paint %.0f ms and the composition %.0f ms; the rest "
      "frame's paint %.0f ms\n",
      handledPaint / kSteps, handledCompose / kSteps, restPaint / kSteps);
  std::printf(
      "camera step (Left) on %d seeded elements, a key event through Qt, mean of %d: handled with its frame %.0f ms "
      "(%.1f compositions), then queued work %.0f ms (%.1f compositions), then the whole frame once input rests "
      "after %.0f ms (%.1f compositions, %d ms of it waiting)\n",
      window.Document().Count(), kSteps, handled / kSteps, double(handledSwaps) / kSteps, queued / kSteps,
      double(queuedSwaps) / kSteps, rest / kSteps, double(restSwaps) / kSteps, TGLPanel::kRestMs);
  std::fflush(stdout);
  std::_Exit(0);
}

// Runs this program again as a first-frame child; its figure in ms, or -1.
double RunChild(const char* flag, const std::string& mode, const std::string& document) {
  int out[2];
  if (pipe(out) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  char self[] = "/proc/self/exe";
  std::string flagText = flag, modeText = mode, documentText = document;
  char* args[] = {self, flagText.data(), modeText.data(), documentText.data(), nullptr};
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
  if (flagText == "--scale" || flagText == "--quiet" || flagText == "--camera-step") std::fputs(text.c_str(), stdout);
  return text.empty() ? -1 : std::atof(text.c_str());
}

// What the process holds now: freed heap is handed back first, so that
// what a step freed does not count as held.
double HeldBytes() {
  malloc_trim(0);
  return StatusBytes("VmRSS:");
}

// Child process: a large document opened in a window already on screen, a
// step on one of its elements, and the memory it all took.
int ScaleChild(int argc, char** argv, const std::string& shapesPath, const std::string& path) {
  BeforeTheApplication(false);
  QApplication app(argc, argv);
  TFEditorDeObjetos1 window(QStringList{});
  WaitForFirstFrame(app, window);
  const double empty = HeldBytes();
  window.LoadDocument(shapesPath);
  window.RenderNow();
  const double shapes = HeldBytes() - empty;
  window.LoadDocument("");
  window.RenderNow();
  const auto a = Clock::now();
  window.LoadDocument(path);
  window.RenderNow();
  const double openMs = Ms(a, Clock::now());
  const double opened = HeldBytes() - empty;
  const int32_t count = window.Document().Count();
  // The first undo copy of a freshly opened document shares nothing.
  const auto f = Clock::now();
  const double firstCopyBytes = double(RecordSnapshot(window.Document().elements, nullptr).OwnBytes());
  const double firstCopyMs = Ms(f, Clock::now());
  FocusPanel(app, window);
  window.SelectElement(count / 2);
  window.RenderNow();
  const auto [step, camera] = StepAndCameraFrames(window, 5);
  const double stepped = HeldBytes() - empty;
  const double undoBytes = double(window.Document().UndoBytes());
  // The list keeps no rows: what it holds is its model (a fingerprint per
  // row) and the view's own layout, both gone with the model.
  QListView* listView = window.findChild<QListView*>("Lista1");
  QAbstractItemModel* rows = listView->model();
  listView->setModel(nullptr);
  delete rows;
  const double list = stepped - (HeldBytes() - empty);
  const auto b = Clock::now();
  window.Document().PushUndo();
  const double snapshotMs = Ms(b, Clock::now());
  window.Document().Undo();
  const double records = double(count) * kElementRecordSize;
  std::printf(
      "%d elements: open to first frame %.0f ms; step on one element with its frame %.0f ms beside a "
      "camera-only frame %.0f ms (+%.0f ms, of which the undo snapshot %.0f ms)\n",
      count, openMs, step, camera, step - camera, snapshotMs);
  std::printf(
      "memory above the empty window: opened %.0f MB, after 5 steps %.0f MB (5 undo snapshots); records "
      "%.0f MB + cached shapes %.1f MB = %.0f MB; ratios %.2f and %.2f; of it the element list %.1f MB\n",
      opened / 1e6, stepped / 1e6, records / 1e6, shapes / 1e6, (records + shapes) / 1e6, opened / (records + shapes),
      stepped / (records + shapes), list / 1e6);
  std::printf(
      "after 5 steps on one element %.0f MB (+%.1f MB over opened) = records + cached shapes %.0f MB + undo "
      "copies %.1f MB (a first copy alone %.1f MB of the records' %.0f MB, taken in %.1f ms) + the rest "
      "%.0f MB (the element list, the window's buffers, what llvmpipe keeps from drawing)\n",
      stepped / 1e6, (stepped - opened) / 1e6, (records + shapes) / 1e6, undoBytes / 1e6, firstCopyBytes / 1e6,
      records / 1e6, firstCopyMs, (stepped - records - shapes - undoBytes) / 1e6);
  // The whole document copied and pasted, then the paste undone: the
  // document's part of each (the list is gone by now), beside the frame
  // each ends in.
  SelectAllVisible(window.Document());
  window.Document().CopySelection();
  const auto c = Clock::now();
  window.Document().Paste();
  const double pasteMs = Ms(c, Clock::now());
  window.Redraw();
  window.RenderNow();
  const double pasteFrameMs = Ms(c, Clock::now()) - pasteMs;
  const auto d = Clock::now();
  window.Document().Undo();
  const double undoMs = Ms(d, Clock::now());
  std::printf("paste of all %d elements %.0f ms, its frame of %d elements %.0f ms; its undo %.0f ms\n", count, pasteMs,
              2 * count, pasteFrameMs, undoMs);
  std::fflush(stdout);
  std::_Exit(0);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc > 3 && std::string(argv[1]) == "--first-frame") return FirstFrameChild(argc, argv, argv[2], argv[3]);
  if (argc > 3 && std::string(argv[1]) == "--scale") return ScaleChild(argc, argv, argv[2], argv[3]);
  if (argc > 3 && std::string(argv[1]) == "--seeded") {
    return WriteElements(argv[3], SeededElements(std::atoi(argv[2]))) ? 0 : 1;
  }
  if (argc > 3 && std::string(argv[1]) == "--quiet") QuietChild(argc, argv, argv[3]);
  if (argc > 3 && std::string(argv[1]) == "--camera-step") CameraStepChild(argc, argv, argv[3]);
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  const int startRuns = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  const int large = argc > 3 ? std::atoi(argv[3]) : 100000;
  const std::filesystem::path folder = BenchFolder("obj3d_bench_editor_");
  // The bench's windows keep their recovery copies in its own folder: none
  // of the user's is offered to them (the offer would stop the run), and
  // none that a child ending at once leaves behind outlives the run.
  setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
  const std::string sample = ProgramFolder() + "Vist3D/sample.zobj3d";
  const std::string seeded = (folder / "seeded.zobj3d").string();
  WriteElements(seeded, SeededElements(count));

  // Start-up, alternating the windows so that all meet the same load.
  std::vector<double> bareMs, sampleMs, seededMs, limitMs;
  for (int i = 0; i < startRuns; ++i) {
    bareMs.push_back(RunChild("--first-frame", "bare", ""));
    limitMs.push_back(RunChild("--first-frame", "limit", seeded));
    sampleMs.push_back(RunChild("--first-frame", "editor", sample));
    seededMs.push_back(RunChild("--first-frame", "editor", seeded));
  }
  const double bare = Median(bareMs), withSample = Median(sampleMs), withSeeded = Median(seededMs),
               limit = Median(limitMs);
  std::printf(
      "start to first frame, median of %d: bare QOpenGLWidget window %.0f ms; editor with the sample %.0f ms, "
      "ratio %.2f; editor with %d seeded elements %.0f ms, ratio %.2f\n",
      startRuns, bare, withSample, bare > 0 ? withSample / bare : 0.0, count, withSeeded,
      bare > 0 ? withSeeded / bare : 0.0);
  std::printf(
      "the same %d elements in a bare window that reads them and draws their triangles once (the least "
      "their first frame costs): %.0f ms; the editor's ratio to it %.2f\n",
      count, limit, limit > 0 ? withSeeded / limit : 0.0);
  std::fflush(stdout);
  if (RunChild("--camera-step", "editor", seeded) < 0) std::printf("(the camera step run failed)\n");

  BeforeTheApplication(false);
  QApplication app(argc, argv);

  TFEditorDeObjetos1 window({QString::fromStdString(sample)});
  WaitForFirstFrame(app, window);

  // Picking against the frame on screen.
  const int picks = 2000;
  double p[3];
  auto t0 = Clock::now();
  for (int i = 0; i < picks; ++i) window.PickAtPixel(100 + i % 500, 100 + i % 300, p);
  auto t1 = Clock::now();
  for (int i = 0; i < picks; ++i) window.PickGround(100 + i % 500, 100 + i % 300, p);
  auto t2 = Clock::now();
  std::printf("UnprojectAtPixel: %.1f us per pick; UnprojectToGround: %.1f us per pick\n", Ms(t0, t1) * 1000 / picks,
              Ms(t1, t2) * 1000 / picks);

  // A large selection of cubes in a grid.
  window.Document().elements.SetCount(0);
  window.Document().ClearSelection();
  for (int i = 0; i < count; ++i) {
    window.Document().templ.kind = kCube;
    window.Document().templ.dx = window.Document().templ.dy = window.Document().templ.dz = 0.8;
    window.Document().templ.x = (i % 100) * 0.4 - 20;
    window.Document().templ.z = (i / 100) * 0.4 - 20;
    window.Document().templ.y = 0.4;
    window.Document().AppendFromTemplate();
    window.Document().SelectElement(i);
  }
  window.RebuildElementList();
  auto t3 = Clock::now();
  window.Redraw();
  window.RenderNow();
  auto t4 = Clock::now();
  std::printf("%d elements: frame build %.0f ms\n", count, Ms(t3, t4));

  const int steps = 5;
  auto t5 = Clock::now();
  for (int i = 0; i < steps; ++i) {
    window.Document().PushUndo();
    for (int32_t k = 0; k < window.Document().SelectionCount(); ++k)
      ApplyArrowStep(window.Document().Element(window.Document().SelectedIndex(k)), kMove, kAxisX, false, 1, 0.5);
  }
  auto t6 = Clock::now();
  FocusPanel(app, window);
  for (int i = 0; i < steps; ++i) window.FormKeyDown(vk::Right, Qt::NoModifier);
  const auto [step, camera] = StepAndCameraFrames(window, steps);
  std::printf(
      "arrow step on %d selected: edit (undo snapshot + moves) %.2f ms; median frames: after the step %.0f ms, "
      "camera-only %.0f ms, ratio %.2f\n",
      count, Ms(t5, t6) / steps, step, camera, camera > 0 ? step / camera : 0.0);

  // Edits of 1,000 elements, each with the frame it ends in, beside the
  // camera-only frame above: the list selection of 1,000 rows, a paste of
  // 1,000 elements and its undo.
  auto timed = [&](const std::function<void()>& edit) {
    const auto a = Clock::now();
    edit();
    if (window.Probe().FramePending()) window.RenderNow();
    return Ms(a, Clock::now());
  };
  const int some = std::min(count, 1000);
  // The first `some` rows selected in the list as by a click and a
  // Shift+click.
  QListView* list = window.findChild<QListView*>("Lista1");
  auto selectFirstRows = [&] {
    QItemSelection rows(list->model()->index(0, 0), list->model()->index(some - 1, 0));
    list->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    list->selectionModel()->setCurrentIndex(list->model()->index(some - 1, 0), QItemSelectionModel::Select);
    window.Lista1Click();
  };
  const double listMs = timed(selectFirstRows);
  // One arrow step and one drag step on those rows' elements.
  FocusPanel(app, window);
  const auto [someStep, someCamera] = StepAndCameraFrames(window, steps);
  int dragged = 0;
  const double dragMs = DragStepFrames(window, steps, dragged);
  std::printf(
      "%d of %d elements selected: arrow step with its frame %.0f ms, drag step with its frame %.0f ms (%d of "
      "%d moved), camera-only frame %.0f ms; ratios %.2f and %.2f\n",
      some, count, someStep, dragMs, dragged, steps, someCamera, someCamera > 0 ? someStep / someCamera : 0.0,
      someCamera > 0 ? dragMs / someCamera : 0.0);
  window.Copiar1Click();
  const double pasteMs = timed([&] { window.Colar1Click(); });
  const double undoMs = timed([&] { window.FormKeyDown('Z', Qt::ControlModifier); });
  // What the paste's list change cost before rows were kept: the whole list
  // made anew.
  window.Colar1Click();
  window.RenderNow();
  const double rebuildMs = timed([&] { window.RebuildElementList(); });
  window.FormKeyDown('Z', Qt::ControlModifier);
  window.FormKeyDown('A', Qt::ControlModifier | Qt::ShiftModifier);
  window.RenderNow();
  const double selectAllMs = timed([&] { window.FormKeyDown('A', Qt::ControlModifier); });
  const int32_t selectedAll = window.Document().SelectionCount();
  window.FormKeyDown('A', Qt::ControlModifier | Qt::ShiftModifier);
  const double deleteMs = timed([&] {
    selectFirstRows();
    window.Apagar1Click();
  });
  std::printf(
      "with the frame each ends in (camera-only frame %.0f ms): list selection of %d rows %.0f ms; "
      "paste of %d elements %.0f ms (the whole list made anew alone: %.0f ms); its undo %.0f ms; "
      "selection and delete of %d rows %.0f ms; select-all (Ctrl+A) of %d elements %.0f ms\n",
      camera, some, listMs, some, pasteMs, rebuildMs, undoMs, some, deleteMs, selectedAll, selectAllMs);
  std::fflush(stdout);

  // Scale, in a process of its own so that its memory is its own.
  if (large > 0) {
    const std::vector<Element3D> elements = SeededElements(large);
    const std::string largePath = (folder / "large.zobj3d").string(), shapesPath = (folder / "shapes.zobj3d").string();
    WriteElements(largePath, elements);
    WriteElements(shapesPath, OneOfEachShape(elements));
    if (RunChild("--quiet", "editor", largePath) < 0) std::printf("(the start-up run failed)\n");
    if (RunChild("--scale", shapesPath, largePath) < 0) std::printf("(the scale run failed)\n");
    // How much memory llvmpipe keeps from its last frames varies from run to
    // run with its rasterizer threads' timing (0 to 150 MB here); rasterizing
    // on the drawing thread it keeps little, so that run's memory figures
    // hold still and show the editor's own.
    setenv("LP_NUM_THREADS", "0", 1);
    std::printf("again with llvmpipe rasterizing on the drawing thread:\n");
    std::fflush(stdout);
    if (RunChild("--scale", shapesPath, largePath) < 0) std::printf("(the scale run failed)\n");
    unsetenv("LP_NUM_THREADS");
  }
  return 0;
}
