// One thin adapter per public class: converts the arguments, calls the
// portable class (whose form is the calling thread's) and answers S_OK.
// Only CProperty's ItemInfo write passes a failure on.
#pragma once

#include "DispatchObject.h"
#include "Tollivor_h.h"
#include "group/CGroup.h"
#include "item/CProperty.h"
#include "settings/CSettingEx.h"

namespace tollivor::component {

class PropertyObject final : public DispatchObject<_CProperty> {
 public:
  PropertyObject() noexcept : DispatchObject(IID__CProperty) {}
  HRESULT STDMETHODCALLTYPE get_ItemInfo(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE put_ItemInfo(BSTR info) override;
  HRESULT STDMETHODCALLTYPE Show() override;

 private:
  tollivor::CProperty property_;  // Class_Initialize and Class_Terminate
};

class GroupObject final : public DispatchObject<_CGroup> {
 public:
  GroupObject() noexcept : DispatchObject(IID__CGroup) {}
  HRESULT STDMETHODCALLTYPE get_ItemInfo(BSTR* result) override;
  HRESULT STDMETHODCALLTYPE put_ItemInfo(BSTR info) override;
  HRESULT STDMETHODCALLTYPE Show() override;

 private:
  tollivor::CGroup group_;
};

class SettingExObject final : public DispatchObject<_CSettingEx> {
 public:
  SettingExObject() noexcept : DispatchObject(IID__CSettingEx) {}
  HRESULT STDMETHODCALLTYPE Show() override;

 private:
  tollivor::CSettingEx settings_;
};

}  // namespace tollivor::component
