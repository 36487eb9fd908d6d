#include "OutputLimit.h"

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {
// A document copy holds 289 bytes per record: a document of shorter
// records grows, but not by much unless the records are tiny.
constexpr uint64_t kDocumentBytesPerInputByte = 4;
constexpr uint64_t kDocumentAllowance = uint64_t{1} << 20;
// An element of 289 bytes exports up to about 100 KB of OBJ text (a
// sphere); the allowance also takes a texture copy or an embedded image.
constexpr uint64_t kExportBytesPerInputByte = 1024;
constexpr uint64_t kExportAllowance = uint64_t{64} << 20;

uint64_t SaturatingMultiplyAdd(uint64_t a, uint64_t b, uint64_t c) {
  if (a != 0 && b > (UINT64_MAX - c) / a) return UINT64_MAX;
  return a * b + c;
}
}  // namespace

bool OutputLimit::TakeNoLimitOption(std::vector<std::string>& args) {
  const auto end = std::remove(args.begin(), args.end(), std::string("--no-limit"));
  const bool found = end != args.end();
  args.erase(end, args.end());
  return found;
}

uint64_t OutputLimit::Budget(Kind kind, uint64_t inputBytes) {
  return kind == Kind::Document ? SaturatingMultiplyAdd(inputBytes, kDocumentBytesPerInputByte, kDocumentAllowance)
                                : SaturatingMultiplyAdd(inputBytes, kExportBytesPerInputByte, kExportAllowance);
}

OutputLimit::OutputLimit(Kind kind, const std::string& input, bool off) {
  struct stat st {};
  if (off || ::stat(input.c_str(), &st) != 0) return;
  inputBytes_ = static_cast<uint64_t>(st.st_size);
  budget_ = Budget(kind, inputBytes_);
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_FSIZE, &limit) != 0) return;
  if (limit.rlim_cur != RLIM_INFINITY && limit.rlim_cur <= budget_) return;  // a lower limit is already set
  limit.rlim_cur = budget_;
  applied_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

std::string OutputLimit::Explain(const std::string& reason) const {
  if (!applied_ || reason.find(std::strerror(EFBIG)) == std::string::npos) return reason;
  return "not written: it would be larger than " + std::to_string(budget_) + " bytes, the limit for a document of " +
         std::to_string(inputBytes_) + " bytes (--no-limit lifts it)";
}
