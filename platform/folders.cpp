// The settings and documents folders, with the overrides of the command line
// and the tests in front of the system's own.
#include "platform/folders.h"

#include <string>

#include "platform/system.h"

namespace {

std::string g_settingsOverride;
std::string g_documentsOverride;

}  // namespace

int SettingsFolder(char* out, int outSize) {
  if (!g_settingsOverride.empty()) return CopyText(g_settingsOverride.c_str(), out, outSize);
  return SystemSettingsFolder(out, outSize);
}

int DocumentsFolder(char* out, int outSize) {
  if (!g_documentsOverride.empty()) return CopyText(g_documentsOverride.c_str(), out, outSize);
  return SystemDocumentsFolder(out, outSize);
}

void SetSettingsFolderOverride(const char* dir) { g_settingsOverride = dir ? dir : ""; }

void SetDocumentsFolderOverride(const char* dir) { g_documentsOverride = dir ? dir : ""; }
