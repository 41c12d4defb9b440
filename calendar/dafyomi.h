// Daf Yomi: the page of the Babylonian Talmud studied on a Gregorian day,
// in the fixed cycle of 2711 pages, one a day, counted from 10 July 1923.
#pragma once
#include <cstdint>

// The size a caller declares in DafYomiRequest::size. It is a field the
// caller sets, checked as a version mark; it is not compared with the
// record's own sizeof.
constexpr std::uint32_t kDafYomiRequestSize = 800;

struct DafYomiRequest {
  std::uint32_t size;   // must be kDafYomiRequestSize
  std::int32_t day;     // the Gregorian date asked for
  std::int32_t month;
  std::int32_t year;
  std::int32_t cycle;   // result: 1 for the cycle begun 10 July 1923
  char tractate[260];   // result: the tractate name
  std::int32_t page;    // result: 2 up to the tractate's last page
  char shortText[257];  // result: "Berachos 2"
  char longText[259];   // result: "Cycle 12, Berachos 2"
};

// Result codes of DafYomiCompute and DafYomiText.
enum DafYomiResult {
  kDafYomiOk = 0,
  kDafYomiBadRequest = 1,  // no request, or size is not kDafYomiRequestSize
  kDafYomiBadDate = 2,     // year outside 1583-3000, month or day not in it
  kDafYomiBeforeEpoch = 3, // before 10 July 1923
};

// Pages in one cycle.
constexpr int kDafYomiCyclePages = 2711;

// One tractate: its name and its first and last page.
struct DafYomiTractate {
  const char* name;
  int firstPage;  // 2 for every tractate
  int lastPage;
};

// The tractates in the order of the cycle (37 rows).
const DafYomiTractate* DafYomiTractates(int* count);

// Fills the result fields of `request` for its date. Returns a
// DafYomiResult; the result fields are untouched unless it is kDafYomiOk.
int DafYomiCompute(DafYomiRequest* request);

// Writes the long text ("Cycle 12, Berachos 2") of the Gregorian date into
// dest[256]; on failure dest is left empty. Returns the DafYomiResult.
int DafYomiText(int day, int month, int year, char* dest);
