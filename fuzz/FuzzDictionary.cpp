// Any dictionary file must load, and lookups in it must not crash.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "common/Dictionary.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/fuzz-dict-" + std::to_string(::getpid()) + ".dat";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  FreeDictionary();
  LoadDictionaryFile(path);
  const std::string text(reinterpret_cast<const char*>(data), size < 80 ? size : 80);
  (void)Lookup(text);
  (void)Choose(text, "alternate");
  (void)Lookup("&Abrir arquivo");
  return 0;
}
