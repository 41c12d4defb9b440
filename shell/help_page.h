// The help page: one HTML document carried inside the program, written to
// "Cal.htm" in the temporary folder and handed to the system's viewer.
#pragma once
#include <cstddef>

inline constexpr char kHelpFileName[] = "Cal.htm";
// The temporary folder is taken with at most this many characters.
inline constexpr int kHelpFolderLimit = 256;

// The help document: 7-bit text with CR LF line ends, no terminator
// counted in the length.
const char* HelpPageText();
std::size_t HelpPageLength();

// The file's path: `tempFolder`, a backslash unless the folder is empty or
// already ends in one, and "Cal.htm". Returns 1, or 0 (out = "" when it
// has room) when the path does not fit in outSize.
int HelpPagePath(const char* tempFolder, char* out, int outSize);
