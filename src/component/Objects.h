// One thin adapter per public class: converts the arguments, calls the
// portable class (whose form is the calling thread's) and answers S_OK.
// Only CProperty's ItemInfo write passes a failure on.
#pragma once

#include "DispatchObject.h"  // first: the COM headers Bstr.h builds on
#include "Bstr.h"
#include "Module.h"
#include "Tollivor_h.h"
#include "group/CGroup.h"
#include "item/CProperty.h"
#include "settings/CSettingEx.h"

namespace tollivor::component {

// What every adapter has: the portable object it wraps (created and
// destroyed with it: Class_Initialize and Class_Terminate) and Show.
template <class Interface, class Portable>
class ClassObject : public DispatchObject<Interface> {
 public:
  explicit ClassObject(const IID& iid) noexcept : DispatchObject<Interface>(iid) {}

  HRESULT STDMETHODCALLTYPE Show() override {
    const CallInProgress call;
    portable_.Show();
    return S_OK;
  }

 protected:
  Portable portable_;
};

// An adapter whose class also carries a record in ItemInfo. A read that
// cannot allocate its answer hands back NULL, the empty string.
template <class Interface, class Portable>
class RecordObject : public ClassObject<Interface, Portable> {
 public:
  using ClassObject<Interface, Portable>::ClassObject;

  HRESULT STDMETHODCALLTYPE get_ItemInfo(BSTR* result) override {
    const CallInProgress call;
    if (!result) return E_POINTER;
    *result = toBstr(this->portable_.ItemInfo());
    return S_OK;
  }
};

class PropertyObject final : public RecordObject<_CProperty, tollivor::CProperty> {
 public:
  PropertyObject() noexcept : RecordObject(IID__CProperty) {}
  HRESULT STDMETHODCALLTYPE put_ItemInfo(BSTR info) override;
};

class GroupObject final : public RecordObject<_CGroup, tollivor::CGroup> {
 public:
  GroupObject() noexcept : RecordObject(IID__CGroup) {}
  HRESULT STDMETHODCALLTYPE put_ItemInfo(BSTR info) override;
};

class SettingExObject final : public ClassObject<_CSettingEx, tollivor::CSettingEx> {
 public:
  SettingExObject() noexcept : ClassObject(IID__CSettingEx) {}
};

}  // namespace tollivor::component
