#include "forms/win32/VisualStyles.h"

#include "win32/ThisModule.h"

namespace tollivor::forms::win32 {

using namespace tollivor::win32;  // the shared Win32 helpers

namespace {

unique_hactctx createOwnContext() noexcept {
  HMODULE module = thisModule();
  // Only a module that carries the manifest has a context to offer; asking
  // the loader for a missing resource would just fail more slowly.
  if (!module || !FindResourceW(module, ISOLATIONAWARE_MANIFEST_RESOURCE_ID, RT_MANIFEST))
    return {};
  ACTCTXW request{};
  request.cbSize = sizeof request;
  request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.hModule = module;
  request.lpResourceName = ISOLATIONAWARE_MANIFEST_RESOURCE_ID;
  HANDLE context = CreateActCtxW(&request);
  return unique_hactctx(context == INVALID_HANDLE_VALUE ? nullptr : context);
}

}  // namespace

// The context is made for each scope rather than kept: the scopes are few
// (a form's creation, a message box, a common dialog), and nothing then
// outlives the module.
ActivationScope::ActivationScope() noexcept : context_(createOwnContext()) {
  if (context_) active_ = ActivateActCtx(context_.get(), &cookie_) != FALSE;
}

ActivationScope::~ActivationScope() {
  if (active_) DeactivateActCtx(0, cookie_);
}

}  // namespace tollivor::forms::win32
