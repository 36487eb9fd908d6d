#include "TextureFolder.h"

#include <filesystem>
#include <system_error>

#include "DataPath.h"
#include "Latin1.h"
#include "PlainFileName.h"

namespace fs = std::filesystem;

std::vector<std::string> TextureFileNames(const std::string& folder) {
  std::vector<std::string> names[3];
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const std::string ext = AsciiLower(it->path().extension().string());
    if (ext == ".jpeg")
      names[0].push_back(name);
    else if (ext == ".jpg")
      names[1].push_back(name);
    else if (ext == ".bmp")
      names[2].push_back(name);
  }
  std::vector<std::string> all;
  for (auto& group : names) all.insert(all.end(), group.begin(), group.end());
  return all;
}

std::string TextureFolder() { return DataPath("Vist3D/TEX/"); }

std::vector<TextureCopySource> TexturesToCopy(const std::string& folder) {
  std::vector<TextureCopySource> sources;
  std::error_code ec;
  const fs::path root = fs::canonical(folder, ec);
  if (ec) return sources;
  const std::string inside = root.string() + "/";
  for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code entryError;
    const std::string name = it->path().filename().string();
    if (!IsPlainFileName(name)) continue;
    // Where the entry really is: a link may lead anywhere.
    const fs::path real = fs::canonical(it->path(), entryError);
    if (entryError || real.string().compare(0, inside.size(), inside) != 0) continue;
    const fs::file_status status = fs::status(real, entryError);
    if (entryError || !fs::is_regular_file(status)) continue;
    TextureCopySource source{name, real.string(), {}};
    const uintmax_t size = fs::file_size(real, entryError);
    if (entryError) continue;
    if (size > kMaxTextureCopyBytes)
      source.skipped = "not copied: larger than " + std::to_string(kMaxTextureCopyBytes >> 20) + " MB";
    sources.push_back(std::move(source));
  }
  return sources;
}
