// tavlon-export: Jewish calendar data as an iCalendar file, from the
// command line, over the same core and settings as the Windows program.
#include <cstdio>
#include <string>

#include "cli/cli_anniversaries.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"

#ifdef _WIN32
#include <io.h>
#define TAVLON_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define TAVLON_ISATTY(fd) isatty(fd)
#endif

int main(int argc, char** argv) {
  if (IsAnniversariesCommand(argc, argv)) return RunAnniversariesCommand(argc, argv, stdout, stderr);
  CliOptions options;
  std::string error;
  if (!ParseCliArguments(argc, argv, &options, &error)) {
    std::fprintf(stderr, "tavlon-export: %s\n", error.c_str());
    return kCliBadInput;
  }
  return RunCli(options, stdout, stderr, TAVLON_ISATTY(2));
}
