// The Daf Yomi cycle: the tractate table and the day-to-page arithmetic.
#include "calendar/dafyomi.h"

#include <cstdio>
#include <cstring>

#include "calendar/caldate.h"

namespace {

// "Me'ilah" runs to page 37 and so takes in the pages of the short
// tractates printed after it.
constexpr DafYomiTractate kTractates[] = {
    {"Berachos", 2, 64},      {"Shabbos", 2, 157},       {"Evurin", 2, 105},
    {"Pesachim", 2, 121},     {"Shekalim", 2, 22},       {"Yuma", 2, 88},
    {"Sukah", 2, 56},         {"Beitzah", 2, 40},        {"Rosh Ha'Shanah", 2, 35},
    {"Ta'anis", 2, 31},       {"Megilah", 2, 32},        {"Moed Katan", 2, 29},
    {"Chagigah", 2, 27},      {"Yevamos", 2, 122},       {"Kesuvos", 2, 112},
    {"Nedarim", 2, 91},       {"Nazir", 2, 66},          {"Sotah", 2, 49},
    {"Gitin", 2, 90},         {"Kidushin", 2, 82},       {"Bava Kana", 2, 119},
    {"Bava Metzia", 2, 119},  {"Bava Basra", 2, 176},    {"Sanhedrin", 2, 113},
    {"Makos", 2, 24},         {"Shevuos", 2, 49},        {"Avodah Zarah", 2, 76},
    {"Horayos", 2, 14},       {"Zevachim", 2, 120},      {"Menachos", 2, 110},
    {"Chulin", 2, 142},       {"Bechoros", 2, 61},       {"Erchin", 2, 34},
    {"Temurah", 2, 34},       {"Kerisus", 2, 28},        {"Me'ilah", 2, 37},
    {"Nidah", 2, 73},
};
constexpr int kTractateCount = sizeof kTractates / sizeof kTractates[0];
static_assert(kTractateCount == 37);

constexpr int CyclePages() {
  int pages = 0;
  for (const DafYomiTractate& t : kTractates) pages += t.lastPage - t.firstPage + 1;
  return pages;
}
static_assert(CyclePages() == kDafYomiCyclePages);  // so every position finds its row

constexpr CalDate kEpoch = {10, 7, 1923};  // day 0 of cycle 1

void CopyBounded(char* dest, std::size_t size, const char* source) {
  std::size_t length = std::strlen(source);
  if (length > size - 1) length = size - 1;
  std::memcpy(dest, source, length);
  dest[length] = '\0';
}

}  // namespace

const DafYomiTractate* DafYomiTractates(int* count) {
  if (count) *count = kTractateCount;
  return kTractates;
}

int DafYomiCompute(DafYomiRequest* request) {
  if (request == nullptr || request->size != kDafYomiRequestSize) return kDafYomiBadRequest;
  const CalDate date = {request->day, request->month, request->year};
  if (date.year < 1583 || date.year > 3000 || date.month < 1 || date.month > 12 ||
      date.day < 1 || date.day > GregorianLastDayOfMonth(date.month, date.year))
    return kDafYomiBadDate;
  const int n = AbsoluteFromGregorian(&date) - AbsoluteFromGregorian(&kEpoch);  // days since
  if (n < 0) return kDafYomiBeforeEpoch;

  const int cycle = n / kDafYomiCyclePages + 1;
  const int position = n % kDafYomiCyclePages;  // 0-2710
  int start = 0;                                // position of the row's first page
  const DafYomiTractate* row = &kTractates[kTractateCount - 1];
  for (const DafYomiTractate& t : kTractates) {
    const int pages = t.lastPage - t.firstPage + 1;
    if (position < start + pages) {
      row = &t;
      break;
    }
    start += pages;
  }

  request->cycle = cycle;
  CopyBounded(request->tractate, sizeof request->tractate, row->name);
  request->page = row->firstPage + (position - start);
  std::snprintf(request->shortText, sizeof request->shortText, "%s %d", row->name,
                (int)request->page);
  std::snprintf(request->longText, sizeof request->longText, "Cycle %d, %s %d",
                (int)request->cycle, row->name, (int)request->page);
  return kDafYomiOk;
}

int DafYomiText(int day, int month, int year, char* dest) {
  dest[0] = '\0';
  DafYomiRequest request;
  std::memset(&request, 0, sizeof request);
  request.size = kDafYomiRequestSize;
  request.day = day;
  request.month = month;
  request.year = year;
  const int result = DafYomiCompute(&request);
  if (result == kDafYomiOk) CopyBounded(dest, 256, request.longText);
  return result;
}
