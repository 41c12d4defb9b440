// The label property through CDO. Every call queries its object for
// IDispatch, calls by name and releases the IDispatch again.
#include "outlook/mapi_label.h"

#include <oleauto.h>

#include <cstring>
#include <string>

#include "outlook/dispatch.h"
#include "outlook/outlook_rules.h"
#include "platform/message.h"

namespace {

void Write(char* error, const std::string& text) {
  std::size_t n = text.size() < 255 ? text.size() : 255;
  std::memcpy(error, text.data(), n);
  error[n] = 0;
}

// One call on `object`. Returns the HRESULT (an exception's own status).
HRESULT Call(IUnknown* object, const char* name, WORD flags, const VARIANT* args, int count,
             VARIANT* result, UINT* argError = nullptr) {
  if (result) VariantInit(result);
  if (!object) return E_POINTER;
  IDispatch* dispatch = nullptr;
  HRESULT hr = object->QueryInterface(IID_IDispatch, (void**)&dispatch);
  if (FAILED(hr)) return hr;
  DispatchFailure failure = {};
  int ok = DispatchCall(dispatch, name, flags, args, count, result, &failure);
  dispatch->Release();
  if (argError) *argError = failure.argError;
  return ok ? S_OK : failure.hr;
}

// An object result as IUnknown (VT_DISPATCH or VT_UNKNOWN), or nullptr.
IUnknown* ObjectOf(VARIANT* value) {
  IUnknown* object = nullptr;
  if (value->vt == VT_DISPATCH && value->pdispVal) {
    object = value->pdispVal;
  } else if (value->vt == VT_UNKNOWN && value->punkVal) {
    object = value->punkVal;
  }
  if (object) object->AddRef();
  VariantClear(value);
  return object;
}

void Release(IUnknown* object) {
  if (object) object->Release();
}

}  // namespace

IUnknown* OpenLabelConnection(char* error) {
  CLSID clsid;
  HRESULT hr = CLSIDFromProgID(L"MAPI.Session", &clsid);
  if (FAILED(hr)) {
    Write(error, LabelErrorText(kLabelClsid, (std::int32_t)hr));
    return nullptr;
  }
  IUnknown* session = nullptr;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_ALL, IID_IUnknown, (void**)&session);
  if (FAILED(hr)) {
    Write(error, LabelErrorText(kLabelCreate, (std::int32_t)hr));
    return nullptr;
  }
  // No profile or password, no logon dialog, the running MAPI logon shared.
  VARIANT args[4] = {BstrVariant(""), BstrVariant(""), BoolVariant(VARIANT_FALSE),
                     BoolVariant(VARIANT_FALSE)};
  UINT argError = 0;
  hr = Call(session, "Logon", DISPATCH_METHOD, args, 4, nullptr, &argError);
  VariantClear(&args[0]);
  VariantClear(&args[1]);
  if (FAILED(hr)) {
    if (hr == DISP_E_TYPEMISMATCH) {
      ShowMessage(LabelLogonTypeMismatchText(argError).c_str(), "Error", MessageIconError);
    }
    Write(error, LabelErrorText(kLabelLogon, (std::int32_t)hr));
    session->Release();
    return nullptr;
  }
  return session;
}

int CloseLabelConnection(IUnknown* session, char* error) {
  HRESULT hr = Call(session, "Logoff", DISPATCH_METHOD, nullptr, 0, nullptr);
  if (FAILED(hr)) {
    Write(error, LabelErrorText(kLabelLogoff, (std::int32_t)hr));
    return 0;
  }
  session->Release();
  return 1;
}

int SetAppointmentLabel(IUnknown* session, IDispatch* appointment, int label, char* error) {
  VARIANT entryId, storeId, value;
  VariantInit(&storeId);
  HRESULT hr = Call(appointment, "EntryID", DISPATCH_PROPERTYGET, nullptr, 0, &entryId);
  if (FAILED(hr)) {
    Write(error, LabelErrorText(kLabelEntryId, (std::int32_t)hr));
    return 0;
  }
  IUnknown* folder = nullptr;
  IUnknown* message = nullptr;
  IUnknown* fields = nullptr;
  IUnknown* field = nullptr;
  int ok = 0;
  if (FAILED(hr = Call(appointment, "Parent", DISPATCH_PROPERTYGET, nullptr, 0, &value)) ||
      !(folder = ObjectOf(&value))) {
    Write(error, LabelErrorText(kLabelParent, (std::int32_t)hr));
  } else if (FAILED(hr = Call(folder, "StoreID", DISPATCH_PROPERTYGET, nullptr, 0, &storeId))) {
    Write(error, LabelErrorText(kLabelStoreId, (std::int32_t)hr));
  } else {
    VARIANT ids[2] = {entryId, storeId};
    if (FAILED(hr = Call(session, "GetMessage", DISPATCH_METHOD, ids, 2, &value)) ||
        !(message = ObjectOf(&value))) {
      Write(error, LabelErrorText(kLabelGetMessage, (std::int32_t)hr));
    } else if (FAILED(hr = Call(message, "Fields", DISPATCH_PROPERTYGET, nullptr, 0, &value)) ||
               !(fields = ObjectOf(&value))) {
      Write(error, LabelErrorText(kLabelFields, (std::int32_t)hr));
    } else {
      VARIANT name = BstrVariant(kLabelPropertyName);
      VARIANT set = BstrVariant(kLabelPropertySet);
      VARIANT lookup[2] = {name, set};
      if (SUCCEEDED(Call(fields, "Item", DISPATCH_METHOD, lookup, 2, &value))) {
        field = ObjectOf(&value);
      }
      if (field) {
        VARIANT number = I4Variant(label);
        hr = Call(field, "Value", DISPATCH_PROPERTYPUT, &number, 1, nullptr);
      } else {
        VARIANT add[4] = {name, I4Variant(0), I4Variant(label), set};
        hr = Call(fields, "Add", DISPATCH_METHOD, add, 4, nullptr);
      }
      VariantClear(&name);
      VariantClear(&set);
      if (FAILED(hr)) {
        Write(error, LabelErrorText(field ? kLabelFieldValue : kLabelFieldsAdd, (std::int32_t)hr));
      } else {
        VARIANT update[2] = {BoolVariant(VARIANT_TRUE), BoolVariant(VARIANT_TRUE)};
        hr = Call(message, "Update", DISPATCH_METHOD, update, 2, nullptr);
        if (FAILED(hr)) {
          Write(error, LabelErrorText(kLabelUpdate, (std::int32_t)hr));
        } else {
          ok = 1;
        }
      }
    }
  }
  Release(field);
  Release(fields);
  Release(message);
  Release(folder);
  VariantClear(&entryId);
  VariantClear(&storeId);
  return ok;
}
