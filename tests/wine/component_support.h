// What the component tests share: the DLL, its registration, COM helpers,
// and the classes as hosts know them.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>

#include "Tollivor_h.h"
#include "win32/ComRef.h"
#include "win32/Handles.h"

namespace tollivor::test {

std::wstring componentPath();  // Tollivor.dll beside the test program
HMODULE componentModule();     // loaded once, kept for the process
HRESULT registerComponent();   // DllRegisterServer, called directly
HRESULT unregisterComponent();

// A command line's exit code, run from `folder` (else the current one); -1
// when it did not start or end within a minute.
DWORD runProgram(const std::wstring& commandLine, const wchar_t* folder = nullptr);

template <class T>
using Ref = win32::ComRef<T>;
using win32::unique_bstr;
inline unique_bstr bstr(const wchar_t* text) { return unique_bstr(SysAllocString(text)); }
inline std::wstring text(const unique_bstr& s) {
  return s ? std::wstring(s.get(), SysStringLen(s.get())) : std::wstring();
}

// Creates a class by ProgID through the registry, as a host would.
HRESULT createByProgId(const wchar_t* progId, REFIID iid, void** out);
// Calls a member by name without arguments, as scripts do; a string result
// goes to *text.
HRESULT callByName(IDispatch* object, const wchar_t* name, std::wstring* text = nullptr);

// The classes as hosts know them; the identifiers are spelled out here so
// that a changed one shows.
struct ClassNames {
  const wchar_t *progId, *clsid, *iid, *caption;
};
inline constexpr ClassNames kClasses[] = {
    {L"Tollivor.CProperty", L"{F006B175-D05E-440C-8BCA-4677B3DE56CD}",
     L"{127B0D35-980C-4F03-B28D-ECF5B4465CF0}", L"Item Property"},
    {L"Tollivor.CGroup", L"{D33C85F8-B31E-45D3-A9F6-7902B4897DB1}",
     L"{168DACDD-3BC5-4B25-8334-4B6A5B12A44B}", L"Group Property"},
    {L"Tollivor.CSettingEx", L"{FE89EDEA-C93E-4B08-8366-6874FB347DD3}",
     L"{A59224D2-D811-4B2D-89D2-987888D07C91}", L"Tollivar Property"}};
inline constexpr wchar_t kLibraryId[] = L"{068B30C0-D64F-4CC1-8F76-92636E44C7A1}";

}  // namespace tollivor::test
