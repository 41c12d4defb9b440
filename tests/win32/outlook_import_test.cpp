// The Outlook target against the stand-in servers of tests/fakes: the calls
// of a day in order and types, replacing earlier entries, failures shown
// once, UTF-16 texts, labels and their category fallback, the restricted
// walk and an out-of-process Outlook.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fakes/fake_store.h"
#include "fakes/stand_in.h"
#include "outlook/mapi_label.h"
#include "outlook/outlook.h"
#include "outlook/outlook_rules.h"
#include "settings/settings.h"
#include "support/scratch_dir.h"
#include "tests/win32/harness.h"

namespace {

using namespace win32test;
using namespace standin;

// Days of an import and their texts.
struct Days {
  std::vector<CalDate> dates;
  std::vector<std::string> captions, notes;
  std::vector<const char*> c, n;

  void Add(CalDate date, std::string caption, std::string note = "Notes\r\nline 2") {
    dates.push_back(date);
    captions.push_back(std::move(caption));
    notes.push_back(std::move(note));
  }
  int Import(int busy = 1000, int reminder = 0, int minutes = 15) {
    c.clear();
    n.clear();
    for (std::size_t i = 0; i < dates.size(); ++i) {
      c.push_back(captions[i].c_str());
      n.push_back(notes[i].c_str());
    }
    return ImportIntoOutlook(nullptr, dates.data(), c.data(), n.data(), busy, reminder, minutes,
                             (int)dates.size(), nullptr, 0);
  }
};

// The entries on a day, by subject.
std::vector<std::wstring> SubjectsOn(const FakeStore& store, CalDate day) {
  std::vector<std::wstring> subjects;
  for (const FakeAppointment& a : store.appointments) {
    if (a.start == AutomationDate(day)) subjects.push_back(a.subject);
  }
  std::sort(subjects.begin(), subjects.end());
  return subjects;
}

std::vector<std::string> Texts(const MessageCapture& messages) {
  std::vector<std::string> texts;
  for (const ShownMessage& m : messages.shown()) texts.push_back(m.text);
  return texts;
}

// The messages shown, for a failure's explanation.
std::string Shown(const MessageCapture& messages) {
  std::string all;
  for (const ShownMessage& m : messages.shown()) all += m.text + "\n";
  return all;
}

FakeAppointment Appointment(double start, const wchar_t* subject) {
  FakeAppointment a = NewFakeAppointment();
  a.start = start;
  a.allDay = 1;
  a.subject = subject;
  return a;
}

// ---- The calls -------------------------------------------------------------

TEST(OutlookImport, CallsOfOneDayInOrderAndTypes) {
  StandIn outlook;
  MessageCapture messages;
  Days days;
  days.Add({15, 4, 2007}, "Pesach II - 27 Nisan#3");
  ASSERT_EQ(days.Import(2, 1, 30), 1) << Shown(messages);
  const std::vector<std::string> expected = {
      "Application.GetNameSpace method(VT_BSTR)",
      "NameSpace.GetDefaultFolder method(VT_I4)",
      "Folder.Items get()",
      "Session.Logon method(VT_BSTR, VT_BSTR, VT_BOOL, VT_BOOL)",
      "Items.Restrict method(VT_BSTR)",
      "Items.Count get()",
      "Items.Add get+method(VT_I4)",
      "Appointment.AllDayEvent put(VT_BOOL)",
      "Appointment.Start put(VT_DATE)",
      "Appointment.Subject put(VT_BSTR)",
      "Appointment.Body put(VT_BSTR)",
      "Appointment.BusyStatus put(VT_I4)",
      "Appointment.ReminderMinutesBeforeStart put(VT_I4)",
      "Appointment.ReminderSet put(VT_BOOL)",
      "Appointment.Save method()",
      "Appointment.EntryID get()",
      "Appointment.Parent get()",
      "Folder.StoreID get()",
      "Session.GetMessage method(VT_BSTR, VT_BSTR)",
      "Message.Fields get()",
      "Fields.Item method(VT_BSTR, VT_BSTR)",
      "Fields.Add method(VT_BSTR, VT_I4, VT_I4, VT_BSTR)",
      "Message.Update method(VT_BOOL, VT_BOOL)",
      "Session.Logoff method()",
  };
  EXPECT_EQ(outlook.TakeLog(), expected);
  EXPECT_TRUE(messages.shown().empty());
  FakeStore store = outlook.Store();
  ASSERT_EQ(store.appointments.size(), 1u);
  const FakeAppointment& a = store.appointments[0];
  EXPECT_EQ(a.start, 39187.0);  // 15 April 2007
  EXPECT_EQ(a.allDay, 1);
  EXPECT_EQ(a.subject, L"Pesach II - 27 Nisan");
  EXPECT_EQ(a.body, L"Notes\r\nline 2");
  EXPECT_EQ(a.busyStatus, 2);
  EXPECT_EQ(a.reminderSet, 1);
  EXPECT_EQ(a.reminderMinutes, 30);
  EXPECT_EQ(a.label, 3);
}

TEST(OutlookImport, DefaultBusyStatusAndNoReminderSendNoPuts) {
  StandIn outlook;
  MessageCapture messages;
  Days days;
  days.Add({16, 4, 2007}, "28 Nisan - 16.4.2007");
  ASSERT_EQ(days.Import(1000, 0, 45), 1) << Shown(messages);
  std::vector<std::string> puts;
  for (const std::string& line : outlook.TakeLog()) {
    if (line.find(" put(") != std::string::npos) puts.push_back(line);
  }
  EXPECT_EQ(puts, (std::vector<std::string>{
                      "Appointment.AllDayEvent put(VT_BOOL)", "Appointment.Start put(VT_DATE)",
                      "Appointment.Subject put(VT_BSTR)", "Appointment.Body put(VT_BSTR)",
                      "Appointment.ReminderSet put(VT_BOOL)"}));
  FakeStore store = outlook.Store();
  ASSERT_EQ(store.appointments.size(), 1u);
  EXPECT_EQ(store.appointments[0].busyStatus, -1);
  EXPECT_EQ(store.appointments[0].reminderSet, 0);
  EXPECT_EQ(store.appointments[0].label, -1);  // no marker: no label session
}

TEST(OutlookImport, LabelReplacesAnExistingPropertyAndAddsAMissingOne) {
  StandIn outlook;
  MessageCapture messages;
  ASSERT_EQ(OpenOutlookCalendar(nullptr), 1);
  IDispatch* item = nullptr;
  AddAllDayAppointment(nullptr, {1, 5, 2007}, "Lag BaOmer", "", 1000, 0, 15, &item);
  ASSERT_NE(item, nullptr);
  char error[256] = "";
  IUnknown* session = OpenLabelConnection(error);
  ASSERT_NE(session, nullptr) << error;
  outlook.TakeLog();
  EXPECT_EQ(SetAppointmentLabel(session, item, 3, error), 1) << error;
  EXPECT_EQ(SetAppointmentLabel(session, item, 8, error), 1) << error;
  std::vector<std::string> writes;
  for (const std::string& line : outlook.TakeLog()) {
    if (line.rfind("Field", 0) == 0 && line.find(".Item ") == std::string::npos) writes.push_back(line);
  }
  EXPECT_EQ(writes, (std::vector<std::string>{"Fields.Add method(VT_BSTR, VT_I4, VT_I4, VT_BSTR)",
                                              "Field.Value put(VT_I4)"}));
  EXPECT_EQ(CloseLabelConnection(session, error), 1);
  item->Release();
  CloseOutlookCalendar();
  ASSERT_EQ(outlook.Store().appointments.size(), 1u);
  EXPECT_EQ(outlook.Store().appointments[0].label, 8);
}

TEST(OutlookImport, ProgressTextsAndCancel) {
  StandIn outlook;
  MessageCapture messages;
  Days days;
  for (int d = 1; d <= 4; ++d) days.Add({d, 6, 2007}, "day " + std::to_string(d));
  days.Import();  // fills the pointer arrays
  struct Seen {
    std::vector<std::string> texts;
  } seen;
  auto progress = [](void* context, const char* text, int, int) {
    auto* s = (Seen*)context;
    s->texts.push_back(text);
    return s->texts.size() < 4 ? 1 : 0;  // Cancel while day 3 is announced
  };
  EXPECT_EQ(ImportIntoOutlookWith(nullptr, days.dates.data(), days.c.data(), days.n.data(), 1000, 0,
                                  15, 4, 0, progress, &seen), 1);
  EXPECT_EQ(seen.texts, (std::vector<std::string>{"Importing...", "Importing date 1 of 4",
                                                  "Importing date 2 of 4", "Importing date 3 of 4",
                                                  "Importing into Outlook finished"}));
  EXPECT_EQ(LastOutlookRun().cancelled, 1);
  EXPECT_EQ(LastOutlookRun().saved, 2);
  EXPECT_EQ(LastOutlookRun().deleted, 4) << "the first run's entries";
  EXPECT_EQ(outlook.Store().appointments.size(), 2u);
}

// ---- Earlier entries -------------------------------------------------------

// The calendar of the replacement tests: the user's own entries around the
// days of the export.
FakeStore UsersCalendar() {
  FakeStore store;
  const double day2 = AutomationDate({2, 4, 2007});
  store.appointments = {
      Appointment(day2, L"DENTIST"),
      Appointment(day2, L"erev pesach - 14 nisan"),  // by hand, the export's caption
      Appointment(day2 + 0.5, L"Erev Pesach - 14 Nisan"),  // the same moved to noon
      Appointment(AutomationDate({2, 4, 2008}), L"Erev Pesach - 14 Nisan"),
  };
  for (std::size_t i = 0; i < store.appointments.size(); ++i) store.appointments[i].id = (long)i + 1;
  store.nextId = 5;
  return store;
}

Days ThreeDays(const char* format) {
  Days days;
  const char* holidays[] = {"", "Erev Pesach", "Pesach I"};
  const char* hebrew[] = {"13 Nisan", "14 Nisan", "15 Nisan"};
  for (int i = 0; i < 3; ++i) {
    char caption[64];
    if (*holidays[i]) {
      std::snprintf(caption, sizeof caption, format[0] == 'H' ? "%s - %s#2" : "%s (%s)#2",
                    holidays[i], hebrew[i]);
    } else {
      std::snprintf(caption, sizeof caption, "%s - %d.4.2007", hebrew[i], i + 1);
    }
    days.Add({i + 1, 4, 2007}, caption);
  }
  return days;
}

TEST(OutlookImport, ExportingTwiceLeavesOneEntryPerDay) {
  for (int restricted : {1, 0}) {
    StandIn outlook;
    outlook.Prepare(UsersCalendar());
    MessageCapture messages;
    SetRestrictedWalk(restricted);
    Days days = ThreeDays("H");
    ASSERT_EQ(days.Import(), 1) << Shown(messages);
    ASSERT_EQ(days.Import(), 1) << Shown(messages);
    EXPECT_EQ(LastOutlookRun().restricted, restricted);
    EXPECT_EQ(LastOutlookRun().walked, restricted ? 5 : 6);
    FakeStore store = outlook.Store();
    EXPECT_EQ(SubjectsOn(store, {1, 4, 2007}), std::vector<std::wstring>{L"13 Nisan - 1.4.2007"});
    // The hand-made entry with the exact caption went with the first run.
    EXPECT_EQ(SubjectsOn(store, {2, 4, 2007}),
              (std::vector<std::wstring>{L"DENTIST", L"Erev Pesach - 14 Nisan"}));
    EXPECT_EQ(SubjectsOn(store, {3, 4, 2007}), std::vector<std::wstring>{L"Pesach I - 15 Nisan"});
    EXPECT_EQ(store.appointments.size(), 6u) << "the moved entry and next year's stay";
    EXPECT_TRUE(messages.shown().empty());

    // Another caption format: the old entries stay next to the new ones.
    Days other = ThreeDays("(");
    ASSERT_EQ(other.Import(), 1) << Shown(messages);
    EXPECT_EQ(SubjectsOn(outlook.Store(), {3, 4, 2007}),
              (std::vector<std::wstring>{L"Pesach I (15 Nisan)", L"Pesach I - 15 Nisan"}));
  }
  SetRestrictedWalk(1);
}

// ---- Texts ----------------------------------------------------------------

TEST(OutlookImport, HebrewCaptionArrivesAsUnicodeAndIsFoundAgain) {
  StandIn outlook;
  outlook.dir().Write(kSettingsFile, "[Flags]\r\nHebrewFlag=1\r\n");
  MessageCapture messages;
  Days days;
  // Chanukah in Hebrew letters, stored in visual order, with Windows-1255
  // punctuation (0x96, the en dash).
  days.Add({16, 12, 2006}, "\xE4\xEB\xE5\xF0\xE7 \x96 \xE4\"\xEB#2", "\xE4\xEB\xE5\xF0\xE7");
  ASSERT_EQ(days.Import(), 1) << Shown(messages);
  ASSERT_EQ(days.Import(), 1) << Shown(messages);
  FakeStore store = outlook.Store();
  ASSERT_EQ(store.appointments.size(), 1u);
  EXPECT_EQ(store.appointments[0].subject, L"\u05D7\u05E0\u05D5\u05DB\u05D4 \u2013 \u05DB\"\u05D4");
  EXPECT_EQ(store.appointments[0].body, L"\u05D7\u05E0\u05D5\u05DB\u05D4");
  EXPECT_TRUE(messages.shown().empty());
}

// ---- Failures ---------------------------------------------------------------

TEST(OutlookImport, AFailingCallIsShownOnceWithItsHresult) {
  struct Row {
    const wchar_t* fail;
    DWORD hr;
    DWORD exception;
    const char* message;
    std::size_t saved;
    long adds;  // days the run went on to
  } rows[] = {
      {L"Appointment.Save invoke", 0x80004005, 0,
       "Invoke for Save of CalendarFolder failed, hresult = 80004005hex", 0, 4},
      {L"Appointment.Body ids", 0x80020006, 0,
       "GetIDsOfNames for Body of CalendarFolder failed, hresult = 80020006hex", 4, 4},
      // A failure Outlook raises as an exception shows the exception's code.
      {L"Appointment.Subject invoke", 0x8004010F, 1,
       "Invoke for Subject of CalendarFolder failed, hresult = 8004010Fhex", 4, 4},
      {L"Items.Add invoke", 0x80070005, 0,
       "Invoke for Add of CalendarFolder failed, hresult = 80070005hex", 0, 4},
      // Outlook gone (RPC_S_SERVER_UNAVAILABLE): the run stops there.
      {L"Appointment.Save invoke", 0x800706BA, 0,
       "Invoke for Save of CalendarFolder failed, hresult = 800706BAhex", 0, 1},
  };
  for (const Row& r : rows) {
    StandIn outlook;
    SetText(kFakeOutlookKey, L"Fail", r.fail);
    SetNumber(L"FailHresult", r.hr);
    SetNumber(L"FailAsException", r.exception);
    MessageCapture messages;
    Days days;
    for (int d = 1; d <= 4; ++d) days.Add({d, 5, 2007}, "day#1");
    EXPECT_EQ(days.Import(), 0) << r.message;
    EXPECT_EQ(Texts(messages), std::vector<std::string>{r.message});
    EXPECT_EQ(outlook.Store().appointments.size(), r.saved) << r.message;
    std::vector<std::string> log = outlook.TakeLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), "Items.Add get+method(VT_I4)"), r.adds) << r.message;
  }
}

TEST(OutlookImport, WrongResultTypesAndAMissingOutlook) {
  struct Row {
    const wchar_t* wrongType;
    const char* message;
  } rows[] = {
      {L"Items.Count", "Count did not return a LONG value"},
      {L"NameSpace.GetDefaultFolder", "GetDefaultFolder did not return an IDispatch object"},
  };
  for (const Row& r : rows) {
    StandIn outlook;
    SetText(kFakeOutlookKey, L"WrongType", r.wrongType);
    MessageCapture messages;
    Days days;
    days.Add({1, 5, 2007}, "day");
    EXPECT_EQ(days.Import(), 0);
    EXPECT_EQ(Texts(messages), std::vector<std::string>{r.message});
  }
  StandIn outlook;
  UnregisterProgId(L"Outlook.Application");
  MessageCapture messages;
  Days days;
  days.Add({1, 5, 2007}, "day");
  EXPECT_EQ(days.Import(), 0);
  EXPECT_EQ(Texts(messages),
            std::vector<std::string>{"CLSIDFromProgID of Outlook.Application failed, hresult = 800401F3hex"});
}

TEST(OutlookImport, AFailedLabelStopsLabelsForTheRun) {
  StandIn outlook;
  SetText(kFakeOutlookKey, L"Fail", L"Message.Update invoke");
  SetNumber(L"FailHresult", 0x80040605);
  MessageCapture messages;
  Days days;
  for (int d = 1; d <= 3; ++d) days.Add({d, 5, 2007}, "holiday#4");
  EXPECT_EQ(days.Import(), 1) << "the entries are all there";
  EXPECT_EQ(Texts(messages), std::vector<std::string>{"Message.Update failed, error code 80040605hex"});
  std::vector<std::string> log = outlook.TakeLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), "Message.Update method(VT_BOOL, VT_BOOL)"), 1);
  FakeStore store = outlook.Store();
  ASSERT_EQ(store.appointments.size(), 3u);
  for (const FakeAppointment& a : store.appointments) EXPECT_EQ(a.label, -1);
}

// ---- Labels as categories ------------------------------------------------------

TEST(OutlookImport, WithoutTheLabelSessionLabelsBecomeCategories) {
  StandIn outlook;
  UnregisterProgId(L"MAPI.Session");
  FakeStore calendar;
  calendar.categories = {{L"Business", 23}};  // the user's own colour stays
  outlook.Prepare(calendar);
  MessageCapture messages;
  Days days;
  days.Add({1, 5, 2007}, "first#3");
  days.Add({2, 5, 2007}, "second#3");
  days.Add({3, 5, 2007}, "third#2");
  days.Add({4, 5, 2007}, "plain");
  ASSERT_EQ(days.Import(), 1) << Shown(messages);
  EXPECT_TRUE(messages.shown().empty());
  EXPECT_EQ(LastOutlookRun().labelMode, 2);
  FakeStore store = outlook.Store();
  ASSERT_EQ(store.categories.size(), 2u);
  EXPECT_EQ(store.categories[0].name, L"Business");
  EXPECT_EQ(store.categories[0].color, 23);
  EXPECT_EQ(store.categories[1].name, L"Personal");
  EXPECT_EQ(store.categories[1].color, 5);  // olCategoryColorGreen
  std::vector<std::wstring> categories;
  for (const FakeAppointment& a : store.appointments) categories.push_back(a.categories);
  EXPECT_EQ(categories, (std::vector<std::wstring>{L"Personal", L"Personal", L"Business", L""}));

  // Neither labels nor categories: the label session's error, once.
  StandIn older;
  UnregisterProgId(L"MAPI.Session");
  SetNumber(L"NoCategories", 1);
  MessageCapture olderMessages;
  ASSERT_EQ(days.Import(), 1) << Shown(messages);
  EXPECT_EQ(Texts(olderMessages), std::vector<std::string>{"CLSIDFromProgID failed, error code 800401F3hex"});
  for (const FakeAppointment& a : older.Store().appointments) EXPECT_EQ(a.categories, L"");
}

// ---- Out of process -----------------------------------------------------------

// Outlook and its label session in a server process of their own, as the
// real ones are.
TEST(OutlookImport, OutOfProcessOutlook) {
  StandIn outlook;
  RegisterProgId(L"Outlook.Application", kFakeLocalOutlookClsid);
  RegisterProgId(L"MAPI.Session", kFakeLocalSessionClsid);
  SetText(kFakeOutlookKey, L"Log", L"");
  outlook.Prepare(UsersCalendar());
  MessageCapture messages;
  Days days = ThreeDays("H");
  ASSERT_EQ(days.Import(), 1) << (messages.shown().empty() ? "" : messages.shown()[0].text);
  ASSERT_EQ(days.Import(), 1) << Shown(messages);
  EXPECT_EQ(LastOutlookRun().deleted, 3);
  FakeStore store = outlook.Store();
  EXPECT_EQ(SubjectsOn(store, {2, 4, 2007}),
            (std::vector<std::wstring>{L"DENTIST", L"Erev Pesach - 14 Nisan"}));
  EXPECT_EQ(store.appointments.size(), 6u);
  EXPECT_EQ(LastOutlookRun().labelMode, 1);
  std::vector<std::wstring> labelled;  // the two holidays, label 2
  for (const FakeAppointment& a : store.appointments) {
    if (a.label == 2) labelled.push_back(a.subject);
  }
  std::sort(labelled.begin(), labelled.end());
  EXPECT_EQ(labelled, (std::vector<std::wstring>{L"Erev Pesach - 14 Nisan", L"Pesach I - 15 Nisan"}));
  EXPECT_TRUE(messages.shown().empty());
}

// ---- Figures (run on demand: --gtest_also_run_disabled_tests) -------------------

// A year into a calendar of 10,000 other items, walked whole and restricted.
TEST(OutlookImport, DISABLED_YearIntoALargeCalendar) {
  for (int local : {0, 1}) {
    for (int restricted : {0, 1}) {
      StandIn outlook;
      if (local) RegisterProgId(L"Outlook.Application", kFakeLocalOutlookClsid);
      SetText(kFakeOutlookKey, L"Log", L"");
      FakeStore calendar;
      for (int i = 0; i < 10000; ++i) {
        calendar.appointments.push_back(Appointment(AutomationDate({1, 1, 2000}) + i * 0.73, L"Other"));
        calendar.appointments.back().id = i + 1;
      }
      calendar.nextId = 10001;
      outlook.Prepare(calendar);
      MessageCapture messages;
      SetRestrictedWalk(restricted);
      Days days;
      const CalDate first = {1, 1, 2030};
      for (int a = AbsoluteFromGregorian(&first), i = 0; i < 365; ++i) {
        CalDate d;
        GregorianFromAbsolute(a + i, &d);
        days.Add(d, "caption " + std::to_string(i), std::string(600, 'x'));
      }
      auto start = std::chrono::steady_clock::now();
      ASSERT_EQ(days.Import(), 1) << Shown(messages);
      double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      std::printf("%s, %s walk: %.2f s (%d items walked)\n", local ? "out of process" : "in process",
                  restricted ? "restricted" : "whole", seconds, LastOutlookRun().walked);
    }
  }
  SetRestrictedWalk(1);
}

}  // namespace
