// Settings files on POSIX: our own INI code, with bare names found in the
// settings folder, which a write creates.
#include <errno.h>
#include <sys/stat.h>
#include <time.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>

#include "platform/datafile.h"
#include "platform/folders.h"
#include "platform/ini.h"
#include "platform/posix/ini_file.h"
#include "platform/system.h"

namespace {

// Creates `dir` and its missing parents. Returns 1, or 0.
int MakeFolders(const char* dir) {
  char path[1024];
  std::size_t n = std::strlen(dir);
  if (n == 0 || n >= sizeof path) return 0;
  std::memcpy(path, dir, n + 1);
  for (std::size_t i = 1; i <= n; ++i) {
    if (path[i] != '/' && path[i] != '\0') continue;
    char keep = path[i];
    path[i] = '\0';
    if (mkdir(path, 0700) != 0 && errno != EEXIST) return 0;
    path[i] = keep;
  }
  struct stat st{};
  return stat(dir, &st) == 0 && S_ISDIR(st.st_mode) ? 1 : 0;
}

// The path of an INI file: a bare name in the settings folder, anything
// with a '/' as it is. Returns 1, or 0 when the folder is unknown.
int ResolveIni(const char* file, char* path, int pathSize, char* folder, int folderSize) {
  folder[0] = '\0';
  if (std::strchr(file, '/')) return CopyText(file, path, pathSize);
  if (!SettingsFolder(folder, folderSize)) return 0;
  return PathJoin(folder, file, path, pathSize);
}

// The text of each settings file read so far, with the file's identity and
// time of change when it was read. Every read still asks the system about
// the file, so a value written by another dialog, program or editor is seen
// at once; only an unchanged file is not read and scanned again (a long
// export reads its settings tens of thousands of times).
struct CachedFile {
  int exists;
  dev_t device;
  ino_t inode;
  off_t size;
  struct timespec changed;
  int trusted;  // 0: the file changed just before it was read; read it again
  std::string text;
};

std::unordered_map<std::string, CachedFile>& FileCache() {
  static std::unordered_map<std::string, CachedFile> cache;
  return cache;
}

int SameFile(const CachedFile& cached, const struct stat& st) {
  return cached.exists && cached.trusted && cached.device == st.st_dev && cached.inode == st.st_ino &&
         cached.size == st.st_size && cached.changed.tv_sec == st.st_mtim.tv_sec &&
         cached.changed.tv_nsec == st.st_mtim.tv_nsec;
}

// The current text of the file at `path`; nullptr when it is missing,
// unreadable or larger than an INI file may be.
const std::string* CurrentText(const char* path) {
  struct stat st{};
  CachedFile& cached = FileCache()[path];
  if (stat(path, &st) != 0 || !S_ISREG(st.st_mode) || (std::size_t)st.st_size > kIniMaxFileSize) {
    cached.exists = 0;
    return nullptr;
  }
  if (SameFile(cached, st)) return &cached.text;
  std::FILE* file = std::fopen(path, "rb");
  if (!file) {
    cached.exists = 0;
    return nullptr;
  }
  std::string text((std::size_t)st.st_size, '\0');
  const std::size_t got = std::fread(text.data(), 1, text.size(), file);
  const int more = std::fgetc(file) != EOF;  // grew while being read
  std::fclose(file);
  if (got != text.size() || more) {
    cached.exists = 0;
    return nullptr;
  }
  // File times move in steps of a few milliseconds, so a file rewritten in
  // place within one step keeps its time: one that changed that recently
  // is read again next time.
  struct timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const double age = (double)(now.tv_sec - st.st_mtim.tv_sec) + (now.tv_nsec - st.st_mtim.tv_nsec) / 1e9;
  cached = CachedFile{1, st.st_dev, st.st_ino, st.st_size, st.st_mtim, age > 0.1, std::move(text)};
  return &cached.text;
}

}  // namespace

int IniReadString(const char* section, const char* key, const char* def,
                  char* out, int outSize, const char* file) {
  char path[1024], folder[1024];
  if (!file || !ResolveIni(file, path, sizeof path, folder, sizeof folder))
    return IniTextReadString(nullptr, 0, section, key, def, out, outSize);
  const std::string* text = CurrentText(path);
  if (!text) return IniTextReadString(nullptr, 0, section, key, def, out, outSize);
  return IniTextReadString(text->data(), text->size(), section, key, def, out, outSize);
}

int IniReadInt(const char* section, const char* key, int def, const char* file) {
  char path[1024], folder[1024];
  if (!file || !ResolveIni(file, path, sizeof path, folder, sizeof folder)) return def;
  const std::string* text = CurrentText(path);
  if (!text) return def;
  return IniTextReadInt(text->data(), text->size(), section, key, def);
}

int IniWriteString(const char* section, const char* key, const char* value,
                   const char* file) {
  char path[1024], folder[1024];
  if (!file || !ResolveIni(file, path, sizeof path, folder, sizeof folder)) return 0;
  if (folder[0] && !MakeFolders(folder)) return 0;
  return IniFileWriteString(path, section, key, value);
}
