#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What writes a file of a format.
enum class OutputWriter { Document, Picture, Obj, Glb, Stl };

// One kind of file the editor's save command and the batch tool write.
struct OutputFormat {
  std::string_view extension;  // as written at the end of the name, case-sensitive
  std::string_view filter;     // the file dialogs' pattern (the same in both languages); empty: not offered
  OutputWriter writer;
  bool drawsFrame;   // a frame is drawn and read back: needs the view's GL context
  bool saveCommand;  // the save command knows it; otherwise the batch tool's alone
};

// Every format, the document first, in the order the dialogs offer them.
std::span<const OutputFormat> OutputFormats();
const OutputFormat& DocumentFormat();
// The first format `writer` writes (the one the save command knows).
const OutputFormat& FormatOf(OutputWriter writer);
// Its extension without the dot, as the dialogs add it to a typed name.
std::string DialogSuffix(const OutputFormat& format);

// The format the save command writes `path` in, by the extension as written
// (case-sensitive): the document for a name it does not know, or none.
const OutputFormat& SaveFormatFor(std::string_view path);

// The format the batch tool writes `path` in: the name must be longer than
// one of the extensions and end with it; nullptr otherwise.
const OutputFormat* BatchFormatFor(std::string_view path);
// The batch tool's extensions as a sentence (".a, .b or .c").
std::string BatchExtensionsText();

// The save dialogs' patterns, every file ("*.*") last, and where `writer`'s stands.
std::vector<std::string> SaveFilters();
int FilterIndexOf(OutputWriter writer);
// The open dialog's: documents and every file.
std::vector<std::string> OpenFilters();
