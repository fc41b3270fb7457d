// Owning wrappers for Windows handles: each handle is released exactly once,
// by whoever holds it last. One template serves every handle type; the
// aliases below name the ones the component uses.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <shellapi.h>
#include <shtypes.h>

#include <utility>

namespace tollivor::win32 {

template <typename Handle, typename Close>
class unique_any {
 public:
  unique_any() noexcept = default;
  explicit unique_any(Handle handle) noexcept : handle_(handle) {}
  ~unique_any() { reset(); }

  unique_any(const unique_any&) = delete;
  unique_any& operator=(const unique_any&) = delete;
  unique_any(unique_any&& other) noexcept : handle_(other.release()) {}
  unique_any& operator=(unique_any&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }

  Handle get() const noexcept { return handle_; }
  explicit operator bool() const noexcept { return handle_ != Handle{}; }

  // Gives the handle up without closing it.
  Handle release() noexcept { return std::exchange(handle_, Handle{}); }

  // Closes the held handle (if any) and takes another.
  void reset(Handle handle = Handle{}) noexcept {
    const Handle old = std::exchange(handle_, handle);
    if (old != Handle{}) Close{}(old);
  }

  // For APIs that return a handle through an out parameter.
  Handle* put() noexcept {
    reset();
    return &handle_;
  }

 private:
  Handle handle_{};
};

namespace close {
struct Window { void operator()(HWND h) const noexcept { DestroyWindow(h); } };
struct Handle { void operator()(HANDLE h) const noexcept { CloseHandle(h); } };
struct GdiObject { void operator()(HGDIOBJ h) const noexcept { DeleteObject(h); } };
struct Icon { void operator()(HICON h) const noexcept { DestroyIcon(h); } };
struct Key { void operator()(HKEY h) const noexcept { RegCloseKey(h); } };
struct MemoryDc { void operator()(HDC h) const noexcept { DeleteDC(h); } };
struct Module { void operator()(HMODULE h) const noexcept { FreeLibrary(h); } };
struct Bstr { void operator()(BSTR s) const noexcept { SysFreeString(s); } };
struct ActivationContext { void operator()(HANDLE h) const noexcept { ReleaseActCtx(h); } };
struct Drop { void operator()(HDROP h) const noexcept { DragFinish(h); } };
struct TaskMemory { void operator()(void* p) const noexcept { CoTaskMemFree(p); } };
struct Find { void operator()(HANDLE h) const noexcept { FindClose(h); } };
}  // namespace close

using unique_hwnd = unique_any<HWND, close::Window>;
using unique_handle = unique_any<HANDLE, close::Handle>;  // kernel objects, not files (INVALID_HANDLE_VALUE)
using unique_hfont = unique_any<HFONT, close::GdiObject>;
using unique_hbrush = unique_any<HBRUSH, close::GdiObject>;
using unique_hpen = unique_any<HPEN, close::GdiObject>;
using unique_hbitmap = unique_any<HBITMAP, close::GdiObject>;
using unique_hicon = unique_any<HICON, close::Icon>;
using unique_hkey = unique_any<HKEY, close::Key>;
using unique_hdc = unique_any<HDC, close::MemoryDc>;  // CreateCompatibleDC only
using unique_hmodule = unique_any<HMODULE, close::Module>;
using unique_bstr = unique_any<BSTR, close::Bstr>;
using unique_hactctx = unique_any<HANDLE, close::ActivationContext>;  // nullptr when none, not INVALID_HANDLE_VALUE
using unique_hdrop = unique_any<HDROP, close::Drop>;  // files dropped from the shell
using unique_pidl = unique_any<ITEMIDLIST*, close::TaskMemory>;  // shell item lists
using unique_hfind = unique_any<HANDLE, close::Find>;  // a file search; nullptr when none, not INVALID_HANDLE_VALUE

// The screen's DC for one scope (GetDC(nullptr) ... ReleaseDC).
class ScreenDc {
 public:
  ScreenDc() noexcept : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HDC dc_;
};

// Selects an object into a DC for one scope and puts the previous one back.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~SelectScope() {
    if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace tollivor::win32
