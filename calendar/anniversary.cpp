// The anniversary store, its file, the yearly date rules and the labels.
#include "calendar/anniversary.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/byte_cursor.h"
#include "platform/datafile.h"
#include "platform/message.h"

namespace {

constexpr int kFirstYear = 1583;  // the range every date field accepts
constexpr int kLastYear = 3000;


void ShowSaveError(const char* path) {
  std::string text = std::string("The anniversaries could not be saved to \"") + path + "\"";
  ShowMessage(text.c_str(), "Error", MessageIconError);
}

// ---- Dates ---------------------------------------------------------------

// The date through absolute day numbers: a day the month lacks rolls over.
CalDate NormalizedHebrew(int day, int month, int year) {
  const CalDate date = {day, month, year};
  CalDate out{};
  HebrewFromAbsolute(AbsoluteFromHebrew(&date), &out);
  return out;
}

// The Hebrew date of the day before day 1 of `month` of `year`: the last
// day of the month before, whatever its length that year.
CalDate DayBeforeFirstOf(int month, int year) {
  const CalDate first = {1, month, year};
  CalDate out{};
  HebrewFromAbsolute(AbsoluteFromHebrew(&first) - 1, &out);
  return out;
}

int HebrewYearOf(int day, int month, int year) {
  const CalDate g = {day, month, year};
  CalDate h{};
  HebrewFromAbsolute(AbsoluteFromGregorian(&g), &h);
  return h.year;
}

int IsValidRecordDate(const CalDate& d) {
  return d.year >= kFirstYear && d.year <= kLastYear && d.month >= 1 && d.month <= 12 &&
         d.day >= 1 && d.day <= GregorianLastDayOfMonth(d.month, d.year);
}

struct TypeWordRow {
  int type;
  const char* word;
};

constexpr TypeWordRow kTypeWords[] = {
    {kAnniversaryTypeAnniversary, "Anniversary"},
    {kAnniversaryTypeBirthday, "Birthday"},
    {kAnniversaryTypeYahrzeit, "Yahrzeit"},
};

int FoldCase(unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; }

}  // namespace

// ---- The list ------------------------------------------------------------

void AnniversaryListFree(AnniversaryList* list) {
  list->records.clear();
  list->records.shrink_to_fit();
  list->damaged = 0;
}

int AnniversaryListNextId(const AnniversaryList* list) {
  int largest = 0;
  for (const AnniversaryRecord& r : list->records)
    if (r.id > largest) largest = r.id;
  return largest + 1;
}

int AnniversaryListPut(AnniversaryList* list, const AnniversaryRecord* record) {
  AnniversaryRecord copy = *record;
  copy.name[kAnniversaryNameSize - 1] = '\0';
  if (copy.id == 0) copy.id = AnniversaryListNextId(list);
  for (AnniversaryRecord& r : list->records) {
    if (r.id == copy.id) {
      r = copy;
      return copy.id;
    }
  }
  list->records.push_back(copy);
  return copy.id;
}

int AnniversaryListGet(const AnniversaryList* list, int id, AnniversaryRecord* out) {
  for (const AnniversaryRecord& r : list->records) {
    if (r.id == id) {
      *out = r;
      return 1;
    }
  }
  return 0;
}

int AnniversaryListRemove(AnniversaryList* list, int id) {
  for (auto it = list->records.begin(); it != list->records.end(); ++it) {
    if (it->id == id) {
      list->records.erase(it);
      return 1;
    }
  }
  return 0;
}

// ---- The file ------------------------------------------------------------

int AnniversaryListParse(const unsigned char* data, std::size_t length, AnniversaryList* list) {
  AnniversaryListFree(list);
  ByteCursor c = {data, data ? length : 0, 0, 1};
  if (CursorUint32(&c) != kAnniversaryMagic) {
    list->damaged = 1;  // too short for a magic, or another file
    return 0;
  }
  int whole = 0;
  while (c.ok) {
    std::uint32_t marker = CursorUint32(&c);  // any nonzero value is a record
    if (!c.ok) break;
    if (marker == 0) {
      whole = 1;
      break;
    }
    std::uint32_t n = CursorUint32(&c);
    if (!c.ok || n > kAnniversaryNameSize - 1) break;
    AnniversaryRecord r{};
    CursorBytes(&c, reinterpret_cast<unsigned char*>(r.name), n);
    r.name[n] = '\0';
    r.date.day = CursorInt32(&c);
    r.date.month = CursorInt32(&c);
    r.date.year = CursorInt32(&c);
    r.afterSunset = CursorInt32(&c) != 0 ? 1 : 0;
    r.type = static_cast<int>(CursorUint32(&c) & 0xFF);  // the character sits in the low byte
    if (r.type >= 'a' && r.type <= 'z') r.type -= 'a' - 'A';  // kinds carry no case
    if (!c.ok) break;
    AnniversaryListPut(list, &r);
  }
  list->damaged = whole ? 0 : 1;
  return whole;
}

void AnniversaryListSerialize(const AnniversaryList* list, std::vector<unsigned char>* out) {
  out->clear();
  PutUint32(out, kAnniversaryMagic);
  for (const AnniversaryRecord& r : list->records) {
    std::size_t n = 0;
    while (n < kAnniversaryNameSize - 1 && r.name[n] != '\0') ++n;
    PutInt32(out, 1);
    PutUint32(out, static_cast<std::uint32_t>(n));
    out->insert(out->end(), r.name, r.name + n);
    PutInt32(out, r.date.day);
    PutInt32(out, r.date.month);
    PutInt32(out, r.date.year);
    PutInt32(out, r.afterSunset);
    PutUint32(out, static_cast<std::uint32_t>(r.type) & 0xFF);
  }
  PutInt32(out, 0);
}

int AnniversaryListLoad(AnniversaryList* list, const char* path) {
  AnniversaryListFree(list);
  std::vector<unsigned char> bytes;
  int read = ReadWholeFile(path, &bytes);
  if (read == 0) return 0;  // no file yet: an empty list
  AnniversaryListParse(bytes.data(), bytes.size(), list);
  if (read < 0) list->damaged = 1;
  return static_cast<int>(list->records.size());
}

int AnniversaryListSave(AnniversaryList* list, const char* path) {
  // A file that did not load cleanly is kept beside it before it is
  // written over.
  std::vector<unsigned char> bytes;
  AnniversaryListSerialize(list, &bytes);
  if (SaveDataFile(path, bytes, &list->damaged)) return 1;
  ShowSaveError(path);
  return 0;
}

int AnniversaryFilePath(char* out, int outSize) {
  return DataFilePath(kAnniversaryFileName, out, outSize);
}

// ---- The date rules ------------------------------------------------------

void AnniversaryHebrewDate(AnniversaryYearDate* request) {
  const CalDate& e = request->event;
  const int target = request->targetYear;
  // Adar of a common year and Adar II of a leap year are both "the Adar
  // before Nisan": they follow it into whichever the target year has.
  if (e.month == LastMonthOfHebrewYear(e.year))
    request->result = NormalizedHebrew(e.day, LastMonthOfHebrewYear(target), target);
  else
    request->result = NormalizedHebrew(e.day, e.month, target);
}

void YahrzeitHebrewDate(AnniversaryYearDate* request) {
  const CalDate& e = request->event;
  const int target = request->targetYear;
  if (e.month == 8 && e.day == 30) {
    // 30 Heshvan: when the first anniversary year has a short Heshvan, the
    // yahrzeit is kept on the last day of Heshvan ever after.
    if (LongHeshvan(e.year + 1))
      request->result = NormalizedHebrew(30, 8, target);
    else
      request->result = DayBeforeFirstOf(9, target);
  } else if (e.month == 9 && e.day == 30) {
    // 30 Kislev: likewise with a short Kislev in the first year.
    if (ShortKislev(e.year + 1))
      request->result = DayBeforeFirstOf(10, target);
    else
      request->result = NormalizedHebrew(30, 9, target);
  } else if (e.month == 13) {
    // Adar II: in Adar II of a leap year, in Adar of a common one.
    request->result = {e.day, LastMonthOfHebrewYear(target), target};
  } else if (e.month == 12 && e.day == 30) {
    // 30 Adar I: only a leap year has it; a common year keeps 30 Shevat.
    if (HebrewLeapYear(target))
      request->result = {30, 12, target};
    else
      request->result = {30, 11, target};
  } else {
    request->result = NormalizedHebrew(e.day, e.month, target);
  }
}

void AnniversaryEventHebrewDate(const AnniversaryRecord* record, CalDate* hebrew) {
  HebrewFromAbsolute(AbsoluteFromGregorian(&record->date) + (record->afterSunset ? 1 : 0), hebrew);
}

int AnniversaryOccurrences(const AnniversaryRecord* record, int fromYear, int toYear,
                           AnniversaryGregorianDay way, std::vector<AnniversaryOccurrence>* out) {
  void (*rule)(AnniversaryYearDate*) = nullptr;
  if (record->type == kAnniversaryTypeAnniversary || record->type == kAnniversaryTypeBirthday)
    rule = &AnniversaryHebrewDate;
  else if (record->type == kAnniversaryTypeYahrzeit)
    rule = &YahrzeitHebrewDate;
  if (!rule || !IsValidRecordDate(record->date)) return 0;
  if (fromYear < kFirstYear || toYear > kLastYear || fromYear > toYear) return 0;

  AnniversaryYearDate request{};
  AnniversaryEventHebrewDate(record, &request.event);
  const int firstYear = HebrewYearOf(1, 1, fromYear);
  const int lastYear = HebrewYearOf(31, 12, toYear);
  const int shift = way == kAnniversaryEveOfHebrewDate && record->afterSunset ? 1 : 0;
  int count = 0;
  for (int year = firstYear; year <= lastYear; ++year) {
    if (year <= request.event.year) continue;  // the first is a year after the event
    request.targetYear = year;
    rule(&request);
    AnniversaryOccurrence o{};
    o.hebrew = request.result;
    GregorianFromAbsolute(AbsoluteFromHebrew(&o.hebrew) - shift, &o.gregorian);
    if (o.gregorian.year < fromYear || o.gregorian.year > toYear) continue;
    out->push_back(o);
    ++count;
  }
  return count;
}

// ---- Labels and selections -----------------------------------------------

const char* AnniversaryTypeWord(int type) {
  for (const TypeWordRow& row : kTypeWords)
    if (row.type == type) return row.word;
  return nullptr;
}

int FormatAnniversaryLabel(int type, const char* name, char* dest, int destSize) {
  if (!dest || destSize <= 0) return 0;
  dest[0] = '\0';
  const char* word = AnniversaryTypeWord(type);
  if (!word) return 0;
  int n = std::snprintf(dest, static_cast<std::size_t>(destSize), "%s: %s", word, name);
  if (n < 0 || n >= destSize) {
    dest[0] = '\0';
    return 0;
  }
  return 1;
}

int ParseAnniversaryLabel(const char* label, char* type, char* name, int nameSize) {
  *type = ' ';
  if (name && nameSize > 0) name[0] = '\0';
  const char* colon = std::strstr(label, ": ");
  if (!colon) return 0;
  if (name && nameSize > 0) {
    std::size_t n = std::strlen(colon + 2);
    if (n > static_cast<std::size_t>(nameSize - 1)) n = static_cast<std::size_t>(nameSize - 1);
    std::memcpy(name, colon + 2, n);
    name[n] = '\0';
  }
  const std::size_t wordLength = static_cast<std::size_t>(colon - label);
  for (const TypeWordRow& row : kTypeWords) {
    if (std::strlen(row.word) != wordLength) continue;
    std::size_t i = 0;
    while (i < wordLength && FoldCase(static_cast<unsigned char>(label[i])) ==
                                 FoldCase(static_cast<unsigned char>(row.word[i])))
      ++i;
    if (i == wordLength) {
      *type = static_cast<char>(row.type);
      return 1;
    }
  }
  return 0;
}

void AnniversarySelectionAdd(std::vector<char>* selection, char type, const char* name) {
  if (type == '\0') return;  // a zero type would end the selection here
  if (!selection->empty() && selection->back() == '\0') selection->pop_back();
  selection->push_back(type);
  selection->insert(selection->end(), name, name + std::strlen(name) + 1);
  selection->push_back('\0');
}

int AnniversarySelectionNext(AnniversarySelectionCursor* cursor, char* type, const char** name) {
  if (!cursor->data || cursor->position >= cursor->length) return 0;
  const char* entry = cursor->data + cursor->position;
  if (*entry == '\0') return 0;  // the final zero byte
  const std::size_t rest = cursor->length - cursor->position - 1;
  const void* nul = std::memchr(entry + 1, '\0', rest);
  if (!nul) {
    cursor->position = cursor->length;
    return 0;
  }
  *type = *entry;
  *name = entry + 1;
  cursor->position = static_cast<std::size_t>(static_cast<const char*>(nul) - cursor->data) + 1;
  return 1;
}

int AnniversarySelectedRecords(const AnniversaryList* list, const char* selection,
                               std::size_t selectionSize,
                               std::vector<const AnniversaryRecord*>* out) {
  out->clear();
  AnniversarySelectionCursor cursor = {selection, selectionSize, 0};
  char type = 0;
  const char* name = nullptr;
  while (AnniversarySelectionNext(&cursor, &type, &name)) {
    for (const AnniversaryRecord& r : list->records) {
      if (FoldCase(static_cast<unsigned char>(type)) != FoldCase(static_cast<unsigned char>(r.type)) ||
          AnniversaryCompareNames(r.name, name) != 0)
        continue;
      if (std::find(out->begin(), out->end(), &r) == out->end()) out->push_back(&r);
    }
  }
  return static_cast<int>(out->size());
}

int AnniversaryCompareNames(const char* a, const char* b) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(a);
  const unsigned char* q = reinterpret_cast<const unsigned char*>(b);
  while (*p && FoldCase(*p) == FoldCase(*q)) ++p, ++q;
  return FoldCase(*p) - FoldCase(*q);
}
