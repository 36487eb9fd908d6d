#include "SelectionMeasure.h"

#include <algorithm>

#include "EditorDocument.h"
#include "ElementBox.h"

SelectionMeasure MeasureSelection(const EditorDocument& doc) {
  SelectionMeasure m;
  const int32_t count = doc.SelectionCount();
  double lo[3] = {0, 0, 0}, hi[3] = {0, 0, 0}, firstLo[3] = {0, 0, 0}, firstHi[3] = {0, 0, 0};
  for (int32_t k = 0; k < count; ++k) {
    const int32_t i = doc.SelectedIndex(k);
    if (i < 0 || i >= doc.Count()) continue;
    double l[3], h[3];
    TurnedBox(doc.elements.As<Element3D>(i), l, h);
    for (int a = 0; a < 3; ++a) {
      lo[a] = m.any ? std::min(lo[a], l[a]) : l[a];
      hi[a] = m.any ? std::max(hi[a], h[a]) : h[a];
      if (count == 2 && !m.any) firstLo[a] = l[a], firstHi[a] = h[a];
      if (count == 2 && m.any) m.gap[a] = std::max({0.0, l[a] - firstHi[a], firstLo[a] - h[a]});
    }
    m.pair = count == 2 && m.any;
    m.any = true;
  }
  for (int a = 0; a < 3; ++a) {
    m.size[a] = hi[a] - lo[a];
    m.centre[a] = (lo[a] + hi[a]) / 2;
  }
  return m;
}
