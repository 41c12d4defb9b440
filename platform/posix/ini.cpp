// Settings files on POSIX: our own INI code, with bare names found in the
// settings folder, which a write creates.
#include <errno.h>
#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/datafile.h"
#include "platform/folders.h"
#include "platform/ini.h"
#include "platform/posix/ini_file.h"
#include "platform/system.h"

namespace {

// Creates `dir` and its missing parents. Returns 1, or 0.
int MakeFolders(const char* dir) {
  char path[1024];
  std::size_t n = std::strlen(dir);
  if (n == 0 || n >= sizeof path) return 0;
  std::memcpy(path, dir, n + 1);
  for (std::size_t i = 1; i <= n; ++i) {
    if (path[i] != '/' && path[i] != '\0') continue;
    char keep = path[i];
    path[i] = '\0';
    if (mkdir(path, 0700) != 0 && errno != EEXIST) return 0;
    path[i] = keep;
  }
  struct stat st{};
  return stat(dir, &st) == 0 && S_ISDIR(st.st_mode) ? 1 : 0;
}

// The path of an INI file: a bare name in the settings folder, anything
// with a '/' as it is. Returns 1, or 0 when the folder is unknown.
int ResolveIni(const char* file, char* path, int pathSize, char* folder, int folderSize) {
  folder[0] = '\0';
  if (std::strchr(file, '/')) return CopyText(file, path, pathSize);
  if (!SettingsFolder(folder, folderSize)) return 0;
  return PathJoin(folder, file, path, pathSize);
}

// Maps keyed by text that are searched with a string_view, so that a
// lookup builds no std::string.
struct TextHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const noexcept {
    return std::hash<std::string_view>{}(text);
  }
};
template <typename Value>
using TextMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;

// A value looked up in a file's text: found (0: the key is missing and the
// caller's default applies) and the value, quotes removed, not cut.
struct Remembered {
  int found;
  std::string value;
};

// The text of each settings file read so far, with the file's identity and
// time of change when it was read. Every read still asks the system about
// the file, so a value written by another dialog, program or editor is seen
// at once; only an unchanged file is not read and scanned again (a long
// export reads its settings tens of thousands of times).
struct CachedFile {
  int exists;
  dev_t device;
  ino_t inode;
  off_t size;
  struct timespec changed;
  int trusted;  // 0: the file changed just before it was read; read it again
  int held;     // read while the files were held: not checked again until released
  std::string text;
  TextMap<Remembered> values;  // "section\0key" -> what the text holds
};

TextMap<CachedFile>& FileCache() {
  static TextMap<CachedFile> cache;
  return cache;
}

// While the files are held, what each read found, by "file\0section\0key"
// as the caller named them: a held file does not change until the hold
// ends, so a read is one lookup here. Emptied when the hold ends and by
// every write.
TextMap<Remembered>& HeldValues() {
  static TextMap<Remembered> values;
  return values;
}

// In front of HeldValues, the latest held reads by where the caller keeps
// its three names: a read that passes the same addresses holding the same
// texts is answered without building and hashing the key (a caller may
// reuse one buffer for another name, so the texts are always compared).
constexpr std::size_t kRecentName = 48;  // longer names are not kept here
struct RecentRead {
  const char* names[3];
  char texts[3][kRecentName];
  const Remembered* value;  // an entry of HeldValues; nullptr: an empty slot
};
constexpr std::size_t kRecentReads = 256;
constexpr std::size_t kRecentProbes = 4;  // slots a read may be kept in

RecentRead* RecentReads() {
  static RecentRead reads[kRecentReads];
  return reads;
}

std::size_t RecentHome(const char* file, const char* section, const char* key) {
  const std::uint64_t h = ((std::uint64_t)(std::uintptr_t)file ^
                           ((std::uint64_t)(std::uintptr_t)section << 1) ^
                           ((std::uint64_t)(std::uintptr_t)key << 2)) *
                          0x9E3779B97F4A7C15ull;
  return (std::size_t)(h >> 56);  // 0-255
}

int SameNames(const RecentRead& read, const char* const (&names)[3]) {
  for (int i = 0; i < 3; ++i)
    if (read.names[i] != names[i] || std::strcmp(read.texts[i], names[i]) != 0) return 0;
  return 1;
}

const Remembered* FindRecent(const char* const (&names)[3]) {
  const std::size_t home = RecentHome(names[0], names[1], names[2]);
  for (std::size_t i = 0; i < kRecentProbes; ++i) {
    const RecentRead& read = RecentReads()[(home + i) % kRecentReads];
    if (read.value && SameNames(read, names)) return read.value;
  }
  return nullptr;
}

void KeepRecent(const char* const (&names)[3], const Remembered* value) {
  for (const char* name : names)
    if (std::strlen(name) >= kRecentName) return;
  const std::size_t home = RecentHome(names[0], names[1], names[2]);
  RecentRead* slot = &RecentReads()[home];
  for (std::size_t i = 0; i < kRecentProbes; ++i) {
    RecentRead* read = &RecentReads()[(home + i) % kRecentReads];
    if (!read->value) {
      slot = read;
      break;
    }
  }
  for (int i = 0; i < 3; ++i) {
    slot->names[i] = names[i];
    std::strcpy(slot->texts[i], names[i]);
  }
  slot->value = value;
}

void ForgetHeldValues() {
  HeldValues().clear();
  for (std::size_t i = 0; i < kRecentReads; ++i) RecentReads()[i].value = nullptr;
}

int SameFile(const CachedFile& cached, const struct stat& st) {
  return cached.exists && cached.trusted && cached.device == st.st_dev && cached.inode == st.st_ino &&
         cached.size == st.st_size && cached.changed.tv_sec == st.st_mtim.tv_sec &&
         cached.changed.tv_nsec == st.st_mtim.tv_nsec;
}

int gHeld = 0;  // IniHoldFiles depth

// The cache entry of the file at `path` with its current text; nullptr
// when the file is missing, unreadable or larger than an INI file may be.
CachedFile* CurrentFile(const char* path) {
  auto found = FileCache().find(std::string_view(path));
  if (found == FileCache().end()) found = FileCache().emplace(path, CachedFile{}).first;
  CachedFile& cached = found->second;
  if (gHeld && cached.held) return cached.exists ? &cached : nullptr;
  cached.held = gHeld;
  struct stat st{};
  if (stat(path, &st) != 0 || !S_ISREG(st.st_mode) || (std::size_t)st.st_size > kIniMaxFileSize) {
    cached.exists = 0;
    return nullptr;
  }
  if (SameFile(cached, st)) return &cached;
  std::FILE* file = std::fopen(path, "rb");
  if (!file) {
    cached.exists = 0;
    return nullptr;
  }
  std::string text((std::size_t)st.st_size, '\0');
  const std::size_t got = std::fread(text.data(), 1, text.size(), file);
  const int more = std::fgetc(file) != EOF;  // grew while being read
  std::fclose(file);
  if (got != text.size() || more) {
    cached.exists = 0;
    return nullptr;
  }
  // File times move in steps of a few milliseconds, so a file rewritten in
  // place within one step keeps its time: one that changed that recently
  // is read again next time.
  struct timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  const double age = (double)(now.tv_sec - st.st_mtim.tv_sec) + (now.tv_nsec - st.st_mtim.tv_nsec) / 1e9;
  cached = CachedFile{1, st.st_dev, st.st_ino, st.st_size, st.st_mtim, age > 0.1, gHeld, std::move(text), {}};
  return &cached;
}

// Values this long may have been cut when remembered: they are looked up
// afresh in the text.
constexpr int kRememberedValue = 1024;
constexpr char kMissing[] = "\x01missing\x01";

// `parts` joined with NULs into `buffer` (or, when too long for it, into
// `spill`). Returns the joined text.
template <std::size_t N>
std::string_view JoinKey(const char* const (&parts)[N], char* buffer, std::size_t size,
                         std::string* spill) {
  std::size_t length = 0;
  for (const char* part : parts) length += std::strlen(part) + 1;
  --length;  // no NUL after the last part
  char* at = buffer;
  if (length > size) {
    spill->resize(length);
    at = spill->data();
  }
  const std::string_view joined(at, length);
  for (std::size_t i = 0; i < N; ++i) {
    const std::size_t n = std::strlen(parts[i]);
    std::memcpy(at, parts[i], n);
    at += n;
    if (i + 1 < N) *at++ = '\0';
  }
  return joined;
}

// What the file's current text holds for section/key, remembered with the
// text; *file is the file's entry. nullptr when the file cannot be read.
const Remembered* LookUp(const char* path, const char* section, const char* key,
                         const CachedFile** file) {
  CachedFile* cached = CurrentFile(path);
  *file = cached;
  if (!cached) return nullptr;
  char buffer[512];
  std::string spill;
  const std::string_view id = JoinKey({section, key}, buffer, sizeof buffer, &spill);
  auto it = cached->values.find(id);
  if (it == cached->values.end()) {
    char value[kRememberedValue + 1];
    IniTextReadString(cached->text.data(), cached->text.size(), section, key, kMissing, value,
                      sizeof value);
    const int found = std::strcmp(value, kMissing) != 0;
    it = cached->values.emplace(std::string(id), Remembered{found, found ? value : ""}).first;
  }
  return &it->second;
}

// The read behind IniReadString and IniReadInt: the remembered value of
// section/key in `file`, or nullptr when the default applies. *text is the
// file's text when the value is too long to have been remembered whole.
const Remembered* Read(const char* file, const char* section, const char* key,
                       const std::string** text) {
  *text = nullptr;
  if (!file || !section || !key) return nullptr;
  char buffer[512];
  std::string spill;
  std::string_view heldId;
  if (gHeld) {
    const char* const names[3] = {file, section, key};
    if (const Remembered* recent = FindRecent(names)) return recent->found ? recent : nullptr;
    heldId = JoinKey(names, buffer, sizeof buffer, &spill);
    auto it = HeldValues().find(heldId);
    if (it != HeldValues().end()) {
      KeepRecent(names, &it->second);
      return it->second.found ? &it->second : nullptr;
    }
  }
  char path[1024], folder[1024];
  if (!ResolveIni(file, path, sizeof path, folder, sizeof folder)) return nullptr;
  const CachedFile* cached = nullptr;
  const Remembered* value = LookUp(path, section, key, &cached);
  if (value && value->value.size() >= (std::size_t)kRememberedValue) {  // perhaps cut
    *text = &cached->text;
    return value;
  }
  if (gHeld) {
    const Remembered remembered = value ? *value : Remembered{0, ""};
    HeldValues().emplace(std::string(heldId), remembered);
  }
  return value && value->found ? value : nullptr;
}

}  // namespace

int IniReadString(const char* section, const char* key, const char* def,
                  char* out, int outSize, const char* file) {
  const std::string* text = nullptr;
  const Remembered* value = Read(file, section, key, &text);
  if (!value) {  // the default
    if (def != nullptr && def[0] == '\0' && out != nullptr && outSize > 0) {
      out[0] = '\0';  // an empty default, the commonest, needs no reading
      return 0;
    }
    return IniTextReadString(nullptr, 0, section, key, def, out, outSize);
  }
  if (text) return IniTextReadString(text->data(), text->size(), section, key, def, out, outSize);
  if (outSize <= 0) return 0;
  const std::size_t n = std::min(value->value.size(), (std::size_t)outSize - 1);
  std::memcpy(out, value->value.data(), n);
  out[n] = '\0';
  return (int)n;
}

int IniReadInt(const char* section, const char* key, int def, const char* file) {
  const std::string* text = nullptr;
  const Remembered* value = Read(file, section, key, &text);
  if (!value || value->value.empty()) return def;
  char digits[30];  // only the first 29 characters count
  const std::size_t n = std::min(value->value.size(), sizeof digits - 1);
  std::memcpy(digits, value->value.data(), n);
  digits[n] = '\0';
  return IniTextToInt(digits);
}

int IniWriteString(const char* section, const char* key, const char* value,
                   const char* file) {
  char path[1024], folder[1024];
  if (!file || !ResolveIni(file, path, sizeof path, folder, sizeof folder)) return 0;
  if (folder[0] && !MakeFolders(folder)) return 0;
  // Read afresh next time, held or not.
  const auto cached = FileCache().find(std::string_view(path));
  if (cached != FileCache().end()) FileCache().erase(cached);
  ForgetHeldValues();
  return IniFileWriteString(path, section, key, value);
}

void IniHoldFiles(int hold) {
  gHeld += hold ? 1 : -1;
  if (gHeld < 0) gHeld = 0;
  if (gHeld == 0) {
    for (auto& entry : FileCache()) entry.second.held = 0;
    ForgetHeldValues();
  }
}
