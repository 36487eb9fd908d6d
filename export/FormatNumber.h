#pragma once
#include <string>

// The number format of the OBJ and MTL files: cut (not rounded) to six
// decimals, then the shortest general form with up to 15 significant digits
// and "." as the separator whatever the locale. 2 -> "2", -1.2345678 ->
// "-1.234567", 128/255 -> "0.50196".
std::string FormatNumber(double v);

// The same, appended to `out` without a temporary.
void AppendNumber(std::string& out, double v);

// The value a reader of the text of `v` gets: `v` cut as the files cut it.
// The mesh exports store these values, so that they carry what the OBJ
// export of the same scene carries, without writing the text.
double NumberAsWritten(double v);

// The longest text FormatNumber produces.
inline constexpr int kMaxNumberText = 32;
// Writes the text at `out` (room for kMaxNumberText) and returns its end;
// the export's hot path builds whole lines with it.
char* WriteNumber(char* out, double v);
