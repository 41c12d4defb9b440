// The folders the program keeps its files in.
// Settings (INI files): Windows, %APPDATA%\Tavlon (the profile API is
// always given full paths there); POSIX, $XDG_CONFIG_HOME/tavlon, default
// ~/.config/tavlon. Documents (data files): Windows, the shell's personal
// folder; POSIX, the XDG documents folder, default ~/Documents.
#pragma once

// The settings folder. Returns 1, or 0 (out = "") when it cannot be
// resolved. On Windows its first use in a process creates it and, when it
// holds no settings file yet, copies in those an older install left (see
// CopyOlderSettings).
int SettingsFolder(char* out, int outSize);

// The user's documents folder. Returns 1, or 0 (out = "") when it cannot
// be resolved.
int DocumentsFolder(char* out, int outSize);

// The temporary folder. Returns 1, or 0 (out = "").
int TempFolder(char* out, int outSize);

// Redirect the settings or documents folder (command-line --config and
// --data, tests). nullptr or "" restores the platform's own folder.
void SetSettingsFolderOverride(const char* dir);
void SetDocumentsFolderOverride(const char* dir);

#ifdef _WIN32
// When `folder` holds none of the three settings files ("exportcal.ini",
// "daylight.ini", "exportcalshab.ini"), copies each of them from the first
// of `olderFolders` that has it; the older files stay where they are.
// Returns the number of files copied.
int CopyOlderSettings(const char* folder, const char* const olderFolders[], int olderCount);
#endif

// The path separator of this platform: '\\' on Windows, '/' elsewhere.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif
