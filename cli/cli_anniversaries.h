// `tavlon-export anniversaries list|add|remove`: the anniversaries file
// kept from the command line, with the anniversary editor's checks and
// messages, saved as the Windows program saves it.
#pragma once
#include <cstdio>

// 1 when the command line asks for this command (argv[1] is
// "anniversaries").
int IsAnniversariesCommand(int argc, const char* const* argv);

// Runs it: a listing to `out`, messages to `err`. Returns a CliExit code
// (bad input 2 with one line and nothing written).
int RunAnniversariesCommand(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

// The usage text of `tavlon-export anniversaries --help`.
const char* AnniversariesUsage();
