#include "TFE3DAtributos1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "FileNameDialogs.h"
#include "LatinText.h"
#include "common/DataPath.h"
#include "common/Dictionary.h"
#include "common/Latin1.h"
#include "common/NonFiniteText.h"
#include "controls/ControlHint.h"
#include "controls/MessageBoxes.h"
#include "controls/WindowTranslation.h"
#include "document/Element3D.h"

namespace {
// `hint` is the text in the alternate language.
QLabel* MakeLabel(QWidget* parent, const char* text, int x, int y, const char* hint = nullptr) {
  auto* l = new QLabel(L1(text), parent);
  if (hint) SetHint(l, hint);
  l->move(x, y);
  return l;
}

QLineEdit* MakeEdit(QWidget* parent, const char* text, int x, int y, int w) {
  auto* e = new QLineEdit(L1(text), parent);
  e->setGeometry(x, y, w, 21);
  return e;
}

QComboBox* MakeCombo(QWidget* parent, bool editable, std::initializer_list<const char*> items, int x, int y, int w) {
  auto* c = new QComboBox(parent);
  c->setEditable(editable);
  for (const char* item : items) c->addItem(L1(item));
  c->setGeometry(x, y, w, 21);
  return c;
}
}  // namespace

TFE3DAtributos1::TFE3DAtributos1(QWidget* parent) : QDialog(parent) {
  setWindowTitle("3D Element");
  setFixedSize(457, 144);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);

  Label1 = MakeLabel(this, "Nome:", 16, 16, "Name:");
  ENome = MakeEdit(this, "", 64, 12, 376);
  LDimen = MakeLabel(this, "", 64, 40);
  LDimen->setTextFormat(Qt::PlainText);  // the element's numbers, never markup
  Label13 = MakeLabel(this, "Format if it is a tag: ", 16, 64);
  Label14 = MakeLabel(this, "Panel_Group_Tag   (example: Panel1_Group1_Tag1)", 150, 64);
  Button2 = new QPushButton("OK", this);
  Button2->setGeometry(280, 104, 75, 25);
  Button2->setDefault(true);
  Button1 = new QPushButton("Cancelar", this);
  SetHint(Button1, "Cancel");
  Button1->setGeometry(364, 104, 75, 25);

  // The binding fields, below the visible area.
  RNormal = new QRadioButton(" Normal ", this);
  RNormal->move(16, 160);
  RNormal->setChecked(true);
  GroupBox1 = new QGroupBox(this);
  GroupBox1->setGeometry(16, 184, 425, 56);
  MakeLabel(GroupBox1, "Propriedade:", 8, 8, "Property:");
  CPropriedade = MakeCombo(GroupBox1, false,
                           {"", "texto", "cor", "visibilidade", "x1", "y1", "x2", "y2", "altura", "dx", "dy", "dz", "x",
                            "y", "z", "axy", "axz", "ayz", "color"},
                           8, 26, 120);
  MakeLabel(GroupBox1, "Tag: ", 136, 8);
  ETag1 = MakeCombo(GroupBox1, true, {}, 136, 26, 160);
  MakeLabel(GroupBox1, "Casas decimais:", 304, 8, "Decimal places:");
  EFormato = MakeCombo(GroupBox1, true, {"", "0", "1", "2"}, 304, 26, 100);
  REscala = new QRadioButton(" Escala", this);
  SetHint(REscala, " Scale");
  REscala->move(16, 248);
  GroupBox2 = new QGroupBox(this);
  GroupBox2->setGeometry(16, 272, 425, 56);
  MakeLabel(GroupBox2, "M\xE1ximo:", 8, 8, "Maximum:");
  EMax = MakeEdit(GroupBox2, "100", 8, 26, 90);
  MakeLabel(GroupBox2, "M\xEDnimo:", 112, 8, "Minimum:");
  EMin = MakeEdit(GroupBox2, "0", 112, 26, 90);
  MakeLabel(GroupBox2, "Divis\xE3o:", 216, 8, "Division:");
  EDiv1 = MakeEdit(GroupBox2, "10", 216, 26, 90);
  MakeLabel(GroupBox2, "Subdivis\xE3o:", 320, 8, "Subdivision:");
  EDiv2 = MakeEdit(GroupBox2, "5", 320, 26, 90);
  RSubobjeto = new QRadioButton(" Subobjeto 3D", this);
  SetHint(RSubobjeto, " 3D sub-object");
  RSubobjeto->move(16, 336);
  GroupBox3 = new QGroupBox(this);
  GroupBox3->setGeometry(16, 360, 425, 104);
  MakeLabel(GroupBox3, "Arquivo:", 8, 8, "File:");
  EArquivo = MakeEdit(GroupBox3, "", 8, 26, 300);
  Button3 = new QPushButton("...", GroupBox3);
  Button3->setGeometry(312, 24, 25, 25);
  MakeLabel(GroupBox3, "Tag: ", 8, 54);
  ETagArquivo = MakeEdit(GroupBox3, "", 8, 72, 130);
  MakeLabel(GroupBox3, "Estados:", 150, 54, "States:");
  EEstados = MakeEdit(GroupBox3, "", 150, 72, 80);
  MakeLabel(GroupBox3, "Estado atual:", 240, 54, "Current state:");
  EAtual = MakeEdit(GroupBox3, "", 240, 72, 80);
  CDuploEstado1 = new QCheckBox("Duplo Estado", this);
  CDuploEstado1->hide();
  CSomenteLeitura1 = new QCheckBox("Somente leitura", this);
  CSomenteLeitura1->hide();
  GroupBox2->setEnabled(false);
  GroupBox3->setEnabled(false);

  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(Button1, &QPushButton::clicked, this, [this] { reject(); });
  connect(RNormal, &QRadioButton::clicked, this, [this] { RNormalClick(); });
  connect(REscala, &QRadioButton::clicked, this, [this] { REscalaClick(); });
  connect(RSubobjeto, &QRadioButton::clicked, this, [this] { RSubobjetoClick(); });
  connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });

  // As the main window: the dictionary first, then the built-in alternate texts.
  TranslateFormByDictionary(this, true);
  TranslateFormByHints(this, false);
}

void TFE3DAtributos1::EnableGroups(bool g1, bool g2, bool g3) {
  GroupBox1->setEnabled(g1);
  GroupBox2->setEnabled(g2);
  GroupBox3->setEnabled(g3);
}

void TFE3DAtributos1::Fill(const std::string& name, const Element3D& element) {
  const NameFields f = ParseElementName(name);
  const bool hasBar = name.find('|') != std::string::npos;
  if (!hasBar) {
    ENome->setText(L1(f.nome));
  } else if (name[0] == '!') {
    EnableGroups(true, false, false);
    ENome->setText(L1(f.nome));
    CPropriedade->setCurrentIndex(CPropriedade->findText(L1(f.propriedade)));
    ETag1->setEditText(L1(f.tag));
    EFormato->setEditText(L1(f.formato));
  } else if (f.form == NameFields::Scale) {
    REscala->setChecked(true);
    EnableGroups(false, true, false);
    EMax->setText(L1(f.max));
    EMin->setText(L1(f.min));
    EDiv1->setText(L1(f.div1));
    EDiv2->setText(L1(f.div2));
  } else if (f.form == NameFields::SubObject) {
    RSubobjeto->setChecked(true);
    EnableGroups(false, false, true);
    EArquivo->setText(L1(f.arquivo));
    EEstados->setText(L1(f.estados));
    EAtual->setText(L1(f.atual));
    ETagArquivo->setText(L1(f.tagArquivo));
    ENome->setText(L1(f.nome));
  }
  LDimen->setText(L1(SizeLine(element.dx, element.dy, element.dz)));
  LDimen->adjustSize();
}

std::string TFE3DAtributos1::Result() const {
  NameFields f;
  f.form = REscala->isChecked()      ? NameFields::Scale
           : RSubobjeto->isChecked() ? NameFields::SubObject
                                     : NameFields::Normal;
  f.nome = Latin(ENome->text());
  f.propriedade = Latin(CPropriedade->currentText());
  f.tag = Latin(ETag1->currentText());
  f.formato = Latin(EFormato->currentText());
  f.max = Latin(EMax->text());
  f.min = Latin(EMin->text());
  f.div1 = Latin(EDiv1->text());
  f.div2 = Latin(EDiv2->text());
  f.arquivo = Latin(EArquivo->text());
  f.tagArquivo = Latin(ETagArquivo->text());
  f.estados = Latin(EEstados->text());
  f.atual = Latin(EAtual->text());
  return AssembleElementName(f);
}

void TFE3DAtributos1::Button2Click() {
  // The numbers of the chosen binding end up in the name, where whoever
  // reads them back cannot use a NaN or an infinity: such an entry is
  // refused and the dialog stays open on it.
  std::vector<QLineEdit*> numbers;
  if (REscala->isChecked()) numbers = {EMax, EMin, EDiv1, EDiv2};
  if (RSubobjeto->isChecked()) numbers = {EEstados, EAtual};
  for (QLineEdit* edit : numbers) {
    const std::string text = Latin(edit->text());
    if (!IsNonFiniteText(text)) continue;
    ShowWarning(Choose("Valor " + Trim(text) + " fora do intervalo permitido.",
                       "Value " + Trim(text) + " is out of the allowed range."));
    edit->setFocus();
    edit->selectAll();
    return;
  }
  accepted_ = true;
  accept();
}

void TFE3DAtributos1::RNormalClick() { EnableGroups(true, false, false); }
void TFE3DAtributos1::REscalaClick() { EnableGroups(false, true, false); }
void TFE3DAtributos1::RSubobjetoClick() { EnableGroups(false, false, true); }

void TFE3DAtributos1::Button3Click() {
  FileNameQuestion q;
  q.title = "Objeto 3D";
  q.folder = DataPath("Vist3D/");
  q.proposed = QFile::encodeName(EArquivo->text()).toStdString();
  q.filters = {"Objetos 3D (*.zobj3d)"};
  q.defaultSuffix = "ZOBJ3D";
  const FileNameAnswer a = AskFileName(q, this);
  if (!a.path.empty())
    EArquivo->setText(QFileInfo(QFile::decodeName(QByteArray::fromStdString(a.path))).completeBaseName());
  if (EArquivo->isEnabled()) EArquivo->setFocus();
}

std::string EditElementName(const std::string& name, const Element3D& element, QWidget* parent) {
  TFE3DAtributos1 dialog(parent);
  dialog.Fill(name, element);
  dialog.exec();
  return dialog.accepted() ? dialog.Result() : std::string();
}
