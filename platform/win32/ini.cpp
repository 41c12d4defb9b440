// Settings files on Windows: the system's private-profile functions. A bare
// name goes to them as it is (they keep it in the Windows directory) unless
// a settings folder is set, which then holds it.
#include <windows.h>

#include <cstring>

#include "platform/datafile.h"
#include "platform/folders.h"
#include "platform/ini.h"
#include "platform/posix/ini_file.h"
#include "platform/system.h"

namespace {

// The name to hand to the profile API. Returns 1, or 0 when it does not fit.
int ResolveIni(const char* file, char* path, int pathSize) {
  char folder[MAX_PATH];
  if (std::strpbrk(file, "\\/:")) return CopyText(file, path, pathSize);
  if (!SettingsFolder(folder, sizeof folder)) return 0;
  if (!folder[0]) return CopyText(file, path, pathSize);
  return PathJoin(folder, file, path, pathSize);
}

}  // namespace

int IniReadString(const char* section, const char* key, const char* def,
                  char* out, int outSize, const char* file) {
  char path[MAX_PATH];
  if (!out || outSize <= 0) return 0;
  if (!file || !ResolveIni(file, path, sizeof path))  // as a missing file
    return IniTextReadString(nullptr, 0, section, key, def, out, outSize);
  return static_cast<int>(GetPrivateProfileStringA(section, key, def, out,
                                                   static_cast<DWORD>(outSize), path));
}

int IniReadInt(const char* section, const char* key, int def, const char* file) {
  char path[MAX_PATH];
  if (!file || !ResolveIni(file, path, sizeof path)) return def;
  return static_cast<int>(GetPrivateProfileIntA(section, key, def, path));
}

int IniWriteString(const char* section, const char* key, const char* value,
                   const char* file) {
  char path[MAX_PATH];
  // A null key would remove the whole section here; ours does not do that.
  if (!section || !key) return 0;
  if (!file || !ResolveIni(file, path, sizeof path)) return 0;
  return WritePrivateProfileStringA(section, key, value, path) ? 1 : 0;
}

void IniHoldFiles(int) {}  // the profile API keeps its own cache of the files
