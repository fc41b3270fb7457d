#include "TypeLibrary.h"

#include <string>
#include <utility>

#include "win32/ComRef.h"
#include "Module.h"
#include "win32/Lock.h"
#include "win32/ThisModule.h"

namespace tollivor::component {

using win32::ComRef;

namespace {

// One library for the whole process: type information is free-threaded, and
// objects on every apartment thread share it. Objects keep their own
// references, so dropping this one never pulls information from under them.
// A plain pointer: at process exit it is left alone rather than released
// from the loader's detach notification.
win32::Lock g_lock;
ITypeLib* g_library = nullptr;

HRESULT library(ComRef<ITypeLib>& out) noexcept {
  win32::LockGuard guard(g_lock);
  if (!g_library) {
    const std::wstring path = win32::modulePath(win32::thisModule());
    if (path.empty()) return E_UNEXPECTED;
    const HRESULT hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, &g_library);
    if (FAILED(hr)) return hr;
  }
  g_library->AddRef();
  *out.put() = g_library;
  return S_OK;
}

}  // namespace

HRESULT loadTypeInfo(REFIID iid, ITypeInfo** dispatchHalf, ITypeInfo** vtableHalf) noexcept {
  *dispatchHalf = nullptr;
  *vtableHalf = nullptr;
  ComRef<ITypeLib> lib;
  HRESULT hr = library(lib);
  if (FAILED(hr)) return hr;
  ComRef<ITypeInfo> dispatch;
  hr = lib->GetTypeInfoOfGuid(iid, dispatch.put());
  if (FAILED(hr)) return hr;
  HREFTYPE vtableRef = 0;
  hr = dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtableRef);
  if (FAILED(hr)) return hr;
  ComRef<ITypeInfo> vtable;
  hr = dispatch->GetRefTypeInfo(vtableRef, vtable.put());
  if (FAILED(hr)) return hr;
  *dispatchHalf = dispatch.detach();
  *vtableHalf = vtable.detach();
  return S_OK;
}

void releaseTypeLibrary() noexcept {
  win32::LockGuard guard(g_lock);
  if (g_library) std::exchange(g_library, nullptr)->Release();
}

}  // namespace tollivor::component
