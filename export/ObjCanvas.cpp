#include "ObjCanvas.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "FormatNumber.h"

void ObjCanvas::MakeCorner(Corner& c) const {
  char* out = c.text;
  *out++ = ' ';
  out = vertexText_.Write(out);
  *out++ = '/';
  if (texCoordCount_ != 0) out = texCoordText_.Write(out);
  *out++ = '/';
  if (normalCount_ != 0) out = normalText_.Write(out);
  c.size = static_cast<int>(out - c.text);
}

namespace {
// Copies the whole text (the line has room for it) and moves on by its size.
template <class CornerT>
char* WriteCorner(char* out, const CornerT& c) {
  std::memcpy(out, c.text, sizeof c.text);
  return out + c.size;
}
}  // namespace

void ObjCanvas::WriteFace(std::initializer_list<int> corners) {
  char* line = objText_.Line();
  *line++ = 'f';
  for (int k : corners) line = WriteCorner(line, corners_[k]);
  *line++ = '\n';
  objText_.End(line);
}

// "tag a b c\n", formatted in place.
template <size_t N>
const char* ObjCanvas::WriteLine(const char (&tag)[N], std::initializer_list<double> values) {
  char* const start = objText_.Line();
  char* line = std::copy(tag, tag + N - 1, start);
  bool first = true;
  for (double v : values) {
    if (!first) *line++ = ' ';
    first = false;
    line = numbers_.Write(line, v);
  }
  *line++ = '\n';
  objText_.End(line);
  return start;
}

// The element's name as the OBJ and MTL give it: never empty, and never one
// an earlier object took, so every "usemtl" finds its own colour. Unique
// names stay as they are.
std::string ObjCanvas::UniqueObjectName(const std::string& name) {
  const std::string base = name.empty() ? "sem_nome" : LineSafe(name);
  std::string unique = base;
  for (uint64_t n = 2; !objectNames_.insert(unique).second; ++n) unique = base + "_" + std::to_string(n);
  return unique;
}

void ObjCanvas::BeginExport(const std::string& mtlFileName) {
  objText_.Clear();
  objText_.Append("mtllib " + LineSafe(mtlFileName) + "\n");
  mtlText_.clear();
  objectNames_.clear();
  objectName_.clear();
  corners_.clear();
  BeginRecordingFrame();
  vertexText_.Reset();
  texCoordText_.Reset();
  normalText_.Reset();
  Unlearn();
  shapes_.clear();
  learnedBytes_ = 0;
}

void ObjCanvas::BeginPrimitive(Primitive mode) {
  if (learning_) Learn({ShapeCall::Begin, mode, 0, {}});
  primMode_ = mode;
  corners_.clear();
}

void ObjCanvas::EndPrimitive() {
  if (learning_) Learn({ShapeCall::End, {}, 0, {}});
  const int n = static_cast<int>(corners_.size());
  if (n >= 3) {
    switch (primMode_) {
      case Primitive::Triangles:
        for (int i = 0; i + 2 < n; i += 3) WriteFace({i, i + 1, i + 2});
        break;
      case Primitive::TriangleStrip:
        // Alternate triangles keep the strip's order, as they always have.
        for (int i = 0; i + 2 < n; ++i) WriteFace({i, i + 1, i + 2});
        break;
      case Primitive::TriangleFan:
        for (int i = 0; i + 2 < n; ++i) WriteFace({0, i + 1, i + 2});
        break;
      case Primitive::Quads:
        for (int i = 0; i + 3 < n; i += 4) WriteFace({i, i + 1, i + 2, i + 3});
        break;
      case Primitive::QuadStrip:
        for (int i = 0; i + 3 < n; i += 2) WriteFace({i, i + 1, i + 3, i + 2});
        break;
      default:
        // A polygon of any size: its corners one by one, each within a line's room.
        objText_.Append("f");
        for (const Corner& c : corners_) objText_.End(WriteCorner(objText_.Line(), c));
        objText_.Append("\n");
    }
  }
  corners_.clear();
}

void ObjCanvas::Normal(double x, double y, double z) {
  ++normalCount_;
  normalText_.Increment();
  const char* line = WriteLine("vn ", {x, y, z});
  if (learning_) Learn({ShapeCall::Normal, {}, 0, {}}, line);
}

void ObjCanvas::TexCoord(double s, double t) {
  ++texCoordCount_;
  texCoordText_.Increment();
  const char* line = WriteLine("vt ", {s, t});
  if (learning_) Learn({ShapeCall::TexCoord, {}, 0, {}}, line);
}

void ObjCanvas::Vertex(double x, double y, double z) {
  double p[3];
  Place(x, y, z, p);
  ++vertexCount_;
  vertexText_.Increment();
  WriteLine("v ", {p[0], p[1], p[2]});
  MakeCorner(corners_.emplace_back());  // made in place: no copy of its text
  if (learning_) Learn({ShapeCall::Vertex, {}, 0, {x, y, z}});
}

void ObjCanvas::BeginObject(const std::string& name) {
  Unlearn();
  objectName_ = UniqueObjectName(name);
  objText_.Append("o " + objectName_ + "\n");
}

void ObjCanvas::Material(const std::string& name, const std::string& texturePath) {
  Unlearn();
  std::string file;
  const bool namesFile = NamesTextureFile(texturePath, file);
  // Named as its object; a material without one gets a name of its own.
  const std::string safeName = objectName_.empty() ? UniqueObjectName(name) : objectName_;
  objectName_.clear();
  std::string& m = mtlText_;
  m += "newmtl " + safeName + "\n";
  m += "Ns 96.078431\n";
  m += "Ka 0.200000 0.200000 0.200000\n";
  m += "Kd";
  for (double c : color_) {
    m += ' ';
    AppendNumber(m, c);  // cut to six decimals by the format itself
  }
  m += "\n";
  m += "Ks 0.000000 0.000000 0.000000\n";
  m += "Ke 0.000000 0.000000 0.000000\n";
  m += "Ni 1.000000\n";
  m += "d 1.000000\n";
  m += "illum 2\n";
  // An element without a texture keeps the empty reference; one whose
  // texture is not a file of the texture folder names nothing.
  if (texturePath.empty() || namesFile) m += "map_Kd textures/" + LineSafe(file) + "\n";
  m += "\n";
  if (spill_ && m.size() >= spillBytes_) {
    spill_(m);
    m.clear();
  }
  objText_.Append("usemtl " + safeName + "\n");
  objText_.Append("s off\n");
}
