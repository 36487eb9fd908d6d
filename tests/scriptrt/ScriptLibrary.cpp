#include "ScriptLibrary.h"

void* ScriptLibraryHandle() {
  static void* handle = dlopen(ZEMOSCRIPT_PATH, RTLD_NOW | RTLD_LOCAL);
  if (!handle) ADD_FAILURE() << "cannot load " << ZEMOSCRIPT_PATH << ": " << dlerror();
  return handle;
}
