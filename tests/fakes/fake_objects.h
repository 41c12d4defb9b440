// The stand-in automation servers: the part of Outlook's object model the
// program calls ("Outlook.Application") and of the label session
// ("MAPI.Session"), over the store of fake_store.h.
#pragma once
#include <windows.h>

// A class factory of Application objects (`session` 0) or Session objects.
IClassFactory* NewFakeFactory(int session);
CLSID FakeClsid(const wchar_t* text);
// Objects alive in this process: the server ends when none is left.
LONG FakeObjectCount();
