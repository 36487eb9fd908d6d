// Dialogs and keys go through the host; a test host stands in for the
// editor's (whose Qt host the app tests drive with events).
#include <cstdio>

#include "ScriptLibrary.h"

namespace {
struct TestHost {
  std::string seen;
  int escapeState = 0;
};

double ChooseDate(double date) {
  TextVar title("Escolha");
  return Fn<double(ScriptText*, double)>("zemoscriptCHOOSEDATE")(title, date);
}

double InputNumber(double defaultValue) {
  TextVar caption("Grade"), title("Passo");
  return Fn<double(ScriptText*, ScriptText*, double)>("zemoscriptINPUTNUMBER")(caption, title, defaultValue);
}

TEST(Host, DialogsAndKeysReachItAndWithoutOneAnswerCancelNotPressedAndZero) {
  EXPECT_EQ(ChooseDate(45000), -1.0);
  EXPECT_EQ(InputNumber(7.5), 7.5);
  EXPECT_EQ(Fn<NumFn0>("zemoscriptESCPRESSED")() + Fn<NumFn1>("zemoscriptGETKEY")(65), 0.0);
  EXPECT_EQ(Fn<NumFn0>("zemoscriptSCREENWIDTH")() + Fn<NumFn0>("zemoscriptSCREENHEIGHT")(), 0.0);
  Fn<void()>("zemoscriptprocABOUTZEMO")();  // nothing to show it on

  TestHost state;
  ScriptHost host{};
  host.context = &state;
  host.ChooseDate = [](void* c, const char* title, double date, double* chosen) {
    static_cast<TestHost*>(c)->seen = title;
    *chosen = date + 10;
    return 1;
  };
  host.InputNumber = [](void* c, const char* caption, const char* title, const char* defaultText, char* entered,
                        int capacity) {
    static_cast<TestHost*>(c)->seen = std::string(caption) + "|" + title + "|" + defaultText;
    std::snprintf(entered, static_cast<size_t>(capacity), "2,5");
    return 1;
  };
  host.KeyState = [](void* c, int key) {
    return key == 27 ? static_cast<TestHost*>(c)->escapeState : key == 'A' ? int{kScriptKeyDown} : 0;
  };
  Fn<void(const ScriptHost*)>("ScriptHostInstall")(&host);
  EXPECT_EQ(ChooseDate(45000), 45010.0);
  EXPECT_EQ(state.seen, "Escolha");
  EXPECT_EQ(InputNumber(1.25), 2.5);
  EXPECT_EQ(state.seen, "Grade|Passo|1.25") << "the default goes to the box as text";
  auto esc = Fn<NumFn0>("zemoscriptESCPRESSED");
  state.escapeState = kScriptKeyDown;
  EXPECT_EQ(esc(), 0.0) << "held, but already reported";
  state.escapeState = kScriptKeyPressedSinceLastQuery;
  EXPECT_EQ(esc(), 1.0);
  EXPECT_EQ(Fn<NumFn1>("zemoscriptGETKEY")(64.6), 1.0) << "rounds to 65, 'A'";
  EXPECT_EQ(Fn<NumFn1>("zemoscriptGETKEY")(66), 0.0);
  Fn<void(const ScriptHost*)>("ScriptHostInstall")(nullptr);
}
}  // namespace
