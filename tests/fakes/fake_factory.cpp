// The class factory of the stand-ins.
#include "fakes/fake_factory.h"

#include "fakes/fake_objects.h"

namespace {

class Factory : public IClassFactory {
 public:
  explicit Factory(int session) : session_(session) {}
  virtual ~Factory() = default;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
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
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (outer) return CLASS_E_NOAGGREGATION;
    return session_ ? CreateFakeSession(iid, out) : CreateFakeApplication(iid, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  int session_;
  LONG refs_ = 1;
};

}  // namespace

IClassFactory* NewFakeFactory(int session) { return new Factory(session); }

CLSID FakeClsid(const wchar_t* text) {
  CLSID clsid = {};
  CLSIDFromString((LPOLESTR)text, &clsid);
  return clsid;
}
