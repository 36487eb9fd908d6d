#include "InfoCommand.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "CliCommand.h"
#include "common/EscapedText.h"
#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"

namespace {
// Shortest text that reads back to the same double (4 -> "4", 0.07 -> "0.07").
void AppendNumber(std::string& out, double v) {
  char buf[32];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, ec == std::errc() ? end : buf);
}

// Writes what the listing holds so far; false (with `error` set to the
// first failure's errno) once stdout failed.
bool Emit(std::string& text, int& error) {
  const bool ok = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  if (!ok && !error) error = errno;
  text.clear();
  return ok;
}

// Flushes and closes stdout; the last bytes may only fail at close on a file
// system that reports errors late.
bool CloseStdout(int& error) {
  bool ok = std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (!ok && !error) error = errno ? errno : EIO;
  if (std::fclose(stdout) != 0) {
    if (!error) error = errno;
    ok = false;
  }
  return ok;
}
}  // namespace

std::string FormatElementLine(int index, const Element3D& e) {
  std::string line = std::to_string(index) + '\t' + std::to_string(e.kind) + '\t';
  AppendEscaped(line, e.name.str());
  for (double v : {e.dx, e.dy, e.dz, e.x, e.y, e.z, e.axy, e.ayz, e.axz}) {
    line += '\t';
    AppendNumber(line, v);
  }
  char color[16];
  std::snprintf(color, sizeof color, "\t%08X", e.color);
  line += color;
  line += '\t';
  AppendNumber(line, e.chamfer);
  line += '\t';
  AppendNumber(line, e.topPercent);
  line += '\t';
  AppendEscaped(line, e.texture.str());
  line += '\t' + std::to_string(e.invisible) + '\t';
  AppendEscaped(line, e.text.str());
  return line;
}

int RunInfoCommand(const std::vector<std::string>& args) {
  if (args.size() != 1) return CliFail("info", "usage: objetos3d-cli info DOC");
  TIMem32 elements("obj 3d4");
  elements.RecordSize = kElementRecordSize;
  const Outcome r = ReadDocument(args[0], elements);
  // A document that ended early still lists what it holds, then fails.
  if (!r.ok() && r.status != Outcome::Partial) return CliFail(args[0], r.reason);
  // Written a block at a time; a full disk or a closed pipe ends the listing
  // with a failure instead of a silently short one.
  std::string out;
  int error = 0;
  bool written = true;
  for (int32_t i = 0; written && i < elements.Count(); ++i) {
    out += FormatElementLine(i, elements.As<Element3D>(i));
    out += '\n';
    if (out.size() >= (1 << 16)) written = Emit(out, error);
  }
  written = written && Emit(out, error);
  written = CloseStdout(error) && written;
  if (!written) return CliFail("stdout", std::string("cannot write the listing: ") + std::strerror(error));
  return r.ok() ? 0 : CliFail(args[0], r.reason);
}
