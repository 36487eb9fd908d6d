// The window's controls as a test or an accessibility tool finds them: by
// the names the window's design gives them, each name on one control only,
// so a search by name can never land on the wrong widget.
#include <QAction>
#include <QMenu>
#include <map>

#include "EditorFixture.h"

namespace {
using ControlNames = EditorFixture;

const char* const kDesignNames[] = {
    "Panel1",    "Mulfig1",     "PCor1",          "CTextura",   "CInvisivel",     "EAxy",
    "EAyz",      "EAxz",        "EChanfro1",      "ESuperior1", "MMovimento1",    "MEixo1",
    "Label4",    "Label5",      "Label6",         "Label7",     "Label8",         "Label10",
    "LAyz",      "LAxz",        "Tela1",          "Lista1",     "Novo1",          "Abrir1",
    "Salvar1",   "Salvarcomo1", "Exportar1",      "Sair1",      "Editar1",        "Desfazer1",
    "Refazer1",  "Copiar1",     "Colar1",         "Apagar1",    "Grade1",         "NiveisDesfazer1",
    "Recentes1", "Idioma1",     "BarraDeEstado1", "ModeHint1",  "ValoresExatos1", "keyRow"};
}  // namespace

TEST_F(ControlNames, EveryDesignNameIsOneControlAndTheKeyRowIsInItsOrder) {
  auto& w = Open();
  Key(Qt::Key_F1);  // the key list window is the window's child too: it must not repeat a name
  std::map<QString, int> uses;
  for (QObject* o : w.findChildren<QObject*>())
    if (!o->objectName().isEmpty()) ++uses[o->objectName()];
  for (const char* name : kDesignNames) EXPECT_EQ(uses[QString::fromLatin1(name)], 1) << name;

  // The kinds of controls a test clicks on are what the names promise.
  EXPECT_NE(w.findChild<TGLPanel*>("Tela1"), nullptr);
  EXPECT_NE(w.findChild<QMenu*>("Editar1"), nullptr);
  EXPECT_NE(w.findChild<QAction*>("Desfazer1"), nullptr);

  // The key row as it stands on the screen, left to right, from Esc to F11,
  // each with a name a screen reader speaks.
  const QList<TSBM*> keys = KeyButtons(w);
  ASSERT_GE(keys.size(), 10);
  EXPECT_EQ(keys.front()->Caption(), "ESC");
  EXPECT_EQ(keys.back()->Caption(), "F11");
  for (qsizetype i = 1; i < keys.size(); ++i) {
    const int left = keys[i - 1]->mapTo(&w, QPoint(0, 0)).x(), right = keys[i]->mapTo(&w, QPoint(0, 0)).x();
    EXPECT_LT(left, right) << keys[i]->Caption();
    EXPECT_FALSE(keys[i]->accessibleName().isEmpty()) << keys[i]->Caption();
  }
}

// The probe reads what the user's last action left, through a probe taken
// before it: it is a view of the live window, not a copy.
TEST_F(ControlNames, TheProbeFollowsTheWindow) {
  auto& w = OpenWith({Cube("a", -4), Cube("b", 4)});
  const EditorProbe probe = w.Probe();
  ASSERT_EQ(probe.SelectionCount(), 0);
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(probe.SelectionCount(), 2);
  Key(Qt::Key_Delete);
  EXPECT_EQ(probe.Count(), 0);
  EXPECT_EQ(probe.UndoCount(), 1);
  EXPECT_FALSE(probe.Message().isEmpty()) << "the deletion is told";
}
