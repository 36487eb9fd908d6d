#pragma once
#include <QDialog>
#include <string>

#include "document/NameSyntax.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct Element3D;

// The modal dialog that edits an element's name. The name also carries the
// element's binding (tag-bound label, scale, sub-object), so the dialog
// takes it apart into fields and puts it back together on OK. Only the name
// line and the size line lie inside the visible client area; the binding
// fields are still filled and read back so that editing the name part keeps
// the binding.
class TFE3DAtributos1 : public QDialog {
  Q_OBJECT
 public:
  explicit TFE3DAtributos1(QWidget* parent = nullptr);

  void Fill(const std::string& name, const Element3D& element);
  // The name the fields make (meaningful once accepted).
  std::string Result() const;
  bool accepted() const { return accepted_; }

  QLabel* Label1;
  QLineEdit* ENome;
  QLabel* LDimen;
  QLabel* Label13;
  QLabel* Label14;
  QPushButton* Button2;
  QPushButton* Button1;
  QRadioButton* RNormal;
  QGroupBox* GroupBox1;
  QComboBox* CPropriedade;
  QComboBox* ETag1;
  QComboBox* EFormato;
  QRadioButton* REscala;
  QGroupBox* GroupBox2;
  QLineEdit *EMax, *EMin, *EDiv1, *EDiv2;
  QRadioButton* RSubobjeto;
  QGroupBox* GroupBox3;
  QLineEdit* EArquivo;
  QPushButton* Button3;
  QLineEdit *ETagArquivo, *EEstados, *EAtual;
  QCheckBox *CDuploEstado1, *CSomenteLeitura1;

 private:
  void Button2Click();
  void RNormalClick();
  void REscalaClick();
  void RSubobjetoClick();
  void Button3Click();
  void EnableGroups(bool g1, bool g2, bool g3);

  bool accepted_ = false;
};

// Runs the dialog on `name`; the new name, or empty when cancelled.
std::string EditElementName(const std::string& name, const Element3D& element, QWidget* parent = nullptr);
