// The text table of anniversary dates: whole files for each sort order
// compared byte for byte (equal keys in the order chosen), long texts, and
// the messages of a written and of an unwritable file.
//
// The entries (hand-worked, Purim 14 Adar on 4 Mar 2007, 14 Adar II on
// 21 Mar 2008; 1 Tishri 5768 on 13 Sep 2007): "Miriam Levy", birthday
// 5 Mar 1990 = 8 Adar 5750; "de Vries", yahrzeit after sunset on 5 Mar
// 1990 = 9 Adar 5750, kept in Adar I in a leap year and written on the
// evening before; "Sarah Cohen", anniversary 30 Sep 1989 = 1 Tishri 5750.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/anniversary_make.h"
#include "calendar/anniversary_text.h"
#include "calendar/callang.h"
#include "platform/message.h"
#include "settings/settings.h"
#include "support/message_recorder.h"
#include "support/scratch_dir.h"

namespace {

// The documents folder holding the anniversary file, with the settings.
struct Folder {
  explicit Folder(const char* ini) {
    EXPECT_NE(CallangInitialize(), 0);
    dir.Write(kSettingsFile, ini);
    for (const AnniversaryRecord& r : {Make("Miriam Levy", {5, 3, 1990}, 0, 'B'),
                                       Make("de Vries", {5, 3, 1990}, 1, 'Y'),
                                       Make("Sarah Cohen", {30, 9, 1989}, 0, 'A'),
                                       Make("Miriam Levy", {5, 3, 1990}, 0, 'Y')})  // not chosen
      AnniversaryListPut(&list, &r);
    EXPECT_EQ(AnniversaryListSave(&list, dir.File(kAnniversaryFileName).c_str()), 1);
  }
  ~Folder() { AnniversaryListFree(&list); }
  ScratchDir dir;
  AnniversaryList list{};
};

std::vector<char> Selection(const std::vector<std::pair<char, const char*>>& entries) {
  std::vector<char> s;
  for (const auto& e : entries) AnniversarySelectionAdd(&s, e.first, e.second);
  return s;
}

// Type letters and names in other cases than the records'.
const std::vector<char> kChosen =
    Selection({{'y', "DE VRIES"}, {'B', "miriam levy"}, {'A', "Sarah Cohen"}});

TEST(AnniversaryText, FilesForEachSortOrder) {
  const struct {
    std::vector<char> selection;
    int sortOrder;
    int to;  // from 2007
    std::string expected;
  } rows[] = {
      {kChosen, 1, 2007,
       "8 Adar 5767         26 February 2007    Miriam Levy          Birthday            \r\n"
       "9 Adar 5767         26 February 2007    de Vries             Yahrzeit            \r\n"
       "1 Tishri 5768       13 September 2007   Sarah Cohen          Anniversary         \r\n"},
      // 26 February 2007 twice: the one chosen first stays first.
      {kChosen, 2, 2007,
       "26 February 2007    9 Adar 5767         de Vries             Yahrzeit            \r\n"
       "26 February 2007    8 Adar 5767         Miriam Levy          Birthday            \r\n"
       "13 September 2007   1 Tishri 5768       Sarah Cohen          Anniversary         \r\n"},
      {kChosen, 3, 2008,
       "de Vries             Yahrzeit            26 February 2007    9 Adar 5767         \r\n"
       "de Vries             Yahrzeit            14 February 2008    9 Adar I 5768       \r\n"
       "Miriam Levy          Birthday            26 February 2007    8 Adar 5767         \r\n"
       "Miriam Levy          Birthday            15 March 2008       8 Adar II 5768      \r\n"
       "Sarah Cohen          Anniversary         13 September 2007   1 Tishri 5768       \r\n"
       "Sarah Cohen          Anniversary         30 September 2008   1 Tishri 5769       \r\n"},
      {Selection({{'B', "Nobody"}, {'Y', "Sarah Cohen"}}), 1, 2008, ""},  // an empty file
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.sortOrder);
    Folder setup("");
    const std::string out = setup.dir.File("dates.txt");
    MessageRecorder recorder;
    EXPECT_EQ(ExportAnniversariesToText(row.selection.data(), row.selection.size(), 2007, row.to,
                                        out.c_str(), row.sortOrder),
              1);
    EXPECT_TRUE(std::filesystem::exists(out));
    EXPECT_EQ(setup.dir.Read("dates.txt"), row.expected);
    ASSERT_EQ(recorder.shown.size(), 1u);
    EXPECT_EQ(recorder.shown[0].text, "Data was exported to file \"" + out + "\"");
    EXPECT_EQ(recorder.shown[0].icon, MessageIconInformation);
  }
}

TEST(AnniversaryText, LongTextsAreNotCut) {
  // Custom month names: September is long, the other months unset (empty).
  Folder setup("[Custom]\r\nCustomEnable=1\r\nMonthSeptember=September-of-the-long-name\r\n");
  const std::vector<char> selection = Selection({{'A', "Sarah Cohen"}});
  std::string text;
  ASSERT_EQ(AnniversaryTextTable(&setup.list, selection.data(), selection.size(), 2007, 2007,
                                 kAnniversarySortName, &text),
            1);
  EXPECT_EQ(text,
            "Sarah Cohen          Anniversary         13 September-of-the-long-name 2007"
            "1 Tishri 5768       \r\n");
}

// The target is a folder: the file is written but cannot take its place.
TEST(AnniversaryText, AnUnwritableFileIsReportedAndNothingIsLeft) {
  Folder setup("");
  const std::string path = setup.dir.File("folder");
  std::filesystem::create_directory(path);
  MessageRecorder recorder;
  EXPECT_EQ(ExportAnniversariesToText(kChosen.data(), kChosen.size(), 2007, 2008, path.c_str(), 1), 0);
  ASSERT_EQ(recorder.shown.size(), 1u);
  EXPECT_EQ(recorder.shown[0].text, "Data could not be exported to file \"" + path + "\"");
  EXPECT_EQ(recorder.shown[0].icon, MessageIconError);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  EXPECT_TRUE(std::filesystem::is_empty(path));
}

}  // namespace
