#include "Objects.h"

#include "Bstr.h"
#include "Module.h"

namespace tollivor::component {

// A read that cannot allocate its answer hands back NULL, the empty string.
template <class Portable>
static HRESULT readItemInfo(Portable& portable, BSTR* result) noexcept {
  const CallInProgress call;
  if (!result) return E_POINTER;
  *result = toBstr(portable.ItemInfo());
  return S_OK;
}

HRESULT PropertyObject::get_ItemInfo(BSTR* result) { return readItemInfo(property_, result); }

// The one member whose failure reaches the host.
HRESULT PropertyObject::put_ItemInfo(BSTR info) {
  const CallInProgress call;
  try {
    return property_.ItemInfo(fromBstr(info)) ? S_OK : E_FAIL;
  } catch (...) {
    return E_OUTOFMEMORY;  // the argument could not be copied
  }
}

HRESULT PropertyObject::Show() {
  const CallInProgress call;
  property_.Show();
  return S_OK;
}

HRESULT GroupObject::get_ItemInfo(BSTR* result) { return readItemInfo(group_, result); }

HRESULT GroupObject::put_ItemInfo(BSTR info) {
  const CallInProgress call;
  try {
    group_.ItemInfo(fromBstr(info));
  } catch (...) {
  }
  return S_OK;
}

HRESULT GroupObject::Show() {
  const CallInProgress call;
  group_.Show();
  return S_OK;
}

HRESULT SettingExObject::Show() {
  const CallInProgress call;
  settings_.Show();
  return S_OK;
}

}  // namespace tollivor::component
