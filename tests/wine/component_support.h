// What the component tests share: the DLL beside the test program, its
// registration, owning COM references, and finding the dialogs' windows.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <string>
#include <utility>
#include <vector>

#include "Tollivor_h.h"
#include "platform/win32/handles.h"

namespace tollivor::testing {

// Tollivor.dll in the test program's own folder.
std::wstring componentPath();
HMODULE componentModule();  // loaded once, kept for the process

// Calls the DLL's DllRegisterServer / DllUnregisterServer directly.
HRESULT registerComponent();
HRESULT unregisterComponent();

// Runs a program of the system folder, e.g. L"regsvr32.exe /s x.dll"; its exit code.
DWORD runProgram(const std::wstring& commandLine);

template <class T>
class Ref {
 public:
  Ref() = default;
  ~Ref() { reset(); }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  Ref(Ref&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T** put() {
    reset();
    return &p_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }
  void reset() {
    if (p_) std::exchange(p_, nullptr)->Release();
  }

 private:
  T* p_ = nullptr;
};

using win32::unique_bstr;

inline unique_bstr bstr(const wchar_t* text) { return unique_bstr(SysAllocString(text)); }
inline std::wstring text(const unique_bstr& s) {
  return s ? std::wstring(s.get(), SysStringLen(s.get())) : std::wstring();
}

// Creates a class by ProgID through the registry, as a host would.
HRESULT createByProgId(const wchar_t* progId, REFIID iid, void** out);

// The top-level windows of a thread with this caption (visible or not).
std::vector<HWND> threadWindows(DWORD threadId, const wchar_t* caption);
// Waits up to the timeout for a visible window with this caption on the thread.
HWND waitForVisibleWindow(DWORD threadId, const wchar_t* caption, DWORD timeoutMs = 10000);

// A thread that, once the caption's window shows on the watched thread,
// gives the window's own close command. Joined on destruction.
class CloseWhenShown {
 public:
  CloseWhenShown(DWORD threadId, const wchar_t* caption);
  ~CloseWhenShown();
  CloseWhenShown(const CloseWhenShown&) = delete;
  CloseWhenShown& operator=(const CloseWhenShown&) = delete;
  HWND window() const { return seen_; }  // valid once the show has ended
  RECT clientRect() const { return client_; }
  RECT frameRect() const { return frame_; }  // screen coordinates

 private:
  static DWORD WINAPI run(void* self);
  DWORD threadId_;
  std::wstring caption_;
  HWND seen_ = nullptr;
  RECT client_{};
  RECT frame_{};
  HANDLE thread_ = nullptr;
};

}  // namespace tollivor::testing
