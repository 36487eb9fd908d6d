// The one table of formats against what saving under each name writes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "document/DocumentFile.h"
#include "output/OutputFormats.h"
#include "tests/export/ExportFixture.h"

namespace {
// What the file's bytes say it is.
OutputWriter KindOfFile(const std::string& bytes) {
  if (bytes.rfind("\xFF\xD8\xFF", 0) == 0) return OutputWriter::Picture;
  if (bytes.rfind("glTF", 0) == 0) return OutputWriter::Glb;
  if (bytes.find("\nv ") != std::string::npos && bytes.find("\nf ") != std::string::npos) return OutputWriter::Obj;
  // Binary STL: an 80-byte header, a count, 50 bytes a triangle.
  if (bytes.size() >= 84) {
    uint32_t triangles = 0;
    std::memcpy(&triangles, bytes.data() + 80, 4);
    if (triangles > 0 && bytes.size() == 84 + 50 * static_cast<size_t>(triangles)) return OutputWriter::Stl;
  }
  return OutputWriter::Document;
}

class OutputFormatsTest : public ExportFixture {
 protected:
  void SetUp() override {
    ExportFixture::SetUp();
    scene.requestFrame = [this] { DrawScene(scene); };
    Add("box", kCube);
  }
};

TEST_F(OutputFormatsTest, EachPatternTheSaveDialogOffersWritesItsOwnKindOfFile) {
  int offered = 0;
  for (const std::string& filter : SaveFilters()) {
    if (filter == "*.*") continue;
    ++offered;
    const std::string name = "scene" + filter.substr(1);
    const OutputFormat& format = SaveFormatFor(Path(name));
    EXPECT_EQ("*" + std::string(format.extension), filter);
    EXPECT_EQ(KindOfFile(ReadAll(Save(name))), format.writer) << name;
  }
  EXPECT_EQ(offered, 5);
  // The document is the one the open dialog offers too.
  EXPECT_EQ(OpenFilters().front(), SaveFilters().front());
  EXPECT_EQ(SaveFormatFor("x" + std::string(DocumentFormat().extension)).writer, OutputWriter::Document);
}

TEST_F(OutputFormatsTest, NamesTheSaveCommandDoesNotKnowWriteTheDocument) {
  // Case counts, ".jpg" is the batch tool's, a dot in a folder is no extension.
  for (const char* name : {"upper.OBJ", "photo.jpg", "dot.glb.bak", "noextension"}) {
    const std::string path = Save(name);
    TIMem32 back("back");
    back.RecordSize = kElementRecordSize;
    EXPECT_TRUE(ReadDocument(path, back).ok()) << name;
    EXPECT_EQ(back.Count(), 1) << name;
  }
  EXPECT_EQ(SaveFormatFor("folder.obj/name").writer, OutputWriter::Document);
}

TEST(OutputFormats, TheBatchToolKnowsEveryFormatAndNeedsANameBeforeTheExtension) {
  for (const OutputFormat& format : OutputFormats()) {
    const std::string extension(format.extension);
    ASSERT_NE(BatchFormatFor("dir/x" + extension), nullptr) << extension;
    EXPECT_EQ(BatchFormatFor("dir/x" + extension)->writer, format.writer) << extension;
    EXPECT_EQ(BatchFormatFor("dir/" + extension), nullptr) << extension;
    EXPECT_NE(BatchExtensionsText().find(extension), std::string::npos) << extension;
  }
  EXPECT_EQ(BatchFormatFor("x.png"), nullptr);
  EXPECT_EQ(BatchFormatFor("x.OBJ"), nullptr);
  // ".jpg" draws a picture the save command never writes.
  ASSERT_NE(BatchFormatFor("x.jpg"), nullptr);
  EXPECT_TRUE(BatchFormatFor("x.jpg")->drawsFrame);
  EXPECT_FALSE(BatchFormatFor("x.jpg")->saveCommand);
  EXPECT_EQ(SaveFilters()[static_cast<size_t>(FilterIndexOf(OutputWriter::Obj))], "*.obj");
  EXPECT_EQ(DialogSuffix(FormatOf(OutputWriter::Obj)), "obj");
  EXPECT_EQ(DialogSuffix(DocumentFormat()), "zobj3d");
}
}  // namespace
