#include "OutputFormats.h"

#include <array>

#include "common/PathParts.h"

namespace {
constexpr std::array<OutputFormat, 6> kFormats{{
    {".zobj3d", "*.zobj3d", OutputWriter::Document, false, true},
    {".obj", "*.obj", OutputWriter::Obj, false, true},
    {".glb", "*.glb", OutputWriter::Glb, false, true},
    {".stl", "*.stl", OutputWriter::Stl, false, true},
    {".jpeg", "*.jpeg", OutputWriter::Picture, true, true},
    // The batch tool writes a picture under exactly the name given.
    {".jpg", "", OutputWriter::Picture, true, false},
}};
constexpr char kEveryFile[] = "*.*";
}  // namespace

std::span<const OutputFormat> OutputFormats() { return kFormats; }

const OutputFormat& DocumentFormat() { return kFormats.front(); }

const OutputFormat& FormatOf(OutputWriter writer) {
  for (const OutputFormat& format : kFormats)
    if (format.writer == writer) return format;
  return DocumentFormat();
}

std::string DialogSuffix(const OutputFormat& format) { return std::string(format.extension.substr(1)); }

const OutputFormat& SaveFormatFor(std::string_view path) {
  const std::string extension = ExtensionOf(path);
  for (const OutputFormat& format : kFormats)
    if (format.saveCommand && format.extension == extension) return format;
  return DocumentFormat();
}

const OutputFormat* BatchFormatFor(std::string_view path) {
  const std::string name = FileNameOf(path);
  for (const OutputFormat& format : kFormats)
    if (name.size() > format.extension.size() && EndsWith(name, format.extension)) return &format;
  return nullptr;
}

std::string BatchExtensionsText() {
  std::string text;
  for (size_t i = 0; i < kFormats.size(); ++i) {
    if (i > 0) text += i + 1 == kFormats.size() ? " or " : ", ";
    text += kFormats[i].extension;
  }
  return text;
}

std::vector<std::string> SaveFilters() {
  std::vector<std::string> filters;
  for (const OutputFormat& format : kFormats)
    if (!format.filter.empty()) filters.emplace_back(format.filter);
  filters.emplace_back(kEveryFile);
  return filters;
}

int FilterIndexOf(OutputWriter writer) {
  int index = 0;
  for (const OutputFormat& format : kFormats) {
    if (format.filter.empty()) continue;
    if (format.writer == writer) return index;
    ++index;
  }
  return -1;
}

std::vector<std::string> OpenFilters() { return {std::string(DocumentFormat().filter), kEveryFile}; }
