#pragma once
#include <string>

// A number in the shortest general form the user reads (15 significant
// digits, no trailing zeros, "E" exponent only for very large or small
// values): 4 -> "4", 0.1 -> "0.1", 1e-5 -> "1E-5".
std::string FormatGeneral(double value);
