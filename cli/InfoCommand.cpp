#include "InfoCommand.h"

#include <charconv>
#include <cstdio>
#include <iostream>

#include "CliCommand.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "common/TIMem32.h"

namespace {
// Shortest text that reads back to the same double (4 -> "4", 0.07 -> "0.07").
void AppendNumber(std::string& out, double v) {
  char buf[32];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, ec == std::errc() ? end : buf);
}

// Names and texts are free bytes; the separators and the escape itself are
// written as two characters so that every element stays one line of fields.
void AppendEscaped(std::string& out, const std::string& text) {
  for (char c : text) {
    switch (c) {
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
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
  const DocumentResult r = ReadDocument(args[0], elements);
  // A document that ended early still lists what it holds, then fails.
  if (!r.ok() && r.status != DocumentResult::Partial) return CliFail(args[0], r.reason);
  std::string out;
  for (int32_t i = 0; i < elements.Count(); ++i) {
    out += FormatElementLine(i, elements.As<Element3D>(i));
    out += '\n';
  }
  std::fwrite(out.data(), 1, out.size(), stdout);
  if (std::fflush(stdout) != 0) return CliFail("stdout", "cannot write");
  return r.ok() ? 0 : CliFail(args[0], r.reason);
}
