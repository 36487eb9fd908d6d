#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "DecimalCounter.h"
#include "NumberMemo.h"
#include "ObjTextSpool.h"
#include "RecordingCanvas.h"

// Writes what is drawn as OBJ text, and each element's material as MTL
// text: one frame of the scene becomes the two files' contents.
class ObjCanvas : public RecordingCanvas {
 public:
  // A frame starts (again): both texts anew, the OBJ's first line naming
  // the MTL file.
  void BeginExport(const std::string& mtlFileName);

  void BeginPrimitive(Primitive mode) override;
  void EndPrimitive() override;
  void Normal(double x, double y, double z) override;
  void TexCoord(double s, double t) override;
  void Vertex(double x, double y, double z) override;
  // "o name"; control characters in names become "_", and every object and
  // material has a name of its own (the second "a" is "a_2").
  void BeginObject(const std::string& name) override;
  // The MTL block of the colour given last, named as its object. A texture
  // path outside the texture folder, or whose name is not a plain file
  // name, gets no "map_Kd" line.
  void Material(const std::string& name, const std::string& texturePath) override;

  ObjTextSpool& ObjText() { return objText_; }
  // The MTL text not yet handed to the spill.
  std::string& MtlText() { return mtlText_; }
  // From now on, whenever the MTL text reaches `bytes` it goes to `spill`
  // and MtlText() starts again empty: a large scene's materials are not
  // held whole (nor copied as the text grows).
  void SpillMtlText(size_t bytes, std::function<void(const std::string&)> spill) {
    spillBytes_ = bytes;
    spill_ = std::move(spill);
  }
  // Forgets the names given, freeing their memory.
  void ForgetNames() { objectNames_ = {}; }

  // Each shape's calls are learned once and played again for the next
  // element of that shape, its normal and texture coordinate lines copied
  // as text (they do not depend on the placement), so its drawing does not
  // run again. Only a shape whose calls make nothing but geometry is
  // learned, within a budget of a few MB.
  bool BeginShape(std::string_view key) override;
  void EndShape() override;

 private:
  // Per vertex of the open primitive: its corner " v/t/n" of the face
  // lines, made once however many faces share it ("v", "vt" and "vn"
  // indices, 1-based; an index 0, none written yet, is left out).
  struct Corner {
    char text[40];
    int size;
  };
  void MakeCorner(Corner& c) const;
  void WriteFace(std::initializer_list<int> corners);
  // Writes "tag a b c\n" and returns where the line begins.
  template <size_t N>
  const char* WriteLine(const char (&tag)[N], std::initializer_list<double> values);
  std::string UniqueObjectName(const std::string& name);

  ObjTextSpool objText_;
  std::string mtlText_;
  size_t spillBytes_ = 0;
  std::function<void(const std::string&)> spill_;
  Primitive primMode_ = Primitive::Points;
  std::vector<Corner> corners_;
  // The names the OBJ and MTL gave so far, and the one of the element being
  // drawn.
  std::unordered_set<std::string> objectNames_;
  std::string objectName_;
  NumberMemo numbers_;
  // vertexCount_, texCoordCount_ and normalCount_ as the face lines write them.
  DecimalCounter vertexText_, texCoordText_, normalText_;

  struct ShapeCall {
    enum Kind : uint8_t { Begin, End, Normal, TexCoord, Vertex } kind;
    Primitive mode;  // Begin's
    uint32_t end;    // Normal's and TexCoord's: where its line ends in `lines`
    double v[3];     // Vertex's
  };
  struct LearnedShape {
    bool whole = false;  // learned to its end: may be played again
    std::vector<ShapeCall> calls;
    std::string lines;  // the normal and texture coordinate lines, in order
  };
  void Learn(ShapeCall call, const char* line = nullptr);
  // The shape being learned did more than make geometry, or too much: it is
  // drawn whenever it comes again.
  void Unlearn();
  void MoreThanGeometry() override { Unlearn(); }
  void Play(const LearnedShape& shape);
  uint32_t CopyLine(const std::string& lines, uint32_t start, uint32_t end);
  std::unordered_map<std::string, LearnedShape> shapes_;
  std::string shapeKey_;  // the one being looked up
  size_t learnedBytes_ = 0;
  LearnedShape* learning_ = nullptr;
};
