// What the Outlook target decides without any COM: automation dates, the
// texts it sends and how read-back subjects are matched, the calls it makes
// with their error messages, the rule that shows each kind of failure once
// per run, the label marker and the categories that stand in for labels.
// Portable; the calls themselves are in outlook.cpp and mapi_label.cpp.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "calendar/caldate.h"
#include "export/text_encoding.h"

// ---- Dates and texts -------------------------------------------------------

// The automation date (VT_DATE) of a Gregorian day at midnight: days since
// 30 December 1899 (31 December 1899 is 1.0).
double AutomationDate(const CalDate& day);

// The text as UTF-16 for Outlook, the same characters as in the iCalendar
// files: each byte by its code page, Hebrew runs (code page Hebrew) put
// back into reading order, a marked user's text (UTF-8) as it is.
std::u16string Utf16FromText(const char* text, CodePage page);

// 1 when two UTF-16 texts are equal ignoring the case of the letters the
// two code pages hold (ASCII, Latin-1, Š Œ Ž Ÿ).
int SameTextIgnoringCase(const std::u16string& a, const char16_t* b, std::size_t bLength);

// The caption as entered into Outlook: up to, not including, its first "#"
// (the label marker). `label` gets the number after the "#" (its leading
// digits, 0 when none) or -1 when the caption has no marker.
std::string CaptionWithoutMarker(const char* caption, int* label);

// The days of an import as a previous run would have left them: start and
// subject. An item of the calendar belongs to day `index` when its start is
// that day's automation date exactly and its subject equals the day's
// subject ignoring case.
struct EntryKey {
  double start;
  std::u16string subject;
  int index;
};
struct EntryMatcher {
  std::vector<EntryKey> keys;  // sorted by start
};
// `markers`: captions end in a label marker, which is no part of the
// subject.
void BuildEntryMatcher(const CalDate* dates, const char* const* captions, int n, int markers,
                       CodePage page, EntryMatcher* matcher);
// 1 when some day starts at `start` (only then is the subject worth
// reading).
int HasStart(const EntryMatcher& matcher, double start);
// The day an item belongs to, or -1.
int MatchEntry(const EntryMatcher& matcher, double start, const char16_t* subject,
               std::size_t subjectLength);

// ---- Calls and their messages ---------------------------------------------

// Every automation call of the Outlook target, in order of first use.
enum OutlookCall {
  kCallGetNameSpace, kCallGetDefaultFolder, kCallItems, kCallCount, kCallItem,
  kCallGetStart, kCallGetSubject, kCallDelete, kCallAdd, kCallAllDayEvent,
  kCallPutStart, kCallPutSubject, kCallBody, kCallBusyStatus, kCallReminderMinutes,
  kCallReminderSet, kCallSave,
  // Beyond the classic set: the restricted walk and labels as categories.
  kCallRestrict, kCallCategories, kCallCategoryItem, kCallCategoryAdd, kCallPutCategories,
  kOutlookCallCount
};

// kGetCall: a property get with arguments that is a method of the object
// model (Items.Item, Items.Add); it goes out as get and method at once, as
// late-bound callers send it, so that either kind of member accepts it.
enum CallKind { kGet, kGetCall, kPut, kMethod };

struct OutlookCallInfo {
  const char* name;         // the member looked up
  CallKind kind;
  const char* messageName;  // the name in its messages ("Date" for the start)
  const char* idsObject;    // "GetIDsOfNames for %s of <this> failed, %s"
  const char* invokeObject; // "Invoke for %s of <this> failed, %s"
  const char* wrongType;    // result of the wrong type; nullptr: no result kept
};
const OutlookCallInfo& OutlookCallOf(OutlookCall call);

// Where a call failed: looking its name up, invoking it, or in its result.
enum CallStage { kStageIds, kStageInvoke, kStageType };

// "hresult = 8004010Fhex": the HRESULT as 32 bits in upper-case hex.
std::string HresultText(std::int32_t hr);

// The message of a failed call (title "Error").
std::string OutlookCallMessage(OutlookCall call, CallStage stage, std::int32_t hr);

// The messages of opening Outlook before any call.
enum OpenStep { kOpenClsid, kOpenCreate, kOpenQueryDispatch };
std::string OutlookOpenMessage(OpenStep step, std::int32_t hr);

// 1 when a failure means Outlook has gone away (the server ended or the
// connection broke): every further call would fail as well.
int OutlookIsGone(std::int32_t hr);

// One run shows the first failure of each kind (call and stage) and counts
// the others, so that a failing call never becomes a message per day.
struct FailureLog {
  unsigned char shown[kOutlookCallCount][3];
  int failures;  // all failures of the run, shown or not
  int gone;      // Outlook went away: the run stops
};
void ClearFailureLog(FailureLog* log);
// Notes a failure. Returns 1 when its message is to be shown (the first
// of its kind), else 0.
int NoteFailure(FailureLog* log, OutlookCall call, CallStage stage, std::int32_t hr);

// ---- Progress texts -------------------------------------------------------

inline constexpr char kImportingText[] = "Importing...";
inline constexpr char kImportingFinishedText[] = "Importing finished";
inline constexpr char kImportingPlainFinishedText[] = "Importing into Outlook finished";
// "Importing date 3 of 365"
std::string ImportingDateText(int number, int total);

// ---- Labels ---------------------------------------------------------------

// The steps of setting a label, each with its error text.
enum LabelStep {
  kLabelClsid, kLabelCreate, kLabelLogon, kLabelLogoff, kLabelEntryId, kLabelParent,
  kLabelStoreId, kLabelGetMessage, kLabelFields, kLabelFieldsAdd, kLabelFieldValue,
  kLabelUpdate,
};
// "MAPISession.Logon failed, error code 80004005hex"
std::string LabelErrorText(LabelStep step, std::int32_t hr);
// "MAPI.Logon, DISP_E_TYPEMISMATCH: uArgErr = 2"
std::string LabelLogonTypeMismatchText(unsigned argument);

inline constexpr char kLabelPropertyName[] = "0x8214";
inline constexpr char kLabelPropertySet[] = "0220060000000000C000000000000046";

// Where the label mechanism is missing (Outlook 2010 and later), a label
// becomes the category of its name, created with the nearest category
// colour (an OlCategoryColor value) when the user's list lacks it.
struct LabelCategory {
  const char* name;
  int color;
};
// The category of label 1-10, or nullptr for any other number.
const LabelCategory* CategoryOfLabel(int label);
