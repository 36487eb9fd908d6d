#pragma once
#include <string>

// The text form of a number wherever the run-time turns one into text: up to
// 15 significant digits, the shortest general form, the locale's decimal
// separator, exponent form ("1E15", "1,5E-7") beyond 15 integer digits or
// below 0.00001; "NAN", "-NAN", "INF", "-INF".
std::string NumberToText(double value);
