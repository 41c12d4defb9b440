// tavlon-export run as main() runs it, on the scratch folder, its output
// caught; and the user's files it reads.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "cli/cli_anniversaries.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "placetime/cities.h"
#include "support/scratch_dir.h"

struct CliResult {
  int code;
  std::string out, err;
};

// `args` may start with the "anniversaries" command.
inline CliResult RunTool(const ScratchDir& dir, std::vector<const char*> args) {
  const std::string folder = dir.path().string();
  std::vector<const char*> argv = {"tavlon-export"};
  const int command = !args.empty() && std::string(args[0]) == "anniversaries";
  if (command) argv.push_back(args[0]);
  argv.insert(argv.end(), {"--config", folder.c_str(), "--data", folder.c_str()});
  argv.insert(argv.end(), args.begin() + command, args.end());
  std::FILE* files[2] = {std::tmpfile(), std::tmpfile()};  // standard output and error
  CliResult result{};
  CliOptions options;
  std::string error;
  if (IsAnniversariesCommand((int)argv.size(), argv.data())) {
    result.code = RunAnniversariesCommand((int)argv.size(), argv.data(), files[0], files[1]);
  } else if (!ParseCliArguments((int)argv.size(), argv.data(), &options, &error)) {
    result.code = kCliBadInput;
    std::fprintf(files[1], "tavlon-export: %s\n", error.c_str());
  } else {
    result.code = RunCli(options, files[0], files[1], 0);
  }
  for (int i = 0; i < 2; ++i) {
    std::rewind(files[i]);
    for (int c; (c = std::fgetc(files[i])) != EOF;) (i ? result.err : result.out).push_back((char)c);
    std::fclose(files[i]);
  }
  return result;
}

// The text with folded lines joined.
inline std::string Unfolded(std::string text) {
  for (std::size_t fold; (fold = text.find("\r\n ")) != std::string::npos;) text.erase(fold, 3);
  return text;
}

inline int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

struct PersonRow {
  const char* name;
  CalDate date;
  int type;  // 'A', 'B' or 'Y'
  int afterSunset;
};

// Writes the anniversaries file of the scratch folder. Returns its path.
inline std::string SaveAnniversaries(const std::vector<PersonRow>& people) {
  AnniversaryList list;
  for (const PersonRow& p : people) {
    AnniversaryRecord r{};
    std::snprintf(r.name, sizeof r.name, "%s", p.name);
    r.date = p.date;
    r.type = p.type;
    r.afterSunset = p.afterSunset;
    AnniversaryListPut(&list, &r);
  }
  char path[1024] = "";
  if (!AnniversaryFilePath(path, sizeof path) || !AnniversaryListSave(&list, path)) path[0] = '\0';
  return path;
}

struct CityRow {
  const char* name;
  int latitude, longitude, timeZone, elevation;
};

// Writes the user's cities of the scratch folder. Returns 1 or 0.
inline int SaveCities(const std::vector<CityRow>& cities) {
  UserCityList list{};
  for (const CityRow& c : cities) AddUserCity(&list, c.name, c.latitude, c.longitude, c.timeZone, c.elevation);
  char path[1024];
  const int ok = CitiesFilePath(path, sizeof path) && SaveUserCities(&list, path) == 1;
  FreeUserCities(&list);
  return ok;
}
