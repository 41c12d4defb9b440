// Settings files on POSIX: our own INI code, with bare names found in the
// settings folder, which a write creates.
#include <errno.h>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
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
  int held;     // read while the files were held: not checked again until released
  std::string text;
  // Values looked up in this text: "section\0key" -> found, value (quotes
  // removed, not cut).
  std::unordered_map<std::string, std::pair<int, std::string>> values;
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
int gHeld = 0;  // IniHoldFiles depth

const std::string* CurrentText(const char* path) {
  struct stat st{};
  CachedFile& cached = FileCache()[path];
  if (gHeld && cached.held) return cached.exists ? &cached.text : nullptr;
  cached.held = gHeld;
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
  cached = CachedFile{1, st.st_dev, st.st_ino, st.st_size, st.st_mtim, age > 0.1, gHeld, std::move(text), {}};
  return &cached.text;
}

// The value of section/key in the file's current text: 1 and the whole
// value, or 0 when the key is missing (the caller's default applies).
// Values too long to remember are looked up afresh.
constexpr int kRememberedValue = 1024;
constexpr char kMissing[] = "\x01missing\x01";

int LookUp(const char* path, const char* section, const char* key, const std::string** text,
           std::string* value) {
  *text = CurrentText(path);
  if (!*text) return 0;
  CachedFile& cached = FileCache()[path];
  std::string id = section;
  id += '\0';
  id += key;
  auto it = cached.values.find(id);
  if (it == cached.values.end()) {
    char buffer[kRememberedValue + 1];
    IniTextReadString((*text)->data(), (*text)->size(), section, key, kMissing, buffer, sizeof buffer);
    const int found = std::strcmp(buffer, kMissing) != 0;
    it = cached.values.emplace(std::move(id), std::make_pair(found, std::string(found ? buffer : ""))).first;
  }
  *value = it->second.second;
  return it->second.first;
}

}  // namespace

int IniReadString(const char* section, const char* key, const char* def,
                  char* out, int outSize, const char* file) {
  char path[1024], folder[1024];
  if (!file || !ResolveIni(file, path, sizeof path, folder, sizeof folder))
    return IniTextReadString(nullptr, 0, section, key, def, out, outSize);
  const std::string* text = nullptr;
  std::string value;
  if (!section || !key || !LookUp(path, section, key, &text, &value))  // the default
    return IniTextReadString(nullptr, 0, section, key, def, out, outSize);
  if (value.size() >= (std::size_t)kRememberedValue)  // perhaps cut: read it whole
    return IniTextReadString(text->data(), text->size(), section, key, def, out, outSize);
  if (outSize <= 0) return 0;
  const std::size_t n = std::min(value.size(), (std::size_t)outSize - 1);
  std::memcpy(out, value.data(), n);
  out[n] = '\0';
  return (int)n;
}

int IniReadInt(const char* section, const char* key, int def, const char* file) {
  char path[1024], folder[1024];
  if (!file || !ResolveIni(file, path, sizeof path, folder, sizeof folder)) return def;
  const std::string* text = nullptr;
  std::string value;
  if (!section || !key || !LookUp(path, section, key, &text, &value)) return def;
  if (value.empty()) return def;
  return IniTextToInt(value.substr(0, 29).c_str());
}

int IniWriteString(const char* section, const char* key, const char* value,
                   const char* file) {
  char path[1024], folder[1024];
  if (!file || !ResolveIni(file, path, sizeof path, folder, sizeof folder)) return 0;
  if (folder[0] && !MakeFolders(folder)) return 0;
  FileCache().erase(path);  // read afresh next time, held or not
  return IniFileWriteString(path, section, key, value);
}

void IniHoldFiles(int hold) {
  gHeld += hold ? 1 : -1;
  if (gHeld < 0) gHeld = 0;
  if (gHeld == 0)
    for (auto& entry : FileCache()) entry.second.held = 0;
}
