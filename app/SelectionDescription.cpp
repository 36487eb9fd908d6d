#include "SelectionDescription.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "common/Dictionary.h"
#include "document/EditorDocument.h"

namespace {
// Up to two decimals, without trailing zeros: "2", "2.5", "-0.25".
std::string Number(double v) {
  if (!std::isfinite(v)) return "?";
  char text[64];
  std::snprintf(text, sizeof text, "%.2f", v);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}
}  // namespace

std::string DescribeSelection(const EditorDocument& doc) {
  const int32_t count = doc.SelectionCount();
  if (count <= 0) return Choose("Nenhum elemento selecionado", "No element selected");
  double low[3], high[3];
  std::fill(low, low + 3, std::numeric_limits<double>::infinity());
  std::fill(high, high + 3, -std::numeric_limits<double>::infinity());
  for (int32_t k = 0; k < count; ++k) {
    const Element3D& e = doc.elements.As<Element3D>(doc.SelectedIndex(k));
    const double centre[3] = {e.x, e.y, e.z}, size[3] = {e.dx, e.dy, e.dz};
    for (int a = 0; a < 3; ++a) {
      low[a] = std::min(low[a], centre[a] - std::fabs(size[a]) / 2);
      high[a] = std::max(high[a], centre[a] + std::fabs(size[a]) / 2);
    }
  }
  const std::string name = doc.elements.As<Element3D>(doc.SelectedIndex(0)).name.str();
  const std::string shownName = name.empty() ? Choose("(sem nome)", "(unnamed)") : name;
  std::string text =
      count == 1 ? Choose("1 elemento selecionado: ", "1 element selected: ") + shownName
                 : std::to_string(count) +
                       Choose(" elementos selecionados, o primeiro: ", " elements selected, the first: ") + shownName;
  text += Choose("; posi\xE7\xE3o ", "; position ");
  for (int a = 0; a < 3; ++a) text += (a ? ", " : "") + Number((low[a] + high[a]) / 2);
  text += Choose("; tamanho ", "; size ");
  for (int a = 0; a < 3; ++a) text += (a ? " x " : "") + Number(high[a] - low[a]);
  return text;
}
