// Saving a file on POSIX: symbolic links followed to their target, a
// temporary file made with O_EXCL and O_NOFOLLOW under a random name
// beside it, fsync, then rename(2), which replaces the target in one
// step; FIFOs and devices written in place.
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>
#include <string>

#include "platform/datafile.h"
#include "platform/system.h"

namespace {

constexpr int kMostLinks = 40;  // as the kernel's own limit on a path

int Failed(int error, char* reason, int reasonSize) {
  CopyText(strerror(error), reason, reasonSize);
  return 0;
}

// The folder part of `path` with its final slash ("" for a bare name).
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Follows the links at the end of `path` to the file they name, which
// need not exist yet. Returns 0 (errno) for a loop or a failing lookup.
int FollowLinks(std::string* path) {
  for (int hops = 0; hops <= kMostLinks; ++hops) {
    struct stat st;
    if (lstat(path->c_str(), &st) != 0) return errno == ENOENT ? 1 : 0;
    if (!S_ISLNK(st.st_mode)) return 1;
    char link[4096];
    const ssize_t n = readlink(path->c_str(), link, sizeof link - 1);
    if (n < 0) return 0;
    link[n] = '\0';
    *path = link[0] == '/' ? std::string(link) : FolderOf(*path) + link;
  }
  errno = ELOOP;
  return 0;
}

// Creates a new file beside `target` with a name no one can guess.
// Returns the descriptor, or -1 (errno).
int CreateTemporary(const std::string& target, mode_t mode, std::string* name) {
  static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  const std::size_t slash = target.rfind('/');
  const std::string folder = FolderOf(target);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string suffix;
    for (int i = 0; i < 8; ++i) suffix += kLetters[random() % (sizeof kLetters - 1)];
    *name = folder + "." + base + "." + suffix + ".tmp";
    const int fd = open(name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

int SystemSaveOpen(const char* path, AtomicFile* af, char* reason, int reasonSize) {
  // What is there, links followed by the system (also /dev/stdout and the
  // other links of /proc, which name no path).
  struct stat st;
  const int exists = stat(path, &st) == 0;
  if (!exists && errno != ENOENT) return Failed(errno, reason, reasonSize);
  if (exists && S_ISDIR(st.st_mode)) return Failed(EISDIR, reason, reasonSize);
  if (exists && !S_ISREG(st.st_mode)) {
    // A FIFO, a terminal, /dev/null: written as the stream it is.
    const int fd = open(path, O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return Failed(errno, reason, reasonSize);
    af->file = fdopen(fd, "wb");
    if (!af->file) {
      const int error = errno;
      close(fd);
      return Failed(error, reason, reasonSize);
    }
    af->direct = 1;
    return 1;
  }
  // A file, or none yet: the new one goes where the links end.
  std::string target = path;
  if (!FollowLinks(&target)) return Failed(errno, reason, reasonSize);
  if (!CopyText(target.c_str(), af->target, sizeof af->target))
    return Failed(ENAMETOOLONG, reason, reasonSize);
  // A replaced file keeps its permissions; a new one gets the usual ones.
  const mode_t mode = exists ? (st.st_mode & 07777) : 0666;
  std::string temporary;
  const int fd = CreateTemporary(target, mode, &temporary);
  if (fd < 0) return Failed(errno, reason, reasonSize);
  if (!CopyText(temporary.c_str(), af->temporary, sizeof af->temporary)) {
    close(fd);
    unlink(temporary.c_str());
    return Failed(ENAMETOOLONG, reason, reasonSize);
  }
  if (exists) fchmod(fd, mode);  // past the umask; owned by us, so it holds
  af->file = fdopen(fd, "wb");
  if (!af->file) {
    const int error = errno;
    close(fd);
    unlink(temporary.c_str());
    af->temporary[0] = '\0';
    return Failed(error, reason, reasonSize);
  }
  return 1;
}

std::FILE* SystemBinaryStream(std::FILE* stream) { return stream; }

int SystemSyncFile(std::FILE* file) { return fsync(fileno(file)) == 0 ? 1 : 0; }

int SystemRenameOver(const char* from, const char* to) { return rename(from, to) == 0 ? 1 : 0; }

void SystemErrorText(int, char* out, int outSize) { CopyText(strerror(errno), out, outSize); }
