// The in-process stand-in: Outlook.Application and MAPI.Session in one DLL.
#include <windows.h>

#include "fakes/fake_factory.h"
#include "fakes/fake_objects.h"
#include "fakes/fake_store.h"

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid,
                                                                           void** out) {
  int session;
  if (clsid == FakeClsid(kFakeOutlookClsid)) {
    session = 0;
  } else if (clsid == FakeClsid(kFakeSessionClsid)) {
    session = 1;
  } else {
    *out = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  IClassFactory* factory = NewFakeFactory(session);
  HRESULT hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return FakeObjectCount() == 0 ? S_OK : S_FALSE;
}
