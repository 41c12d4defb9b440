// Settings files on Windows: the system's private-profile functions, always
// given a full path (a bare name would land in the Windows directory, which
// a normal user cannot write). A bare name lives in the settings folder.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>

#include "platform/datafile.h"
#include "platform/folders.h"
#include "platform/ini.h"
#include "platform/message.h"
#include "platform/posix/ini_file.h"
#include "platform/system.h"

namespace {

bool IsBareName(const char* file) { return !std::strpbrk(file, "\\/:"); }

// The full path to hand to the profile API, and the folder of a bare name.
// Returns 1, or 0 when the folder is unknown or the path does not fit.
int ResolveIni(const char* file, char* path, int pathSize, char* folder, int folderSize) {
  folder[0] = '\0';
  if (!IsBareName(file)) return CopyText(file, path, pathSize);
  if (!SettingsFolder(folder, folderSize) || !folder[0]) return 0;
  return PathJoin(folder, file, path, pathSize);
}

// Settings that cannot be written are shown once (for each folder), naming
// the file: every later change would be lost just as silently, and one box
// per key or per dialog would say nothing new.
void ReportUnwritableFolder(const char* folder, const char* path, DWORD error) {
  static std::string reported;
  static bool any = false;
  if (any && reported == folder) return;
  any = true;
  reported = folder;
  char text[2 * MAX_PATH + 160];
  std::snprintf(text, sizeof text,
                "The settings cannot be saved to %s, error code %d. "
                "Settings changed now are not kept.",
                path[0] ? path : "%APPDATA%\\Tavlon", static_cast<int>(error));
  ShowMessage(text, "Error", MessageIconError);
}

// While the files are held (one export run), what each read gave: a run
// reads the same few keys tens of thousands of times, and every profile
// call opens and parses the file. Keyed by kind, path, section, key and
// default, since the profile API cannot tell a missing key from its
// default. Any write forgets it all.
int gHeld = 0;
std::unordered_map<std::string, std::string> gRemembered;

std::string HeldKey(char kind, const char* path, const char* section, const char* key,
                    const char* def) {
  std::string k(1, kind);
  for (const char* part : {path, section, key, def ? def : ""}) {
    k += part;
    k += '\0';
  }
  return k;
}

constexpr int kHeldValueSize = 4096;  // longer buffers bypass the memory

}  // namespace

int IniReadString(const char* section, const char* key, const char* def,
                  char* out, int outSize, const char* file) {
  char path[MAX_PATH];
  char folder[MAX_PATH];
  if (!out || outSize <= 0) return 0;
  if (!file || !ResolveIni(file, path, sizeof path, folder, sizeof folder))  // as a missing file
    return IniTextReadString(nullptr, 0, section, key, def, out, outSize);
  if (!gHeld || !section || !key || outSize > kHeldValueSize)
    return static_cast<int>(GetPrivateProfileStringA(section, key, def, out,
                                                     static_cast<DWORD>(outSize), path));
  const std::string held = HeldKey('S', path, section, key, def);
  auto found = gRemembered.find(held);
  if (found == gRemembered.end()) {
    char value[kHeldValueSize];
    DWORD n = GetPrivateProfileStringA(section, key, def, value, sizeof value, path);
    found = gRemembered.emplace(held, std::string(value, n)).first;
  }
  // As the API does: at most outSize - 1 characters and the NUL.
  const int n = static_cast<int>(found->second.size()) < outSize
                    ? static_cast<int>(found->second.size())
                    : outSize - 1;
  std::memcpy(out, found->second.data(), static_cast<std::size_t>(n));
  out[n] = '\0';
  return n;
}

int IniReadInt(const char* section, const char* key, int def, const char* file) {
  char path[MAX_PATH];
  char folder[MAX_PATH];
  if (!file || !ResolveIni(file, path, sizeof path, folder, sizeof folder)) return def;
  if (!gHeld || !section || !key)
    return static_cast<int>(GetPrivateProfileIntA(section, key, def, path));
  const std::string held = HeldKey('I', path, section, key, std::to_string(def).c_str());
  auto found = gRemembered.find(held);
  if (found == gRemembered.end()) {
    int value = static_cast<int>(GetPrivateProfileIntA(section, key, def, path));
    found = gRemembered.emplace(held, std::to_string(value)).first;
  }
  return std::atoi(found->second.c_str());
}

int IniWriteString(const char* section, const char* key, const char* value,
                   const char* file) {
  char path[MAX_PATH];
  char folder[MAX_PATH];
  // A null key would remove the whole section here; ours does not do that.
  if (!section || !key || !file) return 0;
  gRemembered.clear();  // a held read must see every write
  if (!ResolveIni(file, path, sizeof path, folder, sizeof folder)) {
    if (IsBareName(file)) ReportUnwritableFolder(folder, "", ERROR_PATH_NOT_FOUND);
    return 0;
  }
  if (WritePrivateProfileStringA(section, key, value, path)) return 1;
  if (IsBareName(file)) ReportUnwritableFolder(folder, path, GetLastError());
  return 0;
}

void IniHoldFiles(int hold) {
  gHeld += hold ? 1 : -1;
  if (gHeld <= 0) {
    gHeld = 0;
    gRemembered.clear();  // other programs' changes are seen again
  }
}
