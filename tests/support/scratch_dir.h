// A fresh temporary folder for one test, made the settings and documents
// folder of the platform layer while it lives, and removed afterwards.
#pragma once
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/folders.h"

class ScratchDir {
 public:
  ScratchDir() {
    static std::atomic<int> counter{0};
    const auto base = std::filesystem::temp_directory_path();
    for (int attempt = 0;; ++attempt) {
      path_ = base / ("tavlon-test-" + std::to_string(std::rand()) + "-" +
                      std::to_string(counter++));
      if (std::filesystem::create_directory(path_)) break;
    }
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
    std::ofstream out(path_ / name, std::ios::binary);
    out << content;
  }

 private:
  std::filesystem::path path_;
};
