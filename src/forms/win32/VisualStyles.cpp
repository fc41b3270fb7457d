#include "forms/win32/VisualStyles.h"

#include "win32/Handles.h"
#include "win32/Lock.h"
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

// Made by the first scope and kept for the process: making it reads and
// parses the manifest, a part of every form's load. Released with the
// module, whose manifest it was made from.
Lock g_lock;
unique_hactctx g_context;
bool g_looked = false;  // a module without the manifest is asked once

HANDLE sharedContext() noexcept {
  const LockGuard lock(g_lock);
  if (!g_looked) {
    g_context = createOwnContext();
    g_looked = true;
  }
  return g_context.get();
}

}  // namespace

ActivationScope::ActivationScope() noexcept {
  if (HANDLE context = sharedContext()) active_ = ActivateActCtx(context, &cookie_) != FALSE;
}

ActivationScope::~ActivationScope() {
  if (active_) DeactivateActCtx(0, cookie_);
}

}  // namespace tollivor::forms::win32
