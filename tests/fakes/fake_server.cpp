// The out-of-process stand-in: Outlook.Application (and MAPI.Session) served
// from their own process, as Outlook is. It ends when its last object goes.
#include <windows.h>

#include "fakes/fake_factory.h"
#include "fakes/fake_objects.h"
#include "fakes/fake_store.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
  IClassFactory* outlook = NewFakeFactory(0);
  IClassFactory* session = NewFakeFactory(1);
  DWORD outlookCookie = 0, sessionCookie = 0;
  CoRegisterClassObject(FakeClsid(kFakeLocalOutlookClsid), outlook, CLSCTX_LOCAL_SERVER,
                        REGCLS_MULTIPLEUSE, &outlookCookie);
  CoRegisterClassObject(FakeClsid(kFakeLocalSessionClsid), session, CLSCTX_LOCAL_SERVER,
                        REGCLS_MULTIPLEUSE, &sessionCookie);
  // Serve calls until the objects are gone; a server nobody calls within
  // a minute ends as well.
  int served = 0;
  for (DWORD idle = 0; idle < 60000;) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    if (FakeObjectCount() > 0) {
      served = 1;
      idle = 0;
    } else if (served) {
      break;
    } else {
      idle += 10;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  CoRevokeClassObject(outlookCookie);
  CoRevokeClassObject(sessionCookie);
  outlook->Release();
  session->Release();
  CoUninitialize();
  return 0;
}
