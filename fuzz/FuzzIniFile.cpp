// Any log.ini must read without crashing, and a value never exceeds the 79
// characters the program has always kept.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "common/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/fuzz-ini-" + std::to_string(::getpid()) + ".ini";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  for (const char* key : {"ALLOW", "ALLOWMEM", ""})
    if (ReadIniText(path, "LOG", key).size() > 79) std::abort();
  return 0;
}
