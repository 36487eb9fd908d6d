// Building the main window: controls, menu, and what the first show sets up.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "BoxSelection.h"
#include "CommandRunner.h"
#include "DocumentCaption.h"
#include "DocumentFiles.h"
#include "EditorDelegates.h"
#include "ElementListModel.h"
#include "KeyCodes.h"
#include "KeyboardWalk.h"
#include "LatinText.h"
#include "PropertyStrip.h"
#include "SelectionDescription.h"
#include "TBarraDeEstado.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "ViewNavigation.h"
#include "common/Dictionary.h"
#include "common/TextureFolder.h"
#include "controls/ControlAccessibility.h"
#include "controls/ControlHint.h"
#include "controls/ControlPictures.h"
#include "controls/PictureTools.h"
#include "controls/TAtlEdit.h"
#include "controls/TCorSeleciona.h"
#include "controls/TMPanel.h"
#include "controls/TMulfig.h"
#include "controls/TSBM.h"
#include "controls/TVSplit.h"
#include "controls/TZSpinEdit.h"
#include "controls/WaitIndicator.h"
#include "controls/WindowTranslation.h"
#include "document/NoTexture.h"
#include "document/TextureName.h"
#include "gl/GLView.h"
#include "gl/StartingView.h"
#include "gl/ViewContext.h"
#include "gl/ViewPresets.h"

namespace {
constexpr int kToolStripHeight = 141;
// The key row: where its group labels start, and its buttons below them.
constexpr int kKeyRowTop = 62;
constexpr int kKeyRowButtonTop = 14;

// Lays the top row out left to right at the widths of its texts as they
// are now (translated or not): each widget keeps its design position unless
// the one before it has grown into it, and then moves right by as much.
void FlowRow(const std::vector<QWidget*>& row, int start) {
  constexpr int kGap = 4;
  int right = start;
  for (QWidget* w : row) {
    if (qobject_cast<QLabel*>(w) || qobject_cast<QCheckBox*>(w)) w->adjustSize();
    const int x = std::max(w->x(), right + kGap);
    w->move(x, w->y());
    right = x + w->width();
  }
}

QFont ArialPt(int points, bool bold = false) {
  QFont f("Arial");
  f.setPointSize(points);
  f.setBold(bold);
  return f;
}

void SetTextColor(QWidget* w, TColor c) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, WinToQColor(c));
  p.setColor(QPalette::Text, WinToQColor(c));
  w->setPalette(p);
}

QLabel* Label(QWidget* parent, const char* caption, const char* hint, int x, int y, const QFont& font, TColor color) {
  auto* l = new QLabel(L1(caption), parent);
  if (hint) SetHint(l, hint);
  l->setFont(font);
  SetTextColor(l, color);
  l->move(x, y);
  l->adjustSize();
  return l;
}

TZSpinEdit* Spin(QWidget* parent, int x, int y, int min, int max, int step, bool forced) {
  auto* s = new TZSpinEdit(parent);
  s->setGeometry(x, y, 56, 21);
  s->setMinValue(min);
  s->setMaxValue(max);
  s->setPasso(step);
  s->setForcaMaxMin(forced);
  s->setUsaTeclas(true);
  s->Loaded();
  return s;
}

TMulfig* Selector(QWidget* parent, std::vector<std::string> items, int valor) {
  auto* m = new TMulfig(parent);
  m->setLista(items);
  m->setTipo(0);  // a choice that stays; the view row sets itself momentary
  m->setSemEvento(true);
  m->setValor(valor);
  m->setSemEvento(false);
  return m;
}

// The tool strip in a frame that scrolls it sideways when the window is
// narrower than the strip; the scroll bar takes its own height below it.
class ToolStripScroller : public QScrollArea {
 public:
  ToolStripScroller(QWidget* strip, QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);  // the keys stay with the view
    horizontalScrollBar()->setFocusPolicy(Qt::NoFocus);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidget(strip);
    strip->installEventFilter(this);  // its width follows its texts
    FitHeight();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == widget() && event->type() == QEvent::Resize) FitHeight();
    return QScrollArea::eventFilter(watched, event);
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QScrollArea::resizeEvent(event);
    FitHeight();
  }

 private:
  void FitHeight() {
    const bool scrolls = widget()->minimumWidth() > width();
    setFixedHeight(widget()->height() + (scrolls ? horizontalScrollBar()->sizeHint().height() : 0));
  }
};

QWidget* ScrollingToolStrip(QWidget* strip, QWidget* parent) { return new ToolStripScroller(strip, parent); }
}  // namespace

TSBM* TFEditorDeObjetos1::KeyButton(const TFEditorDeObjetos1& w, const char* caption) {
  for (TSBM* b : w.keyButtons)
    if (b->Caption() == caption) return b;
  return nullptr;
}

// Names, roles and the keyboard's walk, once the window's texts are in the
// interface language: labels name the controls they stand before, the
// mode and axis buttons say which one is chosen, and Tab walks the strip
// (the exact-value boxes as one group, in the order their own Tab keeps),
// the key row, the view and the list.
void TFEditorDeObjetos1::SetUpKeyboardAndAssistiveTools(TFEditorDeObjetos1& w) {
  w.Label4->setBuddy(w.PCor1);
  w.Label8->setBuddy(w.CTextura);
  const std::pair<QLabel*, TZSpinEdit*> spins[] = {
      {w.Label7, w.EAxy}, {w.LAyz, w.EAyz}, {w.LAxz, w.EAxz}, {w.Label5, w.EChanfro1}, {w.Label6, w.ESuperior1}};
  for (const auto& [label, spin] : spins) {
    label->setBuddy(spin);
    spin->Edit()->setAccessibleName(AccessibleNameOf(spin));
  }
  w.Mulfig1->setAccessibleName(L1(Choose("Adicionar", "Add")));
  w.Mulfig1->setNomesAcessiveis(
      {Choose("Cursor", "Cursor"), Choose("Cubo", "Cube"), Choose("Cilindro", "Cylinder"), Choose("Esfera", "Sphere")});
  w.PCor1->setFocusPolicy(Qt::TabFocus);

  // The mode and axis buttons are the visible face of the hidden rows.
  std::vector<TSBM*> chosen;
  const char* modes[] = {"G", "S", "R"};
  const char* axes[] = {"X", "Y", "Z"};
  for (int i = 0; i < 3; ++i) {
    TMulfig* mode = w.MMovimento1;
    TMulfig* axis = w.MEixo1;
    if (TSBM* b = KeyButton(w, modes[i])) {
      b->Escolhido = [mode, i] { return mode->Valor() == i; };
      chosen.push_back(b);
    }
    if (TSBM* b = KeyButton(w, axes[i])) {
      b->Escolhido = [axis, i] { return axis->Valor() == i; };
      chosen.push_back(b);
    }
  }
  for (TMulfig* row : {w.MMovimento1, w.MEixo1}) {
    row->OnDepoisSeleciona = [before = row->OnDepoisSeleciona, chosen](QObject* sender) {
      if (before) before(sender);
      for (TSBM* b : chosen) NotifyCheckedChanged(b);
    };
  }

  std::vector<QWidget*> order{w.Mulfig1, w.PCor1, w.CTextura, w.CInvisivel};
  std::vector<QWidget*> boxes;
  for (ExactField f : {ExactField::X, ExactField::Y, ExactField::Z, ExactField::DX, ExactField::DY, ExactField::DZ})
    if (QLineEdit* box = w.ValoresExatos1 ? w.ValoresExatos1->Box(f) : nullptr) boxes.push_back(box);
  for (TZSpinEdit* angle : {w.EAxy, w.EAyz, w.EAxz}) boxes.push_back(angle->Edit());
  order.insert(order.end(), boxes.begin(), boxes.end());
  order.push_back(w.EChanfro1->Edit());
  order.push_back(w.ESuperior1->Edit());
  order.insert(order.end(), w.keyButtons.begin(), w.keyButtons.end());
  order.push_back(w.Tela1);
  order.push_back(w.Lista1);
  new KeyboardWalk(order, w.Tela1, boxes);
}

// Fits the tool strip to its texts once they are in the interface language.
void TFEditorDeObjetos1::ArrangeToolStrip(TFEditorDeObjetos1& w) {
  w.Label41->adjustSize();
  FlowRow({w.Label4, w.PCor1, w.Label8, w.CTextura, w.CInvisivel, w.Label10, w.Label7, w.EAxy, w.LAyz, w.EAyz, w.LAxz,
           w.EAxz, w.Label5, w.EChanfro1, w.Label6, w.ESuperior1},
          w.Mulfig1->x() + w.Mulfig1->width());
  if (auto* keyRow = w.Panel1->findChild<QWidget*>("keyRow", Qt::FindDirectChildrenOnly)) keyRow->adjustSize();
  // Narrower than this, the strip scrolls instead of cutting controls off.
  w.Panel1->setMinimumWidth(w.Panel1->childrenRect().right() + 8);
}

TFEditorDeObjetos1::TFEditorDeObjetos1(const QStringList& arguments, QWidget* parent)
    : TFEditorDeObjetos1(std::vector<std::string>(), parent) {
  // Qt reads arguments in the system's file-name encoding; back to bytes.
  for (const QString& argument : arguments) arguments_.push_back(PathBytes(argument));
}

TFEditorDeObjetos1::TFEditorDeObjetos1(std::vector<std::string> argumentBytes, QWidget* parent)
    : QMainWindow(parent), arguments_(std::move(argumentBytes)) {
  FormCreate();
}

TFEditorDeObjetos1::~TFEditorDeObjetos1() {
  qApp->removeEventFilter(this);
  // The controls outlive the document and the runner by a moment: a box
  // losing the focus as it goes must not reach either.
  ValoresExatos1->OnApply = nullptr;
  ValoresExatos1->OnDone = ValoresExatos1->OnWalkEnter = ValoresExatos1->OnWalkLeave = nullptr;
  Mulfig1->OnAntesSeleciona = nullptr;
  Timer1->stop();
  // The GL names belong to Tela1's context, which goes with the panel.
  if (view && Tela1->WithContext([this] {
        DropSceneList(scene);
        DestroyContext(*view);
      })) {
  }
}

void TFEditorDeObjetos1::FormCreate() {
  setWindowTitle(DocumentCaption(""));
  resize(1346, 555 + 24);
  setFont(QFont("MS Sans Serif", 8));

  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  Panel1 = new QWidget(central);
  Panel1->setFixedHeight(kToolStripHeight);
  Panel1->setAutoFillBackground(true);
  QPalette white = Panel1->palette();
  white.setColor(QPalette::Window, Qt::white);
  Panel1->setPalette(white);
  Panel1->setFont(ArialPt(8));
  // The strip's own texts are grey on its white; the boxes keep the
  // desktop's text colour on their own background.
  white.setColor(QPalette::WindowText, WinToQColor(5066061));
  Panel1->setPalette(white);
  column->addWidget(ScrollingToolStrip(Panel1, central));
  Panel2 = new QWidget(central);
  column->addWidget(Panel2, 1);
  setCentralWidget(central);

  BuildToolStrip();
  BuildKeyRow();
  SetUpBlockModeButton();
  BuildHiddenControls();
  BuildViewArea();
  commands_ = std::make_unique<CommandRunner>(*this);
  BuildMenu();
  BuildInputAids();
  BuildDiscoveryAids();

  Timer1 = new QTimer(this);
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  cor1 = new TCorSeleciona(this);
  strip_ = std::make_unique<PropertyStrip>(doc, PropertyStrip::Controls{*PCor1, *CTextura, *CInvisivel, *EChanfro1,
                                                                        *ESuperior1, *EAxy, *EAyz, *EAxz, *cor1});

  scene.blockCursor[0] = scene.blockCursor[1] = scene.blockCursor[2] = 0;
  scene.blockCursorInside = false;
  blockCursorShown = false;
  NameControls();
  qApp->installEventFilter(this);
}

EditorProbe TFEditorDeObjetos1::Probe() const {
  return EditorProbe(doc, view, scene, *BarraDeEstado1, *statusBar(), BlockMode());
}

void TFEditorDeObjetos1::NameControls() {
  const std::pair<QObject*, const char*> named[] = {{Panel1, "Panel1"},
                                                    {Panel2, "Panel2"},
                                                    {Label41, "Label41"},
                                                    {Mulfig1, "Mulfig1"},
                                                    {Label4, "Label4"},
                                                    {PCor1, "PCor1"},
                                                    {Label8, "Label8"},
                                                    {CTextura, "CTextura"},
                                                    {CInvisivel, "CInvisivel"},
                                                    {Label10, "Label10"},
                                                    {Label7, "Label7"},
                                                    {LAyz, "LAyz"},
                                                    {LAxz, "LAxz"},
                                                    {Label5, "Label5"},
                                                    {Label6, "Label6"},
                                                    {EAxy, "EAxy"},
                                                    {EAyz, "EAyz"},
                                                    {EAxz, "EAxz"},
                                                    {EChanfro1, "EChanfro1"},
                                                    {ESuperior1, "ESuperior1"},
                                                    {MMovimento1, "MMovimento1"},
                                                    {MEixo1, "MEixo1"},
                                                    {Mulfig2, "Mulfig2"},
                                                    {CPerspectiva1, "CPerspectiva1"},
                                                    {CSolidos1, "CSolidos1"},
                                                    {SBM1, "SBM1"},
                                                    {SBM2, "SBM2"},
                                                    {TOP1, "TOP1"},
                                                    {left1, "left1"},
                                                    {right1, "right1"},
                                                    {bottom1, "bottom1"},
                                                    {Label2, "Label2"},
                                                    {Label3, "Label3"},
                                                    {Label9, "Label9"},
                                                    {Label14, "Label14"},
                                                    {Edit1, "Edit1"},
                                                    {Edit2, "Edit2"},
                                                    {Edit3, "Edit3"},
                                                    {Button1, "Button1"},
                                                    {VSplit1, "VSplit1"},
                                                    {VSplit2, "VSplit2"},
                                                    {VSplit3, "VSplit3"},
                                                    {Tela1, "Tela1"},
                                                    {Panel5, "Panel5"},
                                                    {Lista1, "Lista1"},
                                                    {Panel3, "Panel3"},
                                                    {Panel4, "Panel4"},
                                                    {Panel6, "Panel6"},
                                                    {Timer1, "Timer1"},
                                                    {Novo1, "Novo1"},
                                                    {Abrir1, "Abrir1"},
                                                    {Salvar1, "Salvar1"},
                                                    {Salvarcomo1, "Salvarcomo1"},
                                                    {Exportar1, "Exportar1"},
                                                    {Sair1, "Sair1"},
                                                    {Editar1, "Editar1"},
                                                    {Desfazer1, "Desfazer1"},
                                                    {Refazer1, "Refazer1"},
                                                    {Copiar1, "Copiar1"},
                                                    {Colar1, "Colar1"},
                                                    {Apagar1, "Apagar1"},
                                                    {Grade1, "Grade1"},
                                                    {NiveisDesfazer1, "NiveisDesfazer1"},
                                                    {Luzesquerda1, "Luzesquerda1"},
                                                    {Edionormal1, "Edionormal1"},
                                                    {Tag1, "Tag1"},
                                                    {Sobre1, "Sobre1"},
                                                    {TeclasEMouse1, "TeclasEMouse1"},
                                                    {Idioma1, "Idioma1"},
                                                    {BarraDeEstado1, "BarraDeEstado1"},
                                                    {ModeHint1, "ModeHint1"},
                                                    {ValoresExatos1, "ValoresExatos1"}};
  for (const auto& [control, name] : named)
    if (control) control->setObjectName(name);
}

void TFEditorDeObjetos1::BuildToolStrip() {
  const QFont labelFont = ArialPt(8);
  const TColor labelColor = 5131854;
  Label41 = Label(Panel1, "Add:", nullptr, 8, 4, ArialPt(7), 3355443);
  Mulfig1 = Selector(Panel1, {"Cursor", "Cubo", "Cilindro", "Esfera"}, 0);
  Mulfig1->setLista2({"Cursor", "Cube", "Cylinder", "Sphere"});
  SetHint(Mulfig1, "Cursor");
  const char* icons[] = {"cursor", "cube", "cylinder", "sphere"};
  for (int i = 0; i < 4; ++i) Mulfig1->setFiguraDoItem(i, ControlPicture(icons[i]));
  Mulfig1->setMostraTextoAbaixo(true);
  Mulfig1->setFont(ArialPt(6));
  Mulfig1->AjustaFundoDasFiguras();
  Mulfig1->setLargX(44);
  Mulfig1->setLargY(42);
  Mulfig1->setGeometry(8, 16, 190, 44);
  Mulfig1->OnDepoisSeleciona = [this](QObject*) { Mulfig1DepoisSeleciona(); };

  Label4 = Label(Panel1, "Cor:", "Color:", 214, 8, labelFont, labelColor);
  PCor1 = new TMPanel(Panel1);
  PCor1->setGeometry(246, 8, 16, 16);
  PCor1->setColor(8754053);
  PCor1->setBevelOuter(TMPanel::bvLowered);
  PCor1->OnClick = [this](QObject*) { PCor1Click(); };

  Label8 = Label(Panel1, "Textura:", "Texture:", 274, 8, labelFont, labelColor);
  CTextura = new TextureBox(Panel1);
  CTextura->setGeometry(322, 4, 150, 27);
  CTextura->setItemDelegate(new TextureItemDelegate(CTextura));
  connect(CTextura, qOverload<int>(&QComboBox::activated), this, [this](int) { CTexturaClick(); });

  CInvisivel = new QCheckBox(L1("Invis\xEDvel"), Panel1);
  SetHint(CInvisivel, "Invisible");
  CInvisivel->setFont(labelFont);
  CInvisivel->move(482, 8);
  connect(CInvisivel, &QCheckBox::clicked, this, [this] { CInvisivelClick(); });

  Label10 = Label(Panel1, "Object rotation:", nullptr, 574, 8, labelFont, labelColor);
  Label7 = Label(Panel1, "Axy:", nullptr, 668, 8, labelFont, labelColor);
  EAxy = Spin(Panel1, 696, 4, -180, 180, 45, false);
  LAyz = Label(Panel1, "Ayz:", nullptr, 760, 8, labelFont, labelColor);
  EAyz = Spin(Panel1, 788, 4, -180, 180, 45, false);
  LAxz = Label(Panel1, "Axz:", nullptr, 852, 8, labelFont, labelColor);
  EAxz = Spin(Panel1, 880, 4, -180, 180, 45, false);
  Label5 = Label(Panel1, "Chanfro:", "Bevel:", 952, 8, labelFont, labelColor);
  EChanfro1 = Spin(Panel1, 1004, 4, 0, 100, 1, true);
  Label6 = Label(Panel1, "Superior:", "Top:", 1072, 8, labelFont, labelColor);
  ESuperior1 = Spin(Panel1, 1128, 4, 0, 100, 5, true);

  for (TZSpinEdit* angle : {EAxy, EAyz, EAxz}) {
    angle->OnChangeUser = [this](QObject*) { EAyzChangeUser(); };
    angle->OnChange = [this, angle](QObject*) { EAxzChange(angle); };
  }
  EChanfro1->OnChangeUser = [this](QObject*) { EChanfro1ChangeUser(); };
  ESuperior1->OnChangeUser = [this](QObject*) { ESuperior1ChangeUser(); };
}

void TFEditorDeObjetos1::BuildKeyRow() {
  struct Key {
    const char* caption;
    const char* under;
    const char* pt;  // what assistive tools call the button
    const char* en;
  };
  struct Group {
    const char* label;
    std::vector<Key> keys;
  };
  const Group groups[] = {
      {"", {{"ESC", "Deselect all", "Desmarcar tudo", "Deselect all"}}},
      {"Add:",
       {{"F5", "Cube", "Adicionar cubo", "Add a cube"},
        {"F6", "Cylinder", "Adicionar cilindro", "Add a cylinder"},
        {"F7", "Sphere", "Adicionar esfera", "Add a sphere"}}},
      {"Mode:",
       {{"G", "Grab", "Mover", "Grab"},
        {"S", "Scale", "Alterar tamanho", "Scale"},
        {"R", "Rotate", "Rotacionar", "Rotate"}}},
      {"Axis:",
       {{"X", "X axis", "Eixo X", "X axis"}, {"Y", "Y axis", "Eixo Y", "Y axis"}, {"Z", "Z axis", "Eixo Z", "Z axis"}}},
      {"Direction:",
       {{"UP", "UP", "Para cima", "Up"},
        {"DOWN", "DOWN", "Para baixo", "Down"},
        {"LEFT", "LEFT", "Para a esquerda", "Left"},
        {"RIGHT", "RIGHT", "Para a direita", "Right"}}},
      {"Position:", {{"+", "Zoom +", "Aproximar", "Zoom in"}, {"-", "Zoom -", "Afastar", "Zoom out"}}},
      {"View:",
       {{"Home", "Default View", "Vista padr\xE3o", "Default view"},
        {"1", "View 1", "Vista 1", "View 1"},
        {"2", "View 2", "Vista 2", "View 2"},
        {"3", "View 3", "Vista 3", "View 3"}}},
      {"", {{"F11", "Block of Craft Style", "Modo de blocos", "Block mode"}}},
  };
  // Groups side by side, each its label over a row of columns, each column a
  // button over its caption. The layouts size every column to its texts,
  // whatever language they end up in (ArrangeToolStrip, after translation).
  const QFont small = ArialPt(7);
  const QFont bold = ArialPt(8, true);
  auto* row = new QWidget(Panel1);
  row->setObjectName("keyRow");
  auto* groupsLayout = new QHBoxLayout(row);
  groupsLayout->setContentsMargins(0, 0, 0, 0);
  groupsLayout->setSpacing(12);
  for (const Group& g : groups) {
    auto* group = new QWidget(row);
    auto* stack = new QVBoxLayout(group);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    QLabel* title = Label(group, g.label, nullptr, 0, 0, small, 3355443);
    title->setFixedHeight(kKeyRowButtonTop);
    title->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    stack->addWidget(title);
    auto* keys = new QHBoxLayout;
    keys->setSpacing(4);
    stack->addLayout(keys);
    for (const Key& k : g.keys) {
      auto* column = new QVBoxLayout;
      column->setSpacing(2);
      auto* b = new TSBM(group);
      b->setCaption(k.caption);
      b->setFont(bold);
      // A caption wider than the key cap gets a wider cap.
      const int width = std::max(36, QFontMetrics(bold).horizontalAdvance(k.caption) + 10);
      b->setFixedSize(width, 39);
      b->setGlyph(KeyCapPicture(width - 2, qApp->devicePixelRatio()));
      b->setColor(clWhite);
      b->setAccessibleName(L1(Choose(k.pt, k.en)));
      b->OnMouseDown = [this, b](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        SendKeyName(b->Caption());
      };
      keyButtons.push_back(b);
      column->addWidget(b, 0, Qt::AlignHCenter);
      QLabel* under = Label(group, k.under, nullptr, 0, 0, small, 3355443);
      under->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
      column->addWidget(under);
      keys->addLayout(column);
    }
    groupsLayout->addWidget(group, 0, Qt::AlignTop);
  }
  groupsLayout->addStretch(1);
  row->move(8, kKeyRowTop);
  row->adjustSize();
}

void TFEditorDeObjetos1::BuildHiddenControls() {
  MMovimento1 = Selector(
      Panel1, {"Mover - Tecla G (grab)", "Alterar tamanho - Tecla S (scale)", "Rotacionar - Tecla R (rotate)"}, 0);
  MEixo1 = Selector(Panel1, {"Eixo X (Tecla X)", "Eixo Y (Tecla Y)", "Eixo Z (Tecla Z)", "Eixo XZ (Tecla Esc)"}, 3);
  Mulfig2 = Selector(
      Panel1, {"Vis\xE3o xyz (Tecla 1)", "Vis\xE3o XZ (Tecla 2)", "Vis\xE3o XY (Tecla 3)", "Vis\xE3o ZY (Tecla 4)"}, 0);
  Mulfig2->setTipo(1);
  Mulfig2->setLista2({"xyz", "XZ", "XY", "ZY"});
  MMovimento1->OnDepoisSeleciona = [this](QObject*) { FocusTela1(); };
  MEixo1->OnDepoisSeleciona = [this](QObject*) { FocusTela1(); };
  Mulfig2->OnDepoisSeleciona = [this](QObject*) { Mulfig2DepoisSeleciona(); };

  CPerspectiva1 = new TSBM(Panel1);
  CPerspectiva1->setCaption("Perspectiva");
  CPerspectiva1->setGroupIndex(1);
  CPerspectiva1->setAllowAllUp(true);
  CPerspectiva1->OnMouseUp = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
    CPerspectiva1MouseUp();
  };
  CSolidos1 = new TSBM(Panel1);
  CSolidos1->setCaption("S\xF3lidos");
  CSolidos1->setGroupIndex(2);
  CSolidos1->setAllowAllUp(true);
  CSolidos1->setDown(true);
  CSolidos1->OnMouseUp = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { CSolidos1MouseUp(); };
  SBM1 = new TSBM(Panel1);
  SBM1->setCaption("-");
  SBM1->OnMouseDown = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { SendKey(vk::Subtract); };
  SBM2 = new TSBM(Panel1);
  SBM2->setCaption("+");
  SBM2->OnMouseDown = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { SendKey(vk::Add); };

  TOP1 = new QLabel(Panel1);
  left1 = new QLabel(Panel1);
  right1 = new QLabel(Panel1);
  bottom1 = new QLabel(Panel1);
  Label2 = new QLabel("Grab", Panel1);
  Label3 = new QLabel("Scale", Panel1);
  Label9 = new QLabel("Rotate", Panel1);
  Label14 = new QLabel("View: ", Panel1);
  Edit1 = new QLineEdit(Panel1);
  Edit2 = new QLineEdit(Panel1);
  Edit3 = new QLineEdit(Panel1);
  Button1 = new QPushButton("Button1", Panel1);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  for (QWidget* w :
       std::initializer_list<QWidget*>{MMovimento1, MEixo1, Mulfig2, CPerspectiva1, CSolidos1, SBM1, SBM2, TOP1, left1,
                                       right1, bottom1, Label2, Label3, Label9, Label14, Edit1, Edit2, Edit3, Button1})
    w->hide();
}

void TFEditorDeObjetos1::BuildViewArea() {
  auto* fill = new QVBoxLayout(Panel2);
  fill->setContentsMargins(0, 0, 0, 0);
  VSplit1 = new TVSplit(Panel2);
  fill->addWidget(VSplit1);
  VSplit1->setColor(RGBColor(48, 48, 48));
  VSplit1->setLargura(5);
  VSplit1->setContrario(true);

  VSplit2 = new TVSplit(VSplit1);
  VSplit2->setLargura(5);
  VSplit2->setr3d(false);
  VSplit2->setContrario(true);
  VSplit2->setHorizontal(true);
  VSplit3 = new TVSplit(VSplit1);
  SetTag(VSplit3, 1);
  VSplit3->setLargura(5);
  VSplit3->setContrario(true);
  VSplit3->setHorizontal(true);

  Tela1 = new TGLPanel(VSplit2);
  box_ = std::make_unique<BoxSelection>(*Tela1);
  Tela1->setAccessibleName(L1(Choose("Vista 3D", "3D view")));
  Tela1->OnDescribe = [this] { return L1(DescribeSelection(doc)); };
  Tela1->OnInitialize = [this](QObject*) { Tela1Initialize(); };
  Tela1->OnPaint = [this](QObject*) { Tela1Paint(); };
  Tela1->OnResize = [this](QObject*) { Tela1Resize(); };
  // Box selection and the middle-button pan see the mouse first.
  Tela1->OnMouseDown = [this](QObject*, Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
    if (!SelectionToolMouseDown(b, s, x, y)) Tela1MouseDown(b, s, x, y);
  };
  Tela1->OnMouseMove = [this](QObject*, Qt::KeyboardModifiers s, int x, int y) {
    if (!SelectionToolMouseMove(x, y)) Tela1MouseMove(s, x, y);
  };
  Tela1->OnMouseUp = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers s, int x, int y) {
    if (!SelectionToolMouseUp(s, x, y)) Tela1MouseUp();
  };

  Panel5 = new TMPanel(VSplit2);
  SetTag(Panel5, 1);
  Panel5->setColor(clWhite);
  Panel5->setBorderWidth(4);
  auto* listFill = new QVBoxLayout(Panel5);
  listFill->setContentsMargins(4, 4, 4, 4);
  Lista1 = new QListView(Panel5);
  Lista1->setAccessibleName(L1(Choose("Elementos", "Elements")));
  elementRows_ = new ElementListModel(doc, Lista1);
  Lista1->setModel(elementRows_);
  Lista1->setFrameShape(QFrame::NoFrame);
  Lista1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  Lista1->setUniformItemSizes(true);
  Lista1->setItemDelegate(new ElementItemDelegate(this, Lista1));
  listFill->addWidget(Lista1);
  connect(Lista1, &QListView::clicked, this, [this] { Lista1Click(); });
  connect(Lista1, &QListView::doubleClicked, this, [this] { Lista1DblClick(); });
  Lista1->viewport()->installEventFilter(this);  // right-button release opens the dialog

  Panel3 = new TMPanel(VSplit3);
  Panel4 = new TMPanel(Panel3);
  Panel6 = new TMPanel(VSplit3);
  SetTag(Panel6, 1);

  VSplit1->setPosic(8);
  VSplit2->setPosic(151);
  VSplit3->setPosic(148);
}

void TFEditorDeObjetos1::FillTextureList() {
  CTextura->clear();
  CTextura->addItem(L1(NoTextureItem()));
  // Entries are file names; choosing one stores it as document text (Latin-1).
  // A name that text cannot hold is shown, greyed, with what to do about it.
  auto* model = qobject_cast<QStandardItemModel*>(CTextura->model());
  for (const std::string& name : TextureFileNames(TextureFolder())) {
    CTextura->addItem(PathText(name));
    if (FitsTextureField(name) || !model) continue;
    QStandardItem* entry = model->item(CTextura->count() - 1);
    entry->setEnabled(false);
    entry->setToolTip(
        L1(Choose("Renomeie o arquivo para us\xE1-lo: o documento guarda nomes de at\xE9 63 letras "
                  "do alfabeto latino",
                  "Rename the file to use it: a document keeps names of up to 63 Western European "
                  "characters")));
  }
  CTextura->setCurrentIndex(0);
}

void TFEditorDeObjetos1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!firstShowDone_) {
    firstShowDone_ = true;
    FormShow();
    // Once the window stands, so the question has it as its owner.
    QTimer::singleShot(0, this, &TFEditorDeObjetos1::OfferRecoveredDocuments);
  }
}

void TFEditorDeObjetos1::FormShow() {
  TranslateFormByDictionary(this, true);
  TranslateMenuByDictionary(menuBar());
  TranslateMainMenuByHints(this);
  ArrangeToolStrip(*this);
  ArrangeDiscoveryAids();
  SetUpKeyboardAndAssistiveTools(*this);
  view = NewView();
  navigation_ = std::make_unique<ViewNavigation>(*view, *Tela1);
  scene.view = view;
  scene.edited = true;
  scene.elements = &doc.elements;
  scene.isSelected = [this](int32_t i) {
    return i >= 0 && static_cast<size_t>(i) < frameSelection_.size() && frameSelection_[static_cast<size_t>(i)];
  };
  scene.requestFrame = [this] { Tela1->repaint(); };
  scene.paintOverlay = [this](int x0, int y0) { PaintGizmo(x0, y0); };
  Mulfig2->setMostraTextoAbaixo(true);
  ResetToStartingView(*view);
  doc.fileName.clear();
  ClearSelection();
  FillTextureList();
  // The panel's context may already exist (it can initialise before the
  // window's first show); otherwise Tela1Initialize runs when it does.
  Tela1->WithContext([this] { Tela1Initialize(); });
  pressX = pressY = 0;
  doc.editStep[0] = doc.editStep[1] = doc.editStep[2] = 0.5;
  viewDragging = elementDragging = false;
  DefaultView(*view);
  doc.ResetTemplateAtStart();
  doc.templ.color = PCor1->Color();  // the swatch shows what the next element is made in
  DrawScene();
  // The key commands work from the first key: the view holds the focus the
  // window hands out when it becomes active.
  Tela1->setFocus(Qt::OtherFocusReason);
  if (arguments_.empty()) {
    StopWait();
    return;
  }
  // A name with blanks may come in pieces.
  std::string path = arguments_[0];
  for (size_t k = 1; k < arguments_.size(); ++k) path += ' ' + arguments_[k];
  LoadDocument(path);
  StopWait();
}
