#pragma once
#include <QMainWindow>
#include <QPoint>
#include <memory>
#include <string>
#include <vector>

#include "AssemblyAids.h"
#include "EditorProbe.h"
#include "ExactValueBoxes.h"
#include "document/ArrowDirections.h"
#include "document/EditSteps.h"
#include "document/EditorDocument.h"
#include "document/GrabEdit.h"
#include "document/GrabSnap.h"
#include "gl/SceneFrame.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListView;
class QMenu;
class QPushButton;
class QTimer;
class BoxSelection;
class CommandRunner;
class ElementListModel;
class KeysWindow;
struct CommandCall;
class TBarraDeEstado;
class TCorSeleciona;
class TGLPanel;
class DocumentFiles;
class PropertyStrip;
class ViewNavigation;
class TMPanel;
class TMulfig;
class TSBM;
class TVSplit;
class TZSpinEdit;
struct GLView;

// Shows the wait indicator without a procedure; StopWait closes it.
void ShowWaitIndicator();

// The editor's one window: the drawing panel Tela1, the tool strip with the
// element palette and the property editors, the element list and the menu.
// It owns the document state and drives the view layer; the handlers are
// named after their control and event, spread over a few files by concern
// (layout, scene, panel and list, menu, mouse, keys), and hand their work to
// the parts the window owns: the camera under the pointer (ViewNavigation),
// the property strip (PropertyStrip), every action through the command
// table (CommandRunner) and the document's files with unsaved changes, the
// recent documents and the recovery copies (DocumentFiles). Its state and
// controls are private: a test finds the controls by their object names and
// reads what the user sees through Probe().

class TFEditorDeObjetos1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFEditorDeObjetos1(const QStringList& arguments, QWidget* parent = nullptr);
  // The arguments as the system gave them: a file name is bytes, and bytes
  // that are not UTF-8 would not survive a QString.
  explicit TFEditorDeObjetos1(std::vector<std::string> argumentBytes, QWidget* parent = nullptr);
  ~TFEditorDeObjetos1() override;

  // --- scene (EditorScene.cpp) ---
  void DrawScene();
  void Redraw();
  // Draws the frame into the panel before returning (saves read it back).
  void RenderNow();
  void UpdateScreenAxes();
  // How the world axes run on the screen at a world point (the arrows
  // follow them).
  AxesOnScreen AxesOnScreenAt(const double point[3]);
  // After a change of OrthoZoom: the panel's projection anew.
  void ProjectionChanged();
  void Mulfig2DepoisSeleciona();
  void DefaultCamera();  // DefaultView, then apply the camera
  // Focus back to the drawing panel so the key commands keep working.
  void FocusTela1();

  // --- selection, list and panel (EditorPanel.cpp) ---
  void SelectElement(int32_t i);
  void ClearSelection();
  void RebuildElementList();  // every row made anew (another document)
  // The list in step with the document: only the rows of elements added,
  // removed or renamed change, and the marks follow the selection.
  void SyncElementList();
  void MarkSelectedElements();  // the list's marks made from the document's selection
  void HighlightListEntry(int32_t i);
  void ShowAngles(int32_t i);
  void ShowInPanel(const Element3D& e);
  // After a command: the strip shows the current element (or the last
  // selected one, which becomes current); with nothing selected and the
  // document changed, the template the next element is made from.
  void RefreshPanel(bool documentChanged);
  void PCor1Click();
  void CTexturaClick();
  void CInvisivelClick();
  void EChanfro1ChangeUser();
  void ESuperior1ChangeUser();
  void EAyzChangeUser();
  void EAxzChange(TZSpinEdit* sender);
  void Lista1Click();
  void Lista1DblClick();
  // What the property strip's editors and the list's rename do, each run as
  // one command (the handlers above forward to the runner).
  void ChooseColor();
  void ApplyTexture();
  void ApplyVisibility();
  void ApplyChamfer();
  void ApplyTopSize();
  void ApplyAngles();
  void RenameListElement(CommandCall& call);
  // A new GL state for the view after a change of projection, fill or lights.
  void RecreateContext();
  void CPerspectiva1MouseUp();
  void CSolidos1MouseUp();
  void Button1Click();
  std::string SelectedTextureText() const;

  // --- document commands and menu (EditorMenu.cpp); the files' handlers
  //     forward to DocumentFiles ---
  void LoadDocument(const std::string& path);
  // False when nothing was written (a failed or an empty-named save).
  bool SaveDocument(const std::string& path);
  // The menu's handlers run their commands through the runner; these do
  // the work.
  void NewDocument();
  void OpenDocument();
  void SaveCommand();
  void SaveAsCommand();
  void ExportCommand();
  void GridCommand();
  void LeftLightCommand();
  void NormalEditionCommand();
  void AboutCommand();
  void Novo1Click();
  void Abrir1Click();
  void Salvar1Click();
  void Salvarcomo1Click();
  void Exportar1Click();
  void Editar1Click();
  void Desfazer1Click();
  void Copiar1Click();
  void Colar1Click();
  void Apagar1Click();
  void Grade1Click();
  void Luzesquerda1Click();
  void Edionormal1Click();
  void Tag1Click();
  void Sair1Click();
  void Sobre1Click();

  // --- mouse (EditorMouse.cpp) ---
  // Positions on the panel are framebuffer pixels. `byKey`: a click sent
  // from the keyboard (ClickAtPointer).
  void Tela1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y, bool byKey = false);
  void Tela1MouseMove(Qt::KeyboardModifiers shift, int x, int y);
  void Tela1MouseUp();
  void Mulfig1DepoisSeleciona();
  void Timer1Timer();
  void UpdateBlockCursor();
  // The lattice cell under the pointer, stacked on what it falls inside.
  void BlockCellAtPointer(double cell[3], bool* inside);
  // Appends the template as a new element; the palette returns to "Cursor".
  int32_t AppendFromTemplate();
  void AddBlockAtPointer();
  void ClickAtPointer();
  // Whether this press and the one before make a double press.
  bool DoublePress(Qt::MouseButton button, int x, int y, bool byKey);
  // One step of an element drag on the whole selection, from the records
  // of the press; true when it changed an element (the press's prepared
  // undo step is then taken).
  bool DragSelectionStep(MoveMode mode, EditAxis axis, const GrabTravel& travel);
  // How far the pressed point must travel to stay under the pointer at
  // (x, y); false where the pointer gives no sound answer (its ray
  // parallel to the plane or the axis).
  bool GrabTravelTo(int x, int y, MoveMode mode, EditAxis axis, GrabTravel& travel);
  void GatherSnapTargets();
  void ToggleSnapping(CommandCall& call);
  // The block mode (EditorBlockMode.cpp): on while Timer1 runs.
  bool BlockMode() const;
  void SetBlockMode(bool on);
  // The F11 key button and the status line follow the mode.
  void ShowBlockMode();
  void SetUpBlockModeButton();  // once, after the key row is built

  // --- keys (EditorKeys.cpp) ---
  void FormKeyDown(int key, Qt::KeyboardModifiers shift);
  // The key commands of the first design, as the key's row runs them.
  void ClassicKey(int key, Qt::KeyboardModifiers shift);
  void SendKeyName(const std::string& text);
  void SendKey(int code);

  // Picking against the last frame of Tela1.
  void PickAtPixel(int x, int y, double p[3]);
  void PickGround(int x, int y, double p[3]);
  QPoint PointerInPanel() const;

  // --- input comforts (EditorInput.cpp): redo, Enter in the property boxes,
  //     wheel zoom and the status line under the view ---
  void BuildInputAids();  // once, when the window is built
  void Refazer1Click();
  // Enter in a property box applies its value as the spin arrows do.
  void PropertyBoxKeyDown(TZSpinEdit* box, int& key);
  void Tela1MouseWheel(int delta, Qt::KeyboardModifiers shift, int x, int y);
  // The point of the pointer's ray as deep in the view as the centre.
  bool PointAtCentreDepth(int x, int y, double point[3]);
  // One notch's or one zoom key's share of the way (EditorInput.cpp).
  static double ZoomFactor(double notches);
  void Tela1MouseLeave();
  // Where the pointer meets the floor, for the status line.
  void TrackPointer(int x, int y);
  void UpdateStatusLine();

  // --- exact values, selection tools and the key list (EditorExactValues.cpp,
  //     EditorSelectionTools.cpp) ---
  void Idioma1Click();
  void BuildDiscoveryAids();  // once, when the window is built
  // Once the window's texts are in the interface language: places the
  // boxes and writes the tooltips and the hint.
  void ArrangeDiscoveryAids();
  void BuildExactValues();
  void PlaceExactValues();  // under the angle boxes, once the strip is laid out
  bool PaletteToolTip(QEvent* event);
  void UpdateModeHint();
  // After a save or an export: what was written, on the status line.
  void ShowWritten(const std::string& path);
  // The current element's values in the boxes; `force` also over a typed text.
  void ShowExactValues(const Element3D& e, bool force);
  void ForgetTypedValues();  // the selection changed: typed texts go
  void EnterExactValues();
  ExactValueBoxes::Outcome ApplyExactValue(ExactField field, const std::string& text);
  void AfterSelectionTool();
  void FrameSelection();
  void PanFollowingPointer(int x, int y);
  void ShowKeysWindow();
  // Box selection (B, then a drag) and the middle-button pan; true when the
  // event was theirs.
  bool SelectionToolMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  bool SelectionToolMouseMove(int x, int y);
  bool SelectionToolMouseUp(Qt::KeyboardModifiers shift, int x, int y);
  void DisarmBoxSelection();  // B's rectangle forgotten (Esc)

 public:
  // What the command table and the runner reach of the window's state.
  EditorDocument& Document() { return doc; }
  int MoveModeChosen() const;  // MMovimento1's mode
  void SetMoveMode(int mode);
  int AxisChosen() const;  // MEixo1's axis
  // The palette back on "Cursor"; false when it was there already.
  bool PaletteToCursor();
  void RepaintList();  // the list greys hidden elements anew
  void ArmBoxSelection();
  ExactValueBoxes* ExactValues() const { return ValoresExatos1; }
  void SetSnapping(bool on) { snapping_ = on; }
  bool Perspective() const;
  void ToggleProjection();  // as a press on the projection button
  // Turns the camera about the vertical through the point it looks at.
  void OrbitView(double degrees);

  // Building from parts (AssemblyAids.cpp). P: the pivot switched, kept
  // for the next start, said on the status line.
  void TogglePivot(CommandCall& call);
  // Ctrl+D, Shift+D: the selection duplicated one step aside; the copies
  // then follow the pointer.
  void DuplicateAndFollow(CommandCall& call);
  bool FollowingPointer() const { return assembly_.following; }
  // The copies moved to where the pointer at (x, y) takes them.
  void FollowPointer(int x, int y);
  // A click places the copies where they are; Esc (`back`) puts them back
  // one step aside, where the duplicate made them. Nothing while none follows.
  void StopFollowing(bool back);
  void SetCommonPivot(bool on) { assembly_.commonPivot = on; }

  // Every action runs through this (CommandRunner.h).
  CommandRunner& Commands() { return *commands_; }
  // What a user sees of the editor's state, read-only (EditorProbe.h).
  EditorProbe Probe() const;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FormCreate();
  void FormShow();
  void BuildToolStrip();
  void BuildKeyRow();
  void BuildHiddenControls();
  void BuildViewArea();
  void BuildMenu();
  // Names the controls as the design calls them, so they can be found by name.
  void NameControls();
  // Once the texts are in the interface language: the strip fitted to them,
  // and the labels, roles and keyboard walk set up (EditorLayout.cpp).
  static void ArrangeToolStrip(TFEditorDeObjetos1& w);
  static void SetUpKeyboardAndAssistiveTools(TFEditorDeObjetos1& w);
  static TSBM* KeyButton(const TFEditorDeObjetos1& w, const char* caption);
  std::unique_ptr<CommandRunner> commands_;
  void FillTextureList();
  void Tela1Initialize();
  void Tela1Paint();
  void Tela1Resize();
  void PaintGizmo(int x0, int y0);
  void ArrowKey(int key, Qt::KeyboardModifiers shift);
  void MoveCameraAlongSight(double sign);

  std::vector<std::string> arguments_;  // the document to open, in pieces
  bool firstShowDone_ = false;
  std::vector<bool> frameSelection_;  // the selection as the frame being built asks for it

  // --- the user's work kept: unsaved changes, recent documents, recovery
  //     copies (DocumentFiles) ---
 public:
  // Opens one of the File menu's recent documents.
  void OpenRecent(const std::string& path);
  // Offers the copies editors that ended without saving left behind.
  void OfferRecoveredDocuments();

 protected:
  // Asks to save unsaved changes first; stays open when the user cancels.
  void closeEvent(QCloseEvent* event) override;

 private:
  void SetUpDocumentFiles();
  void KeepAsRecent(const std::string& path);
  bool labelsPastBudget_ = false;  // the last frame drew some labels without pictures
 private:
  // --- the window's state, its parts and controls ---
  std::unique_ptr<ViewNavigation> navigation_;  // the camera under the pointer, once there is a view
  std::unique_ptr<PropertyStrip> strip_;        // the current element's editors on the tool strip
  // --- document and view state ---
  EditorDocument doc;
  GLView* view = nullptr;
  SceneState scene;
  // The document's files, the unsaved-changes mark and the recovery copies;
  // declared after the document, so it goes before the document does.
  std::unique_ptr<DocumentFiles> files_;

  // --- window state of the mouse and the block mode ---
  double dragPoint[3] = {0, 0, 0};
  int pressX = 0, pressY = 0;
  int lastMouseX = 0, lastMouseY = 0;
  int dragStartX = 0, dragStartY = 0;
  bool viewDragging = false;
  bool elementDragging = false;
  bool blockCursorShown = false;
  // The last press, by its event's own time in ms; with no button, none to pair with.
  ulong lastPressTime = 0;
  Qt::MouseButton lastPressButton = Qt::NoButton;
  QPoint lastPressAt;  // framebuffer pixels
  // Which ground axis follows horizontal / vertical pointer movement.
  int screenAxisH = 0, screenAxisV = 2;
  double screenSignH = 1.0, screenSignV = 1.0;
  bool busyPending = false;

  // --- controls (named as the window's design names them) ---
  QWidget* Panel1;
  QLabel* Label41;
  TMulfig* Mulfig1;
  QLabel* Label4;
  TMPanel* PCor1;
  QLabel* Label8;
  QComboBox* CTextura;
  QCheckBox* CInvisivel;
  QLabel* Label10;
  QLabel *Label7, *LAyz, *LAxz, *Label5, *Label6;
  TZSpinEdit *EAxy, *EAyz, *EAxz, *EChanfro1, *ESuperior1;
  std::vector<TSBM*> keyButtons;  // the second row, in the order they stand
  TMulfig *MMovimento1, *MEixo1, *Mulfig2;
  TSBM *CPerspectiva1, *CSolidos1, *SBM1, *SBM2;
  QLabel *TOP1, *left1, *right1, *bottom1, *Label2, *Label3, *Label9, *Label14;
  QLineEdit *Edit1, *Edit2, *Edit3;
  QPushButton* Button1;
  QWidget* Panel2;
  TVSplit *VSplit1, *VSplit2, *VSplit3;
  TGLPanel* Tela1;
  TMPanel* Panel5;
  QListView* Lista1;
  ElementListModel* elementRows_;  // Lista1's rows: the document's elements
  TMPanel *Panel3, *Panel4, *Panel6;
  QTimer* Timer1 = nullptr;
  TCorSeleciona* cor1;
  QAction *Novo1, *Abrir1, *Salvar1, *Salvarcomo1, *Exportar1, *Sair1;
  QMenu* Editar1;
  QAction *Desfazer1, *Copiar1, *Colar1, *Apagar1, *Grade1, *Luzesquerda1, *Edionormal1, *Tag1, *Sobre1;
  QAction* NiveisDesfazer1 = nullptr;  // "Níveis de desfazer...": how many steps can be undone

  // What the press on an element holds for the drag: the point pressed on
  // its surface, the side of its centre, and the selection as it was.
  double grabPoint_[3] = {0, 0, 0};
  GrabSides grabSides_;
  std::vector<std::pair<int32_t, Element3D>> grabRecords_;
  // Snapping (on unless the user switched it off): the boxes of the visible
  // elements the grab does not carry, taken at the press, and how far along
  // each axis 8 desktop pixels reach at the pressed point.
  bool snapping_ = true;
  std::vector<SnapBox> snapTargets_;
  AssemblyAids assembly_;  // the pivot of turns, a duplicate following the pointer
  double snapReach_[3] = {0, 0, 0};
  QAction* Refazer1 = nullptr;
  TBarraDeEstado* BarraDeEstado1 = nullptr;
  bool pointerOnFloor = false;
  double pointerFloor[3] = {0, 0, 0};
  ExactValueBoxes* ValoresExatos1 = nullptr;
  QAction* TeclasEMouse1 = nullptr;  // "?" > "Teclas e mouse"
  QAction* Idioma1 = nullptr;        // "?" > "Idioma": the other language from the next start
  QLabel* ModeHint1 = nullptr;       // what the mouse does now, beside the status line
  KeysWindow* keysWindow_ = nullptr;
  std::unique_ptr<BoxSelection> box_;  // B's rectangle on Tela1
  bool panning_ = false;
};
