#pragma once
#include <QImage>
#include <QWidget>
#include <functional>
#include <string>

#include "ControlEvents.h"
#include "WinColor.h"

class QShortcut;

// A flat picture button: momentary (GroupIndex 0) or a two-state toggle
// grouped with the sibling buttons of the same GroupIndex. Only the left
// button counts; OnClick comes before OnMouseUp on a release inside.
class TSBM : public QWidget, public TMouseEvents {
  Q_OBJECT
 public:
  enum TButtonLayout { blGlyphLeft, blGlyphBottom, blGlyphTop, blGlyphRight };

  explicit TSBM(QWidget* parent = nullptr);

  int TextoAlinhamento() const { return fTextoAlinhamento; }
  void setTextoAlinhamento(int v) {
    fTextoAlinhamento = v;
    update();
  }
  bool AllowAllUp() const { return fAllowAllUp; }
  void setAllowAllUp(bool v) { fAllowAllUp = v; }
  bool Down() const { return fDown; }
  void setDown(bool v);
  QImage Glyph() const { return fGlyph; }
  void setGlyph(const QImage& v);
  int GroupIndex() const { return fGroupIndex; }
  void setGroupIndex(int v);
  TButtonLayout Layout() const { return fLayout; }
  void setLayout(TButtonLayout v) { fLayout = v; }
  int Margin() const { return fMargin; }
  void setMargin(int v) { fMargin = v; }
  int NumGlyphs() const { return fNumGlyphs; }
  void setNumGlyphs(int v) { fNumGlyphs = v; }
  int Spacing() const { return fSpacing; }
  void setSpacing(int v) { fSpacing = v; }
  bool EstadoDuplo() const { return fEstadoDuplo; }
  void setEstadoDuplo(bool v) { fEstadoDuplo = v; }
  bool W98() const { return fW98; }
  void setW98(bool v) {
    fW98 = v;
    update();
  }
  bool ExecutaEventoDown() const { return fExecutaEventoDown; }
  void setExecutaEventoDown(bool v) { fExecutaEventoDown = v; }
  bool MostraHint() const { return fMostraHint; }
  void setMostraHint(bool v) { fMostraHint = v; }
  const std::string& Caption() const { return fCaption; }
  void setCaption(const std::string& v);
  TColor Color() const { return fColor; }
  void setColor(TColor v) {
    fColor = v;
    update();
  }

  // Sets the stored Down without events.
  void FDownaux(bool v);
  // What is drawn: pressed while tracking inside, else the stored state.
  bool MostradoAbaixo() const { return fMostradoAbaixo; }
  bool MouseSobre() const { return fMouseSobre; }

  // A click from the keyboard (Space, Enter) or an assistive tool: the
  // events of a left click in the middle of the button.
  void Clica();
  // When set, the button stands for one choice of several (a mode, an
  // axis) and says whether that choice is the current one; assistive tools
  // then see a radio button.
  std::function<bool()> Escolhido;

  // OnClick, OnDblClick, OnMouseDown, OnMouseMove, OnMouseUp: see TMouseEvents.

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void SoltaGrupo();
  bool Dentro(QPoint p) const;

  int fTextoAlinhamento = 0;
  bool fAllowAllUp = false;
  bool fDown = false;
  QImage fGlyph;
  QImage fGlyphCinza;  // the disabled look, made on first need
  int fGroupIndex = 0;
  TButtonLayout fLayout = blGlyphLeft;
  int fMargin = -1;
  int fNumGlyphs = 1;
  int fSpacing = 4;
  bool fEstadoDuplo = false;
  bool fW98 = false;
  bool fExecutaEventoDown = false;
  bool fMostraHint = false;
  std::string fCaption;
  TColor fColor = clBtnFace;
  bool fMostradoAbaixo = false;
  bool fRastreando = false;
  bool fMouseSobre = false;
  QShortcut* fAtalho = nullptr;
};
