// DllGetClassObject: one class factory per request, for the classes of the
// class table. A factory counts as a live object until it is released.
#include <atomic>
#include <new>

#include <ole2.h>

#include "ClassTable.h"
#include "Module.h"

namespace tollivor::component {

namespace {

class ClassFactory final : public IClassFactory {
 public:
  explicit ClassFactory(const ClassEntry& entry) noexcept : entry_(entry) { objectCreated(); }
  ~ClassFactory() { objectDestroyed(); }
  ClassFactory(const ClassFactory&) = delete;
  ClassFactory& operator=(const ClassFactory&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }

  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }

  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return entry_.create(riid, out);
  }

  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lockServer(lock != FALSE);
    return S_OK;
  }

 private:
  const ClassEntry& entry_;
  std::atomic<ULONG> refs_{1};
};

}  // namespace

}  // namespace tollivor::component

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  using namespace tollivor::component;
  if (!out) return E_POINTER;
  *out = nullptr;
  const ClassEntry* entry = findClass(clsid);
  if (!entry) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) ClassFactory(*entry);
  if (!factory) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(riid, out);
  factory->Release();
  return hr;
}
