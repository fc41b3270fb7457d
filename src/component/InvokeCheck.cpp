#include "InvokeCheck.h"

#include <oleauto.h>

namespace tollivor::component {

namespace {

constexpr WORD kPut = DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF;

bool invokableAs(INVOKEKIND kind, WORD flags) noexcept {
  switch (kind) {
    case INVOKE_FUNC: return flags & DISPATCH_METHOD;
    case INVOKE_PROPERTYGET: return flags & DISPATCH_PROPERTYGET;
    case INVOKE_PROPERTYPUT: return flags & DISPATCH_PROPERTYPUT;
    case INVOKE_PROPERTYPUTREF: return flags & DISPATCH_PROPERTYPUTREF;
  }
  return false;
}

// The number of arguments a member takes from its caller: its parameters
// less a return value.
struct Member {
  bool found = false;
  INVOKEKIND kind = INVOKE_FUNC;
  UINT arguments = 0;
};

Member findMember(ITypeInfo* info, DISPID id, WORD flags) noexcept {
  Member member;
  TYPEATTR* attributes = nullptr;
  if (FAILED(info->GetTypeAttr(&attributes))) return member;
  const UINT functions = attributes->cFuncs;
  info->ReleaseTypeAttr(attributes);
  for (UINT i = 0; i < functions && !member.found; ++i) {
    FUNCDESC* function = nullptr;
    if (FAILED(info->GetFuncDesc(i, &function))) continue;
    if (function->memid == id && invokableAs(function->invkind, flags)) {
      member.found = true;
      member.kind = function->invkind;
      UINT arguments = static_cast<UINT>(function->cParams);
      if (arguments > 0 &&
          (function->lprgelemdescParam[arguments - 1].paramdesc.wParamFlags & PARAMFLAG_FRETVAL))
        --arguments;
      member.arguments = arguments;
    }
    info->ReleaseFuncDesc(function);
  }
  return member;
}

}  // namespace

CheckedCall::CheckedCall() noexcept { VariantInit(&value_); }

CheckedCall::~CheckedCall() { VariantClear(&value_); }

HRESULT CheckedCall::check(ITypeInfo* info, DISPID id, WORD flags, const DISPPARAMS* params,
                           UINT* argError) noexcept {
  const DISPPARAMS none{nullptr, nullptr, 0, 0};
  const DISPPARAMS& given = params ? *params : none;
  if (given.cArgs > 0 && !given.rgvarg) return E_INVALIDARG;
  if (given.cNamedArgs > given.cArgs || (given.cNamedArgs > 0 && !given.rgdispidNamedArgs))
    return E_INVALIDARG;

  const Member member = findMember(info, id, flags);
  if (!member.found) return DISP_E_MEMBERNOTFOUND;

  if (flags & kPut && member.kind != INVOKE_FUNC && member.kind != INVOKE_PROPERTYGET) {
    // The new value comes as the one named argument DISPID_PROPERTYPUT.
    for (UINT i = 0; i < given.cNamedArgs; ++i) {
      if (given.rgdispidNamedArgs[i] != DISPID_PROPERTYPUT) {
        if (argError) *argError = i;
        return DISP_E_PARAMNOTFOUND;
      }
    }
    if (given.cNamedArgs != 1) return DISP_E_PARAMNOTFOUND;
    if (given.cArgs != member.arguments) return DISP_E_BADPARAMCOUNT;
    // The value is a string: anything that converts to one is taken.
    VariantClear(&value_);
    const HRESULT hr = VariantChangeType(&value_, &given.rgvarg[0], 0, VT_BSTR);
    if (FAILED(hr)) {
      if (argError) *argError = 0;
      return hr == E_OUTOFMEMORY ? hr : DISP_E_TYPEMISMATCH;
    }
    params_ = {&value_, &putId_, 1, 1};
    return S_OK;
  }

  if (given.cNamedArgs > 0) {
    if (argError) *argError = 0;
    return DISP_E_PARAMNOTFOUND;
  }
  if (given.cArgs != member.arguments) return DISP_E_BADPARAMCOUNT;
  params_ = given;
  return S_OK;
}

}  // namespace tollivor::component
