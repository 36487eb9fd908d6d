// What needs a user interface or the keyboard goes through the host; without
// one the answers are "cancelled", "not pressed" and size 0.
#include <string>

#include "common/TextToNumber.h"
#include "scriptrt/DateParsing.h"
#include "scriptrt/HostAccess.h"
#include "scriptrt/NumberText.h"
#include "scriptrt/Rounding.h"
#include "scriptrt/ScriptExports.h"
#include "scriptrt/TextArgs.h"

namespace {
constexpr int kVirtualKeyEscape = 27;
constexpr int kEnteredCapacity = 256;

int KeyState(int virtualKey) {
  const ScriptHost& host = Host();
  return host.KeyState ? host.KeyState(host.context, virtualKey) : 0;
}
}  // namespace

extern "C" {

double zemoscriptCHOOSEDATE(const ScriptText* title, double date) {
  // The date picker shows and returns dates in the program's format, which
  // stays the process's format afterwards.
  ShortDateFormat() = ProgramDateFormat();
  const ScriptHost& host = Host();
  double chosen = date;
  if (host.ChooseDate && host.ChooseDate(host.context, std::string(TextOf(title)).c_str(), date, &chosen))
    return chosen;
  return -1.0;
}

double zemoscriptESCPRESSED(void) {
  return (KeyState(kVirtualKeyEscape) & kScriptKeyPressedSinceLastQuery) ? 1.0 : 0.0;
}

double zemoscriptGETKEY(double virtualKey) { return KeyState(RoundToInt32(virtualKey)) != 0 ? 1.0 : 0.0; }

double zemoscriptSCREENWIDTH(void) {
  const ScriptHost& host = Host();
  return host.ScreenWidth ? host.ScreenWidth(host.context) : 0.0;
}

double zemoscriptSCREENHEIGHT(void) {
  const ScriptHost& host = Host();
  return host.ScreenHeight ? host.ScreenHeight(host.context) : 0.0;
}

double zemoscriptINPUTNUMBER(const ScriptText* caption, const ScriptText* title, double defaultValue) {
  const ScriptHost& host = Host();
  if (!host.InputNumber) return defaultValue;
  char entered[kEnteredCapacity] = {};
  if (!host.InputNumber(host.context, std::string(TextOf(caption)).c_str(), std::string(TextOf(title)).c_str(),
                        NumberToText(defaultValue).c_str(), entered, kEnteredCapacity))
    return defaultValue;
  entered[kEnteredCapacity - 1] = 0;
  return TextToNumber(entered);
}

void zemoscriptprocABOUTZEMO(void) {
  const ScriptHost& host = Host();
  if (host.ShowInformation)
    host.ShowInformation(host.context, "Zemo Script",
                         "Zemo Script run-time library\nFunctions for compiled scripts: arithmetic, dates, "
                         "texts, files, stored values, memory and ports.");
}

}  // extern "C"
