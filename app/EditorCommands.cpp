#include "EditorKeyTable.h"

#include "KeyCodes.h"

namespace {
using A = KeyAction;
using G = KeyGroup;
using M = KeyMods;

// Rows of one key: the one whose modifiers fit wins, a row for any
// modifiers only when none names them.
const std::vector<KeyCommand> kCommands = {
    // Add
    {vk::F5, M::Any, A::Classic, G::Add, "F5", "F5", "Adicionar um cubo", "Add a cube"},
    {vk::F6, M::Any, A::Classic, G::Add, "F6", "F6", "Adicionar um cilindro", "Add a cylinder"},
    {vk::F7, M::Any, A::Classic, G::Add, "F7", "F7", "Adicionar uma esfera", "Add a sphere"},
    {vk::Space, M::Any, A::Classic, G::Add, "Espa\xE7o", "Space",
     "Clicar onde est\xE1 o ponteiro (adiciona o tipo escolhido ou seleciona)",
     "Click where the pointer is (adds the chosen kind or selects)"},
    {vk::Insert, M::Any, A::Classic, G::Add, "Insert", "Insert", "O mesmo que Espa\xE7o", "The same as Space"},
    {0, M::Any, A::Mouse, G::Add, "Clique com um tipo escolhido", "Click with a kind chosen",
     "Adicionar um elemento do tipo escolhido", "Add an element of the chosen kind"},
    {vk::Delete, M::Any, A::Menu, G::Add, "Delete", "Delete", "Apagar a sele\xE7\xE3o", "Delete the selection"},
    {'D', M::Ctrl, A::Duplicate, G::Add, "Ctrl+D", "Ctrl+D",
     "Duplicar a sele\xE7\xE3o (um passo ao lado) e mover a c\xF3pia",
     "Duplicate the selection (one step aside) and move the copy"},
    {'D', M::Shift, A::Duplicate, G::Add, "Shift+D", "Shift+D", "O mesmo que Ctrl+D", "The same as Ctrl+D"},
    {'C', M::Ctrl, A::Menu, G::Add, "Ctrl+C", "Ctrl+C", "Copiar a sele\xE7\xE3o", "Copy the selection"},
    {'V', M::Ctrl, A::Menu, G::Add, "Ctrl+V", "Ctrl+V", "Colar", "Paste"},

    // Select
    {0, M::Any, A::Mouse, G::Select, "Clique", "Click", "Selecionar o elemento", "Select the element"},
    {0, M::Any, A::Mouse, G::Select, "Shift+clique", "Shift+click", "Juntar o elemento \xE0 sele\xE7\xE3o",
     "Add the element to the selection"},
    {'A', M::Ctrl, A::SelectAll, G::Select, "Ctrl+A", "Ctrl+A", "Selecionar todos os elementos vis\xEDveis",
     "Select every visible element"},
    {'A', M::CtrlShift, A::ClearSelection, G::Select, "Shift+Ctrl+A", "Shift+Ctrl+A", "Limpar a sele\xE7\xE3o",
     "Clear the selection"},
    {vk::Escape, M::Any, A::Menu, G::Select, "Esc", "Esc",
     "Edi\xE7\xE3o normal: limpa a sele\xE7\xE3o, o modo e o eixo",
     "Normal edition: clears the selection, the mode and the axis"},
    {'B', M::Plain, A::BoxSelect, G::Select, "B + arrastar", "B + drag",
     "Selecionar os elementos cujo centro cai no ret\xE2ngulo (Shift: juntar)",
     "Select the elements whose centre falls in the rectangle (Shift: add)"},
    {vk::Enter, M::Any, A::Classic, G::Select, "Enter", "Enter", "Renomear o elemento da lista (ou clicar no ponteiro)",
     "Rename the list's element (or click at the pointer)"},
    {0, M::Any, A::Mouse, G::Select, "Duplo clique", "Double click", "Renomear o elemento", "Rename the element"},

    // Move, resize, turn
    {'G', M::Any, A::Classic, G::Edit, "G", "G", "Modo mover", "Move mode"},
    {'S', M::Any, A::Classic, G::Edit, "S", "S", "Modo tamanho", "Resize mode"},
    {'R', M::Any, A::Classic, G::Edit, "R", "R", "Modo girar", "Turn mode"},
    {'X', M::Any, A::Classic, G::Edit, "X", "X", "Eixo X", "X axis"},
    {'Y', M::Ctrl, A::Menu, G::Edit, "Ctrl+Y", "Ctrl+Y", "Refazer", "Redo"},
    {'Y', M::Any, A::Classic, G::Edit, "Y", "Y", "Eixo Y", "Y axis"},
    {'Z', M::CtrlShift, A::Menu, G::Edit, "Shift+Ctrl+Z", "Shift+Ctrl+Z", "Refazer", "Redo"},
    {'Z', M::Ctrl, A::Menu, G::Edit, "Ctrl+Z", "Ctrl+Z", "Desfazer", "Undo"},
    {'Z', M::Any, A::Classic, G::Edit, "Z", "Z", "Eixo Z", "Z axis"},
    {vk::Left, M::Shift, A::Classic, G::Edit, "Shift+setas", "Shift+arrows", "Mover o ponteiro 10 pixels",
     "Move the pointer 10 pixels"},
    {vk::Left, M::Any, A::Classic, G::Edit, "Setas", "Arrows",
     "Mover, redimensionar ou girar a sele\xE7\xE3o um passo (sem sele\xE7\xE3o: girar a c\xE2mera)",
     "Move, resize or turn the selection one step (nothing selected: turn the camera)"},
    {0, M::Any, A::Mouse, G::Edit, "Arrastar um elemento", "Drag an element",
     "Mover, redimensionar ou girar conforme o modo e o eixo", "Move, resize or turn by the mode and the axis"},
    {'N', M::Plain, A::ExactValues, G::Edit, "N", "N",
     "Digitar posi\xE7\xE3o e tamanho exatos (Tab: pr\xF3xima caixa, Enter: aplicar, Esc: voltar)",
     "Type an exact position and size (Tab: next box, Enter: apply, Esc: back)"},

    // View
    {vk::Home, M::Any, A::Classic, G::View, "Home", "Home", "Vista padr\xE3o", "Default view"},
    {'0', M::Any, A::Classic, G::View, "0", "0", "Vista padr\xE3o", "Default view"},
    {'1', M::Any, A::Classic, G::View, "1", "1", "Vista xyz", "View xyz"},
    {'2', M::Any, A::Classic, G::View, "2", "2", "Vista XZ", "View XZ"},
    {'3', M::Any, A::Classic, G::View, "3", "3", "Vista XY", "View XY"},
    {'4', M::Any, A::Classic, G::View, "4", "4", "Vista ZY", "View ZY"},
    {'F', M::Plain, A::Frame, G::View, "F", "F", "Enquadrar a sele\xE7\xE3o (sem sele\xE7\xE3o: o documento inteiro)",
     "Frame the selection (nothing selected: the whole document)"},
    {110, M::Any, A::Frame, G::View, ". (teclado num\xE9rico)", ". (keypad)", "O mesmo que F", "The same as F"},
    {vk::Add, M::Any, A::Classic, G::View, "+ (teclado num\xE9rico)", "+ (keypad)", "Aproximar a c\xE2mera",
     "Move the camera closer"},
    {vk::Subtract, M::Any, A::Classic, G::View, "- (teclado num\xE9rico)", "- (keypad)", "Afastar a c\xE2mera",
     "Move the camera away"},
    // A laptop has no keypad: the main keyboard's keys zoom too.
    {vk::OemPlus, M::Any, A::Classic, G::View, "+ ou =", "+ or =", "Aproximar a c\xE2mera", "Move the camera closer"},
    {vk::OemMinus, M::Any, A::Classic, G::View, "-", "-", "Afastar a c\xE2mera", "Move the camera away"},
    {vk::Left, M::Ctrl, A::Classic, G::View, "Ctrl+setas laterais", "Ctrl+Left/Right", "Deslocar a c\xE2mera pelo piso",
     "Pan the camera along the floor"},
    {vk::Left, M::Alt, A::Classic, G::View, "Alt+setas laterais", "Alt+Left/Right", "Deslocar a c\xE2mera em Z",
     "Pan the camera along Z"},
    {vk::Up, M::Ctrl, A::Classic, G::View, "Ctrl+Cima/Baixo", "Ctrl+Up/Down", "Subir ou descer a c\xE2mera",
     "Raise or lower the camera"},
    {0, M::Any, A::Mouse, G::View, "Arrastar no vazio ou com o bot\xE3o direito",
     "Drag on empty space or with the right button", "Girar a c\xE2mera", "Turn the camera"},
    {0, M::Any, A::Mouse, G::View, "Ctrl+arrastar", "Ctrl+drag", "Deslocar a c\xE2mera em passos fixos",
     "Pan the camera in fixed steps"},
    {0, M::Any, A::Mouse, G::View, "Arrastar com o bot\xE3o do meio", "Middle-button drag",
     "Deslocar a c\xE2mera seguindo o ponteiro", "Pan the camera following the pointer"},
    {0, M::Any, A::Mouse, G::View, "Roda", "Wheel", "Aproximar ou afastar em dire\xE7\xE3o ao ponteiro",
     "Zoom toward the pointer"},
    {0, M::Any, A::Mouse, G::View, "Ctrl+roda", "Ctrl+wheel", "Aproximar ou afastar em passos finos",
     "Zoom in fine steps"},

    // Files
    {'S', M::Ctrl, A::Menu, G::Files, "Ctrl+S", "Ctrl+S", "Salvar (.zobj3d, .obj, .glb, .stl, .jpeg pela extens\xE3o)",
     "Save (.zobj3d, .obj, .glb, .stl, .jpeg by the extension)"},
    {112, M::Any, A::KeysWindow, G::Files, "F1", "F1", "Esta lista de teclas e mouse", "This list of keys and mouse"},

    // Block mode
    {vk::F11, M::Any, A::Classic, G::BlockMode, "F11", "F11", "Ligar ou desligar o modo de blocos", "Block mode on or off"},
    {vk::F10, M::Any, A::Classic, G::BlockMode, "F10", "F10", "Desligar o modo de blocos", "Block mode off"},
    {vk::F9, M::Any, A::Classic, G::BlockMode, "F9", "F9", "Adicionar um bloco no cursor de blocos",
     "Add a block at the block cursor"},
    {0, M::Any, A::Mouse, G::BlockMode, "Clique no modo de blocos", "Click in block mode",
     "Adicionar um bloco no cursor de blocos", "Add a block at the block cursor"},
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
}  // namespace

const std::vector<KeyCommand>& EditorKeyCommands() { return kCommands; }

const KeyCommand* FindKeyCommand(int code, Qt::KeyboardModifiers modifiers) {
  if (code == 0) return nullptr;
  // A row that names modifiers goes before one that takes any; the other
  // arrows share the rows written for Left.
  const bool arrow = code == vk::Right || code == vk::Up || code == vk::Down;
  for (const bool any : {false, true})
    for (const int row : {code, arrow ? int(vk::Left) : 0})
      for (const KeyCommand& c : kCommands)
        if (row != 0 && c.code == row && (c.mods == KeyMods::Any) == any && Fits(c.mods, modifiers)) return &c;
  return nullptr;
}

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
