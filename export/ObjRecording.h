#pragma once
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "ObjTextSpool.h"
#include "RecordedObject.h"
#include "common/BlockWriter.h"
#include "common/SafeFiles.h"

// While an OBJ export runs, the drawing wrappers record what they draw here:
// one frame of the scene becomes the OBJ text. Process-wide, one export at a
// time, touched only from the thread that draws.
struct ObjRecording {
  bool active = false;        // ExportActive
  // The drawing wrappers skip their OpenGL calls and only record: the
  // export draws its frame for nobody and needs no GL context.
  bool recordOnly = false;
  std::string fileName;       // ExportFileName: the OBJ file to write
  ObjTextSpool objText;       // ObjText, written out to objFile as it grows
  std::string mtlText;        // MtlText
  // The new OBJ and MTL files while exporting, made before the frame is drawn.
  std::unique_ptr<ReplacementFile> objFile, mtlFile;
  std::unique_ptr<BlockWriter> objWriter;  // writes objFile beside the drawing
  std::string fileProblem;    // why they could not be made or written
  std::string textureFolder;  // where texture paths must lie to be named in the MTL
  // The names the OBJ and MTL gave so far, and the one of the element being
  // drawn: each object and material has a name of its own.
  std::unordered_set<std::string> objectNames;
  std::string objectName;

  // A mesh export: instead of OBJ text, each element's numbers go to the
  // sink as soon as the element is complete (null: an OBJ export).
  RecordedObjectSink* objectSink = nullptr;
  RecordedObject object;      // the element being recorded for the sink
  bool objectOpen = false;    // `object` has begun (BeginObject)
  size_t primStart = 0;       // the open primitive's first corner in `object`
  // The normal given last as written, made unit (when it has a length), and
  // the texture coordinate given last as written.
  float normal[3] = {0, 0, 0}, texCoord[2] = {0, 0};
  bool normalHasLength = false;

  int primMode = 0;           // PrimMode: mode of the open primitive
  // Per vertex of the open primitive: its corner " v/t/n" of the face
  // lines, made once however many faces share it ("v", "vt" and "vn"
  // indices, 1-based; an index 0, none written yet, is left out). Their
  // count is PrimCount.
  struct Corner {
    char text[40];
    int size;
  };
  std::vector<Corner> corners;
  int vertexCount = 0, texCoordCount = 0, normalCount = 0;

  double currentColor[3] = {0, 0, 0};
  double currentTranslation[3] = {0, 0, 0};
  double angleX = 0, angleY = 0, angleZ = 0;  // degrees, last Rotate per axis
  double rotationCenter[3] = {0, 0, 0};
  // Sine and cosine of the last angle turned about X, Y and Z.
  double turnDegrees[3] = {0, 0, 0}, turnSin[3] = {0, 0, 0}, turnCos[3] = {1, 1, 1};
};

// Inline: the export's hot path reaches this millions of times.
inline ObjRecording& Recording() {
  static ObjRecording recording;
  return recording;
}

// The recording side of each drawing wrapper; callers test `active` first.
void RecordBeginPrimitive(int mode);
void RecordEndPrimitive();
void RecordColor(double r, double g, double b);
void RecordRotate(double angle, double x, double y, double z);
void RecordTranslate(double x, double y, double z);
void RecordNormal(double x, double y, double z);
void RecordTexCoord(double s, double t);
void RecordVertex(double x, double y, double z);

// Resets the counters, the transform and the open primitive.
void ResetRecordingState();
