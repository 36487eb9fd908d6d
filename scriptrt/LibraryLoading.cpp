// Loading shared libraries for scripts that call native code of their own.
#include <dlfcn.h>

#include <string>

#include "common/Utf8Text.h"
#include "scriptrt/ScriptExports.h"

extern "C" {

void* zemoLOADLIBRARY(const char* fileName) {
  // dlopen(nullptr) would hand out the main program; a script must name a file.
  if (!fileName || !*fileName) return nullptr;
  // The name is script text (Latin-1); the file system takes UTF-8.
  const std::string path = Latin1ToUtf8(fileName);
  if (void* loaded = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD)) return loaded;
  return dlopen(path.c_str(), RTLD_NOW);
}

void* zemoGETPROCADDRESS(void* module, const char* name) {
  // A null module would search the whole process.
  if (!module || !name) return nullptr;
  return dlsym(module, name);
}

int32_t zemoFREELIBRARY(void* module) {
  if (!module) return 0;
  return dlclose(module) == 0 ? 1 : 0;
}

}  // extern "C"
