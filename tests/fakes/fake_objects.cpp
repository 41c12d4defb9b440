// The stand-in object model. One base class does what every member shares
// (lookup, kinds, named put argument, exact argument types, the call log,
// chosen failures and wrong result types); each object answers its members.
#include "fakes/fake_objects.h"

#include <oleauto.h>

#include <cstdio>
#include <string>
#include <unordered_map>
#include <vector>

#include "fakes/fake_store.h"

namespace {

constexpr HRESULT kNotFound = (HRESULT)0x8004010F;        // MAPI_E_NOT_FOUND
constexpr HRESULT kNotLoggedOn = (HRESULT)0x80040605;     // MAPI_E_NOT_INITIALIZED

// ---- The server's state -----------------------------------------------------

struct Server {
  int loaded = 0;
  std::wstring storePath;
  FakeStore store;
  std::unordered_map<long, std::size_t> byId;  // appointment id -> index
  std::vector<long> live;                      // ids in order, rebuilt when stale
  int liveStale = 1;
  FILE* log = nullptr;
  std::wstring fail;  // "Type.Name ids" or "Type.Name invoke"
  HRESULT failHr = E_FAIL;
  int failAsException = 0;
  int failFrom = 1;
  int failSeen = 0;
  std::wstring wrongType;
  int noRestrict = 0;
  int noCategories = 0;
};
Server g_server;
LONG g_objects = 0;

std::wstring ReadText(HKEY key, const wchar_t* name) {
  wchar_t buffer[1024];
  DWORD size = sizeof buffer, type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, (BYTE*)buffer, &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return L"";
  }
  buffer[size / sizeof(wchar_t) < 1024 ? size / sizeof(wchar_t) : 1023] = 0;
  return buffer;
}

DWORD ReadNumber(HKEY key, const wchar_t* name, DWORD def) {
  DWORD value = 0, size = sizeof value, type = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, (BYTE*)&value, &size) != ERROR_SUCCESS ||
      type != REG_DWORD) {
    return def;
  }
  return value;
}

void Load() {
  if (g_server.loaded) return;
  g_server = Server();
  g_server.loaded = 1;
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kFakeOutlookKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
    g_server.storePath = ReadText(key, L"Store");
    std::wstring log = ReadText(key, L"Log");
    if (!log.empty()) g_server.log = _wfopen(log.c_str(), L"ab");
    g_server.fail = ReadText(key, L"Fail");
    g_server.failHr = (HRESULT)ReadNumber(key, L"FailHresult", (DWORD)E_FAIL);
    g_server.failAsException = (int)ReadNumber(key, L"FailAsException", 0);
    g_server.failFrom = (int)ReadNumber(key, L"FailFrom", 1);
    g_server.wrongType = ReadText(key, L"WrongType");
    g_server.noRestrict = (int)ReadNumber(key, L"NoRestrict", 0);
    g_server.noCategories = (int)ReadNumber(key, L"NoCategories", 0);
    RegCloseKey(key);
  }
  if (!g_server.storePath.empty()) LoadFakeStore(g_server.storePath, &g_server.store);
  for (std::size_t i = 0; i < g_server.store.appointments.size(); ++i) {
    g_server.byId[g_server.store.appointments[i].id] = i;
  }
}

FakeAppointment* Find(long id) {
  auto it = g_server.byId.find(id);
  return it == g_server.byId.end() ? nullptr : &g_server.store.appointments[it->second];
}

const std::vector<long>& Live() {
  if (g_server.liveStale) {
    g_server.live.clear();
    for (const FakeAppointment& a : g_server.store.appointments) {
      if (a.id) g_server.live.push_back(a.id);
    }
    g_server.liveStale = 0;
  }
  return g_server.live;
}

const char* TypeName(VARTYPE vt) {
  switch (vt) {
    case VT_EMPTY: return "VT_EMPTY";
    case VT_I4: return "VT_I4";
    case VT_BOOL: return "VT_BOOL";
    case VT_DATE: return "VT_DATE";
    case VT_BSTR: return "VT_BSTR";
    case VT_DISPATCH: return "VT_DISPATCH";
    case VT_UNKNOWN: return "VT_UNKNOWN";
    case VT_I2: return "VT_I2";
    case VT_R8: return "VT_R8";
    default: return "VT_OTHER";
  }
}

// ---- The base object ----------------------------------------------------

enum { kGet = 1, kPut = 2, kMethod = 4 };
struct Member {
  const wchar_t* name;
  int kinds;
};

using Args = std::vector<VARIANT*>;  // in call order

class FakeObject : public IDispatch {
 public:
  explicit FakeObject(const char* type) : type_(type) {
    Load();
    InterlockedIncrement(&g_objects);
  }
  virtual ~FakeObject() {
    if (InterlockedDecrement(&g_objects) == 0) FakeServerIdle();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return (ULONG)InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG n = InterlockedDecrement(&refs_);
    if (n == 0) delete this;
    return (ULONG)n;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (count != 1 || locale != 2048) return E_INVALIDARG;
    int n;
    const Member* members = Members(&n);
    for (int i = 0; i < n; ++i) {
      if (_wcsicmp(names[0], members[i].name) != 0) continue;
      if (!Offers(i)) break;
      if (Chosen(members[i].name, L" ids")) return g_server.failHr;
      ids[0] = i + 1;
      return S_OK;
    }
    ids[0] = DISPID_UNKNOWN;
    return DISP_E_UNKNOWNNAME;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argError) override {
    int n;
    const Member* members = Members(&n);
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (id < 1 || id > n) return DISP_E_MEMBERNOTFOUND;
    const Member& member = members[id - 1];
    int kind = (flags & DISPATCH_PROPERTYPUT) && (member.kinds & kPut)      ? kPut
               : (flags & DISPATCH_METHOD) && (member.kinds & kMethod)      ? kMethod
               : (flags & DISPATCH_PROPERTYGET) && (member.kinds & kGet)    ? kGet
                                                                            : 0;
    Args args;
    for (UINT i = params->cArgs; i > 0; --i) args.push_back(&params->rgvarg[i - 1]);
    Log(member.name, flags, args, locale);
    if (!kind) return DISP_E_MEMBERNOTFOUND;
    if (kind == kPut) {
      if (params->cNamedArgs != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
        return DISP_E_PARAMNOTFOUND;
      }
    } else if (params->cNamedArgs != 0) {
      return DISP_E_NONAMEDARGS;
    }
    if (Chosen(member.name, L" invoke")) {
      if (!g_server.failAsException) return g_server.failHr;
      if (exception) {
        *exception = EXCEPINFO();
        exception->scode = g_server.failHr;
        exception->bstrSource = SysAllocString(L"Stand-in");
      }
      return DISP_E_EXCEPTION;
    }
    VARIANT local;
    VariantInit(&local);
    VARIANT* out = result ? result : &local;
    VariantInit(out);
    UINT bad = 0;
    HRESULT hr = Call(id - 1, kind, args, out, &bad);
    if (hr == DISP_E_TYPEMISMATCH && argError) *argError = (UINT)args.size() - 1 - bad;
    if (SUCCEEDED(hr) && g_server.wrongType == Qualified(member.name)) {
      VARTYPE was = out->vt;
      VariantClear(out);
      if (was == VT_I4) {
        out->vt = VT_BSTR;
        out->bstrVal = SysAllocString(L"7");
      } else {
        out->vt = VT_I4;
        out->lVal = 7;
      }
    }
    VariantClear(&local);
    return hr;
  }

 protected:
  virtual const Member* Members(int* count) = 0;
  // Whether member `index` exists here (the switches of the settings).
  virtual int Offers(int) { return 1; }
  // The member `index` called as `kind` with `args`; `bad` names a
  // mismatching argument (call order).
  virtual HRESULT Call(int index, int kind, Args& args, VARIANT* result, UINT* bad) = 0;

  // The arguments must be exactly of these types.
  static HRESULT Expect(const Args& args, std::initializer_list<VARTYPE> types, UINT* bad) {
    if (args.size() != types.size()) return DISP_E_BADPARAMCOUNT;
    UINT i = 0;
    for (VARTYPE vt : types) {
      if (args[i]->vt != vt) {
        *bad = i;
        return DISP_E_TYPEMISMATCH;
      }
      ++i;
    }
    return S_OK;
  }
  static std::wstring Text(const VARIANT* v) {
    return std::wstring(v->bstrVal, v->bstrVal ? SysStringLen(v->bstrVal) : 0);
  }
  static HRESULT Return(VARIANT* result, IDispatch* object) {
    result->vt = VT_DISPATCH;
    result->pdispVal = object;
    return S_OK;
  }
  static HRESULT ReturnText(VARIANT* result, const std::wstring& text) {
    result->vt = VT_BSTR;
    result->bstrVal = SysAllocStringLen(text.data(), (UINT)text.size());
    return S_OK;
  }

 private:
  std::wstring Qualified(const wchar_t* name) const {
    std::wstring q;
    for (const char* p = type_; *p; ++p) q += (wchar_t)*p;
    return q + L"." + name;
  }
  int Chosen(const wchar_t* name, const wchar_t* stage) {
    if (g_server.fail.empty() || g_server.fail != Qualified(name) + stage) return 0;
    return ++g_server.failSeen >= g_server.failFrom;
  }
  void Log(const wchar_t* name, WORD flags, const Args& args, LCID locale) {
    if (!g_server.log) return;
    std::string line = type_;
    line += ".";
    line += Utf8(name);
    line += " ";
    const char* kinds[] = {"", "method", "get", "get+method", "put"};
    line += flags < 5 ? kinds[flags] : "other";
    line += "(";
    for (std::size_t i = 0; i < args.size(); ++i) {
      if (i) line += ", ";
      line += TypeName(args[i]->vt);
    }
    line += ")";
    if (locale != 2048) line += " locale " + std::to_string(locale);
    std::fprintf(g_server.log, "%s\n", line.c_str());
    std::fflush(g_server.log);
  }

  const char* type_;
  LONG refs_ = 1;
};

// ---- Outlook ---------------------------------------------------------------

class Appointment;

class Category : public FakeObject {
 public:
  explicit Category(std::wstring name) : FakeObject("Category"), name_(std::move(name)) {}
  const Member* Members(int* n) override {
    static const Member m[] = {{L"Name", kGet}};
    *n = 1;
    return m;
  }
  HRESULT Call(int, int, Args& args, VARIANT* result, UINT* bad) override {
    HRESULT hr = Expect(args, {}, bad);
    return FAILED(hr) ? hr : ReturnText(result, name_);
  }

 private:
  std::wstring name_;
};

class Categories : public FakeObject {
 public:
  Categories() : FakeObject("Categories") {}
  const Member* Members(int* n) override {
    static const Member m[] = {{L"Item", kMethod}, {L"Add", kMethod}, {L"Count", kGet}};
    *n = 3;
    return m;
  }
  HRESULT Call(int index, int, Args& args, VARIANT* result, UINT* bad) override {
    std::vector<FakeCategory>& list = g_server.store.categories;
    if (index == 2) {
      result->vt = VT_I4;
      result->lVal = (LONG)list.size();
      return S_OK;
    }
    if (index == 0) {
      HRESULT hr = Expect(args, {VT_BSTR}, bad);
      if (FAILED(hr)) return hr;
      for (const FakeCategory& c : list) {
        if (_wcsicmp(c.name.c_str(), Text(args[0]).c_str()) == 0) return Return(result, new Category(c.name));
      }
      return DISP_E_BADINDEX;
    }
    HRESULT hr = Expect(args, {VT_BSTR, VT_I4}, bad);
    if (FAILED(hr)) return hr;
    for (const FakeCategory& c : list) {
      if (_wcsicmp(c.name.c_str(), Text(args[0]).c_str()) == 0) return E_INVALIDARG;  // exists
    }
    list.push_back({Text(args[0]), (int)args[1]->lVal});
    return Return(result, new Category(Text(args[0])));
  }
};

class Folder : public FakeObject {
 public:
  Folder() : FakeObject("Folder") {}
  const Member* Members(int* n) override {
    static const Member m[] = {{L"Items", kGet}, {L"StoreID", kGet}};
    *n = 2;
    return m;
  }
  HRESULT Call(int index, int, Args& args, VARIANT* result, UINT* bad) override;
};

class Appointment : public FakeObject {
 public:
  // A saved appointment (id > 0) or a new one.
  explicit Appointment(long id) : FakeObject("Appointment"), id_(id) {
    if (FakeAppointment* a = Find(id)) {
      record_ = *a;
    } else {
      record_ = NewFakeAppointment();
    }
  }
  const Member* Members(int* n) override {
    static const Member m[] = {
        {L"Start", kGet | kPut},       {L"Subject", kGet | kPut},
        {L"Body", kGet | kPut},        {L"AllDayEvent", kGet | kPut},
        {L"BusyStatus", kGet | kPut},  {L"ReminderMinutesBeforeStart", kGet | kPut},
        {L"ReminderSet", kGet | kPut}, {L"Categories", kGet | kPut},
        {L"EntryID", kGet},            {L"Parent", kGet},
        {L"Save", kMethod},            {L"Delete", kMethod},
    };
    *n = 12;
    return m;
  }
  HRESULT Call(int index, int kind, Args& args, VARIANT* result, UINT* bad) override {
    static const VARTYPE kTypes[] = {VT_DATE, VT_BSTR, VT_BSTR, VT_BOOL, VT_I4, VT_I4, VT_BOOL, VT_BSTR};
    FakeAppointment& r = record_;
    if (index < 8) {
      if (kind == kPut) {
        HRESULT hr = Expect(args, {kTypes[index]}, bad);
        if (FAILED(hr)) return hr;
        const VARIANT* v = args[0];
        switch (index) {
          case 0: r.start = v->date; break;
          case 1: r.subject = Text(v); break;
          case 2: r.body = Text(v); break;
          case 3: r.allDay = v->boolVal != VARIANT_FALSE; break;
          case 4: r.busyStatus = v->lVal; break;
          case 5: r.reminderMinutes = v->lVal; break;
          case 6: r.reminderSet = v->boolVal != VARIANT_FALSE; break;
          default: r.categories = Text(v); break;
        }
        return S_OK;
      }
      HRESULT hr = Expect(args, {}, bad);
      if (FAILED(hr)) return hr;
      result->vt = kTypes[index];
      switch (index) {
        case 0: result->date = r.start; return S_OK;
        case 1: return ReturnText(result, r.subject);
        case 2: return ReturnText(result, r.body);
        case 3: result->boolVal = r.allDay ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;
        case 4: result->lVal = r.busyStatus < 0 ? 2 : r.busyStatus; return S_OK;
        case 5: result->lVal = r.reminderMinutes; return S_OK;
        case 6: result->boolVal = r.reminderSet ? VARIANT_TRUE : VARIANT_FALSE; return S_OK;
        default: return ReturnText(result, r.categories);
      }
    }
    HRESULT hr = Expect(args, {}, bad);
    if (FAILED(hr)) return hr;
    switch (index) {
      case 8:
        if (!id_) return E_FAIL;  // no entry id before the first save
        return ReturnText(result, L"EID" + std::to_wstring(id_));
      case 9:
        return Return(result, new Folder());
      case 10:
        if (!id_) {
          id_ = g_server.store.nextId++;
          r.id = id_;
          g_server.byId[id_] = g_server.store.appointments.size();
          g_server.store.appointments.push_back(r);
          g_server.liveStale = 1;
        } else if (FakeAppointment* a = Find(id_)) {
          r.label = a->label;  // the label may have been set meanwhile
          *a = r;
        }
        return S_OK;
      default: {
        FakeAppointment* a = Find(id_);
        if (!a) return E_FAIL;
        a->id = 0;  // deleted: left out of the collection and the file
        g_server.byId.erase(id_);
        g_server.liveStale = 1;
        id_ = 0;
        return S_OK;
      }
    }
  }

 private:
  long id_;
  FakeAppointment record_;
};

// A restriction "[Start] >= 'date' AND [Start] < 'date'": each condition a
// property, an operator and a date in the user's short date format.
struct Condition {
  std::wstring op;
  double value;
};

int ParseFilter(const std::wstring& filter, std::vector<Condition>* conditions) {
  std::size_t at = 0;
  for (;;) {
    while (at < filter.size() && filter[at] == L' ') ++at;
    if (filter.compare(at, 7, L"[Start]") != 0) return 0;
    at += 7;
    while (at < filter.size() && filter[at] == L' ') ++at;
    std::size_t op = at;
    while (at < filter.size() && wcschr(L"<>=", filter[at])) ++at;
    Condition c;
    c.op = filter.substr(op, at - op);
    while (at < filter.size() && filter[at] == L' ') ++at;
    if (at >= filter.size() || filter[at] != L'\'') return 0;
    std::size_t close = filter.find(L'\'', at + 1);
    if (close == std::wstring::npos) return 0;
    std::wstring date = filter.substr(at + 1, close - at - 1);
    if (FAILED(VarDateFromStr((OLECHAR*)date.c_str(), LOCALE_USER_DEFAULT, 0, &c.value))) return 0;
    conditions->push_back(c);
    at = close + 1;
    while (at < filter.size() && filter[at] == L' ') ++at;
    if (at == filter.size()) return 1;
    if (_wcsnicmp(filter.c_str() + at, L"AND", 3) != 0) return 0;
    at += 3;
  }
}

int Holds(const std::vector<Condition>& conditions, double start) {
  for (const Condition& c : conditions) {
    int ok = c.op == L">=" ? start >= c.value
             : c.op == L">" ? start > c.value
             : c.op == L"<=" ? start <= c.value
             : c.op == L"<" ? start < c.value
             : c.op == L"=" ? start == c.value
                            : 0;
    if (!ok) return 0;
  }
  return 1;
}

class Items : public FakeObject {
 public:
  // All appointments (live), or a fixed restriction of them.
  Items() : FakeObject("Items"), restricted_(0) {}
  explicit Items(std::vector<long> ids) : FakeObject("Items"), restricted_(1), ids_(std::move(ids)) {}
  const Member* Members(int* n) override {
    static const Member m[] = {{L"Count", kGet}, {L"Item", kMethod}, {L"Add", kMethod}, {L"Restrict", kMethod}};
    *n = 4;
    return m;
  }
  int Offers(int index) override { return index != 3 || !g_server.noRestrict; }
  HRESULT Call(int index, int, Args& args, VARIANT* result, UINT* bad) override {
    const std::vector<long>& ids = restricted_ ? ids_ : Live();
    switch (index) {
      case 0: {
        HRESULT hr = Expect(args, {}, bad);
        if (FAILED(hr)) return hr;
        result->vt = VT_I4;
        result->lVal = (LONG)ids.size();
        return S_OK;
      }
      case 1: {
        HRESULT hr = Expect(args, {VT_I4}, bad);
        if (FAILED(hr)) return hr;
        LONG i = args[0]->lVal;
        if (i < 1 || i > (LONG)ids.size()) return DISP_E_BADINDEX;
        return Return(result, new Appointment(ids[(std::size_t)i - 1]));
      }
      case 2: {
        HRESULT hr = Expect(args, {VT_I4}, bad);
        if (FAILED(hr)) return hr;
        if (args[0]->lVal != 1) return E_INVALIDARG;  // only appointments here
        return Return(result, new Appointment(0));
      }
      default: {
        HRESULT hr = Expect(args, {VT_BSTR}, bad);
        if (FAILED(hr)) return hr;
        std::vector<Condition> conditions;
        if (!ParseFilter(Text(args[0]), &conditions)) return E_INVALIDARG;
        std::vector<long> kept;
        for (long id : ids) {
          if (Holds(conditions, Find(id)->start)) kept.push_back(id);
        }
        return Return(result, new Items(std::move(kept)));
      }
    }
  }

 private:
  int restricted_;
  std::vector<long> ids_;
};

HRESULT Folder::Call(int index, int, Args& args, VARIANT* result, UINT* bad) {
  HRESULT hr = Expect(args, {}, bad);
  if (FAILED(hr)) return hr;
  if (index == 0) return Return(result, new Items());
  return ReturnText(result, L"STORE-1");
}

class NameSpace : public FakeObject {
 public:
  NameSpace() : FakeObject("NameSpace") {}
  const Member* Members(int* n) override {
    static const Member m[] = {{L"GetDefaultFolder", kMethod}, {L"Categories", kGet}};
    *n = 2;
    return m;
  }
  int Offers(int index) override { return index != 1 || !g_server.noCategories; }
  HRESULT Call(int index, int, Args& args, VARIANT* result, UINT* bad) override {
    if (index == 1) {
      HRESULT hr = Expect(args, {}, bad);
      return FAILED(hr) ? hr : Return(result, new Categories());
    }
    HRESULT hr = Expect(args, {VT_I4}, bad);
    if (FAILED(hr)) return hr;
    if (args[0]->lVal != 9) return E_INVALIDARG;  // the calendar only
    return Return(result, new Folder());
  }
};

class Application : public FakeObject {
 public:
  Application() : FakeObject("Application") {}
  const Member* Members(int* n) override {
    static const Member m[] = {{L"GetNameSpace", kMethod}};
    *n = 1;
    return m;
  }
  HRESULT Call(int, int, Args& args, VARIANT* result, UINT* bad) override {
    HRESULT hr = Expect(args, {VT_BSTR}, bad);
    if (FAILED(hr)) return hr;
    if (Text(args[0]) != L"MAPI") return E_INVALIDARG;
    return Return(result, new NameSpace());
  }
};

// ---- The label session -------------------------------------------------

constexpr wchar_t kPropertyName[] = L"0x8214";
constexpr wchar_t kPropertySet[] = L"0220060000000000C000000000000046";

class Message : public FakeObject {
 public:
  explicit Message(long id) : FakeObject("Message"), id_(id) {
    FakeAppointment* a = Find(id);
    label_ = a ? a->label : -1;
  }
  const Member* Members(int* n) override {
    static const Member m[] = {{L"Fields", kGet}, {L"Update", kMethod}};
    *n = 2;
    return m;
  }
  HRESULT Call(int index, int, Args& args, VARIANT* result, UINT* bad) override;
  long id_;
  int label_;  // pending until Update
};

class Field : public FakeObject {
 public:
  explicit Field(Message* message) : FakeObject("Field"), message_(message) { message_->AddRef(); }
  ~Field() override { message_->Release(); }
  const Member* Members(int* n) override {
    static const Member m[] = {{L"Value", kGet | kPut}};
    *n = 1;
    return m;
  }
  HRESULT Call(int, int kind, Args& args, VARIANT* result, UINT* bad) override {
    if (kind == kPut) {
      HRESULT hr = Expect(args, {VT_I4}, bad);
      if (FAILED(hr)) return hr;
      message_->label_ = args[0]->lVal;
      return S_OK;
    }
    result->vt = VT_I4;
    result->lVal = message_->label_;
    return S_OK;
  }

 private:
  Message* message_;
};

class Fields : public FakeObject {
 public:
  explicit Fields(Message* message) : FakeObject("Fields"), message_(message) { message_->AddRef(); }
  ~Fields() override { message_->Release(); }
  const Member* Members(int* n) override {
    static const Member m[] = {{L"Item", kMethod}, {L"Add", kMethod}};
    *n = 2;
    return m;
  }
  HRESULT Call(int index, int, Args& args, VARIANT* result, UINT* bad) override {
    if (index == 0) {
      HRESULT hr = Expect(args, {VT_BSTR, VT_BSTR}, bad);
      if (FAILED(hr)) return hr;
      if (Text(args[0]) != kPropertyName || Text(args[1]) != kPropertySet) return kNotFound;
      if (message_->label_ < 0) return kNotFound;
      return Return(result, new Field(message_));
    }
    HRESULT hr = Expect(args, {VT_BSTR, VT_I4, VT_I4, VT_BSTR}, bad);
    if (FAILED(hr)) return hr;
    if (Text(args[0]) != kPropertyName || Text(args[3]) != kPropertySet || args[1]->lVal != 0) {
      return E_INVALIDARG;
    }
    if (message_->label_ >= 0) return E_INVALIDARG;  // already there: Add refuses
    message_->label_ = args[2]->lVal;
    return Return(result, new Field(message_));
  }

 private:
  Message* message_;
};

HRESULT Message::Call(int index, int, Args& args, VARIANT* result, UINT* bad) {
  if (index == 0) {
    HRESULT hr = Expect(args, {}, bad);
    return FAILED(hr) ? hr : Return(result, new Fields(this));
  }
  HRESULT hr = Expect(args, {VT_BOOL, VT_BOOL}, bad);
  if (FAILED(hr)) return hr;
  FakeAppointment* a = Find(id_);
  if (!a) return kNotFound;
  a->label = label_;
  return S_OK;
}

class Session : public FakeObject {
 public:
  Session() : FakeObject("Session") {}
  const Member* Members(int* n) override {
    static const Member m[] = {{L"Logon", kMethod}, {L"Logoff", kMethod}, {L"GetMessage", kMethod}};
    *n = 3;
    return m;
  }
  HRESULT Call(int index, int, Args& args, VARIANT* result, UINT* bad) override {
    if (index == 0) {
      HRESULT hr = Expect(args, {VT_BSTR, VT_BSTR, VT_BOOL, VT_BOOL}, bad);
      if (FAILED(hr)) return hr;
      loggedOn_ = 1;
      return S_OK;
    }
    if (!loggedOn_) return kNotLoggedOn;
    if (index == 1) {
      HRESULT hr = Expect(args, {}, bad);
      if (FAILED(hr)) return hr;
      loggedOn_ = 0;
      return S_OK;
    }
    HRESULT hr = Expect(args, {VT_BSTR, VT_BSTR}, bad);
    if (FAILED(hr)) return hr;
    std::wstring entry = Text(args[0]);
    if (entry.compare(0, 3, L"EID") != 0 || Text(args[1]) != L"STORE-1") return kNotFound;
    long id = _wtol(entry.c_str() + 3);
    if (!Find(id)) return kNotFound;
    return Return(result, new Message(id));
  }

 private:
  int loggedOn_ = 0;
};

}  // namespace

HRESULT CreateFakeApplication(REFIID iid, void** object) {
  Application* application = new Application();
  HRESULT hr = application->QueryInterface(iid, object);
  application->Release();
  return hr;
}

HRESULT CreateFakeSession(REFIID iid, void** object) {
  Session* session = new Session();
  HRESULT hr = session->QueryInterface(iid, object);
  session->Release();
  return hr;
}

LONG FakeObjectCount() { return g_objects; }

void FakeServerIdle() {
  if (!g_server.loaded) return;
  if (!g_server.storePath.empty()) SaveFakeStore(g_server.storePath, g_server.store);
  if (g_server.log) std::fclose(g_server.log);
  g_server.log = nullptr;
  g_server.loaded = 0;
}
