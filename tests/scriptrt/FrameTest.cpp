// Text and number helpers, the global value stream, comparisons, library
// loading and the debugger hooks.
#include <unistd.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "ScriptLibrary.h"

namespace {
using TextTextFn = void(ScriptText*, ScriptText*);

std::string NumberText(double value) {
  TextVar out("", 40);
  Fn<void(ScriptText*, double)>("zemoFtStr")(out, value);
  EXPECT_EQ(out.After(), '\0');
  return out.Value();
}

TEST(TextHelpers, CopyAndAppendStopAtCapacity) {
  TextVar source("abcdefghijklmnopqrst"), ten("", 10), roomy("", 30);
  Fn<TextTextFn>("zemoPoeString")(ten, source);
  EXPECT_EQ(ten.Value(), "abcdefghij");
  Fn<TextTextFn>("zemoPoeString")(roomy, source);
  EXPECT_EQ(roomy.After(), '\xEE');  // no terminator written
  auto append = Fn<TextTextFn>("zemoAcrescentaString");
  TextVar text("abc", 6), tail("defgh");
  append(text, tail);
  EXPECT_EQ(text.Value(), "abcdef");
  append(text, tail);  // full: unchanged
  EXPECT_EQ(text.Value(), "abcdef");
}

TEST(NumberTextForm, GeneralFormWith15Digits) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"},          {3.25, "3.25"},   {1.0 / 3, "0.333333333333333"}, {0.1 + 0.2, "0.3"},
      {1e14, "100000000000000"},           {1e15, "1E15"},                 {-2.5e20, "-2.5E20"},
      {0.00001, "0.00001"}, {0.000001234, "1.234E-6"}, {NAN, "NAN"},       {-NAN, "-NAN"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberText(value), text);
  std::vector<char> plain(40, '\x55');
  Fn<void(ScriptPlainText*, double)>("zemoFtStrNormal")(reinterpret_cast<ScriptPlainText*>(plain.data()), -0.5);
  EXPECT_EQ(std::string(plain.data() + 2, static_cast<size_t>(plain[0])), "-0.5");
  EXPECT_EQ(plain[6], '\x55');  // no terminator
}

TEST(NumberTextForm, StaysInsideTheRecordsCapacity) {
  auto ftStr = Fn<void(ScriptText*, double)>("zemoFtStr");
  // The record sits at the start of a larger block whose tail must stay as it was.
  auto write = [&](uint16_t capacity, double value) {
    std::vector<char> bytes(kScriptTextHeader + 64, '\x5A');
    auto* record = reinterpret_cast<ScriptText*>(bytes.data());
    record->capacity = capacity;
    record->length = 0;
    ftStr(record, value);
    return bytes;
  };
  const std::vector<char> five = write(5, 1.0 / 3);
  EXPECT_EQ(reinterpret_cast<const ScriptText*>(five.data())->length, 5);
  EXPECT_EQ(std::string(five.data() + kScriptTextHeader, 5), "0.333");
  EXPECT_EQ(std::string(five.begin() + kScriptTextHeader + 5, five.end()), std::string(59, '\x5A'));

  const std::vector<char> roomy = write(8, -2.5);  // fits: terminated
  EXPECT_EQ(std::string(roomy.data() + kScriptTextHeader), "-2.5");
  EXPECT_EQ(roomy[kScriptTextHeader + 5], '\x5A');

  const std::vector<char> exact = write(4, 3.25);  // fills it: no room for the terminator
  EXPECT_EQ(std::string(exact.data() + kScriptTextHeader, 4), "3.25");
  EXPECT_EQ(exact[kScriptTextHeader + 4], '\x5A');

  const std::vector<char> unsized = write(0, 1.0 / 3);  // no stated capacity: the whole text
  EXPECT_EQ(reinterpret_cast<const ScriptText*>(unsized.data())->length, 17);
  EXPECT_EQ(std::string(unsized.data() + kScriptTextHeader), "0.333333333333333");
}

TEST(NumberTextForm, UsesTheLocaleDecimalSeparator) {
  // A Portuguese locale of our own, so the test does not depend on the
  // locales a machine happens to have.
  const std::string dir = testing::TempDir() + "zemo_locales";
  std::filesystem::create_directories(dir);
  const std::string command = "localedef -i pt_BR -f ISO-8859-1 " + dir + "/pt_BR >/dev/null 2>&1";
  if (std::system(command.c_str()) != 0 && !std::filesystem::exists(dir + "/pt_BR"))
    GTEST_SKIP() << "localedef cannot build pt_BR here";
  setenv("LOCPATH", dir.c_str(), 1);
  ASSERT_NE(std::setlocale(LC_NUMERIC, "pt_BR"), nullptr);
  EXPECT_EQ(NumberText(3.25), "3,25");
  EXPECT_EQ(NumberText(-1.5e-7), "-1,5E-7");
  std::setlocale(LC_NUMERIC, "C");
}

TEST(Conversions, TextToNumberRoundingAndParameterSlots) {
  TextVar t("10\xB0" "30'");
  EXPECT_DOUBLE_EQ(Fn<TextNumFn>("zemoStrFt")(t), 10.5);
  auto dblInt = Fn<int32_t(double)>("zemoDblInt");
  EXPECT_EQ(dblInt(2.5), 2);
  EXPECT_EQ(dblInt(-3.5), -4);
  EXPECT_EQ(dblInt(NAN), 0);

  std::vector<char> slots(2 * kScriptParameterSlotBytes, 0), plain(302, 'x');
  const uint16_t length = 300;
  std::memcpy(plain.data(), &length, 2);
  auto put = Fn<void*(int32_t, void*, const char*)>("zemoPoeParametro");
  void* slot2 = put(2, slots.data(), plain.data() + 2);
  ASSERT_EQ(slot2, slots.data() + kScriptParameterSlotBytes);
  uint16_t stored;
  std::memcpy(&stored, slot2, 2);
  EXPECT_EQ(stored, kScriptParameterMaxChars);
  EXPECT_EQ(slots[kScriptParameterSlotBytes + 2], 'x');
  EXPECT_EQ(slots[0], 0);  // slot 1 untouched
  EXPECT_EQ(put(0, slots.data(), plain.data() + 2), nullptr);
}

TEST(GlobalStream, ReadsFollowWritesInOrder) {
  auto write8 = Fn<void(const void*)>("zemoscriptprocGRAVAGLOBAL8");
  auto read8 = Fn<void(void*)>("zemoscriptprocLEGLOBAL8");
  auto read259 = Fn<void(void*)>("zemoscriptprocLEGLOBAL259");
  double value = 99;
  read8(&value);  // no stream yet
  EXPECT_EQ(value, 0.0);
  Fn<void()>("zemoscriptprocINICIAGRAVAGLOBAL")();
  const double a = 1.5, b = -2.25;
  TextVar text("hello"), back("", 255);
  write8(&a);
  Fn<void(const void*)>("zemoscriptprocGRAVAGLOBAL259")(text.Record());
  write8(&b);
  double ra = 0, rb = 0;
  read8(&ra);
  read259(back.Record());
  read8(&rb);
  EXPECT_EQ(ra, a);
  EXPECT_EQ(back.Value(), "hello");
  EXPECT_EQ(rb, b);
  // A write after reads starts over at 0; the next read continues with what
  // follows it, the head of the text record.
  write8(&b);
  char next[8];
  read8(&ra);
  read8(next);
  EXPECT_EQ(ra, b);
  EXPECT_EQ(std::memcmp(next, text.Record(), 8), 0);
  // Past the end: zeros, never bytes from outside the buffer.
  std::vector<char> big(kScriptDefaultTextBytes, 'z');
  read259(big.data());
  read259(big.data());
  EXPECT_EQ(std::count(big.begin(), big.end(), 0), kScriptDefaultTextBytes);
}

TEST(Comparisons, NumbersAndNaN) {
  auto comp = Fn<int32_t(double, double, double)>("zemoscriptprocDBLCOMP");
  auto comp2 = Fn<double(double, double, double)>("zemoscriptDBLCOMP2");
  const int expected[] = {0, 0, 1, 0, 1, 1, 0};  // 2 against 3, operators 0..6
  for (int op = 0; op <= 6; ++op) {
    EXPECT_EQ(comp(2, 3, op), expected[op]) << op;
    EXPECT_EQ(comp2(2, 3, op), expected[op]) << op;
    EXPECT_EQ(comp(NAN, 3, op) + comp2(3, -NAN, op), 0.0) << op;  // even "not equal"
  }
  EXPECT_EQ(comp(3, 3, 3) + comp(3, 3, 4) + comp(3, 3, 0), 3);
}

TEST(Comparisons, Texts) {
  auto comp = Fn<double(ScriptText*, ScriptText*, double)>("zemoscriptDBLCOMP3");
  TextVar a("abc"), b("abd"), a2("abc"), withZero(std::string_view("abc\0x", 5)), high("\xE9"), low("z");
  EXPECT_EQ(comp(a, a2, 0), 1.0);
  EXPECT_EQ(comp(b, a, 1) + comp(a, b, 2), 2.0);
  EXPECT_EQ(comp(a, b, 1) + comp(a, b, 5), 0.0);
  // Ordering stops at a 0 byte; equality looks at every character.
  EXPECT_EQ(comp(withZero, a, 1) + comp(withZero, a, 2) + comp(withZero, a, 0), 0.0);
  EXPECT_EQ(comp(high, low, 1), 1.0);  // unsigned bytes
}

TEST(LibraryLoading, LoadsFindsAndFrees) {
  auto load = Fn<void*(const char*)>("zemoLOADLIBRARY");
  auto find = Fn<void*(void*, const char*)>("zemoGETPROCADDRESS");
  auto release = Fn<int32_t(void*)>("zemoFREELIBRARY");
  // Already loaded: the same module comes back.
  void* self = load(ZEMOSCRIPT_PATH);
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(find(self, "zemoPoeString"), dlsym(ScriptLibraryHandle(), "zemoPoeString"));
  EXPECT_EQ(find(self, "NoSuchFunction"), nullptr);
  EXPECT_NE(release(self), 0);
  EXPECT_NE(dlsym(ScriptLibraryHandle(), "zemoPoeString"), nullptr);  // our own reference remains
  void* libm = load("libm.so.6");
  ASSERT_NE(libm, nullptr);
  auto cosine = reinterpret_cast<double (*)(double)>(find(libm, "cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_EQ(cosine(0), 1.0);
  EXPECT_NE(release(libm), 0);
  EXPECT_EQ(load("/nonexistent/libnothing.so"), nullptr);
  // A script names the library in Latin-1; the file's name is UTF-8.
  const std::string folder = testing::TempDir() + "/zemo_lib_" + std::to_string(getpid());
  std::filesystem::create_directories(folder);
  std::filesystem::create_symlink(ZEMOSCRIPT_PATH, folder + "/bibliot\xC3\xA9" "ca.so");
  void* accented = load((folder + "/bibliot\xE9" "ca.so").c_str());
  EXPECT_EQ(accented, self);
  if (accented) release(accented);
  std::filesystem::remove_all(folder);
  EXPECT_EQ(load(nullptr), nullptr);  // never the main program
  EXPECT_EQ(find(nullptr, "cos"), nullptr);
}

struct DebugLog {
  std::vector<int32_t> lines;
  std::string module, watched;
};

TEST(DebugHooks, LineTraceStopsAndBreakpointsResume) {
  auto debug = Fn<NumFn1>("zemoscriptZEMODEBUG");
  EXPECT_EQ(debug(3), 1.0);  // no hook
  DebugLog log;
  ScriptDebugHooks hooks{};
  hooks.lineTrace = [](void* c, const char* module, const char*, int* continueRun, int*, int32_t line) {
    static_cast<DebugLog*>(c)->lines.push_back(line);
    static_cast<DebugLog*>(c)->module = module;
    if (line == 3) *continueRun = 0;
  };
  hooks.lineTraceContext = &log;
  Fn<void(const ScriptDebugHooks*)>("ScriptDebugInstall")(&hooks);
  Fn<void(const char*)>("ScriptDebugSetModule")("main");
  Fn<void(const char*, int32_t)>("ScriptDebugAddBreakpoint")("main", 6);
  const double expected[] = {1, 1, 0, 1, 1, 1, 1};
  for (int line = 1; line <= 7; ++line) EXPECT_EQ(debug(line), expected[line - 1]) << line;
  // Tracing stops at line 3 and starts again at the breakpoint.
  EXPECT_EQ(log.lines, (std::vector<int32_t>{1, 2, 3, 6, 7}));
  EXPECT_EQ(log.module, "main");
}

TEST(DebugHooks, WatchesAndGeneralExchange) {
  DebugLog log;
  ScriptDebugHooks hooks{};
  hooks.watchNumber = [](void* c, const char* name, double v) {
    static_cast<DebugLog*>(c)->watched = name + std::string("=") + std::to_string(v);
  };
  hooks.watchText = [](void* c, const char* name, const char* v) {
    static_cast<DebugLog*>(c)->watched = name + std::string("=") + v;
  };
  hooks.watchNumberContext = hooks.watchTextContext = &log;
  hooks.general = [](void*, const char* text1, int32_t value1, const char* text2, const void*, int32_t value2,
                     int32_t* result1, int32_t* result2, char* reply) {
    *result1 = value1 + value2;
    *result2 = std::string(text1) == "text" ? kScriptGeneralReplyText : kScriptGeneralReplyValue;
    std::snprintf(reply, kScriptGeneralReplyMax, "%s!!!!!!!!!!", text2);
  };
  auto geral = Fn<void(ScriptText*, double*, double*, int32_t, ScriptText*, const void*, int32_t, void*)>(
      "zemoscriptGeral");
  TextVar kind("text"), name("count"), value("abc"), destination("", 6);
  const double value8 = 42.5;
  double r1 = -1, r2 = -1;
  geral(kind, &r1, &r2, 1, value, &value8, 2, destination.Record());  // no hook: nothing written
  EXPECT_EQ(r1, -1.0);

  Fn<void(const ScriptDebugHooks*)>("ScriptDebugInstall")(&hooks);
  Fn<void(ScriptText*, double)>("zemoscriptprocZEMOWATCHESOK")(name, 2.5);
  EXPECT_EQ(log.watched, "count=2.500000");
  Fn<void(ScriptText*, ScriptText*)>("zemoscriptprocZEMOWATCHESTRINGOK")(name, value);
  EXPECT_EQ(log.watched, "count=abc");
  geral(kind, &r1, &r2, 1, value, &value8, 2, destination.Record());
  EXPECT_EQ(r1, 3.0);
  EXPECT_EQ(destination.Value(), "abc!!!");  // cut to the capacity
  kind.Set("value");
  double out = 0;
  geral(kind, &r1, &r2, 1, value, &value8, 2, &out);
  EXPECT_EQ(r2, kScriptGeneralReplyValue);
  EXPECT_EQ(out, 42.5);
}
}  // namespace
