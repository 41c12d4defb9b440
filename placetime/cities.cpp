// The location database: built-in rows, the user's cities and their file,
// the merged lookup, and the logic of the location dialogs.
#include "placetime/cities.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "placetime/city_table.h"
#include "platform/byte_cursor.h"
#include "platform/datafile.h"
#include "platform/message.h"
#include "platform/text.h"

namespace {

constexpr int kPforzheimElevation = 263;  // the one built-in row that knows its height
constexpr int kMaxElevation = 32767;      // the most the file's packed field carries
constexpr int kMinTimeZone = -12;         // the zones clocks actually keep
constexpr int kMaxTimeZone = 14;
constexpr std::size_t kRecordMinimum = 16;  // length, latitude, longitude, zone: no name

// ---- Text ----------------------------------------------------------------

// A Windows-1252 letter in lower case; other bytes unchanged.
unsigned char FoldCase(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A: return 0x9A;  // S with caron
    case 0x8C: return 0x9C;  // OE
    case 0x8E: return 0x9E;  // Z with caron
    case 0x9F: return 0xFF;  // Y with diaeresis
    default: return c;
  }
}

// At most max - 1 bytes of `text` (stopping at its NUL) into out[max].
void CopyName(char* out, std::size_t max, const char* text) {
  std::size_t n = 0;
  if (text) {
    while (n + 1 < max && text[n] != '\0') ++n;
    std::memcpy(out, text, n);
  }
  out[n] = '\0';
}

// The built-in row's name, which fills its 40 bytes at most.
void RowName(const BuiltinCityRow& row, char* out, std::size_t max) {
  std::size_t n = 0;
  while (n < kBuiltinCityNameSize && n + 1 < max && row.name[n] != '\0') ++n;
  std::memcpy(out, row.name, n);
  out[n] = '\0';
}

// Compares in place: a lookup walks up to 1138 rows.
int RowNameEquals(const BuiltinCityRow& row, const char* name) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(row.name);
  const unsigned char* q = reinterpret_cast<const unsigned char*>(name);
  for (int i = 0; i < kBuiltinCityNameSize; ++i) {
    if (FoldCase(p[i]) != FoldCase(q[i])) return 0;
    if (p[i] == '\0') return 1;
  }
  return q[kBuiltinCityNameSize] == '\0';  // a name filling all 40 bytes
}

void SetValue(int* out, int value) {
  if (out) *out = value;
}

// Hands out a city's four values (any pointer may be null); returns 1.
int GiveCity(const CityRecord& city, int* latitude, int* longitude, int* timeZone, int* elevation) {
  SetValue(latitude, city.latitude);
  SetValue(longitude, city.longitude);
  SetValue(timeZone, city.timeZone);
  SetValue(elevation, city.elevation);
  return 1;
}

void ShowError(const char* text) { ShowMessage(text, "Error", MessageIconError); }


void ShowSaveError(const char* path) {
  std::string text = std::string("The location database could not be saved to \"") + path + "\"";
  ShowError(text.c_str());
}

// ---- Editor numbers ------------------------------------------------------

// A whole number as an edit control holds it: spaces around it, a sign
// only where `allowSign`, at least one digit, nothing else, and within
// the range of an int. Returns 1 and the value, or 0.
int ParseFieldNumber(const char* text, std::size_t size, int allowSign, int* value) {
  std::size_t n = 0;
  while (n < size && text[n] != '\0') ++n;
  std::size_t i = 0;
  while (i < n && text[i] == ' ') ++i;
  int negative = 0;
  if (allowSign && i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  std::size_t firstDigit = i;
  long long v = 0;
  while (i < n && text[i] >= '0' && text[i] <= '9') {
    v = v * 10 + (text[i++] - '0');
    if (v > 2147483648LL) return 0;  // past any int
  }
  if (i == firstDigit) return 0;
  while (i < n && text[i] == ' ') ++i;
  if (i != n) return 0;
  if (negative) v = -v;
  if (v > 2147483647LL || v < -2147483648LL) return 0;
  *value = static_cast<int>(v);
  return 1;
}

int IsBlank(const char* text, std::size_t size) {
  for (std::size_t i = 0; i < size && text[i] != '\0'; ++i)
    if (text[i] != ' ') return 0;
  return 1;
}

long long Magnitude(std::int32_t v) { return v < 0 ? -static_cast<long long>(v) : v; }

void FormatNumber(char* out, std::size_t size, long long value) {
  std::snprintf(out, size, "%lld", value);
}

}  // namespace

UserCityList* UserCities() {
  static UserCityList list{};
  return &list;
}

int CityNameCompare(const char* a, const char* b) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* q = reinterpret_cast<const unsigned char*>(b);
  for (;; ++p, ++q) {
    unsigned char x = FoldCase(*p), y = FoldCase(*q);
    if (x != y) return x < y ? -1 : 1;
    if (x == '\0') return 0;
  }
}

// ---- Names as people type them --------------------------------------------

namespace {

// The base letters of U+00C0-U+00FF (lower case; '\0': not a letter).
constexpr char kLatin1Base[] = "aaaaaaaceeeeiiiidnooooo\0ouuuuyts" "aaaaaaaceeeeiiiidnooooo\0ouuuuyty";

char32_t LowerCase(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  // Latin Extended-A pairs capital and small letter, capital first: even
  // codes below U+0138 and from U+014A to U+0177, odd ones in between and
  // from U+0179 on.
  const int evenCapital = (c >= 0x100 && c < 0x138) || (c >= 0x14A && c < 0x178);
  const int oddCapital = (c >= 0x139 && c < 0x149) || (c >= 0x179 && c < 0x17F);
  if ((evenCapital && c % 2 == 0) || (oddCapital && c % 2 == 1)) return c + 1;
  if (c == 0x178) return 0xFF;
  return c;
}

// The base letters of U+0100-U+017F.
constexpr char kExtendedABase[] =
    "aaaaaaccccccccddddeeeeeeeeeegggggggghhhhiiiiiiiiiiiijjkkkllllllllllnnnnnnnnnoooooooorrrrrrsssssss"
    "sttttttuuuuuuuuuuuuwwyyyzzzzzzs";

}  // namespace

std::string FoldCityName(const std::string& utf8, int plain) {
  std::string out;
  for (std::size_t at = 0; at < utf8.size();) {
    const char32_t c = LowerCase(NextUtf8(utf8, &at));
    if (plain && c == 0xDF) {
      out += "ss";
    } else if (plain && (c == 0xE6 || c == 0x153)) {
      out += c == 0xE6 ? "ae" : "oe";
    } else if (plain && c >= 0xE0 && c <= 0xFF && kLatin1Base[c - 0xC0] != '\0') {
      out += kLatin1Base[c - 0xC0];
    } else if (plain && c >= 0x100 && c <= 0x17F) {
      out += kExtendedABase[c - 0x100];
    } else {
      AppendUtf8(c, &out);
    }
  }
  return out;
}

std::string CityNameUtf8(const UserCityList* list, const char* storedName) {
  if (list) {
    for (const CityRecord& city : list->cities)
      if (std::strcmp(city.name, storedName) == 0) return Utf8FromUserText(storedName);
  }
  return Utf8FromWindows1252(storedName);
}

int FindCityByTypedName(const UserCityList* list, const std::string& typed, std::string* storedName) {
  for (int plain = 0; plain <= 1; ++plain) {
    const std::string wanted = FoldCityName(typed, plain);
    if (list) {
      for (const CityRecord& city : list->cities) {
        if (FoldCityName(Utf8FromUserText(city.name), plain) != wanted) continue;
        *storedName = city.name;
        return 1;
      }
    }
    for (int i = 0; i < kBuiltinCityCount; ++i) {
      CityRecord city;
      GetBuiltinCity(i, &city);
      if (FoldCityName(Utf8FromWindows1252(city.name), plain) != wanted) continue;
      *storedName = city.name;
      return 1;
    }
  }
  return 0;
}

// ---- Lookups ---------------------------------------------------------------

int BuiltinCityCount() { return kBuiltinCityCount; }

int BuiltinDegreesMinutes(double value) {
  // The product of a dd.mm double and 100 lies a hair off the whole number
  // (50.47 * 100 = 5046.999...); six decimals round it back before the
  // integer part is taken.
  char text[64];
  std::snprintf(text, sizeof text, "%f", value * 100.0);
  return static_cast<int>(std::strtol(text, nullptr, 10));
}

int GetBuiltinCity(int index, CityRecord* out) {
  if (index < 0 || index >= kBuiltinCityCount) return 0;
  const BuiltinCityRow& row = kBuiltinCities[index];
  *out = CityRecord{};
  RowName(row, out->name, sizeof out->name);
  out->latitude = BuiltinDegreesMinutes(row.latitude);
  out->longitude = BuiltinDegreesMinutes(row.longitude);
  out->timeZone = row.timeZone;
  out->elevation = CityNameCompare(out->name, "Pforzheim") == 0 ? kPforzheimElevation : 0;
  return 1;
}

int LookupCityIn(const UserCityList* list, const char* name, int* latitude, int* longitude,
                 int* timeZone, int* elevation) {
  if (!name) return 0;
  if (list && FindUserCity(list, name, latitude, longitude, timeZone, elevation)) return 1;
  for (int i = 0; i < kBuiltinCityCount; ++i) {
    if (!RowNameEquals(kBuiltinCities[i], name)) continue;
    CityRecord city;
    GetBuiltinCity(i, &city);
    return GiveCity(city, latitude, longitude, timeZone, elevation);
  }
  return 0;
}

int LookupCity(const char* name, int* latitude, int* longitude, int* timeZone, int* elevation) {
  return LookupCityIn(UserCities(), name, latitude, longitude, timeZone, elevation);
}

// ---- The user list ---------------------------------------------------------

int FindUserCity(const UserCityList* list, const char* name, int* latitude, int* longitude,
                 int* timeZone, int* elevation) {
  if (!name) return 0;
  for (const CityRecord& city : list->cities) {
    if (CityNameCompare(city.name, name) != 0) continue;
    return GiveCity(city, latitude, longitude, timeZone, elevation);
  }
  return 0;
}

int GetUserCity(const UserCityList* list, int position, CityRecord* out) {
  if (position < 0 || static_cast<std::size_t>(position) >= list->cities.size()) return 0;
  *out = list->cities[position];
  return 1;
}

int UserCityCount(const UserCityList* list) { return static_cast<int>(list->cities.size()); }

void AddUserCity(UserCityList* list, const char* name, int latitude, int longitude, int timeZone,
                 int elevation) {
  CityRecord city{};
  CopyName(city.name, sizeof city.name, name);
  city.latitude = latitude;
  city.longitude = longitude;
  city.timeZone = timeZone;
  city.elevation = elevation;
  list->cities.insert(list->cities.begin(), city);
}

int RemoveUserCity(UserCityList* list, const char* name) {
  if (!name) return 0;
  for (auto it = list->cities.begin(); it != list->cities.end(); ++it) {
    if (CityNameCompare(it->name, name) == 0) {
      list->cities.erase(it);
      return 1;
    }
  }
  return 0;
}

void FreeUserCities(UserCityList* list) {
  list->cities.clear();
  list->cities.shrink_to_fit();
  list->damaged = 0;
}

// ---- The file --------------------------------------------------------------

std::int32_t PackZoneElevation(int timeZone, int elevation) {
  // Unsigned arithmetic: a value the field cannot carry wraps instead of
  // overflowing (the editor refuses such values before they get here).
  std::uint32_t magnitude = timeZone < 0 ? 0u - static_cast<std::uint32_t>(timeZone)
                                         : static_cast<std::uint32_t>(timeZone);
  std::uint32_t packed = magnitude + 65536u * static_cast<std::uint32_t>(elevation);
  if (timeZone < 0) packed = 0u - packed;
  return static_cast<std::int32_t>(packed);
}

void UnpackZoneElevation(std::int32_t packed, int* timeZone, int* elevation) {
  long long magnitude = Magnitude(packed);  // up to 2^31
  int zone = static_cast<int>(magnitude % 65536);
  *timeZone = packed < 0 ? -zone : zone;
  *elevation = static_cast<int>(magnitude / 65536);
}

int UserCitiesParse(const unsigned char* data, std::size_t length, UserCityList* list) {
  FreeUserCities(list);
  ByteCursor c = {data, data ? length : 0, 0, 1};
  int whole = 0;
  if (CursorUint32(&c) == kCitiesMagic) {
    std::uint32_t count = CursorUint32(&c);
    // Every record takes at least 16 bytes: a count the rest cannot hold
    // is damage, found before any record is read.
    int fits = c.ok && count <= CursorRemaining(&c) / kRecordMinimum;
    std::uint32_t i = 0;
    for (; fits && i < count; ++i) {
      std::uint32_t nameLength = CursorUint32(&c);
      if (!c.ok || nameLength > kCityNameSize - 1 || nameLength > CursorRemaining(&c)) break;
      char name[kCityNameSize];
      CursorBytes(&c, reinterpret_cast<unsigned char*>(name), nameLength);
      name[nameLength] = '\0';
      if (std::memchr(name, '\0', nameLength)) break;  // the name would be cut short
      std::int32_t latitude = CursorInt32(&c);
      std::int32_t longitude = CursorInt32(&c);
      std::int32_t packed = CursorInt32(&c);
      if (!c.ok) break;
      int timeZone, elevation;
      UnpackZoneElevation(packed, &timeZone, &elevation);
      AddUserCity(list, name, latitude, longitude, timeZone, elevation);
    }
    // Every record read, and no bytes the count does not account for.
    whole = fits && i == count && CursorRemaining(&c) == 0;
  }
  if (!whole) {
    // A damaged file is refused as a whole: half a list saved back at exit
    // would look like the user's own deletions.
    list->cities.clear();
    list->damaged = 1;
    return 0;
  }
  return 1;
}

void UserCitiesSerialize(const UserCityList* list, std::vector<unsigned char>* out) {
  out->clear();
  PutUint32(out, kCitiesMagic);
  PutUint32(out, static_cast<std::uint32_t>(list->cities.size()));
  for (const CityRecord& city : list->cities) {
    std::size_t n = 0;
    while (n < kCityNameSize - 1 && city.name[n] != '\0') ++n;
    PutUint32(out, static_cast<std::uint32_t>(n));
    out->insert(out->end(), city.name, city.name + n);
    PutUint32(out, static_cast<std::uint32_t>(city.latitude));
    PutUint32(out, static_cast<std::uint32_t>(city.longitude));
    PutUint32(out, static_cast<std::uint32_t>(PackZoneElevation(city.timeZone, city.elevation)));
  }
}

int CitiesFilePath(char* out, int outSize) { return DataFilePath(kCitiesFileName, out, outSize); }

int LoadUserCities(UserCityList* list, const char* path) {
  FreeUserCities(list);
  std::vector<unsigned char> bytes;
  int read = ReadWholeFile(path, &bytes);
  if (read == 0) return 0;  // no file yet
  if (read == -1) {
    // There but unreadable: nothing to show now, but the file must not be
    // replaced without a copy of it.
    list->damaged = 1;
    return 0;
  }
  if (read < 0 || !UserCitiesParse(bytes.data(), bytes.size(), list)) {
    list->cities.clear();
    list->damaged = 1;
    ShowError("Location database is corrupted");
    return 0;
  }
  return UserCityCount(list);
}

int SaveUserCities(UserCityList* list, const char* path) {
  // A file that did not load cleanly is kept beside it before it is
  // written over.
  std::vector<unsigned char> bytes;
  UserCitiesSerialize(list, &bytes);
  if (SaveDataFile(path, bytes, &list->damaged)) return 1;
  ShowSaveError(path);
  return 0;
}

// ---- The Select Location dialog ------------------------------------------

void SelectLocationFill(const UserCityList* list, const char* selectName, LocationChoices* out) {
  out->names.clear();
  out->names.reserve(kBuiltinCityCount + list->cities.size());
  char name[kBuiltinCityNameSize + 1];
  for (int i = 0; i < kBuiltinCityCount; ++i) {
    RowName(kBuiltinCities[i], name, sizeof name);
    out->names.emplace_back(name);
  }
  // A user city that overrides a built-in one, or repeats an earlier user
  // name, shows once.
  for (const CityRecord& city : list->cities) {
    bool present = std::any_of(out->names.begin(), out->names.end(), [&](const std::string& s) {
      return CityNameCompare(s.c_str(), city.name) == 0;
    });
    if (!present) out->names.emplace_back(city.name);
  }
  std::stable_sort(out->names.begin(), out->names.end(),
                   [](const std::string& a, const std::string& b) {
                     return CityNameCompare(a.c_str(), b.c_str()) < 0;
                   });
  out->selected = out->names.empty() ? -1 : 0;
  for (std::size_t i = 0; selectName && i < out->names.size(); ++i) {
    if (CityNameCompare(out->names[i].c_str(), selectName) == 0) {
      out->selected = static_cast<int>(i);
      break;
    }
  }
}

void SelectLocationInfo(const UserCityList* list, const char* name, char* out, int outSize) {
  if (!out || outSize <= 0) return;
  out[0] = '\0';
  int latitude, longitude, timeZone, elevation;
  if (!LookupCityIn(list, name, &latitude, &longitude, &timeZone, &elevation)) return;
  char zone[16] = "";
  if (timeZone >= 1) std::snprintf(zone, sizeof zone, "+%d", timeZone);
  else if (timeZone < 0) std::snprintf(zone, sizeof zone, "%d", timeZone);
  long long lat = Magnitude(latitude), lon = Magnitude(longitude);
  std::snprintf(out, static_cast<std::size_t>(outSize),
                "%s, %d,%02d%c, %d,%02d%c, GMT%s, Elevation: %d meters", name,
                static_cast<int>(lat / 100), static_cast<int>(lat % 100), latitude < 0 ? 'S' : 'N',
                static_cast<int>(lon / 100), static_cast<int>(lon % 100), longitude < 0 ? 'W' : 'E',
                zone, elevation);
}

namespace {

int HasSelection(const LocationChoices* choices) {
  return choices->selected >= 0 &&
         static_cast<std::size_t>(choices->selected) < choices->names.size();
}

void ShowWithName(const char* format, const char* name) {
  char text[kCityNameSize + 128];
  std::snprintf(text, sizeof text, format, name);
  ShowError(text);
}

}  // namespace

int SelectLocationOk(const LocationChoices* choices, char* cityName) {
  if (!HasSelection(choices)) {
    ShowError("A list item has to be selected");
    return 0;
  }
  CopyName(cityName, kCityNameSize, choices->names[choices->selected].c_str());
  return 1;
}

int SelectLocationAdd(UserCityList* list, LocationChoices* choices, EditLocationFunction edit,
                      void* context) {
  LocationEditBlock block{};
  CopyName(block.title, sizeof block.title, "Add new location");
  block.isNew = 1;
  if (!edit(&block, context)) return 0;
  const CityRecord& city = block.city;
  AddUserCity(list, city.name, city.latitude, city.longitude, city.timeZone, city.elevation);
  SelectLocationFill(list, city.name, choices);
  return 1;
}

int SelectLocationModify(UserCityList* list, LocationChoices* choices, EditLocationFunction edit,
                         void* context) {
  if (!HasSelection(choices)) {
    ShowError("An entry must be selected");
    return 0;
  }
  char oldName[kCityNameSize];
  CopyName(oldName, sizeof oldName, choices->names[choices->selected].c_str());
  LocationEditBlock block{};
  CityRecord& city = block.city;
  int latitude, longitude, timeZone, elevation;
  if (!LookupCityIn(list, oldName, &latitude, &longitude, &timeZone, &elevation)) {
    ShowWithName("City \"%s\" was not found", oldName);
    return 0;
  }
  CopyName(block.title, sizeof block.title, "Modify existing location");
  block.isNew = 0;
  CopyName(city.name, sizeof city.name, oldName);
  city.latitude = latitude;
  city.longitude = longitude;
  city.timeZone = timeZone;
  city.elevation = elevation;
  if (!edit(&block, context)) return 0;
  // A built-in row is never touched: modifying one adds a user city that
  // overrides it.
  RemoveUserCity(list, oldName);
  AddUserCity(list, city.name, city.latitude, city.longitude, city.timeZone, city.elevation);
  SelectLocationFill(list, city.name, choices);
  return 1;
}

int SelectLocationRemove(UserCityList* list, LocationChoices* choices) {
  if (!HasSelection(choices)) {
    ShowError("An entry must be selected");
    return 0;
  }
  char name[kCityNameSize];
  CopyName(name, sizeof name, choices->names[choices->selected].c_str());
  if (!FindUserCity(list, name, nullptr, nullptr, nullptr, nullptr)) {
    ShowError("A built-in location cannot be removed");
    return 0;
  }
  char question[kCityNameSize + 128];
  std::snprintf(question, sizeof question, "Are you sure that you want to delete the city \"%s\"?",
                name);
  if (!ShowMessage(question, "Question", MessageIconQuestion)) return 0;
  RemoveUserCity(list, name);
  // A built-in city of the same name comes back, selected.
  SelectLocationFill(list, name, choices);
  return 1;
}

// ---- The location editor -------------------------------------------------

void LocationEditFill(const LocationEditBlock* block, LocationEditFields* fields) {
  *fields = LocationEditFields{};
  if (block->isNew) return;
  const CityRecord& city = block->city;
  CopyName(fields->name, sizeof fields->name, city.name);
  long long lat = Magnitude(city.latitude), lon = Magnitude(city.longitude);
  FormatNumber(fields->latitudeDegrees, sizeof fields->latitudeDegrees, lat / 100);
  FormatNumber(fields->latitudeMinutes, sizeof fields->latitudeMinutes, lat % 100);
  fields->south = city.latitude < 0;
  fields->north = !fields->south;
  FormatNumber(fields->longitudeDegrees, sizeof fields->longitudeDegrees, lon / 100);
  FormatNumber(fields->longitudeMinutes, sizeof fields->longitudeMinutes, lon % 100);
  fields->west = city.longitude < 0;
  fields->east = !fields->west;
  FormatNumber(fields->timeZone, sizeof fields->timeZone, city.timeZone);
  FormatNumber(fields->elevation, sizeof fields->elevation, city.elevation);
}

namespace {

int Fail(LocationEditError* error, const char* message, LocationEditControl control) {
  if (error) *error = LocationEditError{message, control};
  return 0;
}

// One number field: a number within low..high, else its message and
// control. On success *value holds it.
int CheckNumber(const char (&text)[32], int allowSign, int low, int high, const char* notNumber,
                const char* outOfRange, LocationEditControl control, int* value,
                LocationEditError* error) {
  if (!ParseFieldNumber(text, sizeof text, allowSign, value))
    return Fail(error, notNumber, control);
  if (*value < low || *value > high) return Fail(error, outOfRange, control);
  return 1;
}

}  // namespace

int LocationEditSave(const LocationEditFields* fields, LocationEditBlock* block,
                     LocationEditError* error) {
  if (IsBlank(fields->name, sizeof fields->name))
    return Fail(error, "City Name must not be blank", kLocationEditName);
  int latDegrees, latMinutes, lonDegrees, lonMinutes, timeZone, elevation;
  if (!CheckNumber(fields->latitudeDegrees, 0, 0, 64, "Latitude degrees must be a number",
                   "Latitude degrees must be in range 0-64", kLocationEditLatitudeDegrees,
                   &latDegrees, error) ||
      !CheckNumber(fields->latitudeMinutes, 0, 0, 59, "Latitude minutes must be a number",
                   "Latitude minutes must be in range 0-59", kLocationEditLatitudeMinutes,
                   &latMinutes, error))
    return 0;
  if (!fields->north && !fields->south)
    return Fail(error, "North or South must be selected", kLocationEditNoControl);
  if (!CheckNumber(fields->longitudeDegrees, 0, 0, 179,
                   "Longitude degrees must be a number", "Longitude degrees must be in range 0-179",
                   kLocationEditLongitudeDegrees, &lonDegrees, error) ||
      !CheckNumber(fields->longitudeMinutes, 0, 0, 59,
                   "Longitude minutes must be a number", "Longitude minutes must be in range 0-59",
                   kLocationEditLongitudeMinutes, &lonMinutes, error))
    return 0;
  if (!fields->east && !fields->west)
    return Fail(error, "East or West must be selected", kLocationEditNoControl);
  // Zones run from -12 (the date line's west) to +14 (Kiribati), so every
  // clock on earth and every built-in row can be saved.
  if (!CheckNumber(fields->timeZone, 1, kMinTimeZone, kMaxTimeZone,
                   "Time zone must be a number", "Time Zone must be in range -12 to 14",
                   kLocationEditTimeZone, &timeZone, error))
    return 0;
  // The file packs the elevation above the zone: 0-32767 is what it carries.
  if (!CheckNumber(fields->elevation, 1, 0, kMaxElevation, "Elevation must be a number",
                   "Elevation must be in range 0-32767", kLocationEditElevation, &elevation,
                   error))
    return 0;

  CityRecord& city = block->city;
  CopyName(city.name, sizeof city.name, fields->name);
  city.latitude = latDegrees * 100 + latMinutes;
  if (fields->south) city.latitude = -city.latitude;
  city.longitude = lonDegrees * 100 + lonMinutes;
  if (fields->west) city.longitude = -city.longitude;
  city.timeZone = timeZone;
  city.elevation = elevation;
  return 1;
}
