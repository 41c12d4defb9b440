// Helpers of the platform tests: a fresh folder under the system's
// temporary folder, removed with everything in it when the test ends (it
// sets no folder override: these tests choose their own), and whole-file
// reads and writes.
#pragma once
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "../support/unique_dir.h"

namespace platform_test {

struct TempDir {
  std::filesystem::path path;

  TempDir() : path(MakeUniqueTempDir("tavlon-platform-test")) {}
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The full path of `name` in the folder, in the system's own form.
  std::string File(const std::string& name) const { return (path / name).string(); }
  std::string Dir() const { return path.string(); }
};

// Writes `size` bytes as the whole file. Returns 1, or 0.
inline int WriteBytes(const std::string& path, const char* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return 0;
  bool ok = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok ? 1 : 0;
}

inline int WriteText(const std::string& path, const std::string& text) {
  return WriteBytes(path, text.data(), text.size());
}

// The whole file, or "<missing>" when it cannot be opened.
inline std::string ReadText(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return "<missing>";
  std::string text;
  char chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) text.append(chunk, n);
  std::fclose(f);
  return text;
}

}  // namespace platform_test
