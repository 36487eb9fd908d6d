#include "SystemColors.h"

PaletteRole RoleOfSystemColor(unsigned index) {
  switch (index) {
    case 5:
      return PaletteRole::Base;  // COLOR_WINDOW
    case 7:                      // COLOR_MENUTEXT
    case 8:                      // COLOR_WINDOWTEXT
    case 9:
      return PaletteRole::Text;  // COLOR_CAPTIONTEXT
    case 13:
      return PaletteRole::Highlight;  // COLOR_HIGHLIGHT (selection)
    case 14:
      return PaletteRole::HighlightedText;  // COLOR_HIGHLIGHTTEXT
    case 15:
      return PaletteRole::Button;  // COLOR_BTNFACE
    case 16:
      return PaletteRole::Dark;  // COLOR_BTNSHADOW
    case 18:
      return PaletteRole::ButtonText;  // COLOR_BTNTEXT
    case 20:
      return PaletteRole::Light;  // COLOR_BTNHIGHLIGHT (3-D light)
    case 21:
      return PaletteRole::Shadow;  // COLOR_3DDKSHADOW
    // Scroll bars, menus, borders, caption bars and the rest are faces.
    default:
      return PaletteRole::Button;
  }
}

uint32_t ClassicColorOf(PaletteRole role) {
  switch (role) {
    case PaletteRole::Base:
    case PaletteRole::Light:
    case PaletteRole::HighlightedText:
      return 0xFFFFFF;
    case PaletteRole::Text:
    case PaletteRole::ButtonText:
      return 0x000000;
    case PaletteRole::Highlight:
      return 0x6A240A;
    case PaletteRole::Dark:
      return 0x808080;
    case PaletteRole::Shadow:
      return 0x404040;
    case PaletteRole::Button:
      break;
  }
  return 0xC8D0D4;
}
