// Reading texts: a reading key of the Torah-reading schedule turned into
// the text shown to the user (the portion or holiday reading with its
// verses, or the Haphtarah), in the Israel or the Diaspora custom.
#pragma once

// The Shabbat-readings settings file: [Parasha] DiasporaFlag (1 = Diaspora,
// the default; 0 = Israel) and [ParashSettings] Language.
inline constexpr char kReadingSettingsFile[] = "exportcalshab.ini";

// Texts hold at most 255 characters; buffers are this size.
inline constexpr int kReadingTextSize = 256;

// String numbers. A key k reads string kReadingBase + k, or in Israel
// kIsraelReadingBase + k when that string exists; Haphtarot likewise.
inline constexpr int kReadingTextOmer = 240;                 // "%d L'Omer"
inline constexpr int kReadingTextLanguageUnusable = 241;
inline constexpr int kReadingTextLanguageOverwrite = 242;
inline constexpr int kReadingBase = 256;
inline constexpr int kHaphtarahBase = 512;
inline constexpr int kIsraelReadingBase = 1024;
inline constexpr int kIsraelHaphtarahBase = 2048;
// Keys are 0-172; keys from here on (1000 = no key among them) have no text,
// so that no key reaches into the next block of strings.
inline constexpr int kReadingKeyLimit = 256;

// The only reading language: the built-in English texts. [ParashSettings]
// Language selects it with 1; no table for another language exists, so any
// other value leaves the English texts in force as well.
inline constexpr int kReadingLanguageEnglish = 1;

// 1 in the Diaspora ([Parasha] DiasporaFlag of exportcalshab.ini non-zero
// or missing), 0 in Israel. Read afresh on every call.
int ReadingsDiasporaFlag();
// Makes ReadingsDiasporaFlag answer `diaspora` (1 or 0) whatever the
// settings say, for a run whose custom was chosen on the command line;
// -1 gives the decision back to the settings.
void SetReadingsDiasporaOverride(int diaspora);

// 1 when `text` is the whole text "(none)" in any mix of cases: the string
// stands for no text.
int ReadingTextIsNone(const char* text);

// Copies the text of string `id` into out[0..outSize-1], NUL-terminated, at
// most 255 characters: "" when the string is missing or "(none)". The
// language step changes nothing (see kReadingLanguageEnglish). Returns the
// number of characters copied; nothing is written when outSize < 1.
int LoadReadingString(int id, char* out, int outSize);

// The reading text of `key` in the custom in force (Israel: its variant
// when one exists, "(none)" included). Same buffer rules and result.
int ReadingText(int key, char* out, int outSize);

// The Haphtarah text of `key`, the same way.
int HaphtarahText(int key, char* out, int outSize);

// Writes [ParashSettings] Language = 1. The main window calls it at
// creation, so the built-in texts are always the ones in force. Returns 1,
// or 0 when the file cannot be written.
int ResetReadingLanguage();
