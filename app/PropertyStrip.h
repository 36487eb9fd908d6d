#pragma once
#include <string>

#include "document/Element3D.h"

class EditorDocument;
class QCheckBox;
class QComboBox;
class TCorSeleciona;
class TMPanel;
class TZSpinEdit;

// The tool strip's editors of the current element: colour, texture,
// visibility, chamfer, top size and the three angles. It shows an element's
// values and applies what the user set to the selection; the undo step, the
// redraw and the refresh around each edit are the command runner's.
class PropertyStrip {
 public:
  struct Controls {
    TMPanel& color;
    QComboBox& texture;
    QCheckBox& invisible;
    TZSpinEdit& chamfer;
    TZSpinEdit& top;
    TZSpinEdit& axy;
    TZSpinEdit& ayz;
    TZSpinEdit& axz;
    TCorSeleciona& colorDialog;
  };
  PropertyStrip(EditorDocument& document, const Controls& controls) : doc_(document), c_(controls) {}

  void Show(const Element3D& e);
  void ShowAngles(const Element3D& e);
  // While the strip shows an element its editors' change events are no edits.
  bool Filling() const { return filling_; }
  // The texture chosen, as document text; empty for "none".
  std::string SelectedTexture() const;

  void ChooseColor();  // the colour dialog, then the selection takes the colour
  void ApplyTexture();
  void ApplyVisibility();
  void ApplyChamfer();
  void ApplyTopSize();
  void ApplyAngles();

 private:
  EditorDocument& doc_;
  Controls c_;
  bool filling_ = false;
};
