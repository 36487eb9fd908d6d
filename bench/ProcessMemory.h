#pragma once
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

// "VmRSS" or "VmHWM" of this process, in bytes.
inline double StatusBytes(const char* field) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + std::strlen(field) + 1) * 1024.0;
  return 0;
}
