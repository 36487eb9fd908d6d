// The caption names the product and the document the same way at start,
// after New, Open and either save, in the interface's language; the
// attributes dialog speaks that language too.
#include <QLabel>
#include <QPushButton>

#include "EditorFixture.h"
#include "TFE3DAtributos1.h"

namespace {
class WindowTexts : public EditorFixture {
 protected:
  void English() {
    dir.write("tradutorgeral.dat", "header\n");
    LoadDictionaryFile(dir.file("tradutorgeral.dat"));
    ASSERT_TRUE(HasDictionary());
  }

  // The captions seen through a session: start, Save as, New, Open, Save.
  // The File menu's access key: Arquivo or File.
  std::vector<QString> CaptionsOfASession(char file) {
    std::vector<QString> seen;
    auto& w = Open();
    seen.push_back(w.windowTitle());
    Key(Qt::Key_F5);
    files.paths = {dir.file("room.zobj3d")};
    Key(Qt::Key_S, Qt::ControlModifier);  // untitled: Save asks for a name
    seen.push_back(w.windowTitle());
    Pick(file, Child<QAction>(w, "Novo1"));
    seen.push_back(w.windowTitle());
    files.paths = {dir.file("room.zobj3d")};
    Pick(file, Child<QAction>(w, "Abrir1"));
    seen.push_back(w.windowTitle());
    Key(Qt::Key_F5);
    Key(Qt::Key_S, Qt::ControlModifier);
    seen.push_back(w.windowTitle());
    return seen;
  }
};
}  // namespace

TEST_F(WindowTexts, TheCaptionNamesTheProductAndTheDocumentInEitherLanguage) {
  EXPECT_EQ(CaptionsOfASession('A'), (std::vector<QString>{"Objetos 3D - Nenhum arquivo", "Objetos 3D - room.zobj3d",
                                                           "Objetos 3D - Nenhum arquivo", "Objetos 3D - room.zobj3d",
                                                           "Objetos 3D - room.zobj3d"}));
  EXPECT_EQ(ReadElements(dir.file("room.zobj3d")).size(), 2u);
  English();
  EXPECT_EQ(CaptionsOfASession('F'),
            (std::vector<QString>{"Objetos 3D - No file", "Objetos 3D - room.zobj3d", "Objetos 3D - No file",
                                  "Objetos 3D - room.zobj3d", "Objetos 3D - room.zobj3d"}));
}

// Enter on a list line opens the element's attributes; in English its
// name field and its Cancel button are English too.
TEST_F(WindowTexts, TheAttributesDialogSpeaksTheInterfaceLanguage) {
  for (bool english : {false, true}) {
    SCOPED_TRACE(english ? "English" : "Portuguese");
    if (english) English();
    auto& w = OpenWith({Cube("porta", 0)});
    ClickListRow(0);
    QString name, cancel;
    WhenModal([&](QWidget* modal) {
      auto* dialog = qobject_cast<TFE3DAtributos1*>(modal);
      if (!dialog) {
        modal->close();
        return;
      }
      name = dialog->Label1->text();
      cancel = dialog->Button1->text();
      QTest::mouseClick(dialog->Button1, Qt::LeftButton);
    });
    Key(Qt::Key_Return);
    ASSERT_TRUE(Soon([&] { return !cancel.isEmpty(); }));
    EXPECT_EQ(name, english ? "Name:" : "Nome:");
    EXPECT_EQ(cancel, english ? "Cancel" : "Cancelar");
    EXPECT_EQ(w.Probe().Element(0).name.str(), "porta");
  }
}
