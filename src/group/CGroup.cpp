#include "group/CGroup.h"

#include "group/frmGroup.h"
#include "forms/FormInstance.h"
#include "forms/IgnoringErrors.h"
#include "shared/Mshared.h"

namespace tollivor {

using Instance = forms::FormInstance<frmGroup>;
using forms::IgnoringErrors;

CGroup::CGroup() noexcept {
  IgnoringErrors([] { Instance::loaded(); });
}

CGroup::~CGroup() { Instance::release(); }

std::u16string CGroup::ItemInfo() noexcept {
  std::u16string result;
  IgnoringErrors([&] { result = Instance::loaded().resultText; });
  return result;
}

// The dialog has no controls to fill yet; the write still reaches (and so
// loads) this thread's dialog, as every member does.
void CGroup::ItemInfo(const std::u16string&) noexcept {
  IgnoringErrors([] { Instance::loaded(); });
}

void CGroup::Show() noexcept {
  IgnoringErrors([] { Mshared::ShowFormAtCursor(Instance::loaded()); });
}

}  // namespace tollivor
