#include "item/CProperty.h"

#include "item/ShellLocations.h"
#include "item/frmProperty.h"
#include "forms/FormInstance.h"
#include "forms/IgnoringErrors.h"
#include "shared/Mshared.h"
#include "shared/ShellEx.h"
#include "shared/Stringbas.h"

namespace tollivor {

using Instance = forms::FormInstance<frmProperty>;
using forms::IgnoringErrors;

CProperty::CProperty() noexcept {
  IgnoringErrors([] { Instance::loaded(); });
}

CProperty::~CProperty() { Instance::release(); }

std::u16string CProperty::ItemInfo() noexcept {
  std::u16string result;
  IgnoringErrors([&] { result = Instance::loaded().resultText; });
  return result;
}

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

void CProperty::Show() noexcept {
  IgnoringErrors([] { Mshared::ShowFormAtCursor(Instance::loaded()); });
}

}  // namespace tollivor
