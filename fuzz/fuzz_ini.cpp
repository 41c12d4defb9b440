// Fuzzes our INI reader and writer. The input is "section\nkey\nfile text":
// the reads must stay in bounds whatever the text, a plain key written into
// any text must read back as written, and a second equal write is a no-op.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/posix/ini_file.h"

namespace {

// Takes the text up to the next LF (or all of it) from data[*pos..size).
std::string NextField(const std::uint8_t* data, std::size_t size, std::size_t* pos) {
  std::size_t start = *pos;
  while (*pos < size && data[*pos] != '\n') ++*pos;
  std::string field(reinterpret_cast<const char*>(data) + start, *pos - start);
  if (*pos < size) ++*pos;
  return field;
}

// Names whose written form reads back unchanged: letters, digits and inner
// spaces.
bool Plain(const std::string& s) {
  if (s.empty() || s.front() == ' ' || s.back() == ' ') return false;
  for (char c : s)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' '))
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::size_t pos = 0;
  std::string section = NextField(data, size, &pos);
  std::string key = NextField(data, size, &pos);
  // The text in a buffer of its own size, so that ASan sees any overrun.
  std::size_t length = size - pos;
  char* text = static_cast<char*>(std::malloc(length ? length : 1));
  if (length) std::memcpy(text, data + pos, length);

  // Every output size from the smallest up.
  char out[64];
  int outSize = section.empty() ? 1 : 1 + static_cast<unsigned char>(section[0]) % 64;
  int n = IniTextReadString(text, length, section.c_str(), key.c_str(), "def", out, outSize);
  if (n < 0 || n >= outSize || out[n] != '\0') std::abort();
  IniTextReadInt(text, length, section.c_str(), key.c_str(), 7);

  std::string removed;
  IniTextWriteString(text, length, section.c_str(), key.c_str(), nullptr, &removed);
  if (removed.size() > length) std::abort();  // a removal never adds

  std::string written;
  if (IniTextWriteString(text, length, section.c_str(), key.c_str(), "v a l", &written) &&
      Plain(section) && Plain(key)) {
    char back[16];
    n = IniTextReadString(written.data(), written.size(), section.c_str(), key.c_str(), "", back,
                          sizeof back);
    if (std::strcmp(back, "v a l") != 0) std::abort();
    // Writing the same value again finds the key and changes nothing.
    std::string again;
    IniTextWriteString(written.data(), written.size(), section.c_str(), key.c_str(), "v a l",
                       &again);
    if (again != written) std::abort();
  }
  std::free(text);
  return 0;
}
