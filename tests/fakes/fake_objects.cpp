// The stand-in object model. Members answer as a server built on type
// information does: only their own kinds of call, a put only with its value
// as the named argument DISPID_PROPERTYPUT, arguments of exactly the
// member's types (else DISP_E_TYPEMISMATCH). Every call is logged, one line
// each: "Items.Add get+method(VT_I4)"; the call named in the settings fails.
#include "fakes/fake_objects.h"

#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "fakes/fake_store.h"

namespace {

constexpr HRESULT kNotFound = (HRESULT)0x8004010F;     // MAPI_E_NOT_FOUND
constexpr HRESULT kNotLoggedOn = (HRESULT)0x80040605;  // MAPI_E_NOT_INITIALIZED

// The state of the process's objects, from their first to their last.
struct Server {
  int loaded = 0;
  std::wstring storePath, fail;  // fail: "Appointment.Save invoke"
  FakeStore store;
  long nextId = 1;
  FILE* log = nullptr;
  unsigned long failHr = 0;
  int failAsException = 0;
};
Server g_server;
LONG g_objects = 0;

std::wstring Setting(const wchar_t* name) {
  wchar_t value[1024];
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kFakeOutlookKey, name, RRF_RT_REG_SZ, nullptr, value, &size)) return L"";
  return value;
}

void Load() {
  if (g_server.loaded) return;
  g_server = Server();
  g_server.loaded = 1;
  g_server.storePath = Setting(L"Store");
  std::wstring log = Setting(L"Log");
  if (!log.empty()) g_server.log = _wfopen(log.c_str(), L"ab");
  wchar_t call[64] = L"", stage[16] = L"", how[16] = L"";
  swscanf(Setting(L"Fail").c_str(), L"%63ls %15ls %lx %15ls", call, stage, &g_server.failHr, how);
  g_server.fail = std::wstring(call) + L" " + stage;
  g_server.failAsException = std::wstring(how) == L"exception";
  LoadFakeStore(g_server.storePath, &g_server.store);
  for (const FakeAppointment& a : g_server.store.appointments) {
    if (a.id >= g_server.nextId) g_server.nextId = a.id + 1;
  }
}

// The last object gone: the store is written and the log closed.
void Unload() {
  if (!g_server.loaded) return;
  SaveFakeStore(g_server.storePath, g_server.store);
  if (g_server.log) std::fclose(g_server.log);
  g_server.loaded = 0;
}

FakeAppointment* Find(long id) {
  for (FakeAppointment& a : g_server.store.appointments) {
    if (id && a.id == id) return &a;
  }
  return nullptr;
}

// A property's value as the store keeps it.
std::wstring ValueText(const VARIANT* v) {
  wchar_t text[32];
  switch (v->vt) {
    case VT_BSTR: return std::wstring(v->bstrVal, SysStringLen(v->bstrVal));
    case VT_BOOL: return v->boolVal ? L"1" : L"0";
    case VT_DATE:
      swprintf(text, 32, L"%.17g", v->date);
      return text;
    default: return std::to_wstring(v->lVal);
  }
}

std::string TypeName(VARTYPE vt) {
  switch (vt) {
    case VT_I4: return "VT_I4";
    case VT_BOOL: return "VT_BOOL";
    case VT_DATE: return "VT_DATE";
    case VT_BSTR: return "VT_BSTR";
    default: return "VT_" + std::to_string(vt);
  }
}

enum { kGet = 1, kPut = 2, kMethod = 4 };
// A member, its kinds and the types of its arguments (of a put: its value).
struct Member {
  const wchar_t* name;
  int kinds;
  VARTYPE types[4];
};
using Args = std::vector<VARIANT*>;  // in call order

std::wstring Text(const VARIANT* v) { return std::wstring(v->bstrVal, SysStringLen(v->bstrVal)); }

HRESULT Return(VARIANT* result, IDispatch* object) {
  result->vt = VT_DISPATCH;
  result->pdispVal = object;
  return S_OK;
}

HRESULT ReturnText(VARIANT* result, const std::wstring& text) {
  result->vt = VT_BSTR;
  result->bstrVal = SysAllocStringLen(text.data(), (UINT)text.size());
  return S_OK;
}

// IUnknown of an object with one interface.
template <class Interface>
class Unknown : public Interface {
 public:
  virtual ~Unknown() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == __uuidof(Interface) ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    this->AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return (ULONG)n;
  }

 private:
  LONG refs_ = 1;
};

class FakeObject : public Unknown<IDispatch> {
 public:
  template <std::size_t N>
  FakeObject(const char* type, const Member (&members)[N]) : type_(type), members_(members), count_((int)N) {
    Load();
    InterlockedIncrement(&g_objects);
  }
  ~FakeObject() override {
    if (InterlockedDecrement(&g_objects) == 0) Unload();
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (count != 1 || locale != LOCALE_SYSTEM_DEFAULT) return E_INVALIDARG;
    ids[0] = DISPID_UNKNOWN;
    for (int i = 0; i < count_; ++i) {
      if (_wcsicmp(names[0], members_[i].name) != 0) continue;
      if (Failing(i, L" ids")) return (HRESULT)g_server.failHr;
      ids[0] = i + 1;
      return S_OK;
    }
    return DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argError) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (id < 1 || id > count_) return DISP_E_MEMBERNOTFOUND;
    const Member& m = members_[id - 1];
    Args args;
    for (UINT i = params->cArgs; i > 0; --i) args.push_back(&params->rgvarg[i - 1]);
    Log(m.name, flags, args);
    const int kind = (flags & DISPATCH_PROPERTYPUT) && (m.kinds & kPut)   ? kPut
                     : (flags & DISPATCH_METHOD) && (m.kinds & kMethod)   ? kMethod
                     : (flags & DISPATCH_PROPERTYGET) && (m.kinds & kGet) ? kGet
                                                                          : 0;
    if (!kind) return DISP_E_MEMBERNOTFOUND;
    const UINT named = kind == kPut;
    if (params->cNamedArgs != named || (named && params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)) {
      return DISP_E_PARAMNOTFOUND;
    }
    std::size_t want = 0;
    while (kind != kGet && want < 4 && m.types[want] != VT_EMPTY) ++want;
    if (args.size() != want) return DISP_E_BADPARAMCOUNT;
    for (std::size_t i = 0; i < want; ++i) {
      if (args[i]->vt == m.types[i]) continue;
      if (argError) *argError = (UINT)(want - 1 - i);  // IDispatch counts from the last
      return DISP_E_TYPEMISMATCH;
    }
    if (Failing(id - 1, L" invoke")) {
      if (!g_server.failAsException || !exception) return (HRESULT)g_server.failHr;
      *exception = EXCEPINFO();
      exception->scode = (HRESULT)g_server.failHr;
      return DISP_E_EXCEPTION;
    }
    VARIANT local;
    VARIANT* out = result ? result : &local;
    VariantInit(out);
    HRESULT hr = Call(id - 1, kind, args, out);
    if (!result) VariantClear(&local);
    return hr;
  }

 protected:
  // Member `index` called as `kind` with arguments of its types.
  virtual HRESULT Call(int index, int kind, const Args& args, VARIANT* result) = 0;

 private:
  int Failing(int index, const wchar_t* stage) const {
    std::wstring name(type_, type_ + std::char_traits<char>::length(type_));
    return g_server.fail == name + L"." + members_[index].name + stage;
  }
  void Log(const wchar_t* name, WORD flags, const Args& args) const {
    if (!g_server.log) return;
    static const char* const kKinds[] = {"other", "method", "get", "get+method", "put"};
    std::string line = std::string(type_) + "." + std::string(name, name + wcslen(name)) + " " +
                       kKinds[flags < 5 ? flags : 0] + "(";
    for (std::size_t i = 0; i < args.size(); ++i) line += (i ? ", " : "") + TypeName(args[i]->vt);
    std::fprintf(g_server.log, "%s)\n", line.c_str());
    std::fflush(g_server.log);
  }

  const char* type_;
  const Member* members_;
  int count_;
};

// ---- Outlook ---------------------------------------------------------------

constexpr Member kFolder[] = {{L"Items", kGet, {}}, {L"StoreID", kGet, {}}};
class Folder : public FakeObject {
 public:
  Folder() : FakeObject("Folder", kFolder) {}
  HRESULT Call(int index, int, const Args&, VARIANT* result) override;
};

constexpr Member kAppointment[] = {
    {L"Start", kGet | kPut, {VT_DATE}},  {L"Subject", kGet | kPut, {VT_BSTR}},
    {L"Body", kPut, {VT_BSTR}},          {L"AllDayEvent", kPut, {VT_BOOL}},
    {L"BusyStatus", kPut, {VT_I4}},      {L"ReminderMinutesBeforeStart", kPut, {VT_I4}},
    {L"ReminderSet", kPut, {VT_BOOL}},   {L"Categories", kPut, {VT_BSTR}},
    {L"EntryID", kGet, {}},              {L"Parent", kGet, {}},
    {L"Save", kMethod, {}},              {L"Delete", kMethod, {}},
};
class Appointment : public FakeObject {
 public:
  // A saved appointment (its id), or a new one (0).
  explicit Appointment(long id) : FakeObject("Appointment", kAppointment), id_(id) {
    if (FakeAppointment* a = Find(id)) r_ = *a;
  }
  HRESULT Call(int index, int kind, const Args& args, VARIANT* result) override {
    FakeAppointment* saved = Find(id_);
    if (kind == kPut) {
      r_.props[kAppointment[index].name] = ValueText(args[0]);
    } else if (index == 0) {
      result->vt = VT_DATE;
      result->date = _wtof(r_.Get(L"Start").c_str());
    } else if (index == 1) {
      return ReturnText(result, r_.Get(L"Subject"));
    } else if (index == 8) {
      return saved ? ReturnText(result, L"EID" + std::to_wstring(id_)) : E_FAIL;
    } else if (index == 9) {
      return Return(result, new Folder());
    } else if (index == 10 && saved) {
      if (saved->props.count(L"Label")) r_.props[L"Label"] = saved->props[L"Label"];  // set meanwhile
      *saved = r_;
    } else if (index == 10) {
      r_.id = id_ = g_server.nextId++;
      g_server.store.appointments.push_back(r_);
    } else {
      if (!saved) return E_FAIL;
      saved->id = id_ = 0;  // left out of the collection and the file
    }
    return S_OK;
  }

 private:
  long id_;
  FakeAppointment r_;
};

constexpr Member kItems[] = {
    {L"Count", kGet, {}}, {L"Item", kMethod, {VT_I4}}, {L"Add", kMethod, {VT_I4}}, {L"Restrict", kMethod, {VT_BSTR}}};
class Items : public FakeObject {
 public:
  // The whole calendar, or the items a restriction kept.
  Items() : FakeObject("Items", kItems), whole_(1) {}
  explicit Items(std::vector<long> ids) : FakeObject("Items", kItems), whole_(0), ids_(std::move(ids)) {}
  HRESULT Call(int index, int, const Args& args, VARIANT* result) override {
    std::vector<long> ids = ids_;
    for (const FakeAppointment& a : g_server.store.appointments) {
      if (whole_ && a.id) ids.push_back(a.id);
    }
    if (index == 0) {
      result->vt = VT_I4;
      result->lVal = (LONG)ids.size();
      return S_OK;
    }
    if (index == 1) {
      LONG i = args[0]->lVal;
      return i < 1 || i > (LONG)ids.size() ? DISP_E_BADINDEX : Return(result, new Appointment(ids[i - 1]));
    }
    if (index == 2) return args[0]->lVal == 1 ? Return(result, new Appointment(0)) : E_INVALIDARG;
    // The program's one form, its dates in the user's short date format.
    wchar_t from[64], to[64];
    double a, b;
    if (swscanf(Text(args[0]).c_str(), L"[Start] >= '%63l[^']' AND [Start] < '%63l[^']'", from, to) != 2 ||
        FAILED(VarDateFromStr(from, LOCALE_USER_DEFAULT, 0, &a)) ||
        FAILED(VarDateFromStr(to, LOCALE_USER_DEFAULT, 0, &b))) {
      return E_INVALIDARG;
    }
    std::vector<long> kept;
    for (long id : ids) {
      double start = _wtof(Find(id)->Get(L"Start").c_str());
      if (start >= a && start < b) kept.push_back(id);
    }
    return Return(result, new Items(std::move(kept)));
  }

 private:
  int whole_;
  std::vector<long> ids_;
};

HRESULT Folder::Call(int index, int, const Args&, VARIANT* result) {
  return index == 0 ? Return(result, new Items()) : ReturnText(result, L"STORE-1");
}

// The user's category list. Item returns a list again, standing in for
// the category (the program only asks whether there is one).
constexpr Member kCategories[] = {{L"Item", kMethod, {VT_BSTR}}, {L"Add", kMethod, {VT_BSTR, VT_I4}}};
class Categories : public FakeObject {
 public:
  Categories() : FakeObject("Categories", kCategories) {}
  HRESULT Call(int index, int, const Args& args, VARIANT* result) override {
    for (const auto& c : g_server.store.categories) {
      if (_wcsicmp(c.first.c_str(), Text(args[0]).c_str()) == 0) {
        return index == 0 ? Return(result, new Categories()) : E_INVALIDARG;
      }
    }
    if (index == 0) return DISP_E_BADINDEX;
    g_server.store.categories.push_back({Text(args[0]), (int)args[1]->lVal});
    return Return(result, new Categories());
  }
};

constexpr Member kNameSpace[] = {{L"GetDefaultFolder", kMethod, {VT_I4}}, {L"Categories", kGet, {}}};
class NameSpace : public FakeObject {
 public:
  NameSpace() : FakeObject("NameSpace", kNameSpace) {}
  HRESULT Call(int index, int, const Args& args, VARIANT* result) override {
    if (index == 1) return Return(result, new Categories());
    return args[0]->lVal == 9 ? Return(result, new Folder()) : E_INVALIDARG;  // the calendar only
  }
};

constexpr Member kApplication[] = {{L"GetNameSpace", kMethod, {VT_BSTR}}};
class Application : public FakeObject {
 public:
  Application() : FakeObject("Application", kApplication) {}
  HRESULT Call(int, int, const Args& args, VARIANT* result) override {
    return Text(args[0]) == L"MAPI" ? Return(result, new NameSpace()) : E_INVALIDARG;
  }
};

// ---- The label session -------------------------------------------------

constexpr Member kMessage[] = {{L"Fields", kGet, {}}, {L"Update", kMethod, {VT_BOOL, VT_BOOL}}};
class Message : public FakeObject {
 public:
  explicit Message(long id) : FakeObject("Message", kMessage), id_(id) {}
  HRESULT Call(int index, int, const Args& args, VARIANT* result) override;
  long id_;
  int label_ = -1;  // pending until Update
};

// The fields of a new appointment, which has no label property yet: Item
// finds none, Add adds it once.
constexpr Member kFields[] = {{L"Item", kMethod, {VT_BSTR, VT_BSTR}},
                              {L"Add", kMethod, {VT_BSTR, VT_I4, VT_I4, VT_BSTR}}};
class Fields : public FakeObject {
 public:
  explicit Fields(Message* message) : FakeObject("Fields", kFields), message_(message) { message_->AddRef(); }
  ~Fields() override { message_->Release(); }
  HRESULT Call(int index, int, const Args& args, VARIANT*) override {
    if (index == 0) return kNotFound;
    if (Text(args[0]) != L"0x8214" || Text(args[3]) != L"0220060000000000C000000000000046" ||
        args[1]->lVal != 0 || message_->label_ >= 0) {
      return E_INVALIDARG;
    }
    message_->label_ = args[2]->lVal;
    return S_OK;
  }

 private:
  Message* message_;
};

HRESULT Message::Call(int index, int, const Args&, VARIANT* result) {
  if (index == 0) return Return(result, new Fields(this));
  FakeAppointment* a = Find(id_);
  if (!a) return kNotFound;
  a->props[L"Label"] = std::to_wstring(label_);
  return S_OK;
}

constexpr Member kSession[] = {{L"Logon", kMethod, {VT_BSTR, VT_BSTR, VT_BOOL, VT_BOOL}},
                               {L"Logoff", kMethod, {}},
                               {L"GetMessage", kMethod, {VT_BSTR, VT_BSTR}}};
class Session : public FakeObject {
 public:
  Session() : FakeObject("Session", kSession) {}
  HRESULT Call(int index, int, const Args& args, VARIANT* result) override {
    if (index == 0 || !loggedOn_) {
      loggedOn_ = index == 0;
      return loggedOn_ ? S_OK : kNotLoggedOn;
    }
    if (index == 1) {
      loggedOn_ = 0;
      return S_OK;
    }
    std::wstring entry = Text(args[0]);
    long id = entry.rfind(L"EID", 0) == 0 ? _wtol(entry.c_str() + 3) : 0;
    if (!Find(id) || Text(args[1]) != L"STORE-1") return kNotFound;
    return Return(result, new Message(id));
  }

 private:
  int loggedOn_ = 0;
};

class Factory : public Unknown<IClassFactory> {
 public:
  explicit Factory(int session) : session_(session) {}
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    FakeObject* object = session_ ? (FakeObject*)new Session() : new Application();
    HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  int session_;
};

}  // namespace

IClassFactory* NewFakeFactory(int session) { return new Factory(session); }

CLSID FakeClsid(const wchar_t* text) {
  CLSID clsid = {};
  CLSIDFromString((LPOLESTR)text, &clsid);
  return clsid;
}

LONG FakeObjectCount() { return g_objects; }
