#include "TBarraDeEstado.h"

#include <cmath>

#include "LatinText.h"
#include "common/Dictionary.h"
#include "common/NumberText.h"

namespace {
// Floor coordinates to two decimals: enough to place by the grid, short
// enough not to flicker through long fractions as the pointer moves.
std::string Coordinate(double v) {
  const double rounded = std::nearbyint(v * 100) / 100;
  return FormatGeneral(rounded == 0 ? 0.0 : rounded);
}

std::string ModeName(int32_t modo) {
  switch (modo) {
    case 0:
      return Choose("Mover", "Grab");
    case 1:
      return Choose("Redimensionar", "Scale");
    case 2:
      return Choose("Girar", "Rotate");
    default:
      return "?";
  }
}

std::string AxisName(int32_t eixo) {
  static const char* const kNames[] = {"X", "Y", "Z", "XZ"};
  return eixo >= 0 && eixo <= 3 ? kNames[eixo] : "?";
}
}  // namespace

std::string PivotText(bool common) {
  return common ? Choose("Piv\xF4: centro comum", "Pivot: common centre")
                : Choose("Piv\xF4: cada elemento", "Pivot: each element");
}

std::string TextoDaBarraDeEstado(const EstadoDaEdicao& estado) {
  const std::string gap = "     ";
  std::string t = (estado.bloco ? Choose("Bloco", "Block") + gap : std::string()) + Choose("Modo: ", "Mode: ") +
                  ModeName(estado.modo) + gap + Choose("Eixo: ", "Axis: ") + AxisName(estado.eixo) + gap +
                  Choose("Grade: ", "Grid: ") + FormatGeneral(estado.passo) + gap +
                  Choose("Selecionados: ", "Selected: ") + std::to_string(estado.selecionados);
  if (estado.medidas) {
    const std::string dot = " \xB7 ", times = " \xD7 ";
    t += dot + Coordinate(estado.tamanho[0]) + times + Coordinate(estado.tamanho[1]) + times +
         Coordinate(estado.tamanho[2]) + " cm" + dot + Choose("centro (", "centre (") + Coordinate(estado.centro[0]) +
         ", " + Coordinate(estado.centro[1]) + ", " + Coordinate(estado.centro[2]) + ")";
    if (estado.vao)
      t += dot + Choose("dist\xE2ncia (", "gap (") + Coordinate(estado.distancia[0]) + ", " +
           Coordinate(estado.distancia[1]) + ", " + Coordinate(estado.distancia[2]) + ")";
  }
  t += gap + (estado.encaixe ? Choose("Encaixe: ligado", "Snap: on") : Choose("Encaixe: desligado", "Snap: off")) +
       gap + PivotText(estado.pivoComum) + gap +
       (estado.perspectiva ? Choose("Perspectiva", "Perspective")
                           : Choose("Ortogr\xE1"
                                    "fica",
                                    "Orthographic"));
  if (estado.noPiso)
    t += gap + Choose("Piso: ", "Floor: ") + "x " + Coordinate(estado.x) + "  z " + Coordinate(estado.z);
  if (!estado.aviso.empty()) t += gap + estado.aviso;
  return t;
}

TBarraDeEstado::TBarraDeEstado(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setContentsMargins(6, 1, 6, 1);
}

void TBarraDeEstado::Mostra(const EstadoDaEdicao& estado) {
  const QString texto = L1(TextoDaBarraDeEstado(estado));
  if (texto != text()) setText(texto);
}
