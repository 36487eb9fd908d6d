// File names with accents from the command line, the file dialogs and the
// texture folder; the texture chooser and the element list as they look.
#include <unistd.h>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "EditorFixture.h"
#include "common/DataPath.h"

namespace {
namespace fs = std::filesystem;

// "ação.zobj3d" and friends as the file system spells them.
const char kAcao[] = "a\xC3\xA7\xC3\xA3o.zobj3d";
const int32_t kSampleElements = 16;

void CopySample(const std::string& to) {
  fs::copy_file(DataPath("Vist3D/sample.zobj3d"), to, fs::copy_options::overwrite_existing);
}

int32_t ElementsIn(const std::string& path) { return static_cast<int32_t>((fs::file_size(path) - 22) / 289); }

// WCAG contrast of two colours.
double Contrast(QColor a, QColor b) {
  auto luminance = [](QColor c) {
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The darkest pixel of a region: the colour its text is written in.
QColor DarkestIn(const QImage& image, const QRect& r) {
  QColor darkest = Qt::white;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.lightness() < darkest.lightness()) darkest = c;
    }
  return darkest;
}
// As a user steps through a drop-down list: a click opens it, Down moves
// to the next entry that can be chosen, Enter chooses it.
void ChooseNext(QComboBox* box) {
  QTest::mouseClick(box, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([box] { return box->view()->isVisible(); }));
  QTest::keyClick(box->view(), Qt::Key_Down);
  QTest::keyClick(box->view(), Qt::Key_Return);
  ASSERT_TRUE(QTest::qWaitFor([box] { return !box->view()->isVisible(); }));
}
}  // namespace

// The arguments are one path, spaces and all; the texture list offers none
// first, then the .jpeg, .jpg and other pictures.
TEST_F(EditorFixture, StartUpJoinsTheArgumentsIntoOnePathAndListsTheTextures) {
  WriteElements(dir.file("my room.zobj3d"), {Cube("a", 0), Cube("b", 4)});
  auto& w = Open({QString::fromStdString(dir.file("my")), "room.zobj3d"});
  EXPECT_EQ(w.Probe().Count(), 2);
  EXPECT_EQ(w.Probe().FileName(), dir.file("my room.zobj3d"));
  EXPECT_EQ(w.windowTitle(), "Objetos 3D - my room.zobj3d");
  EXPECT_EQ(Child<QListView>(w, "Lista1")->model()->rowCount(), 2);
  ASSERT_GE(Child<QComboBox>(w, "CTextura")->count(), 2);
  EXPECT_EQ(Child<QComboBox>(w, "CTextura")->itemText(0), "<nenhuma>");
  int lastGroup = 0;
  for (int i = 1; i < Child<QComboBox>(w, "CTextura")->count(); ++i) {
    const QString ext = Child<QComboBox>(w, "CTextura")->itemText(i).section('.', -1).toLower();
    const int group = ext == "jpeg" ? 0 : ext == "jpg" ? 1 : 2;
    EXPECT_GE(group, lastGroup) << Child<QComboBox>(w, "CTextura")->itemText(i).toStdString();
    lastGroup = group;
  }
}

// An accented path, from the command line or the dialogs, opens and saves
// under its own bytes; one that cannot be read is named as Latin-1 text.
TEST_F(EditorFixture, AccentedPathsFromTheCommandLineAndTheDialogs) {
  const std::string folder = dir.file("pasta \xC3\xA7");  // "pasta ç"
  fs::create_directories(folder);
  const std::string path = folder + "/" + kAcao;
  CopySample(path);
  // Qt reads each argument in the system's file-name encoding.
  auto& w = Open({QString::fromLocal8Bit(path.c_str())});
  EXPECT_EQ(w.Probe().Count(), kSampleElements);
  EXPECT_EQ(w.Probe().FileName(), path);
  EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Objetos 3D - a\xC3\xA7\xC3\xA3o.zobj3d"));
  ClickListRow(0);
  Key(Qt::Key_Delete);
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(ElementsIn(path), kSampleElements - 1);
  // The same file, and no second one under another spelling of its name.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

  files.paths = {path, folder + "/c\xC3\xB3pia.zobj3d", folder + "/exporta\xC3\xA7\xC3\xA3o.obj"};
  Pick('A', Child<QAction>(w, "Abrir1"));
  EXPECT_EQ(w.Probe().Count(), kSampleElements - 1);
  EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Objetos 3D - a\xC3\xA7\xC3\xA3o.zobj3d"));

  Pick('A', Child<QAction>(w, "Salvarcomo1"));
  ASSERT_EQ(files.questions.size(), 2u);
  EXPECT_EQ(files.questions[1].folder, folder + "/");  // the document's folder
  EXPECT_EQ(ElementsIn(folder + "/c\xC3\xB3pia.zobj3d"), kSampleElements - 1);
  EXPECT_EQ(w.Probe().FileName(), folder + "/c\xC3\xB3pia.zobj3d");
  EXPECT_EQ(w.windowTitle(), QString::fromUtf8("Objetos 3D - c\xC3\xB3pia.zobj3d"));

  Pick('A', Child<QAction>(w, "Exportar1"));
  EXPECT_TRUE(fs::exists(folder + "/exporta\xC3\xA7\xC3\xA3o.obj"));
  EXPECT_TRUE(fs::exists(folder + "/exporta\xC3\xA7\xC3\xA3o.mtl"));
  EXPECT_TRUE(boxes.warnings.empty());

  // A file that cannot be read is named in the warning as Latin-1 text.
  std::ofstream(folder + "/quebrado_\xC3\xA7.zobj3d") << "short";  // less than a header
  files.paths = {folder + "/quebrado_\xC3\xA7.zobj3d"};
  ClickListRow(3);
  Pick('A', Child<QAction>(w, "Abrir1"));
  EXPECT_EQ(w.Probe().Count(), 0);
  EXPECT_EQ(w.Probe().SelectionCount(), 0);
  ASSERT_EQ(boxes.warnings.size(), 1u);
  EXPECT_NE(boxes.warnings[0].find("quebrado_\xE7.zobj3d"), std::string::npos) << boxes.warnings[0];
}

// A name in bytes that are not UTF-8 (an old Latin-1 "ç") opens from the
// command line and saves back to the same file.
TEST_F(EditorFixture, ANameThatIsNotUtf8OpensAndSavesInPlace) {
  const std::string path = dir.file("sala_\xE7.zobj3d");
  CopySample(path);
  auto& w = OpenBytes({path});
  EXPECT_EQ(w.Probe().Count(), kSampleElements);
  EXPECT_EQ(w.Probe().FileName(), path);
  ClickListRow(0);
  Key(Qt::Key_Delete);
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(ElementsIn(path), kSampleElements - 1);
  EXPECT_TRUE(boxes.warnings.empty());
}

// A texture whose UTF-8 file name has accents: offered by its name, stored in
// the element as Latin-1, and shown with its picture in the closed box too.
TEST_F(EditorFixture, AccentedTextureIsChosenStoredAsLatinTextAndShown) {
  const std::string utf8 = "madeira_\xC3\xA7\xC3\xA3o_" + std::to_string(getpid()) + ".bmp";
  const std::string file = DataPath("Vist3D/TEX/") + utf8;
  QImage picture(24, 24, QImage::Format_RGB888);
  picture.fill(QColor(20, 180, 60));
  ASSERT_TRUE(picture.save(QFile::decodeName(QByteArray::fromStdString(file)), "BMP"));
  struct Remove {
    std::string path;
    ~Remove() { fs::remove(path); }
  } remove{file};
  const std::string path = dir.file("room.zobj3d");
  CopySample(path);
  auto& w = Open({QString::fromStdString(path)});
  const int item = Child<QComboBox>(w, "CTextura")->findText(QFile::decodeName(QByteArray::fromStdString(utf8)));
  ASSERT_GT(item, 0);

  ClickListRow(0);
  for (int k = 0; k < item && Child<QComboBox>(w, "CTextura")->currentIndex() != item; ++k)
    ChooseNext(Child<QComboBox>(w, "CTextura"));
  EXPECT_EQ(w.Probe().Element(0).texture.str(), "madeira_\xE7\xE3o_" + std::to_string(getpid()) + ".bmp");

  // The closed box: the picture at the left of its field, then the name.
  const QImage box = Child<QComboBox>(w, "CTextura")->grab().toImage();
  int green = 0;
  for (int y = 0; y < box.height(); ++y)
    for (int x = 0; x < box.height(); ++x)
      if (box.pixelColor(x, y) == QColor(20, 180, 60)) ++green;
  EXPECT_GT(green, 100);
}

// Texture files whose names a document cannot keep (beyond Latin-1, or too
// long) are listed greyed with a hint, and choosing passes over them: the
// element would name no file.
TEST_F(EditorFixture, TextureNamesADocumentCannotKeepCannotBeChosen) {
  const std::string tag = std::to_string(getpid());
  const std::vector<std::string> names = {"\xE6\x9C\xA8_" + tag + ".bmp", std::string(64, 'w') + tag + ".bmp"};
  QImage picture(8, 8, QImage::Format_RGB888);
  picture.fill(Qt::red);
  struct Remove {
    std::vector<std::string> paths;
    ~Remove() {
      for (const std::string& p : paths) fs::remove(p);
    }
  } remove;
  for (const std::string& name : names) {
    remove.paths.push_back(DataPath("Vist3D/TEX/") + name);
    ASSERT_TRUE(picture.save(QFile::decodeName(QByteArray::fromStdString(remove.paths.back())), "BMP"));
  }
  CopySample(dir.file("room.zobj3d"));
  auto& w = Open(dir.file("room.zobj3d"));
  for (const std::string& name : names) {
    const int item = Child<QComboBox>(w, "CTextura")->findText(QFile::decodeName(QByteArray::fromStdString(name)));
    ASSERT_GT(item, 0) << name;
    EXPECT_FALSE(Child<QComboBox>(w, "CTextura")->model()->index(item, 0).flags() & Qt::ItemIsEnabled) << name;
    EXPECT_FALSE(Child<QComboBox>(w, "CTextura")->itemData(item, Qt::ToolTipRole).toString().isEmpty()) << name;
  }
  ClickListRow(0);
  for (int k = 0; k < Child<QComboBox>(w, "CTextura")->count(); ++k) {
    ChooseNext(Child<QComboBox>(w, "CTextura"));
    const std::string stored = w.Probe().Element(0).texture.str();
    EXPECT_EQ(stored.find('?'), std::string::npos) << stored;
    EXPECT_NE(stored.rfind("wwwwwwww", 0), 0u) << stored;
  }
}

TEST_F(EditorFixture, InvisibleElementsAreGreyedButReadable) {
  const std::string path = dir.file("room.zobj3d");
  CopySample(path);
  auto& w = Open({QString::fromStdString(path)});
  ClickListRow(0);
  if (!Child<QCheckBox>(w, "CInvisivel")->isChecked())
    QTest::mouseClick(Child<QCheckBox>(w, "CInvisivel"), Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
  ASSERT_TRUE(w.Probe().IsInvisible(0));
  ClickListRow(2);  // element 0 no longer selected
  ASSERT_FALSE(w.Probe().IsInvisible(1));
  const QImage list = Child<QListView>(w, "Lista1")->viewport()->grab().toImage();
  auto row = [&](int r) {
    return Child<QListView>(w, "Lista1")->visualRect(Child<QListView>(w, "Lista1")->model()->index(r, 0));
  };
  const QColor background = list.pixelColor(row(0).topRight());
  const QColor hidden = DarkestIn(list, row(0));
  const QColor shown = DarkestIn(list, row(1));
  EXPECT_GE(Contrast(hidden, background), 3.0) << hidden.name().toStdString();
  EXPECT_GT(hidden.lightness(), shown.lightness() + 40);
}
