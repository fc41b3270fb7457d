#include "forms/win32/CommonDialogs.h"

#include <windows.h>
#include <commdlg.h>

#include <algorithm>

#include "forms/win32/HelperLibrary.h"
#include "forms/win32/NativeValues.h"
#include "win32/Convert.h"

namespace tollivor::forms::win32 {

using namespace tollivor::win32;  // the shared Win32 helpers

namespace {

// The dialog's entry point in the common dialog library, which is loaded
// when a dialog first opens rather than with the component.
template <class Function>
Function commonDialog(const char* name) noexcept {
  HMODULE library = systemLibrary(L"comdlg32.dll");
  return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                 : nullptr;
}

}  // namespace

std::u16string openFileFilter(std::u16string_view filter) {
  if (filter.empty()) return {};
  std::u16string list(filter);
  std::replace(list.begin(), list.end(), u'|', u'\0');
  if (list.back() != u'\0') list.push_back(u'\0');
  list.push_back(u'\0');
  return list;
}

bool showOpenDialog(forms::WindowHandle owner, forms::CommonDialogSettings& dialog) noexcept {
  try {
    const std::u16string filter = openFileFilter(dialog.filter);
    // The file name goes in as the suggestion and comes back as the choice.
    std::wstring file(std::max<size_t>(dialog.fileName.size() + 1, 32768), L'\0');
    std::copy(dialog.fileName.begin(), dialog.fileName.end(), file.begin());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = toWindow(owner);
    ofn.lpstrFilter = filter.empty() ? nullptr : wide(filter);
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = dialog.initDir.empty() ? nullptr : wide(dialog.initDir);
    ofn.lpstrTitle = dialog.title.empty() ? nullptr : wide(dialog.title);
    // The flags pass through, except those that would need a hook or a
    // template that nobody supplies.
    ofn.Flags = dialog.flags & ~static_cast<DWORD>(OFN_ENABLEHOOK | OFN_ENABLETEMPLATE |
                                                   OFN_ENABLETEMPLATEHANDLE | OFN_ALLOWMULTISELECT);
    const auto open = commonDialog<decltype(&GetOpenFileNameW)>("GetOpenFileNameW");
    if (!open || !open(&ofn)) return false;
    dialog.fileName = fromWide(file.c_str());
    return true;
  } catch (...) {
    return false;
  }
}

bool showColourDialog(forms::WindowHandle owner, forms::CommonDialogSettings& dialog) noexcept {
  // The custom colours the user mixes stay for the thread's next run.
  static thread_local COLORREF customColours[16] = {};
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = toWindow(owner);
  cc.rgbResult = toColorRef(dialog.colour);
  cc.lpCustColors = customColours;
  cc.Flags = CC_RGBINIT;
  const auto choose = commonDialog<decltype(&ChooseColorW)>("ChooseColorW");
  if (!choose || !choose(&cc)) return false;
  dialog.colour = static_cast<forms::Colour>(cc.rgbResult & 0xFFFFFF);
  return true;
}

}  // namespace tollivor::forms::win32
