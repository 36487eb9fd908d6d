#pragma once
#include <QLabel>
#include <cstdint>
#include <string>

// What the status line under the view tells: the movement mode, the axis,
// the grid step, how many elements are selected and, while the pointer is
// over the floor, the floor point under it.
struct EstadoDaEdicao {
  int32_t modo = 0;  // MoveMode
  int32_t eixo = 3;  // EditAxis
  double passo = 0.5;
  int32_t selecionados = 0;
  bool noPiso = false;
  bool bloco = false;       // the block mode is on
  bool encaixe = true;      // a grab snaps to its neighbours
  bool pivoComum = false;   // turns go about the selection's common centre
  bool perspectiva = true;  // else the orthographic projection
  // The selection's size and centre in centimetres; with two elements
  // selected, the gap between them on each axis.
  bool medidas = false;
  double tamanho[3] = {0, 0, 0}, centro[3] = {0, 0, 0};
  bool vao = false;
  double distancia[3] = {0, 0, 0};
  std::string aviso;  // a problem to tell (Latin-1), empty when none
  double x = 0, z = 0;
};

// "Pivô: cada elemento" / "Pivô: centro comum", in the interface language.
std::string PivotText(bool common);

// The line's text (Latin-1), in the interface language.
std::string TextoDaBarraDeEstado(const EstadoDaEdicao& estado);

// The status line: a one-line label that only repaints when its text changes.
class TBarraDeEstado : public QLabel {
  Q_OBJECT
 public:
  explicit TBarraDeEstado(QWidget* parent = nullptr);
  void Mostra(const EstadoDaEdicao& estado);
};
