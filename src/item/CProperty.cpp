#include "item/CProperty.h"

#include "item/ShellLocations.h"
#include "item/frmProperty.h"
#include "platform/FormInstance.h"
#include "shared/Mshared.h"
#include "shared/ShellEx.h"
#include "shared/Stringbas.h"

namespace tollivor {

namespace {

using Instance = forms::FormInstance<frmProperty>;

frmProperty& dialog() {
  auto& form = Instance::get();
  form.load();
  return form;
}

}  // namespace

CProperty::CProperty() noexcept {
  try {
    dialog();
  } catch (...) {
  }
}

CProperty::~CProperty() { Instance::release(); }

std::u16string CProperty::ItemInfo() noexcept {
  try {
    return dialog().resultText;
  } catch (...) {
    return {};
  }
}

// Unlike the other members, a failed step ends the write and is reported.
bool CProperty::ItemInfo(const std::u16string& info) noexcept {
  if (info.empty()) return true;
  try {
    auto& form = dialog();
    const auto target = Stringbas::StrBefore(info, u"|");
    if (!form.Text1.setText(target)) return false;
    const auto number = SpecialIconNumber(target);
    const auto icon = number ? ShellEx::GetSpecialIcon(*number) : ShellEx::GetFileIcon(target);
    ShellEx::DrawIconInPreview(form.Picture1, icon);
    return form.Text2.setText(Stringbas::StrAfter(info, u"|"));
  } catch (...) {
    return false;
  }
}

void CProperty::Show() noexcept {
  try {
    Mshared::ShowFormAtCursor(dialog());
  } catch (...) {
  }
}

}  // namespace tollivor
