// Late binding: one call of a member by name through IDispatch, the way
// every call of the Outlook target and the label mechanism goes. Windows
// only.
#pragma once
#include <windows.h>
#include <oaidl.h>

// The locale of every lookup and call: the system default.
inline constexpr LCID kAutomationLocale = 2048;

// What went wrong in a call: the stage (0 lookup, 1 invoke) and the
// HRESULT; for a failure the server reported as an exception, the
// exception's own status code.
struct DispatchFailure {
  int stage;
  HRESULT hr;
  UINT argError;  // the argument a type mismatch names (Invoke's order)
};

// Looks `name` up (one name, kAutomationLocale, IID_NULL) and invokes it
// with `flags` and the `count` arguments `args`, given in call order. A
// property put passes its value as the named argument DISPID_PROPERTYPUT,
// as IDispatch requires. `result` (may be nullptr) is cleared first.
// Returns 1, or 0 with `failure` filled.
int DispatchCall(IDispatch* object, const char* name, WORD flags, const VARIANT* args, int count,
                 VARIANT* result, DispatchFailure* failure);

// The UTF-16 text as a BSTR variant (the caller clears it).
VARIANT BstrVariant(const wchar_t* text, UINT length);
VARIANT BstrVariant(const char* ascii);
VARIANT I4Variant(LONG value);
VARIANT BoolVariant(VARIANT_BOOL value);
VARIANT DateVariant(double value);

// The IDispatch of a VT_DISPATCH or VT_UNKNOWN result (a new reference),
// or nullptr.
IDispatch* DispatchOf(const VARIANT& value);
