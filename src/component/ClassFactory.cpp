// DllGetClassObject: one class factory per request, for the classes of the
// class table. A factory counts as a live object until it is released.
#include <ole2.h>

#include "ClassTable.h"
#include "ComObject.h"
#include "Module.h"

namespace tollivor::component {

namespace {

class ClassFactory final : public ComObject<IClassFactory> {
 public:
  explicit ClassFactory(const ClassEntry& entry) noexcept : entry_(entry) {}

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
  bool answersTo(REFIID riid) const noexcept override { return riid == IID_IClassFactory; }

  const ClassEntry& entry_;
};

}  // namespace

}  // namespace tollivor::component

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  using namespace tollivor::component;
  if (!out) return E_POINTER;
  *out = nullptr;
  const ClassEntry* entry = findClass(clsid);
  if (!entry) return CLASS_E_CLASSNOTAVAILABLE;
  return createObject<ClassFactory>(riid, out, *entry);
}
