// The "Configure Zmanim" dialogs without a window: the lists they open
// with, which keys their OK writes and what it leaves alone.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/settings.h"
#include "placetime/zmanim_form.h"
#include "platform/ini.h"
#include "support/scratch_dir.h"

namespace {

constexpr int kWithLists = 1;
constexpr int kWithChametz = 1;

std::string Stored(const char* section, const char* key) {
  char value[256];
  IniReadString(section, key, "<missing>", value, sizeof value, kSettingsFile);
  return value;
}

TEST(ZmanimForm, OpensWithTheNineChoiceZmanimAndDefaults) {
  ScratchDir dir;
  ZmanimForm form;
  std::memset(&form, 0x55, sizeof form);
  ZmanimFormOpen(&form, kWithLists, kWithChametz);
  EXPECT_STREQ(form.rows[0].label, "Alot Hashachar:");
  ASSERT_EQ(form.rows[8].itemCount, 9);  // Tzait Hakochavim
  EXPECT_STREQ(form.rows[8].items[8], "10.0\xB0 below horizon");
  for (int r = 0; r < kZmanimFormRows; ++r) EXPECT_EQ(form.rows[r].selected, 0) << r;
  EXPECT_EQ(form.chametzSelected, 0);
  EXPECT_EQ(dir.Read(kSettingsFile), "");  // opening writes nothing
}

TEST(ZmanimForm, OpeningSelectsTheStoredChoices) {
  struct Row {
    const char* id;
    const char* ini;
    int row;       // the form row checked
    int selected;  // in that row
    int chametz;   // the chametz list's selection
  };
  constexpr Row rows[] = {
      {"stored key", "[Zmanim]\r\nAlot Hashachar=AlotHashachar16\r\n", 0, 2, 0},
      {"last method", "[Zmanim]\r\nTzait Hakochavim=Deg100\r\n", 8, 8, 0},
      {"Magen Avraham", "[ErevPesach]\r\nMethod=2\r\n", 0, 0, 1},
      {"method 100 has no item", "[ErevPesach]\r\nMethod=100\r\n", 0, 0, 0},
  };
  for (const Row& row : rows) {
    ScratchDir dir;
    dir.Write(kSettingsFile, row.ini);
    ZmanimForm form;
    ZmanimFormOpen(&form, kWithLists, kWithChametz);
    EXPECT_EQ(form.rows[row.row].selected, row.selected) << row.id;
    EXPECT_EQ(form.chametzSelected, row.chametz) << row.id;
  }
}

TEST(ZmanimForm, OkWritesEveryMethodKeyAndTheChametzValue) {
  ScratchDir dir;
  ZmanimForm form;
  ZmanimFormOpen(&form, kWithLists, kWithChametz);
  form.rows[0].selected = 1;  // "90 min before sunrise"
  form.rows[2].selected = 1;  // Kriat Shema M"A
  form.rows[8].selected = 4;  // "7.08° below horizon"
  form.chametzSelected = 1;   // Magen Avraham
  ZmanimFieldError error{"untouched", -5};
  ASSERT_EQ(ZmanimFormApply(&form, &error), 1);
  EXPECT_EQ(error.message, nullptr);
  EXPECT_EQ(error.control, kZmanimControlNone);
  EXPECT_EQ(Stored("Zmanim", "Alot Hashachar"), "AlotHashachar90");
  EXPECT_EQ(Stored("Zmanim", "Kriat Shema"), "KriatShemaMA");
  EXPECT_EQ(Stored("Zmanim", "Plag Hamincha"), "PlagHaMinchaGRO");
  EXPECT_EQ(Stored("Zmanim", "Tzait Hakochavim"), "Deg708");
  EXPECT_EQ(Stored("Zmanim", "Hanetz Hachama"), "<missing>");  // fixed zmanim have no key
  EXPECT_EQ(Stored("Zmanim", "Shkiat Hachama"), "<missing>");
  EXPECT_EQ(Stored("ErevPesach", "Method"), "2");

  // What was written is what the next opening selects.
  ZmanimForm again;
  ZmanimFormOpen(&again, kWithLists, kWithChametz);
  for (int r = 0; r < kZmanimFormRows; ++r)
    EXPECT_EQ(again.rows[r].selected, form.rows[r].selected) << r;
  EXPECT_EQ(again.chametzSelected, 1);
}

TEST(ZmanimForm, ARowWithoutSelectionStopsTheWriting) {
  ScratchDir dir;
  dir.Write(kSettingsFile, "[ErevPesach]\r\nMethod=1\r\n");
  ZmanimForm form;
  ZmanimFormOpen(&form, kWithLists, kWithChametz);
  form.rows[3].selected = kZmanimNoSelection;  // Tefila
  form.chametzSelected = 1;
  ZmanimFieldError error{};
  ASSERT_EQ(ZmanimFormApply(&form, &error), 0);
  EXPECT_STREQ(error.message, "An entry has to be selected");
  EXPECT_EQ(error.control, kZmanimControlFirstList + 3);
  EXPECT_EQ(Stored("Zmanim", "Kriat Shema"), "KriatShemaGRO");
  EXPECT_EQ(Stored("Zmanim", "Tefila"), "<missing>");
  EXPECT_EQ(Stored("ErevPesach", "Method"), "1");

  // A selection past the row's last method is no selection either.
  form.rows[3].selected = 0;
  form.rows[1].selected = 2;  // Earliest Tallit has two methods
  ASSERT_EQ(ZmanimFormApply(&form, &error), 0);
  EXPECT_EQ(error.control, kZmanimControlFirstList + 1);
}

TEST(ZmanimForm, ChametzValueOnlyFromAListThatExistsAndIsSelected) {
  struct Row {
    const char* id;
    int hasZmanLists, hasChametzList, chametzSelected;
    const char* method;  // stored afterwards
    const char* alot;
  };
  constexpr Row rows[] = {
      {"chametz dialog alone", 0, 1, 1, "2", "<missing>"},
      {"main dialog without the list", 1, 0, 1, "<missing>", "AlotHashachar72"},
      {"no chametz selection", 1, 1, kZmanimNoSelection, "<missing>", "AlotHashachar72"},
      {"handheld page with both", 1, 1, 0, "1", "AlotHashachar72"},
  };
  for (const Row& row : rows) {
    ScratchDir dir;
    ZmanimForm form;
    ZmanimFormOpen(&form, row.hasZmanLists, row.hasChametzList);
    form.chametzSelected = row.chametzSelected;
    ZmanimFieldError error{};
    EXPECT_EQ(ZmanimFormApply(&form, &error), 1) << row.id;
    EXPECT_EQ(Stored("ErevPesach", "Method"), row.method) << row.id;
    EXPECT_EQ(Stored("Zmanim", "Alot Hashachar"), row.alot) << row.id;
  }
}

TEST(ZmanimForm, HandheldEmulationPicksTheTemplate) {
  ScratchDir dir;
  EXPECT_STREQ(ZmanimDialogTemplate(), "CONFIGZMANIM");
  dir.Write(kSettingsFile, "[HandheldPC]\r\nEmulate=1\r\n");
  EXPECT_STREQ(ZmanimDialogTemplate(), "HPCCONFIGZMANIM");
}

}  // namespace
