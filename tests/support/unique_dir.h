// A new, empty folder under the system's temporary folder that no other
// process can share: the name carries random bits, and creating a folder
// fails when the name exists (ctest -j runs test processes at once).
#pragma once
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

inline std::filesystem::path MakeUniqueTempDir(const std::string& stem) {
  static std::random_device device;
  static std::mt19937_64 bits{(static_cast<unsigned long long>(device()) << 32) ^ device()};
  for (;;) {
    char name[32];
    std::snprintf(name, sizeof name, "-%016llx", static_cast<unsigned long long>(bits()));
    const auto path = std::filesystem::temp_directory_path() / (stem + name);
    std::error_code error;
    if (std::filesystem::create_directory(path, error)) return path;  // ours alone
    if (error) throw std::filesystem::filesystem_error("temporary folder", path, error);
  }
}
