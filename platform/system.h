// What the system glue of each build (platform/win32/, platform/posix/)
// provides to the portable platform code, which adds the test overrides.
// Not for use outside platform/.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/clock.h"
#include "platform/message.h"

void SystemLocalNow(ClockTime* out);
void SystemUtcNow(ClockTime* out);
std::uint32_t SystemTickCount();

int SystemShowMessage(const char* text, const char* title, MessageIcon icon);

// The platform's own folders, as SettingsFolder and DocumentsFolder
// describe them when no override is set.
int SystemSettingsFolder(char* out, int outSize);
int SystemDocumentsFolder(char* out, int outSize);

// How a save reaches the file at `path` (see AtomicFile). Follows
// symbolic links into af->target; for a regular or missing file creates
// an exclusive temporary file beside it (af->temporary, with the old
// file's permissions); for a FIFO or a device opens it for writing
// (af->direct). Sets af->file. Returns 1, or 0 with the reason in
// `reason` (nothing created).
int SystemSaveOpen(const char* path, struct AtomicFile* af, char* reason, int reasonSize);
// Makes a stream binary (no line-end translation). Returns it.
std::FILE* SystemBinaryStream(std::FILE* stream);
// Pushes a flushed file's data to the disk. Returns 1, or 0.
int SystemSyncFile(std::FILE* file);
// Renames `from` to `to`, replacing `to` if it exists. Returns 1, or 0.
int SystemRenameOver(const char* from, const char* to);
// The system's text for the error of the last failed call: of the C
// library (`fromRuntime`, errno) or of the system itself.
void SystemErrorText(int fromRuntime, char* out, int outSize);

// Copies `text` into out[0..outSize-1]. Returns 1, or 0 when it does not
// fit (out = "" when there is room for that).
inline int CopyText(const char* text, char* out, int outSize) {
  if (!out || outSize <= 0) return 0;
  std::size_t n = std::strlen(text);
  if (n >= static_cast<std::size_t>(outSize)) {
    out[0] = '\0';
    return 0;
  }
  std::memcpy(out, text, n + 1);
  return 1;
}

// Empties out (when it has room) and returns 0: the result of a folder or
// path that cannot be resolved.
inline int ClearText(char* out, int outSize) {
  if (out && outSize > 0) out[0] = '\0';
  return 0;
}
