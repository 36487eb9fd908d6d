// The open document's file as other programs leave it: a save over a file
// that changed since it was read asks first (save as, overwrite, cancel), a
// link put in its place is replaced rather than written through, and a file
// that is no document is refused by name.
#include <deque>
#include <filesystem>

#include "EditorFixture.h"
#include "common/Dictionary.h"

namespace fs = std::filesystem;
using ChangedFileAnswer = MessageBoxes::ChangedFileAnswer;

namespace {
struct ChangedFileBoxes : RecordingBoxes {
  std::vector<std::string> changedQuestions;
  std::deque<ChangedFileAnswer> answers;  // Cancel once used up
  ChangedFileAnswer ChangedFileQuestion(const std::string& text) override {
    changedQuestions.push_back(text);
    if (answers.empty()) return ChangedFileAnswer::Cancel;
    const ChangedFileAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
};

std::vector<std::string> Names(const std::vector<Element3D>& elements) {
  std::vector<std::string> names;
  for (const Element3D& e : elements) names.push_back(e.name.str());
  return names;
}
}  // namespace

class DocumentOnDisk : public EditorFixture {
 protected:
  void SetUp() override {
    EditorFixture::SetUp();
    SetMessageBoxes(&changed);
  }
  // Another program's version of the document.
  void RewriteElsewhere(const std::string& path) { WriteElements(path, {Cube("theirs", 0), Cube("theirs2", 3)}); }
  ChangedFileBoxes changed;
};

TEST_F(DocumentOnDisk, ASaveOverAFileChangedSinceItWasReadAsksFirst) {
  const std::string doc = dir.file("doc.zobj3d");
  WriteElements(doc, {Cube("mine", 0)});
  Open(doc);
  Key(Qt::Key_F5);  // a cube of ours
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(changed.changedQuestions.empty()) << "nobody changed the file";
  const std::vector<std::string> ours = Names(ReadElements(doc));
  ASSERT_EQ(ours.size(), 2u);

  // Cancel: their version stays.
  RewriteElsewhere(doc);
  Key(Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(changed.changedQuestions.size(), 1u);
  EXPECT_NE(changed.changedQuestions[0].find(doc), std::string::npos) << changed.changedQuestions[0];
  EXPECT_EQ(Names(ReadElements(doc)), (std::vector<std::string>{"theirs", "theirs2"}));

  // Save as: ours goes elsewhere and becomes the document; theirs stays.
  changed.answers = {ChangedFileAnswer::SaveAs};
  files.paths = {dir.file("mine.zobj3d")};
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(changed.changedQuestions.size(), 2u);
  EXPECT_EQ(Names(ReadElements(dir.file("mine.zobj3d"))), ours);
  EXPECT_EQ(Names(ReadElements(doc)), (std::vector<std::string>{"theirs", "theirs2"}));
  EXPECT_EQ(window->windowTitle(), "Objetos 3D - mine.zobj3d");

  // Overwrite, when the user says so; the next save, with nothing changed, asks nothing.
  RewriteElsewhere(dir.file("mine.zobj3d"));
  changed.answers = {ChangedFileAnswer::Overwrite};
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(changed.changedQuestions.size(), 3u);
  EXPECT_EQ(Names(ReadElements(dir.file("mine.zobj3d"))), ours);
  Key(Qt::Key_Right);
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(changed.changedQuestions.size(), 3u);
  EXPECT_TRUE(changed.warnings.empty());
}

// In a shared folder another user replaces the document by a link to a file of theirs (or of a
// victim's): the save asks, and overwriting puts the document in place of the link, never into
// the file it leads to.
TEST_F(DocumentOnDisk, ALinkPutInPlaceOfTheDocumentIsReplacedNotWrittenThrough) {
  const std::string doc = dir.file("doc.zobj3d"), victim = dir.file("victim.zobj3d");
  WriteElements(doc, {Cube("mine", 0)});
  WriteElements(victim, {Cube("victim", 0)});
  Open(doc);
  Key(Qt::Key_F5);
  fs::remove(doc);
  fs::create_symlink(victim, doc);

  Key(Qt::Key_S, Qt::ControlModifier);  // cancelled
  ASSERT_EQ(changed.changedQuestions.size(), 1u);
  EXPECT_TRUE(fs::is_symlink(doc));
  changed.answers = {ChangedFileAnswer::Overwrite};
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(changed.changedQuestions.size(), 2u);
  EXPECT_EQ(Names(ReadElements(victim)), (std::vector<std::string>{"victim"}));
  EXPECT_FALSE(fs::is_symlink(doc));
  EXPECT_EQ(ReadElements(doc).size(), 2u);
  EXPECT_FALSE(Starred());
}

// An .obj (or any file without the document's signature) opened by mistake is refused in the
// interface language, and leaves an untitled document that cannot be saved over it.
TEST_F(DocumentOnDisk, AFileThatIsNoDocumentIsRefusedInBothLanguages) {
  const std::string obj = dir.file("shape.obj");
  dir.write("shape.obj", "mtllib shape.mtl\no cube\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
  Open(obj);
  ASSERT_EQ(changed.warnings.size(), 1u);
  EXPECT_EQ(changed.warnings[0],
            "N\xE3o foi poss\xEDvel ler o arquivo " + obj + ": n\xE3o \xE9 um documento deste editor");
  EXPECT_EQ(window->windowTitle(), "Objetos 3D - Nenhum arquivo");

  dir.write("tradutorgeral.dat", "header\n");
  LoadDictionaryFile(dir.file("tradutorgeral.dat"));
  Open(obj);
  ASSERT_EQ(changed.warnings.size(), 2u);
  EXPECT_EQ(changed.warnings[1], "Could not read the file " + obj + ": not a document of this editor");
  EXPECT_EQ(dir.read("shape.obj"), "mtllib shape.mtl\no cube\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
}
