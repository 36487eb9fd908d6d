#pragma once
#include <string>

// The number format of the OBJ and MTL files: cut (not rounded) to six
// decimals, then the shortest general form with up to 15 significant digits
// and "." as the separator whatever the locale. 2 -> "2", -1.2345678 ->
// "-1.234567", 128/255 -> "0.50196".
std::string FormatNumber(double v);

// The same, appended to `out` without a temporary (the export's hot path).
void AppendNumber(std::string& out, double v);
