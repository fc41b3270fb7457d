// What the component tests share: the DLL beside the test program, its
// registration, owning COM references, and finding the dialogs' windows.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Tollivor_h.h"
#include "win32/ComRef.h"
#include "win32/Handles.h"

namespace tollivor::test {

// Tollivor.dll in the test program's own folder.
std::wstring componentPath();
HMODULE componentModule();  // loaded once, kept for the process

// Calls the DLL's DllRegisterServer / DllUnregisterServer directly.
HRESULT registerComponent();
HRESULT unregisterComponent();

// Runs a command line, e.g. L"regsvr32.exe /s x.dll", from `folder` (else
// this program's current one); its exit code, -1 when it did not start or end.
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

// The top-level windows of a thread with this caption, shown or hidden.
std::vector<HWND> threadWindows(DWORD threadId, const wchar_t* caption);

// Calls a member by name with no arguments, as script engines do (method or
// property read); a string result goes to *text.
HRESULT callByName(IDispatch* object, const wchar_t* name, std::wstring* text = nullptr);

// What a watcher saw of a dialog that it ended with the window's close command.
struct ShownDialog {
  HWND window = nullptr;  // nullptr: the dialog never showed
  RECT client{};
  RECT frame{};  // screen coordinates
};

// Calls Show on the object while a watcher thread waits for the dialog with
// this caption on the calling thread and gives its close command.
ShownDialog showAndClose(IDispatch* object, const wchar_t* caption);

// Every key under root\path with its values, as "path" and
// "path|name" -> "type|data" entries: a snapshot to compare.
void registryTree(HKEY root, const std::wstring& path, std::map<std::wstring, std::wstring>& out);

}  // namespace tollivor::test
