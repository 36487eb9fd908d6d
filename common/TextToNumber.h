#pragma once
#include <string_view>

// The program's one tolerant reading of numbers typed or stored as text:
// "NAN"/"-NAN", a comma as decimal separator, a tolerance after "±" (cut
// off) and angles in degrees, minutes and seconds (10°30'36"). Unreadable
// text gives 0. Texts are Latin-1 bytes: "°" is 0xB0 and "±" is 0xB1.
double TextToNumber(std::string_view text);

// Whether the last plain-number reading succeeded (process-wide).
bool LastConversionOk();
