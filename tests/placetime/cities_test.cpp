// The user's cities: the file's bytes, load and save (damaged files and
// their .bak, failed saves), the merged lookup, the Select Location dialog
// and the location editor.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "placetime/cities.h"
#include "platform/message.h"
#include "platform/datafile.h"
#include "support/message_recorder.h"
#include "support/scratch_dir.h"

namespace {

// The file's bytes, written out by hand.
struct Bytes {
  std::string text;
  Bytes& Int(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) text += static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
  }
  // A whole record: name length, name, latitude, longitude, packed field.
  Bytes& Record(const std::string& name, std::int32_t latitude, std::int32_t longitude,
                std::int32_t packed) {
    Int(static_cast<std::uint32_t>(name.size())).text += name;
    return Int(latitude).Int(longitude).Int(packed);
  }
  Bytes& Text(const std::string& s) { return text += s, *this; }
  const std::string& str() const { return text; }
};

Bytes Header(std::uint32_t count) { return Bytes().Int(kCitiesMagic).Int(count); }

// Three cities as the file holds them: Haifa, Eilat, Safed.
std::string ThreeCities() {
  return Header(3)
      .Record("Haifa", 3249, 3459, 2)
      .Record("Eilat", 2933, 3457, 2 + 5 * 65536)
      .Record("Safed", 3258, 3530, 2 + 900 * 65536)
      .str();
}

std::vector<std::string> Names(const UserCityList& list) {
  std::vector<std::string> names;
  for (int i = 0; i < UserCityCount(&list); ++i) {
    CityRecord city{};
    GetUserCity(&list, i, &city);
    names.emplace_back(city.name);
  }
  return names;
}

std::string PathOf(const ScratchDir& dir) {
  char path[1024];
  EXPECT_EQ(CitiesFilePath(path, sizeof path), 1);
  EXPECT_EQ(std::string(path), dir.File("Merovan Cities.bin"));
  return path;
}

const char kCorrupted[] = "Location database is corrupted";

// ---- Packing -------------------------------------------------------------

TEST(CitiesFile, ZoneAndElevationPacking) {
  // The sign of the zone carries the whole field; the elevation is the high half.
  for (const auto& [timeZone, elevation, packed] :
       {std::tuple{2, 800, 2 + 800 * 65536}, {-3, 10, -(3 + 10 * 65536)}, {0, 1, 65536}}) {
    EXPECT_EQ(PackZoneElevation(timeZone, elevation), packed) << timeZone;
    int zone = 99, height = 99;
    UnpackZoneElevation(packed, &zone, &height);
    EXPECT_EQ(zone * 100000 + height, timeZone * 100000 + elevation) << packed;
  }
  // A field no save writes still reads without overflow: |INT32_MIN| = 2^31.
  int timeZone = 99, elevation = 99;
  UnpackZoneElevation(INT32_MIN, &timeZone, &elevation);
  EXPECT_EQ(timeZone * 100000 + elevation, 32768);
}

// Damaged files are refused whole; each row says what is wrong.
TEST(CitiesFile, DamagedBytesAreRefused) {
  const std::string name255(255, 'n');
  struct Row {
    const char* id;
    std::string bytes;
    int whole;
  };
  const Row rows[] = {
      {"no records", Header(0).str(), 1},
      {"wrong magic", Bytes().Int(0xABCD0123).Int(0).str(), 0},
      {"255-byte name", Header(1).Record(name255, 1, 2, 3).str(), 1},
      {"256-byte name", Header(1).Record(name255 + "n", 1, 2, 3).str(), 0},
      {"NUL inside a name", Header(1).Record(std::string("Ha\0fa", 5), 1, 2, 3).str(), 0},
      {"one byte too many", Header(1).Record("Haifa", 1, 2, 3).Text("x").str(), 0},
  };
  for (const Row& row : rows) {
    // Exactly the file's bytes on the heap, so a sanitizer sees any overrun.
    std::vector<unsigned char> data(row.bytes.begin(), row.bytes.end());
    UserCityList list{};
    AddUserCity(&list, "left over", 0, 0, 0, 0);
    EXPECT_EQ(UserCitiesParse(data.data(), data.size(), &list), row.whole) << row.id;
    EXPECT_EQ(list.damaged, row.whole ? 0 : 1) << row.id;
    EXPECT_EQ(UserCityCount(&list), row.whole && row.bytes.size() > 8 ? 1 : 0) << row.id;
  }
}

// ---- Load and save -------------------------------------------------------

// Every truncation loads as corrupted; the whole file loads.
TEST(CitiesFile, EveryTruncationLoadsAsCorrupted) {
  ScratchDir dir;
  const std::string path = PathOf(dir);
  const std::string file = ThreeCities();
  for (std::size_t cut = 0; cut <= file.size(); ++cut) {
    dir.Write("Merovan Cities.bin", file.substr(0, cut));
    MessageRecorder messages;
    UserCityList list{};
    const int whole = cut == file.size();
    EXPECT_EQ(LoadUserCities(&list, path.c_str()), whole ? 3 : 0) << cut;
    EXPECT_EQ(list.damaged, 1 - whole) << cut;
    ASSERT_EQ(messages.shown.size(), whole ? 0u : 1u) << cut;
    if (!whole) {
      EXPECT_EQ(messages.shown[0].text, kCorrupted);
    }
  }
}

// A missing file loads silently as an empty list; each load puts every
// record at the head, so each round of load and save reverses the order.
TEST(CitiesFile, LoadAndSaveReverseTheRecords) {
  ScratchDir dir;
  const std::string path = PathOf(dir);
  MessageRecorder messages;
  UserCityList list{};
  AddUserCity(&list, "stale", 0, 0, 0, 0);
  EXPECT_EQ(LoadUserCities(&list, path.c_str()), 0);
  EXPECT_EQ(UserCityCount(&list) + list.damaged, 0);
  dir.Write("Merovan Cities.bin", ThreeCities());
  ASSERT_EQ(LoadUserCities(&list, path.c_str()), 3);
  ASSERT_EQ(SaveUserCities(&list, path.c_str()), 1);
  EXPECT_EQ(dir.Read("Merovan Cities.bin"), Header(3)
                                                .Record("Safed", 3258, 3530, 2 + 900 * 65536)
                                                .Record("Eilat", 2933, 3457, 2 + 5 * 65536)
                                                .Record("Haifa", 3249, 3459, 2)
                                                .str());
  EXPECT_FALSE(std::filesystem::exists(dir.File("Merovan Cities.bin.bak")));
  EXPECT_TRUE(messages.shown.empty());
}

// A damaged file is copied to .bak before a save replaces it; when the copy
// cannot be made, the damaged file stays and the save fails.
TEST(CitiesFile, DamagedFileIsKeptAsBakBeforeTheSave) {
  for (int bakBlocked : {0, 1}) {
    ScratchDir dir;
    const std::string path = PathOf(dir);
    const std::string damaged = Header(5).Record("Haifa", 3249, 3459, 2).str();
    dir.Write("Merovan Cities.bin", damaged);
    MessageRecorder messages;
    UserCityList list{};
    EXPECT_EQ(LoadUserCities(&list, path.c_str()), 0);
    if (bakBlocked) std::filesystem::create_directory(dir.File("Merovan Cities.bin.bak"));
    AddUserCity(&list, "Acre", 3255, 3504, 2, 0);
    ASSERT_EQ(SaveUserCities(&list, path.c_str()), 1 - bakBlocked);
    if (bakBlocked) {
      EXPECT_EQ(dir.Read("Merovan Cities.bin"), damaged);
      ASSERT_EQ(messages.shown.size(), 2u);
      EXPECT_EQ(messages.shown[1].text,
                "The location database could not be saved to \"" + path + "\"");
    } else {
      EXPECT_EQ(dir.Read("Merovan Cities.bin.bak"), damaged);
      EXPECT_EQ(dir.Read("Merovan Cities.bin"), Header(1).Record("Acre", 3255, 3504, 2).str());
      EXPECT_EQ(messages.shown.size(), 1u);
    }
  }
}

TEST(CitiesFile, FailedSaveKeepsTheOldFileAndSaysSo) {
  ScratchDir dir;
  const std::string path = PathOf(dir);
  dir.Write("Merovan Cities.bin", ThreeCities());
  UserCityList list{};
  // The new file cannot be written (a full disk, a refused folder).
  SetSaveFailure("No space left on device");
  MessageRecorder messages;
  EXPECT_EQ(SaveUserCities(&list, path.c_str()), 0);
  SetSaveFailure(nullptr);
  EXPECT_EQ(dir.Read("Merovan Cities.bin"), ThreeCities());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text,
            "The location database could not be saved to \"" + path + "\"");
}

// ---- The list and the merged lookup --------------------------------------

TEST(UserCities, NewestFirstAndFirstMatchWins) {
  UserCityList list{};
  AddUserCity(&list, "Haifa", 1, 1, 1, 1);
  AddUserCity(&list, "HAIFA", 2, 2, 2, 2);
  AddUserCity(&list, "Acre", 3, 3, 3, 3);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Acre", "HAIFA", "Haifa"}));
  int latitude = 0;
  ASSERT_EQ(FindUserCity(&list, "haifa", &latitude, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(latitude, 2);
  EXPECT_EQ(RemoveUserCity(&list, "Haifa"), 1);  // the newer one
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Acre", "Haifa"}));
  EXPECT_EQ(RemoveUserCity(&list, "Safed"), 0);
  EXPECT_EQ(FindUserCity(&list, "Safed", &latitude, nullptr, nullptr, nullptr), 0);
}

TEST(UserCities, CaseIsFoldedInWindows1252) {
  EXPECT_EQ(CityNameCompare("Z\xFCrich", "Z\xDCRICH"), 0);          // u umlaut
  EXPECT_EQ(CityNameCompare("\x8Aiauliai", "\x9Aiauliai"), 0);      // S caron
  EXPECT_EQ(CityNameCompare("\xDEorsh\xF6" "fn", "\xFEORSH\xD6" "FN"), 0);  // thorn
  EXPECT_NE(CityNameCompare("\xD7", "\xF7"), 0);  // multiplication and division signs
}

// ---- Select Location -----------------------------------------------------

int CountOf(const LocationChoices& choices, const char* name) {
  int n = 0;
  for (const std::string& s : choices.names) n += CityNameCompare(s.c_str(), name) == 0;
  return n;
}

TEST(SelectLocation, FillShowsEachUserNameOnceAndSelects) {
  UserCityList list{};
  AddUserCity(&list, "JERUSALEM", 3147, 3513, 2, 754);  // overrides a built-in row
  AddUserCity(&list, "Kibbutz Yotvata", 2953, 3501, 2, 0);
  AddUserCity(&list, "kibbutz yotvata", 2953, 3501, 2, 0);
  LocationChoices choices;
  SelectLocationFill(&list, "kibbutz YOTVATA", &choices);
  EXPECT_EQ(choices.names.size(), 1139u);
  EXPECT_EQ(CountOf(choices, "Jerusalem"), 1);
  ASSERT_GE(choices.selected, 0);
  EXPECT_EQ(CityNameCompare(choices.names[choices.selected].c_str(), "Kibbutz Yotvata"), 0);
  for (std::size_t i = 1; i < choices.names.size(); ++i)
    EXPECT_LE(CityNameCompare(choices.names[i - 1].c_str(), choices.names[i].c_str()), 0) << i;
  SelectLocationFill(&list, "Atlantis", &choices);
  EXPECT_EQ(choices.selected, 0);
}

TEST(SelectLocation, InformationLine) {
  UserCityList list{};
  AddUserCity(&list, "Greenwich", 5128, -1, 0, 25);
  const std::pair<const char*, const char*> rows[] = {
      {"Auckland", "Auckland, 36,53S, 174,45E, GMT+12, Elevation: 0 meters"},
      {"New York, NY", "New York, NY, 40,43N, 74,01W, GMT-5, Elevation: 0 meters"},
      {"Greenwich", "Greenwich, 51,28N, 0,01W, GMT, Elevation: 25 meters"},
      {"Atlantis", ""},
  };
  for (const auto& [name, expected] : rows) {
    char line[kLocationInfoSize] = "untouched";
    SelectLocationInfo(&list, name, line, sizeof line);
    EXPECT_STREQ(line, expected);
  }
  char small[12];  // a line that does not fit is cut, never overrun
  SelectLocationInfo(&list, "Auckland", small, sizeof small);
  EXPECT_STREQ(small, "Auckland, 3");
}

// A fake editor: keeps what it was handed and answers with a record.
struct FakeEditor {
  int save = 1;
  int calls = 0;
  LocationEditBlock received{};
  CityRecord answer{};

  static int Edit(LocationEditBlock* block, void* context) {
    auto* self = static_cast<FakeEditor*>(context);
    ++self->calls;
    self->received = *block;
    if (self->save) block->city = self->answer;
    return self->save;
  }
};

CityRecord City(const char* name, int latitude, int longitude, int timeZone, int elevation) {
  CityRecord city{};
  std::snprintf(city.name, sizeof city.name, "%s", name);
  city.latitude = latitude;
  city.longitude = longitude;
  city.timeZone = timeZone;
  city.elevation = elevation;
  return city;
}

TEST(SelectLocation, OkNeedsASelection) {
  MessageRecorder messages;
  LocationChoices choices{{"Haifa", "Acre"}, -1};
  char name[kCityNameSize] = "before";
  EXPECT_EQ(SelectLocationOk(&choices, name), 0);
  EXPECT_STREQ(name, "before");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "A list item has to be selected");
  choices.selected = 1;
  EXPECT_EQ(SelectLocationOk(&choices, name), 1);
  EXPECT_STREQ(name, "Acre");
}

TEST(SelectLocation, AddPutsTheNewCityAtTheHeadAndSelectsIt) {
  UserCityList list{};
  LocationChoices choices;
  SelectLocationFill(&list, "Aachen", &choices);
  FakeEditor editor;
  editor.answer = City("Mitzpe Ramon", 3036, 3448, 2, 860);
  EXPECT_EQ(SelectLocationAdd(&list, &choices, &FakeEditor::Edit, &editor), 1);
  EXPECT_STREQ(editor.received.title, "Add new location");
  EXPECT_EQ(editor.received.isNew, 1);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Mitzpe Ramon"}));
  EXPECT_EQ(choices.names[choices.selected], "Mitzpe Ramon");
  editor.save = 0;  // Cancel changes nothing
  EXPECT_EQ(SelectLocationAdd(&list, &choices, &FakeEditor::Edit, &editor), 0);
  EXPECT_EQ(UserCityCount(&list), 1);
}

TEST(SelectLocation, ModifyAndRemoveABuiltinCity) {
  MessageRecorder messages;
  UserCityList list{};
  LocationChoices choices;
  SelectLocationFill(&list, "Jerusalem", &choices);
  FakeEditor editor;
  editor.answer = City("Jerusalem", 3147, 3513, 2, 754);
  ASSERT_EQ(SelectLocationModify(&list, &choices, &FakeEditor::Edit, &editor), 1);
  EXPECT_STREQ(editor.received.title, "Modify existing location");
  EXPECT_EQ(editor.received.isNew, 0);
  EXPECT_EQ(editor.received.city.latitude, 3124);
  EXPECT_EQ(CountOf(choices, "Jerusalem"), 1);
  EXPECT_EQ(choices.names[choices.selected], "Jerusalem");
  int latitude, elevation;
  ASSERT_EQ(LookupCityIn(&list, "Jerusalem", &latitude, nullptr, nullptr, &elevation), 1);
  EXPECT_EQ(latitude * 10000 + elevation, 3147 * 10000 + 754);

  // Removing it asks, then brings the built-in values back.
  ASSERT_EQ(SelectLocationRemove(&list, &choices), 1);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Are you sure that you want to delete the city \"Jerusalem\"?");
  EXPECT_EQ(messages.shown[0].title, "Question");
  EXPECT_EQ(messages.shown[0].icon, MessageIconQuestion);
  EXPECT_EQ(choices.names[choices.selected], "Jerusalem");
  ASSERT_EQ(LookupCityIn(&list, "Jerusalem", &latitude, nullptr, nullptr, &elevation), 1);
  EXPECT_EQ(latitude * 10000 + elevation, 3124 * 10000);
}

TEST(SelectLocation, RefusalsAndTheirMessages) {
  struct Row {
    const char* selected;  // nullptr: nothing selected
    int modify;            // else Remove
    int answer;            // to the question
    const char* message;
  };
  constexpr Row kRows[] = {
      {nullptr, 0, 1, "An entry must be selected"},
      {"Atlantis", 1, 1, "City \"Atlantis\" was not found"},
      {"Aachen", 0, 1, "A built-in location cannot be removed"},
      {"Beit Shean", 0, 0, "Are you sure that you want to delete the city \"Beit Shean\"?"},
  };
  for (const Row& row : kRows) {
    MessageRecorder messages;
    messages.answer = row.answer;
    UserCityList list{};
    AddUserCity(&list, "Beit Shean", 3230, 3530, 2, 0);
    LocationChoices choices{{"Aachen", "Atlantis", "Beit Shean"}, -1};
    for (std::size_t i = 0; row.selected && i < choices.names.size(); ++i)
      if (choices.names[i] == row.selected) choices.selected = static_cast<int>(i);
    FakeEditor editor;
    EXPECT_EQ(row.modify ? SelectLocationModify(&list, &choices, &FakeEditor::Edit, &editor)
                         : SelectLocationRemove(&list, &choices),
              0)
        << row.message;
    EXPECT_EQ(editor.calls, 0) << row.message;
    EXPECT_EQ(UserCityCount(&list), 1) << row.message;
    ASSERT_EQ(messages.shown.size(), 1u) << row.message;
    EXPECT_EQ(messages.shown[0].text, row.message);
  }
}

// ---- The location editor -------------------------------------------------

void Set(char (&field)[32], const char* text) { std::snprintf(field, sizeof field, "%s", text); }

// The checks in their order: starting from an empty form, each row mends
// the field in error (or breaks it another way), and the next message is
// the next check's. Fields after the one in error are still empty, so a
// check run out of order shows up as the wrong message.
TEST(LocationEditor, ChecksInOrder) {
  using F = LocationEditFields;
  struct Row {
    void (*change)(F*);
    const char* message;  // nullptr: saved
    LocationEditControl control;
  };
  const Row rows[] = {
      {[](F*) {}, "City Name must not be blank", kLocationEditName},
      {[](F* f) { std::snprintf(f->name, sizeof f->name, " Eilat"); },
       "Latitude degrees must be a number", kLocationEditLatitudeDegrees},
      {[](F* f) { Set(f->latitudeDegrees, "65"); }, "Latitude degrees must be in range 0-64",
       kLocationEditLatitudeDegrees},
      {[](F* f) { Set(f->latitudeDegrees, "64"); }, "Latitude minutes must be a number",
       kLocationEditLatitudeMinutes},
      {[](F* f) { Set(f->latitudeMinutes, "60"); }, "Latitude minutes must be in range 0-59",
       kLocationEditLatitudeMinutes},
      {[](F* f) { Set(f->latitudeMinutes, "59"); }, "North or South must be selected",
       kLocationEditNoControl},
      {[](F* f) { f->south = 1; }, "Longitude degrees must be a number",
       kLocationEditLongitudeDegrees},
      {[](F* f) { Set(f->longitudeDegrees, "180"); }, "Longitude degrees must be in range 0-179",
       kLocationEditLongitudeDegrees},
      {[](F* f) { Set(f->longitudeDegrees, "179"); }, "Longitude minutes must be a number",
       kLocationEditLongitudeMinutes},
      {[](F* f) { Set(f->longitudeMinutes, "0"); }, "East or West must be selected",
       kLocationEditNoControl},
      {[](F* f) { f->west = 1; }, "Time zone must be a number", kLocationEditTimeZone},
      {[](F* f) { Set(f->timeZone, "-13"); }, "Time Zone must be in range -12 to 14",
       kLocationEditTimeZone},
      {[](F* f) { Set(f->timeZone, "14"); }, "Elevation must be a number",
       kLocationEditElevation},
      {[](F* f) { Set(f->elevation, "32768"); }, "Elevation must be in range 0-32767",
       kLocationEditElevation},
      {[](F* f) { Set(f->elevation, "32767"); }, nullptr, kLocationEditNoControl},
  };
  F fields{};
  LocationEditBlock block{};
  for (const Row& row : rows) {
    row.change(&fields);
    LocationEditError error{"none", kLocationEditNoControl};
    const int saved = LocationEditSave(&fields, &block, &error);
    EXPECT_EQ(saved, row.message ? 0 : 1) << error.message;
    if (!row.message) continue;
    EXPECT_STREQ(error.message, row.message);
    EXPECT_EQ(error.control, row.control) << row.message;
  }
  // The record as typed: leading spaces kept, S and W negate.
  EXPECT_STREQ(block.city.name, " Eilat");
  EXPECT_EQ(block.city.latitude, -6459);
  EXPECT_EQ(block.city.longitude, -17900);
  EXPECT_EQ(block.city.timeZone, 14);
  EXPECT_EQ(block.city.elevation, 32767);
}

// What counts as a number: an unsigned field takes digits only, a signed
// one a sign too; spaces around it are fine, anything else is not.
TEST(LocationEditor, NumbersAsTyped) {
  struct Row {
    const char* text;
    int unsignedOk;  // as latitude degrees (0-64)
    int signedOk;    // as time zone (-12..14)
  };
  constexpr Row kRows[] = {
      {" 12 ", 1, 1}, {"-5", 0, 1}, {"+5", 0, 1}, {"", 0, 0},          {"1.5", 0, 0},
      {"12a", 0, 0},  {"- 5", 0, 0}, {"-", 0, 0}, {"4294967296", 0, 0},  // beyond an int
  };
  for (const Row& row : kRows) {
    LocationEditFields fields{};
    std::snprintf(fields.name, sizeof fields.name, "Here");
    Set(fields.latitudeDegrees, row.text);
    Set(fields.latitudeMinutes, "1");
    fields.north = fields.east = 1;
    Set(fields.longitudeDegrees, "2");
    Set(fields.longitudeMinutes, "3");
    Set(fields.timeZone, "4");
    Set(fields.elevation, "5");
    LocationEditBlock block{};
    LocationEditError error{};
    EXPECT_EQ(LocationEditSave(&fields, &block, &error), row.unsignedOk) << "[" << row.text << "]";
    if (row.unsignedOk) {
      EXPECT_EQ(block.city.latitude, 1201);
    }
    Set(fields.latitudeDegrees, "1");
    Set(fields.timeZone, row.text);
    EXPECT_EQ(LocationEditSave(&fields, &block, &error), row.signedOk) << "[" << row.text << "]";
    if (row.signedOk) {
      EXPECT_EQ(block.city.timeZone, std::atoi(row.text));
    }
  }
}

// The form shows a record as typed: degrees and minutes apart, S and W as
// radio buttons; saved unchanged, the record comes back as it was.
TEST(LocationEditor, OpensEmptyOrOnTheRecord) {
  auto shown = [](const LocationEditFields& f) {
    return std::string(f.name) + "|" + f.latitudeDegrees + " " + f.latitudeMinutes +
           (f.south ? " S" : "") + (f.north ? " N" : "") + "|" + f.longitudeDegrees + " " +
           f.longitudeMinutes + (f.west ? " W" : "") + (f.east ? " E" : "") + "|" + f.timeZone +
           "|" + f.elevation;
  };
  LocationEditBlock block{};
  block.isNew = 1;
  block.city = City("ignored", 1, 2, 3, 4);
  LocationEditFields fields;
  LocationEditFill(&block, &fields);
  EXPECT_EQ(shown(fields), "| | ||");

  block.isNew = 0;
  block.city = City("New York, NY", -4043, -7401, -5, 10);
  LocationEditFill(&block, &fields);
  EXPECT_EQ(shown(fields), "New York, NY|40 43 S|74 1 W|-5|10");
  LocationEditBlock saved{};
  LocationEditError error{};
  ASSERT_EQ(LocationEditSave(&fields, &saved, &error), 1) << error.message;
  EXPECT_EQ(std::memcmp(&saved.city, &block.city, sizeof saved.city), 0);
}

}  // namespace
