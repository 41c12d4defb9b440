// The location database: the built-in city table and the user's own
// cities ("Merovan Cities.bin"), the lookup that merges them, and the
// portable logic of the Select Location dialog and the location editor.
// Latitude and longitude are packed degrees-minutes: degrees * 100 +
// minutes, negative for South and West (50 deg 47 min North is 5047).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr char kCitiesFileName[] = "Merovan Cities.bin";
inline constexpr std::uint32_t kCitiesMagic = 0xABCD0122u;
constexpr int kCityNameSize = 256;  // 255 characters and the NUL

// Settings key of the current city and its default.
inline constexpr char kLocationSection[] = "Location";
inline constexpr char kCityNameKey[] = "CityName";
inline constexpr char kDefaultCityName[] = "New York, NY";

struct CityRecord {
  char name[kCityNameSize];  // compared without regard to letter case
  std::int32_t latitude;     // packed degrees-minutes, negative = South
  std::int32_t longitude;    // packed degrees-minutes, negative = West
  std::int32_t timeZone;     // whole hours east of GMT
  std::int32_t elevation;    // meters; 0 = not known
};

// The user's cities, newest first: every insertion goes to the head (index
// 0) and every search stops at the first match from the head.
struct UserCityList {
  std::vector<CityRecord> cities;
  int damaged;  // 1 when the file it came from was not read cleanly
};

// The process-wide list: loaded at start-up, changed only by the Select
// Location dialog, saved and freed at exit.
UserCityList* UserCities();

// Compares two names with the letters of Windows-1252 folded to lower
// case: <0, 0 or >0.
int CityNameCompare(const char* a, const char* b);

// ---- Names as people type them ---------------------------------------

// `utf8` folded for matching: letters in lower case and, with `plain`,
// without their accents ("Göteborg" -> "goteborg", "Straße" -> "strasse").
std::string FoldCityName(const std::string& utf8, int plain);
// A stored name as UTF-8: a user's city in the user's code page, a
// built-in one in Windows-1252.
std::string CityNameUtf8(const UserCityList* list, const char* storedName);
// The stored name of the city named `typed` (UTF-8): the first city, the
// user's first, whose name matches without regard to case; when none
// does, without regard to accents either. Returns 1, or 0.
int FindCityByTypedName(const UserCityList* list, const std::string& typed, std::string* storedName);

// ---- Lookups -----------------------------------------------------------

// The user list first (FindUserCity), then the built-in table from row 0.
// Returns 1 and the four values (any pointer may be null), or 0.
int LookupCityIn(const UserCityList* list, const char* name, int* latitude, int* longitude,
                 int* timeZone, int* elevation);
// LookupCityIn over the process-wide list.
int LookupCity(const char* name, int* latitude, int* longitude, int* timeZone, int* elevation);

// 1138.
int BuiltinCityCount();
// Row `index` as a record: dd.mm times 100 and back through "%f", which
// absorbs the rounding error of the double (50.47 gives 5047). The row
// named "Pforzheim" has the elevation 263, every other row 0. Returns 1, or
// 0 for an index outside 0-1137.
int GetBuiltinCity(int index, CityRecord* out);
// A dd.mm value of the table as packed degrees-minutes.
int BuiltinDegreesMinutes(double value);

// The four values of the first node named `name`. Returns 1, or 0.
int FindUserCity(const UserCityList* list, const char* name, int* latitude, int* longitude,
                 int* timeZone, int* elevation);
// The node `position` places from the head. Returns 1, or 0 when the list
// is shorter.
int GetUserCity(const UserCityList* list, int position, CityRecord* out);
int UserCityCount(const UserCityList* list);
// Inserts a node at the head; a node of the same name stays. The name is
// cut to 255 characters.
void AddUserCity(UserCityList* list, const char* name, int latitude, int longitude, int timeZone,
                 int elevation);
// Removes the first node named `name`. Returns 1, or 0 when there is none.
int RemoveUserCity(UserCityList* list, const char* name);
// Empties the list (and clears the damage mark).
void FreeUserCities(UserCityList* list);

// ---- The file ----------------------------------------------------------
// Magic 0xABCD0122, the count N, then N records: name length L, L bytes of
// name, latitude, longitude, zone-and-elevation. All integers 32-bit
// little-endian; records head first.

// Zone-and-elevation: S * (|timeZone| + 65536 * elevation), S = -1 for a
// negative zone. It carries elevations 0-32767 and zones up to 65535 hours.
std::int32_t PackZoneElevation(int timeZone, int elevation);
// timeZone = sign(P) * (|P| mod 65536), elevation = |P| div 65536.
void UnpackZoneElevation(std::int32_t packed, int* timeZone, int* elevation);

// Empties the list, then reads the records of `length` bytes, each one
// inserted at the head (so the list runs in the reverse of the file's
// order). A wrong magic, a count or name length beyond the bytes, a name
// longer than 255 bytes or holding a NUL, or bytes left over make the file
// damaged: the list stays empty. Returns 1 for a whole file, else 0 and
// the list is marked damaged.
int UserCitiesParse(const unsigned char* data, std::size_t length, UserCityList* list);
// The bytes of the file for the list.
void UserCitiesSerialize(const UserCityList* list, std::vector<unsigned char>* out);

// The path of "Merovan Cities.bin" in the documents folder. Returns 1, or
// 0 (out = "") when it does not fit in outSize.
int CitiesFilePath(char* out, int outSize);
// Empties the list and loads the file at `path`. A missing file gives an
// empty list silently; a damaged one shows "Location database is
// corrupted" and gives an empty list marked damaged. Returns the number
// of records.
int LoadUserCities(UserCityList* list, const char* path);
// Replaces the file at `path` with the list (8 bytes for an empty one).
// When the list came from a file that did not load cleanly, that file is
// first kept beside it as path + ".bak". A failure leaves the old file
// whole and is shown as an error. Returns 1, or 0.
int SaveUserCities(UserCityList* list, const char* path);

// ---- The Select Location dialog ----------------------------------------

// The list box's items and its selection.
struct LocationChoices {
  std::vector<std::string> names;  // in the order the sorted list box shows them
  int selected;                    // index into names, -1 = nothing selected
};

// Fills the list: every built-in name (Tirana twice, as the table has it),
// then each user name unless an equal name (case ignored) is already
// there; sorted as the list box sorts (case ignored, ties kept in order).
// Selects the first item equal to `selectName`, else the first item.
void SelectLocationFill(const UserCityList* list, const char* selectName, LocationChoices* out);

constexpr int kLocationInfoSize = 320;
// The information line for `name`: "%s, %d,%02d%c, %d,%02d%c, GMT%s,
// Elevation: %d meters", or "" when LookupCityIn does not find it.
void SelectLocationInfo(const UserCityList* list, const char* name, char* out, int outSize);

// The block through which the editor receives and returns a record. The
// caller zero-fills it, sets the title and isNew, and for a modification
// the record.
struct LocationEditBlock {
  char title[256];
  std::int32_t isNew;
  CityRecord city;
};

// Opens the editor on `block`; returns 1 for Save (the block holds the
// edited record), 0 for Cancel. The dialog passes EditLocationDialog.
using EditLocationFunction = int (*)(LocationEditBlock* block, void* context);

// The buttons. Each shows its messages through ShowMessage (title "Error"
// with the stop icon, or "Question" for the removal), changes the list as
// the user confirms, and refills `choices`. Afterwards the dialog gives the
// focus back to the list box.

// OK: copies the selected name into cityName[256] and returns 1 (the
// dialog closes), or shows "A list item has to be selected" and returns 0.
int SelectLocationOk(const LocationChoices* choices, char* cityName);
// Add...: the editor on an empty record; on Save the record goes to the
// head of the list and is selected. Returns 1 when the list changed.
int SelectLocationAdd(UserCityList* list, LocationChoices* choices, EditLocationFunction edit,
                      void* context);
// Modify...: the editor on the selected city; on Save the user node of the
// old name (never a built-in row) is removed and the edited record added.
// Returns 1 when the list changed.
int SelectLocationModify(UserCityList* list, LocationChoices* choices, EditLocationFunction edit,
                         void* context);
// Remove...: after a Yes, removes the selected user city. Returns 1 when
// the list changed.
int SelectLocationRemove(UserCityList* list, LocationChoices* choices);

// ---- The location editor -----------------------------------------------

// The editor's controls, for the focus after a failed check.
enum LocationEditControl {
  kLocationEditNoControl = 0,  // the focus stays where it is
  kLocationEditName,
  kLocationEditLatitudeDegrees,
  kLocationEditLatitudeMinutes,
  kLocationEditLongitudeDegrees,
  kLocationEditLongitudeMinutes,
  kLocationEditTimeZone,
  kLocationEditElevation,
};

// The controls' contents as typed.
struct LocationEditFields {
  char name[kCityNameSize];
  char latitudeDegrees[32];
  char latitudeMinutes[32];
  int north;  // radio buttons: 1 = checked
  int south;
  char longitudeDegrees[32];
  char longitudeMinutes[32];
  int east;
  int west;
  char timeZone[32];
  char elevation[32];
};

struct LocationEditError {
  const char* message;  // shown under "Error" with the stop icon
  LocationEditControl control;
};

// The fields as the editor opens: empty and no radio button for a new
// record, else the record's values (S and W for negative values).
void LocationEditFill(const LocationEditBlock* block, LocationEditFields* fields);
// Save: the checks in their order; the first failure gives its message
// and control and returns 0. Otherwise the block's record is built from
// the fields (the name as typed, cut to 255 characters) and 1 returned.
int LocationEditSave(const LocationEditFields* fields, LocationEditBlock* block,
                     LocationEditError* error);
