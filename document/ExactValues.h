#pragma once
#include <string>

#include "Element3D.h"

class EditorDocument;

// The element fields a user can type exactly: position, size and the three
// turns. The order is the order of the boxes (and of Tab between them).
enum class ExactField { X, Y, Z, DX, DY, DZ, Axy, Ayz, Axz };
inline constexpr int kExactFieldCount = 9;

// Typed values beyond this magnitude are refused: nothing a user builds in
// units of 10 cm comes near it, and the drawing stays exact well below the
// limit where elements stop being drawn.
inline constexpr double kMaxTypedValue = 1e6;

double FieldOf(const Element3D& e, ExactField field);
void SetFieldOf(Element3D& e, ExactField field, double value);
inline bool IsSizeField(ExactField f) { return f == ExactField::DX || f == ExactField::DY || f == ExactField::DZ; }

// A number as a user types it: an optional sign, digits with at most one
// decimal point written "." or ",", blanks around it. NaN, infinities,
// exponents, thousands separators and values beyond kMaxTypedValue are no
// numbers here. False leaves `value` alone.
bool ParseTypedNumber(const std::string& text, double* value);

// The value with up to six decimals (the precision a document keeps for
// what a user types), trailing zeros dropped: 2.5 -> "2.5", 3 -> "3",
// 1/3 -> "0.333333". NaN and infinities, which only a damaged file holds,
// show as an empty text.
std::string FormatTypedNumber(double value);

enum class ExactEdit { Applied, Unchanged, NothingSelected, NotANumber, SizeNotPositive };

// Writes `text` into `field` of every selected element as one undo step.
// Nothing changes unless the text is a number and, for a size, above zero;
// a value every selected element already has takes no undo step.
ExactEdit SetSelectedField(EditorDocument& doc, ExactField field, const std::string& text);
