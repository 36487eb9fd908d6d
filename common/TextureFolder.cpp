#include "TextureFolder.h"

#include <filesystem>
#include <system_error>

#include "DataPath.h"
#include "Latin1.h"

std::vector<std::string> TextureFileNames(const std::string& folder) {
  std::vector<std::string> names[3];
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const std::string ext = AsciiLower(it->path().extension().string());
    if (ext == ".jpeg") names[0].push_back(name);
    else if (ext == ".jpg") names[1].push_back(name);
    else if (ext == ".bmp") names[2].push_back(name);
  }
  std::vector<std::string> all;
  for (auto& group : names) all.insert(all.end(), group.begin(), group.end());
  return all;
}

std::string TextureFolder() { return DataPath("Vist3D/TEX/"); }
