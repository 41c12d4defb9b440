// Reading texts: string lookups by reading key, with the Israel variants
// and the "(none)" rule.
#include "readings/reading_texts.h"

#include "platform/ini.h"
#include "resources/strings.h"

namespace {

// The string table holds no empty text, so "" from the lookup means that
// the string does not exist.
int StringExists(int id) { return LoadText(id)[0] != '\0'; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The text of key `key` from the Diaspora block or, in Israel, from the
// Israel block when it holds the key.
int KeyText(int key, int base, int israelBase, char* out, int outSize) {
  if (key < 0 || key >= kReadingKeyLimit) {
    if (out && outSize > 0) out[0] = '\0';
    return 0;
  }
  int id = base + key;
  if (!ReadingsDiasporaFlag() && StringExists(israelBase + key)) id = israelBase + key;
  return LoadReadingString(id, out, outSize);
}

}  // namespace

namespace {
int gDiasporaOverride = -1;  // -1: none, the settings decide
}  // namespace

void SetReadingsDiasporaOverride(int diaspora) { gDiasporaOverride = diaspora < 0 ? -1 : diaspora != 0; }

int ReadingsDiasporaFlag() {
  if (gDiasporaOverride >= 0) return gDiasporaOverride;
  return IniReadInt("Parasha", "DiasporaFlag", 1, kReadingSettingsFile) != 0;
}

int ReadingTextIsNone(const char* text) {
  static constexpr char kNone[] = "(none)";
  int i = 0;
  for (; kNone[i] != '\0'; ++i)
    if (AsciiLower(text[i]) != kNone[i]) return 0;  // stops at text's NUL too
  return text[i] == '\0';
}

int LoadReadingString(int id, char* out, int outSize) {
  if (!out || outSize < 1) return 0;
  const char* text = LoadText(id);
  int limit = outSize - 1;
  if (limit > kReadingTextSize - 1) limit = kReadingTextSize - 1;
  int n = 0;
  while (n < limit && text[n] != '\0') {
    out[n] = text[n];
    ++n;
  }
  out[n] = '\0';
  if (ReadingTextIsNone(out)) {
    out[0] = '\0';
    return 0;
  }
  // Language step: only the English table exists (kReadingLanguageEnglish),
  // so the text stays as loaded.
  return n;
}

int ReadingText(int key, char* out, int outSize) {
  return KeyText(key, kReadingBase, kIsraelReadingBase, out, outSize);
}

int HaphtarahText(int key, char* out, int outSize) {
  return KeyText(key, kHaphtarahBase, kIsraelHaphtarahBase, out, outSize);
}

int ResetReadingLanguage() {
  return IniWriteString("ParashSettings", "Language", "1", kReadingSettingsFile);
}
