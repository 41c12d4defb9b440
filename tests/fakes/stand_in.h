// The stand-in Outlook of one Win32 test: registered in the test prefix
// (in process, with its label session), an empty calendar and a call log in
// a scratch folder, and the prefix left without an Outlook afterwards.
// Windows only; for the tests that link tests/fakes/fake_store.cpp.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "fakes/fake_store.h"
#include "outlook/outlook.h"
#include "support/scratch_dir.h"

namespace standin {

inline std::wstring WidePath(const char* path) {
  std::wstring out;
  for (const char* p = path; *p; ++p) out += *p == '/' ? L'\\' : (wchar_t)(unsigned char)*p;
  return out;
}

inline void SetText(const std::wstring& key, const wchar_t* name, const std::wstring& value,
             HKEY root = HKEY_CURRENT_USER) {
  HKEY k;
  ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &k,
                            nullptr), ERROR_SUCCESS);
  RegSetValueExW(k, name, 0, REG_SZ, (const BYTE*)value.c_str(),
                 (DWORD)((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);
}

inline void SetNumber(const wchar_t* name, DWORD value) {
  HKEY k;
  RegCreateKeyExW(HKEY_CURRENT_USER, kFakeOutlookKey, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr);
  RegSetValueExW(k, name, 0, REG_DWORD, (const BYTE*)&value, sizeof value);
  RegCloseKey(k);
}

// Wine looks classes up in the machine's classes only (not the user's),
// so the stand-ins are registered there, in the test prefix.
inline void SetClass(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  SetText(key, name, value, HKEY_CLASSES_ROOT);
}
inline void RegisterProgId(const wchar_t* progId, const wchar_t* clsid) {
  SetClass(std::wstring(progId) + L"\\CLSID", nullptr, clsid);
}
inline void UnregisterProgId(const wchar_t* progId) {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, progId);
}

// One test's stand-in Outlook: registered in process with its label
// session, an empty calendar in a scratch folder and a call log.
class StandIn {
 public:
  StandIn() {
    const std::wstring dll = WidePath(TAVLON_FAKE_OUTLOOK_DLL);
    for (const wchar_t* clsid : {kFakeOutlookClsid, kFakeSessionClsid}) {
      SetClass(std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32", nullptr, dll);
      SetClass(std::wstring(L"CLSID\\") + clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    }
    for (const wchar_t* clsid : {kFakeLocalOutlookClsid, kFakeLocalSessionClsid}) {
      SetClass(std::wstring(L"CLSID\\") + clsid + L"\\LocalServer32", nullptr,
               WidePath(TAVLON_FAKE_OUTLOOK_SERVER));
    }
    RegisterProgId(L"Outlook.Application", kFakeOutlookClsid);
    RegisterProgId(L"MAPI.Session", kFakeSessionClsid);
    RegDeleteTreeW(HKEY_CURRENT_USER, kFakeOutlookKey);
    store_ = Wide(dir_.File("calendar.txt"));
    log_ = Wide(dir_.File("calls.txt"));
    SetText(kFakeOutlookKey, L"Store", store_);
    SetText(kFakeOutlookKey, L"Log", log_);
    SetRestrictedWalk(1);
  }
  // The prefix is left without an Outlook, as it was.
  ~StandIn() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kFakeOutlookKey);
    UnregisterProgId(L"Outlook.Application");
    UnregisterProgId(L"MAPI.Session");
  }

  const ScratchDir& dir() const { return dir_; }

  FakeStore Store() const {
    FakeStore store;
    EXPECT_EQ(LoadFakeStore(store_, &store), 1);
    return store;
  }
  void Prepare(const FakeStore& store) const { ASSERT_EQ(SaveFakeStore(store_, store), 1); }

  // The calls logged so far, and the log emptied.
  std::vector<std::string> TakeLog() const {
    std::vector<std::string> lines;
    std::ifstream in(dir_.File("calls.txt"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    in.close();
    std::remove(dir_.File("calls.txt").c_str());
    return lines;
  }

 private:
  ScratchDir dir_;
  std::wstring store_, log_;
};

}  // namespace standin
