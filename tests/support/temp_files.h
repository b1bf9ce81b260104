#pragma once

#include <filesystem>
#include <fstream>
#include <string>

// A folder of files written by one test, removed with it.
class TempFiles {
 public:
  TempFiles() {
    std::string pattern = (std::filesystem::temp_directory_path() / "flightcompare-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
  }
  ~TempFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  TempFiles(const TempFiles&) = delete;
  TempFiles& operator=(const TempFiles&) = delete;

  std::string path(const std::string& name) const { return (folder_ / name).string(); }
  std::string folder() const { return folder_.string(); }

  std::string write(const std::string& name, const std::string& bytes) const {
    std::ofstream(path(name), std::ios::binary) << bytes;
    return path(name);
  }

 private:
  std::filesystem::path folder_;
};
