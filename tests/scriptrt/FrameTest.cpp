// Text and number helpers, the global value stream, comparisons, library
// loading and the debugger hooks.
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "ScriptLibrary.h"

namespace {
using TextTextFn = void(ScriptText*, ScriptText*);

// Number to text into a record of `capacity` at the start of a larger block:
// a terminator only when it fits, and the rest of the block left as it was.
std::string NumberText(double value, uint16_t capacity = 40) {
  std::vector<char> bytes(kScriptTextHeader + 64, '\x5A');
  auto* record = reinterpret_cast<ScriptText*>(bytes.data());
  record->capacity = capacity;
  record->length = 0;
  Fn<void(ScriptText*, double)>("zemoFtStr")(record, value);
  size_t tail = kScriptTextHeader + record->length;
  if (capacity == 0 || record->length < capacity) {
    EXPECT_EQ(bytes[tail++], '\0') << value << " in " << capacity;
  }
  EXPECT_EQ(std::string(bytes.begin() + tail, bytes.end()), std::string(bytes.size() - tail, '\x5A'))
      << value << " in " << capacity;
  return std::string(bytes.data() + kScriptTextHeader, record->length);
}

TEST(FrameHelpers, CopyAppendAndParameterSlotsStopAtCapacity) {
  TextVar source("abcdefghijklmnopqrst"), ten("", 10), roomy("", 30);
  Fn<TextTextFn>("zemoPoeString")(ten, source);
  EXPECT_EQ(ten.Value(), "abcdefghij");
  Fn<TextTextFn>("zemoPoeString")(roomy, source);
  EXPECT_EQ(roomy.After(), '\xEE');  // no terminator written
  TextVar text("abc", 6), tail("defgh");
  Fn<TextTextFn>("zemoAcrescentaString")(text, tail);
  EXPECT_EQ(text.Value(), "abcdef");
  Fn<TextTextFn>("zemoAcrescentaString")(text, tail);  // full: unchanged
  EXPECT_EQ(text.Value(), "abcdef");
  EXPECT_EQ(OnText("zemoStrFt", "2,5"), 2.5);
  auto dblInt = Fn<int32_t(double)>("zemoDblInt");
  EXPECT_EQ(std::vector({dblInt(2.5), dblInt(-3.5), dblInt(NAN)}), std::vector({2, -4, 0}));
  // A plain text longer than a slot holds is cut to the slot.
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

TEST(NumberTextForm, GeneralFormWith15DigitsInsideTheRecordsCapacity) {
  const std::pair<double, const char*> cases[] = {{0, "0"},
                                                  {3.25, "3.25"},
                                                  {1.0 / 3, "0.333333333333333"},
                                                  {0.1 + 0.2, "0.3"},
                                                  {1e14, "100000000000000"},
                                                  {1e15, "1E15"},
                                                  {-2.5e20, "-2.5E20"},
                                                  {0.00001, "0.00001"},
                                                  {0.000001234, "1.234E-6"},
                                                  {NAN, "NAN"},
                                                  {-NAN, "-NAN"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(NumberText(value), text);
  EXPECT_EQ(NumberText(1.0 / 3, 5), "0.333");
  EXPECT_EQ(NumberText(3.25, 4), "3.25");                  // fills it: no room for the terminator
  EXPECT_EQ(NumberText(1.0 / 3, 0), "0.333333333333333");  // no stated capacity: the whole text
  std::vector<char> plain(40, '\x55');
  Fn<void(ScriptPlainText*, double)>("zemoFtStrNormal")(reinterpret_cast<ScriptPlainText*>(plain.data()), -0.5);
  EXPECT_EQ(std::string(plain.data() + 2, static_cast<size_t>(plain[0])), "-0.5");
  EXPECT_EQ(plain[6], '\x55');  // no terminator
}

TEST(NumberTextForm, UsesTheLocaleDecimalSeparator) {
  // A locale of our own, so the test does not depend on what a machine has.
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

TEST(GlobalStream, ReadsFollowWritesInOrderAndZerosPastTheEnd) {
  auto write8 = Fn<void(const void*)>("zemoscriptprocGRAVAGLOBAL8");
  auto read8 = Fn<void(void*)>("zemoscriptprocLEGLOBAL8");
  auto read259 = Fn<void(void*)>("zemoscriptprocLEGLOBAL259");
  double ra = 99, rb = 0;
  read8(&ra);
  EXPECT_EQ(ra, 0.0) << "no stream yet";
  Fn<void()>("zemoscriptprocINICIAGRAVAGLOBAL")();
  const double a = 1.5, b = -2.25;
  TextVar text("hello"), back("", 255);
  write8(&a);
  Fn<void(const void*)>("zemoscriptprocGRAVAGLOBAL259")(text.Record());
  write8(&b);
  read8(&ra);
  read259(back.Record());
  read8(&rb);
  EXPECT_EQ(std::vector({ra, rb}), std::vector({a, b}));
  EXPECT_EQ(back.Value(), "hello");
  write8(&b);  // a write after reads starts over at 0; the next read continues behind it
  char next[16];
  read8(next);
  read8(next + 8);
  EXPECT_EQ(std::memcmp(next, &b, 8), 0);
  EXPECT_EQ(std::memcmp(next + 8, text.Record(), 8), 0);
  std::vector<char> big(kScriptDefaultTextBytes, 'z');
  read259(big.data());
  read259(big.data());
  EXPECT_EQ(std::count(big.begin(), big.end(), 0), kScriptDefaultTextBytes) << "never bytes from outside the buffer";
}

TEST(Comparisons, NumbersNaNAndTexts) {
  auto comp = Fn<int32_t(double, double, double)>("zemoscriptprocDBLCOMP");
  auto comp2 = Fn<double(double, double, double)>("zemoscriptDBLCOMP2");
  const int expected[] = {0, 0, 1, 0, 1, 1, 0};  // 2 against 3, operators 0..6
  for (int op = 0; op <= 6; ++op) {
    EXPECT_EQ(comp(2, 3, op), expected[op]) << op;
    EXPECT_EQ(comp2(2, 3, op), expected[op]) << op;
    EXPECT_EQ(comp(NAN, 3, op) + comp2(3, -NAN, op), 0.0) << op;  // even "not equal"
  }
  EXPECT_EQ(comp(3, 3, 3) + comp(3, 3, 4) + comp(3, 3, 0), 3);
  auto text = Fn<double(ScriptText*, ScriptText*, double)>("zemoscriptDBLCOMP3");
  TextVar a("abc"), b("abd"), a2("abc"), withZero(std::string_view("abc\0x", 5)), high("\xE9"), low("z");
  EXPECT_EQ(text(a, a2, 0), 1.0);
  EXPECT_EQ(text(b, a, 1) + text(a, b, 2), 2.0);
  EXPECT_EQ(text(a, b, 1) + text(a, b, 5), 0.0);
  // Ordering stops at a 0 byte; equality looks at every character.
  EXPECT_EQ(text(withZero, a, 1) + text(withZero, a, 2) + text(withZero, a, 0), 0.0);
  EXPECT_EQ(text(high, low, 1), 1.0) << "unsigned bytes";
}

TEST(LibraryLoading, LoadsFindsAndFrees) {
  auto load = Fn<void*(const char*)>("zemoLOADLIBRARY");
  auto find = Fn<void*(void*, const char*)>("zemoGETPROCADDRESS");
  auto release = Fn<int32_t(void*)>("zemoFREELIBRARY");
  void* self = load(ZEMOSCRIPT_PATH);  // already loaded: the same module
  ASSERT_NE(self, nullptr);
  EXPECT_EQ(find(self, "NoSuchFunction"), nullptr);
  EXPECT_NE(release(self), 0);
  EXPECT_NE(dlsym(ScriptLibraryHandle(), "zemoPoeString"), nullptr) << "our own reference remains";
  void* libm = load("libm.so.6");
  ASSERT_NE(libm, nullptr);
  auto cosine = reinterpret_cast<double (*)(double)>(find(libm, "cos"));
  ASSERT_NE(cosine, nullptr);
  EXPECT_EQ(cosine(0), 1.0);
  EXPECT_NE(release(libm), 0);
  EXPECT_EQ(load("/nonexistent/libnothing.so"), nullptr);
  EXPECT_EQ(load(nullptr), nullptr) << "never the main program";
  EXPECT_EQ(find(nullptr, "cos"), nullptr);
  // A script names the library in Latin-1; the file's name is UTF-8.
  const std::string folder = testing::TempDir() + "/zemo_lib_" + std::to_string(getpid());
  std::filesystem::create_directories(folder);
  std::filesystem::create_symlink(ZEMOSCRIPT_PATH, folder +
                                                       "/bibliot\xC3\xA9"
                                                       "ca.so");
  void* accented = load((folder + "/bibliot\xE9"
                                  "ca.so")
                            .c_str());
  EXPECT_EQ(accented, self);
  if (accented) release(accented);
  std::filesystem::remove_all(folder);
}

struct DebugLog {
  std::vector<int32_t> lines;
  std::string module;
};

TEST(DebugHooks, LineTraceBreakpointsAndGeneralExchange) {
  auto debug = Fn<NumFn1>("zemoscriptZEMODEBUG");
  auto geral =
      Fn<void(ScriptText*, double*, double*, int32_t, ScriptText*, const void*, int32_t, void*)>("zemoscriptGeral");
  TextVar text("text"), value("abc"), destination("", 6);
  double r1 = -1, r2 = -1;
  EXPECT_EQ(debug(3), 1.0) << "no hook";
  geral(text, &r1, &r2, 1, value, nullptr, 2, destination.Record());
  EXPECT_EQ(r1, -1.0) << "no hook: nothing written";

  DebugLog log;
  ScriptDebugHooks hooks{};
  hooks.lineTrace = [](void* c, const char* module, const char*, int* continueRun, int*, int32_t line) {
    static_cast<DebugLog*>(c)->lines.push_back(line);
    static_cast<DebugLog*>(c)->module = module;
    if (line == 3) *continueRun = 0;
  };
  hooks.general = [](void*, const char*, int32_t value1, const char* text2, const void*, int32_t value2,
                     int32_t* result1, int32_t* result2, char* reply) {
    *result1 = value1 + value2;
    *result2 = kScriptGeneralReplyText;
    std::snprintf(reply, kScriptGeneralReplyMax, "%s!!!!!!!!!!", text2);
  };
  hooks.lineTraceContext = &log;
  Fn<void(const ScriptDebugHooks*)>("ScriptDebugInstall")(&hooks);
  Fn<void(const char*)>("ScriptDebugSetModule")("main");
  Fn<void(const char*, int32_t)>("ScriptDebugAddBreakpoint")("main", 6);
  const double expected[] = {1, 1, 0, 1, 1, 1, 1};
  for (int line = 1; line <= 7; ++line) EXPECT_EQ(debug(line), expected[line - 1]) << line;
  EXPECT_EQ(log.lines, (std::vector<int32_t>{1, 2, 3, 6, 7})) << "tracing stops at 3, starts again at the breakpoint";
  EXPECT_EQ(log.module, "main");
  geral(text, &r1, &r2, 1, value, nullptr, 2, destination.Record());
  EXPECT_EQ(r1, 3.0);
  EXPECT_EQ(destination.Value(), "abc!!!") << "cut to the capacity";
  Fn<void(const ScriptDebugHooks*)>("ScriptDebugInstall")(nullptr);
}
}  // namespace
