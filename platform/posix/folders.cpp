// Folders on POSIX, after the XDG base and user directory conventions:
// settings in $XDG_CONFIG_HOME/tavlon (default ~/.config/tavlon), documents
// in $XDG_DOCUMENTS_DIR or the user-dirs.dirs entry (default ~/Documents),
// temporary files in $TMPDIR (default /tmp).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/datafile.h"
#include "platform/folders.h"
#include "platform/system.h"

namespace {

// An environment variable that holds an absolute path; XDG asks to ignore
// relative ones.
const char* AbsoluteEnv(const char* name) {
  const char* v = std::getenv(name);
  return v && v[0] == '/' ? v : nullptr;
}

// The XDG configuration folder. Returns 1, or 0 without a home.
int ConfigHome(std::string* out) {
  if (const char* config = AbsoluteEnv("XDG_CONFIG_HOME")) {
    *out = config;
    return 1;
  }
  const char* home = AbsoluteEnv("HOME");
  if (!home) return 0;
  *out = std::string(home) + "/.config";
  return 1;
}

// The XDG_DOCUMENTS_DIR entry of user-dirs.dirs, a line such as
//   XDG_DOCUMENTS_DIR="$HOME/Documents"
// with the path either absolute or under $HOME. Returns 1, or 0.
int UserDirsDocuments(std::string* out) {
  std::string config;
  if (!ConfigHome(&config)) return 0;
  std::FILE* f = std::fopen((config + "/user-dirs.dirs").c_str(), "r");
  if (!f) return 0;
  static constexpr char kName[] = "XDG_DOCUMENTS_DIR";
  char line[4096];
  int found = 0;
  while (!found && std::fgets(line, sizeof line, f)) {
    const char* p = line;
    while (*p == ' ' || *p == '\t') ++p;
    if (std::strncmp(p, kName, sizeof kName - 1) != 0) continue;
    p += sizeof kName - 1;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p++ != '=') continue;
    while (*p == ' ' || *p == '\t') ++p;
    if (*p++ != '"') continue;
    std::string path;
    for (; *p && *p != '"' && *p != '\n'; ++p) {
      if (*p == '\\' && p[1]) ++p;  // an escaped character stands for itself
      path += *p;
    }
    if (*p != '"') continue;
    if (path.compare(0, 5, "$HOME") == 0 && (path.size() == 5 || path[5] == '/')) {
      const char* home = AbsoluteEnv("HOME");
      if (!home) continue;
      path = std::string(home) + path.substr(5);
    }
    if (path.empty() || path[0] != '/') continue;
    *out = path;
    found = 1;
  }
  std::fclose(f);
  return found;
}

}  // namespace

int SystemSettingsFolder(char* out, int outSize) {
  std::string config;
  if (!ConfigHome(&config)) return ClearText(out, outSize);
  return CopyText((config + "/tavlon").c_str(), out, outSize);
}

int SystemDocumentsFolder(char* out, int outSize) {
  std::string documents;
  if (const char* env = AbsoluteEnv("XDG_DOCUMENTS_DIR")) {
    documents = env;
  } else if (!UserDirsDocuments(&documents)) {
    const char* home = AbsoluteEnv("HOME");
    if (!home) return ClearText(out, outSize);
    documents = std::string(home) + "/Documents";
  }
  return CopyText(documents.c_str(), out, outSize);
}

int TempFolder(char* out, int outSize) {
  const char* tmp = std::getenv("TMPDIR");
  return CopyText(tmp && tmp[0] ? tmp : "/tmp", out, outSize);
}
