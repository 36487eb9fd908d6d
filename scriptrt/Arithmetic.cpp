// Arithmetic of scripts. Booleans are 1.0 and 0.0.
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <string>

#include "scriptrt/NumberText.h"
#include "scriptrt/Rounding.h"
#include "scriptrt/ScriptExports.h"

namespace {
std::mt19937_64& Generator() {
  static std::mt19937_64 generator(
      static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
  return generator;
}

constexpr double kNaN = std::bit_cast<double>(0xFFF8000000000000ULL);
}  // namespace

extern "C" {

double zemoscriptABS(double x) { return std::fabs(x); }
double zemoscriptINT(double x) { return std::trunc(x); }
double zemoscriptFRAC(double x) { return x - std::trunc(x); }
double zemoscriptROUND(double x) { return std::nearbyint(x); }

double zemoscriptMOD(double a, double b) {
  const int64_t divisor = RoundToInt64(b);
  // A zero divisor has no remainder: NaN instead of a trap.
  if (divisor == 0) return kNaN;
  const int64_t dividend = RoundToInt64(a);
  if (divisor == -1) return 0.0;  // also keeps INT64_MIN % -1 from trapping
  return static_cast<double>(dividend % divisor);
}

double zemoscriptSGN(double x) { return x < 0 ? -1.0 : 1.0; }
double zemoscriptSQRT(double x) { return x >= 0 ? std::sqrt(x) : 0.0; }
double zemoscriptSIN(double x) { return std::sin(x); }
double zemoscriptCOS(double x) { return std::cos(x); }
double zemoscriptARCTAN(double x) { return std::atan(x); }
double zemoscriptPI(void) { return std::numbers::pi; }
double zemoscriptEXP(double x) { return std::exp(x); }
double zemoscriptEXP10(double x) { return std::pow(10.0, x); }
double zemoscriptPOWER(double base, double exponent) { return std::pow(base, exponent); }
double zemoscriptLN(double x) { return std::log(x); }
double zemoscriptLOG(double x) { return std::log(x) / std::log(10.0); }

double zemoscriptSDEV(double n, double sum, double sumOfSquares) {
  if (n <= 0 || RoundToInt32(n) < 2) return 0.0;
  return std::sqrt(std::fabs((sumOfSquares - sum * sum / n) / (n - 1)));
}

double zemoscriptF1G(double x1, double y1, double x2, double y2, double x) {
  if (x1 == x2) return 0.0;
  return ((y1 - y2) * x + (x1 * y2 - x2 * y1)) / (x1 - x2);
}

double zemoscriptRND(void) {
  // 53 random bits scaled by 2^-53: never 1.0.
  return static_cast<double>(Generator()() >> 11) * 0x1.0p-53;
}

void zemoscriptprocRANDOMIZE(void) {
  Generator().seed(static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
}

double zemoscriptTRUE(void) { return 1.0; }
double zemoscriptFALSE(void) { return 0.0; }
double zemoscriptNOT(double x) { return x == 0 ? 1.0 : 0.0; }  // a NaN is not 0
double zemoscriptNAN(void) { return kNaN; }
double zemoscriptISNAN(double x) { return std::isnan(x) ? 1.0 : 0.0; }

double zemoscriptGETDECIMALS(double x) {
  if (!std::isfinite(x)) return 0.0;
  // The fraction in millionths: a whole number of them has up to six
  // decimals (less its trailing zeros); anything finer counts as seven.
  const std::string millionths = NumberToText(std::fabs(x - std::trunc(x)) * 1000000.0);
  for (char c : millionths)
    if (c < '0' || c > '9') return 7.0;
  if (millionths == "0" || millionths == "1000000") return 0.0;
  int decimals = 6;
  for (size_t i = millionths.size(); i > 0 && millionths[i - 1] == '0'; --i) --decimals;
  return decimals;
}

}  // extern "C"
