// Data file paths, 32-bit integers on files, and the atomic file replace.
#include "platform/datafile.h"

#include <cerrno>
#include <string>

#include <cstring>

#include "platform/folders.h"
#include "platform/system.h"

int PathJoin(const char* folder, const char* name, char* out, int outSize) {
  if (!out || outSize <= 0) return 0;
  out[0] = '\0';
  std::size_t folderLength = std::strlen(folder);
  std::size_t nameLength = std::strlen(name);
  bool separator = folderLength > 0 && folder[folderLength - 1] != kPathSeparator;
  std::size_t total = folderLength + (separator ? 1 : 0) + nameLength;
  if (total >= static_cast<std::size_t>(outSize)) return 0;
  std::memcpy(out, folder, folderLength);
  if (separator) out[folderLength] = kPathSeparator;
  std::memcpy(out + total - nameLength, name, nameLength + 1);
  return 1;
}

int DataFilePath(const char* fileName, char* out, int outSize) {
  if (!out || outSize <= 0) return 0;
  char folder[1024];
  if (!DocumentsFolder(folder, sizeof folder)) folder[0] = '\0';  // the bare name
  return PathJoin(folder, fileName, out, outSize);
}

std::int32_t ReadFileInt32(std::FILE* file) {
  unsigned char b[4];
  if (!file || std::fread(b, 1, 4, file) != 4) return 0;
  std::uint32_t v = std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
                    std::uint32_t{b[3]} << 24;
  return static_cast<std::int32_t>(v);
}

int WriteFileInt32(std::FILE* file, std::int32_t value) {
  std::uint32_t v = static_cast<std::uint32_t>(value);
  unsigned char b[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                        static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
  return file && std::fwrite(b, 1, 4, file) == 4 ? 1 : 0;
}

namespace {

std::FILE* outputStream = nullptr;  // nullptr: standard output
char failureReason[160] = "";
const char* forcedFailure = nullptr;  // tests: every save fails so

// Records the reason of a failure the system just reported.
void NoteFailure(int fromRuntime) {
  SystemErrorText(fromRuntime, failureReason, sizeof failureReason);
  if (!failureReason[0]) CopyText("unknown error", failureReason, sizeof failureReason);
}

}  // namespace

void SetOutputStream(std::FILE* stream) { outputStream = stream; }

const char* SaveFailureReason() { return failureReason; }

void SetSaveFailure(const char* reason) { forcedFailure = reason; }

int AtomicFileBegin(AtomicFile* af, const char* path) {
  af->file = nullptr;
  af->ok = 0;
  af->direct = 0;
  af->ownsFile = 1;
  af->target[0] = '\0';
  af->temporary[0] = '\0';
  if (!path || !CopyText(path, af->target, sizeof af->target)) {
    CopyText("File name too long", failureReason, sizeof failureReason);
    return 0;
  }
  if (forcedFailure) {
    CopyText(forcedFailure, failureReason, sizeof failureReason);
    return 0;
  }
  if (std::strcmp(path, kStreamPath) == 0) {
    af->file = SystemBinaryStream(outputStream ? outputStream : stdout);
    af->direct = 1;
    af->ownsFile = 0;
  } else if (!SystemSaveOpen(path, af, failureReason, sizeof failureReason)) {
    af->file = nullptr;
    return 0;
  }
  af->ok = 1;
  return 1;
}

int AtomicFileWrite(AtomicFile* af, const void* data, std::size_t size) {
  if (!af->file || !af->ok) return 0;
  if (size > 0 && std::fwrite(data, 1, size, af->file) != size) {
    NoteFailure(1);
    af->ok = 0;
  }
  return af->ok;
}

int AtomicFileCommit(AtomicFile* af) {
  if (!af->file) return 0;
  int ok = af->ok;
  if (std::fflush(af->file) != 0) {
    if (ok) NoteFailure(1);
    ok = 0;
  }
  // A stream cannot be synced (a pipe refuses it) and is never renamed.
  if (ok && !af->direct && !SystemSyncFile(af->file)) {
    NoteFailure(1);
    ok = 0;
  }
  if (af->ownsFile && std::fclose(af->file) != 0 && ok) {
    NoteFailure(1);
    ok = 0;
  }
  af->file = nullptr;
  af->ok = 0;
  if (af->direct) return ok;
  if (ok && SystemRenameOver(af->temporary, af->target)) return 1;
  if (ok) NoteFailure(0);
  std::remove(af->temporary);
  return 0;
}

void AtomicFileAbort(AtomicFile* af) {
  if (!af->file) return;
  if (af->ownsFile) std::fclose(af->file);
  else std::fflush(af->file);
  af->file = nullptr;
  af->ok = 0;
  if (!af->direct) std::remove(af->temporary);
}

int WriteFileAtomically(const char* path, const void* data, std::size_t size) {
  AtomicFile af;
  if (!AtomicFileBegin(&af, path)) return 0;
  AtomicFileWrite(&af, data, size);
  return AtomicFileCommit(&af);
}

int ReadWholeFile(const char* path, std::vector<unsigned char>* bytes) {
  bytes->clear();
  errno = 0;
  std::FILE* f = std::fopen(path, "rb");
  if (!f) return errno == ENOENT ? 0 : -1;
  unsigned char chunk[4096];
  std::size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes->insert(bytes->end(), chunk, chunk + n);
  const int result = std::ferror(f) ? -2 : 1;
  std::fclose(f);
  return result;
}

int KeepBackupCopy(const char* path) {
  std::vector<unsigned char> old;
  const int read = ReadWholeFile(path, &old);
  if (read == 0) return 1;
  if (read < 0) return 0;
  const std::string backup = std::string(path) + ".bak";
  return WriteFileAtomically(backup.c_str(), old.data(), old.size());
}

int SaveDataFile(const char* path, const std::vector<unsigned char>& bytes, int* damaged) {
  if (*damaged) {
    if (!KeepBackupCopy(path)) return 0;
    *damaged = 0;
  }
  return WriteFileAtomically(path, bytes.data(), bytes.size());
}
