// The string table as constant data.
#include "resources/strings.h"

namespace {

struct TextEntry {
  int id;
  const char* text;
};

constexpr TextEntry kTexts[] = {
#define STRING_ENTRY(id, text) {id, text},
#include "resources/strings.def"
#include "resources/readings.def"
#undef STRING_ENTRY
};

}  // namespace

const char* LoadText(int id) {
  for (const TextEntry& entry : kTexts)
    if (entry.id == id) return entry.text;
  return "";
}
