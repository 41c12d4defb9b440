// A fresh temporary folder for one test, made the settings and documents
// folder of the platform layer while it lives, and removed afterwards. Its
// name carries random bits and making it fails when the name exists, so no
// other process shares it (ctest -j runs test processes at once).
#pragma once
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>

#include "platform/folders.h"

class ScratchDir {
 public:
  ScratchDir() : path_(MakeUnique()) {
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
  static std::filesystem::path MakeUnique() {
    static std::random_device device;
    static std::mt19937_64 bits{(static_cast<unsigned long long>(device()) << 32) ^ device()};
    for (;;) {
      char name[32];
      std::snprintf(name, sizeof name, "tavlon-test-%016llx", static_cast<unsigned long long>(bits()));
      const auto path = std::filesystem::temp_directory_path() / name;
      std::error_code error;
      if (std::filesystem::create_directory(path, error)) return path;  // ours alone
      if (error) throw std::filesystem::filesystem_error("temporary folder", path, error);
    }
  }
  std::filesystem::path path_;
};
