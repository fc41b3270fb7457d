// IDispatch for one dual interface, served from the embedded type library.
// The concrete class implements the interface's own members.
#pragma once

#include <ole2.h>

#include "ComObject.h"
#include "InvokeCheck.h"
#include "win32/ComRef.h"
#include "TypeLibrary.h"

namespace tollivor::component {

using win32::ComRef;

template <class Interface>
class DispatchObject : public ComObject<Interface> {
 public:
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    const HRESULT hr = loadTypeInfo();
    if (FAILED(hr)) return hr;
    dispatchInfo_->AddRef();
    *info = dispatchInfo_.get();
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    const HRESULT hr = loadTypeInfo();
    if (FAILED(hr)) return hr;
    return DispGetIDsOfNames(vtableInfo_.get(), names, count, ids);
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception,
                                   UINT* argError) override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    HRESULT hr = loadTypeInfo();
    if (FAILED(hr)) return hr;
    CheckedCall call;
    hr = call.check(vtableInfo_.get(), id, flags, params, argError);
    if (FAILED(hr)) return hr;
    return DispInvoke(static_cast<Interface*>(this), vtableInfo_.get(), id, flags, call.params(),
                      result, exception, argError);
  }

 protected:
  explicit DispatchObject(const IID& iid) noexcept : iid_(iid) {}

  bool answersTo(REFIID riid) const noexcept override {
    return riid == IID_IDispatch || riid == iid_;
  }

 private:
  // Loaded on the first late-bound call, so early binding never pays for it.
  HRESULT loadTypeInfo() noexcept {
    if (vtableInfo_) return S_OK;
    return component::loadTypeInfo(iid_, dispatchInfo_.put(), vtableInfo_.put());
  }

  const IID& iid_;
  ComRef<ITypeInfo> dispatchInfo_;
  ComRef<ITypeInfo> vtableInfo_;
};

}  // namespace tollivor::component
