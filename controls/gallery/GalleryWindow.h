#pragma once
#include <QMainWindow>

class QGridLayout;
class QWidget;
class TCorSeleciona;
class TMPanel;

// Every control of the library on one window, as the editor uses them.
class GalleryWindow : public QMainWindow {
  Q_OBJECT
 public:
  GalleryWindow();
  // The editor's translation steps, run when the window is first shown.
  void Translate();

 private:
  QWidget* Selectors();
  QWidget* SpinEdits();
  QWidget* KeyButtons();
  QWidget* Splitters();
  QWidget* Panels();
  QWidget* Dialogs();
  void BuildMenu();

  TCorSeleciona* fCor1;
  TMPanel* fPCor1;
};
