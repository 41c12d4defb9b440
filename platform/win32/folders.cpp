// Folders on Windows: settings go by bare name to the profile API, which
// keeps them in the Windows directory; documents are the shell's personal
// folder.
#include <windows.h>
#include <shlobj.h>

#include "platform/folders.h"
#include "platform/system.h"

int SystemSettingsFolder(char* out, int outSize) { return CopyText("", out, outSize); }

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
