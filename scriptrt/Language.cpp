#include "scriptrt/Language.h"

#include "common/Dictionary.h"

void EnsureDictionaryLoaded() {
  static const bool loaded = (LoadDictionary(), true);
  (void)loaded;
}
