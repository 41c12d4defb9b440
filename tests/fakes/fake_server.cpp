// The out-of-process stand-in: Outlook.Application and MAPI.Session served
// from a process of their own, as Outlook is, so that every call is
// marshalled.
#include "fakes/fake_store.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  IClassFactory* factories[2] = {NewFakeFactory(0), NewFakeFactory(1)};
  const wchar_t* clsids[2] = {kFakeLocalOutlookClsid, kFakeLocalSessionClsid};
  DWORD cookies[2] = {};
  for (int i = 0; i < 2; ++i) {
    CoRegisterClassObject(FakeClsid(clsids[i]), factories[i], CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                          &cookies[i]);
  }
  // Served until a second without objects (an import right after the last
  // one must not meet a server on its way out), or a minute unused.
  for (DWORD idle = 0, served = 0; idle < (served ? 1000u : 60000u);) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    served |= FakeObjectCount() > 0;
    idle = FakeObjectCount() > 0 ? 0 : idle + 10;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  for (int i = 0; i < 2; ++i) {
    CoRevokeClassObject(cookies[i]);
    factories[i]->Release();
  }
  CoUninitialize();
  return 0;
}
