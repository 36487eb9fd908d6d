// Unsaved work survives a crash: the editor keeps a recovery copy while the
// document has changes, removes it once the work is saved or discarded, and
// on the next start offers what an editor that ended left behind.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "EditorFixture.h"
#include "EditorRecovery.h"
#include "RecoveryFolder.h"
#include "TBarraDeEstado.h"
#include "document/EditorDocument.h"

namespace fs = std::filesystem;

namespace {
using RecoveryAnswer = MessageBoxes::RecoveryAnswer;
using SaveAnswer = MessageBoxes::SaveAnswer;

std::vector<std::string> NamesIn(const std::string& path) {
  std::vector<std::string> names;
  for (const Element3D& e : ReadElements(path)) names.push_back(e.name.str());
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

class Recovery : public EditorFixture {
 protected:
  std::string folder() const { return EditorRecovery::FolderPath(); }
  std::string ownCopy() const { return folder() + "/" + ThisProcess().Name() + ".zobj3d"; }
  size_t Orphans() const { return RecoveryFolder(folder()).Orphans().size(); }

  // What an editor that ended left: a copy of `elements` from `original`.
  RecoveryCopy Leave(const ProcessTag& owner, const std::string& original, const std::vector<Element3D>& elements,
                     int64_t writtenAtNs = 0) {
    TIMem32 store;
    Fill(store, elements);
    EXPECT_EQ(RecoveryFolder(folder()).Write(owner, original, store), "");
    RecoveryCopy copy{owner, folder() + "/" + owner.Name() + ".zobj3d", original, writtenAtNs};
    if (writtenAtNs) SetModified(copy.copyPath, writtenAtNs);
    return copy;
  }

  // Clicks the first list line and moves that element one step `count` times.
  void MoveFirstElement(int count) {
    ClickListRow(0);
    for (int i = 0; i < count; ++i) QTest::keyClick(ViewOf(*window), Qt::Key_Right);
    QApplication::processEvents();
  }
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

// Of two editors offered the same copy, only one gets it.
TEST_F(Recovery, AMalformedPathFileLeavesTheCopyUntitledAndOnlyOneEditorClaimsIt) {
  const RecoveryCopy copy = Leave(EndedProcess(), "/docs/a.zobj3d", {Cube("a", 1)});
  const std::string pathFile = folder() + "/" + copy.owner.Name() + ".path";
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
  std::ofstream(dir.file("good.path")) << "/docs/a.zobj3d";
  fs::remove(pathFile);
  fs::create_symlink(dir.file("good.path"), pathFile);
  EXPECT_EQ(originalRead(), "") << "a link is not followed, even to a good path file";

  const RecoveryFolder f(folder());
  ASSERT_EQ(f.Claim(copy, ThisProcess()), ownCopy());
  EXPECT_EQ(NamesIn(ownCopy()), std::vector<std::string>{"a"});
  EXPECT_EQ(f.Claim(copy, ProcessTagOf(1)), "");
  EXPECT_EQ(FilesIn(folder()), std::vector<std::string>{ThisProcess().Name() + ".zobj3d"});
}

TEST_F(Recovery, TheTimerWritesACopyWhileTheDocumentIsChanged) {
  EditorDocument doc;
  Fill(doc.elements, {Cube("timed", 1)});
  doc.fileName = "/docs/timed.zobj3d";
  EditorRecovery recovery(doc, 50);
  QTest::qWait(200);  // the timer's turns, had it run: nothing to observe when it rightly does not
  EXPECT_FALSE(fs::exists(ownCopy())) << "an unchanged document needs no copy";
  recovery.SetChanged(true);
  ASSERT_TRUE(Soon([this] { return fs::exists(ownCopy()); }));
  EXPECT_EQ(NamesIn(ownCopy()), std::vector<std::string>{"timed"});
  recovery.SetChanged(false);
  EXPECT_EQ(FilesIn(folder()), std::vector<std::string>{});
}

// Every twentieth edit writes a copy; saving removes it, and so does
// discarding the work when the window closes, but not a cancelled close.
TEST_F(Recovery, EveryTwentiethEditWritesACopyUntilTheWorkIsSavedOrDiscarded) {
  auto& w = OpenWith({Cube("first", 1), Cube("second", 5)});
  MoveFirstElement(19);
  QTest::qWait(100);  // a copy asked for is written a turn later, on a worker: time for one that must not come
  EXPECT_FALSE(fs::exists(ownCopy()));
  MoveFirstElement(1);
  ASSERT_TRUE(Soon([this] { return fs::exists(ownCopy()); }));
  const std::vector<Element3D> copy = ReadElements(ownCopy());
  ASSERT_EQ(copy.size(), 2u);
  EXPECT_EQ(+copy[0].x, +w.Probe().Element(0).x);
  EXPECT_NE(+copy[0].x, 1.0);
  std::ifstream path(folder() + "/" + ThisProcess().Name() + ".path", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(path), {}), dir.file("doc.zobj3d"));

  boxes.saveAnswer = SaveAnswer::Cancel;
  EXPECT_FALSE(w.close());
  EXPECT_TRUE(fs::exists(ownCopy()));
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(FilesIn(folder()), std::vector<std::string>{});
  const double saved = ReadElements(dir.file("doc.zobj3d"))[0].x;
  EXPECT_EQ(saved, +copy[0].x);

  MoveFirstElement(20);
  ASSERT_TRUE(Soon([this] { return fs::exists(ownCopy()); }));
  boxes.saveAnswer = SaveAnswer::Discard;
  EXPECT_TRUE(w.close());
  EXPECT_EQ(FilesIn(folder()), std::vector<std::string>{});
  EXPECT_EQ(+ReadElements(dir.file("doc.zobj3d"))[0].x, saved);
}

// A copy keeps the document's name only while nothing wrote the file since
// the copy; otherwise it opens untitled, and the file is left as it is.
TEST_F(Recovery, ACopyOfAFileWrittenSinceOpensUntitled) {
  const std::string doc = dir.file("doc.zobj3d");
  WriteElements(doc, {Cube("written later", 1)});
  SetModified(doc, 1'000'000'000'000'000'000);
  RecoveryCopy copy = Leave(EndedProcess(), doc, {Cube("recovered", 1)}, 1'000'000'000'000'000'000);
  EXPECT_TRUE(MayKeepOriginalName(copy));
  SetModified(doc, 1'000'000'000'000'000'001);
  EXPECT_FALSE(MayKeepOriginalName(copy));

  boxes.recoveryAnswers = {RecoveryAnswer::Open};
  auto& w = Open();
  ASSERT_TRUE(Soon([&] { return w.Probe().Count() == 1; }));
  ASSERT_EQ(boxes.recoveryLists.size(), 1u);
  const std::string& q = boxes.recoveryLists[0].at(0);
  EXPECT_NE(q.find("mudou"), std::string::npos) << q;
  EXPECT_EQ(w.Probe().Element(0).name.str(), "recovered");
  EXPECT_EQ(w.Probe().FileName(), "");
  EXPECT_TRUE(Starred()) << "the recovered document is unsaved";
  EXPECT_EQ(NamesIn(doc), std::vector<std::string>{"written later"});

  fs::remove(doc);
  EXPECT_FALSE(MayKeepOriginalName(copy));
  fs::create_directory(doc);
  SetModified(doc, 1);
  EXPECT_FALSE(MayKeepOriginalName(copy)) << "a folder is no document";
  copy.originalPath.clear();
  EXPECT_FALSE(MayKeepOriginalName(copy));
}

// At the start only ended editors' copies are offered, newest first, all
// in one window: Later keeps them, Open takes the chosen one, Discard all
// removes the rest; a running editor's copy waits until that editor has ended.
TEST_F(Recovery, EndedEditorsCopiesAreOfferedInOneWindowNewestFirst) {
  QProcess other;
  other.start("sleep", {"30"});
  ASSERT_TRUE(other.waitForStarted());
  const ProcessTag older = EndedProcess(), newer = EndedProcess(9);
  Leave(older, "", {Cube("older", 1)}, 1'000'000'000'000'000'000);
  Leave(newer, "/docs/newer.zobj3d", {Cube("newer", 1)}, 1'000'000'060'000'000'000);
  Leave(ProcessTagOf(other.processId()), "", {Cube("theirs", 1)});
  Open();
  ASSERT_TRUE(Soon([&] { return boxes.recoveryLists.size() == 1u; }));
  QTest::qWait(100);  // a second offer would be queued right behind the first
  ASSERT_EQ(boxes.recoveryLists.size(), 1u) << "one window for every copy";
  ASSERT_EQ(boxes.recoveryLists[0].size(), 2u) << "a running editor's copy was offered";
  EXPECT_EQ(boxes.recoveryLists[0][0].rfind("newer.zobj3d  /docs/", 0), 0u) << boxes.recoveryLists[0][0];
  EXPECT_EQ(boxes.recoveryLists[0][1].rfind("Documento sem nome", 0), 0u) << boxes.recoveryLists[0][1];
  EXPECT_EQ(window->Probe().Count(), 0);
  EXPECT_FALSE(Starred());
  EXPECT_EQ(Orphans(), 2u);

  window.reset();
  other.kill();
  other.waitForFinished();
  boxes.recoveryLists.clear();
  boxes.recoveryAnswers = {RecoveryAnswer::Open};
  boxes.recoveryCopy = 1;  // theirs is now the newest; then newer
  Open();
  ASSERT_TRUE(Soon([&] { return window->Probe().Count() == 1; }));
  EXPECT_EQ(window->Probe().Element(0).name.str(), "newer");
  ASSERT_EQ(boxes.recoveryLists.size(), 1u);
  EXPECT_EQ(boxes.recoveryLists[0].size(), 3u);
  EXPECT_EQ(Orphans(), 2u) << "opening one keeps the others";

  window.reset();  // closes without changes to save: discarded, as the user chose
  boxes.recoveryAnswers = {RecoveryAnswer::Discard};
  Open();
  ASSERT_TRUE(Soon([&] { return boxes.recoveryLists.size() == 2u; }));
  EXPECT_EQ(Orphans(), 0u);
  EXPECT_EQ(FilesIn(folder()), std::vector<std::string>{});
}

// An editor ended in the middle of writing a copy leaves a temporary file,
// or the name of its document without a copy; the next start clears them
// away and leaves what still belongs to a copy or to a running editor.
TEST_F(Recovery, WritesEndedEditorsLeftUnfinishedAreClearedAtStart) {
  QProcess other;
  other.start("sleep", {"30"});
  ASSERT_TRUE(other.waitForStarted());
  const ProcessTag ended = EndedProcess(), endedEarlier = EndedProcess(5), running = ProcessTagOf(other.processId());
  Leave(ended, "/docs/kept.zobj3d", {Cube("kept", 1)});
  const std::string f = folder(), e = f + "/" + ended.Name(), early = f + "/" + endedEarlier.Name();
  const std::string live = f + "/" + running.Name();
  for (const std::string& path :
       {e + ".zobj3d.0a1b2c3d", e + ".path.99999999", early + ".path", early + ".zobj3d.deadbeef", live + ".path",
        live + ".zobj3d.12345678", f + "/notes.zobj3d.0000aaaa", early + ".zobj3d.not-hex"})
    std::ofstream(path) << "half written";
  boxes.recoveryAnswers = {RecoveryAnswer::Later};
  Open();
  ASSERT_TRUE(Soon([&] { return boxes.recoveryLists.size() == 1u; }));
  std::vector<std::string> expected = {
      ended.Name() + ".path",  ended.Name() + ".zobj3d", endedEarlier.Name() + ".zobj3d.not-hex",
      "notes.zobj3d.0000aaaa", running.Name() + ".path", running.Name() + ".zobj3d.12345678"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(FilesIn(f), expected);
  ASSERT_EQ(boxes.recoveryLists[0].size(), 1u);
  EXPECT_EQ(boxes.recoveryLists[0][0].rfind("kept.zobj3d  /docs/", 0), 0u) << boxes.recoveryLists[0][0];
  other.kill();
  other.waitForFinished();
}

namespace {
// Runs xdotool on the test's X server; its output, trimmed.
QString Xdotool(const QStringList& arguments, int timeoutMs = 10000) {
  QProcess p;
  p.start("xdotool", arguments);
  if (!p.waitForFinished(timeoutMs)) ADD_FAILURE() << "xdotool " << arguments.join(' ').toStdString() << " hung";
  return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}
}  // namespace

// The real program, edited with real key presses and killed: started again,
// the window offers the work and opens it.
TEST_F(Recovery, TheWorkOfAKilledEditorComesBack) {
  const std::string doc = dir.file("doc.zobj3d");
  WriteElements(doc, {Cube("saved", 1)});
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();  // the test's data and config folders
  env.insert("HOME", QString::fromStdString(dir.file("home")));
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
  int width = 0, height = 0;
  ASSERT_TRUE(Soon([&] {  // mapped, then laid out at its own size
    const QString geometry = Xdotool({"getwindowgeometry", "--shell", windowId});  // ... WIDTH=w HEIGHT=h ...
    width = geometry.section("WIDTH=", 1).section('\n', 0, 0).toInt();
    height = geometry.section("HEIGHT=", 1).section('\n', 0, 0).toInt();
    return width > 400;
  }));
  // Cubes, a user's pace apart, each with the pointer over the view where F5
  // puts it; the twentieth makes the copy, which then holds exactly twenty
  // (a key a loaded display drops is pressed again). Focus and pointer are
  // taken again for every key, since other tests may share the display.
  for (int i = 0; i < 2 * EditorRecovery::kEditsPerCopy && !fs::exists(childCopy); ++i) {
    Xdotool({"windowfocus", "--sync", windowId, "mousemove", "--window", windowId, QString::number(width / 3),
             QString::number(height * 2 / 3), "key", "F5"});
    QTest::qWait(350);  // another process: nothing tells when it has taken the key until the twentieth
  }
  ASSERT_TRUE(Soon([&] { return fs::exists(childCopy); }, 10000));
  editor.kill();  // SIGKILL: nothing of the editor's own runs
  ASSERT_TRUE(editor.waitForFinished());
  EXPECT_EQ(editor.exitStatus(), QProcess::CrashExit);
  EXPECT_EQ(NamesIn(doc), std::vector<std::string>{"saved"});

  // Started again, the window offers the work under the document's name and
  // claims the copy; Save writes the document where it came from.
  boxes.recoveryAnswers = {RecoveryAnswer::Open};
  auto& w = Open();
  ASSERT_TRUE(Soon([&] { return w.Probe().Count() == 1 + EditorRecovery::kEditsPerCopy; }));
  ASSERT_EQ(boxes.recoveryQuestions.size(), 1u);
  ASSERT_EQ(boxes.recoveryLists[0].size(), 1u);
  EXPECT_NE(boxes.recoveryLists[0][0].find("doc.zobj3d"), std::string::npos) << boxes.recoveryLists[0][0];
  EXPECT_EQ(w.Probe().Element(0).name.str(), "saved");
  for (int32_t i = 1; i < w.Probe().Count(); ++i) EXPECT_EQ(+w.Probe().Element(i).kind, 0) << i;
  EXPECT_EQ(Child<QListView>(w, "Lista1")->model()->rowCount(), w.Probe().Count());
  EXPECT_EQ(w.Probe().FileName(), "") << "a copy never takes over its file unasked";
  EXPECT_TRUE(Starred());
  const std::string own = ThisProcess().Name();
  EXPECT_EQ(FilesIn(folder()), (std::vector<std::string>{own + ".path", own + ".zobj3d"}));
  EXPECT_EQ(ReadElements(ownCopy()).size(), size_t(w.Probe().Count()));
  // Untitled, its copy still names the document, should this editor end too.
  std::ifstream named(folder() + "/" + own + ".path", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(named), {}), doc);
  // Save asks, proposing the document's own name and folder.
  files.paths = {doc};
  Key(Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(files.questions.size(), 1u);
  EXPECT_EQ(files.questions[0].proposed, "doc.zobj3d");
  EXPECT_EQ(files.questions[0].folder, dir.path() + "/");
  EXPECT_EQ(ReadElements(doc).size(), size_t(w.Probe().Count()));
  EXPECT_EQ(FilesIn(folder()), std::vector<std::string>{});
  EXPECT_FALSE(Starred());
}

// The folder holds copies of the user's documents: it is made private, a
// link or a folder others may enter is never written into (it is moved
// aside, contents and all, and a fresh folder made), and links planted at
// a copy's names are replaced, never followed.
TEST_F(Recovery, CopiesGoOnlyIntoAPrivateFolderAndNeverThroughALink) {
  const std::string f = folder();
  fs::create_directories(fs::path(f).parent_path());
  const std::string elsewhere = dir.file("elsewhere");
  fs::create_directory(elsewhere);
  TIMem32 store;
  Fill(store, {Cube("mine", 1)});
  const ProcessTag me = ThisProcess();
  const std::string copyName = me.Name() + ".zobj3d", pathName = me.Name() + ".path";

  struct Planted {
    const char* what;
    std::function<void()> plant;
  } cases[] = {
      {"a link to another folder", [&] { fs::create_directory_symlink(elsewhere, f); }},
      {"a folder open to everyone",
       [&] {
         fs::create_directory(f);
         ::chmod(f.c_str(), 0777);
         std::ofstream(f + "/someone's.txt") << "kept";
       }},
      {"a folder open to the group", [&] { fs::create_directory(f), ::chmod(f.c_str(), 0750); }},
      {"another user's folder",
       [&] {
         fs::create_directory(f);
         ::chmod(f.c_str(), 0700);
         if (::geteuid() == 0) {
           EXPECT_EQ(::chown(f.c_str(), 4321, 4321), 0);
         }
       }},
  };
  for (const Planted& c : cases) {
    SCOPED_TRACE(c.what);
    if (std::string(c.what) == "another user's folder" && ::geteuid() != 0) continue;
    fs::remove_all(fs::path(f).parent_path());
    fs::create_directories(fs::path(f).parent_path());
    c.plant();
    EXPECT_EQ(RecoveryFolder(f).Orphans().size(), 0u);
    EXPECT_EQ(RecoveryFolder(f).Write(me, "/docs/a.zobj3d", store), "");
    struct stat st {};
    ASSERT_EQ(::lstat(f.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(st.st_uid, ::geteuid());
    EXPECT_EQ(FilesIn(elsewhere), std::vector<std::string>{}) << "written through the link";
    EXPECT_EQ(FilesIn(f), (std::vector<std::string>{pathName, copyName}));
    // What stood there is kept aside, untouched.
    int aside = 0;
    for (const std::string& name : FilesIn(fs::path(f).parent_path()))
      if (name.rfind("recovery.refused-", 0) == 0) ++aside;
    EXPECT_EQ(aside, 1);
  }

  // Links planted at the copy's own names: replaced, their targets untouched.
  const std::string target = dir.file("precious.txt");
  std::ofstream(target) << "precious";
  for (const std::string& name : {copyName, pathName}) {
    fs::remove(f + "/" + name);
    fs::create_symlink(target, f + "/" + name);
  }
  EXPECT_EQ(RecoveryFolder(f).Write(me, "/docs/a.zobj3d", store), "");
  EXPECT_EQ(dir.read("precious.txt"), "precious");
  for (const std::string& name : {copyName, pathName}) {
    struct stat st {};
    ASSERT_EQ(::lstat((f + "/" + name).c_str(), &st), 0) << name;
    EXPECT_TRUE(S_ISREG(st.st_mode)) << name;
    EXPECT_EQ(st.st_mode & 0777, 0600u) << name;
  }
  EXPECT_EQ(NamesIn(f + "/" + copyName), std::vector<std::string>{"mine"});
  EXPECT_EQ(FilesIn(f), (std::vector<std::string>{pathName, copyName})) << "a temporary file stayed";
}

// Without a data folder (no home, only relative XDG values) no copy is
// written anywhere, and the user sees why in the status line, as for any
// other failure to write one.
TEST_F(Recovery, AFailedCopyIsToldInTheStatusLine) {
  dir.write("data", "a file where the data folder should be");
  auto& w = OpenWith({Cube("first", 1)});
  MoveFirstElement(EditorRecovery::kEditsPerCopy);
  ASSERT_TRUE(Soon([&] { return w.Probe().StatusLine().contains(QString::fromLatin1("recupera\xE7\xE3o")); }))
      << w.Probe().StatusLine().toStdString();

  EXPECT_EQ(EditorRecovery::FolderPath(), dir.file("data") + "/objetos3d/recovery");
  const QByteArray home = qgetenv("HOME");
  qputenv("XDG_DATA_HOME", "relative/data");
  qunsetenv("HOME");
  const std::string unset = EditorRecovery::FolderPath();
  qputenv("HOME", home);
  EXPECT_TRUE(unset.empty() || unset[0] == '/') << unset;
  EXPECT_EQ(unset.find("relative"), std::string::npos) << unset;
}

// Started on a document while copies wait: the named document is open, the
// offer names the document of each copy and says which one it replaces.
// Opening one leaves both files as they were; Save asks where to write.
TEST_F(Recovery, TheDocumentOnTheCommandLineIsOpenedBeforeCopiesAreOffered) {
  const std::string other = dir.file("other.zobj3d");
  WriteElements(other, {Cube("other saved", 1)});
  Leave(EndedProcess(), other, {Cube("other unsaved", 1), Cube("more", 3)});
  Open(dir.file("named.zobj3d"));  // a new document
  ASSERT_TRUE(Soon([&] { return boxes.recoveryLists.size() == 1u; }));
  EXPECT_EQ(window->Probe().FileName(), dir.file("named.zobj3d"));
  EXPECT_EQ(window->windowTitle(), "Objetos 3D - named.zobj3d");
  ASSERT_EQ(boxes.recoveryLists[0].size(), 1u);
  EXPECT_EQ(boxes.recoveryLists[0][0].rfind("other.zobj3d  " + dir.path() + "/", 0), 0u) << boxes.recoveryLists[0][0];
  EXPECT_NE(boxes.recoveryQuestions[0].find("named.zobj3d"), std::string::npos) << boxes.recoveryQuestions[0];

  WriteElements(dir.file("named.zobj3d"), {Cube("named", 1)});
  boxes.recoveryLists.clear();
  boxes.recoveryAnswers = {RecoveryAnswer::Open};
  auto& w = Open(dir.file("named.zobj3d"));
  ASSERT_TRUE(Soon([&] { return w.Probe().Count() == 2; }));
  EXPECT_EQ(w.Probe().Element(0).name.str(), "other unsaved");
  EXPECT_EQ(w.Probe().FileName(), "");
  EXPECT_TRUE(Starred());
  Key(Qt::Key_S, Qt::ControlModifier);  // asks: cancelled
  ASSERT_EQ(files.questions.size(), 1u);
  EXPECT_EQ(files.questions[0].proposed, "other.zobj3d");
  EXPECT_EQ(NamesIn(other), std::vector<std::string>{"other saved"});
  EXPECT_EQ(NamesIn(dir.file("named.zobj3d")), std::vector<std::string>{"named"});
}
