#pragma once
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "scriptrt/ScriptHost.h"
#include "scriptrt/ScriptText.h"

// The run-time as compiled scripts see it: loaded by file name, each function
// found by its export name.
inline void* ScriptLibraryHandle() {
  static void* handle = dlopen(ZEMOSCRIPT_PATH, RTLD_NOW | RTLD_LOCAL);
  if (!handle) ADD_FAILURE() << "cannot load " << ZEMOSCRIPT_PATH << ": " << dlerror();
  return handle;
}

template <class Signature>
Signature* Fn(const char* name) {
  void* address = dlsym(ScriptLibraryHandle(), name);
  if (!address) ADD_FAILURE() << "missing export " << name;
  return reinterpret_cast<Signature*>(address);
}

// A script text variable with its own storage; the byte after the capacity
// shows whether a writer went past it.
class TextVar {
 public:
  explicit TextVar(std::string_view value = {}, uint16_t capacity = kScriptDefaultCapacity)
      : bytes_(kScriptTextHeader + capacity + 1, '\xEE') {
    const size_t n = value.size() < capacity ? value.size() : capacity;
    if (n > 0) std::memcpy(bytes_.data() + kScriptTextHeader, value.data(), n);
    Record()->capacity = capacity;
    Record()->length = static_cast<uint16_t>(n);
  }
  ScriptText* Record() { return reinterpret_cast<ScriptText*>(bytes_.data()); }
  operator ScriptText*() { return Record(); }
  std::string Value() { return std::string(bytes_.data() + kScriptTextHeader, Record()->length); }
  // The byte just after the text (where writers put a terminator).
  char After() { return bytes_[kScriptTextHeader + Record()->length]; }

 private:
  std::vector<char> bytes_;
};

// Calls a script function that takes one text.
template <class Result = double>
Result OnText(const char* function, std::string_view text, uint16_t capacity = kScriptDefaultCapacity) {
  TextVar t(text, capacity);
  return Fn<Result(ScriptText*)>(function)(t);
}

inline std::string FileContent(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Addresses travel as doubles.
inline double AsNumber(const void* address) { return static_cast<double>(reinterpret_cast<intptr_t>(address)); }

using NumFn0 = double();
using NumFn1 = double(double);
using NumFn2 = double(double, double);
using TextNumFn = double(ScriptText*);
