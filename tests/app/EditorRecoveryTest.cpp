// Unsaved work survives a crash: the editor keeps a recovery copy while the
// document has changes, removes it once the work is saved or discarded, and
// on the next start offers what an editor that ended left behind.
#include <QListWidget>
#include <QProcess>
#include <QProcessEnvironment>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <deque>
#include <filesystem>
#include <fstream>
#include <thread>

#include "EditorFixture.h"
#include "EditorRecovery.h"
#include "RecoveryFolder.h"
#include "document/DocumentFile.h"
#include "document/EditorDocument.h"

namespace fs = std::filesystem;

namespace {
using RecoveryAnswer = MessageBoxes::RecoveryAnswer;
using SaveAnswer = MessageBoxes::SaveAnswer;

// Answers the recovery questions in order (Later once the list is used up)
// and the unsaved-changes question as told.
struct RecoveryBoxes : RecordingBoxes {
  std::vector<std::string> recoveryQuestions;
  std::deque<RecoveryAnswer> recoveryAnswers;
  SaveAnswer saveAnswer = SaveAnswer::Cancel;
  RecoveryAnswer RecoveryQuestion(const std::string& text) override {
    recoveryQuestions.push_back(text);
    if (recoveryAnswers.empty()) return RecoveryAnswer::Later;
    const RecoveryAnswer a = recoveryAnswers.front();
    recoveryAnswers.pop_front();
    return a;
  }
  SaveAnswer SaveQuestion(const std::string& text) override {
    questions.push_back(text);
    return saveAnswer;
  }
};

// One environment variable changed for a test's lifetime.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const std::string& value) : name_(name), old_(qgetenv(name)) {
    qputenv(name, QByteArray::fromStdString(value));
  }
  ~ScopedEnv() { qputenv(name_, old_); }

 private:
  const char* name_;
  QByteArray old_;
};

void Fill(TIMem32& store, const std::vector<Element3D>& elements) {
  store.RecordSize = kElementRecordSize;
  store.SetCount(static_cast<int32_t>(elements.size()));
  for (size_t i = 0; i < elements.size(); ++i) store.As<Element3D>(static_cast<int32_t>(i)) = elements[i];
}

void WriteElements(const std::string& path, const std::vector<Element3D>& elements) {
  TIMem32 store;
  Fill(store, elements);
  ASSERT_TRUE(WriteDocument(path, store).ok());
}

std::vector<Element3D> ReadElements(const std::string& path) {
  TIMem32 store;
  store.RecordSize = kElementRecordSize;
  EXPECT_TRUE(ReadDocument(path, store).ok()) << path;
  std::vector<Element3D> elements;
  for (int32_t i = 0; i < store.Count(); ++i) elements.push_back(store.As<Element3D>(i));
  return elements;
}

std::string NameOf(const Element3D& e) { return e.name.str(); }

std::vector<std::string> NamesIn(const std::string& path) {
  std::vector<std::string> names;
  for (const Element3D& e : ReadElements(path)) names.push_back(NameOf(e));
  return names;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(folder, ec)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// A process that has ended and been waited for: its id names no process.
ProcessTag EndedProcess(uint64_t startTicks = 4242) {
  QProcess p;
  p.start("true", {});
  EXPECT_TRUE(p.waitForFinished(5000));
  ProcessTag tag;
  tag.pid = p.processId() ? p.processId() : 999999;
  tag.startTicks = startTicks;
  return tag;
}

void SetModified(const std::string& path, int64_t ns) {
  const timespec times[2] = {{ns / 1000000000, ns % 1000000000}, {ns / 1000000000, ns % 1000000000}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0) << path;
}

int64_t ModifiedNs(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

// The state folder of every test here is its own.
class Recovery : public EditorFixture {
 protected:
  void SetUp() override { SetMessageBoxes(&answers); }

  std::string folder() const { return EditorRecovery::FolderPath(); }
  std::string ownCopy() const { return folder() + "/" + ThisProcess().Name() + ".zobj3d"; }

  // What an editor that ended left: a copy of `elements` from `original`.
  RecoveryCopy Leave(const ProcessTag& owner, const std::string& original, const std::vector<Element3D>& elements,
                     int64_t writtenAtNs = 0) {
    TIMem32 store;
    Fill(store, elements);
    EXPECT_EQ(RecoveryFolder(folder()).Write(owner, original, store), "");
    RecoveryCopy copy;
    copy.owner = owner;
    copy.copyPath = folder() + "/" + owner.Name() + ".zobj3d";
    copy.originalPath = original;
    if (writtenAtNs) SetModified(copy.copyPath, writtenAtNs);
    copy.writtenAtNs = ModifiedNs(copy.copyPath);
    return copy;
  }

  // Clicks the first list line and moves that element one step `count` times.
  static void MoveFirstElement(TFEditorDeObjetos1& w, int count) {
    const QRect r = w.Lista1->visualItemRect(w.Lista1->item(0));
    QTest::mouseClick(w.Lista1->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    for (int i = 0; i < count; ++i) QTest::keyClick(w.Tela1, Qt::Key_Right);
    QApplication::processEvents();
  }

  ScopedEnv data{"XDG_DATA_HOME", dir.file("data")};
  RecoveryBoxes answers;
};
}  // namespace

TEST(RecoveryProcesses, LiveEditorsAreToldFromEndedOnes) {
  EXPECT_TRUE(ProcessAlive(ThisProcess()));
  QProcess sleeper;
  sleeper.start("sleep", {"30"});
  ASSERT_TRUE(sleeper.waitForStarted());
  const ProcessTag live = ProcessTagOf(sleeper.processId());
  EXPECT_NE(live.startTicks, 0u);
  EXPECT_TRUE(ProcessAlive(live));
  // The same id started at another time is another process: its editor ended.
  ProcessTag recycled = live;
  recycled.startTicks += 1;
  EXPECT_FALSE(ProcessAlive(recycled));
  sleeper.kill();
  sleeper.waitForFinished();
  EXPECT_FALSE(ProcessAlive(live));

  // A killed process that nobody has waited for yet has ended all the same.
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ASSERT_GT(child, 0);
  const ProcessTag zombie = ProcessTagOf(child);
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_FALSE(ProcessAlive(zombie));
  ::waitpid(child, nullptr, 0);
}

TEST_F(Recovery, TheFolderListsEndedEditorsCopiesNewestFirstAndNothingElse) {
  const ProcessTag older = EndedProcess(), newer = EndedProcess(7);
  Leave(older, "/docs/older.zobj3d", {Cube("old", 1)}, 1'000'000'000'000'000'000);
  Leave(newer, "", {Cube("a", 1), Cube("b", 2)}, 1'100'000'000'000'000'000);
  Leave(ThisProcess(), "/docs/mine.zobj3d", {Cube("mine", 1)});
  // Things that are no copies: other names, a folder and a link named as copies.
  const std::string f = folder();
  std::ofstream(f + "/notes.txt") << "x";
  std::ofstream(f + "/12-x4.zobj3d") << "x";
  fs::create_directory(f + "/77-1.zobj3d");
  fs::create_symlink(f + "/" + older.Name() + ".zobj3d", f + "/78-1.zobj3d");
  struct stat st {};
  ASSERT_EQ(::stat(f.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u) << "copies of documents are the user's alone";

  const std::vector<RecoveryCopy> copies = RecoveryFolder(f).Orphans();
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(copies[0].owner.Name(), newer.Name());
  EXPECT_EQ(copies[0].originalPath, "");
  EXPECT_EQ(NamesIn(copies[0].copyPath), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(copies[1].owner.Name(), older.Name());
  EXPECT_EQ(copies[1].originalPath, "/docs/older.zobj3d");
  EXPECT_EQ(copies[1].writtenAtNs, 1'000'000'000'000'000'000);

  // Removing one editor's copy takes its leftover temporary file too, and
  // leaves an editor whose name only begins the same way.
  ProcessTag similar = older;
  similar.startTicks = older.startTicks * 10 + 1;
  Leave(similar, "", {Cube("s", 1)});
  std::ofstream(f + "/" + older.Name() + ".zobj3d.Ab12Cd") << "half written";
  RecoveryFolder(f).Remove(older);
  for (const std::string& name : FilesIn(f)) EXPECT_NE(name.rfind(older.Name() + ".", 0), 0u) << name;
  EXPECT_TRUE(fs::exists(f + "/" + similar.Name() + ".zobj3d"));
  EXPECT_TRUE(fs::exists(f + "/" + similar.Name() + ".path"));
}

TEST_F(Recovery, AMalformedPathFileLeavesTheCopyUntitled) {
  const ProcessTag owner = EndedProcess();
  Leave(owner, "/docs/a.zobj3d", {Cube("a", 1)});
  const std::string pathFile = folder() + "/" + owner.Name() + ".path";
  auto originalRead = [&] {
    const auto copies = RecoveryFolder(folder()).Orphans();
    return copies.size() == 1 ? copies[0].originalPath : std::string("(not listed)");
  };
  EXPECT_EQ(originalRead(), "/docs/a.zobj3d");
  for (const std::string& bytes : {std::string("relative/a.zobj3d"), std::string("/docs/a\0b.zobj3d", 16),
                                   "/" + std::string(kMaxRecoveryPathBytes, 'a')}) {
    fs::remove(pathFile);
    std::ofstream(pathFile, std::ios::binary) << bytes;
    EXPECT_EQ(originalRead(), "") << bytes.size();
  }
  // A link is not followed, even to a good path file.
  std::ofstream(dir.file("good.path")) << "/docs/a.zobj3d";
  fs::remove(pathFile);
  fs::create_symlink(dir.file("good.path"), pathFile);
  EXPECT_EQ(originalRead(), "");
}

TEST_F(Recovery, OnlyOneEditorCanClaimACopy) {
  const RecoveryCopy copy = Leave(EndedProcess(), "/docs/a.zobj3d", {Cube("a", 1)});
  const RecoveryFolder f(folder());
  const std::string mine = f.Claim(copy, ThisProcess());
  ASSERT_EQ(mine, ownCopy());
  EXPECT_EQ(NamesIn(mine), std::vector<std::string>{"a"});
  EXPECT_EQ(f.Claim(copy, ProcessTagOf(1)), "");
  EXPECT_EQ(FilesIn(folder()), std::vector<std::string>{ThisProcess().Name() + ".zobj3d"});
}

TEST_F(Recovery, TheOriginalNameIsKeptOnlyWhileNothingWroteTheFileSinceTheCopy) {
  WriteElements(dir.file("doc.zobj3d"), {Cube("saved", 1)});
  SetModified(dir.file("doc.zobj3d"), 1'000'000'000'000'000'000);
  RecoveryCopy copy = Leave(EndedProcess(), dir.file("doc.zobj3d"), {Cube("a", 1)}, 1'000'000'000'000'000'000);
  EXPECT_TRUE(MayKeepOriginalName(copy));
  SetModified(dir.file("doc.zobj3d"), 1'000'000'000'000'000'001);
  EXPECT_FALSE(MayKeepOriginalName(copy));
  fs::remove(dir.file("doc.zobj3d"));
  EXPECT_FALSE(MayKeepOriginalName(copy));
  fs::create_directory(dir.file("doc.zobj3d"));
  SetModified(dir.file("doc.zobj3d"), 1);
  EXPECT_FALSE(MayKeepOriginalName(copy)) << "a folder is no document";
  copy.originalPath.clear();
  EXPECT_FALSE(MayKeepOriginalName(copy));
}

TEST_F(Recovery, TheTimerWritesACopyWhileTheDocumentIsChanged) {
  EditorDocument doc;
  Fill(doc.elements, {Cube("timed", 1)});
  doc.fileName = "/docs/timed.zobj3d";
  EditorRecovery recovery(doc, 50);
  QTest::qWait(200);
  EXPECT_FALSE(fs::exists(ownCopy())) << "an unchanged document needs no copy";
  recovery.SetChanged(true);
  QTRY_VERIFY_WITH_TIMEOUT(fs::exists(ownCopy()), 5000);
  EXPECT_EQ(NamesIn(ownCopy()), std::vector<std::string>{"timed"});
  recovery.SetChanged(false);
  EXPECT_EQ(FilesIn(folder()), std::vector<std::string>{});
}

TEST_F(Recovery, EveryTwentiethEditWritesACopyAndSavingRemovesIt) {
  WriteElements(dir.file("doc.zobj3d"), {Cube("first", 1), Cube("second", 5)});
  auto& w = Open({QString::fromStdString(dir.file("doc.zobj3d"))});
  MoveFirstElement(w, 19);
  QTest::qWait(100);
  EXPECT_FALSE(fs::exists(ownCopy()));
  MoveFirstElement(w, 1);
  QTRY_VERIFY_WITH_TIMEOUT(fs::exists(ownCopy()), 5000);
  const std::vector<Element3D> copy = ReadElements(ownCopy());
  ASSERT_EQ(copy.size(), 2u);
  EXPECT_EQ(+copy[0].x, +w.doc.Element(0).x);
  EXPECT_NE(+copy[0].x, 1.0);
  std::string path;
  {
    std::ifstream in(folder() + "/" + ThisProcess().Name() + ".path", std::ios::binary);
    path.assign(std::istreambuf_iterator<char>(in), {});
  }
  EXPECT_EQ(path, dir.file("doc.zobj3d"));

  QTest::keyClick(w.Tela1, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(FilesIn(folder()), std::vector<std::string>{});
  EXPECT_EQ(+ReadElements(dir.file("doc.zobj3d"))[0].x, +copy[0].x);
}

TEST_F(Recovery, ClosingKeepsTheCopyUntilTheWorkIsSavedOrDiscarded) {
  WriteElements(dir.file("doc.zobj3d"), {Cube("first", 1)});
  auto& w = Open({QString::fromStdString(dir.file("doc.zobj3d"))});
  MoveFirstElement(w, 20);
  QTRY_VERIFY_WITH_TIMEOUT(fs::exists(ownCopy()), 5000);
  answers.saveAnswer = SaveAnswer::Cancel;
  EXPECT_FALSE(w.close());
  EXPECT_TRUE(fs::exists(ownCopy()));
  answers.saveAnswer = SaveAnswer::Discard;
  EXPECT_TRUE(w.close());
  EXPECT_EQ(FilesIn(folder()), std::vector<std::string>{});
  EXPECT_EQ(+ReadElements(dir.file("doc.zobj3d"))[0].x, 1.0);
}

TEST_F(Recovery, AnOfferedCopyOpensWithItsElementsUnderItsOwnName) {
  const std::string doc = dir.file("doc.zobj3d");
  WriteElements(doc, {Cube("saved", 1)});
  SetModified(doc, 1'000'000'000'000'000'000);
  const ProcessTag ended = EndedProcess();
  Leave(ended, doc, {Cube("saved", 1), Cube("unsaved", 3)}, 1'000'000'060'000'000'000);
  answers.recoveryAnswers = {RecoveryAnswer::Open};
  auto& w = Open();
  QTRY_COMPARE(w.doc.Count(), 2);
  ASSERT_EQ(answers.recoveryQuestions.size(), 1u);
  EXPECT_NE(answers.recoveryQuestions[0].find("doc.zobj3d"), std::string::npos) << answers.recoveryQuestions[0];
  EXPECT_EQ(NameOf(w.doc.Element(1)), "unsaved");
  EXPECT_EQ(w.Lista1->count(), 2);
  EXPECT_EQ(w.doc.fileName, doc);
  EXPECT_TRUE(w.DocumentChanged());
  EXPECT_TRUE(w.windowTitle().endsWith('*'));
  // The copy is this editor's now, and names the document.
  const std::string own = ThisProcess().Name();
  EXPECT_EQ(FilesIn(folder()), (std::vector<std::string>{own + ".path", own + ".zobj3d"}));
  EXPECT_EQ(NamesIn(ownCopy()), (std::vector<std::string>{"saved", "unsaved"}));

  // Save writes the document where it came from, and the copy goes.
  QTest::keyClick(w.Tela1, Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(NamesIn(doc), (std::vector<std::string>{"saved", "unsaved"}));
  EXPECT_EQ(FilesIn(folder()), std::vector<std::string>{});
  EXPECT_FALSE(w.DocumentChanged());
}

TEST_F(Recovery, ACopyOfAFileChangedSinceOpensUntitled) {
  const std::string doc = dir.file("doc.zobj3d");
  WriteElements(doc, {Cube("written later", 1)});
  Leave(EndedProcess(), doc, {Cube("recovered", 1)}, 1'000'000'000'000'000'000);
  answers.recoveryAnswers = {RecoveryAnswer::Open};
  auto& w = Open();
  QTRY_COMPARE(w.doc.Count(), 1);
  ASSERT_EQ(answers.recoveryQuestions.size(), 1u);
  const std::string& q = answers.recoveryQuestions[0];
  EXPECT_TRUE(q.find("mudou") != std::string::npos || q.find("changed") != std::string::npos) << q;
  EXPECT_EQ(NameOf(w.doc.Element(0)), "recovered");
  EXPECT_EQ(w.doc.fileName, "");
  EXPECT_TRUE(w.DocumentChanged());
  EXPECT_EQ(NamesIn(doc), std::vector<std::string>{"written later"});
}

TEST_F(Recovery, DiscardRemovesACopyAndLaterKeepsItForTheNextStart) {
  const ProcessTag older = EndedProcess(), newer = EndedProcess(9);
  Leave(older, "", {Cube("older", 1)}, 1'000'000'000'000'000'000);
  Leave(newer, "", {Cube("newer", 1)}, 1'000'000'060'000'000'000);
  answers.recoveryAnswers = {RecoveryAnswer::Later, RecoveryAnswer::Discard};  // newest first
  Open();
  QTRY_COMPARE(answers.recoveryQuestions.size(), 2u);
  EXPECT_EQ(window->doc.Count(), 0);
  EXPECT_FALSE(window->DocumentChanged());
  EXPECT_EQ(FilesIn(folder()), (std::vector<std::string>{newer.Name() + ".path", newer.Name() + ".zobj3d"}));

  window.reset();
  answers.recoveryQuestions.clear();
  answers.recoveryAnswers = {RecoveryAnswer::Open};
  Open();
  QTRY_COMPARE(window->doc.Count(), 1);
  EXPECT_EQ(NameOf(window->doc.Element(0)), "newer");
  EXPECT_EQ(answers.recoveryQuestions.size(), 1u);
}

TEST_F(Recovery, ARunningEditorsCopyIsNotOffered) {
  QProcess other;
  other.start("sleep", {"30"});
  ASSERT_TRUE(other.waitForStarted());
  Leave(ProcessTagOf(other.processId()), "", {Cube("theirs", 1)});
  answers.recoveryAnswers = {RecoveryAnswer::Open};
  Open();
  QTest::qWait(300);
  EXPECT_TRUE(answers.recoveryQuestions.empty());
  EXPECT_EQ(window->doc.Count(), 0);

  window.reset();
  other.kill();
  other.waitForFinished();
  Open();
  QTRY_COMPARE(window->doc.Count(), 1);
  EXPECT_EQ(NameOf(window->doc.Element(0)), "theirs");
}

namespace {
// Runs xdotool on the test's X server; its output, trimmed.
QString Xdotool(const QStringList& arguments, int timeoutMs = 10000) {
  QProcess p;
  p.start("xdotool", arguments);
  if (!p.waitForFinished(timeoutMs)) {
    p.kill();
    p.waitForFinished();
    ADD_FAILURE() << "xdotool " << arguments.join(' ').toStdString() << " did not finish";
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}
}  // namespace

// The real program, edited with real key presses and killed: started again,
// the window offers the work and opens it.
TEST_F(Recovery, TheWorkOfAKilledEditorComesBack) {
  const std::string doc = dir.file("doc.zobj3d");
  WriteElements(doc, {Cube("saved", 1)});
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("HOME", QString::fromStdString(dir.file("home")));
  env.insert("XDG_DATA_HOME", QString::fromStdString(dir.file("data")));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir.file("config")));
  QProcess editor;
  editor.setProcessEnvironment(env);
  editor.start(OBJ3D_EDITOR_PROGRAM, {QString::fromStdString(doc)});
  ASSERT_TRUE(editor.waitForStarted());
  const std::string childCopy = folder() + "/" + ProcessTagOf(editor.processId()).Name() + ".zobj3d";

  const QString windowId =
      Xdotool({"search", "--sync", "--onlyvisible", "--pid", QString::number(editor.processId())}, 30000)
          .split('\n')
          .first();
  ASSERT_FALSE(windowId.isEmpty());
  QTest::qWait(500);
  const QStringList geometry = Xdotool({"getwindowgeometry", "--shell", windowId}).split('\n');
  int width = 0, height = 0;
  for (const QString& line : geometry) {
    if (line.startsWith("WIDTH=")) width = line.mid(6).toInt();
    if (line.startsWith("HEIGHT=")) height = line.mid(7).toInt();
  }
  ASSERT_GT(width, 400);
  // Twenty cubes, a user's pace apart, each with the pointer over the view
  // where F5 puts it; the twentieth makes the copy. Focus and pointer are
  // taken again for every key, since other tests may share the display.
  for (int i = 0; i < EditorRecovery::kEditsPerCopy; ++i) {
    Xdotool({"windowfocus", "--sync", windowId, "mousemove", "--window", windowId, QString::number(width / 3),
             QString::number(height * 2 / 3), "key", "F5"});
    QTest::qWait(350);
  }
  QTRY_VERIFY_WITH_TIMEOUT(fs::exists(childCopy), 10000);
  editor.kill();  // SIGKILL: nothing of the editor's own runs
  ASSERT_TRUE(editor.waitForFinished());
  EXPECT_EQ(editor.exitStatus(), QProcess::CrashExit);
  EXPECT_EQ(NamesIn(doc), std::vector<std::string>{"saved"});

  answers.recoveryAnswers = {RecoveryAnswer::Open};
  auto& w = Open();
  QTRY_COMPARE_WITH_TIMEOUT(w.doc.Count(), 1 + EditorRecovery::kEditsPerCopy, 5000);
  EXPECT_EQ(NameOf(w.doc.Element(0)), "saved");
  for (int32_t i = 1; i < w.doc.Count(); ++i) EXPECT_EQ(+w.doc.Element(i).kind, 0) << i;
  EXPECT_EQ(w.doc.fileName, doc);
  EXPECT_TRUE(w.DocumentChanged());
  EXPECT_FALSE(fs::exists(childCopy));
}
