// The editor's host of the script run-time: the exported functions reach
// the control library's dialogs and the keyboard through it.
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <cstring>
#include <vector>

#include "EditorFixture.h"
#include "ScriptHostQt.h"
#include "controls/TFCalen.h"
#include "controls/TZBox.h"
#include "scriptrt/ScriptExports.h"

namespace {
// A script text record: capacity, length, then the characters.
std::vector<uint8_t> Text(const std::string& s) {
  std::vector<uint8_t> record(kScriptTextHeader + s.size() + 1, 0);
  const auto n = static_cast<uint16_t>(s.size());
  std::memcpy(record.data(), &n, 2);
  std::memcpy(record.data() + 2, &n, 2);
  std::memcpy(record.data() + kScriptTextHeader, s.data(), s.size());
  return record;
}
const ScriptText* AsText(const std::vector<uint8_t>& r) { return reinterpret_cast<const ScriptText*>(r.data()); }
}  // namespace

TEST_F(EditorFixture, ScriptFunctionsReachTheEditorsDialogsAndKeyboard) {
  EXPECT_EQ(zemoscriptSCREENWIDTH(), 0);  // no host yet: size 0
  InstallQtScriptHost();
  EXPECT_EQ(zemoscriptSCREENWIDTH(), QGuiApplication::primaryScreen()->size().width());
  EXPECT_EQ(zemoscriptSCREENHEIGHT(), QGuiApplication::primaryScreen()->size().height());

  const auto caption = Text("Passo"), title = Text("Valor:");
  WhenModal([](QWidget* modal) {
    auto* box = qobject_cast<TZBox*>(modal);
    ASSERT_NE(box, nullptr);
    box->Entrada()->setText("12,5");
    box->BotaoOK()->click();
  });
  EXPECT_EQ(zemoscriptINPUTNUMBER(AsText(caption), AsText(title), 3), 12.5);
  WhenModal([](QWidget* modal) { qobject_cast<TZBox*>(modal)->BotaoCancelar()->click(); });
  EXPECT_EQ(zemoscriptINPUTNUMBER(AsText(caption), AsText(title), 3), 3);

  WhenModal([](QWidget* modal) { qobject_cast<TFCalen*>(modal)->BotaoCancelar()->click(); });
  EXPECT_EQ(zemoscriptCHOOSEDATE(AsText(title), 45000), -1.0);

  auto& w = Open();
  EXPECT_EQ(zemoscriptESCPRESSED(), 0);
  QTest::keyClick(Child<QListView>(w, "Lista1"), Qt::Key_Escape);
  EXPECT_EQ(zemoscriptESCPRESSED(), 1);
  EXPECT_EQ(zemoscriptESCPRESSED(), 0);  // reported once per press
  RemoveQtScriptHost();
  EXPECT_EQ(zemoscriptSCREENWIDTH(), 0);
}
