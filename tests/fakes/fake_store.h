// The stand-in Outlook: its calendar as a file, which the stand-in servers
// load with their first object and write when their last object goes (the
// tests prepare and read it), and the servers' objects.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

// An appointment: its id (entry id "EID<id>"; 0: deleted) and the
// properties put, as text ("Start" 39187, "ReminderSet" 1); a property
// never put is missing (Outlook's default).
struct FakeAppointment {
  long id = 0;
  std::map<std::wstring, std::wstring> props;
  std::wstring Get(const wchar_t* name) const { return props.count(name) ? props.at(name) : L""; }
};

struct FakeStore {
  std::vector<FakeAppointment> appointments;
  std::vector<std::pair<std::wstring, int>> categories;  // name and OlCategoryColor
};

// A missing file reads as an empty store. Both return 1, or 0.
int LoadFakeStore(const std::wstring& path, FakeStore* store);
int SaveFakeStore(const std::wstring& path, const FakeStore& store);
// "AllDayEvent=1; Body=...; Start=39187; ..." in name order.
std::wstring Record(const FakeAppointment& appointment);

// The stand-ins' settings, in this key: "Store" and "Log" (file paths) and
// "Fail", a call to fail: "Appointment.Save invoke 80004005" (or "ids"
// for its lookup; "... exception": raised as DISP_E_EXCEPTION).
inline constexpr wchar_t kFakeOutlookKey[] = L"Software\\Tavlon Tests\\Fake Outlook";

// Outlook and its label session in process, and out of process.
inline constexpr wchar_t kFakeOutlookClsid[] = L"{6E3B8C51-2F0A-4C8E-9D1B-7A5F3E2C1001}";
inline constexpr wchar_t kFakeSessionClsid[] = L"{6E3B8C51-2F0A-4C8E-9D1B-7A5F3E2C1002}";
inline constexpr wchar_t kFakeLocalOutlookClsid[] = L"{6E3B8C51-2F0A-4C8E-9D1B-7A5F3E2C1003}";
inline constexpr wchar_t kFakeLocalSessionClsid[] = L"{6E3B8C51-2F0A-4C8E-9D1B-7A5F3E2C1004}";

// A factory of Application objects (`session` 0) or Session objects; the
// objects alive (a server ends at none).
IClassFactory* NewFakeFactory(int session);
CLSID FakeClsid(const wchar_t* text);
LONG FakeObjectCount();
