#include "ClassTable.h"

#include "Objects.h"

namespace tollivor::component {

namespace {

const ClassEntry kClasses[] = {
    {&CLSID_CProperty, L"Tollivor.CProperty", &createObject<PropertyObject>},
    {&CLSID_CGroup, L"Tollivor.CGroup", &createObject<GroupObject>},
    {&CLSID_CSettingEx, L"Tollivor.CSettingEx", &createObject<SettingExObject>},
};

}  // namespace

std::span<const ClassEntry> classes() noexcept { return kClasses; }

const ClassEntry* findClass(REFCLSID clsid) noexcept {
  for (const auto& entry : kClasses)
    if (*entry.clsid == clsid) return &entry;
  return nullptr;
}

}  // namespace tollivor::component
