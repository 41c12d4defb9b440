// The clocks, the message call and the folders, with and without their test
// overrides.
#include <chrono>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/message.h"
#include "platform_scratch.h"

namespace {

using namespace platform_test;

// Seconds since 1970 of a UTC clock reading, by the standard library's
// calendar: a second source for the date fields.
long long EpochSeconds(const ClockTime& t) {
  using namespace std::chrono;
  sys_days day = year_month_day{year{t.year}, month{static_cast<unsigned>(t.month)},
                                std::chrono::day{static_cast<unsigned>(t.day)}};
  return day.time_since_epoch().count() * 86400LL + t.hour * 3600LL + t.minute * 60LL + t.second;
}

bool InRange(const ClockTime& t) {
  return t.year >= 2024 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
         t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 &&
         t.second <= 59 && t.millisecond >= 0 && t.millisecond <= 999;
}

long long SystemSeconds() {
  using namespace std::chrono;
  return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

// UTC is the system clock's; local time lies within the zones' offsets
// (UTC-12 to UTC+14, in whole minutes at least).
TEST(PlatformClock, UtcAndLocalTime) {
  ClockTime local, utc;
  LocalNow(&local);
  UtcNow(&utc);
  ASSERT_TRUE(InRange(utc));
  ASSERT_TRUE(InRange(local));
  EXPECT_LE(std::llabs(EpochSeconds(utc) - SystemSeconds()), 5);
  long long offset = EpochSeconds(local) - EpochSeconds(utc);
  EXPECT_LE(std::llabs(offset), 14 * 3600 + 5);
  EXPECT_LE(std::llabs(offset % 60), 5);
}

TEST(PlatformClock, TicksCountMilliseconds) {
  std::uint32_t first = TickCount();
  auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(60)) {
  }
  std::uint32_t elapsed = TickCount() - first;  // unsigned: right across a wrap too
  EXPECT_GE(elapsed, 40u);
  EXPECT_LE(elapsed, 2000u);
}

TEST(PlatformClock, OverrideFixesEveryClock) {
  const ClockTime fixed{2024, 3, 29, 17, 45, 30, 250};
  SetClockOverride(&fixed, 123456u);
  ClockTime local{}, utc{};
  LocalNow(&local);
  UtcNow(&utc);
  std::uint32_t ticks = TickCount();
  SetClockOverride(nullptr, 0);
  EXPECT_EQ(EpochSeconds(local), EpochSeconds(fixed));
  EXPECT_EQ(local.millisecond, 250);
  EXPECT_EQ(EpochSeconds(utc), EpochSeconds(fixed));
  EXPECT_EQ(ticks, 123456u);
  UtcNow(&utc);  // the real clock again
  EXPECT_LE(std::llabs(EpochSeconds(utc) - SystemSeconds()), 5);
}

struct Recorded {
  std::vector<std::string> lines;
  int answer;
};

int Record(const char* text, const char* title, MessageIcon icon, void* context) {
  auto* r = static_cast<Recorded*>(context);
  r->lines.push_back(std::to_string(icon) + " " + title + ": " + text);
  return r->answer;
}

TEST(PlatformMessage, HookSeesEveryMessageAndAnswers) {
  Recorded r{{}, 1};
  SetMessageHook(Record, &r);
  EXPECT_EQ(ShowMessage("Saved.", "Information", MessageIconInformation), 1);
  r.answer = 0;
  EXPECT_EQ(ShowMessage("Replace it?", "Question", MessageIconQuestion), 0);
  EXPECT_EQ(ShowMessage(nullptr, "Error", MessageIconError), 0);
  SetMessageHook(nullptr, nullptr);
  const std::vector<std::string> expected = {"1 Information: Saved.", "2 Question: Replace it?",
                                             "0 Error: "};
  EXPECT_EQ(r.lines, expected);
}

#ifndef _WIN32
TEST(PlatformMessage, TerminalLineAndNoAnswer) {
  struct Row {
    MessageIcon icon;
    const char* title;
    int answer;
  };
  constexpr Row kRows[] = {{MessageIconError, "Error", 1},
                           {MessageIconInformation, "Information", 1},
                           {MessageIconQuestion, "Question", 0}};
  for (const Row& row : kRows) {
    ::testing::internal::CaptureStderr();
    int answer = ShowMessage("CallangInitialize failed", row.title, row.icon);
    std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(answer, row.answer) << row.title;
    EXPECT_EQ(err, std::string(row.title) + ": CallangInitialize failed\n");
  }
}

// Sets environment variables for one test and puts them back after it.
class Environment {
 public:
  void Set(const char* name, const char* value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
    Put(name, value);
  }
  ~Environment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
      Put(it->first.c_str(), it->second ? it->second->c_str() : nullptr);
  }

 private:
  static void Put(const char* name, const char* value) {
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

std::string Folder(int (*get)(char*, int), int* ok) {
  char out[1024] = "untouched";
  *ok = get(out, sizeof out);
  return out;
}

TEST(PlatformFolders, SettingsFollowXdg) {
  Environment env;
  int ok = 0;
  env.Set("HOME", "/home/u");
  env.Set("XDG_CONFIG_HOME", nullptr);
  EXPECT_EQ(Folder(SettingsFolder, &ok), "/home/u/.config/tavlon");
  EXPECT_EQ(ok, 1);
  env.Set("XDG_CONFIG_HOME", "/etc/xdg-u");
  EXPECT_EQ(Folder(SettingsFolder, &ok), "/etc/xdg-u/tavlon");
  env.Set("XDG_CONFIG_HOME", "relative/ignored");
  EXPECT_EQ(Folder(SettingsFolder, &ok), "/home/u/.config/tavlon");
  env.Set("HOME", nullptr);
  EXPECT_EQ(Folder(SettingsFolder, &ok), "");
  EXPECT_EQ(ok, 0);
  SetSettingsFolderOverride("/data/settings");
  EXPECT_EQ(Folder(SettingsFolder, &ok), "/data/settings");
  EXPECT_EQ(ok, 1);
  SetSettingsFolderOverride("");
  EXPECT_EQ(Folder(SettingsFolder, &ok), "");
}

TEST(PlatformFolders, DocumentsFollowXdg) {
  TempDir dir;
  Environment env;
  env.Set("HOME", "/home/u");
  env.Set("XDG_CONFIG_HOME", dir.Dir().c_str());
  env.Set("XDG_DOCUMENTS_DIR", nullptr);
  int ok = 0;

  struct Row {
    const char* id;
    const char* userDirs;  // nullptr: no user-dirs.dirs
    const char* expected;
  };
  constexpr Row kRows[] = {
      {"no user-dirs.dirs", nullptr, "/home/u/Documents"},
      {"under $HOME",
       "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n",
       "/home/u/Dokumente"},
      {"blanks and escapes", "  XDG_DOCUMENTS_DIR = \"$HOME/My \\\"Docs\\\"\"\n",
       "/home/u/My \"Docs\""},
      {"relative ignored", "XDG_DOCUMENTS_DIR=\"docs\"\n", "/home/u/Documents"},
      {"$HOMEX is not $HOME", "XDG_DOCUMENTS_DIR=\"$HOMEX/d\"\n", "/home/u/Documents"},
  };
  for (const Row& row : kRows) {
    std::string path = dir.File("user-dirs.dirs");
    std::filesystem::remove(path);
    if (row.userDirs) {
      ASSERT_EQ(WriteText(path, row.userDirs), 1);
    }
    EXPECT_EQ(Folder(DocumentsFolder, &ok), row.expected) << row.id;
    EXPECT_EQ(ok, 1) << row.id;
  }

  env.Set("XDG_DOCUMENTS_DIR", "/mnt/papers");
  EXPECT_EQ(Folder(DocumentsFolder, &ok), "/mnt/papers");
  env.Set("XDG_DOCUMENTS_DIR", nullptr);
  env.Set("HOME", nullptr);
  std::filesystem::remove(dir.File("user-dirs.dirs"));
  EXPECT_EQ(Folder(DocumentsFolder, &ok), "");
  EXPECT_EQ(ok, 0);
  SetDocumentsFolderOverride("/data/docs");
  EXPECT_EQ(Folder(DocumentsFolder, &ok), "/data/docs");
  SetDocumentsFolderOverride(nullptr);
}

TEST(PlatformFolders, TempFollowsTmpdir) {
  Environment env;
  int ok = 0;
  env.Set("TMPDIR", "/var/tmp/u");
  EXPECT_EQ(Folder(TempFolder, &ok), "/var/tmp/u");
  env.Set("TMPDIR", nullptr);
  EXPECT_EQ(Folder(TempFolder, &ok), "/tmp");
}
#else
TEST(PlatformFolders, WindowsFoldersResolve) {
  int ok = 0;
  char out[1024];
  EXPECT_EQ(SettingsFolder(out, sizeof out), 1);
  EXPECT_TRUE(std::filesystem::is_directory(out)) << out;  // made on first use
  EXPECT_EQ(std::filesystem::path(out).filename(), "Tavlon") << out;
  ok = DocumentsFolder(out, sizeof out);
  EXPECT_EQ(ok, 1);
  EXPECT_TRUE(std::filesystem::is_directory(out)) << out;
  ok = TempFolder(out, sizeof out);
  EXPECT_EQ(ok, 1);
  EXPECT_TRUE(std::filesystem::is_directory(out)) << out;
  EXPECT_EQ(DocumentsFolder(out, 2), 0);
  EXPECT_STREQ(out, "");
}
#endif

}  // namespace
