// Helpers for the binary data files in the documents folder and a safe
// way to replace a file.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

// The full path of a data file: the documents folder, a separator unless
// the folder is empty or already ends in one, and `fileName`; the bare
// name when the folder cannot be resolved. Returns 1, or 0 when the path
// does not fit in outSize (out = "").
int DataFilePath(const char* fileName, char* out, int outSize);

// `folder`, a separator unless it is empty or already ends in one, and
// `name`. Returns 1, or 0 when the path does not fit in outSize (out = "").
int PathJoin(const char* folder, const char* name, char* out, int outSize);

// One 32-bit integer as 4 bytes, least significant first. A failed or
// short read gives 0; a write returns 1, or 0 on failure.
std::int32_t ReadFileInt32(std::FILE* file);
int WriteFileInt32(std::FILE* file, std::int32_t value);

// A file saved safely. A regular file (or a new one) is written to a
// temporary file created exclusively, under an unpredictable name, beside
// it and renamed over it only when every byte is written, flushed and
// closed: a failure leaves the old file whole. A symbolic link is
// followed and its target saved the same way, so the link stays. A FIFO,
// a device or the stream name "-" is written directly as a stream. A
// folder is refused.
struct AtomicFile {
  std::FILE* file;
  char target[1024];     // the file finally written (a link's target)
  char temporary[1040];  // "" when the target is written directly
  int ok;                // 0 after any failed write: Commit then fails
  int direct;            // 1: a stream, written in place
  int ownsFile;          // 0: the stream of "-", flushed but never closed
};

// The path that names the output stream instead of a file.
inline constexpr char kStreamPath[] = "-";
// The stream that "-" writes to; nullptr restores standard output.
void SetOutputStream(std::FILE* stream);

// The system's reason for the last save that failed ("Permission denied",
// "Is a directory", ...); "" before any failure.
const char* SaveFailureReason();

// Tests: while `reason` is set, every save fails at its start with that
// reason, as a full disk or a refused folder would; nullptr ends it.
void SetSaveFailure(const char* reason);

// Opens the save of `path`. Returns 1, or 0 (see SaveFailureReason).
int AtomicFileBegin(AtomicFile* af, const char* path);
// Returns 1, or 0 (and the file is marked failed).
int AtomicFileWrite(AtomicFile* af, const void* data, std::size_t size);
// Flushes, closes and renames over the target. Returns 1, or 0 after
// removing the temporary file (the target is untouched).
int AtomicFileCommit(AtomicFile* af);
// Closes and removes the temporary file; the target is untouched (a
// stream keeps what was written to it).
void AtomicFileAbort(AtomicFile* af);

// Whole-file convenience over the calls above. Returns 1, or 0.
int WriteFileAtomically(const char* path, const void* data, std::size_t size);

// Reads the whole file at `path` into `bytes`. Returns 1; 0 when it does
// not exist; -1 when it exists but cannot be opened; -2 when a read fails
// (the bytes read so far are kept).
int ReadWholeFile(const char* path, std::vector<unsigned char>* bytes);

// Keeps the file at `path` as it is now beside it, as path + ".bak", before
// a damaged data file is written over. Returns 1 (also when there is no
// file to keep), or 0 when it could not be read or the copy not written.
int KeepBackupCopy(const char* path);

// Replaces a data file with `bytes`. When *damaged is set (the file did not
// load cleanly) it is first kept as path + ".bak" and *damaged cleared;
// without that copy nothing is written. Returns 1, or 0 (the old file
// whole) for the caller to report.
int SaveDataFile(const char* path, const std::vector<unsigned char>& bytes, int* damaged);
