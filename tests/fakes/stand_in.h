// The stand-in Outlook of one Win32 test: registered in the test prefix in
// process with its label session, an empty calendar and a call log in a
// scratch folder, and the prefix left without an Outlook afterwards. For
// the tests that link tests/fakes/fake_store.cpp.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fakes/fake_store.h"
#include "outlook/outlook.h"
#include "support/scratch_dir.h"

namespace standin {

// Wine looks classes up in the machine's classes only, so the stand-ins
// are registered there, in the test prefix.
inline void SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value,
                    HKEY root = HKEY_CLASSES_ROOT) {
  ASSERT_EQ(RegSetKeyValueW(root, key.c_str(), name, REG_SZ, value.c_str(),
                            (DWORD)((value.size() + 1) * sizeof(wchar_t))), ERROR_SUCCESS);
}
inline void SetSetting(const wchar_t* name, const std::wstring& value) {
  SetText(kFakeOutlookKey, name, value, HKEY_CURRENT_USER);
}
inline void RegisterProgId(const wchar_t* progId, const wchar_t* clsid) {
  SetText(std::wstring(progId) + L"\\CLSID", nullptr, clsid);
}
inline void UnregisterProgId(const wchar_t* progId) { RegDeleteTreeW(HKEY_CLASSES_ROOT, progId); }

class StandIn {
 public:
  StandIn() {
    const std::wstring dll = std::filesystem::path(TAVLON_FAKE_OUTLOOK_DLL).make_preferred().wstring();
    for (const wchar_t* clsid : {kFakeOutlookClsid, kFakeSessionClsid}) {
      SetText(std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32", nullptr, dll);
      SetText(std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    }
    for (const wchar_t* clsid : {kFakeLocalOutlookClsid, kFakeLocalSessionClsid}) {
      SetText(std::wstring(L"CLSID\\") + clsid + L"\\LocalServer32", nullptr,
              std::filesystem::path(TAVLON_FAKE_OUTLOOK_SERVER).make_preferred().wstring());
    }
    RegisterProgId(L"Outlook.Application", kFakeOutlookClsid);
    RegisterProgId(L"MAPI.Session", kFakeSessionClsid);
    RegDeleteTreeW(HKEY_CURRENT_USER, kFakeOutlookKey);
    SetSetting(L"Store", File("calendar.txt"));
    SetSetting(L"Log", File("calls.txt"));
    SetRestrictedWalk(1);
  }
  ~StandIn() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kFakeOutlookKey);
    UnregisterProgId(L"Outlook.Application");
    UnregisterProgId(L"MAPI.Session");
  }

  const ScratchDir& dir() const { return dir_; }
  std::wstring File(const char* name) const { return (dir_.path() / name).wstring(); }
  FakeStore Store() const {
    FakeStore store;
    EXPECT_EQ(LoadFakeStore(File("calendar.txt"), &store), 1);
    return store;
  }
  void Prepare(const FakeStore& store) const { ASSERT_EQ(SaveFakeStore(File("calendar.txt"), store), 1); }
  // The calls logged so far; the log is emptied.
  std::vector<std::string> TakeLog() const {
    std::vector<std::string> lines;
    std::ifstream in(dir_.path() / "calls.txt");
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    in.close();
    std::filesystem::remove(dir_.path() / "calls.txt");
    return lines;
  }

 private:
  ScratchDir dir_;
};

}  // namespace standin
