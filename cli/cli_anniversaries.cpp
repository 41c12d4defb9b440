// The anniversaries file from the command line.
#include "cli/cli_anniversaries.h"

#include <cstring>
#include <string>

#include "calendar/anniversary.h"
#include "calendar/anniversary_forms.h"
#include "calendar/names.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "export/export_run.h"
#include "export/text_encoding.h"
#include "platform/folders.h"
#include "platform/message.h"
#include "platform/text.h"

namespace {

constexpr char kProgram[] = "tavlon-export anniversaries";

struct Command {
  std::string action;  // list, add, remove
  std::string kind, name, date, configDir, dataDir;
  int afterSunset = 0;
  int id = 0;
  int help = 0;
};

int Fail(std::FILE* err, int code, const std::string& message) {
  std::fprintf(err, "%s: %s\n", kProgram, message.c_str());
  return code;
}

// The core's messages (a save that failed, a damaged file) on stderr.
int ShowOnStderr(const char* text, const char*, MessageIcon, void* context) {
  std::fprintf(static_cast<std::FILE*>(context), "%s: %s\n", kProgram, text);
  return 0;
}

// The type letter of a kind word ("birthday", any case), or 0.
int KindLetter(const std::string& word) {
  static constexpr struct {
    const char* word;
    int letter;
  } kKinds[] = {{"anniversary", kAnniversaryTypeAnniversary},
                {"birthday", kAnniversaryTypeBirthday},
                {"yahrzeit", kAnniversaryTypeYahrzeit}};
  for (const auto& k : kKinds) {
    if (word.size() != std::strlen(k.word)) continue;
    int same = 1;
    for (std::size_t i = 0; i < word.size(); ++i)
      same &= (word[i] | 0x20) == k.word[i];
    if (same) return k.letter;
  }
  return 0;
}

// An ISO date ("1990-03-05") in the configured format, so that the
// editor's own checks read it; any other text as it is.
std::string DateField(const std::string& text) {
  int year, month, day;
  char end;
  if (text.size() >= 8 && text.size() <= 10 && text[4] == '-' &&
      std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &year, &month, &day, &end) == 3) {
    char formatted[64] = "";
    FormatGregorianDate(day, month, year, formatted);
    return formatted;
  }
  return text;
}

int ParseCommand(int argc, const char* const* argv, Command* c, std::string* error) {
  for (int i = 2; i < argc; ++i) {
    const CliArgument split = SplitCliArgument(argv[i]);
    const std::string& arg = split.name;
    auto take = [&](std::string* into) { return TakeCliValue(split, argc, argv, &i, into, error); };
    if (arg == "-h" || arg == "--help") c->help = 1;
    else if (arg == "--kind") { if (!take(&c->kind)) return 0; }
    else if (arg == "--name") { if (!take(&c->name)) return 0; }
    else if (arg == "--date") { if (!take(&c->date)) return 0; }
    else if (arg == "--after-sunset") c->afterSunset = 1;
    else if (arg == "--config") { if (!take(&c->configDir)) return 0; }
    else if (arg == "--data") { if (!take(&c->dataDir)) return 0; }
    else if (arg == "--id") {
      std::string text;
      if (!take(&text)) return 0;
      char* end = nullptr;
      const long id = std::strtol(text.c_str(), &end, 10);
      if (text.empty() || *end || id < 1 || id > 1000000) {
        *error = "option --id takes an entry number from the list, not \"" + text + "\"";
        return 0;
      }
      c->id = (int)id;
    } else if (c->action.empty() && arg[0] != '-') c->action = arg;
    else {
      *error = "unknown option " + arg + " (see anniversaries --help)";
      return 0;
    }
  }
  if (c->help) return 1;
  if (c->action != "list" && c->action != "add" && c->action != "remove") {
    *error = c->action.empty() ? "say list, add or remove (see anniversaries --help)"
                               : "unknown action \"" + c->action + "\": list, add or remove";
    return 0;
  }
  return 1;
}

int List(std::FILE* out, const char* path) {
  AnniversaryList list{};
  AnniversaryListLoad(&list, path);
  for (const AnniversaryRecord& r : list.records) {
    char date[64] = "";
    FormatGregorianDate(r.date.day, r.date.month, r.date.year, date);
    const char* word = AnniversaryTypeWord(r.type);
    std::fprintf(out, "%d\t%s\t%s\t%s%s\n", (int)r.id, word ? word : "?",
                 Utf8FromUserText(r.name).c_str(), date,
                 r.afterSunset ? " after sunset" : "");
  }
  AnniversaryListFree(&list);
  return kCliOk;
}

int Add(std::FILE* out, std::FILE* err, const Command& c, const char* path) {
  EditAnniversaryFields fields{};
  // Names are the user's text: never read in the Hebrew names' code page.
  const std::string name = UserTextForFile(c.name.c_str());
  std::snprintf(fields.name, sizeof fields.name, "%s", name.c_str());
  std::snprintf(fields.date, sizeof fields.date, "%s", DateField(c.date).c_str());
  fields.afterSunset = c.afterSunset;
  fields.type = KindLetter(c.kind);
  if (!c.kind.empty() && fields.type == 0)
    return Fail(err, kCliBadInput, "--kind takes anniversary, birthday or yahrzeit, not \"" + c.kind + "\"");
  if (name.size() > 255) return Fail(err, kCliBadInput, "the name is longer than 255 bytes");
  AnniversaryRecord record{};
  AnniversaryFieldError error{};
  if (!EditAnniversaryValidate(&fields, &record, &error)) {
    // The editor's radio buttons are --kind here.
    if (error.control == kAnniControlTypeAnniversary)
      return Fail(err, kCliBadInput, "--kind is needed: anniversary, birthday or yahrzeit");
    return Fail(err, kCliBadInput, error.message);
  }
  const int id = AnniversaryStoreEntry(path, &record);
  if (id < 0) return kCliFailed;  // the failure was shown
  std::fprintf(out, "Added %d\t%s\t%s\n", id, AnniversaryTypeWord(record.type), c.name.c_str());
  return kCliOk;
}

int Remove(std::FILE* out, std::FILE* err, const Command& c, const char* path) {
  int id = c.id;
  if (id == 0) {
    const int type = KindLetter(c.kind);
    if (type == 0 || c.name.empty())
      return Fail(err, kCliBadInput, "say which entry: --id N, or --kind and --name");
    AnniversaryList list{};
    AnniversaryListLoad(&list, path);
    for (const AnniversaryRecord& r : list.records) {
      if (r.type == type && SameUserText(r.name, c.name.c_str())) {
        id = r.id;
        break;
      }
    }
    AnniversaryListFree(&list);
    if (id == 0) return Fail(err, kCliBadInput, kAnniversaryNotFoundMessage);
  }
  const int removed = AnniversaryDeleteEntry(path, id);
  if (removed == 0) return Fail(err, kCliBadInput, kAnniversaryNotFoundMessage);
  if (removed < 0) return kCliFailed;
  std::fprintf(out, "Removed %d\n", id);
  return kCliOk;
}

}  // namespace

int IsAnniversariesCommand(int argc, const char* const* argv) {
  return argc >= 2 && std::strcmp(argv[1], "anniversaries") == 0;
}

int RunAnniversariesCommand(int argc, const char* const* argv, std::FILE* out, std::FILE* err) {
  Command c;
  std::string error;
  if (!ParseCommand(argc, argv, &c, &error)) return Fail(err, kCliBadInput, error);
  if (c.help) {
    std::fputs(AnniversariesUsage(), out);
    return kCliOk;
  }
  SetSettingsFolderOverride(c.configDir.empty() ? nullptr : c.configDir.c_str());
  SetDocumentsFolderOverride(c.dataDir.empty() ? nullptr : c.dataDir.c_str());
  SetMessageHook(ShowOnStderr, err);
  int code = kCliFailed;
  char path[1024];
  if (!AnniversaryFilePath(path, sizeof path)) {
    code = Fail(err, kCliFailed, "the documents folder's path is too long");
  } else if (c.action == "list") {
    code = List(out, path);
  } else if (c.action == "add") {
    code = Add(out, err, c, path);
  } else {
    code = Remove(out, err, c, path);
  }
  SetMessageHook(nullptr, nullptr);
  return code;
}

const char* AnniversariesUsage() {
  return "Usage: tavlon-export anniversaries list|add|remove [OPTION]...\n"
         "Keeps the anniversaries file that the Windows program keeps.\n"
         "\n"
         "  list                    the entries: number, kind, name, date\n"
         "  add --kind K --name NAME --date DATE [--after-sunset]\n"
         "                          K: anniversary, birthday or yahrzeit; DATE as\n"
         "                          YYYY-MM-DD or the configured date format\n"
         "  remove --id N           the entry numbered N by list\n"
         "  remove --kind K --name NAME   the first entry of that kind and name\n"
         "  --config DIR, --data DIR      the settings and data folders\n";
}
