// File replacement on POSIX: fsync, then rename(2), which replaces the
// target in one step.
#include <stdio.h>
#include <unistd.h>

#include "platform/system.h"

int SystemSyncFile(std::FILE* file) { return fsync(fileno(file)) == 0 ? 1 : 0; }

int SystemRenameOver(const char* from, const char* to) { return rename(from, to) == 0 ? 1 : 0; }
