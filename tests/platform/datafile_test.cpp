// Data file paths, 32-bit integers on files, and the atomic replace that
// never loses the old file.
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/datafile.h"
#include "platform/folders.h"
#include "platform_scratch.h"

namespace {

using namespace platform_test;

const std::string kSep(1, kPathSeparator);

TEST(DataFilePath, JoinsFolderAndName) {
  struct Row {
    const char* id;
    std::string folder;
    int outSize;
    int ok;
    std::string expected;
  };
  const Row rows[] = {
      {"separator added", "dir", 64, 1, "dir" + kSep + "x.bin"},
      {"separator present", "dir" + kSep, 64, 1, "dir" + kSep + "x.bin"},
      {"empty folder: bare name", "", 64, 1, "x.bin"},
      {"just fits", "dir", 10, 1, "dir" + kSep + "x.bin"},
      {"one too long", "dir", 9, 0, ""},
      {"bare name one too long", "", 5, 0, ""},
      {"no room at all", "dir", 0, 0, ""},
  };
  for (const Row& row : rows) {
    char out[64] = "untouched";
    EXPECT_EQ(PathJoin(row.folder.c_str(), "x.bin", out, row.outSize), row.ok) << row.id;
    if (row.outSize > 0) {
      EXPECT_EQ(std::string(out), row.expected) << row.id;
    }
  }
}

TEST(DataFilePath, UsesTheDocumentsFolder) {
  TempDir dir;
  const std::string folders[] = {dir.Dir(), dir.Dir() + kSep};
  for (const std::string& folder : folders) {
    SetDocumentsFolderOverride(folder.c_str());
    char out[1024];
    EXPECT_EQ(DataFilePath("Merovan Cities.bin", out, sizeof out), 1);
    EXPECT_EQ(std::string(out), dir.Dir() + kSep + "Merovan Cities.bin") << folder;
    EXPECT_EQ(DataFilePath("Merovan Cities.bin", out, 8), 0);
    EXPECT_STREQ(out, "");
  }
  SetDocumentsFolderOverride(nullptr);
}

// Little-endian on every platform; a short read gives 0, a failed write 0.
TEST(DataFileInt32, LittleEndianRoundTrip) {
  struct Row {
    std::int32_t value;
    unsigned char bytes[4];
  };
  constexpr Row kRows[] = {
      {1, {1, 0, 0, 0}},
      {-1, {0xFF, 0xFF, 0xFF, 0xFF}},
      {0x12345678, {0x78, 0x56, 0x34, 0x12}},
      {INT32_MIN, {0x00, 0x00, 0x00, 0x80}},
  };
  TempDir dir;
  std::string path = dir.File("ints.bin");
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr);
  for (const Row& row : kRows) EXPECT_EQ(WriteFileInt32(f, row.value), 1);
  std::fputs("\x7F\x7F\x7F", f);  // three bytes: not a whole number
  std::fclose(f);

  std::string bytes = ReadText(path);
  ASSERT_EQ(bytes.size(), sizeof kRows / sizeof kRows[0] * 4 + 3);
  f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  for (std::size_t i = 0; i < sizeof kRows / sizeof kRows[0]; ++i) {
    for (int b = 0; b < 4; ++b)
      EXPECT_EQ(static_cast<unsigned char>(bytes[i * 4 + b]), kRows[i].bytes[b]) << kRows[i].value;
    EXPECT_EQ(ReadFileInt32(f), kRows[i].value);
  }
  EXPECT_EQ(ReadFileInt32(f), 0);  // the short end
  std::fclose(f);

  f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  std::setvbuf(f, nullptr, _IONBF, 0);  // unbuffered: the failure shows at the write
  EXPECT_EQ(WriteFileInt32(f, 5), 0);
  std::fclose(f);
}

class AtomicFileTest : public ::testing::Test {
 protected:
  TempDir dir_;
  std::string target_ = dir_.File("data.bin");

  // What the folder holds besides the target: no temporary file may stay.
  int StrayFiles() {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path))
      if (entry.path().filename() != "data.bin") ++n;
    return n;
  }
};

// The old file stays whole until the commit, and for good when a write
// failed or the run was abandoned; no temporary file is left either way.
TEST_F(AtomicFileTest, OldFileStaysUntilTheCommit) {
  for (const char* ending : {"commit", "failed write", "abort"}) {
    const int commit = ending[0] == 'c';
    ASSERT_EQ(WriteText(target_, "old contents"), 1);
    AtomicFile af;
    ASSERT_EQ(AtomicFileBegin(&af, target_.c_str()), 1);
    EXPECT_EQ(AtomicFileWrite(&af, "new", 3), 1);
    EXPECT_EQ(ReadText(target_), "old contents") << ending;
    if (ending[0] == 'f') af.ok = 0;  // as after a failed write
    if (ending[0] == 'a') AtomicFileAbort(&af);
    if (ending[0] != 'a') {
      EXPECT_EQ(AtomicFileWrite(&af, "er", 2), commit) << ending;
    }
    EXPECT_EQ(AtomicFileCommit(&af), commit) << ending;
    EXPECT_EQ(ReadText(target_), commit ? "newer" : "old contents") << ending;
    EXPECT_EQ(StrayFiles(), 0) << ending;
  }
  std::filesystem::remove(target_);
  EXPECT_EQ(WriteFileAtomically(target_.c_str(), "\0\1\2", 3), 1);
  EXPECT_EQ(ReadText(target_), std::string("\0\1\2", 3));
}

TEST_F(AtomicFileTest, FailuresSayWhy) {
  std::filesystem::create_directory(target_);
  std::filesystem::create_directory(target_ + kSep + "inside");
  EXPECT_EQ(WriteFileAtomically(target_.c_str(), "x", 1), 0);
  EXPECT_TRUE(std::filesystem::is_directory(target_ + kSep + "inside"));
  EXPECT_EQ(StrayFiles(), 0);
#ifndef _WIN32
  EXPECT_STREQ(SaveFailureReason(), "Is a directory");
#endif
  const std::string missing = dir_.File("missing") + kSep + "data.bin";
  AtomicFile af;
  EXPECT_EQ(AtomicFileBegin(&af, missing.c_str()), 0);
  EXPECT_EQ(AtomicFileCommit(&af), 0);
  EXPECT_EQ(WriteFileAtomically(missing.c_str(), "x", 1), 0);
#ifndef _WIN32
  EXPECT_STREQ(SaveFailureReason(), "No such file or directory");
#endif
  EXPECT_EQ(StrayFiles(), 0);
}

TEST_F(AtomicFileTest, StreamPathWritesTheOutputStream) {
  std::FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  SetOutputStream(stream);
  EXPECT_EQ(WriteFileAtomically(kStreamPath, "to the stream", 13), 1);
  SetOutputStream(nullptr);
  std::rewind(stream);
  char text[32] = "";
  EXPECT_EQ(std::fread(text, 1, sizeof text, stream), 13u);
  std::fclose(stream);  // still open: the writer never closes it
  EXPECT_EQ(StrayFiles(), 0);
}

#ifndef _WIN32
// What sits at the target stays what it is: a link keeps linking (its
// target gets the bytes), a FIFO gets them as a stream, a file keeps its
// permissions, and a link planted where a temporary file could go is
// never written through.
TEST_F(AtomicFileTest, LinksFifosAndPermissionsSurvive) {
  const std::string real = dir_.File("real.bin");
  ASSERT_EQ(WriteText(real, "old"), 1);
  std::filesystem::create_symlink("real.bin", target_);
  EXPECT_EQ(WriteFileAtomically(target_.c_str(), "linked", 6), 1);
  EXPECT_TRUE(std::filesystem::is_symlink(target_));
  EXPECT_EQ(ReadText(real), "linked");
  std::filesystem::remove(target_);

  const std::string victim = dir_.File("victim");
  ASSERT_EQ(WriteText(victim, "keep"), 1);
  std::filesystem::create_symlink(victim, target_ + ".tmp");
  ASSERT_EQ(WriteText(target_, "old"), 1);
  ::chmod(target_.c_str(), 0640);
  EXPECT_EQ(WriteFileAtomically(target_.c_str(), "new", 3), 1);
  EXPECT_EQ(ReadText(victim), "keep");
  EXPECT_EQ(ReadText(target_), "new");
  struct stat st;
  ASSERT_EQ(::stat(target_.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  std::filesystem::remove(target_);

  ASSERT_EQ(::mkfifo(target_.c_str(), 0600), 0);
  // The reading end opens first without waiting, so nothing blocks.
  const int reader = ::open(target_.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(WriteFileAtomically(target_.c_str(), "piped", 5), 1);
  char got[16] = "";
  EXPECT_EQ(::read(reader, got, sizeof got), 5);
  ::close(reader);
  EXPECT_EQ(std::string(got, 5), "piped");
  EXPECT_TRUE(std::filesystem::is_fifo(target_));
}
#endif

TEST_F(AtomicFileTest, PathTooLongFails) {
  std::string path = dir_.Dir() + kSep + std::string(sizeof(AtomicFile{}.target), 'x');
  AtomicFile af;
  EXPECT_EQ(AtomicFileBegin(&af, path.c_str()), 0);
  EXPECT_EQ(af.file, nullptr);
}

}  // namespace
