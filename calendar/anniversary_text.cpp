// The text table of anniversary dates and its export to a file.
#include "calendar/anniversary_text.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "calendar/names.h"
#include "platform/datafile.h"
#include "platform/message.h"

namespace {

constexpr std::size_t kDateColumn = 20;  // date and type columns; the name's is longest + 10

struct SortedOccurrence {
  AnniversaryOccurrence when;
  const AnniversaryRecord* record;
};

// 1 when `a` sorts after `b`; equal keys never do, so an occurrence goes
// after every one whose key is not greater and equal keys keep their order.
int SortsAfter(const SortedOccurrence& a, const SortedOccurrence& b, int sortOrder) {
  switch (sortOrder) {
    case kAnniversarySortHebrew:
      return AbsoluteFromHebrew(&a.when.hebrew) > AbsoluteFromHebrew(&b.when.hebrew);
    case kAnniversarySortGregorian:
      return AbsoluteFromGregorian(&a.when.gregorian) > AbsoluteFromGregorian(&b.when.gregorian);
    case kAnniversarySortName:
      return AnniversaryCompareNames(a.record->name, b.record->name) > 0;
    default:
      return 0;  // any other order appends
  }
}

void Insert(std::vector<SortedOccurrence>* sorted, const SortedOccurrence& o, int sortOrder) {
  auto at = sorted->begin();
  while (at != sorted->end() && !SortsAfter(*at, o, sortOrder)) ++at;
  sorted->insert(at, o);
}

// `text` and spaces up to `width`; a longer text is kept whole.
void AppendColumn(std::string* out, const char* text, std::size_t width) {
  const std::size_t n = std::strlen(text);
  out->append(text, n);
  if (n < width) out->append(width - n, ' ');
}

void HebrewDateText(const CalDate& h, char* dest, std::size_t size) {
  char month[256] = "";
  HebrewMonthName(h.month, h.year, month);
  std::snprintf(dest, size, "%d %s %d", h.day, month, h.year);
}

void GregorianDateText(const CalDate& g, char* dest, std::size_t size) {
  char month[256] = "";
  GregorianMonthNameCustom(g.month, 1, month);
  std::snprintf(dest, size, "%d %s %d", g.day, month, g.year);
}

}  // namespace

int AnniversaryTextTable(const AnniversaryList* list, const char* selection,
                         std::size_t selectionSize, int fromYear, int toYear, int sortOrder,
                         std::string* out) {
  out->clear();
  std::vector<SortedOccurrence> sorted;
  std::size_t longestName = 0;
  std::vector<const AnniversaryRecord*> records;
  AnniversarySelectedRecords(list, selection, selectionSize, &records);
  for (const AnniversaryRecord* r : records) {
    longestName = std::max(longestName, std::strlen(r->name));
    std::vector<AnniversaryOccurrence> occurrences;
    AnniversaryOccurrences(r, fromYear, toYear, kAnniversaryEveOfHebrewDate, &occurrences);
    for (const AnniversaryOccurrence& o : occurrences) Insert(&sorted, {o, r}, sortOrder);
  }

  const std::size_t nameColumn = longestName + 10;
  for (const SortedOccurrence& o : sorted) {
    char hebrew[600];
    char gregorian[600];
    HebrewDateText(o.when.hebrew, hebrew, sizeof hebrew);
    GregorianDateText(o.when.gregorian, gregorian, sizeof gregorian);
    const char* word = AnniversaryTypeWord(o.record->type);
    if (sortOrder == kAnniversarySortName) {
      AppendColumn(out, o.record->name, nameColumn);
      AppendColumn(out, word, kDateColumn);
      AppendColumn(out, gregorian, kDateColumn);
      AppendColumn(out, hebrew, kDateColumn);
    } else {
      // Any order but the Gregorian one leads with the Hebrew date.
      const bool gregorianFirst = sortOrder == kAnniversarySortGregorian;
      AppendColumn(out, gregorianFirst ? gregorian : hebrew, kDateColumn);
      AppendColumn(out, gregorianFirst ? hebrew : gregorian, kDateColumn);
      AppendColumn(out, o.record->name, nameColumn);
      AppendColumn(out, word, kDateColumn);
    }
    out->append("\r\n");
  }
  return static_cast<int>(sorted.size());
}

int ExportAnniversariesToText(const char* selection, std::size_t selectionSize, int fromYear,
                              int toYear, const char* path, int sortOrder) {
  char listPath[1024];
  AnniversaryList list{};
  if (AnniversaryFilePath(listPath, sizeof listPath)) AnniversaryListLoad(&list, listPath);
  std::string text;
  AnniversaryTextTable(&list, selection, selectionSize, fromYear, toYear, sortOrder, &text);
  AnniversaryListFree(&list);

  if (!WriteFileAtomically(path, text.data(), text.size())) {
    std::string message = std::string("Data could not be exported to file \"") + path + "\"";
    ShowMessage(message.c_str(), "Error", MessageIconError);
    return 0;
  }
  std::string message = std::string("Data was exported to file \"") + path + "\"";
  ShowMessage(message.c_str(), "Information", MessageIconInformation);
  return 1;
}
