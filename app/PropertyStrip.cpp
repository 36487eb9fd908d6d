#include "PropertyStrip.h"

#include <QCheckBox>
#include <QComboBox>
#include <algorithm>
#include <cmath>

#include "LatinText.h"
#include "common/Latin1.h"
#include "controls/TCorSeleciona.h"
#include "controls/TMPanel.h"
#include "controls/TZSpinEdit.h"
#include "document/EditorDocument.h"

namespace {
// Shows an element's value in a whole-number box. Any double can come from
// a file, so the value is brought into the box's range before it becomes an
// integer; NaN has no place in it and leaves the box empty. Showing is no
// edit: nothing is written back.
void ShowNumber(TZSpinEdit& box, double value) {
  if (std::isnan(value)) {
    box.setText("");
    return;
  }
  const double inRange = std::clamp(value, double(box.MinValue()), double(box.MaxValue()));
  const auto n = static_cast<int32_t>(std::nearbyint(inRange));
  box.setValue(n);
  // An emptied box holding the same value gets its number back.
  if (box.Text() != std::to_string(n)) box.setText(std::to_string(n));
}

// Sets a flag for its lifetime and puts back what it was.
class Raised {
 public:
  explicit Raised(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
  ~Raised() { flag_ = was_; }
  Raised(const Raised&) = delete;
  Raised& operator=(const Raised&) = delete;

 private:
  bool& flag_;
  bool was_;
};
}  // namespace

void PropertyStrip::Show(const Element3D& e) {
  const Raised filling(filling_);
  c_.color.setColor(e.color);
  ShowNumber(c_.chamfer, e.chamfer * 37.037037037037);
  ShowNumber(c_.top, e.topPercent);
  ShowNumber(c_.axy, e.axy);
  ShowNumber(c_.ayz, e.ayz);
  ShowNumber(c_.axz, e.axz);
  int textureItem = 0;
  const std::string texture = Latin1Lower(e.texture.str());
  for (int k = 1; k < c_.texture.count() && !texture.empty(); ++k)
    if (Latin1Lower(Latin(c_.texture.itemText(k))) == texture) {
      textureItem = k;
      break;
    }
  c_.texture.setCurrentIndex(textureItem);
  c_.invisible.setChecked(e.invisible != 0);
}

void PropertyStrip::ShowAngles(const Element3D& e) {
  const Raised filling(filling_);
  ShowNumber(c_.axy, e.axy);
  ShowNumber(c_.ayz, e.ayz);
  ShowNumber(c_.axz, e.axz);
}

std::string PropertyStrip::SelectedTexture() const {
  return c_.texture.currentIndex() > 0 ? Latin(c_.texture.currentText()) : std::string();
}

void PropertyStrip::ChooseColor() {
  c_.colorDialog.setColor(c_.color.Color());
  if (c_.colorDialog.Execute()) {
    c_.color.setColor(c_.colorDialog.Color());
    doc_.SetSelectedColor(c_.colorDialog.Color());
  }
}

void PropertyStrip::ApplyTexture() { doc_.SetSelectedTexture(Latin(c_.texture.currentText())); }
void PropertyStrip::ApplyVisibility() { doc_.SetSelectedInvisible(c_.invisible.isChecked()); }
void PropertyStrip::ApplyChamfer() { doc_.SetSelectedChamfer(SpinToChamfer(c_.chamfer.Value())); }
void PropertyStrip::ApplyTopSize() { doc_.SetSelectedTopPercent(c_.top.Value()); }
void PropertyStrip::ApplyAngles() { doc_.SetSelectedAngles(c_.axy.Value(), c_.ayz.Value(), c_.axz.Value()); }
