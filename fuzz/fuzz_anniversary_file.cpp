// libFuzzer entry point for the anniversary file reader: any bytes must
// load without reading out of bounds; what loads must save and load back
// to the same records; the records' dates, labels and text table must
// compute cleanly; and the same bytes walked as a packed selection must
// stay inside them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "calendar/anniversary.h"
#include "calendar/anniversary_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // An exact-size copy, so that a read past the end is caught.
  std::vector<unsigned char> bytes(data, data + size);
  AnniversaryList list{};
  const int whole = AnniversaryListParse(bytes.data(), bytes.size(), &list);
  if (whole == list.damaged) std::abort();

  std::vector<unsigned char> saved;
  AnniversaryListSerialize(&list, &saved);
  AnniversaryList again{};
  if (!AnniversaryListParse(saved.data(), saved.size(), &again)) std::abort();
  if (again.records.size() != list.records.size()) std::abort();
  for (std::size_t i = 0; i < list.records.size(); ++i) {
    const AnniversaryRecord& a = list.records[i];
    const AnniversaryRecord& b = again.records[i];
    if (a.id != b.id || std::strcmp(a.name, b.name) != 0 || a.date.day != b.date.day ||
        a.date.month != b.date.month || a.date.year != b.date.year ||
        a.afterSunset != b.afterSunset || a.type != b.type)
      std::abort();
  }

  std::vector<char> selection;
  for (const AnniversaryRecord& r : list.records) {
    std::vector<AnniversaryOccurrence> occurrences;
    AnniversaryOccurrences(&r, 2000, 2003, kAnniversaryDayOfHebrewDate, &occurrences);
    AnniversaryOccurrences(&r, 2000, 2003, kAnniversaryEveOfHebrewDate, &occurrences);
    char label[300];
    if (FormatAnniversaryLabel(r.type, r.name, label, sizeof label)) {
      char type = 0;
      char name[256];
      if (!ParseAnniversaryLabel(label, &type, name, sizeof name) || type != r.type) std::abort();
    }
    AnniversarySelectionAdd(&selection, static_cast<char>(r.type), r.name);
  }
  std::string table;
  AnniversaryTextTable(&list, selection.data(), selection.size(), 2000, 2003, 3, &table);

  AnniversarySelectionCursor cursor = {reinterpret_cast<const char*>(bytes.data()), bytes.size(), 0};
  char type = 0;
  const char* name = nullptr;
  while (AnniversarySelectionNext(&cursor, &type, &name)) {
    if (name < cursor.data || name >= cursor.data + cursor.length) std::abort();
  }
  return 0;
}
