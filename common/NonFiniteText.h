#pragma once
#include <string_view>

// Typed numbers that no finite double can hold: "NAN", "INF", "Infinity"
// in any case and with either sign, a decimal beyond the double range
// ("1e400", "-1e999", also with a comma), or anything the program's
// tolerant reading turns into such a value. Entry boxes refuse these the
// way they refuse other out-of-range input, so no NaN or infinity reaches
// an element.
enum class NonFinite { None, NotANumber, PlusInfinity, MinusInfinity };

NonFinite ClassifyNonFinite(std::string_view text);
inline bool IsNonFiniteText(std::string_view text) { return ClassifyNonFinite(text) != NonFinite::None; }
