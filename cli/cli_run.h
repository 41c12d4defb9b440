// Running tavlon-export: the settings and data folders, the range, the
// composition and the file, with one clear line for anything that fails.
#pragma once
#include <cstdio>

#include "cli/cli_options.h"

// Exit codes.
enum CliExit {
  kCliOk = 0,
  kCliFailed = 1,    // a file could not be written, the definitions did not load
  kCliBadInput = 2,  // an option, a date, a city or an entry is not usable
};

// Runs the parsed options; normal output goes to `out`, progress and
// messages to `err` (a progress bar only when `errIsTerminal`). Returns a
// CliExit code.
int RunCli(const CliOptions& options, std::FILE* out, std::FILE* err, int errIsTerminal);
