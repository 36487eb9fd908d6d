#pragma once
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

// A folder of this run's own under the temporary folder, made on first use
// and removed when the program ends: the exports written there run to
// hundreds of megabytes.
inline const std::filesystem::path& BenchFolder(const std::string& prefix) {
  struct Folder {
    std::filesystem::path path;
    explicit Folder(const std::string& prefix)
        : path(std::filesystem::temp_directory_path() / (prefix + std::to_string(getpid()))) {
      std::filesystem::create_directories(path);
    }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  };
  static const Folder folder(prefix);
  return folder.path;
}
