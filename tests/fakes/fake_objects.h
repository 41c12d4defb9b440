// The stand-in automation servers: the part of Outlook's object model the
// program calls ("Outlook.Application") and the label session
// ("MAPI.Session"), over the store of fake_store.h. Members are called as a
// server built on its type information answers: a call whose kinds include
// the member's kind, a put only with its value as the named argument
// DISPID_PROPERTYPUT, arguments of exactly the member's types. Every call
// is logged, one line each: "Items.Add get+method(VT_I4)".
#pragma once
#include <windows.h>

// A new Application or Session object, asked for `iid`.
HRESULT CreateFakeApplication(REFIID iid, void** object);
HRESULT CreateFakeSession(REFIID iid, void** object);

// Objects alive in this process (the server ends when it drops to 0).
LONG FakeObjectCount();
// Called when the count drops to 0 after the store was loaded: writes the
// store and closes the log.
void FakeServerIdle();
