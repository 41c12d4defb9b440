// The Outlook target's decisions that need no COM.
#include "outlook/outlook_rules.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

double AutomationDate(const CalDate& day) {
  constexpr CalDate kEpoch = {30, 12, 1899};
  return (double)(AbsoluteFromGregorian(&day) - AbsoluteFromGregorian(&kEpoch));
}

std::u16string Utf16FromText(const char* text, CodePage page) {
  // The iCalendar writer's conversion, so that both targets get the same
  // characters (marked user's text included), then UTF-8 to UTF-16.
  const std::string utf8 = Utf8FromText(text, page);
  std::u16string out;
  out.reserve(utf8.size());
  const unsigned char* p = (const unsigned char*)utf8.data();
  const unsigned char* end = p + utf8.size();
  while (p < end) {
    unsigned char c = *p++;
    char32_t cp;
    int more;
    if (c < 0x80) {
      out.push_back(c);
      continue;
    } else if (c >= 0xF0 && c < 0xF5) {
      cp = c & 0x07;
      more = 3;
    } else if (c >= 0xE0 && c < 0xF0) {
      cp = c & 0x0F;
      more = 2;
    } else if (c >= 0xC2 && c < 0xE0) {
      cp = c & 0x1F;
      more = 1;
    } else {
      out.push_back(0xFFFD);  // not a lead byte
      continue;
    }
    for (; more > 0 && p < end && (*p & 0xC0) == 0x80; --more) cp = (cp << 6) | (*p++ & 0x3F);
    if (more > 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) {
      out.push_back(0xFFFD);  // cut short or no character
    } else if (cp >= 0x10000) {
      out.push_back((char16_t)(0xD800 + ((cp - 0x10000) >> 10)));
      out.push_back((char16_t)(0xDC00 + ((cp - 0x10000) & 0x3FF)));
    } else {
      out.push_back((char16_t)cp);
    }
  }
  return out;
}

namespace {

// Lower case of the letters both code pages can produce; others unchanged.
char16_t Fold(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;  // À-Þ but ×
  if (c == 0x0152 || c == 0x0160 || c == 0x017D) return c + 1;  // Œ Š Ž
  if (c == 0x0178) return 0x00FF;  // Ÿ
  return c;
}

}  // namespace

int SameTextIgnoringCase(const std::u16string& a, const char16_t* b, std::size_t bLength) {
  if (a.size() != bLength) return 0;
  for (std::size_t i = 0; i < bLength; ++i) {
    if (Fold(a[i]) != Fold(b[i])) return 0;
  }
  return 1;
}

std::string CaptionWithoutMarker(const char* caption, int* label) {
  const char* mark = std::strchr(caption, '#');
  if (!mark) {
    *label = -1;
    return caption;
  }
  int number = 0;
  for (const char* p = mark + 1; *p >= '0' && *p <= '9' && number < 100000; ++p) {
    number = number * 10 + (*p - '0');
  }
  *label = number;
  return std::string(caption, (std::size_t)(mark - caption));
}

void BuildEntryMatcher(const CalDate* dates, const char* const* captions, int n, int markers,
                       CodePage page, EntryMatcher* matcher) {
  matcher->keys.clear();
  matcher->keys.reserve(n > 0 ? (std::size_t)n : 0);
  for (int i = 0; i < n; ++i) {
    int label;
    std::string subject = markers ? CaptionWithoutMarker(captions[i], &label) : captions[i];
    matcher->keys.push_back({AutomationDate(dates[i]), Utf16FromText(subject.c_str(), page), i});
  }
  std::stable_sort(matcher->keys.begin(), matcher->keys.end(),
                   [](const EntryKey& a, const EntryKey& b) { return a.start < b.start; });
}

int HasStart(const EntryMatcher& matcher, double start) {
  auto it = std::lower_bound(matcher.keys.begin(), matcher.keys.end(), start,
                             [](const EntryKey& key, double value) { return key.start < value; });
  return it != matcher.keys.end() && it->start == start;
}

int MatchEntry(const EntryMatcher& matcher, double start, const char16_t* subject,
               std::size_t subjectLength) {
  auto it = std::lower_bound(matcher.keys.begin(), matcher.keys.end(), start,
                             [](const EntryKey& key, double value) { return key.start < value; });
  for (; it != matcher.keys.end() && it->start == start; ++it) {
    if (SameTextIgnoringCase(it->subject, subject, subjectLength)) return it->index;
  }
  return -1;
}

// ---- Calls and their messages ---------------------------------------------

namespace {

constexpr char kFolder[] = "CalendarFolder";

constexpr OutlookCallInfo kCalls[kOutlookCallCount] = {
    {"GetNameSpace", kMethod, "GetNameSpace", "Outlook.Application", "Outlook.Application",
     "GetNameSpace did not return an IDispatch object"},
    // The invoke message names the namespace "Name": the program's own text.
    {"GetDefaultFolder", kMethod, "GetDefaultFolder", "NameSpace", "Name",
     "GetDefaultFolder did not return an IDispatch object"},
    {"Items", kGet, "Items", kFolder, kFolder, "Items did not return an IDispatch object"},
    {"Count", kGet, "Count", kFolder, kFolder, "Count did not return a LONG value"},
    {"Item", kGetCall, "Item", kFolder, kFolder, "Item did not return an IDispatch object"},
    {"Start", kGet, "Date", kFolder, kFolder, "Date did not return a DATE"},
    {"Subject", kGet, "Subject", kFolder, kFolder, "Subject did not return a BSTR"},
    {"Delete", kMethod, "Delete", kFolder, kFolder, nullptr},
    {"Add", kGetCall, "Add", kFolder, kFolder, "Add did not return an IDispatch object"},
    {"AllDayEvent", kPut, "AllDayEvent", kFolder, kFolder, nullptr},
    {"Start", kPut, "Start", kFolder, kFolder, nullptr},
    {"Subject", kPut, "Subject", kFolder, kFolder, nullptr},
    {"Body", kPut, "Body", kFolder, kFolder, nullptr},
    {"BusyStatus", kPut, "BusyStatus", kFolder, kFolder, nullptr},
    {"ReminderMinutesBeforeStart", kPut, "ReminderMinutesBeforeStart", kFolder, kFolder, nullptr},
    {"ReminderSet", kPut, "ReminderSet", kFolder, kFolder, nullptr},
    {"Save", kMethod, "Save", kFolder, kFolder, nullptr},
    {"Restrict", kMethod, "Restrict", kFolder, kFolder, "Restrict did not return an IDispatch object"},
    {"Categories", kGet, "Categories", "NameSpace", "NameSpace",
     "Categories did not return an IDispatch object"},
    {"Item", kGetCall, "Item", "Categories", "Categories", nullptr},
    {"Add", kMethod, "Add", "Categories", "Categories", nullptr},
    {"Categories", kPut, "Categories", kFolder, kFolder, nullptr},
};

}  // namespace

const OutlookCallInfo& OutlookCallOf(OutlookCall call) { return kCalls[call]; }

std::string HresultText(std::int32_t hr) {
  char text[32];
  std::snprintf(text, sizeof text, "hresult = %lXhex", (unsigned long)(std::uint32_t)hr);
  return text;
}

std::string OutlookCallMessage(OutlookCall call, CallStage stage, std::int32_t hr) {
  const OutlookCallInfo& info = kCalls[call];
  if (stage == kStageType) return info.wrongType ? info.wrongType : "";
  const char* form = stage == kStageIds ? "GetIDsOfNames for %s of %s failed, %s"
                                        : "Invoke for %s of %s failed, %s";
  char text[256];
  std::snprintf(text, sizeof text, form, info.messageName,
                stage == kStageIds ? info.idsObject : info.invokeObject, HresultText(hr).c_str());
  return text;
}

std::string OutlookOpenMessage(OpenStep step, std::int32_t hr) {
  static constexpr const char* kForms[] = {
      "CLSIDFromProgID of Outlook.Application failed, %s",
      "CoCreateInstance of Outlook.Application failed, %s",
      "QueryInterface for IDispatch of Outlook.Application failed, %s",
  };
  char text[256];
  std::snprintf(text, sizeof text, kForms[step], HresultText(hr).c_str());
  return text;
}

int OutlookIsGone(std::int32_t hr) {
  switch ((std::uint32_t)hr) {
    case 0x80010108u:  // RPC_E_DISCONNECTED: the object's server ended
    case 0x800706BAu:  // RPC_S_SERVER_UNAVAILABLE
    case 0x800706BEu:  // RPC_S_CALL_FAILED
    case 0x800401FDu:  // CO_E_OBJNOTCONNECTED
      return 1;
    default:
      return 0;
  }
}

void ClearFailureLog(FailureLog* log) { std::memset(log, 0, sizeof *log); }

int NoteFailure(FailureLog* log, OutlookCall call, CallStage stage, std::int32_t hr) {
  ++log->failures;
  if (stage != kStageType && OutlookIsGone(hr)) {
    // Once Outlook is gone only its first failure is worth a message.
    if (log->gone) return 0;
    log->gone = 1;
    return 1;
  }
  if (log->shown[call][stage]) return 0;
  log->shown[call][stage] = 1;
  return 1;
}

std::string ImportingDateText(int number, int total) {
  char text[64];
  std::snprintf(text, sizeof text, "Importing date %d of %d", number, total);
  return text;
}

// ---- Labels ---------------------------------------------------------------

std::string LabelErrorText(LabelStep step, std::int32_t hr) {
  static constexpr const char* kOperations[] = {
      "CLSIDFromProgID",      "CoCreateInstance",      "MAPISession.Logon",
      "MAPISession.Logoff",   "AppointmentItem.EntryID", "AppointmentItem.Parent",
      "Parent.StoreID",       "MAPISession.GetMessage", "Message.Fields",
      "Fields.Add",           "Field.Value",           "Message.Update",
  };
  char text[256];
  std::snprintf(text, sizeof text, "%s failed, error code %lXhex", kOperations[step],
                (unsigned long)(std::uint32_t)hr);
  return text;
}

std::string LabelLogonTypeMismatchText(unsigned argument) {
  char text[80];
  std::snprintf(text, sizeof text, "MAPI.Logon, DISP_E_TYPEMISMATCH: uArgErr = %d", (int)argument);
  return text;
}

namespace {

// OlCategoryColor values nearest to each label's colour.
constexpr LabelCategory kCategories[10] = {
    {"Important", 1},          // red
    {"Business", 8},           // blue
    {"Personal", 5},           // green
    {"Vacation", 13},          // gray
    {"Must Attend", 2},        // orange
    {"Travel Required", 6},    // teal
    {"Needs Preparation", 7},  // olive
    {"Birthday", 9},           // purple
    {"Anniversary", 11},       // steel
    {"Phone Call", 4},         // yellow
};

}  // namespace

const LabelCategory* CategoryOfLabel(int label) {
  return label >= 1 && label <= 10 ? &kCategories[label - 1] : nullptr;
}
