// objetos3d-cli: the editor's document operations without a window, for
// scripts and for checking files from outside.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "CliCommand.h"
#include "CopyCommand.h"
#include "ExportCommand.h"
#include "InfoCommand.h"
#include "ProgramVersion.h"
#include "ThumbnailCommand.h"
#include "common/EscapedText.h"
#include "common/InterruptCleanup.h"

namespace {
const CliCommand kCommands[] = {
    {"info", "info DOC", "list the elements of DOC, one TAB-separated line each", RunInfoCommand},
    {"copy", "copy DOC OUT [--no-limit]", "read DOC and write it to OUT as a document", RunCopyCommand},
    {"export", "export DOC OUT [--width W] [--height H] [--view 0..3] [--no-limit]",
     "save DOC as OUT: .obj (+ .mtl, textures/), .glb, .stl, .jpeg picture, or .zobj3d", RunExportCommand},
    {"thumbnail", "thumbnail DOC OUT.png [--size N]", "a square PNG picture of DOC (N pixels, default 256)",
     RunThumbnailCommand},
};

void PrintHelp(std::FILE* to) {
  std::fprintf(to, "usage: objetos3d-cli COMMAND ARGS...\n       objetos3d-cli --help | --version\n\ncommands:\n");
  for (const auto& c : kCommands) std::fprintf(to, "  %-40s %s\n", c.usage, c.summary);
  std::fprintf(to,
               "\ninfo columns: index, kind, name, dx, dy, dz, x, y, z, axy, ayz, axz, color (hex),\n"
               "chamfer, topPercent, texture, invisible, text. Inside name, texture and text a TAB,\n"
               "LF, CR and backslash are written as \\t, \\n, \\r and \\\\, every other control\n"
               "byte (below 0x20, and 0x7F) as \\xHH, so a listing is safe on a terminal.\n"
               "export writes .zobj3d, .obj, .glb, .stl and .jpeg (.jpg) files; other names are refused.\n"
               "An output is never the document itself. copy and export write no file larger than a\n"
               "limit that grows with the document (4 bytes a byte + 1 MB for a document, 1 KB a\n"
               "byte + 64 MB for an export); --no-limit lifts it.\n"
               "Exit status: 0 on success, 2 on failure (with a message on stderr).\n");
}

// The file a failure no command caught concerns: the document, the first
// argument that is neither an option nor an option's value.
std::string FileOfArguments(const std::vector<std::string>& args, const char* command) {
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i].rfind("--", 0) != 0) return args[i];
    if (args[i] != "--no-limit") ++i;  // every other option takes a value
  }
  return command;
}
}  // namespace

int CliFail(const std::string& file, const std::string& reason) {
  // A file name (also inside the reason) may hold any byte: escaped as the
  // info listing escapes texts, it can neither drive the terminal nor
  // break the one line.
  std::string line = "objetos3d-cli: ";
  AppendEscaped(line, file);
  line += ": ";
  AppendEscaped(line, reason);
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stderr);
  return 2;
}

int main(int argc, char** argv) {
  if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
    PrintHelp(argc < 2 ? stderr : stdout);
    return argc < 2 ? 2 : 0;
  }
  if (!std::strcmp(argv[1], "--version")) {
    std::printf("%s\n", OBJ3D_VERSION_LINE);
    return 0;
  }
  // Ended by a signal, a write in progress leaves no temporary file; past
  // the file size limit a write fails with a message instead.
  RemoveTempFilesOnInterrupt();
  const std::vector<std::string> args(argv + 2, argv + argc);
  for (const auto& c : kCommands) {
    if (c.name != std::string(argv[1])) continue;
    // Whatever a command lets through still ends as one line and status 2,
    // never as an abort.
    try {
      return c.run(args);
    } catch (const std::bad_alloc&) {
      return CliFail(FileOfArguments(args, argv[1]), "not enough memory");
    } catch (const std::exception& e) {
      return CliFail(FileOfArguments(args, argv[1]), e.what());
    }
  }
  return CliFail(argv[1], "unknown command (see --help)");
}
