// libFuzzer entry point for the cities file reader: any bytes must parse or
// be refused without a read out of bounds. A file read whole, written back
// and read again, must give the same cities in reverse order (the bytes may
// differ: a negative field with a zone of 0 reads back positive), and every
// city read must show in the information line and open in the editor
// without overrunning a buffer.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "placetime/cities.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Exactly the input's bytes on the heap, so that ASan sees any overrun.
  std::vector<unsigned char> bytes(data, data + size);
  UserCityList list{};
  if (!UserCitiesParse(bytes.data(), bytes.size(), &list)) {
    if (UserCityCount(&list) != 0 || !list.damaged) std::abort();  // refused whole
    return 0;
  }
  if (static_cast<std::size_t>(UserCityCount(&list)) > size / 16) std::abort();

  std::vector<unsigned char> written;
  UserCitiesSerialize(&list, &written);
  if (written.size() != size) std::abort();
  UserCityList back{};
  if (!UserCitiesParse(written.data(), written.size(), &back)) std::abort();
  const int count = UserCityCount(&list);
  if (UserCityCount(&back) != count) std::abort();
  for (int i = 0; i < count; ++i) {
    CityRecord a{}, b{};
    GetUserCity(&list, i, &a);
    GetUserCity(&back, count - 1 - i, &b);
    if (std::strcmp(a.name, b.name) != 0 || a.latitude != b.latitude ||
        a.longitude != b.longitude || a.timeZone != b.timeZone || a.elevation != b.elevation)
      std::abort();
  }

  for (int i = 0; i < UserCityCount(&list); ++i) {
    CityRecord city{};
    GetUserCity(&list, i, &city);
    char line[kLocationInfoSize];
    SelectLocationInfo(&list, city.name, line, sizeof line);
    LookupCityIn(nullptr, city.name, nullptr, nullptr, nullptr, nullptr);  // the built-in rows
    LocationEditBlock block{};
    block.city = city;
    LocationEditFields fields;
    LocationEditFill(&block, &fields);
    LocationEditError error{};
    LocationEditBlock saved{};
    if (LocationEditSave(&fields, &saved, &error)) {
      // What the editor accepts comes back as it went in.
      if (saved.city.latitude != city.latitude || saved.city.longitude != city.longitude ||
          saved.city.timeZone != city.timeZone || saved.city.elevation != city.elevation)
        std::abort();
    }
  }
  return 0;
}
