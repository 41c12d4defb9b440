// libFuzzer entry point for the definition-language parser: any bytes,
// cut at the first NUL like the embedded text, must parse or fail cleanly.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "calendar/callang.h"
#include "platform/message.h"

namespace {

int Silent(const char*, const char*, MessageIcon, void*) { return 1; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static CallangTable table;  // 170 KB: too large for the stack
  std::vector<char> text(size + 1);
  if (size != 0) std::memcpy(text.data(), data, size);
  text[size] = '\0';
  SetMessageHook(&Silent, nullptr);
  if (CallangParse(text.data(), &table)) {
    for (int i = 0; i < table.count; ++i) {
      char hebrew[256];
      HebrewFromLetterNames(table.entries[i].hebrewName, hebrew, sizeof hebrew);
    }
  }
  return 0;
}
