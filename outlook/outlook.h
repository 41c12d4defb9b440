// The Outlook target: the default calendar folder of Outlook, driven by
// late binding through IDispatch. An import opens Outlook, deletes the
// entries an earlier export left on the same days with the same subjects,
// adds one saved all-day appointment per day and gives holiday entries
// their label. Windows only.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>

#include "calendar/caldate.h"

// Opens Outlook's calendar items for this run. Returns 1, or 0 after the
// failing step's message.
int OpenOutlookCalendar(HWND owner);
// Releases what the run holds and uninitialises OLE.
void CloseOutlookCalendar();

// The number of items in the calendar, or -1 (after a message; without one
// when no connection is open).
int GetCalendarItemCount(HWND owner);
// Item `index` (1-based) with its start (an automation date; nullptr: not
// read) and subject. Returns 1 with the item (the caller releases it), or 0
// after a message. A start that is not a date gives -1 (no day matches).
int GetCalendarItem(HWND owner, int index, double* start, std::u16string* subject, IDispatch** item);
// Returns 1, or 0 after a message (the item stays in place).
int DeleteCalendarItem(HWND owner, IDispatch* item);
// Puts one property. Returns 1, or 0 after a message.
int SetAppointmentProperty(HWND owner, IDispatch* item, const char* name, VARIANT value);
// "ReminderMinutesBeforeStart" (only when set) and "ReminderSet".
void SetReminder(HWND owner, IDispatch* item, int reminderSet, int minutes);
// Creates and saves the all-day appointment. With `item` the caller gets
// the new appointment (nullptr when "Add" failed) and releases it.
// `category`: the category to give it, or nullptr. Returns 1 when it was
// saved.
int AddAllDayAppointment(HWND owner, const CalDate& day, const char* caption, const char* notes,
                          int busyStatus, int reminderSet, int reminderMinutes, IDispatch** item,
                          const wchar_t* category = nullptr);
// Deletes the items that are the entries of these days, after the walk.
// Returns the number deleted.
int DeletePreviousEntries(HWND owner, const CalDate* dates, const char* const* captions, int n);

// Imports n days: captions may carry the label marker "#n". Returns 1 when
// every call went through; 0 when Outlook could not be opened or a call
// failed (its message was shown, once per kind), so that the caller shows
// its one failure message.
int ImportIntoOutlook(HWND owner, const CalDate* dates, const char* const* captions,
                      const char* const* notes, int busyStatus, int reminderSet,
                      int reminderMinutes, int n, HWND progress, int textId);
// The same without labels: captions are used whole.
int ImportIntoOutlookPlain(HWND owner, const CalDate* dates, const char* const* captions,
                           const char* const* notes, int busyStatus, int reminderSet,
                           int reminderMinutes, int n, HWND progress, int textId);

// The progress of an import: shows `text` (`done` of `total` days added).
// Returning 0 cancels: the import stops before the next day, and the days
// added so far stay in Outlook.
using OutlookProgress = int (*)(void* context, const char* text, int done, int total);
// ImportIntoOutlook (`labels` 1) or ImportIntoOutlookPlain (`labels` 0)
// reporting through `progress` (may be nullptr).
int ImportIntoOutlookWith(HWND owner, const CalDate* dates, const char* const* captions,
                          const char* const* notes, int busyStatus, int reminderSet,
                          int reminderMinutes, int n, int labels, OutlookProgress progress,
                          void* context);

// "hresult = 80004005hex" into buffer (at least 32 characters).
void FormatHresult(HRESULT hr, char* buffer);

// How a run went, for the caller and the tests.
struct OutlookRunFacts {
  int restricted;   // the walk went over the items of the range only
  int walked;       // items looked at by the walk
  int deleted;      // earlier entries deleted
  int saved;        // appointments added and saved
  int failures;     // failed calls, shown or not
  int labelMode;    // 0 none, 1 label property, 2 categories
  int cancelled;    // stopped through the progress
};
// The facts of the last import.
const OutlookRunFacts& LastOutlookRun();

// Whether the walk may restrict the collection to the range (default 1).
void SetRestrictedWalk(int enabled);
