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

// " v/t/n" of corner k; an index 0 (none written yet) is left out.
char* WriteCorner(char* out, const ObjRecording& r, int k) {
  *out++ = ' ';
  out = std::to_chars(out, out + 12, r.vertexIndex[k]).ptr;
  *out++ = '/';
  if (r.texCoordIndex[k] != 0) out = std::to_chars(out, out + 12, r.texCoordIndex[k]).ptr;
  *out++ = '/';
  if (r.normalIndex[k] != 0) out = std::to_chars(out, out + 12, r.normalIndex[k]).ptr;
  return out;
}

void AppendFace(std::string& out, const ObjRecording& r, std::initializer_list<int> corners) {
  char line[4 * 40 + 4];
  char* end = line;
  *end++ = 'f';
  for (int k : corners) end = WriteCorner(end, r, k);
  *end++ = '\n';
  out.append(line, end);
}

// "tag a b c\n" in one append.
void AppendLine(std::string& out, const char* tag, std::initializer_list<double> values) {
  char line[8 + 3 * (kMaxNumberText + 1)];
  char* end = std::copy(tag, tag + std::strlen(tag), line);
  bool first = true;
  for (double v : values) {
    if (!first) *end++ = ' ';
    first = false;
    end = WriteNumber(end, v);
  }
  *end++ = '\n';
  out.append(line, end);
}
}  // namespace

ObjRecording& Recording() {
  static ObjRecording recording;
  return recording;
}

void ResetRecordingState() {
  ObjRecording& r = Recording();
  r.vertexIndex.clear();
  r.texCoordIndex.clear();
  r.normalIndex.clear();
  r.vertexCount = r.texCoordCount = r.normalCount = 0;
  for (double& v : r.currentTranslation) v = 0;
  r.angleX = r.angleY = r.angleZ = 0;
}

void RecordBeginPrimitive(int mode) {
  ObjRecording& r = Recording();
  r.primMode = mode;
  r.vertexIndex.clear();
  r.texCoordIndex.clear();
  r.normalIndex.clear();
}

void RecordEndPrimitive() {
  ObjRecording& r = Recording();
  std::string& out = r.objText;
  const int n = static_cast<int>(r.vertexIndex.size());
  if (n >= 3) {
    switch (r.primMode) {
      case GL_TRIANGLES:
        for (int i = 0; i + 2 < n; i += 3) AppendFace(out, r, {i, i + 1, i + 2});
        break;
      case GL_TRIANGLE_STRIP:
        // Alternate triangles keep the strip's order, as they always have.
        for (int i = 0; i + 2 < n; ++i) AppendFace(out, r, {i, i + 1, i + 2});
        break;
      case GL_TRIANGLE_FAN:
        for (int i = 0; i + 2 < n; ++i) AppendFace(out, r, {0, i + 1, i + 2});
        break;
      case GL_QUADS:
        for (int i = 0; i + 3 < n; i += 4) AppendFace(out, r, {i, i + 1, i + 2, i + 3});
        break;
      case GL_QUAD_STRIP:
        for (int i = 0; i + 3 < n; i += 2) AppendFace(out, r, {i, i + 1, i + 3, i + 2});
        break;
      default: {
        out += 'f';
        for (int k = 0; k < n; ++k) {
          char corner[40];
          out.append(corner, WriteCorner(corner, r, k));
        }
        out += '\n';
      }
    }
  }
  r.vertexIndex.clear();
  r.texCoordIndex.clear();
  r.normalIndex.clear();
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
  AppendLine(r.objText, "vn ", {x, y, z});
  ++r.normalCount;
}

void RecordTexCoord(double s, double t) {
  ObjRecording& r = Recording();
  AppendLine(r.objText, "vt ", {s, t});
  ++r.texCoordCount;
}

void RecordVertex(double x, double y, double z) {
  ObjRecording& r = Recording();
  double p[3] = {x + r.currentTranslation[0], y + r.currentTranslation[1], z + r.currentTranslation[2]};
  const double* c = r.rotationCenter;
  // The drawing turns a mesh by translate * Rz * Ry * Rx, so X acts first.
  if (r.angleX != 0) Turn(r, p[1], p[2], c[1], c[2], r.angleX, 0);
  if (r.angleY != 0) Turn(r, p[2], p[0], c[2], c[0], r.angleY, 1);
  if (r.angleZ != 0) Turn(r, p[0], p[1], c[0], c[1], r.angleZ, 2);
  AppendLine(r.objText, "v ", {p[0], p[1], p[2]});
  ++r.vertexCount;
  r.vertexIndex.push_back(r.vertexCount);
  r.texCoordIndex.push_back(r.texCoordCount);
  r.normalIndex.push_back(r.normalCount);
}
