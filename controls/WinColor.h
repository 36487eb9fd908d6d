#pragma once
#include <QColor>
#include <cstdint>

// Colours keep the Windows encoding the documents and forms were written
// with: 0x00BBGGRR plain, 0x02BBGGRR palette-relative, 0x800000nn the
// system colour nn, resolved through the application palette.
using TColor = uint32_t;

constexpr TColor clWindow = 0x80000005;
constexpr TColor clWindowText = 0x80000008;
constexpr TColor clHighlight = 0x8000000D;
constexpr TColor clHighlightText = 0x8000000E;
constexpr TColor clBtnFace = 0x8000000F;
constexpr TColor clBtnShadow = 0x80000010;
constexpr TColor clBtnHighlight = 0x80000014;
constexpr TColor clWhite = 0x00FFFFFF;
constexpr TColor clBlack = 0x00000000;

constexpr bool IsSystemColor(TColor c) { return (c & 0xFF000000u) == 0x80000000u; }
constexpr TColor RGBColor(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
// The Qt colour a Windows colour stands for (opaque).
QColor WinToQColor(TColor c);
// A Qt colour as a plain 0x00BBGGRR value.
TColor ColorToWin(const QColor& c);
