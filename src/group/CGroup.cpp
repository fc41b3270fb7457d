#include "group/CGroup.h"

#include "group/frmGroup.h"
#include "platform/FormInstance.h"
#include "shared/Mshared.h"

namespace tollivor {

namespace {

using Instance = forms::FormInstance<frmGroup>;

// This thread's group dialog, loaded again if it was unloaded meanwhile.
frmGroup& dialog() {
  auto& form = Instance::get();
  form.load();
  return form;
}

}  // namespace

CGroup::CGroup() noexcept {
  try {
    dialog();
  } catch (...) {
  }
}

CGroup::~CGroup() { Instance::release(); }

std::u16string CGroup::ItemInfo() noexcept {
  try {
    return dialog().resultText;
  } catch (...) {
    return {};
  }
}

// The dialog has no controls to fill yet; the write still reaches (and so
// loads) this thread's dialog, as every member does.
void CGroup::ItemInfo(const std::u16string&) noexcept {
  try {
    dialog();
  } catch (...) {
  }
}

void CGroup::Show() noexcept {
  try {
    Mshared::ShowFormAtCursor(dialog());
  } catch (...) {
  }
}

}  // namespace tollivor
