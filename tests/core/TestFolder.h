#pragma once
#include <string>

// A fresh temporary folder, removed with its contents at the end of a test.
class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  void write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;

 private:
  std::string path_;
};
