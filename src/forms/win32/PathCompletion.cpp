#include "forms/win32/PathCompletion.h"

#include <objbase.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <cwchar>
#include <new>

#include "win32/ComRef.h"
#include "win32/Handles.h"

namespace tollivor::forms::win32 {

using namespace tollivor::win32;  // the shared Win32 helpers

namespace {

// The entries of one folder as full paths, read as they are asked for. The
// autocomplete object asks to expand the text up to each backslash typed,
// then enumerates and keeps the entries that begin with what is typed.
class FolderEntries final : public IEnumString, public IACList {
 public:
  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) noexcept override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IEnumString)
      *out = static_cast<IEnumString*>(this);
    else if (iid == IID_IACList)
      *out = static_cast<IACList*>(this);
    else
      *out = nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() noexcept override { return ++references_; }
  STDMETHODIMP_(ULONG) Release() noexcept override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // IACList: `text` ends at a backslash, the folder to list.
  STDMETHODIMP Expand(LPCWSTR text) noexcept override {
    Reset();
    const size_t length = text ? wcslen(text) : 0;
    folderLength_ = length + 2 <= MAX_PATH ? length : 0;  // room for "*"
    wmemcpy(path_, text ? text : L"", folderLength_);
    return S_OK;
  }

  // IEnumString
  STDMETHODIMP Next(ULONG count, LPOLESTR* out, ULONG* fetched) noexcept override {
    ULONG given = 0;
    for (; given < count && nextEntry(); ++given) {
      const size_t length = wcslen(found_.cFileName);
      out[given] = static_cast<LPOLESTR>(
          CoTaskMemAlloc((folderLength_ + length + 1) * sizeof(wchar_t)));
      if (!out[given]) break;
      wmemcpy(out[given], path_, folderLength_);
      wmemcpy(out[given] + folderLength_, found_.cFileName, length + 1);
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) noexcept override {
    for (; count > 0; --count)
      if (!nextEntry()) return S_FALSE;
    return S_OK;
  }
  STDMETHODIMP Reset() noexcept override {
    search_.reset();
    started_ = false;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumString** out) noexcept override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }

 private:
  // The folder's next entry other than "." and "..", into found_.
  bool nextEntry() noexcept {
    do {
      if (started_) {
        if (!search_ || !FindNextFileW(search_.get(), &found_)) return false;
      } else {
        started_ = true;
        if (folderLength_ == 0) return false;
        path_[folderLength_] = L'*';
        path_[folderLength_ + 1] = L'\0';
        const HANDLE first = FindFirstFileW(path_, &found_);
        if (first == INVALID_HANDLE_VALUE) return false;
        search_.reset(first);
      }
    } while (!wcscmp(found_.cFileName, L".") || !wcscmp(found_.cFileName, L".."));
    return true;
  }

  ULONG references_ = 1;
  wchar_t path_[MAX_PATH] = {};  // the folder, ending in a backslash
  size_t folderLength_ = 0;
  unique_hfind search_;
  bool started_ = false;
  WIN32_FIND_DATAW found_{};
};

}  // namespace

bool offerPathCompletion(HWND edit) noexcept {
  ComRef<IAutoComplete2> complete;
  if (!edit || FAILED(CoCreateInstance(CLSID_AutoComplete, nullptr, CLSCTX_INPROC_SERVER,
                                       IID_IAutoComplete2, complete.putVoid())))
    return false;
  IEnumString* entries = new (std::nothrow) FolderEntries;
  if (!entries) return false;
  // The object keeps what it needs for the life of the edit line.
  complete->SetOptions(ACO_AUTOSUGGEST);
  const bool made = SUCCEEDED(complete->Init(edit, entries, nullptr, nullptr));
  entries->Release();
  return made;
}

}  // namespace tollivor::forms::win32
