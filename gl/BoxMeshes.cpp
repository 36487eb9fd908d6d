#include <GL/gl.h>

#include "DrawWrappers.h"
#include "Meshes.h"

namespace {
struct P {
  double x, y, z;
};

void Triangle(double nx, double ny, double nz, P a, P b, P c) {
  Normal(nx, ny, nz);
  TexCoord(0, 0);
  Vertex(a.x, a.y, a.z);
  TexCoord(0, 1);
  Vertex(b.x, b.y, b.z);
  TexCoord(1, 1);
  Vertex(c.x, c.y, c.z);
}

// A quad is the triangle of its first three corners plus the fourth.
void Quad(double nx, double ny, double nz, P a, P b, P c, P d) {
  Triangle(nx, ny, nz, a, b, c);
  TexCoord(1, 0);
  Vertex(d.x, d.y, d.z);
}
}  // namespace

void DrawBox(double hx, double hy, double hz) {
  BeginPrimitive(GL_QUADS);
  Quad(0, 0, 1, {-hx, -hy, hz}, {-hx, hy, hz}, {hx, hy, hz}, {hx, -hy, hz});
  Quad(1, 0, 0, {hx, -hy, hz}, {hx, hy, hz}, {hx, hy, -hz}, {hx, -hy, -hz});
  Quad(0, 0, -1, {hx, -hy, -hz}, {hx, hy, -hz}, {-hx, hy, -hz}, {-hx, -hy, -hz});
  Quad(-1, 0, 0, {-hx, -hy, -hz}, {-hx, hy, -hz}, {-hx, hy, hz}, {-hx, -hy, hz});
  Quad(0, -1, 0, {hx, -hy, hz}, {hx, -hy, -hz}, {-hx, -hy, -hz}, {-hx, -hy, hz});
  Quad(0, 1, 0, {-hx, hy, hz}, {-hx, hy, -hz}, {hx, hy, -hz}, {hx, hy, hz});
  EndPrimitive();
}

void DrawBeveledBox(double hx, double hy, double hz, double c, double p) {
  if (c == 0 && p == 100) {
    DrawBox(hx, hy, hz);
    return;
  }
  const double tx = hx * p * 0.01, tz = hz * p * 0.01;
  BeginPrimitive(GL_QUADS);
  // The six faces, inset by c; their normals stay axis-aligned on slopes.
  Quad(0, 0, 1, {c - hx, c - hy, hz}, {c - tx, hy - c, tz}, {tx - c, hy - c, tz}, {hx - c, c - hy, hz});
  Quad(0, 1, 0, {c - tx, hy, tz - c}, {c - tx, hy, c - tz}, {tx - c, hy, c - tz}, {tx - c, hy, tz - c});
  Quad(1, 0, 0, {hx, c - hy, hz - c}, {tx, hy - c, tz - c}, {tx, hy - c, c - tz}, {hx, c - hy, c - hz});
  Quad(0, 0, -1, {hx - c, c - hy, -hz}, {tx - c, hy - c, -tz}, {c - tx, hy - c, -tz}, {c - hx, c - hy, -hz});
  Quad(-1, 0, 0, {-hx, c - hy, c - hz}, {-tx, hy - c, c - tz}, {-tx, hy - c, tz - c}, {-hx, c - hy, hz - c});
  Quad(0, -1, 0, {hx - c, -hy, hz - c}, {hx - c, -hy, c - hz}, {c - hx, -hy, c - hz}, {c - hx, -hy, hz - c});
  if (c <= 0) {
    EndPrimitive();
    return;
  }
  // Bevels: the vertical edges, the top edges, the bottom edges.
  Quad(1, 0, 1, {tx - c, hy - c, tz}, {hx - c, c - hy, hz}, {hx, c - hy, hz - c}, {tx, hy - c, tz - c});
  Quad(-1, 0, 1, {c - hx, c - hy, hz}, {c - tx, hy - c, tz}, {-tx, hy - c, tz - c}, {-hx, c - hy, hz - c});
  Quad(1, 0, -1, {hx - c, c - hy, -hz}, {tx - c, hy - c, -tz}, {tx, hy - c, c - tz}, {hx, c - hy, c - hz});
  Quad(-1, 0, -1, {c - tx, hy - c, -tz}, {c - hx, c - hy, -hz}, {-hx, c - hy, c - hz}, {-tx, hy - c, c - tz});
  Quad(0, 1, 1, {c - tx, hy - c, tz}, {tx - c, hy - c, tz}, {tx - c, hy, tz - c}, {c - tx, hy, tz - c});
  Quad(1, 1, 0, {tx - c, hy, c - tz}, {tx - c, hy, tz - c}, {tx, hy - c, tz - c}, {tx, hy - c, c - tz});
  Quad(0, 1, -1, {tx - c, hy - c, -tz}, {c - tx, hy - c, -tz}, {c - tx, hy, c - tz}, {tx - c, hy, c - tz});
  Quad(-1, 1, 0, {-tx, hy - c, c - tz}, {-tx, hy - c, tz - c}, {c - tx, hy, tz - c}, {c - tx, hy, c - tz});
  Quad(0, -1, 1, {c - hx, c - hy, hz}, {hx - c, c - hy, hz}, {hx - c, -hy, hz - c}, {c - hx, -hy, hz - c});
  Quad(1, -1, 0, {hx - c, -hy, c - hz}, {hx - c, -hy, hz - c}, {hx, c - hy, hz - c}, {hx, c - hy, c - hz});
  Quad(0, -1, -1, {hx - c, c - hy, -hz}, {c - hx, c - hy, -hz}, {c - hx, -hy, c - hz}, {hx - c, -hy, c - hz});
  Quad(-1, -1, 0, {-hx, c - hy, c - hz}, {-hx, c - hy, hz - c}, {c - hx, -hy, hz - c}, {c - hx, -hy, c - hz});
  EndPrimitive();
  // Corners, top ones first.
  BeginPrimitive(GL_TRIANGLES);
  Triangle(1, 1, 1, {tx - c, hy - c, tz}, {tx - c, hy, tz - c}, {tx, hy - c, tz - c});
  Triangle(-1, 1, 1, {c - tx, hy - c, tz}, {c - tx, hy, tz - c}, {-tx, hy - c, tz - c});
  Triangle(1, 1, -1, {tx - c, hy - c, -tz}, {tx - c, hy, c - tz}, {tx, hy - c, c - tz});
  Triangle(-1, 1, -1, {c - tx, hy - c, -tz}, {c - tx, hy, c - tz}, {-tx, hy - c, c - tz});
  Triangle(1, -1, 1, {hx - c, c - hy, hz}, {hx - c, -hy, hz - c}, {hx, c - hy, hz - c});
  Triangle(-1, -1, 1, {c - hx, c - hy, hz}, {c - hx, -hy, hz - c}, {-hx, c - hy, hz - c});
  Triangle(1, -1, -1, {hx - c, c - hy, -hz}, {hx - c, -hy, c - hz}, {hx, c - hy, c - hz});
  Triangle(-1, -1, -1, {c - hx, c - hy, -hz}, {c - hx, -hy, c - hz}, {-hx, c - hy, c - hz});
  EndPrimitive();
}
