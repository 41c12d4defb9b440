// The class factory of the stand-ins, shared by the in-process DLL and the
// out-of-process server.
#pragma once
#include <windows.h>

// A factory making Application objects (`session` 0) or Session objects.
IClassFactory* NewFakeFactory(int session);
// The CLSID of a text "{...}".
CLSID FakeClsid(const wchar_t* text);
