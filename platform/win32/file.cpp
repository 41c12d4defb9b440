// Saving a file on Windows: a symbolic link followed to its target, a
// temporary file made with CREATE_NEW under a random name beside it, the
// C runtime's commit to disk, then a move that replaces the target and
// returns only when it is on the disk; devices and pipes written in place.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "platform/datafile.h"
#include "platform/system.h"

namespace {

int Failed(DWORD error, char* reason, int reasonSize) {
  char text[256] = "";
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                 error, 0, text, sizeof text, nullptr);
  std::size_t length = n;
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' ' ||
                        text[length - 1] == '.'))
    --length;
  text[length] = '\0';
  if (length == 0) std::snprintf(text, sizeof text, "system error %lu", (unsigned long)error);
  CopyText(text, reason, reasonSize);
  return 0;
}

// A stream over an open handle. Returns nullptr (the handle closed) on failure.
std::FILE* StreamOf(HANDLE handle) {
  const int fd = _open_osfhandle((intptr_t)handle, _O_BINARY | _O_WRONLY);
  if (fd < 0) {
    CloseHandle(handle);
    return nullptr;
  }
  std::FILE* file = _fdopen(fd, "wb");
  if (!file) _close(fd);
  return file;
}

// The path a link at `path` finally names, through an open handle.
int FinalPath(HANDLE handle, std::string* path) {
  char buffer[1100];
  const DWORD n = GetFinalPathNameByHandleA(handle, buffer, sizeof buffer, FILE_NAME_NORMALIZED);
  if (n == 0 || n >= sizeof buffer) return 0;
  *path = buffer;
  // "\\?\C:\..." is a drive path that the ordinary calls take as it is.
  if (path->rfind("\\\\?\\UNC\\", 0) == 0) *path = "\\\\" + path->substr(8);
  else if (path->rfind("\\\\?\\", 0) == 0 && path->size() > 6 && (*path)[5] == ':') *path = path->substr(4);
  return 1;
}

}  // namespace

int SystemSaveOpen(const char* path, AtomicFile* af, char* reason, int reasonSize) {
  std::string target = path;
  // What is there now, with links followed (no access asked: it works on
  // folders, devices and files in use alike).
  HANDLE probe = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  int exists = probe != INVALID_HANDLE_VALUE;
  if (!exists) {
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND) return Failed(error, reason, reasonSize);
  } else {
    const DWORD type = GetFileType(probe);
    BY_HANDLE_FILE_INFORMATION info{};
    const int isFolder = type == FILE_TYPE_DISK && GetFileInformationByHandle(probe, &info) &&
                         (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    const DWORD attributes = GetFileAttributesA(path);
    if (type == FILE_TYPE_DISK && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_REPARSE_POINT) && !FinalPath(probe, &target)) {
      const DWORD error = GetLastError();
      CloseHandle(probe);
      return Failed(error, reason, reasonSize);
    }
    CloseHandle(probe);
    if (isFolder) return Failed(ERROR_DIRECTORY, reason, reasonSize);
    if (type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE) {
      // NUL, CON, a named pipe: written as the stream it is.
      HANDLE handle = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
      if (handle == INVALID_HANDLE_VALUE) return Failed(GetLastError(), reason, reasonSize);
      af->file = StreamOf(handle);
      if (!af->file) return Failed(ERROR_INVALID_HANDLE, reason, reasonSize);
      af->direct = 1;
      return 1;
    }
  }
  if (!CopyText(target.c_str(), af->target, sizeof af->target))
    return Failed(ERROR_FILENAME_EXCED_RANGE, reason, reasonSize);
  const std::size_t slash = target.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string suffix;
    for (int i = 0; i < 8; ++i) suffix += kLetters[random() % (sizeof kLetters - 1)];
    const std::string name = folder + "." + base + "." + suffix + ".tmp";
    if (!CopyText(name.c_str(), af->temporary, sizeof af->temporary))
      return Failed(ERROR_FILENAME_EXCED_RANGE, reason, reasonSize);
    HANDLE handle = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      af->temporary[0] = '\0';
      return Failed(error, reason, reasonSize);
    }
    af->file = StreamOf(handle);
    if (!af->file) {
      DeleteFileA(name.c_str());
      af->temporary[0] = '\0';
      return Failed(ERROR_INVALID_HANDLE, reason, reasonSize);
    }
    return 1;
  }
  af->temporary[0] = '\0';
  return Failed(ERROR_FILE_EXISTS, reason, reasonSize);
}

std::FILE* SystemBinaryStream(std::FILE* stream) {
  _setmode(_fileno(stream), _O_BINARY);
  return stream;
}

int SystemSyncFile(std::FILE* file) { return _commit(_fileno(file)) == 0 ? 1 : 0; }

int SystemRenameOver(const char* from, const char* to) {
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ? 1 : 0;
}

void SystemErrorText(int fromRuntime, char* out, int outSize) {
  if (fromRuntime) CopyText(std::strerror(errno), out, outSize);
  else Failed(GetLastError(), out, outSize);
}
