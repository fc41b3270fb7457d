// The library's three classes: identifier, ProgID and how to make one.
#pragma once

#include <windows.h>

#include <span>

namespace tollivor::component {

struct ClassEntry {
  const CLSID* clsid;
  const wchar_t* progId;
  HRESULT (*create)(REFIID riid, void** out) noexcept;
};

std::span<const ClassEntry> classes() noexcept;
const ClassEntry* findClass(REFCLSID clsid) noexcept;

}  // namespace tollivor::component
