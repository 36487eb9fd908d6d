#include "CommandLine.h"

#include <sys/stat.h>

#include <cstdlib>
#include <string_view>

#include "ProgramVersion.h"

namespace {
// Qt's own options that take the next argument as their value (Qt also
// accepts them with two dashes, and as "-name=value").
constexpr std::string_view kQtValueOptions[] = {"platform",
                                                "platformpluginpath",
                                                "platformtheme",
                                                "plugin",
                                                "qwindowgeometry",
                                                "qwindowicon",
                                                "qwindowtitle",
                                                "session",
                                                "display",
                                                "geometry",
                                                "style",
                                                "stylesheet",
                                                "name",
                                                "title",
                                                "visual",
                                                "ncols",
                                                "cmap",
                                                "im",
                                                "inputstyle",
                                                "qmljsdebugger"};

bool NamesExistingFile(const std::string& argument) {
  struct stat st;
  return !argument.empty() && ::stat(argument.c_str(), &st) == 0;
}

// "--style=x" -> "style"; "-reverse" -> "reverse".
std::string_view OptionName(std::string_view argument) {
  argument.remove_prefix(argument.rfind("--", 0) == 0 ? 2 : 1);
  return argument.substr(0, argument.find('='));
}

bool TakesValue(std::string_view argument) {
  if (argument.find('=') != std::string_view::npos) return false;
  for (std::string_view name : kQtValueOptions)
    if (OptionName(argument) == name) return true;
  return false;
}

bool IsOption(const std::string& argument) { return argument.size() > 1 && argument[0] == '-'; }
}  // namespace

EditorCommandLine ParseEditorCommandLine(const std::vector<std::string>& arguments) {
  EditorCommandLine line;
  line.qtArguments.push_back(arguments.empty() ? std::string("objetos3d") : arguments[0]);
  auto fail = [&line](std::string why) {
    line.action = EditorCommandLine::Action::Error;
    line.error = std::move(why);
    return line;
  };
  bool onlyDocuments = false;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (onlyDocuments) {
      line.documents.push_back(a);
    } else if (a == "--") {
      onlyDocuments = true;
    } else if (a == "--help" || a == "-h") {
      if (line.action == EditorCommandLine::Action::Run) line.action = EditorCommandLine::Action::Help;
    } else if (a == "--version") {
      if (line.action == EditorCommandLine::Action::Run) line.action = EditorCommandLine::Action::Version;
    } else if (a == "--language" || a.rfind("--language=", 0) == 0) {
      std::string value;
      if (a == "--language") {
        if (i + 1 == arguments.size()) return fail("option --language needs a value (pt or en)");
        value = arguments[++i];
      } else {
        value = a.substr(sizeof("--language=") - 1);
      }
      if (value != "pt" && value != "en") return fail("option --language takes pt or en, not '" + value + "'");
      line.language = value;
    } else if (NamesExistingFile(a) || !IsOption(a)) {
      line.documents.push_back(a);
    } else if (!TakesValue(a)) {
      line.qtArguments.push_back(a);
    } else if (i + 1 < arguments.size() && arguments[i + 1] != "--" && !NamesExistingFile(arguments[i + 1])) {
      line.qtArguments.push_back(a);
      line.qtArguments.push_back(arguments[++i]);
    } else {
      // The only candidate for its value is a document (or nothing); Qt
      // would take it, so the option goes instead.
      line.warnings.push_back("option " + a + " has no value and is ignored (write " + a + "=VALUE)");
    }
  }
  return line;
}

void PrintEditorUsage(std::FILE* to) {
  std::fprintf(to,
               "usage: objetos3d [OPTION...] [QT-OPTION...] [--] [DOCUMENT]\n"
               "\n"
               "Opens DOCUMENT (a .zobj3d file) in the 3D object editor; without one, a new\n"
               "document. Several document arguments are one name split at its blanks.\n"
               "\n"
               "options:\n"
               "  --language pt|en   the language of the menus and messages\n"
               "  --help, -h         print this help and exit\n"
               "  --version          print the version and exit\n"
               "  --                 every argument after it is a document\n"
               "\n"
               "An argument that names an existing file is always a document. Other\n"
               "arguments that start with '-' go to Qt (for example -platform NAME or\n"
               "-reverse); a value of a Qt option is written as -option=VALUE when it\n"
               "names a file.\n"
               "The editor needs a graphical session; objetos3d-cli works on documents\n"
               "without a window.\n"
               "Exit status: 0 when the editor is closed normally, 2 on a wrong command line\n"
               "or without a graphical session.\n");
}

void PrintEditorVersion(std::FILE* to) { std::fprintf(to, "%s\n", OBJ3D_VERSION_LINE); }

bool HasGraphicalSession(const EditorCommandLine& line) {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(variable);
    if (value && *value) return true;
  }
  for (const std::string& a : line.qtArguments)
    if (IsOption(a) && OptionName(a) == "platform") return true;
  return false;
}
