// The stand-in object model. Members answer as a server built on type
// information does: only their own kinds of call, a put only with its value
// as the named argument DISPID_PROPERTYPUT, arguments of exactly the
// member's types (else DISP_E_TYPEMISMATCH). Every call is logged, one line
// each: "Items.Add get+method(VT_I4)"; the call named in the settings fails.
#include "fakes/fake_store.h"

#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr HRESULT kNotFound = (HRESULT)0x8004010F;     // MAPI_E_NOT_FOUND
constexpr HRESULT kNotLoggedOn = (HRESULT)0x80040605;  // MAPI_E_NOT_INITIALIZED

enum { kGet = 1, kPut = 2, kMethod = 4 };
// A member of an object, its kinds and the types of its arguments (of a
// put: its value).
struct Member {
  const wchar_t* type;
  const wchar_t* name;
  int kinds;
  VARTYPE types[4];
};
constexpr Member kMembers[] = {
    {L"Application", L"GetNameSpace", kMethod, {VT_BSTR}},
    {L"NameSpace", L"GetDefaultFolder", kMethod, {VT_I4}},
    {L"NameSpace", L"Categories", kGet, {}},
    {L"Folder", L"Items", kGet, {}},
    {L"Folder", L"StoreID", kGet, {}},
    {L"Items", L"Count", kGet, {}},
    {L"Items", L"Item", kMethod, {VT_I4}},
    {L"Items", L"Add", kMethod, {VT_I4}},
    {L"Items", L"Restrict", kMethod, {VT_BSTR}},
    {L"Appointment", L"Start", kGet | kPut, {VT_DATE}},
    {L"Appointment", L"Subject", kGet | kPut, {VT_BSTR}},
    {L"Appointment", L"Body", kPut, {VT_BSTR}},
    {L"Appointment", L"AllDayEvent", kPut, {VT_BOOL}},
    {L"Appointment", L"BusyStatus", kPut, {VT_I4}},
    {L"Appointment", L"ReminderMinutesBeforeStart", kPut, {VT_I4}},
    {L"Appointment", L"ReminderSet", kPut, {VT_BOOL}},
    {L"Appointment", L"Categories", kPut, {VT_BSTR}},
    {L"Appointment", L"EntryID", kGet, {}},
    {L"Appointment", L"Parent", kGet, {}},
    {L"Appointment", L"Save", kMethod, {}},
    {L"Appointment", L"Delete", kMethod, {}},
    {L"Categories", L"Item", kMethod, {VT_BSTR}},
    {L"Categories", L"Add", kMethod, {VT_BSTR, VT_I4}},
    // The label session.
    {L"Session", L"Logon", kMethod, {VT_BSTR, VT_BSTR, VT_BOOL, VT_BOOL}},
    {L"Session", L"Logoff", kMethod, {}},
    {L"Session", L"GetMessage", kMethod, {VT_BSTR, VT_BSTR}},
    {L"Message", L"Fields", kGet, {}},
    {L"Message", L"Update", kMethod, {VT_BOOL, VT_BOOL}},
    {L"Fields", L"Item", kMethod, {VT_BSTR, VT_BSTR}},
    {L"Fields", L"Add", kMethod, {VT_BSTR, VT_I4, VT_I4, VT_BSTR}},
};
constexpr int kMemberCount = (int)std::size(kMembers);

// The state of the process's objects, from their first to their last.
struct Server {
  int loaded = 0;
  std::wstring storePath, fail, failAs;  // "Appointment.Save invoke", "exception"
  FakeStore store;
  long nextId = 1;
  FILE* log = nullptr;
  unsigned long failHr = 0;
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
  g_server.failAs = how;
  LoadFakeStore(g_server.storePath, &g_server.store);
  for (const FakeAppointment& a : g_server.store.appointments) {
    if (a.id >= g_server.nextId) g_server.nextId = a.id + 1;
  }
}

// The last object gone: the store is written and the log closed.
void Unload() {
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

std::wstring Text(const VARIANT* v) { return std::wstring(v->bstrVal, SysStringLen(v->bstrVal)); }

// A property's value as the store keeps it.
std::wstring ValueText(const VARIANT* v) {
  wchar_t text[32];
  switch (v->vt) {
    case VT_BSTR: return Text(v);
    case VT_BOOL: return v->boolVal ? L"1" : L"0";
    case VT_DATE:
      swprintf(text, 32, L"%.17g", v->date);
      return text;
    default: return std::to_wstring(v->lVal);
  }
}

const wchar_t* TypeName(VARTYPE vt) {
  switch (vt) {
    case VT_I4: return L"VT_I4";
    case VT_BOOL: return L"VT_BOOL";
    case VT_DATE: return L"VT_DATE";
    case VT_BSTR: return L"VT_BSTR";
    default: return L"VT_OTHER";
  }
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

// Any object of the model: its type names its members.
class Fake : public Unknown<IDispatch> {
 public:
  // An appointment or message `id` refers to a saved appointment.
  explicit Fake(const wchar_t* type, long id = 0) : type_(type), id_(id) {
    Load();
    InterlockedIncrement(&g_objects);
    if (FakeAppointment* a = Find(id)) r_ = *a;
  }
  ~Fake() override {
    if (message_) message_->Release();
    if (InterlockedDecrement(&g_objects) == 0) Unload();
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    if (iid != IID_NULL || count != 1 || locale != LOCALE_SYSTEM_DEFAULT) return E_INVALIDARG;
    ids[0] = DISPID_UNKNOWN;
    for (int i = 0; i < kMemberCount; ++i) {
      if (wcscmp(kMembers[i].type, type_) || _wcsicmp(names[0], kMembers[i].name)) continue;
      if (Failing(kMembers[i], L"ids")) return (HRESULT)g_server.failHr;
      ids[0] = i + 1;
      return S_OK;
    }
    return DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception, UINT* argError) override {
    if (iid != IID_NULL || id < 1 || id > kMemberCount || wcscmp(kMembers[id - 1].type, type_)) {
      return DISP_E_MEMBERNOTFOUND;
    }
    const Member& m = kMembers[id - 1];
    std::vector<VARIANT*> args;  // in call order
    for (UINT i = params->cArgs; i > 0; --i) args.push_back(&params->rgvarg[i - 1]);
    Log(m, flags, args);
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
    if (Failing(m, L"invoke")) {
      if (g_server.failAs != L"exception" || !exception) return (HRESULT)g_server.failHr;
      *exception = EXCEPINFO();
      exception->scode = (HRESULT)g_server.failHr;
      return DISP_E_EXCEPTION;
    }
    VARIANT local;
    VARIANT* out = result ? result : &local;
    VariantInit(out);
    HRESULT hr = Call(std::wstring(m.type) + L"." + m.name, kind, args, out);
    if (!result) VariantClear(&local);
    return hr;
  }

 private:
  HRESULT Call(const std::wstring& member, int kind, const std::vector<VARIANT*>& args, VARIANT* result);
  // Items: the whole calendar, or what a restriction kept.
  std::vector<long> Ids() const {
    std::vector<long> ids = ids_;
    for (const FakeAppointment& a : g_server.store.appointments) {
      if (whole_ && a.id) ids.push_back(a.id);
    }
    return ids;
  }
  HRESULT Return(VARIANT* result, Fake* object) {
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
    return S_OK;
  }
  int Failing(const Member& m, const wchar_t* stage) const {
    return g_server.fail == std::wstring(m.type) + L"." + m.name + L" " + stage;
  }
  void Log(const Member& m, WORD flags, const std::vector<VARIANT*>& args) const {
    if (!g_server.log) return;
    static const wchar_t* const kKinds[] = {L"other", L"method", L"get", L"get+method", L"put"};
    std::wstring line = std::wstring(m.type) + L"." + m.name + L" " + kKinds[flags < 5 ? flags : 0] + L"(";
    for (std::size_t i = 0; i < args.size(); ++i) line += (i ? L", " : L"") + std::wstring(TypeName(args[i]->vt));
    std::fprintf(g_server.log, "%s)\n", std::string(line.begin(), line.end()).c_str());  // ASCII
    std::fflush(g_server.log);
  }

  const wchar_t* type_;
  long id_;
  FakeAppointment r_;  // an appointment as put so far
  int whole_ = 1;
  std::vector<long> ids_;
  Fake* message_ = nullptr;  // of Fields
  int label_ = -1;  // a message's, until Update
  int loggedOn_ = 0;
};

HRESULT Fake::Call(const std::wstring& member, int kind, const std::vector<VARIANT*>& args, VARIANT* result) {
  const std::wstring text = args.empty() || args[0]->vt != VT_BSTR ? L"" : Text(args[0]);
  const LONG number = args.empty() ? 0 : args[0]->lVal;
  FakeAppointment* saved = Find(id_);
  if (member == L"Application.GetNameSpace") {
    return text == L"MAPI" ? Return(result, new Fake(L"NameSpace")) : E_INVALIDARG;
  }
  if (member == L"NameSpace.GetDefaultFolder") {
    return number == 9 ? Return(result, new Fake(L"Folder")) : E_INVALIDARG;  // the calendar only
  }
  if (member == L"NameSpace.Categories") return Return(result, new Fake(L"Categories"));
  if (member == L"Folder.Items") return Return(result, new Fake(L"Items"));
  if (member == L"Folder.StoreID") return ReturnText(result, L"STORE-1");
  if (member == L"Items.Count") {
    result->vt = VT_I4;
    result->lVal = (LONG)Ids().size();
    return S_OK;
  }
  if (member == L"Items.Item") {
    if (number < 1 || number > (LONG)Ids().size()) return DISP_E_BADINDEX;
    return Return(result, new Fake(L"Appointment", Ids()[number - 1]));
  }
  if (member == L"Items.Add") return number == 1 ? Return(result, new Fake(L"Appointment")) : E_INVALIDARG;
  if (member == L"Items.Restrict") {
    // The program's one form, its dates in the user's short date format.
    wchar_t from[64], to[64];
    double a, b;
    if (swscanf(text.c_str(), L"[Start] >= '%63l[^']' AND [Start] < '%63l[^']'", from, to) != 2 ||
        FAILED(VarDateFromStr(from, LOCALE_USER_DEFAULT, 0, &a)) ||
        FAILED(VarDateFromStr(to, LOCALE_USER_DEFAULT, 0, &b))) {
      return E_INVALIDARG;
    }
    Fake* kept = new Fake(L"Items");
    kept->whole_ = 0;
    for (long id : Ids()) {
      double start = _wtof(Find(id)->Get(L"Start").c_str());
      if (start >= a && start < b) kept->ids_.push_back(id);
    }
    return Return(result, kept);
  }
  if (kind == kPut) {
    r_.props[member.substr(member.find(L'.') + 1)] = ValueText(args[0]);
  } else if (member == L"Appointment.Start") {
    result->vt = VT_DATE;
    result->date = _wtof(r_.Get(L"Start").c_str());
  } else if (member == L"Appointment.Subject") {
    return ReturnText(result, r_.Get(L"Subject"));
  } else if (member == L"Appointment.EntryID") {
    return saved ? ReturnText(result, L"EID" + std::to_wstring(id_)) : E_FAIL;
  } else if (member == L"Appointment.Parent") {
    return Return(result, new Fake(L"Folder"));
  } else if (member == L"Appointment.Save") {  // once: the program saves only new appointments
    r_.id = id_ = g_server.nextId++;
    g_server.store.appointments.push_back(r_);
  } else if (member == L"Appointment.Delete") {
    if (!saved) return E_FAIL;
    saved->id = id_ = 0;  // left out of the collection and the file
  } else if (member.rfind(L"Categories.", 0) == 0) {
    auto& list = g_server.store.categories;
    auto found = std::find_if(list.begin(), list.end(),
                              [&](const auto& c) { return !_wcsicmp(c.first.c_str(), text.c_str()); });
    if ((found == list.end()) == (member == L"Categories.Item")) return DISP_E_BADINDEX;
    if (found == list.end()) list.push_back({text, (int)args[1]->lVal});
    // A list stands in for the category: the program only asks whether there is one.
    return Return(result, new Fake(L"Categories"));
  } else if (member == L"Session.Logon" || member == L"Session.Logoff") {
    loggedOn_ = member == L"Session.Logon";
  } else if (member == L"Session.GetMessage") {
    long id = loggedOn_ && text.rfind(L"EID", 0) == 0 ? _wtol(text.c_str() + 3) : 0;
    if (!Find(id) || Text(args[1]) != L"STORE-1") return loggedOn_ ? kNotFound : kNotLoggedOn;
    return Return(result, new Fake(L"Message", id));
  } else if (member == L"Message.Fields") {
    Fake* fields = new Fake(L"Fields");
    fields->message_ = this;
    AddRef();
    return Return(result, fields);
  } else if (member == L"Message.Update") {
    if (!saved) return kNotFound;
    saved->props[L"Label"] = std::to_wstring(label_);
  } else if (member == L"Fields.Item") {
    return kNotFound;  // a new appointment has no label property yet
  } else {  // Fields.Add: the label property, once
    if (text != L"0x8214" || Text(args[3]) != L"0220060000000000C000000000000046" || args[1]->lVal ||
        message_->label_ >= 0) {
      return E_INVALIDARG;
    }
    message_->label_ = args[2]->lVal;
  }
  return S_OK;
}

class Factory : public Unknown<IClassFactory> {
 public:
  explicit Factory(int session) : session_(session) {}
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    Fake* object = new Fake(session_ ? L"Session" : L"Application");
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
