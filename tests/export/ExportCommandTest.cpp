// The batch tool's export command, run as a separate process.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/export/CliFixture.h"

namespace {
namespace fs = std::filesystem;


class ExportCommandTest : public CliFixture {
 protected:
  CliRun Cli(const std::string& arguments) const { return Run(arguments); }
};

TEST_F(ExportCommandTest, ObjExportWritesGeometryMaterialsAndTextures) {
  ASSERT_EQ(Cli("export " + sample + " " + Out("s.obj")).status, 0);
  std::ifstream obj(Out("s.obj"));
  std::string first;
  std::getline(obj, first);
  EXPECT_EQ(first, "mtllib s.mtl");
  int vertices = 0, faces = 0;
  for (std::string line; std::getline(obj, line);) {
    vertices += line.rfind("v ", 0) == 0;
    faces += line.rfind("f ", 0) == 0;
  }
  EXPECT_GT(vertices, 100);
  EXPECT_GT(faces, 50);
  EXPECT_GT(fs::file_size(Out("s.mtl")), 100u);
  EXPECT_TRUE(fs::exists(Out("textures/texture3.bmp")));
}

TEST_F(ExportCommandTest, PictureHasTheRequestedSize) {
  ASSERT_EQ(Cli("export " + sample + " " + Out("p.jpeg") + " --width 320 --height 200 --view 1").status, 0);
  const QImage picture(QString::fromStdString(Out("p.jpeg")));
  EXPECT_EQ(picture.width(), 320);
  EXPECT_EQ(picture.height(), 200);
  ASSERT_EQ(Cli("export " + sample + " " + Out("d.jpeg")).status, 0);
  EXPECT_EQ(QImage(QString::fromStdString(Out("d.jpeg"))).size(), QSize(1024, 768));
}

TEST_F(ExportCommandTest, OtherExtensionsWriteTheDocument) {
  ASSERT_EQ(Cli("export " + sample + " " + Out("copy.zobj3d")).status, 0);
  EXPECT_EQ(fs::file_size(Out("copy.zobj3d")), fs::file_size(sample));
}

TEST_F(ExportCommandTest, FailuresExitWithTwoAndOneLine) {
  CliRun r = Cli("export " + Out("missing.zobj3d") + " " + Out("x.obj"));
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(std::count(r.stderrText.begin(), r.stderrText.end(), '\n'), 1) << r.stderrText;
  for (const char* name : {"no/such/folder/x.obj", "no/such/folder/x.jpeg", "no/such/folder/x.zobj3d"}) {
    r = Cli("export " + sample + " " + Out(name));
    EXPECT_EQ(r.status, 2) << name;
    EXPECT_NE(r.stderrText.find("objetos3d-cli:"), std::string::npos) << name;
  }
  EXPECT_EQ(Cli("export " + sample).status, 2);
  EXPECT_EQ(Cli("export " + sample + " " + Out("x.obj") + " --view 4").status, 2);
  EXPECT_EQ(Cli("export " + sample + " " + Out("x.obj") + " --width 0").status, 2);
}
}  // namespace
