#pragma once
#include <string>
#include <vector>

struct Element3D;

// One line per element, TAB-separated, numbers in their shortest exact form;
// TAB, LF, CR and backslash inside name, texture and text are written as
// \t, \n, \r and \\, every other byte below 0x20 and 0x7F as \xHH.
std::string FormatElementLine(int index, const Element3D& e);

int RunInfoCommand(const std::vector<std::string>& args);
