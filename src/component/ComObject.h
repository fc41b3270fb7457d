// IUnknown for the library's objects: each counts as a live object of the
// library from construction to destruction, answers for IUnknown and the
// interfaces it names, and deletes itself on its last Release.
#pragma once

#include <ole2.h>

#include <atomic>
#include <new>
#include <utility>

#include "Module.h"

namespace tollivor::component {

template <class Interface>
class ComObject : public Interface {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    if (riid == IID_IUnknown || answersTo(riid)) {
      *out = static_cast<Interface*>(this);
      this->AddRef();
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

 protected:
  ComObject() noexcept { objectCreated(); }
  virtual ~ComObject() { objectDestroyed(); }

  // The interfaces besides IUnknown that QueryInterface hands this object out as.
  virtual bool answersTo(REFIID riid) const noexcept = 0;

 private:
  std::atomic<ULONG> refs_{1};
};

// Makes an object of class T and asks it for riid: the body of
// DllGetClassObject and of every class factory's CreateInstance.
template <class T, class... Args>
HRESULT createObject(REFIID riid, void** out, Args&&... args) noexcept {
  if (!out) return E_POINTER;
  *out = nullptr;
  auto* object = new (std::nothrow) T(std::forward<Args>(args)...);
  if (!object) return E_OUTOFMEMORY;
  const HRESULT hr = object->QueryInterface(riid, out);
  object->Release();
  return hr;
}

}  // namespace tollivor::component
