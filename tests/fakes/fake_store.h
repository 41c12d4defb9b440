// The stand-in Outlook's calendar as a file: its appointments (with label
// and categories) and the user's category list, one record a line. The
// stand-in servers load it when their first object is made and write it
// when their last object goes; the tests prepare and read it.
#pragma once
#include <string>
#include <vector>

struct FakeAppointment {
  long id;             // also the entry id, "EID" and the number
  double start;        // automation date
  int allDay;
  int busyStatus;      // -1: never put (Outlook's default)
  int reminderSet;
  int reminderMinutes;
  int label;           // the label property; -1: none
  std::wstring categories;
  std::wstring subject;
  std::wstring body;
};

struct FakeCategory {
  std::wstring name;
  int color;
};

struct FakeStore {
  std::vector<FakeAppointment> appointments;
  std::vector<FakeCategory> categories;
  long nextId = 1;
};

// A store that is missing reads as empty. Returns 1, or 0 on a bad line.
int LoadFakeStore(const std::wstring& path, FakeStore* store);
int SaveFakeStore(const std::wstring& path, const FakeStore& store);
// A new appointment as the stand-in's "Add" makes it.
FakeAppointment NewFakeAppointment();

// UTF-16 and UTF-8.
std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);

// The settings of the stand-ins, in HKCU\Software\Tavlon Tests\Fake Outlook:
//   Store (text)       the store file
//   Log (text)         the call log; none: no log
//   Fail (text)        the call to fail, "Object.Name ids" or "Object.Name
//                      invoke", e.g. "Appointment.Save invoke"
//   FailHresult (number) its HRESULT
//   FailAsException (number) 1: reported as DISP_E_EXCEPTION with the
//                      HRESULT as the exception's status code
//   FailFrom (number)  fail from the n-th such call on (default 1)
//   WrongType (text)   a call whose result comes back with another type
//   NoRestrict (number) 1: the collection cannot be restricted
//   NoCategories (number) 1: the namespace has no category list
inline constexpr wchar_t kFakeOutlookKey[] = L"Software\\Tavlon Tests\\Fake Outlook";

// The stand-in's CLSIDs: the in-process Outlook and label session, the
// out-of-process Outlook and label session (one server process for both).
inline constexpr wchar_t kFakeOutlookClsid[] = L"{6E3B8C51-2F0A-4C8E-9D1B-7A5F3E2C1001}";
inline constexpr wchar_t kFakeSessionClsid[] = L"{6E3B8C51-2F0A-4C8E-9D1B-7A5F3E2C1002}";
inline constexpr wchar_t kFakeLocalOutlookClsid[] = L"{6E3B8C51-2F0A-4C8E-9D1B-7A5F3E2C1003}";
inline constexpr wchar_t kFakeLocalSessionClsid[] = L"{6E3B8C51-2F0A-4C8E-9D1B-7A5F3E2C1004}";
