// How a cached shape is best kept on this driver: the same triangles (a
// sphere of 28 x 28, as the editor draws spheres) drawn 1,000 times under
// their own transforms, from one display list or from one vertex buffer,
// with fixed-function lighting and glFinish per frame.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "gl/HeadlessSurface.h"

namespace {
constexpr int kWidth = 1191, kHeight = 389, kCopies = 1000;

// Interleaved normal and position of each triangle corner.
std::vector<float> SphereTriangles(int n) {
  std::vector<float> v;
  auto corner = [&](int i, int j) {
    const double t = M_PI * i / n, p = 2 * M_PI * j / n;
    const float x = static_cast<float>(std::sin(t) * std::cos(p)), y = static_cast<float>(std::cos(t)),
                z = static_cast<float>(std::sin(t) * std::sin(p));
    v.insert(v.end(), {x, y, z, x * 0.5f, y * 0.5f, z * 0.5f});
  };
  for (int i = 0; i < n; ++i)
    for (int j = 0; j < n; ++j) {
      corner(i, j), corner(i + 1, j), corner(i + 1, j + 1);
      corner(i, j), corner(i + 1, j + 1), corner(i, j + 1);
    }
  return v;
}

void SetUpScene() {
  glViewport(0, 0, kWidth, kHeight);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-1.5, 1.5, -0.5, 0.5, 1, 100);
  glMatrixMode(GL_MODELVIEW);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_COLOR_MATERIAL);
}

template <typename DrawOne>
void Frames(benchmark::State& state, DrawOne drawOne) {
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (int k = 0; k < kCopies; ++k) {
      glLoadIdentity();
      glTranslated((k % 40) - 20, (k / 40) % 5 - 2.0, -10.0 - k / 200);
      glRotated(k * 7.0, 0, 1, 0);
      drawOne();
    }
    glFinish();
  }
}

void BM_DisplayList(benchmark::State& state) {
  HeadlessSurface surface(kWidth, kHeight);
  if (!surface.IsValid()) return state.SkipWithError("no headless GL context");
  SetUpScene();
  const std::vector<float> v = SphereTriangles(28);
  const unsigned list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glBegin(GL_TRIANGLES);
  for (size_t i = 0; i < v.size(); i += 6) {
    glNormal3fv(&v[i]);
    glVertex3fv(&v[i + 3]);
  }
  glEnd();
  glEndList();
  Frames(state, [&] { glCallList(list); });
  glDeleteLists(list, 1);
}
BENCHMARK(BM_DisplayList)->Unit(benchmark::kMillisecond);

void BM_VertexBuffer(benchmark::State& state) {
  HeadlessSurface surface(kWidth, kHeight);
  if (!surface.IsValid()) return state.SkipWithError("no headless GL context");
  SetUpScene();
  const std::vector<float> v = SphereTriangles(28);
  GLuint buffer = 0;
  glGenBuffers(1, &buffer);
  glBindBuffer(GL_ARRAY_BUFFER, buffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(v.size() * sizeof(float)), v.data(), GL_STATIC_DRAW);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_VERTEX_ARRAY);
  glNormalPointer(GL_FLOAT, 6 * sizeof(float), nullptr);
  glVertexPointer(3, GL_FLOAT, 6 * sizeof(float), reinterpret_cast<const void*>(3 * sizeof(float)));
  const GLsizei count = static_cast<GLsizei>(v.size() / 6);
  Frames(state, [&] { glDrawArrays(GL_TRIANGLES, 0, count); });
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glDeleteBuffers(1, &buffer);
}
BENCHMARK(BM_VertexBuffer)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
