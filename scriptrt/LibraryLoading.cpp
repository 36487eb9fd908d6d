// Loading shared libraries for scripts that call native code of their own.
#include <dlfcn.h>

#include "scriptrt/ScriptExports.h"

extern "C" {

void* zemoLOADLIBRARY(const char* fileName) {
  // dlopen(nullptr) would hand out the main program; a script must name a file.
  if (!fileName || !*fileName) return nullptr;
  if (void* loaded = dlopen(fileName, RTLD_NOW | RTLD_NOLOAD)) return loaded;
  return dlopen(fileName, RTLD_NOW);
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
