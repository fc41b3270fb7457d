#include "Edits.h"

#include <windows.h>
#include <ole2.h>

#include <utility>

#include "Tollivor_h.h"
#include "win32/ComRef.h"
#include "win32/Handles.h"
#include "win32/SettingsKey.h"

namespace tollivor::host {

namespace {

using win32::ComRef;
using win32::unique_bstr;
using win32::unique_hkey;

std::wstring hresultText(HRESULT hr) {
  wchar_t text[16];
  wsprintfW(text, L"0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

template <class Interface>
HRESULT create(const wchar_t* progId, REFIID iid, ComRef<Interface>& object) {
  CLSID clsid{};
  const HRESULT hr = CLSIDFromProgID(progId, &clsid);
  if (FAILED(hr)) return hr;
  return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object.putVoid());
}

// ItemInfo write, Show, ItemInfo read: the same for items and groups.
template <class Interface>
Lines edit(const wchar_t* progId, REFIID iid, const std::wstring& record) {
  Lines lines{std::wstring(progId) + L": ItemInfo = \"" + record + L"\""};
  ComRef<Interface> object;
  HRESULT hr = create(progId, iid, object);
  if (FAILED(hr)) return {lines[0], L"  cannot create " + std::wstring(progId) + L": " + hresultText(hr)};
  unique_bstr in(SysAllocStringLen(record.data(), static_cast<UINT>(record.size())));
  hr = object->put_ItemInfo(in.get());
  if (FAILED(hr)) lines.push_back(L"  the write failed: " + hresultText(hr));
  object->Show();
  unique_bstr out;
  object->get_ItemInfo(out.put());
  lines.push_back(L"  after Show, ItemInfo = \"" +
                  std::wstring(out.get() ? out.get() : L"", SysStringLen(out.get())) + L"\"");
  return lines;
}

// The settings store's keys, as the bar reads them after the dialog.
const wchar_t* const kSettingKeys[] = {
    L"Behavior",  L"Speed",      L"ShowTip",           L"SmartSlide", L"Direction",
    L"Color_mouseEnter", L"Color_mouseExit", L"BackgroundPicture", L"Appearance", L"Sound",
    L"GroupSetting"};

Lines storeValues() {
  Lines lines{L"  the settings store (Quorin\\Setting):"};
  unique_hkey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, win32::settingsKeyPath(L"Quorin", L"Setting").c_str(), 0,
                    KEY_READ, key.put()) != ERROR_SUCCESS) {
    lines.push_back(L"    (empty: nothing stored yet)");
    return lines;
  }
  for (const wchar_t* name : kSettingKeys) {
    wchar_t value[1024] = {};
    DWORD bytes = sizeof(value) - sizeof(wchar_t);
    const bool found = RegGetValueW(key.get(), nullptr, name, RRF_RT_REG_SZ, nullptr, value,
                                    &bytes) == ERROR_SUCCESS;
    lines.push_back(L"    " + std::wstring(name) + L" = " +
                    (found ? L"\"" + std::wstring(value) + L"\"" : std::wstring(L"(missing)")));
  }
  return lines;
}

}  // namespace

Lines editItem(const std::wstring& record) {
  return edit<_CProperty>(L"Tollivor.CProperty", IID__CProperty, record);
}

Lines editGroup(const std::wstring& record) {
  return edit<_CGroup>(L"Tollivor.CGroup", IID__CGroup, record);
}

Lines editSettings() {
  Lines lines{L"Tollivor.CSettingEx: Show"};
  ComRef<_CSettingEx> object;
  const HRESULT hr = create(L"Tollivor.CSettingEx", IID__CSettingEx, object);
  if (FAILED(hr)) return {lines[0], L"  cannot create Tollivor.CSettingEx: " + hresultText(hr)};
  object->Show();
  for (auto& line : storeValues()) lines.push_back(std::move(line));
  return lines;
}

}  // namespace tollivor::host
