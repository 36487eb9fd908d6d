#pragma once
#include <QImage>
#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "ControlEvents.h"

// A row of small picture items keeping one of them selected (Tipo 0, a
// radio row) or acting as push buttons (Tipo 1, momentary). Items come from
// Lista, one line each; a line "-" is a separator.
class TMulfig : public QWidget, public TMouseEvents {
  Q_OBJECT
 public:
  static constexpr int kSlots = 101;  // picture slots, items 0..100

  using TDesenhaMulfigEvent =
      std::function<void(QObject* Sender, int Valor, int x1, int y1, int x2, int y2, QPainter& canvas1)>;
  using TAntesSelecionaEvent = std::function<void(QObject* Sender, bool& SelecionaOK, int& NovoValor)>;

  explicit TMulfig(QWidget* parent = nullptr);
  ~TMulfig() override;

  bool AutoMenu() const { return fAutoMenu; }
  void setAutoMenu(bool v) { fAutoMenu = v; }
  bool Ctl3D() const { return fCtl3D; }
  void setCtl3D(bool v) { fCtl3D = v; }
  const std::vector<std::string>& Lista() const { return fLista; }
  void setLista(const std::vector<std::string>& lines);
  const std::vector<std::string>& Lista2() const { return fLista2; }
  void setLista2(const std::vector<std::string>& lines);
  int Valor() const { return fValor; }
  void setValor(int v);
  bool Vertical() const { return fVertical; }
  void setVertical(bool v) { fVertical = v; }
  int Tipo() const { return fTipo; }
  void setTipo(int v) { fTipo = v; }
  int DX() const { return fDX; }
  void setDX(int v) { fDX = v; }
  int DY() const { return fDY; }
  void setDY(int v) { fDY = v; }
  bool W98() const { return fW98; }
  void setW98(bool v) { fW98 = v; }
  bool SemEvento() const { return fSemEvento; }
  void setSemEvento(bool v) { fSemEvento = v; }
  bool Individual() const { return fIndividual; }
  void setIndividual(bool v) { fIndividual = v; }
  int LargX() const { return fLargX; }
  void setLargX(int v) { fLargX = v; }
  int LargY() const { return fLargY; }
  void setLargY(int v) { fLargY = v; }
  int BordaX() const { return fBordaX; }
  void setBordaX(int v) { fBordaX = v; }
  int BordaY() const { return fBordaY; }
  void setBordaY(int v) { fBordaY = v; }
  bool MostraHints() const { return fMostraHints; }
  void setMostraHints(bool v) { fMostraHints = v; }
  bool MostraTextoAbaixo() const { return fMostraTextoAbaixo; }
  void setMostraTextoAbaixo(bool v) { fMostraTextoAbaixo = v; }

  // The picture of item FiguraNum; assigning copies into that slot.
  QImage Figura() const { return FiguraDoItem(fFiguraNum); }
  void setFigura(const QImage& picture) { setFiguraDoItem(fFiguraNum, picture); }
  int FiguraNum() const { return fFiguraNum; }
  void setFiguraNum(int v) { fFiguraNum = v; }
  QImage FiguraDoItem(int item) const;
  void setFiguraDoItem(int item, const QImage& picture);
  // Opens an empty picture slot at FiguraNum, moving the later ones up.
  void FiguraInsere();
  // Removes the picture of FiguraNum, moving the later ones down.
  void FiguraApaga();
  // Pictures drawn on the usual greys take the face colour; a window calls
  // this once its selectors have their pictures.
  void AjustaFundoDasFiguras();

  bool Pressionando() const { return fPressionando; }
  // The events of a click on an item (from the keyboard or an assistive
  // tool): as a press and a release in its middle.
  void EscolheItem(int item);
  // The item the keyboard is on while the control has the focus: the arrows
  // move it, Space or Enter clicks it.
  int ItemFocado() const { return fItemFocado; }
  // What assistive tools call each item, in the interface language; an item
  // without a name here is called by its Lista line.
  const std::vector<std::string>& NomesAcessiveis() const { return fNomesAcessiveis; }
  void setNomesAcessiveis(const std::vector<std::string>& names) { fNomesAcessiveis = names; }
  QString NomeDoItem(int item) const;
  bool EhSeparador(int item) const;
  // The item under a point, -1 for none (the first item containing it).
  int ItemEm(int x, int y);
  // Where an item lies, as the layout walk places it.
  QRect RetanguloDoItem(int item);

  TDesenhaMulfigEvent OnDesenhaMulfig;
  TAntesSelecionaEvent OnAntesSeleciona;
  TNotifyEvent OnDepoisSeleciona;
  // OnClick, OnDblClick, OnMouseDown, OnMouseMove, OnMouseUp: see TMouseEvents.

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  enum class Modo { Acha, Dimensiona, PintaTodos, PintaUm, PintaPassa };
  // How the next paint draws the items: all with Valor pressed (the normal
  // case), only one item pressed or released, or the hover look.
  struct Pintura {
    Modo modo = Modo::PintaTodos;
    int a = -1;
    bool pressionado = false;
  };

  int Percorre(int X, int Y, Modo modo, int A, QPainter* canvas, QRect* retangulo = nullptr);
  void DesenhaItem(QPainter& canvas, const QRect& r, int estado, const QImage* figura, const QString& texto);
  void PintaAgora(Modo modo, int a);
  void MouseAbaixo(QMouseEvent* event);
  void MostraDica(int item);
  QString TextoDoItem(int item) const;
  void MoveFoco(int passo);

  bool fAutoMenu = false;
  bool fCtl3D = false;
  std::vector<std::string> fLista;
  std::vector<std::string> fLista2;
  int fValor = -1;
  bool fVertical = false;
  int fTipo = 1;
  int fDX = 1;
  int fDY = 1;
  bool fW98 = true;
  bool fSemEvento = false;
  bool fIndividual = true;
  int fLargX = 23;
  int fLargY = 26;
  int fBordaX = 1;
  int fBordaY = 2;
  int fFiguraNum = 0;
  bool fMostraHints = false;
  bool fMostraTextoAbaixo = false;
  std::array<QImage, kSlots> fFiguras;  // a null image: no picture
  bool fPressionando = false;
  int fUltimoPassa = -100;
  bool fMudandoAltura = false;
  Pintura fPintura;
  int fItemFocado = -1;
  std::vector<std::string> fNomesAcessiveis;
};
