// What IDispatch::Invoke checks itself before it calls a member, as the
// automation rules ask: the member and its kind, the number of arguments,
// named arguments, and the type of a property's new value. The platform's
// DispInvoke lets extra and named arguments through and reports a type
// mismatch at a made-up position, so these checks do not rely on it.
#pragma once

#include <oaidl.h>

namespace tollivor::component {

// A call that passed the checks, with arguments DispInvoke can take as they are.
class CheckedCall {
 public:
  CheckedCall() noexcept;
  ~CheckedCall();
  CheckedCall(const CheckedCall&) = delete;
  CheckedCall& operator=(const CheckedCall&) = delete;

  // S_OK, or the DISP_E_* code to answer (with *argError set where the
  // rules give an argument's position).
  HRESULT check(ITypeInfo* info, DISPID id, WORD flags, const DISPPARAMS* params,
                UINT* argError) noexcept;
  DISPPARAMS* params() noexcept { return &params_; }

 private:
  VARIANT value_;  // a property's new value, as a string
  DISPID putId_ = DISPID_PROPERTYPUT;
  DISPPARAMS params_{nullptr, nullptr, 0, 0};
};

}  // namespace tollivor::component
