// Settings files on POSIX: our own INI code, with bare names found in the
// settings folder, which a write creates.
#include <errno.h>
#include <sys/stat.h>

#include <cstring>

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

}  // namespace

int IniReadString(const char* section, const char* key, const char* def,
                  char* out, int outSize, const char* file) {
  char path[1024], folder[1024];
  if (!file || !ResolveIni(file, path, sizeof path, folder, sizeof folder))
    return IniTextReadString(nullptr, 0, section, key, def, out, outSize);
  return IniFileReadString(path, section, key, def, out, outSize);
}

int IniReadInt(const char* section, const char* key, int def, const char* file) {
  char path[1024], folder[1024];
  if (!file || !ResolveIni(file, path, sizeof path, folder, sizeof folder)) return def;
  return IniFileReadInt(path, section, key, def);
}

int IniWriteString(const char* section, const char* key, const char* value,
                   const char* file) {
  char path[1024], folder[1024];
  if (!file || !ResolveIni(file, path, sizeof path, folder, sizeof folder)) return 0;
  if (folder[0] && !MakeFolders(folder)) return 0;
  return IniFileWriteString(path, section, key, value);
}
