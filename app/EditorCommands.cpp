#include "EditorCommands.h"

#include <QKeySequence>
#include <QListView>

#include "AssemblyAids.h"
#include "CommandReports.h"
#include "KeyCodes.h"
#include "TFEditorDeObjetos1.h"
#include "UndoHistoryDialog.h"
#include "UndoLevels.h"
#include "common/Dictionary.h"
#include "controls/TMulfig.h"
#include "controls/TSBM.h"
#include "document/AlignSelection.h"
#include "document/EditSteps.h"
#include "document/HideShow.h"
#include "document/MirrorSelection.h"
#include "document/SelectionTools.h"
#include "gl/GLView.h"

namespace {
using C = CommandId;
using G = KeyGroup;
using M = KeyMods;
using S = StepName;
using W = TFEditorDeObjetos1;
constexpr int kF1 = 112, kKeypadPoint = 110;

// Handlers shared by several rows.
void Classic(W& w, CommandCall& c) { w.ClassicKey(c.key, c.mods); }
void Undo(W& w, CommandCall& c) {
  c.changed = w.Document().Undo();
  c.report = c.changed ? UndoneReport(w.Document().LastStepName(), false) : NothingToReport(false);
}
void Redo(W& w, CommandCall& c) {
  c.changed = w.Document().Redo();
  c.report = c.changed ? UndoneReport(w.Document().LastStepName(), true) : NothingToReport(true);
}
// Align and distribute: what the selection lacks, said when nothing moved.
template <int Axis, AlignEdge Edge>
void Align(W& w, CommandCall& c) {
  if (!AlignSelection(w.Document(), Axis, Edge) && w.Document().SelectionCount() < 2)
    c.report = Choose("Selecione dois ou mais elementos; o \xFAltimo fica onde est\xE1",
                      "Select two or more elements; the last one stays where it is");
}
template <int Axis>
void Distribute(W& w, CommandCall& c) {
  if (!DistributeSelection(w.Document(), Axis) && w.Document().SelectionCount() < 3)
    c.report = Choose("Selecione tr\xEAs ou mais elementos", "Select three or more elements");
}
void Frame(W& w, CommandCall&) { w.FrameSelection(); }
// After hiding or showing `count` elements: the list greys them anew.
void Hidden(W& w, CommandCall& c, int32_t count, Counted what) {
  if (count == 0) return;
  c.report = CountReport(count, what);
  w.RepaintList();
}

// Rows of one key: the one whose modifiers fit wins, a row for any
// modifiers only when none names them. Menu rows keep the menu's order.
const std::vector<EditorCommand> kCommands = {
    // File menu
    {C::New, 0, M::Any, G::Files, nullptr, nullptr, "Criar um documento novo", "Start a new document",
     [](W& w, CommandCall&) { w.NewDocument(); }, false, S::Edit, false, MenuPlace::File, "&Novo", "New"},
    {C::Open, 0, M::Any, G::Files, nullptr, nullptr, "Abrir um documento", "Open a document",
     [](W& w, CommandCall&) { w.OpenDocument(); }, false, S::Edit, false, MenuPlace::File, "&Abrir...", "Open..."},
    {C::Save, 'S', M::Ctrl, G::Files, "Ctrl+S", "Ctrl+S", "Salvar (.zobj3d, .obj, .glb, .stl, .jpeg pela extens\xE3o)",
     "Save (.zobj3d, .obj, .glb, .stl, .jpeg by the extension)", [](W& w, CommandCall&) { w.SaveCommand(); }, false,
     S::Edit, false, MenuPlace::File, "&Salvar", "Save"},
    {C::SaveAs, 0, M::Any, G::Files, nullptr, nullptr, "Salvar com outro nome ou formato",
     "Save under another name or format", [](W& w, CommandCall&) { w.SaveAsCommand(); }, false, S::Edit, false,
     MenuPlace::File, "Salvar &como....", "Save As...", true},
    {C::Export, 0, M::Any, G::Files, nullptr, nullptr, "Exportar OBJ e MTL (ou o formato da extens\xE3o)",
     "Export OBJ and MTL (or the extension's format)", [](W& w, CommandCall&) { w.ExportCommand(); }, false, S::Edit,
     false, MenuPlace::File, "Exportar...", "Export..."},
    {C::Quit, 0, M::Any, G::Files, nullptr, nullptr, "Fechar o editor", "Close the editor",
     [](W& w, CommandCall&) { w.close(); }, false, S::Edit, false, MenuPlace::File, "Sai&r", "Quit", true},

    // Edit menu
    {C::Undo, 'Z', M::Ctrl, G::Edit, "Ctrl+Z", "Ctrl+Z", "Desfazer", "Undo", Undo, true, S::Edit, false,
     MenuPlace::Edit, "Desfazer", "Undo"},
    {C::Redo, 'Y', M::Ctrl, G::Edit, "Ctrl+Y", "Ctrl+Y", "Refazer", "Redo", Redo, true, S::Edit, false,
     MenuPlace::Edit, "Refazer", "Redo"},
    {C::Redo, 'Z', M::CtrlShift, G::Edit, "Shift+Ctrl+Z", "Shift+Ctrl+Z", "Refazer", "Redo", Redo, true, S::Edit},
    {C::History, 0, M::Any, G::Edit, nullptr, nullptr, "Os passos que podem ser desfeitos; voltar a um deles",
     "The steps that can be undone; go back to one", AskUndoHistory, true, S::Edit, false, MenuPlace::Edit,
     "Hist\xF3rico...", "History..."},
    {C::Copy, 'C', M::Ctrl, G::Add, "Ctrl+C", "Ctrl+C", "Copiar a sele\xE7\xE3o", "Copy the selection",
     [](W& w, CommandCall& c) {
       w.Document().CopySelection();
       if (w.Document().SelectionCount() > 0) c.report = CountReport(w.Document().SelectionCount(), Counted::Copied);
     },
     false, S::Edit, false, MenuPlace::Edit, "Copiar", "Copy"},
    {C::Paste, 'V', M::Ctrl, G::Add, "Ctrl+V", "Ctrl+V", "Colar", "Paste",
     [](W& w, CommandCall& c) {
       if (w.Document().Paste()) c.report = CountReport(w.Document().SelectionCount(), Counted::Pasted);
     },
     true, S::Paste, false, MenuPlace::Edit, "Colar", "Paste"},
    {C::Delete, vk::Delete, M::Any, G::Add, "Delete", "Delete", "Apagar a sele\xE7\xE3o", "Delete the selection",
     [](W& w, CommandCall& c) {
       // With a kind chosen in the palette, Delete only puts the palette back.
       if (w.PaletteToCursor()) return;
       const int32_t count = w.Document().SelectionCount();
       if (w.Document().DeleteSelection()) c.report = CountReport(count, Counted::Deleted);
     },
     true, S::Delete, false, MenuPlace::Edit, "Apagar", "Delete", true},
    {C::Grid, 0, M::Any, G::Edit, nullptr, nullptr, "O passo da grade", "The grid step",
     [](W& w, CommandCall&) { w.GridCommand(); }, false, S::Edit, false, MenuPlace::Edit, "Grade...", "Grid...",
     true},
    {C::UndoLevels, 0, M::Any, G::Edit, nullptr, nullptr, "Quantos passos podem ser desfeitos",
     "How many steps can be undone", [](W& w, CommandCall& c) { AskUndoLevels(w, c); }, false, S::Edit, false,
     MenuPlace::Edit, "N\xEDveis de desfazer...", "Undo levels..."},
    {C::LeftLight, 0, M::Any, G::View, nullptr, nullptr, "Luz esquerda", "Left light",
     [](W& w, CommandCall&) { w.LeftLightCommand(); }, false, S::Edit, false, MenuPlace::Edit, "Luz esquerda",
     "Left light"},
    {C::NormalEdition, vk::Escape, M::Any, G::Select, "Esc", "Esc",
     "Edi\xE7\xE3o normal: limpa a sele\xE7\xE3o, o modo e o eixo",
     "Normal edition: clears the selection, the mode and the axis",
     [](W& w, CommandCall&) { w.NormalEditionCommand(); }, false, S::Edit, false, MenuPlace::Edit,
     "Edi\xE7\xE3o normal", "Normal edition"},
    {C::TagName, 0, M::Any, G::Select, nullptr, nullptr, "Renomear o elemento da lista", "Rename the list's element",
     [](W& w, CommandCall&) { w.SendKey(vk::Enter); }, true, S::Rename, false, MenuPlace::Edit, "Tag name...",
     nullptr, true},

    // "?" menu
    {C::KeysWindow, kF1, M::Any, G::Files, "F1", "F1", "Esta lista de teclas e mouse", "This list of keys and mouse",
     [](W& w, CommandCall&) { w.ShowKeysWindow(); }, false, S::Edit, false, MenuPlace::Help, "Teclas e mouse",
     "Keys and mouse"},
    {C::Language, 0, M::Any, G::Files, nullptr, nullptr, "O outro idioma a partir do pr\xF3ximo in\xED" "cio",
     "The other language from the next start", [](W& w, CommandCall&) { w.Idioma1Click(); }, false, S::Edit, false,
     MenuPlace::Help, "Idioma", "Language"},
    {C::About, 0, M::Any, G::Files, nullptr, nullptr, "Sobre o editor", "About the editor",
     [](W& w, CommandCall&) { w.AboutCommand(); }, false, S::Edit, false, MenuPlace::Help, "&Sobre...", "About"},

    // Add
    {C::AddKind, vk::F5, M::Any, G::Add, "F5", "F5", "Adicionar um cubo", "Add a cube", Classic, true, S::Add},
    {C::AddKind, vk::F6, M::Any, G::Add, "F6", "F6", "Adicionar um cilindro", "Add a cylinder", Classic, true, S::Add},
    {C::AddKind, vk::F7, M::Any, G::Add, "F7", "F7", "Adicionar uma esfera", "Add a sphere", Classic, true, S::Add},
    {C::ClickAtPointer, vk::Space, M::Any, G::Add, "Espa\xE7o", "Space",
     "Clicar onde est\xE1 o ponteiro (adiciona o tipo escolhido ou seleciona)",
     "Click where the pointer is (adds the chosen kind or selects)", Classic, true, S::Add},
    {C::ClickAtPointer, vk::Insert, M::Any, G::Add, "Insert", "Insert", "O mesmo que Espa\xE7o", "The same as Space",
     Classic, true, S::Add},
    {C::Mouse, 0, M::Any, G::Add, "Clique com um tipo escolhido", "Click with a kind chosen",
     "Adicionar um elemento do tipo escolhido", "Add an element of the chosen kind", nullptr, true, S::Add},
    {C::Duplicate, 'D', M::Ctrl, G::Add, "Ctrl+D", "Ctrl+D",
     "Duplicar a sele\xE7\xE3o; a c\xF3pia segue o ponteiro at\xE9 um clique (Esc: um passo ao lado)",
     "Duplicate the selection; the copy follows the pointer until a click (Esc: one step aside)", [](W& w, CommandCall& c) { w.DuplicateAndFollow(c); }, true, S::Duplicate},
    {C::Duplicate, 'D', M::Shift, G::Add, "Shift+D", "Shift+D", "O mesmo que Ctrl+D", "The same as Ctrl+D", [](W& w, CommandCall& c) { w.DuplicateAndFollow(c); },
     true, S::Duplicate},

    // Select
    {C::Mouse, 0, M::Any, G::Select, "Clique", "Click", "Selecionar o elemento", "Select the element", nullptr, false,
     S::Edit},
    {C::Mouse, 0, M::Any, G::Select, "Shift+clique", "Shift+click", "Juntar o elemento \xE0 sele\xE7\xE3o",
     "Add the element to the selection", nullptr, false, S::Edit},
    {C::SelectAll, 'A', M::Ctrl, G::Select, "Ctrl+A", "Ctrl+A", "Selecionar todos os elementos vis\xEDveis",
     "Select every visible element", [](W& w, CommandCall&) { SelectAllVisible(w.Document()); }, false, S::Edit},
    {C::ClearSelection, 'A', M::CtrlShift, G::Select, "Shift+Ctrl+A", "Shift+Ctrl+A", "Limpar a sele\xE7\xE3o",
     "Clear the selection", [](W& w, CommandCall&) { w.ClearSelection(); }, false, S::Edit},
    {C::BoxSelect, 'B', M::Plain, G::Select, "B + arrastar", "B + drag",
     "Selecionar os elementos cujo centro cai no ret\xE2ngulo (Shift: juntar)",
     "Select the elements whose centre falls in the rectangle (Shift: add)",
     [](W& w, CommandCall&) { w.ArmBoxSelection(); }, false, S::Edit},
    {C::Enter, vk::Enter, M::Any, G::Select, "Enter", "Enter", "Renomear o elemento da lista (ou clicar no ponteiro)",
     "Rename the list's element (or click at the pointer)", Classic, true, S::Add},
    {C::Mouse, 0, M::Any, G::Select, "Duplo clique", "Double click", "Renomear o elemento", "Rename the element",
     nullptr, true, S::Rename},

    // Move, resize, turn
    {C::Mode, 'G', M::Any, G::Edit, "G", "G", "Modo mover", "Move mode", Classic, false, S::Edit},
    {C::Mode, 'S', M::Any, G::Edit, "S", "S", "Modo tamanho", "Resize mode", Classic, false, S::Edit},
    {C::Mode, 'R', M::Any, G::Edit, "R", "R", "Modo girar", "Turn mode", Classic, false, S::Edit},
    {C::Axis, 'X', M::Any, G::Edit, "X", "X", "Eixo X", "X axis", Classic, false, S::Edit},
    {C::Axis, 'Y', M::Any, G::Edit, "Y", "Y", "Eixo Y", "Y axis", Classic, false, S::Edit},
    {C::Axis, 'Z', M::Any, G::Edit, "Z", "Z", "Eixo Z", "Z axis", Classic, false, S::Edit},
    {C::PointerNudge, vk::Left, M::Shift, G::Edit, "Shift+setas", "Shift+arrows", "Mover o ponteiro 10 pixels",
     "Move the pointer 10 pixels", Classic, false, S::Edit},
    {C::Arrows, vk::Left, M::Any, G::Edit, "Setas", "Arrows",
     "Mover, redimensionar ou girar a sele\xE7\xE3o um passo (sem sele\xE7\xE3o: girar a c\xE2mera)",
     "Move, resize or turn the selection one step (nothing selected: turn the camera)", Classic, true, S::Edit, true},
    {C::Mouse, 0, M::Any, G::Edit, "Arrastar um elemento", "Drag an element",
     "Mover, redimensionar ou girar conforme o modo e o eixo", "Move, resize or turn by the mode and the axis",
     nullptr, true, S::Edit, true},
    {C::Snapping, vk::Tab, M::Shift, G::Edit, "Shift+Tab", "Shift+Tab",
     "Ligar ou desligar o encaixe nos vizinhos ao arrastar", "Snapping to neighbours while dragging on or off",
     [](W& w, CommandCall& c) { w.ToggleSnapping(c); }, false, S::Edit, false, MenuPlace::Edit, "Encaixe",
     "Snapping"},
    {C::Pivot, 'P', M::Plain, G::Edit, "P", "P",
     "Girar cada elemento em torno do seu centro, ou a sele\xE7\xE3o inteira em torno do centro comum",
     "Turn each element about its own centre, or the whole selection about its common centre", [](W& w, CommandCall& c) { w.TogglePivot(c); }, false,
     S::Edit, false, MenuPlace::Edit, "Piv\xF4 comum", "Common pivot"},
    {C::Hide, 'H', M::Plain, G::Select, "H", "H", "Esconder a sele\xE7\xE3o", "Hide the selection",
     [](W& w, CommandCall& c) {
       Hidden(w, c, HideSelection(w.Document()), Counted::Hidden);
     },
     true, S::Visibility, false, MenuPlace::Edit, "Esconder", "Hide", true},
    {C::HideOthers, 'H', M::Shift, G::Select, "Shift+H", "Shift+H", "Esconder tudo o que n\xE3o est\xE1 selecionado",
     "Hide everything not selected",
     [](W& w, CommandCall& c) {
       Hidden(w, c, HideUnselected(w.Document()), Counted::Hidden);
     },
     true, S::Visibility, false, MenuPlace::Edit, "Esconder os outros", "Hide the others"},
    {C::ShowAll, 'H', M::Alt, G::Select, "Alt+H", "Alt+H", "Mostrar todos os elementos", "Show every element",
     [](W& w, CommandCall& c) {
       Hidden(w, c, ShowAll(w.Document()), Counted::Shown);
     },
     true, S::Visibility, false, MenuPlace::Edit, "Mostrar tudo", "Show all"},
    {C::Mirror, 'M', M::Ctrl, G::Edit, "Ctrl+M", "Ctrl+M",
     "Espelhar a sele\xE7\xE3o no eixo escolhido (XZ: X) em torno do seu centro",
     "Mirror the selection along the chosen axis (XZ: X) about its centre",
     [](W& w, CommandCall&) {
       const int axis = w.AxisChosen();
       MirrorSelection(w.Document(), axis == kAxisY || axis == kAxisZ ? axis : kAxisX);
     },
     true, S::Mirror, false, MenuPlace::Edit, "Espelhar", "Mirror"},
    {C::AlignMinX, 0, M::Any, G::Edit, nullptr, nullptr,
     "Alinhar o m\xEDnimo da sele\xE7\xE3o em X ao do \xFAltimo selecionado",
     "Align the selection's minimum on X to the last selected element's", Align<0, AlignEdge::Min>, true, S::Align,
     false, MenuPlace::Align, "M\xEDnimo em X", "Minimum on X"},
    {C::AlignMinY, 0, M::Any, G::Edit, nullptr, nullptr,
     "Alinhar o m\xEDnimo da sele\xE7\xE3o em Y ao do \xFAltimo selecionado",
     "Align the selection's minimum on Y to the last selected element's", Align<1, AlignEdge::Min>, true, S::Align,
     false, MenuPlace::Align, "M\xEDnimo em Y", "Minimum on Y"},
    {C::AlignMinZ, 0, M::Any, G::Edit, nullptr, nullptr,
     "Alinhar o m\xEDnimo da sele\xE7\xE3o em Z ao do \xFAltimo selecionado",
     "Align the selection's minimum on Z to the last selected element's", Align<2, AlignEdge::Min>, true, S::Align,
     false, MenuPlace::Align, "M\xEDnimo em Z", "Minimum on Z"},
    {C::AlignCentreX, 0, M::Any, G::Edit, nullptr, nullptr,
     "Alinhar o centro da sele\xE7\xE3o em X ao do \xFAltimo selecionado",
     "Align the selection's centre on X to the last selected element's", Align<0, AlignEdge::Centre>, true, S::Align,
     false, MenuPlace::Align, "Centro em X", "Centre on X", true},
    {C::AlignCentreY, 0, M::Any, G::Edit, nullptr, nullptr,
     "Alinhar o centro da sele\xE7\xE3o em Y ao do \xFAltimo selecionado",
     "Align the selection's centre on Y to the last selected element's", Align<1, AlignEdge::Centre>, true, S::Align,
     false, MenuPlace::Align, "Centro em Y", "Centre on Y"},
    {C::AlignCentreZ, 0, M::Any, G::Edit, nullptr, nullptr,
     "Alinhar o centro da sele\xE7\xE3o em Z ao do \xFAltimo selecionado",
     "Align the selection's centre on Z to the last selected element's", Align<2, AlignEdge::Centre>, true, S::Align,
     false, MenuPlace::Align, "Centro em Z", "Centre on Z"},
    {C::AlignMaxX, 0, M::Any, G::Edit, nullptr, nullptr,
     "Alinhar o m\xE1ximo da sele\xE7\xE3o em X ao do \xFAltimo selecionado",
     "Align the selection's maximum on X to the last selected element's", Align<0, AlignEdge::Max>, true, S::Align,
     false, MenuPlace::Align, "M\xE1ximo em X", "Maximum on X", true},
    {C::AlignMaxY, 0, M::Any, G::Edit, nullptr, nullptr,
     "Alinhar o m\xE1ximo da sele\xE7\xE3o em Y ao do \xFAltimo selecionado",
     "Align the selection's maximum on Y to the last selected element's", Align<1, AlignEdge::Max>, true, S::Align,
     false, MenuPlace::Align, "M\xE1ximo em Y", "Maximum on Y"},
    {C::AlignMaxZ, 0, M::Any, G::Edit, nullptr, nullptr,
     "Alinhar o m\xE1ximo da sele\xE7\xE3o em Z ao do \xFAltimo selecionado",
     "Align the selection's maximum on Z to the last selected element's", Align<2, AlignEdge::Max>, true, S::Align,
     false, MenuPlace::Align, "M\xE1ximo em Z", "Maximum on Z"},
    {C::DistributeX, 0, M::Any, G::Edit, nullptr, nullptr,
     "Distribuir tr\xEAs ou mais elementos em X: os dois das pontas ficam, os v\xE3os ficam iguais",
     "Distribute three or more elements along X: the two outermost stay, the gaps become equal",
     Distribute<0>, true, S::Distribute, false, MenuPlace::Align, "Distribuir em X", "Distribute along X", true},
    {C::DistributeY, 0, M::Any, G::Edit, nullptr, nullptr,
     "Distribuir tr\xEAs ou mais elementos em Y: os dois das pontas ficam, os v\xE3os ficam iguais",
     "Distribute three or more elements along Y: the two outermost stay, the gaps become equal",
     Distribute<1>, true, S::Distribute, false, MenuPlace::Align, "Distribuir em Y", "Distribute along Y"},
    {C::DistributeZ, 0, M::Any, G::Edit, nullptr, nullptr,
     "Distribuir tr\xEAs ou mais elementos em Z: os dois das pontas ficam, os v\xE3os ficam iguais",
     "Distribute three or more elements along Z: the two outermost stay, the gaps become equal",
     Distribute<2>, true, S::Distribute, false, MenuPlace::Align, "Distribuir em Z", "Distribute along Z"},
    {C::ExactValues, 'N', M::Plain, G::Edit, "N", "N",
     "Digitar posi\xE7\xE3o e tamanho exatos (Tab: pr\xF3xima caixa, Enter: aplicar, Esc: voltar)",
     "Type an exact position and size (Tab: next box, Enter: apply, Esc: back)",
     [](W& w, CommandCall&) { w.EnterExactValues(); }, false, S::ExactValues},

    // View
    {C::DefaultView, vk::Home, M::Any, G::View, "Home", "Home", "Vista padr\xE3o", "Default view", Classic, false,
     S::Edit},
    {C::DefaultView, '0', M::Any, G::View, "0", "0", "Vista padr\xE3o", "Default view", Classic, false, S::Edit},
    {C::ViewPreset, '1', M::Any, G::View, "1", "1", "Vista xyz", "View xyz", Classic, false, S::Edit},
    {C::ViewPreset, '2', M::Any, G::View, "2", "2", "Vista XZ", "View XZ", Classic, false, S::Edit},
    {C::ViewPreset, '3', M::Any, G::View, "3", "3", "Vista XY", "View XY", Classic, false, S::Edit},
    {C::ViewPreset, '4', M::Any, G::View, "4", "4", "Vista ZY", "View ZY", Classic, false, S::Edit},
    {C::Projection, '5', M::Any, G::View, "5", "5", "Perspectiva ou ortogr\xE1" "fica",
     "Perspective or orthographic",
     [](W& w, CommandCall& c) {
       w.ToggleProjection();
       c.report = w.Perspective() ? Choose("Perspectiva", "Perspective")
                                      : Choose("Ortogr\xE1" "fica", "Orthographic");
     },
     false, S::Edit},
    {C::Frame, 'F', M::Plain, G::View, "F", "F", "Enquadrar a sele\xE7\xE3o (sem sele\xE7\xE3o: o documento inteiro)",
     "Frame the selection (nothing selected: the whole document)", Frame, false, S::Edit},
    {C::Frame, kKeypadPoint, M::Any, G::View, ". (teclado num\xE9rico)", ". (keypad)", "O mesmo que F",
     "The same as F", Frame, false, S::Edit},
    {C::Zoom, vk::Add, M::Any, G::View, "+ (teclado num\xE9rico)", "+ (keypad)", "Aproximar a c\xE2mera",
     "Move the camera closer", Classic, false, S::Edit},
    {C::Zoom, vk::Subtract, M::Any, G::View, "- (teclado num\xE9rico)", "- (keypad)", "Afastar a c\xE2mera",
     "Move the camera away", Classic, false, S::Edit},
    // A laptop has no keypad: the main keyboard's keys zoom too.
    {C::Zoom, vk::OemPlus, M::Any, G::View, "+ ou =", "+ or =", "Aproximar a c\xE2mera", "Move the camera closer",
     Classic, false, S::Edit},
    {C::Zoom, vk::OemMinus, M::Any, G::View, "-", "-", "Afastar a c\xE2mera", "Move the camera away", Classic, false,
     S::Edit},
    {C::Pan, vk::Left, M::Ctrl, G::View, "Ctrl+setas laterais", "Ctrl+Left/Right", "Deslocar a c\xE2mera pelo piso",
     "Pan the camera along the floor", Classic, false, S::Edit},
    {C::Pan, vk::Left, M::Alt, G::View, "Alt+setas laterais", "Alt+Left/Right", "Deslocar a c\xE2mera em Z",
     "Pan the camera along Z", Classic, false, S::Edit},
    {C::Pan, vk::Up, M::Ctrl, G::View, "Ctrl+Cima/Baixo", "Ctrl+Up/Down", "Subir ou descer a c\xE2mera",
     "Raise or lower the camera", Classic, false, S::Edit},
    {C::Mouse, 0, M::Any, G::View, "Arrastar no vazio ou com o bot\xE3o direito",
     "Drag on empty space or with the right button", "Girar a c\xE2mera", "Turn the camera", nullptr, false, S::Edit},
    {C::Mouse, 0, M::Any, G::View, "Ctrl+arrastar", "Ctrl+drag", "Deslocar a c\xE2mera em passos fixos",
     "Pan the camera in fixed steps", nullptr, false, S::Edit},
    {C::Mouse, 0, M::Any, G::View, "Arrastar com o bot\xE3o do meio", "Middle-button drag",
     "Deslocar a c\xE2mera seguindo o ponteiro", "Pan the camera following the pointer", nullptr, false, S::Edit},
    {C::Mouse, 0, M::Any, G::View, "Roda", "Wheel", "Aproximar ou afastar em dire\xE7\xE3o ao ponteiro",
     "Zoom toward the pointer", nullptr, false, S::Edit},
    {C::Mouse, 0, M::Any, G::View, "Ctrl+roda", "Ctrl+wheel", "Aproximar ou afastar em passos finos",
     "Zoom in fine steps", nullptr, false, S::Edit},

    // Block mode
    {C::BlockMode, vk::F11, M::Any, G::BlockMode, "F11", "F11", "Ligar ou desligar o modo de blocos",
     "Block mode on or off", Classic, false, S::Edit},
    {C::BlockMode, vk::F10, M::Any, G::BlockMode, "F10", "F10", "Desligar o modo de blocos", "Block mode off", Classic,
     false, S::Edit},
    {C::AddBlock, vk::F9, M::Any, G::BlockMode, "F9", "F9", "Adicionar um bloco no cursor de blocos",
     "Add a block at the block cursor", Classic, true, S::Block},
    {C::Mouse, 0, M::Any, G::BlockMode, "Clique no modo de blocos", "Click in block mode",
     "Adicionar um bloco no cursor de blocos", "Add a block at the block cursor", nullptr, true, S::Block},

    // The property strip, the exact values and the element list: no key.
    {C::Color, 0, M::Any, G::Edit, nullptr, nullptr, "A cor da sele\xE7\xE3o e do pr\xF3ximo elemento",
     "The colour of the selection and of the next element", [](W& w, CommandCall&) { w.ChooseColor(); }, true,
     S::Color},
    {C::Texture, 0, M::Any, G::Edit, nullptr, nullptr, "A textura da sele\xE7\xE3o e do pr\xF3ximo elemento",
     "The texture of the selection and of the next element", [](W& w, CommandCall&) { w.ApplyTexture(); }, true,
     S::Texture},
    {C::Visibility, 0, M::Any, G::Edit, nullptr, nullptr, "Esconder ou mostrar a sele\xE7\xE3o",
     "Hide or show the selection", [](W& w, CommandCall&) { w.ApplyVisibility(); }, true, S::Visibility},
    {C::Chamfer, 0, M::Any, G::Edit, nullptr, nullptr, "O chanfro da sele\xE7\xE3o", "The bevel of the selection",
     [](W& w, CommandCall&) { w.ApplyChamfer(); }, true, S::Chamfer},
    {C::TopSize, 0, M::Any, G::Edit, nullptr, nullptr, "O tamanho do topo da sele\xE7\xE3o",
     "The top size of the selection", [](W& w, CommandCall&) { w.ApplyTopSize(); }, true, S::TopSize},
    {C::Angles, 0, M::Any, G::Edit, nullptr, nullptr, "A rota\xE7\xE3o da sele\xE7\xE3o",
     "The rotation of the selection", [](W& w, CommandCall&) { w.ApplyAngles(); }, true, S::Angles},
    // From the first box a value is typed into until the keys leave the
    // boxes: one step however many boxes were typed into.
    {C::ExactEntry, 0, M::Any, G::Edit, nullptr, nullptr, "Posi\xE7\xE3o, tamanho e rota\xE7\xE3o exatos",
     "Exact position, size and rotation", nullptr, true, S::ExactValues},
    {C::Rename, 0, M::Any, G::Select, nullptr, nullptr, "Renomear o elemento", "Rename the element",
     [](W& w, CommandCall& c) { w.RenameListElement(c); }, true, S::Rename},
};

bool Fits(KeyMods need, Qt::KeyboardModifiers held) {
  const bool ctrl = held.testFlag(Qt::ControlModifier), shift = held.testFlag(Qt::ShiftModifier),
             alt = held.testFlag(Qt::AltModifier);
  switch (need) {
    case KeyMods::Any:
      return true;
    case KeyMods::Plain:
      return !ctrl && !shift && !alt;
    case KeyMods::Ctrl:
      return ctrl && !shift;
    case KeyMods::Shift:
      return shift && !ctrl;
    case KeyMods::CtrlShift:
      return ctrl && shift;
    case KeyMods::Alt:
      return alt && !ctrl && !shift;
  }
  return false;
}

int QtKeyOf(int code) {
  switch (code) {
    case vk::Delete:
      return Qt::Key_Delete;
    case vk::Escape:
      return Qt::Key_Escape;
    case kF1:
      return Qt::Key_F1;
    default:
      return code >= '0' && code <= 'Z' ? code : 0;
  }
}
}  // namespace

const std::vector<EditorCommand>& EditorCommands() { return kCommands; }

const EditorCommand* FindKeyCommand(int code, Qt::KeyboardModifiers modifiers) {
  if (code == 0) return nullptr;
  // A row that names modifiers goes before one that takes any; the other
  // arrows share the rows written for Left.
  const bool arrow = code == vk::Right || code == vk::Up || code == vk::Down;
  for (const bool any : {false, true})
    for (const int row : {code, arrow ? int(vk::Left) : 0})
      for (const EditorCommand& c : kCommands)
        if (row != 0 && c.code == row && (c.mods == KeyMods::Any) == any && Fits(c.mods, modifiers)) return &c;
  return nullptr;
}

const EditorCommand& CommandOf(CommandId id) {
  for (const EditorCommand& c : kCommands)
    if (c.id == id) return c;
  return kCommands.front();  // every id has a row; the table test holds to it
}

std::string ShortcutText(const EditorCommand& c) {
  const int key = QtKeyOf(c.code);
  if (key == 0) return {};
  int mods = 0;
  if (c.mods == KeyMods::Ctrl || c.mods == KeyMods::CtrlShift) mods |= Qt::CTRL;
  if (c.mods == KeyMods::Shift || c.mods == KeyMods::CtrlShift) mods |= Qt::SHIFT;
  if (c.mods == KeyMods::Alt) mods |= Qt::ALT;
  return QKeySequence(key | mods).toString(QKeySequence::PortableText).toStdString();
}

std::vector<std::string> ShortcutsOf(CommandId id) {
  std::vector<std::string> keys;
  for (const EditorCommand& c : kCommands)
    if (c.id == id && !ShortcutText(c).empty()) keys.push_back(ShortcutText(c));
  return keys;
}

bool DrawsItself(const EditorCommand& row) { return row.handler == &Classic; }

std::string KeyGroupTitle(KeyGroup group, bool english) {
  switch (group) {
    case KeyGroup::Add:
      return english ? "Add" : "Adicionar";
    case KeyGroup::Select:
      return english ? "Select" : "Selecionar";
    case KeyGroup::Edit:
      return english ? "Move, resize, turn" : "Mover, redimensionar, girar";
    case KeyGroup::View:
      return english ? "View" : "Vista";
    case KeyGroup::Files:
      return english ? "Files" : "Arquivos";
    case KeyGroup::BlockMode:
      return english ? "Block mode" : "Modo de blocos";
  }
  return {};
}
