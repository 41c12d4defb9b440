// The embedded help document and the path it is written to.
#include "shell/help_page.h"

#include <cstring>

extern const char kHelpText[];  // resources/help.htm, byte for byte
extern const unsigned kHelpTextSize;

const char* HelpPageText() { return kHelpText; }

std::size_t HelpPageLength() { return kHelpTextSize; }

int HelpPagePath(const char* tempFolder, char* out, int outSize) {
  if (!out || outSize <= 0) return 0;
  std::size_t folder = std::strlen(tempFolder);
  int separator = folder > 0 && tempFolder[folder - 1] != '\\';
  std::size_t need = folder + separator + sizeof kHelpFileName;  // with the NUL
  if (need > static_cast<std::size_t>(outSize)) {
    out[0] = '\0';
    return 0;
  }
  std::memcpy(out, tempFolder, folder);
  if (separator) out[folder] = '\\';
  std::memcpy(out + folder + separator, kHelpFileName, sizeof kHelpFileName);
  return 1;
}
