// The in-process stand-in: Outlook.Application and MAPI.Session in one DLL.
#include "fakes/fake_store.h"

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid,
                                                                           void** out) {
  *out = nullptr;
  const int session = clsid == FakeClsid(kFakeSessionClsid);
  if (!session && clsid != FakeClsid(kFakeOutlookClsid)) return CLASS_E_CLASSNOTAVAILABLE;
  IClassFactory* factory = NewFakeFactory(session);
  HRESULT hr = factory->QueryInterface(iid, out);
  factory->Release();
  return hr;
}

extern "C" __declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return FakeObjectCount() == 0 ? S_OK : S_FALSE;
}
