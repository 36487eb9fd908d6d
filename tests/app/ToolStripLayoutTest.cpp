// The tool strip laid out at the widths of its texts, in either language.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QScrollBar>

#include "EditorFixture.h"
#include "TBarraDeEstado.h"
#include "common/Dictionary.h"
#include "controls/TMPanel.h"
#include "controls/TSBM.h"
#include "controls/TZSpinEdit.h"

namespace {
QRect InPanel(QWidget* panel, QWidget* w) { return QRect(w->mapTo(panel, QPoint(0, 0)), w->size()); }

// Every shown text of the strip is as wide as it needs and overlaps no other.
void ExpectTextsFit(TFEditorDeObjetos1& w, const char* language) {
  SCOPED_TRACE(language);
  std::vector<QWidget*> texts;
  for (QLabel* l : Child<QWidget>(w, "Panel1")->findChildren<QLabel*>())
    if (l->isVisible() && !l->text().isEmpty()) texts.push_back(l);
  for (QCheckBox* c : Child<QWidget>(w, "Panel1")->findChildren<QCheckBox*>())
    if (c->isVisible()) texts.push_back(c);
  ASSERT_GT(texts.size(), 30u);
  for (size_t i = 0; i < texts.size(); ++i) {
    QWidget* a = texts[i];
    const std::string name = a->property("text").toString().toStdString();
    EXPECT_GE(a->width(), a->sizeHint().width()) << name;
    EXPECT_LE(InPanel(Child<QWidget>(w, "Panel1"), a).right(), Child<QWidget>(w, "Panel1")->width()) << name;
    for (size_t k = i + 1; k < texts.size(); ++k)
      EXPECT_FALSE(InPanel(Child<QWidget>(w, "Panel1"), a).intersects(InPanel(Child<QWidget>(w, "Panel1"), texts[k])))
          << name << " / " << texts[k]->property("text").toString().toStdString();
  }
  // The property editors stand left to right without touching.
  const std::vector<QWidget*> row = {
      Child<QLabel>(w, "Label4"),        Child<TMPanel>(w, "PCor1"),        Child<QLabel>(w, "Label8"),
      Child<QComboBox>(w, "CTextura"),   Child<QCheckBox>(w, "CInvisivel"), Child<QLabel>(w, "Label10"),
      Child<QLabel>(w, "Label7"),        Child<TZSpinEdit>(w, "EAxy"),      Child<QLabel>(w, "LAyz"),
      Child<TZSpinEdit>(w, "EAyz"),      Child<QLabel>(w, "LAxz"),          Child<TZSpinEdit>(w, "EAxz"),
      Child<QLabel>(w, "Label5"),        Child<TZSpinEdit>(w, "EChanfro1"), Child<QLabel>(w, "Label6"),
      Child<TZSpinEdit>(w, "ESuperior1")};
  for (size_t i = 1; i < row.size(); ++i) EXPECT_LT(row[i - 1]->geometry().right(), row[i]->x()) << i;
  // Key captions fit inside their buttons, with the frame around them.
  for (TSBM* b : KeyButtons(w))
    EXPECT_GE(b->width(), QFontMetrics(b->font()).horizontalAdvance(QString::fromStdString(b->Caption())) + 6)
        << b->Caption();
}
}  // namespace

// The strip's texts fit in either language; with a dictionary the whole
// window is English: strip, menus, lists and the names of new elements.
TEST_F(EditorFixture, ToolStripTextsFitInEitherLanguage) {
  FreeDictionary();
  EXPECT_EQ(Child<QLabel>(Open(), "Label4")->text(), "Cor:");
  ExpectTextsFit(*window, "Portuguese");
  dir.write("tradutorgeral.dat", "header\r\n");
  LoadDictionaryFile(dir.file("tradutorgeral.dat"));
  ASSERT_TRUE(HasDictionary());
  auto& w = Open();
  EXPECT_EQ(Child<QLabel>(w, "Label4")->text(), "Color:");
  EXPECT_EQ(Child<QLabel>(w, "Label5")->text(), "Bevel:");
  ExpectTextsFit(w, "English");
  EXPECT_EQ(Child<QAction>(w, "Novo1")->text(), "New");
  EXPECT_EQ(Child<QAction>(w, "Salvarcomo1")->text(), "Save As...");
  EXPECT_EQ(Child<QAction>(w, "Grade1")->text(), "Grid...");
  EXPECT_EQ(Child<QComboBox>(w, "CTextura")->itemText(0), "<none>");
  Key(Qt::Key_F5);
  ASSERT_EQ(w.Probe().Count(), 1);
  EXPECT_EQ(w.Probe().Element(0).name.str(), "cube1");
}

// Below the design width the strip scrolls: at 900 pixels every key button
// can be brought into view with the scroll bar and pressed; the view and
// the element list stay as they were.
TEST_F(EditorFixture, ANarrowWindowScrollsTheToolStripIntoReach) {
  auto& w = Open();
  w.resize(900, 700);
  ASSERT_TRUE(Soon([&] { return w.width() == 900; }));
  QApplication::processEvents();
  TSBM* f11 = KeyButtons(w).back();
  ASSERT_EQ(f11->Caption(), "F11");
  auto shown = [&](QWidget* b) { return w.rect().contains(QRect(b->mapTo(&w, QPoint(0, 0)), b->size())); };
  EXPECT_FALSE(shown(f11));
  QScrollBar* bar = nullptr;
  for (QScrollBar* b : w.findChildren<QScrollBar*>())
    if (b->isVisible() && b->orientation() == Qt::Horizontal && b->window() == &w) bar = b;
  ASSERT_NE(bar, nullptr) << "nothing to reach the cut-off controls with";
  EXPECT_GE(bar->mapTo(&w, QPoint(0, 0)).y(),
            Child<QWidget>(w, "Panel1")->mapTo(&w, QPoint(0, Child<QWidget>(w, "Panel1")->height())).y() - 1)
      << "the scroll bar covers the strip";
  for (int i = 0; i < 20 && !shown(f11); ++i) {
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(bar->width() - 30, bar->height() / 2));
    QApplication::processEvents();
  }
  ASSERT_TRUE(shown(f11));
  QTest::mouseClick(f11, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_TRUE(w.Probe().StatusLine().contains("Bloco"));
  EXPECT_GT(ViewOf(w)->width(), 500);
  EXPECT_TRUE(shown(Child<QListView>(w, "Lista1")));

  w.resize(1346, 700);
  ASSERT_TRUE(Soon([&] { return w.width() == 1346; }));
  QApplication::processEvents();
  EXPECT_FALSE(bar->isVisible()) << "a scroll bar at the design width";
  for (TSBM* b : KeyButtons(w)) EXPECT_TRUE(shown(b)) << b->Caption();
}
