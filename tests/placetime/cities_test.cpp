// The cities: the user's file, the list, Select Location, the location
// editor and the built-in table.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "placetime/cities.h"
#include "placetime/city_table.h"
#include "platform/datafile.h"
#include "platform/message.h"
#include "support/message_recorder.h"
#include "support/scratch_dir.h"

namespace {

// The file's bytes, written out by hand: the magic and the count, then
// records of name length, name, latitude, longitude and packed zone and
// elevation.
struct Bytes {
  std::string text;
  Bytes& Int(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) text += static_cast<char>((v >> (8 * i)) & 0xFF);
    return *this;
  }
  Bytes& Record(const std::string& name, std::int32_t latitude, std::int32_t longitude, std::int32_t packed) {
    Int(static_cast<std::uint32_t>(name.size())).text += name;
    return Int(latitude).Int(longitude).Int(packed);
  }
};

Bytes Header(std::uint32_t count) { return Bytes().Int(kCitiesMagic).Int(count); }

// Haifa (zone 2), Eilat (zone 2, 5 m), Safed (zone 2, 900 m).
const std::string kThreeCities =
    Header(3).Record("Haifa", 3249, 3459, 2).Record("Eilat", 2933, 3457, 2 + 5 * 65536).Record("Safed", 3258, 3530, 2 + 900 * 65536).text;

std::vector<std::string> Names(const UserCityList& list) {
  std::vector<std::string> names;
  CityRecord city{};
  for (int i = 0; GetUserCity(&list, i, &city); ++i) names.emplace_back(city.name);
  return names;
}

TEST(CitiesFile, ZoneAndElevationPacking) {
  // The sign of the zone carries the whole field; the elevation is the high
  // half. A field no save writes still reads without overflow.
  for (const auto& [timeZone, elevation, packed] :
       {std::tuple{2, 800, 2 + 800 * 65536}, {-3, 10, -(3 + 10 * 65536)}, {0, 1, 65536}, {0, 32768, INT32_MIN}}) {
    EXPECT_EQ(packed == INT32_MIN ? packed : PackZoneElevation(timeZone, elevation), packed) << timeZone;
    int zone = 99, height = 99;
    UnpackZoneElevation(packed, &zone, &height);
    EXPECT_EQ(zone * 100000 + height, timeZone * 100000 + elevation) << packed;
  }
}

// Damaged bytes are refused whole, and so is every truncation of a good
// file, with one message on loading.
TEST(CitiesFile, DamagedAndTruncatedFilesAreRefusedWhole) {
  const std::string name255(255, 'n');
  std::vector<std::pair<std::string, int>> rows = {  // the bytes, the cities read (-1: refused)
      {Header(0).text, 0},
      {Bytes().Int(0xABCD0123).Int(0).text, -1},  // wrong magic
      {Header(1).Record(name255, 1, 2, 3).text, 1},
      {Header(1).Record(name255 + "n", 1, 2, 3).text, -1},
      {Header(1).Record(std::string("Ha\0fa", 5), 1, 2, 3).text, -1},
      {Header(1).Record("Haifa", 1, 2, 3).text + "x", -1},
  };
  for (std::size_t cut = 0; cut <= kThreeCities.size(); ++cut)
    rows.push_back({kThreeCities.substr(0, cut), cut == kThreeCities.size() ? 3 : -1});
  for (const auto& [bytes, cities] : rows) {
    std::vector<unsigned char> data(bytes.begin(), bytes.end());  // on the heap: a sanitizer sees overruns
    UserCityList list{};
    AddUserCity(&list, "left over", 0, 0, 0, 0);
    EXPECT_EQ(UserCitiesParse(data.data(), data.size(), &list), cities >= 0) << bytes.size();
    EXPECT_EQ(list.damaged * 10 + UserCityCount(&list), cities >= 0 ? cities : 10) << bytes.size();
  }
  ScratchDir dir;
  dir.Write(kCitiesFileName, kThreeCities.substr(0, 20));
  MessageRecorder messages;
  UserCityList list{};
  EXPECT_EQ(LoadUserCities(&list, dir.File(kCitiesFileName).c_str()), 0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Location database is corrupted");
}

// A missing file loads silently as an empty list. Each load puts every
// record at the head, so a round of load and save reverses the order. A
// damaged file is copied to .bak before a save replaces it; when the new
// file cannot be made, the old file stays and the save fails.
TEST(CitiesFile, LoadAndSave) {
  const std::string damaged = Header(5).Record("Haifa", 3249, 3459, 2).text;
  const std::string acre = Header(1).Record("Acre", 3255, 3504, 2).text;
  const std::string reversed = Header(3).Record("Safed", 3258, 3530, 2 + 900 * 65536).Record("Eilat", 2933, 3457, 2 + 5 * 65536).Record("Haifa", 3249, 3459, 2).text;
  // The file before ("": none), the save's failure; the file
  // and .bak after, the messages (the last says the save failed, if it did).
  const std::tuple<std::string, const char*, std::string, std::string, std::size_t> rows[] = {
      {"", nullptr, acre, "", 0},
      {kThreeCities, nullptr, reversed, "", 0},
      {damaged, nullptr, acre, damaged, 1},
      {kThreeCities, "No space left on device", kThreeCities, "", 1},
  };
  for (const auto& [before, saveFailure, after, bak, shown] : rows) {
    ScratchDir dir;
    char path[1024];
    ASSERT_EQ(CitiesFilePath(path, sizeof path), 1);
    ASSERT_EQ(path, dir.File(kCitiesFileName));
    if (!before.empty()) dir.Write(kCitiesFileName, before);
    MessageRecorder messages;
    UserCityList list{};
    AddUserCity(&list, "stale", 0, 0, 0, 0);
    EXPECT_EQ(LoadUserCities(&list, path), before == kThreeCities ? 3 : 0);
    if (before != kThreeCities) AddUserCity(&list, "Acre", 3255, 3504, 2, 0);
    SetSaveFailure(saveFailure);
    const int saved = SaveUserCities(&list, path);
    SetSaveFailure(nullptr);
    EXPECT_EQ(saved, !saveFailure) << shown;
    EXPECT_EQ(dir.Read(kCitiesFileName), after);
    EXPECT_EQ(dir.Read("Merovan Cities.bin.bak"), bak);
    ASSERT_EQ(messages.shown.size(), shown);
    const std::string failed = "The location database could not be saved to \"" + std::string(path) + "\"";
    EXPECT_EQ(saved ? failed : messages.shown.back().text, failed);
  }
}

TEST(UserCities, NewestFirstFirstMatchWinsAndCaseFoldedInWindows1252) {
  UserCityList list{};
  AddUserCity(&list, "Haifa", 1, 1, 1, 1);
  AddUserCity(&list, "HAIFA", 2, 2, 2, 2);
  AddUserCity(&list, "Acre", 3, 3, 3, 3);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Acre", "HAIFA", "Haifa"}));
  int latitude = 0;
  ASSERT_EQ(FindUserCity(&list, "haifa", &latitude, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(latitude, 2);
  EXPECT_EQ(RemoveUserCity(&list, "Haifa"), 1);  // the newer one
  EXPECT_EQ(RemoveUserCity(&list, "Safed"), 0);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Acre", "Haifa"}));
  for (const auto& [a, b, same] : {std::tuple{"Z\xFCrich", "Z\xDCRICH", 1},      // u umlaut
                                   {"\x8Aiauliai", "\x9Aiauliai", 1},            // S caron
                                   {"\xDEorsh\xF6" "fn", "\xFEORSH\xD6" "FN", 1},  // thorn
                                   {"\xD7", "\xF7", 0}})                         // times, divided by
    EXPECT_EQ(CityNameCompare(a, b) == 0, same) << a;
}

TEST(SelectLocation, FillAndInformationLine) {
  UserCityList list{};
  AddUserCity(&list, "JERUSALEM", 3147, 3513, 2, 754);  // overrides a built-in row
  AddUserCity(&list, "Kibbutz Yotvata", 2953, 3501, 2, 0);
  AddUserCity(&list, "kibbutz yotvata", 2953, 3501, 2, 0);
  AddUserCity(&list, "Greenwich", 5128, -1, 0, 25);
  LocationChoices choices;
  SelectLocationFill(&list, "kibbutz YOTVATA", &choices);
  int jerusalem = 0, yotvata = 0;
  for (const std::string& name : choices.names) {
    jerusalem += CityNameCompare(name.c_str(), "Jerusalem") == 0;
    yotvata += CityNameCompare(name.c_str(), "Kibbutz Yotvata") == 0;
  }
  EXPECT_EQ(jerusalem * 10 + yotvata, 11);
  ASSERT_GE(choices.selected, 0);
  EXPECT_EQ(CityNameCompare(choices.names[choices.selected].c_str(), "Kibbutz Yotvata"), 0);
  SelectLocationFill(&list, "Atlantis", &choices);
  EXPECT_EQ(choices.selected, 0);
  for (const auto& [name, size, expected] :
       {std::tuple{"Auckland", kLocationInfoSize, "Auckland, 36,53S, 174,45E, GMT+12, Elevation: 0 meters"},
        {"New York, NY", kLocationInfoSize, "New York, NY, 40,43N, 74,01W, GMT-5, Elevation: 0 meters"},
        {"Greenwich", kLocationInfoSize, "Greenwich, 51,28N, 0,01W, GMT, Elevation: 25 meters"},
        {"Atlantis", kLocationInfoSize, ""},
        {"Auckland", 12, "Auckland, 3"}}) {  // cut, never overrun
    char line[kLocationInfoSize + 1];
    std::memset(line, '#', sizeof line);
    SelectLocationInfo(&list, name, line, size);
    EXPECT_STREQ(line, expected);
    EXPECT_EQ(line[size], '#');
  }
}

TEST(SelectLocation, RefusalsAndTheirMessages) {
  // The selection (nullptr: none), 'O'k, 'M'odify or 'R'emove, the answer
  // to the question, the message.
  constexpr std::tuple<const char*, char, int, const char*> kRows[] = {
      {nullptr, 'O', 1, "A list item has to be selected"},
      {nullptr, 'R', 1, "An entry must be selected"},
      {"Atlantis", 'M', 1, "City \"Atlantis\" was not found"},
      {"Aachen", 'R', 1, "A built-in location cannot be removed"},
      {"Beit Shean", 'R', 0, "Are you sure that you want to delete the city \"Beit Shean\"?"},
  };
  for (const auto& [selected, action, answer, message] : kRows) {
    MessageRecorder messages;
    messages.answer = answer;
    UserCityList list{};
    AddUserCity(&list, "Beit Shean", 3230, 3530, 2, 0);
    LocationChoices choices{{"Aachen", "Atlantis", "Beit Shean"}, -1};
    for (std::size_t i = 0; selected && i < choices.names.size(); ++i)
      if (choices.names[i] == selected) choices.selected = static_cast<int>(i);
    int edits = 0;  // the editor is never opened
    auto edit = [](LocationEditBlock*, void* count) { return ++*static_cast<int*>(count); };
    char name[kCityNameSize] = "before";
    EXPECT_EQ(action == 'O'   ? SelectLocationOk(&choices, name)
              : action == 'M' ? SelectLocationModify(&list, &choices, edit, &edits)
                                  : SelectLocationRemove(&list, &choices),
              0)
        << message;
    EXPECT_EQ(edits * 10 + UserCityCount(&list), 1) << message;
    EXPECT_STREQ(name, "before");
    ASSERT_EQ(messages.shown.size(), 1u) << message;
    EXPECT_EQ(messages.shown[0].text, message);
  }
  LocationChoices choices{{"Haifa", "Acre"}, 1};
  char name[kCityNameSize] = "";
  EXPECT_EQ(SelectLocationOk(&choices, name), 1);
  EXPECT_STREQ(name, "Acre");
}

void Set(char (&field)[32], const char* text) { std::snprintf(field, sizeof field, "%s", text); }

// From an empty form each row mends the field in error (or breaks it
// another way): a check run out of order shows the wrong message. A number
// is digits (a signed one may have a sign) with spaces around, within an int.
TEST(LocationEditor, ChecksInOrder) {
  using F = LocationEditFields;
  // Each change, then the message (nullptr: saved) and its field.
  const std::tuple<void (*)(F*), const char*, LocationEditControl> rows[] = {
      {[](F*) {}, "City Name must not be blank", kLocationEditName},
      {[](F* f) { std::snprintf(f->name, sizeof f->name, " Eilat"); }, "Latitude degrees must be a number", kLocationEditLatitudeDegrees},
      {[](F* f) { Set(f->latitudeDegrees, "4294967296"); }, "Latitude degrees must be a number", kLocationEditLatitudeDegrees},
      {[](F* f) { Set(f->latitudeDegrees, "+5"); }, "Latitude degrees must be a number", kLocationEditLatitudeDegrees},
      {[](F* f) { Set(f->latitudeDegrees, "65"); }, "Latitude degrees must be in range 0-64", kLocationEditLatitudeDegrees},
      {[](F* f) { Set(f->latitudeDegrees, " 64 "); }, "Latitude minutes must be a number", kLocationEditLatitudeMinutes},
      {[](F* f) { Set(f->latitudeMinutes, "60"); }, "Latitude minutes must be in range 0-59", kLocationEditLatitudeMinutes},
      {[](F* f) { Set(f->latitudeMinutes, "59"); }, "North or South must be selected", kLocationEditNoControl},
      {[](F* f) { f->south = 1; }, "Longitude degrees must be a number", kLocationEditLongitudeDegrees},
      {[](F* f) { Set(f->longitudeDegrees, "180"); }, "Longitude degrees must be in range 0-179", kLocationEditLongitudeDegrees},
      {[](F* f) { Set(f->longitudeDegrees, "179"); }, "Longitude minutes must be a number", kLocationEditLongitudeMinutes},
      {[](F* f) { Set(f->longitudeMinutes, "0"); }, "East or West must be selected", kLocationEditNoControl},
      {[](F* f) { f->west = 1; }, "Time zone must be a number", kLocationEditTimeZone},
      {[](F* f) { Set(f->timeZone, "- 5"); }, "Time zone must be a number", kLocationEditTimeZone},
      {[](F* f) { Set(f->timeZone, "-13"); }, "Time Zone must be in range -12 to 14", kLocationEditTimeZone},
      {[](F* f) { Set(f->timeZone, "+14"); }, "Elevation must be a number", kLocationEditElevation},
      {[](F* f) { Set(f->elevation, "1.5"); }, "Elevation must be a number", kLocationEditElevation},
      {[](F* f) { Set(f->elevation, "32768"); }, "Elevation must be in range 0-32767", kLocationEditElevation},
      {[](F* f) { Set(f->elevation, "32767"); }, nullptr, kLocationEditNoControl},
  };
  F fields{};
  LocationEditBlock block{};
  for (const auto& [change, message, control] : rows) {
    change(&fields);
    LocationEditError error{nullptr, kLocationEditNoControl};
    EXPECT_EQ(LocationEditSave(&fields, &block, &error), message ? 0 : 1) << message;
    EXPECT_STREQ(error.message, message);
    EXPECT_EQ(error.control, control) << message;
  }
  // The record as typed: leading spaces kept, S and W negate.
  const CityRecord expected = CityRecord{" Eilat", -6459, -17900, 14, 32767};
  EXPECT_EQ(std::memcmp(&block.city, &expected, sizeof expected), 0) << block.city.latitude << " " << block.city.longitude;
}

// Every row converts into its legal range, as plain rounding of its
// decimal literal does (dd.mm times 100 lies a hair off the whole number:
// a plain cast gives 5046 for 50.47).
TEST(BuiltinCityTable, EveryRowInRangeAndLookups) {
  for (int i = 0; i < kBuiltinCityCount; ++i) {
    const BuiltinCityRow& raw = kBuiltinCities[i];
    CityRecord city{};
    ASSERT_EQ(GetBuiltinCity(i, &city), 1);
    ASSERT_NE(std::memchr(raw.name, '\0', sizeof raw.name), nullptr) << i;
    EXPECT_EQ(city.latitude, std::lround(raw.latitude * 100)) << i;
    EXPECT_EQ(city.longitude, std::lround(raw.longitude * 100)) << i;
    EXPECT_TRUE(std::abs(city.latitude) <= 6451 && std::abs(city.latitude) % 100 < 60) << i;
    EXPECT_TRUE(std::abs(city.longitude) <= 18000 && std::abs(city.longitude) % 100 < 60) << i;
  }
  CityRecord city{};
  EXPECT_EQ(GetBuiltinCity(kBuiltinCityCount, &city) + GetBuiltinCity(-1, &city), 0);
  // A name is found whole, in any case; of two rows the first answers
  // (Pforzheim from GeoNames, 48.88436 N: 48 53 N).
  FreeUserCities(UserCities());
  for (const auto& [typed, found] : {std::pair{"PFORZHEIM", 4853}, {"New York", 0}, {"New York, NY ", 0}, {"tirana, albania", 4120}}) {
    int latitude = 0;
    EXPECT_EQ(LookupCity(typed, &latitude, nullptr, nullptr, nullptr), found != 0) << typed;
    EXPECT_EQ(latitude, found) << typed;
  }
}

}  // namespace
