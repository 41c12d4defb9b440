// The "Configure Zmanim" dialogs without a window: the choices they open
// with, the keys their OK writes and what it leaves alone.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "settings/settings.h"
#include "placetime/zmanim_form.h"
#include "platform/ini.h"
#include "support/scratch_dir.h"

namespace {

std::string Stored(const char* section, const char* key) {
  char value[256];
  IniReadString(section, key, "<missing>", value, sizeof value, kSettingsFile);
  return value;
}

// Rows of the form: 0 Alot Hashachar, 1 Earliest Tallit (two methods), 2
// Kriat Shema, 3 Tefila ... 8 Tzait Hakochavim (nine methods).
TEST(ZmanimForm, OpensOnTheStoredChoices) {
  // The settings, a row and its selection, the chametz selection.
  for (const auto& [ini, row, selected, chametz] : {std::tuple{"", 8, 0, 0},
                                                    {"[Zmanim]\r\nAlot Hashachar=AlotHashachar16\r\n", 0, 2, 0},
                                                    {"[Zmanim]\r\nTzait Hakochavim=Deg100\r\n", 8, 8, 0},
                                                    {"[ErevPesach]\r\nMethod=2\r\n", 0, 0, 1},
                                                    {"[ErevPesach]\r\nMethod=100\r\n", 0, 0, 0}}) {  // no item for 100
    ScratchDir dir;
    dir.Write(kSettingsFile, ini);
    ZmanimForm form;
    ZmanimFormOpen(&form, 1, 1);
    EXPECT_EQ(form.rows[row].selected * 10 + form.chametzSelected, selected * 10 + chametz) << ini;
    EXPECT_STREQ(form.rows[8].items[8], "10.0\xB0 below horizon");
    EXPECT_EQ(dir.Read(kSettingsFile), ini) << "opening writes nothing";
  }
}

// The chametz value comes only from a list the template has, with a
// selection; the zman keys only from a template with the zman lists.
TEST(ZmanimForm, OnlyTheListsOfTheTemplate) {
  // Zman lists, chametz list, its selection; Method and Alot Hashachar after OK.
  for (const auto& [zmanLists, chametzList, chametz, stored] : {std::tuple{0, 1, 1, "2 <missing>"},
                                                                {1, 0, 1, "<missing> AlotHashachar72"},
                                                                {1, 1, kZmanimNoSelection, "<missing> AlotHashachar72"},
                                                                {1, 1, 0, "1 AlotHashachar72"}}) {
    ScratchDir dir;
    ZmanimForm form;
    ZmanimFormOpen(&form, zmanLists, chametzList);
    form.chametzSelected = chametz;
    ZmanimFieldError error{};
    EXPECT_EQ(ZmanimFormApply(&form, &error), 1) << stored;
    EXPECT_EQ(Stored("ErevPesach", "Method") + " " + Stored("Zmanim", "Alot Hashachar"), stored);
  }
}

}  // namespace
