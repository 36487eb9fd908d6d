#pragma once
#include <cstdint>

// The one table of what the Windows system colours (0x800000nn, stored in
// documents and forms) stand for on this desktop, shared by the controls
// and the 3D view so that a colour looks the same in a swatch and on an
// element. Each index names a palette role; the roles carry Qt's own
// numbers (QPalette::ColorRole), so the layers that know Qt read them
// directly, and this one needs nothing of Qt.
enum class PaletteRole : int {
  Button = 1,
  Light = 2,
  Dark = 4,
  Text = 6,
  ButtonText = 8,
  Base = 9,
  Shadow = 11,
  Highlight = 12,
  HighlightedText = 13,
};

// The role standing for system colour `index` (the low byte of 0x800000nn).
PaletteRole RoleOfSystemColor(unsigned index);

// The role's colour in Windows' classic scheme, as 0x00BBGGRR: what a system
// colour shows where no palette is at hand (a process without a GUI).
uint32_t ClassicColorOf(PaletteRole role);
