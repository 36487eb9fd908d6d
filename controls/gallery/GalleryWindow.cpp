#include "GalleryWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <chrono>
#include <thread>

#include "common/Dictionary.h"
#include "controls/ControlHint.h"
#include "controls/ControlText.h"
#include "controls/PictureTools.h"
#include "controls/TCorSeleciona.h"
#include "controls/TFCalen.h"
#include "controls/TF_CorSeleciona.h"
#include "controls/TMButton.h"
#include "controls/TMPanel.h"
#include "controls/TMulfig.h"
#include "controls/TSBM.h"
#include "controls/TVSplit.h"
#include "controls/TZBox.h"
#include "controls/TZSpinEdit.h"
#include "controls/WaitIndicator.h"
#include "controls/WindowTranslation.h"

namespace {
// Portuguese caption, English hint: the forms' convention.
QLabel* Label(QWidget* parent, const char* pt, const char* en, int px = 0, int x = -1, int y = -1) {
  auto* label = new QLabel(FromLatin1(pt), parent);
  SetHint(label, en);
  if (px > 0) {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    label->setFont(f);
  }
  if (x >= 0) label->move(x, y);
  return label;
}

QGroupBox* Group(const char* pt, const char* en) {
  auto* box = new QGroupBox(FromLatin1(pt));
  SetHint(box, en);
  return box;
}

QFont KeyFont() {
  QFont f(QStringLiteral("Arial"));
  f.setPixelSize(11);
  f.setBold(true);
  return f;
}
}  // namespace

GalleryWindow::GalleryWindow() {
  setWindowTitle(QStringLiteral("Galeria de controles"));
  SetHint(this, "Controls gallery");
  BuildMenu();
  auto* central = new QWidget(this);
  setCentralWidget(central);
  QPalette white = central->palette();
  white.setColor(QPalette::Window, Qt::white);
  central->setAutoFillBackground(true);
  central->setPalette(white);
  auto* grid = new QGridLayout(central);
  grid->addWidget(Selectors(), 0, 0);
  grid->addWidget(SpinEdits(), 0, 1);
  grid->addWidget(KeyButtons(), 1, 0, 1, 2);
  grid->addWidget(Splitters(), 2, 0);
  grid->addWidget(Panels(), 2, 1);
  grid->addWidget(Dialogs(), 0, 2, 3, 1);
  resize(1240, 720);
}

void GalleryWindow::BuildMenu() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&Arquivo"));
  SetHint(file->menuAction(), "&File");
  QAction* novo = file->addAction(QStringLiteral("&Novo"));
  SetHint(novo, "New");
  file->addAction(QStringLiteral("Abrir..."));
  file->addSeparator();
  QAction* sair = file->addAction(QStringLiteral("Sai&r"));
  SetHint(sair, "Quit");
  connect(sair, &QAction::triggered, this, &QWidget::close);
}

void GalleryWindow::Translate() {
  TranslateFormByDictionary(this, true);
  TranslateMenuByDictionary(menuBar());
  TranslateMainMenuByHints(this);
}

QWidget* GalleryWindow::Selectors() {
  QGroupBox* box = Group("Seletores (TMulfig)", "Selectors (TMulfig)");
  box->setMinimumSize(330, 230);
  auto* valor = Label(box, "Valor: 0", "Value: 0", 0, 200, 30);
  valor->resize(120, 16);

  Label(box, "Adicionar:", "Add:", 0, 10, 28);
  auto* palette = new TMulfig(box);
  palette->setGeometry(10, 46, 100, 26);
  palette->setLista({"Cursor", "Cubo", "Cilindro", "Esfera"});
  palette->setTipo(0);
  const char* icons[] = {"cursor", "cube", "cylinder", "sphere"};
  for (int i = 0; i < 4; ++i) palette->setFiguraDoItem(i, ControlPicture(icons[i]));
  palette->AjustaFundoDasFiguras();
  palette->setSemEvento(true);
  palette->setValor(0);
  palette->setSemEvento(false);
  palette->OnDepoisSeleciona = [valor, palette](QObject*) {
    valor->setText(FromLatin1(Choose("Valor: ", "Value: ")) + QString::number(palette->Valor()));
  };

  Label(box, "Com texto abaixo:", "Caption underneath:", 0, 10, 86);
  auto* under = new TMulfig(box);
  under->setGeometry(10, 104, 200, 48);
  under->setLargX(48);
  under->setLargY(48);
  under->setLista({"Cursor", "Cubo", "Cilindro", "Esfera"});
  under->setLista2({"Cursor", Choose("Cubo", "Cube"), Choose("Cilindro", "Cylinder"), Choose("Esfera", "Sphere")});
  for (int i = 0; i < 4; ++i) under->setFiguraDoItem(i, ControlPicture(icons[i]));
  under->AjustaFundoDasFiguras();
  under->setMostraTextoAbaixo(true);
  under->setTipo(0);
  under->setValor(1);

  Label(box, "Vista (moment\xE2neo):", "View (momentary):", 0, 10, 164);
  auto* views = new TMulfig(box);
  views->setGeometry(10, 182, 100, 26);
  views->setLista(
      {"Vis\xE3o xyz (Tecla 1)", "Vis\xE3o XZ (Tecla 2)", "Vis\xE3o XY (Tecla 3)", "Vis\xE3o ZY (Tecla 4)"});
  views->setLista2({"xyz", "XZ", "XY", "ZY"});
  views->setMostraTextoAbaixo(true);
  views->setTipo(1);
  views->OnDepoisSeleciona = [valor, views](QObject*) {
    valor->setText(FromLatin1(Choose("Vista: ", "View: ")) + QString::number(views->Valor()));
  };

  Label(box, "Eixo:", "Axis:", 0, 160, 164);
  auto* axis = new TMulfig(box);
  axis->setGeometry(160, 182, 160, 26);
  axis->setLista({"X", "Y", "Z", "-", "XZ"});
  axis->setLargX(-1);
  axis->setTipo(0);
  axis->setCtl3D(true);
  axis->setValor(4);
  return box;
}

QWidget* GalleryWindow::SpinEdits() {
  QGroupBox* box = Group("Edi\xE7\xE3o num\xE9rica (TZSpinEdit)", "Numeric edit (TZSpinEdit)");
  box->setMinimumSize(300, 230);
  auto* status = Label(box, "Passos: 0", "Steps: 0", 0, 10, 170);
  status->resize(260, 16);
  struct Field {
    const char *pt, *en;
    int min, max, step, value;
    bool forca;
  } fields[] = {{"Chanfro:", "Bevel:", 0, 100, 1, 27, true},
                {"Superior:", "Top:", 0, 100, 5, 100, true},
                {"Axy:", "Axy:", -180, 180, 45, 0, false},
                {"Ayz:", "Ayz:", -180, 180, 45, 90, false}};
  auto steps = std::make_shared<int>(0);
  for (int i = 0; i < 4; ++i) {
    Label(box, fields[i].pt, fields[i].en, 0, 10, 34 + 32 * i);
    auto* edit = new TZSpinEdit(box);
    edit->setGeometry(80, 30 + 32 * i, 41, 20);
    edit->setCtl3D(false);
    edit->setMinValue(fields[i].min);
    edit->setMaxValue(fields[i].max);
    edit->setPasso(fields[i].step);
    edit->setForcaMaxMin(fields[i].forca);
    edit->setValue(fields[i].value);
    edit->OnChangeUser = [status, steps](QObject*) {
      ++*steps;
      status->setText(FromLatin1(Choose("Passos: ", "Steps: ")) + QString::number(*steps));
    };
  }
  auto* wide = new TZSpinEdit(box);
  wide->setGeometry(150, 30, 80, 24);
  wide->setMinValue(-1000);
  wide->setMaxValue(1000);
  wide->setValue(250);
  return box;
}

QWidget* GalleryWindow::KeyButtons() {
  QGroupBox* box = Group(
      "Bot\xF5"
      "es (TSBM)",
      "Buttons (TSBM)");
  box->setMinimumSize(640, 120);
  box->setMaximumHeight(130);
  const QImage keycap = ControlPicture("keycap");
  struct Key {
    const char* key;
    const char* pt;
    const char* en;
  } keys[] = {{"ESC", "Desmarcar", "Deselect all"},
              {"F5", "Cubo", "Cube"},
              {"F6", "Cilindro", "Cylinder"},
              {"F7", "Esfera", "Sphere"},
              {"G", "Mover", "Grab"},
              {"S", "Tamanho", "Scale"},
              {"R", "Girar", "Rotate"},
              {"X", "Eixo X", "X axis"},
              {"Y", "Eixo Y", "Y axis"},
              {"Z", "Eixo Z", "Z axis"},
              {"UP", "Cima", "UP"},
              {"DOWN", "Baixo", "DOWN"},
              {"+", "Zoom +", "Zoom +"},
              {"-", "Zoom -", "Zoom -"},
              {"Home", "Vista padr\xE3o", "Default View"},
              {"F11", "Blocos", "Block of Craft Style"}};
  auto* pressed = Label(box, "Tecla: ", "Key: ", 0, 10, 92);
  pressed->resize(200, 16);
  int x = 10;
  for (const Key& k : keys) {
    auto* b = new TSBM(box);
    b->setGeometry(x, 24, 36, 39);
    b->setGlyph(keycap);
    b->setCaption(k.key);
    b->setColor(clWhite);
    b->setW98(true);
    b->setFont(KeyFont());
    b->OnMouseDown = [pressed, b](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
      pressed->setText(FromLatin1(Choose("Tecla: ", "Key: ")) + FromLatin1(b->Caption()));
    };
    auto* under = Label(box, k.pt, k.en, 8, x - 2, 66);
    under->setFixedWidth(40);
    under->setAlignment(Qt::AlignHCenter);
    under->setWordWrap(true);
    x += 38;
  }
  // The two view toggles, a framed button and a disabled one.
  auto* perspective = new TSBM(box);
  perspective->setGeometry(x + 10, 24, 84, 24);
  perspective->setCaption("Perspectiva");
  SetHint(perspective, "Perspective");
  perspective->setGroupIndex(1);
  perspective->setAllowAllUp(true);
  auto* solids = new TSBM(box);
  solids->setGeometry(x + 10, 52, 84, 24);
  solids->setCaption("S\xF3lidos");
  SetHint(solids, "Solids");
  solids->setGroupIndex(2);
  solids->setAllowAllUp(true);
  solids->setDown(true);
  auto* left = new TSBM(box);
  left->setGeometry(x + 100, 24, 80, 24);
  left->setGlyph(ControlPicture("cube"));
  left->setTextoAlinhamento(1);
  left->setCaption("&Cubo");
  SetHint(left, "&Cube");
  auto* disabled = new TSBM(box);
  disabled->setGeometry(x + 100, 52, 80, 24);
  disabled->setGlyph(ControlPicture("sphere"));
  disabled->setTextoAlinhamento(1);
  disabled->setCaption("Esfera");
  SetHint(disabled, "Sphere");
  disabled->setEnabled(false);
  return box;
}

QWidget* GalleryWindow::Splitters() {
  QGroupBox* box = Group("Divisores (TVSplit)", "Splitters (TVSplit)");
  box->setMinimumSize(330, 210);
  auto* vsplit1 = new TVSplit(box);
  vsplit1->setGeometry(10, 24, 310, 176);
  vsplit1->setColor(RGBColor(48, 48, 48));
  vsplit1->setLargura(5);
  vsplit1->setContrario(true);
  vsplit1->setr3d(false);
  vsplit1->setPosic(40);
  auto* vsplit2 = new TVSplit(vsplit1);
  vsplit2->setLargura(5);
  vsplit2->setHorizontal(true);
  vsplit2->setContrario(true);
  vsplit2->setr3d(false);
  vsplit2->setPosic(100);
  auto* tela = new TMPanel(vsplit2);
  tela->setColor(RGBColor(235, 240, 250));
  tela->setCaption("Tela1");
  auto* list = new QListWidget(vsplit2);
  list->addItems({"Cubo 1", "Cilindro 1", "Esfera 1"});
  auto* vsplit3 = new TVSplit(vsplit1);
  vsplit3->setLargura(5);
  vsplit3->setHorizontal(true);
  vsplit3->setContrario(true);
  vsplit3->setPosic(100);
  auto* bottomLeft = new TMPanel(vsplit3);
  bottomLeft->setColor(clWhite);
  bottomLeft->setCaption("Panel3");
  auto* bottomRight = new TMPanel(vsplit3);
  bottomRight->setColor(clWhite);
  bottomRight->setCaption("Panel6");
  return box;
}

QWidget* GalleryWindow::Panels() {
  QGroupBox* box = Group(
      "Pain\xE9is e bot\xF5"
      "es (TMPanel, TMButton)",
      "Panels and buttons (TMPanel, TMButton)");
  box->setMinimumSize(300, 210);
  auto panel = [box](int x, int y, const char* pt, const char* en) {
    auto* p = new TMPanel(box);
    p->setGeometry(x, y, 130, 44);
    p->setCaption(pt);
    SetHint(p, en);
    return p;
  };
  auto* raised = panel(10, 24, "Elevado", "Raised");
  raised->setBevelOuter(TMPanel::bvRaised);
  raised->setBevelWidth(2);
  auto* lowered = panel(150, 24, "Rebaixado", "Lowered");
  lowered->setBevelOuter(TMPanel::bvLowered);
  lowered->setBevelInner(TMPanel::bvRaised);
  lowered->setBorderWidth(2);
  auto* framed = panel(10, 76, "Com tra\xE7o", "With frame");
  framed->setBevelOuter(TMPanel::bvRaised);
  framed->setTracoBtn(true);
  framed->setColor(clWhite);
  auto* tiled = panel(150, 76, "", "");
  tiled->setFigura(ControlPicture("cube"));
  auto* colours = new TMButton(box);
  colours->setGeometry(10, 130, 130, 30);
  colours->setCores(true);
  colours->setCaption("&Bot\xE3o");
  SetHint(colours, "&Button");
  auto* picture = new TMButton(box);
  picture->setGeometry(150, 130, 130, 30);
  picture->setFigura(ControlPicture("sphere"));
  picture->setCaption("Esfera");
  SetHint(picture, "Sphere");
  auto* check = new QCheckBox(FromLatin1("Invis\xEDvel"), box);
  SetHint(check, "Invisible");
  check->move(10, 170);
  auto* combo = new QComboBox(box);
  combo->addItems({"Arquivo", "Janela"});
  combo->move(150, 168);
  return box;
}

QWidget* GalleryWindow::Dialogs() {
  QGroupBox* box = Group("Di\xE1logos", "Dialogs");
  box->setMinimumSize(380, 560);
  Label(box, "Cor:", "Color:", 0, 10, 30);
  fPCor1 = new TMPanel(box);
  fPCor1->setGeometry(50, 30, 16, 16);
  fPCor1->setColor(8754053);
  fCor1 = new TCorSeleciona(this);
  auto button = [box](int x, int y, const char* pt, const char* en) {
    auto* b = new QPushButton(FromLatin1(pt), box);
    SetHint(b, en);
    b->setGeometry(x, y, 80, 26);
    return b;
  };
  auto* color = button(80, 24, "Cor...", "Color...");
  connect(color, &QPushButton::clicked, this, [this] {
    fCor1->setColor(fPCor1->Color());
    if (fCor1->Execute()) fPCor1->setColor(fCor1->Color());
  });
  auto* answer = Label(box, "", "", 0, 10, 62);
  answer->resize(360, 16);
  auto* grid = button(170, 24, "Grade...", "Grid...");
  connect(grid, &QPushButton::clicked, this, [answer] {
    const std::string caption = Choose("Grade", "Grid");
    const std::string text =
        TZBox::InputNumber(caption, caption + " (" + Choose("Atual", "Current") + " 0.5)", 0.1, 5.0, 0.1, "0.5");
    answer->setText(FromLatin1(text));
  });
  auto* date = button(260, 24, "Data...", "Date...");
  connect(date, &QPushButton::clicked, this, [answer] {
    answer->setText(QString::number(TFCalen::EscolheData(Choose("Escolha a data", "Choose the date"), 45000.5)));
  });
  auto* wait = button(170, 80, "Aguarde", "Wait");
  connect(wait, &QPushButton::clicked, this, [] {
    std::string result;
    StartWait([] { std::this_thread::sleep_for(std::chrono::seconds(2)); }, result);
  });

  // The colour dialog itself, embedded so it can be seen at a glance.
  auto* embedded = new TF_CorSeleciona(box);
  embedded->setWindowFlags(Qt::Widget);
  embedded->move(12, 120);
  embedded->setCorAtual(0x02A8A8A8);
  TranslateFormByHints(embedded, false);
  return box;
}
