// A fresh temporary folder for one test, made the settings and documents
// folder of the platform layer while it lives, and removed afterwards.
#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/folders.h"
#include "unique_dir.h"

class ScratchDir {
 public:
  ScratchDir() : path_(MakeUniqueTempDir("tavlon-test")) {
    SetSettingsFolderOverride(path_.string().c_str());
    SetDocumentsFolderOverride(path_.string().c_str());
  }
  ~ScratchDir() {
    SetSettingsFolderOverride(nullptr);
    SetDocumentsFolderOverride(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

  // The whole content of a file of the folder ("" when it does not exist).
  std::string Read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  void Write(const std::string& name, const std::string& content) const {
    std::ofstream(path_ / name, std::ios::binary) << content;
  }

 private:
  std::filesystem::path path_;
};
