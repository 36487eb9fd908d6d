#pragma once

class EditorDocument;

// What the status line tells of the selection's size: its box (as drawn,
// turns included) and, with exactly two elements selected, how far apart
// their boxes lie on each axis (0 where they overlap). Model units.
struct SelectionMeasure {
  bool any = false;
  double size[3] = {0, 0, 0};
  double centre[3] = {0, 0, 0};
  bool pair = false;
  double gap[3] = {0, 0, 0};
};
SelectionMeasure MeasureSelection(const EditorDocument& doc);

// Centimetres in one model unit.
constexpr double kCentimetresPerUnit = 10;
