#include "Edits.h"

#include <windows.h>
#include <ole2.h>

#include "Tollivor_h.h"
#include "win32/ComRef.h"
#include "win32/Convert.h"
#include "win32/Handles.h"

namespace tollivor::host {

namespace {

using win32::ComRef;
using win32::unique_bstr;

template <class Interface>
HRESULT create(const wchar_t* progId, REFIID iid, ComRef<Interface>& object) {
  CLSID clsid{};
  const HRESULT hr = CLSIDFromProgID(progId, &clsid);
  if (FAILED(hr)) return hr;
  return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object.putVoid());
}

// ItemInfo write, Show, ItemInfo read: the same for items and groups.
template <class Interface>
std::optional<std::u16string> edit(const wchar_t* progId, REFIID iid, const std::u16string& record) {
  ComRef<Interface> object;
  if (FAILED(create(progId, iid, object))) return std::nullopt;
  unique_bstr in(SysAllocStringLen(win32::wide(record), static_cast<UINT>(record.size())));
  if (FAILED(object->put_ItemInfo(in.get()))) return std::nullopt;
  object->Show();
  unique_bstr out;
  if (FAILED(object->get_ItemInfo(out.put())) || SysStringLen(out.get()) == 0) return std::nullopt;
  return win32::fromWide(out.get(), SysStringLen(out.get()));
}

}  // namespace

std::optional<std::u16string> EditItem(const std::u16string& record) {
  return edit<_CProperty>(L"Tollivor.CProperty", IID__CProperty, record);
}

std::optional<std::u16string> EditGroup(const std::u16string& record) {
  return edit<_CGroup>(L"Tollivor.CGroup", IID__CGroup, record);
}

bool EditSettings() {
  ComRef<_CSettingEx> object;
  if (FAILED(create(L"Tollivor.CSettingEx", IID__CSettingEx, object))) return false;
  object->Show();
  return true;
}

}  // namespace tollivor::host
