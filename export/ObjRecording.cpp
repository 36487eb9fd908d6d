#include "ObjRecording.h"

#include <GL/gl.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "FormatNumber.h"

namespace {
constexpr double kDegree = M_PI * (1.0 / 180.0);

// Right-handed turn of (a, b) by `degrees` in the plane of two axes. An
// element's vertices all turn by the same angles, so the recording keeps
// the last sine and cosine of each axis.
void Turn(ObjRecording& r, double& a, double& b, double ca, double cb, double degrees, int axis) {
  if (degrees != r.turnDegrees[axis]) {
    r.turnDegrees[axis] = degrees;
    r.turnSin[axis] = std::sin(degrees * kDegree);
    r.turnCos[axis] = std::cos(degrees * kDegree);
  }
  const double s = r.turnSin[axis], c = r.turnCos[axis];
  const double da = a - ca, db = b - cb;
  a = da * c - db * s + ca;
  b = da * s + db * c + cb;
}

// The digits of an index; indices are counts of lines, far below ten digits.
char* WriteIndex(char* out, int value) { return std::to_chars(out, out + 10, value).ptr; }

ObjRecording::Corner MakeCorner(int vertex, int texCoord, int normal) {
  ObjRecording::Corner c;
  char* out = c.text;
  *out++ = ' ';
  out = WriteIndex(out, vertex);
  *out++ = '/';
  if (texCoord != 0) out = WriteIndex(out, texCoord);
  *out++ = '/';
  if (normal != 0) out = WriteIndex(out, normal);
  c.size = static_cast<int>(out - c.text);
  return c;
}

// Copies the whole text (the line has room for it) and moves on by its size.
char* WriteCorner(char* out, const ObjRecording::Corner& c) {
  std::memcpy(out, c.text, sizeof c.text);
  return out + c.size;
}

void WriteFace(ObjRecording& r, std::initializer_list<int> corners) {
  char* line = r.objText.Line();
  *line++ = 'f';
  for (int k : corners) line = WriteCorner(line, r.corners[k]);
  *line++ = '\n';
  r.objText.End(line);
}

// "tag a b c\n", formatted in place.
template <size_t N>
void WriteLine(ObjRecording& r, const char (&tag)[N], std::initializer_list<double> values) {
  char* line = std::copy(tag, tag + N - 1, r.objText.Line());
  bool first = true;
  for (double v : values) {
    if (!first) *line++ = ' ';
    first = false;
    line = WriteNumber(line, v);
  }
  *line++ = '\n';
  r.objText.End(line);
}

// The mesh export's side of RecordEndPrimitive: the faces the OBJ would
// write, split into fans of triangles.
void EndObjectPrimitive(ObjRecording& r) {
  std::vector<uint32_t>& out = r.object.triangles;
  const auto base = static_cast<uint32_t>(r.primStart);
  const auto n = static_cast<uint32_t>(r.object.corners.size() - r.primStart);
  const auto triangle = [&](uint32_t a, uint32_t b, uint32_t c) {
    out.insert(out.end(), {base + a, base + b, base + c});
  };
  if (n < 3) return;
  switch (r.primMode) {
    case GL_TRIANGLES:
      for (uint32_t i = 0; i + 2 < n; i += 3) triangle(i, i + 1, i + 2);
      break;
    case GL_TRIANGLE_STRIP:
      for (uint32_t i = 0; i + 2 < n; ++i) triangle(i, i + 1, i + 2);
      break;
    case GL_TRIANGLE_FAN:
      for (uint32_t i = 0; i + 2 < n; ++i) triangle(0, i + 1, i + 2);
      break;
    case GL_QUADS:
      for (uint32_t i = 0; i + 3 < n; i += 4) {
        triangle(i, i + 1, i + 2);
        triangle(i, i + 2, i + 3);
      }
      break;
    case GL_QUAD_STRIP:
      for (uint32_t i = 0; i + 3 < n; i += 2) {
        triangle(i, i + 1, i + 3);
        triangle(i, i + 3, i + 2);
      }
      break;
    default:
      for (uint32_t i = 1; i + 1 < n; ++i) triangle(0, i, i + 1);
  }
}

float AsWritten(double v) { return static_cast<float>(NumberAsWritten(v)); }
}  // namespace

void ResetRecordingState() {
  ObjRecording& r = Recording();
  r.corners.clear();
  r.object.Clear();
  r.objectOpen = false;
  r.primStart = 0;
  r.vertexCount = r.texCoordCount = r.normalCount = 0;
  for (double& v : r.currentTranslation) v = 0;
  r.angleX = r.angleY = r.angleZ = 0;
}

void RecordBeginPrimitive(int mode) {
  ObjRecording& r = Recording();
  r.primMode = mode;
  r.corners.clear();
  r.primStart = r.object.corners.size();
}

void RecordEndPrimitive() {
  ObjRecording& r = Recording();
  if (r.objectSink) {
    EndObjectPrimitive(r);
    r.primStart = r.object.corners.size();
    return;
  }
  const int n = static_cast<int>(r.corners.size());
  if (n >= 3) {
    switch (r.primMode) {
      case GL_TRIANGLES:
        for (int i = 0; i + 2 < n; i += 3) WriteFace(r, {i, i + 1, i + 2});
        break;
      case GL_TRIANGLE_STRIP:
        // Alternate triangles keep the strip's order, as they always have.
        for (int i = 0; i + 2 < n; ++i) WriteFace(r, {i, i + 1, i + 2});
        break;
      case GL_TRIANGLE_FAN:
        for (int i = 0; i + 2 < n; ++i) WriteFace(r, {0, i + 1, i + 2});
        break;
      case GL_QUADS:
        for (int i = 0; i + 3 < n; i += 4) WriteFace(r, {i, i + 1, i + 2, i + 3});
        break;
      case GL_QUAD_STRIP:
        for (int i = 0; i + 3 < n; i += 2) WriteFace(r, {i, i + 1, i + 3, i + 2});
        break;
      default:
        // A polygon of any size: its corners one by one, each within a line's room.
        r.objText.Append("f");
        for (const ObjRecording::Corner& c : r.corners) r.objText.End(WriteCorner(r.objText.Line(), c));
        r.objText.Append("\n");
    }
  }
  r.corners.clear();
}

void RecordColor(double red, double green, double blue) {
  ObjRecording& r = Recording();
  r.currentColor[0] = red;
  r.currentColor[1] = green;
  r.currentColor[2] = blue;
}

void RecordRotate(double angle, double x, double y, double z) {
  ObjRecording& r = Recording();
  if (x != 0) r.angleX = angle;
  if (y != 0) r.angleY = angle;
  if (z != 0) r.angleZ = angle;
}

void RecordTranslate(double x, double y, double z) {
  ObjRecording& r = Recording();
  r.currentTranslation[0] = x;
  r.currentTranslation[1] = y;
  r.currentTranslation[2] = z;
}

void RecordNormal(double x, double y, double z) {
  ObjRecording& r = Recording();
  ++r.normalCount;
  if (r.objectSink) {
    r.normal[0] = AsWritten(x), r.normal[1] = AsWritten(y), r.normal[2] = AsWritten(z);
    r.normalHasLength = MakeUnit(r.normal);  // once, not for every triangle that uses it
    return;
  }
  WriteLine(r, "vn ", {x, y, z});
}

void RecordTexCoord(double s, double t) {
  ObjRecording& r = Recording();
  ++r.texCoordCount;
  if (r.objectSink) {
    r.texCoord[0] = AsWritten(s), r.texCoord[1] = AsWritten(t);
    return;
  }
  WriteLine(r, "vt ", {s, t});
}

void RecordVertex(double x, double y, double z) {
  ObjRecording& r = Recording();
  double p[3] = {x + r.currentTranslation[0], y + r.currentTranslation[1], z + r.currentTranslation[2]};
  const double* c = r.rotationCenter;
  // The drawing turns a mesh by translate * Rz * Ry * Rx, so X acts first.
  if (r.angleX != 0) Turn(r, p[1], p[2], c[1], c[2], r.angleX, 0);
  if (r.angleY != 0) Turn(r, p[2], p[0], c[2], c[0], r.angleY, 1);
  if (r.angleZ != 0) Turn(r, p[0], p[1], c[0], c[1], r.angleZ, 2);
  ++r.vertexCount;
  if (r.objectSink) {
    // A corner takes the normal and texture coordinate given last, as the
    // OBJ's face lines do.
    r.object.corners.push_back({{AsWritten(p[0]), AsWritten(p[1]), AsWritten(p[2])},
                                {r.normal[0], r.normal[1], r.normal[2]},
                                {r.texCoord[0], r.texCoord[1]},
                                r.normalCount > 0 && r.normalHasLength,
                                r.texCoordCount > 0});
    return;
  }
  WriteLine(r, "v ", {p[0], p[1], p[2]});
  r.corners.push_back(MakeCorner(r.vertexCount, r.texCoordCount, r.normalCount));
}
