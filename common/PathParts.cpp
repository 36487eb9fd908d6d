#include "PathParts.h"

namespace {
size_t NameStart(std::string_view path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}
}  // namespace

std::string FileNameOf(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string FolderPartOf(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }

std::string ExtensionOf(std::string_view path) {
  const std::string_view name = path.substr(NameStart(path));
  const size_t dot = name.find_last_of('.');
  return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot));
}

std::string ChangeExtension(std::string_view path, std::string_view extension) {
  const size_t kept = path.size() - ExtensionOf(path).size();
  return std::string(path.substr(0, kept)) + std::string(extension);
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}
