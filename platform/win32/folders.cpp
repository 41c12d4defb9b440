// Folders on Windows: settings in %APPDATA%\Tavlon (made on first use and
// filled once from where older installs kept them), documents in the
// shell's personal folder.
#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <string>

#include "platform/datafile.h"
#include "platform/folders.h"
#include "platform/system.h"

namespace {

constexpr const char* kSettingsFileNames[] = {"exportcal.ini", "daylight.ini",
                                              "exportcalshab.ini"};

bool FileExists(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The older homes of the settings files, most recent view first: the
// per-user copy that file virtualisation kept for a 32-bit program
// (%LOCALAPPDATA%\VirtualStore and the Windows directory's path without
// its drive; reads there saw this copy first), then the Windows directory.
int OlderSettingsFolders(std::string older[2]) {
  char windows[MAX_PATH];
  UINT n = GetWindowsDirectoryA(windows, sizeof windows);
  if (n == 0 || n >= sizeof windows) return 0;
  int count = 0;
  char local[MAX_PATH];
  const char* rest = std::strchr(windows, ':');
  if (rest && SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr,
                                         SHGFP_TYPE_CURRENT, local)))
    older[count++] = std::string(local) + "\\VirtualStore" + (rest + 1);
  older[count++] = windows;
  return count;
}

// %APPDATA%\Tavlon, created when missing, with the older settings copied
// in on its first use. Returns 1, or 0 when it cannot be resolved.
int ResolveSettingsFolder(std::string* out) {
  char appData[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData)))
    return 0;
  std::string folder = std::string(appData) + "\\Tavlon";
  // A folder that cannot be made is reported at the first write that fails.
  CreateDirectoryA(folder.c_str(), nullptr);
  std::string older[2];
  int count = OlderSettingsFolders(older);
  const char* olderPaths[2] = {older[0].c_str(), older[1].c_str()};
  CopyOlderSettings(folder.c_str(), olderPaths, count);
  *out = folder;
  return 1;
}

}  // namespace

int CopyOlderSettings(const char* folder, const char* const olderFolders[], int olderCount) {
  char target[MAX_PATH];
  for (const char* name : kSettingsFileNames)
    if (PathJoin(folder, name, target, sizeof target) && FileExists(target)) return 0;
  int copied = 0;
  for (const char* name : kSettingsFileNames) {
    if (!PathJoin(folder, name, target, sizeof target)) continue;
    for (int i = 0; i < olderCount; ++i) {
      char source[MAX_PATH];
      if (!PathJoin(olderFolders[i], name, source, sizeof source) || !FileExists(source)) continue;
      // A copy, never a move: an older install may still read its files.
      if (CopyFileA(source, target, TRUE)) ++copied;
      break;
    }
  }
  return copied;
}

int SystemSettingsFolder(char* out, int outSize) {
  // Resolved once a process: the settings are read thousands of times in
  // an export.
  static std::string folder;
  if (folder.empty() && !ResolveSettingsFolder(&folder)) return ClearText(out, outSize);
  return CopyText(folder.c_str(), out, outSize);
}

int SystemDocumentsFolder(char* out, int outSize) {
  char path[MAX_PATH];
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)))
    return ClearText(out, outSize);
  return CopyText(path, out, outSize);
}

int TempFolder(char* out, int outSize) {
  char path[MAX_PATH + 1];
  DWORD n = GetTempPathA(sizeof path, path);
  if (n == 0 || n >= sizeof path) return ClearText(out, outSize);
  return CopyText(path, out, outSize);
}
