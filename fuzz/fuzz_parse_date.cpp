// libFuzzer entry point for reading a typed date. The first byte picks the
// date format: 0, 1, an unknown one, or the one in the settings (through
// the public ParseGregorianDate); the rest is the text, cut at the first
// NUL like a dialog's field. Any text must parse or fail cleanly, a parse
// that succeeds must have read numbers that fit 32 bits, and the public
// call must agree with the format it reads.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "calendar/names.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<char> text(size);  // size - 1 bytes of text and a NUL
  if (size > 1) std::memcpy(text.data(), data + 1, size - 1);
  text[size - 1] = '\0';

  CalDate date{-1, -1, -1};
  int ok;
  switch (data[0] % 4) {
    case 0: ok = ParseGregorianDateWithFormat(text.data(), 0, &date); break;
    case 1: ok = ParseGregorianDateWithFormat(text.data(), 1, &date); break;
    case 2:
      ok = ParseGregorianDateWithFormat(text.data(), 2 + data[0], &date);
      if (ok) std::abort();  // an unknown format parses nothing
      break;
    default: {
      ok = ParseGregorianDate(text.data(), &date);
      CalDate again{-1, -1, -1};
      const int expected = ParseGregorianDateWithFormat(text.data(), GetDateFormat(), &again);
      if (ok != expected) std::abort();
      if (ok && std::memcmp(&date, &again, sizeof date) != 0) std::abort();
      break;
    }
  }
  // Only digits are read, so a date that parses holds no negative number.
  if (ok && (date.day < 0 || date.month < 0 || date.year < 0)) std::abort();
  return 0;
}
