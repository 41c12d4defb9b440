// The folders the program keeps its files in.
// Settings (INI files): Windows, the Windows directory (the profile API
// resolves bare names there); POSIX, $XDG_CONFIG_HOME/tavlon, default
// ~/.config/tavlon. Documents (data files): Windows, the shell's personal
// folder; POSIX, the XDG documents folder, default ~/Documents.
#pragma once

// The settings folder, or "" where bare names go straight to the profile
// API. Returns 1, or 0 (out = "") when it cannot be resolved.
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

// The path separator of this platform: '\\' on Windows, '/' elsewhere.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif
