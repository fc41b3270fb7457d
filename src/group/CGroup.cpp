#include "group/CGroup.h"

#include "forms/IgnoringErrors.h"
#include "shared/Mshared.h"
#include "shared/ShellEx.h"
#include "shared/Stringbas.h"
#include "standins/HostHelpers.h"

namespace tollivor {

using forms::IgnoringErrors;

namespace {

// The record starts "group|" in any letter case.
bool isGroupRecord(const std::u16string& info) {
  static constexpr std::u16string_view kPrefix = u"group|";
  if (info.size() < kPrefix.size()) return false;
  for (size_t i = 0; i < kPrefix.size(); ++i) {
    char16_t c = info[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + (u'a' - u'A'));
    if (c != kPrefix[i]) return false;
  }
  return true;
}

}  // namespace

// Anything but a group record leaves the dialog as it is. Each step runs
// even when the one before it failed.
void CGroup::ItemInfo(const std::u16string& info) noexcept {
  bool isRecord = false;
  IgnoringErrors([&] { isRecord = !info.empty() && isGroupRecord(info); });
  if (!isRecord) return;
  IgnoringErrors([&] {
    Instance::loaded().txtGroupName.setText(Stringbas::StrBetween(info, u"|", u"|:"));
  });
  std::u16string iconPath;
  IgnoringErrors([&] { iconPath = Stringbas::StrAfter(info, u"|:"); });
  // Both are asked before either is tested: FileExists runs even for an
  // empty path.
  const bool named = !iconPath.empty();
  const bool exists = Mshared::FileExists(iconPath);
  IgnoringErrors([&] {
    auto& form = Instance::loaded();
    if (named && exists) {
      // A file that is no picture keeps the preview, but the path is kept.
      form.pictIcon.loadPicture(iconPath);
      form.lblIconPath.setCaption(iconPath);
    } else {
      ShellEx::DrawIconInPreview(form.pictIcon, ShellEx::GetSpecialIcon(kIconDefaultGroup));
      form.lblIconPath.setCaption(u"");
    }
  });
}

}  // namespace tollivor
