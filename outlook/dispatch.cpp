// One late-bound call through IDispatch.
#include "outlook/dispatch.h"

#include <oleauto.h>

int DispatchCall(IDispatch* object, const char* name, WORD flags, const VARIANT* args, int count,
                 VARIANT* result, DispatchFailure* failure) {
  if (result) VariantInit(result);
  wchar_t wide[64];
  int i = 0;
  for (; name[i] && i < 63; ++i) wide[i] = (wchar_t)(unsigned char)name[i];
  wide[i] = 0;
  LPOLESTR names[1] = {wide};
  DISPID id = 0;
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, kAutomationLocale, &id);
  if (FAILED(hr)) {
    *failure = {0, hr, 0};
    return 0;
  }
  // IDispatch takes its arguments last first.
  VARIANT reversed[8];
  for (int k = 0; k < count && k < 8; ++k) reversed[k] = args[count - 1 - k];
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params = {count ? reversed : nullptr, nullptr, (UINT)count, 0};
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  EXCEPINFO exception = {};
  UINT argError = 0;
  hr = object->Invoke(id, IID_NULL, kAutomationLocale, flags, &params, result, &exception, &argError);
  if (hr == DISP_E_EXCEPTION) {
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    if (FAILED(exception.scode)) hr = exception.scode;
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
  }
  if (FAILED(hr)) {
    if (result) VariantClear(result);
    *failure = {1, hr, argError};
    return 0;
  }
  return 1;
}

VARIANT BstrVariant(const wchar_t* text, UINT length) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocStringLen(text, length);
  return v;
}

VARIANT BstrVariant(const char* ascii) {
  wchar_t wide[256];
  UINT n = 0;
  for (; ascii[n] && n < 255; ++n) wide[n] = (wchar_t)(unsigned char)ascii[n];
  return BstrVariant(wide, n);
}

VARIANT I4Variant(LONG value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT BoolVariant(VARIANT_BOOL value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BOOL;
  v.boolVal = value;
  return v;
}

VARIANT DateVariant(double value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DATE;
  v.date = value;
  return v;
}

IDispatch* DispatchOf(const VARIANT& value) {
  IDispatch* dispatch = nullptr;
  if (value.vt == VT_DISPATCH && value.pdispVal) {
    value.pdispVal->QueryInterface(IID_IDispatch, (void**)&dispatch);
  } else if (value.vt == VT_UNKNOWN && value.punkVal) {
    value.punkVal->QueryInterface(IID_IDispatch, (void**)&dispatch);
  }
  return dispatch;
}
