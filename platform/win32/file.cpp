// File replacement on Windows: the C runtime's commit to disk, then a move
// that replaces the target and returns only when it is on the disk.
#include <windows.h>
#include <io.h>

#include <cstdio>

#include "platform/system.h"

int SystemSyncFile(std::FILE* file) { return _commit(_fileno(file)) == 0 ? 1 : 0; }

int SystemRenameOver(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 1 : 0;
}
