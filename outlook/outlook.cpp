// The Outlook target: every call goes through CallOutlook, which counts
// failures and shows the first of each kind.
#include "outlook/outlook.h"

#include <oleauto.h>

#include <cstdio>
#include <cstring>

#include "export/export_run.h"
#include "outlook/dispatch.h"
#include "outlook/mapi_label.h"
#include "outlook/outlook_rules.h"
#include "platform/message.h"

namespace {

constexpr int kCalendarFolder = 9;     // olFolderCalendar
constexpr int kAppointmentItem = 1;    // olAppointmentItem

// The connection of one import.
struct Connection {
  IDispatch* items;      // the calendar folder's items
  IDispatch* nameSpace;  // for the category list
  int oleInitialized;
  FailureLog log;
};
Connection g_outlook;
OutlookRunFacts g_facts;
int g_restrictedWalk = 1;

void ShowError(const std::string& text) { ShowMessage(text.c_str(), "Error", MessageIconError); }

// The progress window of the classic interface: a dialog and its text.
struct ProgressWindow {
  HWND window;
  int textId;
};

int ShowInWindow(void* context, const char* text, int, int) {
  const ProgressWindow* progress = (const ProgressWindow*)context;
  if (!progress->window) return 1;
  SetDlgItemTextA(progress->window, progress->textId, text);
  HWND control = GetDlgItem(progress->window, progress->textId);
  UpdateWindow(control ? control : progress->window);
  return 1;
}

WORD FlagsOf(CallKind kind) {
  switch (kind) {
    case kGet: return DISPATCH_PROPERTYGET;
    case kGetCall: return DISPATCH_PROPERTYGET | DISPATCH_METHOD;
    case kPut: return DISPATCH_PROPERTYPUT;
    default: return DISPATCH_METHOD;
  }
}

// One call of the table. `expect`: the result type relied on (VT_EMPTY:
// none; VT_DISPATCH also takes VT_UNKNOWN). `quiet`: a failure is an
// answer, not an error (a missing category, a collection that cannot be
// restricted). Returns 1, or 0 after noting the failure.
int CallOutlook(OutlookCall call, IDispatch* object, const VARIANT* args, int count, VARIANT* result,
                VARTYPE expect, int quiet = 0) {
  const OutlookCallInfo& info = OutlookCallOf(call);
  VARIANT local;
  VARIANT* out = result ? result : &local;
  DispatchFailure failure = {};
  CallStage stage = kStageType;
  HRESULT hr = S_OK;
  if (!DispatchCall(object, info.name, FlagsOf(info.kind), args, count, out, &failure)) {
    stage = failure.stage == 0 ? kStageIds : kStageInvoke;
    hr = failure.hr;
  } else {
    int typeOk = expect == VT_EMPTY || out->vt == expect ||
                 (expect == VT_DISPATCH && out->vt == VT_UNKNOWN && out->punkVal);
    if (expect == VT_DISPATCH && out->vt == VT_DISPATCH && !out->pdispVal) typeOk = 0;
    if (!result) VariantClear(&local);
    if (typeOk) return 1;
    if (result) VariantClear(result);
  }
  if (quiet) return 0;
  if (NoteFailure(&g_outlook.log, call, stage, (std::int32_t)hr)) {
    ShowError(OutlookCallMessage(call, stage, (std::int32_t)hr));
  }
  return 0;
}

// A call whose result is an object: the IDispatch (a new reference) or
// nullptr.
IDispatch* CallForObject(OutlookCall call, IDispatch* object, const VARIANT* args, int count,
                         int quiet = 0) {
  VARIANT result;
  if (!CallOutlook(call, object, args, count, &result, VT_DISPATCH, quiet)) return nullptr;
  IDispatch* dispatch = DispatchOf(result);
  VariantClear(&result);
  return dispatch;
}

void Release(IDispatch*& object) {
  if (object) object->Release();
  object = nullptr;
}

// A UTF-16 text as a BSTR variant.
VARIANT TextVariant(const std::u16string& text) {
  return BstrVariant((const wchar_t*)text.data(), (UINT)text.size());
}

int PutProperty(OutlookCall call, IDispatch* item, VARIANT value) {
  int ok = CallOutlook(call, item, &value, 1, nullptr, VT_EMPTY);
  VariantClear(&value);
  return ok;
}

// The item collection to walk: the calendar's items within the range when
// Outlook can restrict them, else all of them (a new reference).
IDispatch* WalkCollection(const CalDate* dates, int n) {
  g_outlook.items->AddRef();
  if (!g_restrictedWalk || n <= 0) return g_outlook.items;
  int first = AbsoluteFromGregorian(&dates[0]);
  int last = first;
  for (int i = 1; i < n; ++i) {
    int a = AbsoluteFromGregorian(&dates[i]);
    if (a < first) first = a;
    if (a > last) last = a;
  }
  // Outlook reads the dates of a filter in the user's short date format;
  // the year is widened to four digits so that no century is guessed.
  wchar_t picture[80];
  if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, picture, 80)) return g_outlook.items;
  std::wstring format = picture;
  std::size_t y = format.find(L"yy");
  if (y != std::wstring::npos && format.find(L"yyyy") == std::wstring::npos) format.insert(y, L"yy");
  wchar_t from[80], to[80];
  CalDate a, b;
  GregorianFromAbsolute(first, &a);
  GregorianFromAbsolute(last + 1, &b);
  SYSTEMTIME ta = {(WORD)a.year, (WORD)a.month, 0, (WORD)a.day, 0, 0, 0, 0};
  SYSTEMTIME tb = {(WORD)b.year, (WORD)b.month, 0, (WORD)b.day, 0, 0, 0, 0};
  if (!GetDateFormatW(LOCALE_USER_DEFAULT, 0, &ta, format.c_str(), from, 80) ||
      !GetDateFormatW(LOCALE_USER_DEFAULT, 0, &tb, format.c_str(), to, 80)) {
    return g_outlook.items;
  }
  std::wstring filter = std::wstring(L"[Start] >= '") + from + L"' AND [Start] < '" + to + L"'";
  VARIANT arg = BstrVariant(filter.c_str(), (UINT)filter.size());
  IDispatch* restricted = CallForObject(kCallRestrict, g_outlook.items, &arg, 1, 1);
  VariantClear(&arg);
  if (!restricted) return g_outlook.items;
  g_outlook.items->Release();
  g_facts.restricted = 1;
  return restricted;
}

int CountOf(HWND, IDispatch* collection) {
  VARIANT result;
  if (!CallOutlook(kCallCount, collection, nullptr, 0, &result, VT_I4)) return -1;
  return result.lVal;
}

// Item `index` of `collection` with its start (`dated`: whether it could be
// read; an item without one matches no day) and subject. With `matcher`
// the subject is read only when the start is one of its days (else the
// subject is left empty). Returns 1 with the item, or 0.
int ItemOf(IDispatch* collection, int index, const EntryMatcher* matcher, double* start,
           int* dated, std::u16string* subject, IDispatch** item) {
  VARIANT arg = I4Variant(index);
  *item = CallForObject(kCallItem, collection, &arg, 1);
  if (!*item) return 0;
  VARIANT value;
  *dated = CallOutlook(kCallGetStart, *item, nullptr, 0, &value, VT_DATE);
  *start = *dated ? value.date : 0;
  subject->clear();
  if (matcher && !(*dated && HasStart(*matcher, *start))) return 1;
  if (!CallOutlook(kCallGetSubject, *item, nullptr, 0, &value, VT_BSTR)) {
    Release(*item);
    return 0;
  }
  subject->assign((const char16_t*)value.bstrVal, value.bstrVal ? SysStringLen(value.bstrVal) : 0);
  VariantClear(&value);
  return 1;
}

// Categories that stand in for labels: 1 once the category of a label is
// in the user's list (or could not be put there but may still be named).
struct CategoryState {
  IDispatch* categories;
  unsigned char ready[11];
};

// The category list of the profile, or nullptr where Outlook has none.
IDispatch* OpenCategories() {
  if (!g_outlook.nameSpace) return nullptr;
  return CallForObject(kCallCategories, g_outlook.nameSpace, nullptr, 0, 1);
}

// Makes sure the category of `label` is in the user's list, created with
// the label's colour when missing.
void EnsureCategory(CategoryState* state, const LabelCategory* category, int label) {
  if (state->ready[label]) return;
  state->ready[label] = 1;
  std::u16string name = Utf16FromText(category->name, kCodePageLatin);
  VARIANT args[2] = {TextVariant(name), I4Variant(category->color)};
  IDispatch* found = CallForObject(kCallCategoryItem, state->categories, args, 1, 1);
  if (found) {
    found->Release();
  } else {
    CallOutlook(kCallCategoryAdd, state->categories, args, 2, nullptr, VT_EMPTY);
  }
  VariantClear(&args[0]);
}

int DeleteEntries(HWND owner, const CalDate* dates, const char* const* captions, int n,
                  int markers);

}  // namespace

int ImportIntoOutlookWith(HWND owner, const CalDate* dates, const char* const* captions,
                          const char* const* notes, int busyStatus, int reminderSet,
                          int reminderMinutes, int n, int labels, OutlookProgress progress,
                          void* context) {
  auto report = [&](const char* text, int done) {
    return progress ? progress(context, text, done, n) : 1;
  };
  report(kImportingText, 0);
  if (!OpenOutlookCalendar(owner)) return 0;

  // The label mechanism, or the categories where it is missing.
  IUnknown* session = nullptr;
  CategoryState categories = {};
  int labelMode = 0;
  if (labels) {
    int marked = 0;
    for (int i = 0; i < n && !marked; ++i) marked = std::strchr(captions[i], '#') != nullptr;
    if (marked) {
      char error[256] = "";
      session = OpenLabelConnection(error);
      if (session) {
        labelMode = 1;
      } else if ((categories.categories = OpenCategories()) != nullptr) {
        labelMode = 2;
      } else {
        ShowError(error);
      }
    }
  }
  g_facts.labelMode = labelMode;

  DeleteEntries(owner, dates, captions, n, labels);

  std::vector<std::string> subjects;
  for (int i = 0; i < n && !g_outlook.log.gone; ++i) {
    if (!report(ImportingDateText(i + 1, n).c_str(), i)) {
      g_facts.cancelled = 1;
      break;
    }
    int label = -1;
    std::string caption = labels ? CaptionWithoutMarker(captions[i], &label) : captions[i];
    std::u16string category;
    if (labelMode == 2 && label >= 0) {
      if (const LabelCategory* c = CategoryOfLabel(label)) {
        EnsureCategory(&categories, c, label);
        category = Utf16FromText(c->name, kCodePageLatin);
      }
    }
    IDispatch* item = nullptr;
    int saved = AddAllDayAppointment(owner, dates[i], caption.c_str(), notes[i], busyStatus, reminderSet,
                         reminderMinutes, &item,
                         category.empty() ? nullptr : (const wchar_t*)category.c_str());
    // An appointment that was not saved has no message to label.
    if (item && saved && labelMode == 1 && label >= 0) {
      char error[256] = "";
      if (!SetAppointmentLabel(session, item, label, error)) {
        // The entries are saved all the same; labels stop for this run.
        ShowError(error);
        labelMode = 0;
      }
    }
    if (item) item->Release();
  }
  if (session) {
    char error[256];
    CloseLabelConnection(session, error);
  }
  if (categories.categories) categories.categories->Release();
  g_facts.failures = g_outlook.log.failures;
  int ok = g_outlook.log.failures == 0;
  CloseOutlookCalendar();
  report(labels ? kImportingFinishedText : kImportingPlainFinishedText, n);
  return ok;
}

void FormatHresult(HRESULT hr, char* buffer) {
  std::string text = HresultText((std::int32_t)hr);
  std::memcpy(buffer, text.c_str(), text.size() + 1);
}

const OutlookRunFacts& LastOutlookRun() { return g_facts; }

void SetRestrictedWalk(int enabled) { g_restrictedWalk = enabled; }

int OpenOutlookCalendar(HWND) {
  g_outlook = {};
  g_facts = {};
  HRESULT hr = OleInitialize(nullptr);
  g_outlook.oleInitialized = SUCCEEDED(hr);
  CLSID clsid;
  hr = CLSIDFromProgID(L"Outlook.Application", &clsid);
  if (FAILED(hr)) {
    ShowError(OutlookOpenMessage(kOpenClsid, (std::int32_t)hr));
    CloseOutlookCalendar();
    return 0;
  }
  IUnknown* unknown = nullptr;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IUnknown,
                        (void**)&unknown);
  if (FAILED(hr)) {
    ShowError(OutlookOpenMessage(kOpenCreate, (std::int32_t)hr));
    CloseOutlookCalendar();
    return 0;
  }
  IDispatch* application = nullptr;
  hr = unknown->QueryInterface(IID_IDispatch, (void**)&application);
  if (FAILED(hr)) {
    ShowError(OutlookOpenMessage(kOpenQueryDispatch, (std::int32_t)hr));
    unknown->Release();
    CloseOutlookCalendar();
    return 0;
  }
  VARIANT arg = BstrVariant("MAPI");
  IDispatch* nameSpace = CallForObject(kCallGetNameSpace, application, &arg, 1);
  VariantClear(&arg);
  IDispatch* folder = nullptr;
  if (nameSpace) {
    arg = I4Variant(kCalendarFolder);
    folder = CallForObject(kCallGetDefaultFolder, nameSpace, &arg, 1);
  }
  if (folder) g_outlook.items = CallForObject(kCallItems, folder, nullptr, 0);
  Release(folder);
  application->Release();
  unknown->Release();
  if (!g_outlook.items) {
    Release(nameSpace);
    CloseOutlookCalendar();
    return 0;
  }
  g_outlook.nameSpace = nameSpace;
  g_outlook.log.failures = 0;
  return 1;
}

void CloseOutlookCalendar() {
  Release(g_outlook.items);
  Release(g_outlook.nameSpace);
  if (g_outlook.oleInitialized) OleUninitialize();
  g_outlook.oleInitialized = 0;
}

int GetCalendarItemCount(HWND owner) {
  if (!g_outlook.items) return -1;
  return CountOf(owner, g_outlook.items);
}

int GetCalendarItem(HWND, int index, double* start, std::u16string* subject, IDispatch** item) {
  if (!g_outlook.items) return 0;
  int dated = 0;
  double read = 0;
  int ok = ItemOf(g_outlook.items, index, nullptr, &read, &dated, subject, item);
  if (start) *start = dated ? read : -1;
  return ok;
}

int DeleteCalendarItem(HWND, IDispatch* item) {
  return CallOutlook(kCallDelete, item, nullptr, 0, nullptr, VT_EMPTY);
}

int SetAppointmentProperty(HWND, IDispatch* item, const char* name, VARIANT value) {
  for (int c = kCallAllDayEvent; c <= kCallSave; ++c) {
    const OutlookCallInfo& info = OutlookCallOf((OutlookCall)c);
    if (info.kind == kPut && std::strcmp(info.name, name) == 0) {
      return CallOutlook((OutlookCall)c, item, &value, 1, nullptr, VT_EMPTY);
    }
  }
  return 0;
}

void SetReminder(HWND, IDispatch* item, int reminderSet, int minutes) {
  if (reminderSet) {
    PutProperty(kCallReminderMinutes, item, I4Variant(minutes));
    PutProperty(kCallReminderSet, item, BoolVariant(VARIANT_TRUE));
  } else {
    PutProperty(kCallReminderSet, item, BoolVariant(VARIANT_FALSE));
  }
}

int AddAllDayAppointment(HWND owner, const CalDate& day, const char* caption, const char* notes,
                          int busyStatus, int reminderSet, int reminderMinutes, IDispatch** item,
                          const wchar_t* category) {
  if (item) *item = nullptr;
  VARIANT arg = I4Variant(kAppointmentItem);
  IDispatch* appointment = CallForObject(kCallAdd, g_outlook.items, &arg, 1);
  if (!appointment) return 0;
  const CodePage page = ExportCodePage();
  PutProperty(kCallAllDayEvent, appointment, BoolVariant(VARIANT_TRUE));
  PutProperty(kCallPutStart, appointment, DateVariant(AutomationDate(day)));
  PutProperty(kCallPutSubject, appointment, TextVariant(Utf16FromText(caption, page)));
  PutProperty(kCallBody, appointment, TextVariant(Utf16FromText(notes, page)));
  if (busyStatus != 1000) PutProperty(kCallBusyStatus, appointment, I4Variant(busyStatus));
  SetReminder(owner, appointment, reminderSet, reminderMinutes);
  if (category) PutProperty(kCallPutCategories, appointment, BstrVariant(category, (UINT)wcslen(category)));
  int saved = CallOutlook(kCallSave, appointment, nullptr, 0, nullptr, VT_EMPTY);
  g_facts.saved += saved;
  if (item) {
    *item = appointment;
  } else {
    appointment->Release();
  }
  return saved;
}

namespace {

int DeleteEntries(HWND owner, const CalDate* dates, const char* const* captions, int n,
                  int markers) {
  if (!g_outlook.items) return 0;
  EntryMatcher matcher;
  BuildEntryMatcher(dates, captions, n, markers, ExportCodePage(), &matcher);
  IDispatch* collection = WalkCollection(dates, n);
  int count = CountOf(owner, collection);
  std::vector<IDispatch*> found;
  std::u16string subject;
  for (int i = 1; i <= count && !g_outlook.log.gone; ++i) {
    double start;
    int dated;
    IDispatch* item;
    if (!ItemOf(collection, i, &matcher, &start, &dated, &subject, &item)) continue;
    ++g_facts.walked;
    if (dated && MatchEntry(matcher, start, subject.data(), subject.size()) >= 0) {
      found.push_back(item);
    } else {
      item->Release();
    }
  }
  collection->Release();
  // Deleted only now, so that the walk's indices stayed valid; the most
  // recently found first.
  int deleted = 0;
  for (auto it = found.rbegin(); it != found.rend(); ++it) {
    if (!g_outlook.log.gone && DeleteCalendarItem(owner, *it)) ++deleted;
    (*it)->Release();
  }
  g_facts.deleted += deleted;
  return deleted;
}

}  // namespace

int DeletePreviousEntries(HWND owner, const CalDate* dates, const char* const* captions, int n) {
  return DeleteEntries(owner, dates, captions, n, 1);
}

int ImportIntoOutlook(HWND owner, const CalDate* dates, const char* const* captions,
                      const char* const* notes, int busyStatus, int reminderSet,
                      int reminderMinutes, int n, HWND progress, int textId) {
  ProgressWindow window = {progress, textId};
  return ImportIntoOutlookWith(owner, dates, captions, notes, busyStatus, reminderSet,
                               reminderMinutes, n, 1, ShowInWindow, &window);
}

int ImportIntoOutlookPlain(HWND owner, const CalDate* dates, const char* const* captions,
                           const char* const* notes, int busyStatus, int reminderSet,
                           int reminderMinutes, int n, HWND progress, int textId) {
  ProgressWindow window = {progress, textId};
  return ImportIntoOutlookWith(owner, dates, captions, notes, busyStatus, reminderSet,
                               reminderMinutes, n, 0, ShowInWindow, &window);
}
