// Named numbers and texts that scripts keep for the life of the process,
// scoped by virtual page. Every lookup is a scan in index order: which entry
// a store or a restore picks depends on that order.
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "scriptrt/Rounding.h"
#include "scriptrt/ScriptExports.h"
#include "scriptrt/TextArgs.h"

namespace {
constexpr size_t kKeyCapacity = 253;
constexpr int32_t kAnyPage = -1;

struct StoredEntry {
  double value = 0;        // the number, or a text block's address
  int32_t textLength = 0;  // -1 for a number entry
  std::string key;         // at most kKeyCapacity characters
  bool inUse = false;
  int32_t page = 0;
};

struct StoredValues {
  std::vector<StoredEntry> entries;  // empty: no table
  int32_t virtualPage = kAnyPage;

  ~StoredValues() { FreeAll(); }

  void FreeAll() {
    for (StoredEntry& e : entries) ReleaseText(e);
    entries.clear();
    entries.shrink_to_fit();
  }

  static void ReleaseText(StoredEntry& e) {
    if (e.textLength > 0) std::free(AddressOf(e.value));
    e.textLength = -1;
    e.value = 0;
  }
};

StoredValues& Table() {
  static StoredValues table;
  return table;
}

std::string KeyOf(const ScriptText* key) {
  const std::string_view k = TextOf(key);
  return std::string(k.substr(0, kKeyCapacity));
}

// Stored keys are cut; the given key is compared whole.
bool KeyEquals(const StoredEntry& e, const ScriptText* key) { return e.key == TextOf(key); }

StoredEntry& Append(const ScriptText* key) {
  auto& entries = Table().entries;
  entries.emplace_back();
  entries.back().key = KeyOf(key);
  return entries.back();
}

void StoreNumber(double value, const ScriptText* key) {
  StoredValues& t = Table();
  StoredEntry* entry = nullptr;
  if (t.entries.empty()) {
    entry = &Append(key);
  } else {
    // The same key on this page, live or not ...
    for (StoredEntry& e : t.entries)
      if (e.page == t.virtualPage && KeyEquals(e, key)) {
        entry = &e;
        break;
      }
    // ... else a free slot of this page only ...
    if (!entry)
      for (StoredEntry& e : t.entries)
        if (e.page == t.virtualPage && !e.inUse) {
          entry = &e;
          entry->key = KeyOf(key);
          break;
        }
    // ... else a new entry.
    if (!entry) entry = &Append(key);
  }
  // A text replaced by a number gives its block back.
  if (entry->textLength > 0) StoredValues::ReleaseText(*entry);
  entry->value = value;
  entry->textLength = -1;
  entry->inUse = true;
  entry->page = t.virtualPage;
}

void ClearEntry(StoredEntry& e) {
  e.inUse = false;
  e.key.clear();
  if (e.textLength > 0) StoredValues::ReleaseText(e);
}
}  // namespace

extern "C" {

void zemoscriptprocSTOREVALUE(double value, const ScriptText* key) { StoreNumber(value, key); }

void zemoscriptprocSTOREVALUEFAST(const ScriptText* key, double value) { StoreNumber(value, key); }

void zemoscriptprocSTORETEXT(const ScriptText* text, const ScriptText* key) {
  StoredValues& t = Table();
  StoredEntry* entry = nullptr;
  // Texts look for their key, then for a free slot, on every page.
  for (StoredEntry& e : t.entries)
    if (KeyEquals(e, key)) {
      entry = &e;
      break;
    }
  if (!entry)
    for (StoredEntry& e : t.entries)
      if (!e.inUse) {
        entry = &e;
        entry->key = KeyOf(key);
        break;
      }
  if (!entry) {
    // A new entry belongs to the current page; an existing one keeps its page.
    entry = &Append(key);
    entry->page = t.virtualPage;
  }
  if (entry->textLength > 0) StoredValues::ReleaseText(*entry);
  const std::string_view chars = TextOf(text);
  void* block = nullptr;
  if (!chars.empty()) {
    block = std::malloc(chars.size());
    if (block) std::memcpy(block, chars.data(), chars.size());
  }
  entry->value = static_cast<double>(reinterpret_cast<intptr_t>(block));
  entry->textLength = block ? static_cast<int32_t>(chars.size()) : 0;
  entry->inUse = true;
}

double zemoscriptRESTOREVALUE(const ScriptText* key) {
  const StoredValues& t = Table();
  for (const StoredEntry& e : t.entries) {
    if (!e.inUse || !KeyEquals(e, key)) continue;
    if (t.virtualPage < 0 || e.page == t.virtualPage || e.page == kAnyPage) return e.value;
  }
  return 0.0;
}

double zemoscriptEXISTSVALUE(const ScriptText* key) {
  for (const StoredEntry& e : Table().entries)
    if (e.inUse && KeyEquals(e, key)) return 1.0;
  return 0.0;
}

void zemoscriptprocCLEARVALUE(const ScriptText* key) {
  for (StoredEntry& e : Table().entries)
    if (e.inUse && KeyEquals(e, key)) {
      ClearEntry(e);
      return;
    }
}

void zemoscriptprocCLEARVALUESTARTWITH(const ScriptText* prefix) {
  const std::string_view p = TextOf(prefix);
  for (StoredEntry& e : Table().entries)
    if (e.inUse && std::string_view(e.key).starts_with(p)) ClearEntry(e);
}

void zemoscriptprocCOMPACTSTOREDVALUES(void) {
  auto& entries = Table().entries;
  const size_t before = entries.size();
  std::erase_if(entries, [](const StoredEntry& e) { return !e.inUse; });
  if (entries.size() != before) entries.shrink_to_fit();
}

void zemoscriptprocFREESTOREDVALUES(void) { Table().FreeAll(); }

void zemoscriptprocSETVIRTUALPAGE(double page) { Table().virtualPage = RoundToInt32(page); }

}  // extern "C"
