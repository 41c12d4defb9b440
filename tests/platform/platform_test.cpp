// Data file paths, the atomic replace, the clocks, messages and folders.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/clock.h"
#include "platform/datafile.h"
#include "platform/folders.h"
#include "platform/message.h"
#include "support/scratch_dir.h"

namespace {

const std::string kSep(1, kPathSeparator);

TEST(DataFilePath, JoinsFolderAndName) {
  const struct {
    std::string folder;
    int outSize;
    std::string expected;  // "": does not fit
  } kRows[] = {{"dir", 64, "dir" + kSep + "x.bin"}, {"dir" + kSep, 64, "dir" + kSep + "x.bin"},
               {"", 64, "x.bin"}, {"dir", 10, "dir" + kSep + "x.bin"}, {"dir", 9, ""}};
  for (const auto& row : kRows) {
    char out[64] = "untouched";
    EXPECT_EQ(PathJoin(row.folder.c_str(), "x.bin", out, row.outSize), row.expected.empty() ? 0 : 1)
        << row.folder << " " << row.outSize;
    EXPECT_EQ(out, row.expected) << row.folder << " " << row.outSize;
  }
}

class DataFileAtomic : public ::testing::Test {
 protected:
  ScratchDir dir_;
  std::string target_ = dir_.File("data.bin");
};

// The old file stays whole until the commit, and for good when a write
// failed or the run was abandoned; no temporary file is left either way.
TEST_F(DataFileAtomic, OldFileStaysUntilTheCommit) {
  for (const char* ending : {"commit", "failed write", "abort"}) {
    const int commit = ending[0] == 'c';
    dir_.Write("data.bin", "old contents");
    AtomicFile af;
    ASSERT_EQ(AtomicFileBegin(&af, target_.c_str()), 1);
    EXPECT_EQ(AtomicFileWrite(&af, "new", 3), 1);
    EXPECT_EQ(dir_.Read("data.bin"), "old contents") << ending;
    if (ending[0] == 'f') af.ok = 0;  // as after a failed write
    if (ending[0] == 'a') AtomicFileAbort(&af);
    if (ending[0] != 'a') {
      EXPECT_EQ(AtomicFileWrite(&af, "er", 2), commit) << ending;
    }
    EXPECT_EQ(AtomicFileCommit(&af), commit) << ending;
    EXPECT_EQ(dir_.Read("data.bin"), commit ? "newer" : "old contents") << ending;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()), {}), 1) << ending;
  }
}

// A path longer than the record holds is refused, not cut.
TEST_F(DataFileAtomic, PathTooLongIsRefused) {
  AtomicFile af;
  EXPECT_EQ(AtomicFileBegin(&af, dir_.File(std::string(sizeof af.target, 'x')).c_str()), 0);
  EXPECT_EQ(af.file, nullptr);
}

#ifndef _WIN32
// What sits at the target stays what it is: a link keeps linking (its
// target gets the bytes), a file keeps its permissions, a link planted
// where a temporary file could go is never written through, and a FIFO
// gets the bytes as a stream.
TEST_F(DataFileAtomic, LinksFifosAndPermissionsSurvive) {
  dir_.Write("real.bin", "old");
  std::filesystem::create_symlink("real.bin", target_);
  EXPECT_EQ(WriteFileAtomically(target_.c_str(), "linked", 6), 1);
  EXPECT_TRUE(std::filesystem::is_symlink(target_));
  EXPECT_EQ(dir_.Read("real.bin"), "linked");
  std::filesystem::remove(target_);

  dir_.Write("victim", "keep");
  std::filesystem::create_symlink(dir_.File("victim"), target_ + ".tmp");
  dir_.Write("data.bin", "old");
  std::filesystem::permissions(target_, std::filesystem::perms(0640));
  EXPECT_EQ(WriteFileAtomically(target_.c_str(), "new", 3), 1);
  EXPECT_EQ(dir_.Read("victim"), "keep");
  EXPECT_EQ(dir_.Read("data.bin"), "new");
  EXPECT_EQ(std::filesystem::status(target_).permissions(), std::filesystem::perms(0640));
  std::filesystem::remove(target_);

  ASSERT_EQ(::mkfifo(target_.c_str(), 0600), 0);
  const int reader = ::open(target_.c_str(), O_RDONLY | O_NONBLOCK);  // opened first: no wait
  ASSERT_GE(reader, 0);
  EXPECT_EQ(WriteFileAtomically(target_.c_str(), "piped", 5), 1);
  char got[16] = "";
  EXPECT_EQ(::read(reader, got, sizeof got), 5);
  ::close(reader);
  EXPECT_STREQ(got, "piped");
  EXPECT_TRUE(std::filesystem::is_fifo(target_));
}
#endif

// Seconds since 1970 of a clock reading, by the standard library's calendar.
long long EpochSeconds(const ClockTime& t) {
  using namespace std::chrono;
  const sys_days day = year{t.year} / static_cast<unsigned>(t.month) / static_cast<unsigned>(t.day);
  return day.time_since_epoch().count() * 86400LL + t.hour * 3600LL + t.minute * 60LL + t.second;
}

// Local time is UTC-12 to UTC+14, in whole minutes.
TEST(PlatformClock, UtcAndLocalTime) {
  ClockTime local, utc;
  LocalNow(&local);
  UtcNow(&utc);
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  EXPECT_LE(std::llabs(EpochSeconds(utc) - std::chrono::duration_cast<std::chrono::seconds>(now).count()), 5);
  const long long offset = EpochSeconds(local) - EpochSeconds(utc);
  EXPECT_LE(std::llabs(offset), 14 * 3600 + 5);
  EXPECT_LE(std::llabs(offset % 60), 5);
}

#ifndef _WIN32
// Without a hook a message is a line on the terminal, and a question,
// which no one can answer there, is answered No.
TEST(PlatformMessage, TerminalLineAndNoAnswer) {
  for (const auto& [icon, title, answer] :
       {std::tuple{MessageIconError, "Error", 1}, std::tuple{MessageIconQuestion, "Question", 0}}) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(ShowMessage("Cannot go on", title, icon), answer) << title;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), std::string(title) + ": Cannot go on\n");
  }
}

void SetEnv(const char* name, const char* value) {
  if (value) setenv(name, value, 1);
  else unsetenv(name);
}

std::string Folder(int (*get)(char*, int)) {
  char out[1024] = "untouched";
  return get(out, sizeof out) ? std::string(out) : "failed:" + std::string(out);
}

TEST(PlatformFolders, FollowXdg) {
  constexpr const char* kNames[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR"};
  std::map<std::string, std::string> saved;  // put back at the end
  for (const char* name : kNames)
    if (const char* value = std::getenv(name)) saved[name] = value;
  ScratchDir dir;
  SetSettingsFolderOverride(nullptr);
  SetDocumentsFolderOverride(nullptr);
  SetEnv("HOME", "/home/u");
  SetEnv("XDG_CONFIG_HOME", "relative/ignored");
  SetEnv("XDG_DOCUMENTS_DIR", nullptr);
  EXPECT_EQ(Folder(SettingsFolder), "/home/u/.config/tavlon");
  EXPECT_EQ(Folder(DocumentsFolder), "/home/u/Documents");
  SetEnv("XDG_CONFIG_HOME", dir.path().c_str());
  EXPECT_EQ(Folder(SettingsFolder), dir.File("tavlon"));
  constexpr const char* kUserDirs[][2] = {
      {"# c\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dok\"\n", "/home/u/Dok"},
      {"  XDG_DOCUMENTS_DIR = \"/My \\\"Docs\\\"\"\n", "/My \"Docs\""},
      {"XDG_DOCUMENTS_DIR=\"docs\"\nXDG_DOCUMENTS_DIR=\"$HOMEX/d\"\n", "/home/u/Documents"},
  };
  for (const auto& [userDirs, expected] : kUserDirs) {
    dir.Write("user-dirs.dirs", userDirs);
    EXPECT_EQ(Folder(DocumentsFolder), expected) << userDirs;
  }
  SetEnv("XDG_DOCUMENTS_DIR", "/mnt/papers");
  EXPECT_EQ(Folder(DocumentsFolder), "/mnt/papers");
  for (const char* name : kNames) SetEnv(name, nullptr);
  EXPECT_EQ(Folder(SettingsFolder), "failed:");
  EXPECT_EQ(Folder(DocumentsFolder), "failed:");
  for (const char* name : kNames) SetEnv(name, saved.count(name) ? saved[name].c_str() : nullptr);
}
#else
// The settings folder "Tavlon" is made on first use.
TEST(PlatformFolders, WindowsFoldersExist) {
  char out[1024];
  for (auto get : {DocumentsFolder, TempFolder, SettingsFolder}) {
    EXPECT_EQ(get(out, sizeof out), 1);
    EXPECT_TRUE(std::filesystem::is_directory(out)) << out;
  }
  EXPECT_EQ(std::filesystem::path(out).filename(), "Tavlon") << out;
}
#endif

}  // namespace
