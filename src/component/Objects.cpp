#include "Objects.h"

namespace tollivor::component {

// The one member whose failure reaches the host.
HRESULT PropertyObject::put_ItemInfo(BSTR info) {
  const CallInProgress call;
  try {
    return portable_.ItemInfo(fromBstr(info)) ? S_OK : E_FAIL;
  } catch (...) {
    return E_OUTOFMEMORY;  // the argument could not be copied
  }
}

HRESULT GroupObject::put_ItemInfo(BSTR info) {
  const CallInProgress call;
  try {
    portable_.ItemInfo(fromBstr(info));
  } catch (...) {
  }
  return S_OK;
}

}  // namespace tollivor::component
