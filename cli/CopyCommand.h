#pragma once
#include <string>
#include <vector>

int RunCopyCommand(const std::vector<std::string>& args);
