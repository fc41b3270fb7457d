#include "item/CProperty.h"

#include "item/ShellLocations.h"
#include "shared/ShellEx.h"
#include "shared/Stringbas.h"

namespace tollivor {

// Unlike the other members, a failed step ends the write and is reported.
bool CProperty::ItemInfo(const std::u16string& info) noexcept {
  if (info.empty()) return true;
  try {
    auto& form = Instance::loaded();
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

}  // namespace tollivor
