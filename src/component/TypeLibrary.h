// The type library embedded in this DLL, as IDispatch serves it.
#pragma once

#include <oaidl.h>

namespace tollivor::component {

// The two halves of a dual interface's type information: the dispatch
// interface (what IDispatch::GetTypeInfo hands out) and the vtable interface
// (what names are looked up in and calls are made through).
HRESULT loadTypeInfo(REFIID iid, ITypeInfo** dispatchHalf, ITypeInfo** vtableHalf) noexcept;

// Drops the cached library; the next loadTypeInfo loads it again.
void releaseTypeLibrary() noexcept;

}  // namespace tollivor::component
