#include "forms/win32/PathCompletion.h"

#include <objbase.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "win32/ComRef.h"

namespace tollivor::win32 {

namespace {

// The entries of one folder as full paths. The autocomplete object asks to
// expand the text up to each backslash typed, then enumerates and keeps the
// entries that begin with what is typed.
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
      return *out = nullptr, E_NOINTERFACE;
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
    entries_.clear();
    next_ = 0;
    if (!text) return S_OK;
    try {
      const std::wstring folder(text);
      WIN32_FIND_DATAW found;
      const HANDLE search = FindFirstFileW((folder + L'*').c_str(), &found);
      if (search == INVALID_HANDLE_VALUE) return S_OK;
      do {
        const std::wstring name(found.cFileName);
        if (name != L"." && name != L"..") entries_.push_back(folder + name);
      } while (FindNextFileW(search, &found));
      FindClose(search);
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    return S_OK;
  }

  // IEnumString
  STDMETHODIMP Next(ULONG count, LPOLESTR* out, ULONG* fetched) noexcept override {
    ULONG given = 0;
    for (; given < count && next_ < entries_.size(); ++given, ++next_) {
      const std::wstring& entry = entries_[next_];
      const size_t bytes = (entry.size() + 1) * sizeof(wchar_t);
      out[given] = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
      if (!out[given]) break;
      CopyMemory(out[given], entry.c_str(), bytes);
    }
    if (fetched) *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  STDMETHODIMP Skip(ULONG count) noexcept override {
    next_ += count;
    return next_ <= entries_.size() ? S_OK : S_FALSE;
  }
  STDMETHODIMP Reset() noexcept override {
    next_ = 0;
    return S_OK;
  }
  STDMETHODIMP Clone(IEnumString** out) noexcept override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }

 private:
  ~FolderEntries() = default;
  ULONG references_ = 1;
  std::vector<std::wstring> entries_;
  size_t next_ = 0;
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

}  // namespace tollivor::win32
