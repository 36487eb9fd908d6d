#include "Dictionary.h"

#include <filesystem>
#include <memory>
#include <vector>

#include "ConfigFile.h"
#include "DataPath.h"
#include "Latin1.h"
#include "ProgramFolder.h"
#include "common/ShortString.h"
#include "common/TIMem32.h"

namespace {
#pragma pack(push, 1)
struct DictionaryEntry {
  ShortString63 source;
  ShortString63 key;  // source, lower-cased
  ShortString63 translation;
  ShortString63 translationLower;
};
#pragma pack(pop)
static_assert(sizeof(DictionaryEntry) == 256);

struct DictionaryState {
  std::unique_ptr<TIMem32> store;
  bool general = false;
  int charset = 1;
};

DictionaryState& Dict() {
  static DictionaryState state;
  return state;
}

std::vector<std::string> SplitLines(const std::string& all) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < all.size()) {
    size_t end = all.find_first_of("\r\n", start);
    if (end == std::string::npos) end = all.size();
    lines.push_back(all.substr(start, end - start));
    if (end < all.size() && all[end] == '\r' && end + 1 < all.size() && all[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return lines;
}

int ReadCharset(const std::string& text) {
  const std::string t = Trim(text);
  if (t.empty()) return 1;
  size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
  if (i == t.size()) return 1;
  for (size_t j = i; j < t.size(); ++j)
    if (t[j] < '0' || t[j] > '9') return 1;
  try {
    return std::stoi(t);
  } catch (...) {
    return 1;
  }
}

}  // namespace

std::string RemoveAccents(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    switch (static_cast<unsigned char>(c)) {
      case 192:
      case 193:
      case 195:
        c = 'A';
        break;
      case 199:
        c = 'C';
        break;
      case 200:
      case 201:
      case 202:
        c = 'E';
        break;
      case 204:
      case 205:
        c = 'I';
        break;
      case 206:
      case 236:
      case 237:
        c = 'i';
        break;
      case 210:
      case 211:
      case 212:
      case 213:
        c = 'O';
        break;
      case 217:
      case 218:
        c = 'U';
        break;
      case 224:
      case 225:
      case 226:
      case 227:
        c = 'a';
        break;
      case 231:
        c = 'c';
        break;
      case 232:
      case 233:
      case 234:
        c = 'e';
        break;
      case 242:
      case 243:
      case 244:
      case 245:
        c = 'o';
        break;
      case 249:
      case 250:
      case 251:
        c = 'u';
        break;
      default:
        break;
    }
  }
  return out;
}

void LoadDictionaryFile(const std::string& path) {
  auto& d = Dict();
  d.general = false;
  // Only a regular file of bounded size is a dictionary: a pipe could block
  // start-up, and one that is too large is ignored rather than half read.
  std::string bytes;
  if (d.store || !ReadConfigFile(path, bytes)) return;

  std::vector<std::string> lines = SplitLines(bytes);
  d.store = std::make_unique<TIMem32>("mem171");
  d.store->RecordSize = sizeof(DictionaryEntry);
  d.store->SetCount(static_cast<int32_t>(lines.size()) + 5);
  if (!lines.empty()) {
    d.general = lines.front() == "@GENERAL";
    lines.erase(lines.begin());  // the first line is a header, never an entry
  }
  int32_t made = 0;
  for (const std::string& line : lines) {
    if (line.compare(0, 9, "CHARTSET=") == 0) {
      d.charset = ReadCharset(line.substr(9));
      continue;
    }
    const size_t p = line.find(';');
    if (p == std::string::npos) continue;
    auto& e = d.store->As<DictionaryEntry>(made++);
    const std::string source = line.substr(0, p);
    e.source.assign(source);
    e.key.assign(Latin1Lower(source));
    const std::string rest = line.substr(p + 1);
    const size_t q = rest.find(';');
    const std::string translation = q == std::string::npos ? std::string() : rest.substr(0, q);
    e.translation.assign(translation);
    e.translationLower.assign(AsciiLower(translation));
  }
  d.store->SetCount(made);
}

void LoadDictionary() {
  std::string path = ProgramFolder() + "tradutorgeral.dat";
  const std::string marker = "/objs/tradutorgeral.dat";
  const size_t at = AsciiLower(path).rfind(marker);
  if (at != std::string::npos && at + marker.size() == path.size()) path.erase(at, 5);
  // An installed program keeps it in its data folder.
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) && DataFolder() != ProgramFolder()) path = DataFolder() + "tradutorgeral.dat";
  LoadDictionaryFile(path);
}

void FreeDictionary() {
  Dict().store.reset();
  Dict().general = false;
}

bool HasDictionary() { return Dict().store != nullptr; }
bool IsGeneralDictionary() { return Dict().general; }
int DefaultCharset() { return Dict().charset; }

std::string Lookup(const std::string& text) {
  const auto& d = Dict();
  if (!d.store) return text;
  std::string key = Latin1Lower(RemoveAccents(text));
  if (d.general) {
    size_t amp = key.find('&');
    if (amp != std::string::npos) {
      key.erase(amp, 1);
      key = Trim(key);
      amp = key.find('&');
      if (amp != std::string::npos) key.erase(amp, 1);
    }
  }
  const DictionaryEntry* best = nullptr;
  size_t bestLength = 0;
  for (int32_t i = 0; i < d.store->Count(); ++i) {
    const auto& e = d.store->As<DictionaryEntry>(i);
    const std::string entryKey = e.key.str();
    if (entryKey == key) return e.translation.str();
    if (d.general && entryKey.size() > bestLength && key.find(entryKey) != std::string::npos) {
      best = &e;
      bestLength = entryKey.size();
    }
  }
  if (best && !best->translation.empty() && bestLength >= 4) return best->translation.str();
  return text;
}

std::string Choose(const std::string& portuguese, const std::string& alternate) {
  if (!HasDictionary()) return portuguese;
  if (IsGeneralDictionary()) {
    std::string t = Lookup(portuguese);
    if (t == portuguese) t = alternate;
    return t.empty() ? portuguese : t;
  }
  return alternate.empty() ? portuguese : alternate;
}

void UseLanguage(bool english) {
  if (english && HasDictionary()) return;  // a dictionary beside the program stays in use
  FreeDictionary();
  if (!english) return;
  auto& d = Dict();
  d.store = std::make_unique<TIMem32>("mem171");
  d.store->RecordSize = sizeof(DictionaryEntry);
}
