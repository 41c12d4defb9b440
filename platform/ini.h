// Private-profile (INI) settings access, as the program uses it everywhere.
// `file` is a bare name such as "exportcal.ini", found in the settings
// folder (see folders.h), or a path, used as it is.
// Windows: the real private-profile API. POSIX: our own reader and writer
// (platform/posix/ini_file.h) with the same behaviour.
#pragma once

// Copies the value of `key` in `section` (or `def` when the file, section
// or key is missing) into out[0..outSize-1], NUL-terminated, with a pair of
// surrounding quotes removed. Returns the number of characters copied.
int IniReadString(const char* section, const char* key, const char* def,
                  char* out, int outSize, const char* file);

// The value read as an integer: optional sign and leading decimal digits
// (text without digits reads as 0); `def` when the key is missing or empty.
int IniReadInt(const char* section, const char* key, int def, const char* file);

// Writes key=value, creating the file, section and key as needed and
// keeping every other line; `value` nullptr removes the key. Returns 1, or 0
// when the file cannot be written or `section` or `key` is missing.
// Windows: the first failed write of a bare-named file in a settings folder
// is also shown to the user ("Error", with the file's path), once for each
// folder.
int IniWriteString(const char* section, const char* key, const char* value,
                   const char* file);

// Holds the settings files for the length of one export run (hold = 1,
// then hold = 0 when it ends; holds nest): a file read once during the run
// is not checked again for changes until the hold ends, so that tens of
// thousands of reads cost no file system calls: a read is answered from
// what the same file, section and key gave before (a bare name keeping the
// folder it was first found in). A run blocks the program, so no dialog
// can change a file meanwhile; writes are always seen.
// Windows likewise remembers each read of the profile API while held.
void IniHoldFiles(int hold);
