#include "TestFolder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

TestFolder::TestFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "obj3d-test-XXXXXX").string();
  path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

void TestFolder::write(const std::string& name, const std::string& bytes) const {
  std::ofstream(file(name), std::ios::binary) << bytes;
}

std::string TestFolder::read(const std::string& name) const {
  std::ifstream in(file(name), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}
