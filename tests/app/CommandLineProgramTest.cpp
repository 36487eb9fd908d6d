// The real editor started with a document whose name Qt would take as one of
// its own options: the window opens it (it reaches the recent documents).
#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>

#include "EditorFixture.h"

namespace {
TEST(EditorProgram, ADocumentNamedLikeAQtOptionIsOpened) {
  TestFolder dir;
  for (const char* name : {"-stylesheet=x.zobj3d", "-reverse"}) WriteElements(dir.file(name), {Cube("mine", 1)});
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("HOME", QString::fromStdString(dir.file("home")));
  env.insert("XDG_CONFIG_HOME", QString::fromStdString(dir.file("home/.config")));
  env.insert("XDG_DATA_HOME", QString::fromStdString(dir.file("home/.local/share")));
  for (const char* name : {"-stylesheet=x.zobj3d", "-reverse"}) {
    QProcess editor;
    editor.setProcessEnvironment(env);
    editor.setWorkingDirectory(QString::fromStdString(dir.path()));
    editor.start(OBJ3D_EDITOR_PROGRAM, {name});
    ASSERT_TRUE(editor.waitForStarted());
    const bool opened = QTest::qWaitFor(
        [&] { return dir.read("home/.config/objetos3d/objetos3d.ini").find(name) != std::string::npos; }, 30000);
    editor.kill();
    editor.waitForFinished();
    EXPECT_TRUE(opened) << name
                        << " never became a recent document; stderr: " << editor.readAllStandardError().toStdString();
  }
}
}  // namespace
